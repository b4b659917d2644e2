// The two books of a window: appending piles (one removal of the previous time line per
// computation), deleting the last pile and clearing.
#include "books/window_books.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <random>

#include "books/detailed_book.h"
#include "tests/books/book_fixture.h"

namespace pile {
namespace {

using test::compute;
using test::screenTexts;

// A window that computes the given piles in order, each with the time text "T<n>".
class WindowBooksTest : public ::testing::Test {
  protected:
    const std::vector<InputTexts> m_piles = {
        InputTexts{}, screenTexts(SectionType::Ellipse),
        screenTexts(SectionType::Rectangle, RockStrengthMode::Fuk)};

    static std::string time(int n) { return "T" + std::to_string(n); }

    // Random appends, delete-lasts and clears on books in memory and on books with an archive
    // that holds `memoryBytes` in memory; both must read the same throughout.
    void checkArchivedBooks(std::size_t memoryBytes);

    // Pile k of m_piles (0-based) as the n-th book.
    BookLines book(size_t k, int n) const {
        const auto pile = compute(m_piles[k]);
        return detailedBookLines(pile.input, pile.result, pile.rockClassName, RoundingMode::Units,
                                 n, time(n));
    }
    std::string row(size_t k, int n) const {
        const auto pile = compute(m_piles[k]);
        return summaryRow(pile.input, pile.result, RoundingMode::Units, n);
    }
    int append(WindowBooks& books, size_t k) const {
        const auto pile = compute(m_piles[k]);
        return books.appendPile(pile.input, pile.result, pile.rockClassName, RoundingMode::Units,
                                time(books.nextPileNumber()));
    }

