// The two books of one calculator window and its pile counter.
#include "books/window_books.h"

#include <algorithm>
#include <iterator>
#include <stdexcept>
#include <utility>

#include "books/book_bytes.h"
#include "books/book_sheets.h"
#include "books/detailed_book.h"
#include "books/formula_two_book.h"

namespace pile {

namespace {

constexpr size_t kFooterLines = 4;
constexpr size_t kHeaderLines = 5;

// An archived pile's row is its table line, this mark and its sheet record, and when the
// models are kept, the mark again and the book's bytes (books/book_bytes.h). Neither the line
// nor the record holds the mark.
constexpr char kRecordMark = '\x1d';

// The sheet record in an archived row.
std::string_view recordOf(std::string_view row) {
    const size_t start = std::min(row.find(kRecordMark), row.size());
    row.remove_prefix(std::min(start + 1, row.size()));
    return row.substr(0, row.find(kRecordMark));
}
// The book's bytes in an archived row; empty without them.
std::string_view modelBytesOf(std::string_view row) {
    const size_t record = row.find(kRecordMark);
    if (record == std::string_view::npos) return {};
    const size_t model = row.find(kRecordMark, record + 1);
    return model == std::string_view::npos ? std::string_view() : row.substr(model + 1);
}

std::string joined(const std::vector<std::string>& cells) {
    std::string text;
    for (const std::string& cell : cells) text += cell;
    return text;
}

// The row sits just above the footer.
constexpr size_t kRowFromEnd = kFooterLines + 1;

// Room for `extra` more lines, so that the appends below cannot throw. Growth stays geometric:
// reserving the exact size at every pile would move the whole memo each time.
template <class T>
void reserveMore(std::vector<T>& lines, size_t extra) {
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
    const std::vector<std::string> cells = summaryRowCells(input, result, mode, n);
    return appendModel(joined(cells), detailedBook(input, result, rockClassName, mode, n, timeText),
                       timeText, sheetRecord(cells));
}

int WindowBooks::appendFormulaTwoPile(const PileInput& input, const FormulaTwoRun& run,
                                      const std::string& rockClassName, RoundingMode mode,
                                      const std::string& timeText) {
    // A formula-two row under a narrower header would break every column of the table.
    if (m_layout.width != formulaTwoTableLayout().width)
        throw std::logic_error("formula-two pile recorded in books without the formula-two table");
    const int n = nextPileNumber();
    const std::vector<std::string> cells = formulaTwoSummaryRowCells(input, run, mode, n);
    return appendModel(joined(cells), formulaTwoBook(input, run, rockClassName, mode, n, timeText),
                       timeText, sheetRecord(cells, run));
}

int WindowBooks::appendModel(std::string row, BookModel model, const std::string& timeText,
                             std::string record) {
    if (m_keepModels) reserveMore(m_models, 1);
    // The model joins the memos before the oldest piles go to the archive with theirs.
    const int n = appendBuilt(std::move(row), bookTextLines(model), timeText, std::move(record),
                              m_keepModels ? &model : nullptr);
    return n;
}

int WindowBooks::appendBuilt(std::string row, std::vector<std::string> book,
                             const std::string& timeText, std::string record) {
    return appendBuilt(std::move(row), std::move(book), timeText, std::move(record), nullptr);
}

int WindowBooks::appendBuilt(std::string row, std::vector<std::string> book,
                             const std::string& timeText, std::string record, BookModel* model) {
    // Build what may throw (allocation) before any memo changes.
    std::vector<std::string> footer = summaryTableFooter(m_layout, timeText);
    std::vector<std::string> header;
    if (m_counter == 0) header = summaryTableHeader(m_layout);
    reserveMore(m_table, header.size() + 1 + footer.size());
    reserveMore(m_detailed, book.size());
    reserveMore(m_records, 1);

    ++m_counter;
    if (m_counter == 1) {
        // A first pile starts both memos afresh.
        m_table = std::move(header);
        m_detailed.clear();
    } else {
        dropLast(m_table, kFooterLines);
        dropLast(m_detailed, 1);  // the previous time line
    }
    if (m_counter == 1) {
        m_records.clear();
        m_models.clear();
    }
    m_table.push_back(std::move(row));
    m_records.push_back(std::move(record));
    for (std::string& line : footer) m_table.push_back(std::move(line));
    for (std::string& line : book) m_detailed.push_back(std::move(line));
    if (model) m_models.push_back(std::move(*model));
    archiveOldPiles();
    return m_counter;
}

void WindowBooks::setArchive(PileArchive* archive, bool keepModels) {
    if (m_counter != 0) throw std::logic_error("an archive is set for empty books only");
    m_archive = archive;
    m_keepModels = !archive || keepModels;
}

void WindowBooks::archiveOldPiles() {
    if (!m_archive) return;
    while (m_counter - m_archived > 1) {
        // The oldest pile in memory: the first row under the header, and the detailed lines up
        // to the first closing rule.
        const auto rule = std::find(m_detailed.begin(), m_detailed.end(), kBookClosingRule);
        if (rule == m_detailed.end() || m_table.size() <= kHeaderLines) return;
        const std::vector<std::string> book(m_detailed.begin(), rule + 1);
        std::string row = m_table[kHeaderLines] + kRecordMark + m_records.front();
        if (m_keepModels && !m_models.empty()) {
            row += kRecordMark;
            appendBookBytes(row, m_models.front());
        }
        m_archive->push(row, book);
        m_table.erase(m_table.begin() + kHeaderLines);
        m_records.erase(m_records.begin());
        if (m_keepModels && !m_models.empty()) m_models.erase(m_models.begin());
        m_detailed.erase(m_detailed.begin(), rule + 1);
        ++m_archived;
    }
}

void WindowBooks::restorePile() {
    std::string row;
    std::vector<std::string> book;
    m_archive->pop(row, book);
    --m_archived;
    if (m_keepModels) m_models.insert(m_models.begin(), bookFromBytes(modelBytesOf(row)));
    m_records.insert(m_records.begin(), std::string(recordOf(row)));
    row.resize(std::min(row.find(kRecordMark), row.size()));
    m_table.insert(m_table.begin() + kHeaderLines, std::move(row));
    m_detailed.insert(m_detailed.begin(), std::make_move_iterator(book.begin()),
                      std::make_move_iterator(book.end()));
}

void WindowBooks::forEachDetailedLine(const std::function<void(const std::string&)>& visit) const {
    if (m_archive && m_archived > 0) {
        m_archive->forEach([&](const std::string&, const std::vector<std::string>& book) {
            for (const std::string& line : book) visit(line);
        });
    }
    for (const std::string& line : m_detailed) visit(line);
}

void WindowBooks::forEachTableLine(const std::function<void(const std::string&)>& visit) const {
    if (!m_archive || m_archived == 0 || m_table.size() < kHeaderLines) {
        for (const std::string& line : m_table) visit(line);
        return;
    }
    for (size_t i = 0; i < kHeaderLines; ++i) visit(m_table[i]);
    m_archive->forEach([&](const std::string& row, const std::vector<std::string>&) {
        visit(row.substr(0, row.find(kRecordMark)));
    });
    for (size_t i = kHeaderLines; i < m_table.size(); ++i) visit(m_table[i]);
}

void WindowBooks::forEachSheetRecord(const std::function<void(std::string_view)>& visit) const {
    if (m_archive && m_archived > 0) {
        m_archive->forEach(
            [&](const std::string& row, const std::vector<std::string>&) { visit(recordOf(row)); });
    }
    for (const std::string& record : m_records) visit(record);
}

void WindowBooks::forEachModel(const std::function<void(const BookModel&)>& visit) const {
    if (m_archive && m_archived > 0 && m_keepModels) {
        m_archive->forEach([&](const std::string& row, const std::vector<std::string>&) {
            visit(bookFromBytes(modelBytesOf(row)));
        });
    }
    for (const BookModel& model : m_models) visit(model);
}

void WindowBooks::deleteLast() {
    if (m_counter <= 1) {
        clear();
        return;
    }
    // The pile before the last must be at hand to find where the last one starts.
    if (m_archive && m_counter - m_archived < 2 && m_archived > 0) restorePile();
    --m_counter;
    if (m_table.size() >= kRowFromEnd) m_table.erase(m_table.end() - kRowFromEnd);
    if (!m_records.empty()) m_records.pop_back();
    if (!m_models.empty()) m_models.pop_back();

    // The book of the last pile runs from after the previous closing rule to its own closing
    // rule, which stands just before the final time line.
    if (m_detailed.size() >= 2) m_detailed.erase(m_detailed.end() - 2);
    while (m_detailed.size() >= 2 && m_detailed[m_detailed.size() - 2] != kBookClosingRule) {
        m_detailed.erase(m_detailed.end() - 2);
    }
}

void WindowBooks::clear() {
    if (m_archive) m_archive->clear();
    m_archived = 0;
    m_counter = 0;
    m_detailed.clear();
    m_table.clear();
    m_records.clear();
    m_models.clear();
}

}  // namespace pile
