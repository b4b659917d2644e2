// The summary table: the 22 cells of a row for each section, rock mode and rounding mode, and
// the widths and column alignment of a whole table.
#include "books/summary_table.h"

#include <gtest/gtest.h>

#include <array>

#include "books/window_books.h"
#include "core/text_width.h"
#include "tests/books/book_fixture.h"

namespace pile {
namespace {

using test::columns;
using test::compute;
using test::screenTexts;

struct RowCase {
    const char* name;
    InputTexts texts;
    RoundingMode mode;
    std::array<const char*, 22> cells;
};

InputTexts rectangle1500x1000Sloped() {
    InputTexts t = screenTexts(SectionType::Rectangle);
    t.dd = "1000";  // typed short side first: the books print the ordered sides
    t.tyzd = "1500";
    t.slope = true;
    return t;
}

InputTexts squareFuk() {
    InputTexts t = screenTexts(SectionType::Rectangle, RockStrengthMode::Fuk);
    t.dd = t.tyzd = "1200";
    return t;
}

// Dash cell: "-" centred in 8 columns (four blanks before, three after) and two blanks.
#define DASH "    -     "

const RowCase kRowCases[] = {
    {"default circle frk, units",
     InputTexts{},
     RoundingMode::Units,
     {"   ZH1     ", " 圆  桩   ", "  1000    ", DASH,       DASH,         DASH,
      "  0.79    ",  "  1.0d    ", "  25.00   ", DASH,       "泥浆护壁  ", "  1.00    ",
      " 0.8567   ",  DASH,         DASH,         DASH,       "  16821   ", "  2.00    ",
      "   8410   ",  "   C30    ", "  0.70    ", "   7862  "}},
    {"circle fuk, two decimals",
     screenTexts(SectionType::Circle, RockStrengthMode::Fuk),
     RoundingMode::TwoDecimals,
     {"   ZH1     ", " 圆  桩   ", "  1000    ", DASH,         DASH,         DASH,
      "  0.79    ",  "  1.0d    ", DASH,         "  24.00   ", "干 作 业  ", "  1.00    ",
      DASH,          DASH,         DASH,         " 1.3260   ", "24994.51  ", "  3.00    ",
      " 8331.50  ",  "   C30    ", "  0.90    ", "10108.07 "}},
    {"ellipse frk, one decimal",
     screenTexts(SectionType::Ellipse),
     RoundingMode::OneDecimal,
     {"   ZH1     ", " 椭圆桩   ", "  1000    ", "   500    ", DASH,         DASH,
      "  1.29    ",  "  1.0d    ", "  25.00   ", DASH,         "人工挖孔  ", "  1.00    ",
      DASH,          DASH,         "  0.50    ", " 1.3062   ", " 41974.7  ", "  3.00    ",
      " 13991.6  ",  "   C30    ", "  0.90    ", " 16543.1 "}},
    {"ellipse fuk, units",
     screenTexts(SectionType::Ellipse, RockStrengthMode::Fuk),
     RoundingMode::Units,
     {"   ZH1     ", " 椭圆桩   ", "  1000    ", "   500    ", DASH,         DASH,
      "  1.29    ",  "  1.0d    ", DASH,         "  24.00   ", "干 作 业  ", "  1.00    ",
      DASH,          DASH,         "  0.50    ", " 1.3062   ", "  40296   ", "  3.00    ",
      "  13432   ",  "   C30    ", "  0.90    ", "  16543  "}},
    {"rectangle frk with slope, tens",
     rectangle1500x1000Sloped(),
     RoundingMode::Tens,
     {"   ZH1     ", " 矩形桩   ", DASH,         DASH,         "  1500    ", "  1000    ",
      "  1.50    ",  "  1.0b    ", "  25.00   ", DASH,         "人工挖孔  ", DASH,
      DASH,          "  1.00    ", "  0.67    ", " 1.4300   ", "  53620   ", "  3.00    ",
      "  17870   ",  "   C30    ", "  0.90    ", "  19300  "}},
    {"square fuk, hundreds",
     squareFuk(),
     RoundingMode::Hundreds,
     {"   ZH1     ", " 方  桩   ", DASH,         DASH,         "  1200    ", "  1200    ",
      "  1.44    ",  "  1.0b    ", DASH,         "  24.00   ", "干 作 业  ", DASH,
      DASH,          "  1.00    ", "  1.00    ", " 1.3200   ", "  45600   ", "  3.00    ",
      "  15200   ",  "   C30    ", "  0.90    ", "  18500  "}},
};

#undef DASH

TEST(SummaryTable, RowCellsBySectionModeAndRounding) {
    for (const RowCase& c : kRowCases) {
        SCOPED_TRACE(c.name);
        const auto pile = compute(c.texts);
        const std::vector<std::string> cells = summaryRowCells(pile.input, pile.result, c.mode, 1);
        ASSERT_EQ(cells.size(), 22u);
        std::string row;
        for (size_t i = 0; i < cells.size(); ++i) {
            EXPECT_EQ(cells[i], c.cells[i]) << "column " << i + 1;
            row += c.cells[i];
        }
        EXPECT_EQ(summaryRow(pile.input, pile.result, c.mode, 1), row);
    }
}

TEST(SummaryTable, ProcessColumnOfCircleFollowsTheItemIndex) {
    const char* expected[] = {"干 作 业  ", "泥浆护壁  ", "后 注 浆  "};
    for (int index = 0; index < 3; ++index) {
        SCOPED_TRACE(index);
        InputTexts t;
        t.process = index;
        t.processText = ProcessItems(SectionType::Circle, RockStrengthMode::Frk)[index];
        const auto pile = compute(t);
        EXPECT_EQ(summaryRowCells(pile.input, pile.result, RoundingMode::Units, 1)[10],
                  expected[index]);
    }
}

// A table of piles of every kind in every rounding mode: every line has the width of the table
// (the literal second caption line and the note excepted) and every cell of every row lies
// under its caption.
TEST(SummaryTable, LinesHaveTheTableWidthAndCellsLieUnderTheirCaptions) {
    WindowBooks books;
    int piles = 0;
    for (int m = 0; m <= 4; ++m) {
        for (const InputTexts& texts : test::pilesOfAllKinds()) {
            const auto pile = compute(texts);
            books.appendPile(pile.input, pile.result, pile.rockClassName,
                             static_cast<RoundingMode>(m), "2026-12-10 12:00:00");
            ++piles;
        }
    }
    const std::vector<std::string>& table = books.tableLines();
    ASSERT_EQ(table.size(), static_cast<size_t>(5 + piles + 4));
    for (size_t i = 0; i < table.size(); ++i) {
        int expected = 220;
        if (i == 3) expected = 217;  // second caption line, as written
        if (i == table.size() - 3) expected = DisplayWidth(table[i]);  // the note
        if (i == table.size() - 1) expected = DisplayWidth("计算时间：2026-12-10 12:00:00");
        EXPECT_EQ(DisplayWidth(table[i]), expected) << "line " << i + 1;
    }
    EXPECT_EQ(table.front().find(std::string(103, '=') + " 嵌岩桩计算书 " + std::string(103, '=')),
              0u);

    // The second caption line is shorter (its Greek letters take one column each), so the first
    // one places the captions.
    const std::string& caption1 = table[2];
    for (size_t r = 5; r < 5 + static_cast<size_t>(piles); ++r) {
        SCOPED_TRACE("row " + std::to_string(r - 4));
        // Rebuild the row's cells to find where each one starts.
        const size_t index = r - 5;
        const auto pile = compute(test::pilesOfAllKinds()[index % test::pilesOfAllKinds().size()]);
        const auto mode = static_cast<RoundingMode>(index / test::pilesOfAllKinds().size());
        const auto cells =
            summaryRowCells(pile.input, pile.result, mode, static_cast<int>(index + 1));
        std::string joined;
        int start = 0;
        for (size_t k = 0; k < cells.size(); ++k) {
            const int end = start + DisplayWidth(cells[k]);
            // The row's cell boundaries are the caption's: 11 columns for the pile number,
            // then 10 per cell.
            EXPECT_EQ(start, k == 0 ? 0 : 11 + 10 * static_cast<int>(k - 1)) << "cell " << k + 1;
            const std::string head = columns(caption1, start, end);
            EXPECT_NE(head.substr(k == 0 ? 1 : 0, 1), " ") << "no caption at cell " << k + 1;
            EXPECT_EQ(head.back(), ' ');
            joined += cells[k];
            start = end;
        }
        EXPECT_EQ(table[r], joined);
    }
}

TEST(SummaryTable, HeaderAndFooter) {
    const auto header = summaryTableHeader(formulaOneTableLayout());
    ASSERT_EQ(header.size(), 5u);
    EXPECT_EQ(header[1], std::string(220, '-'));
    EXPECT_EQ(header[4], header[1]);
    EXPECT_EQ(header[2].rfind(" 基    桩  桩身截面  桩身直径", 0), 0u);
    EXPECT_EQ(header[3].rfind(" 编    号  类    型    d(mm)", 0), 0u);

    const auto footer = summaryTableFooter(formulaOneTableLayout(), "T");
    const std::vector<std::string> expected = {
        std::string(220, '-'), " 注: 采用《建筑桩基础设计与施工验收规范》(DBJ 50-200-2014)公式计算",
        std::string(220, '='), "计算时间：T"};
    EXPECT_EQ(footer, expected);
}

// A value wider than its cell is never cut; the rest of the row shifts right.
TEST(SummaryTable, WideValueShiftsTheRow) {
    InputTexts t;
    t.dd = "1000.0000";
    const auto pile = compute(t);
    const auto cells = summaryRowCells(pile.input, pile.result, RoundingMode::Units, 1);
    EXPECT_EQ(cells[2], "1000.0000    ");
    EXPECT_EQ(DisplayWidth(summaryRow(pile.input, pile.result, RoundingMode::Units, 1)), 223);
}

// A table that appends a column to formula one's: one descriptor is the whole change. Its
// captions and cells follow Rc, which then keeps its full two blanks, and the new column closes
// the table. Every column's first caption is as wide as its cells (the second holds the Greek
// letters of ζr, β and ψc, which the book font draws wider).
TEST(SummaryTable, AnAppendedColumnFollowsRcAndClosesTheTable) {
    std::vector<SummaryColumn> columns = formulaOneColumns();
    columns.push_back({"附加一列  ", "  X(kN)   ",
                       [](const SummaryRowSource&) { return std::string("    12345 "); }});
    const SummaryTableLayout wider = makeTableLayout(columns);
    EXPECT_EQ(wider.width, formulaOneTableLayout().width + 10);
    EXPECT_TRUE(wider.captionLine1.ends_with("桩身强度  附加一列 "));

    const auto pile = compute(InputTexts{});
    const SummaryRowSource row{pile.input, pile.result, RoundingMode::Units, 1};
    const auto one = tableRowCells(formulaOneTableLayout(), row);
    const auto cells = tableRowCells(wider, row);
    ASSERT_EQ(cells.size(), one.size() + 1);
    EXPECT_EQ(cells[one.size() - 1], one.back() + " ");  // Rc, no longer the last
    EXPECT_EQ(cells.back(), "    12345");
    EXPECT_EQ(DisplayWidth(tableRow(wider, row)), wider.width);

    for (const SummaryColumn& column : columns) {
        SCOPED_TRACE(std::string(column.caption1));
        const int width = &column == &columns.front() ? 11 : 10;
        EXPECT_EQ(DisplayWidth(std::string(column.caption1)), width);
    }
}

}  // namespace
}  // namespace pile