    // Books 1..count of piles 0..count-1 joined as a window shows them, closed by `timeLine`.
    BookLines joinedBooks(size_t count, const std::string& timeLine) const {
        BookLines all;
        for (size_t k = 0; k < count; ++k) {
            BookLines b = book(k, static_cast<int>(k + 1));
            all.insert(all.end(), b.begin(), b.end() - 1);
        }
        all.push_back(timeLine);
        return all;
    }
    std::vector<std::string> table(size_t rows, const std::string& timeText) const {
        std::vector<std::string> lines = summaryTableHeader(formulaOneTableLayout());
        for (size_t k = 0; k < rows; ++k) lines.push_back(row(k, static_cast<int>(k + 1)));
        for (auto& l : summaryTableFooter(formulaOneTableLayout(), timeText)) lines.push_back(l);
        return lines;
    }
};

TEST_F(WindowBooksTest, AppendingKeepsOneTimeLineAndEveryClosingRule) {
    WindowBooks books;
    EXPECT_EQ(books.pileCounter(), 0);
    EXPECT_TRUE(books.detailedLines().empty());
    EXPECT_TRUE(books.tableLines().empty());

    for (size_t k = 0; k < m_piles.size(); ++k) {
        const int n = static_cast<int>(k + 1);
        SCOPED_TRACE(n);
        EXPECT_EQ(append(books, k), n);
        EXPECT_EQ(books.pileCounter(), n);
        EXPECT_EQ(books.tableLines(), table(k + 1, time(n)));
        EXPECT_EQ(books.detailedLines(), joinedBooks(k + 1, "计算时间：" + time(n)));
        const auto& lines = books.detailedLines();
        EXPECT_EQ(std::count_if(lines.begin(), lines.end(),
                                [](const std::string& l) { return l.rfind("计算时间：", 0) == 0; }),
                  1);
        EXPECT_EQ(std::count(lines.begin(), lines.end(), std::string(kBookClosingRule)), n);
    }
    EXPECT_EQ(books.tableLines()[5].rfind("   ZH1 ", 0), 0u);
}

TEST_F(WindowBooksTest, DeleteLastRemovesTheLastPileFromBothBooks) {
    WindowBooks books;
    for (size_t k = 0; k < 3; ++k) append(books, k);

    books.deleteLast();
    EXPECT_EQ(books.pileCounter(), 2);
    // The footer stays as it was, time line of the third computation included.
    EXPECT_EQ(books.tableLines(), table(2, time(3)));
    EXPECT_EQ(books.detailedLines(), joinedBooks(2, "计算时间：" + time(3)));

    // The freed number is used again.
    EXPECT_EQ(append(books, 2), 3);
    EXPECT_EQ(books.tableLines(), table(3, time(3)));
    EXPECT_EQ(books.detailedLines(), joinedBooks(3, "计算时间：" + time(3)));

    books.deleteLast();
    books.deleteLast();
    EXPECT_EQ(books.pileCounter(), 1);
    EXPECT_EQ(books.tableLines(), table(1, time(3)));
    EXPECT_EQ(books.detailedLines(), joinedBooks(1, "计算时间：" + time(3)));
}

TEST_F(WindowBooksTest, DeletingTheOnlyPileEmptiesBothBooks) {
    WindowBooks books;
    append(books, 0);
    books.deleteLast();
    EXPECT_EQ(books.pileCounter(), 0);
    EXPECT_TRUE(books.detailedLines().empty());
    EXPECT_TRUE(books.tableLines().empty());

    books.deleteLast();  // nothing left: stays empty
    EXPECT_EQ(books.pileCounter(), 0);
    EXPECT_TRUE(books.tableLines().empty());

    // The next computation starts again with the header and ZH1.
    EXPECT_EQ(append(books, 1), 1);
    const BookLines b = book(1, 1);
    EXPECT_EQ(books.detailedLines(), b);
    EXPECT_EQ(books.tableLines().size(), 10u);
}

TEST_F(WindowBooksTest, ClearResetsTheCounter) {
    WindowBooks books;
    append(books, 0);
    append(books, 1);
    books.clear();
    EXPECT_EQ(books.pileCounter(), 0);
    EXPECT_TRUE(books.detailedLines().empty());
    EXPECT_TRUE(books.tableLines().empty());
    EXPECT_EQ(append(books, 2), 1);
    EXPECT_EQ(books.tableLines().front(), summaryTableHeader(formulaOneTableLayout()).front());
}

// Books built by another calculator use the same rules; a book without a closing rule before it
// loses everything but the final time line, and nothing is read before the first line.
TEST(WindowBooks, DeleteLastStopsAtTheFirstLineWithoutAnEarlierClosingRule) {
    WindowBooks books;
    books.appendBuilt("row 1", {"a1", "b1", "time 1"}, "1");
    books.appendBuilt("row 2", {"a2", "b2", "time 2"}, "2");
    EXPECT_EQ(books.detailedLines(), (std::vector<std::string>{"a1", "b1", "a2", "b2", "time 2"}));
    books.deleteLast();
    EXPECT_EQ(books.pileCounter(), 1);
    EXPECT_EQ(books.detailedLines(), (std::vector<std::string>{"time 2"}));
    EXPECT_EQ(books.tableLines()[5], "row 1");
    EXPECT_EQ(books.tableLines().size(), 10u);
}

// Books that keep their older piles on disk read exactly as books kept in memory, through any
// sequence of appends, delete-lasts (several in a row, down to none) and clears, while memory
// holds the latest pile alone.
TEST_F(WindowBooksTest, ArchivedBooksReadAsBooksInMemory) {
    // On disk from the first pile, and in memory until the piles pass 20 kB.
    for (const std::size_t memoryBytes : {std::size_t{0}, std::size_t{20000}}) {
        SCOPED_TRACE(memoryBytes);
        checkArchivedBooks(memoryBytes);
    }
}

void WindowBooksTest::checkArchivedBooks(std::size_t memoryBytes) {
    WindowBooks memory;
    WindowBooks streamed;
    PileArchive archive(memoryBytes);
    streamed.setArchive(&archive);
    bool wentToDisk = false;
    std::mt19937 random(2026);
    const auto lines = [](const WindowBooks& b, bool table) {
        std::vector<std::string> all;
        const auto collect = [&all](const std::string& line) { all.push_back(line); };
        if (table)
            b.forEachTableLine(collect);
        else
            b.forEachDetailedLine(collect);
        return all;
    };
    for (int step = 0; step < 400; ++step) {
        const unsigned action = random() % 10;
        if (action < 6) {
            const size_t k = random() % m_piles.size();
            append(memory, k);
            append(streamed, k);
        } else if (action < 9) {
            memory.deleteLast();
            streamed.deleteLast();
        } else if (random() % 8 == 0) {
            memory.clear();
            streamed.clear();
        }
        SCOPED_TRACE(step);
        ASSERT_EQ(streamed.pileCounter(), memory.pileCounter());
        ASSERT_EQ(lines(streamed, false), memory.detailedLines());
        ASSERT_EQ(lines(streamed, true), memory.tableLines());
        ASSERT_LE(streamed.tableLines().size(), 5u + 1u + 4u);
        wentToDisk = wentToDisk || archive.onDisk();
    }
    EXPECT_TRUE(wentToDisk);
}

}  // namespace
}  // namespace pile
