// The two books of one calculator window and its pile counter.
#include "books/window_books.h"

#include <algorithm>
#include <stdexcept>
#include <utility>

#include "books/detailed_book.h"
#include "books/formula_two_book.h"

namespace pile {

namespace {

constexpr size_t kFooterLines = 4;

// The row sits just above the footer.
constexpr size_t kRowFromEnd = kFooterLines + 1;

// Room for `extra` more lines, so that the appends below cannot throw. Growth stays geometric:
// reserving the exact size at every pile would move the whole memo each time.
void reserveMore(std::vector<std::string>& lines, size_t extra) {
    const size_t needed = lines.size() + extra;
    if (needed > lines.capacity()) lines.reserve(std::max(needed, 2 * lines.capacity()));
}

void dropLast(std::vector<std::string>& lines, size_t count) {
    lines.resize(lines.size() > count ? lines.size() - count : 0);
}

}  // namespace

WindowBooks::WindowBooks(const SummaryTableLayout& layout) : m_layout(layout) {}

int WindowBooks::appendPile(const PileInput& input, const PileResult& result,
                            const std::string& rockClassName, RoundingMode mode,
                            const std::string& timeText) {
    const int n = nextPileNumber();
    std::string row = summaryRow(input, result, mode, n);
    std::vector<std::string> book =
        detailedBookLines(input, result, rockClassName, mode, n, timeText);
    return appendBuilt(std::move(row), std::move(book), timeText);
}

int WindowBooks::appendFormulaTwoPile(const PileInput& input, const FormulaTwoRun& run,
                                      const std::string& rockClassName, RoundingMode mode,
                                      const std::string& timeText) {
    // A formula-two row under a narrower header would break every column of the table.
    if (m_layout.width != formulaTwoTableLayout().width)
        throw std::logic_error("formula-two pile recorded in books without the formula-two table");
    const int n = nextPileNumber();
    std::string row = formulaTwoSummaryRow(input, run, mode, n);
    std::vector<std::string> book =
        formulaTwoBookLines(input, run, rockClassName, mode, n, timeText);
    return appendBuilt(std::move(row), std::move(book), timeText);
}

int WindowBooks::appendBuilt(std::string row, std::vector<std::string> book,
                             const std::string& timeText) {
    // Build what may throw (allocation) before any memo changes.
    std::vector<std::string> footer = summaryTableFooter(m_layout, timeText);
    std::vector<std::string> header;
    if (m_counter == 0) header = summaryTableHeader(m_layout);
    reserveMore(m_table, header.size() + 1 + footer.size());
    reserveMore(m_detailed, book.size());

    ++m_counter;
    if (m_counter == 1) {
        // A first pile starts both memos afresh.
        m_table = std::move(header);
        m_detailed.clear();
    } else {
        dropLast(m_table, kFooterLines);
        dropLast(m_detailed, 1);  // the previous time line
    }
    m_table.push_back(std::move(row));
    for (std::string& line : footer) m_table.push_back(std::move(line));
    for (std::string& line : book) m_detailed.push_back(std::move(line));
    return m_counter;
}

void WindowBooks::deleteLast() {
    if (m_counter <= 1) {
        clear();
        return;
    }
    --m_counter;
    if (m_table.size() >= kRowFromEnd) m_table.erase(m_table.end() - kRowFromEnd);

    // The book of the last pile runs from after the previous closing rule to its own closing
    // rule, which stands just before the final time line.
    if (m_detailed.size() >= 2) m_detailed.erase(m_detailed.end() - 2);
    while (m_detailed.size() >= 2 && m_detailed[m_detailed.size() - 2] != kBookClosingRule) {
        m_detailed.erase(m_detailed.end() - 2);
    }
}

void WindowBooks::clear() {
    m_counter = 0;
    m_detailed.clear();
    m_table.clear();
}

}  // namespace pile
