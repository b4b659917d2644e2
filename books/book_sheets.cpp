// The summary table and formula two's soil layers as rows of cells.
#include "books/book_sheets.h"

#include "soil/formula_two.h"

namespace pile {

namespace {

constexpr char kCellSeparator = '\x1f';
constexpr char kRowSeparator = '\x1e';

bool isBlank(char c) { return c == ' '; }

std::string_view trimmed(std::string_view s) {
    while (!s.empty() && isBlank(s.front())) s.remove_prefix(1);
    while (!s.empty() && isBlank(s.back())) s.remove_suffix(1);
    return s;
}

bool isAscii(unsigned char c) { return c < 0x80; }

// The blanks that space Chinese characters out to a column's width go: "基    桩" is "基桩".
std::string closeUp(std::string_view s) {
    std::string out;
    for (std::size_t i = 0; i < s.size(); ++i) {
        if (isBlank(s[i]) && !out.empty() && !isAscii(static_cast<unsigned char>(out.back()))) {
            std::size_t next = i;
            while (next < s.size() && isBlank(s[next])) ++next;
            if (next < s.size() && !isAscii(static_cast<unsigned char>(s[next]))) {
                i = next - 1;
                continue;
            }
        }
        out += s[i];
    }
    return out;
}

void appendRow(std::string& record, const std::vector<std::string>& cells) {
    for (std::size_t i = 0; i < cells.size(); ++i) {
        if (i > 0) record += kCellSeparator;
        record += cells[i];
    }
}

std::vector<std::string> splitCells(std::string_view row) {
    std::vector<std::string> cells;
    for (;;) {
        const std::size_t end = row.find(kCellSeparator);
        cells.emplace_back(trimmed(row.substr(0, end)));
        if (end == std::string_view::npos) return cells;
        row.remove_prefix(end + 1);
    }
}

}  // namespace

std::vector<std::string> summarySheetHeaders(const SummaryTableLayout& layout) {
    std::vector<std::string> headers;
    for (const SummaryColumn& column : layout.columns) {
        std::string first = closeUp(trimmed(column.caption1));
        const std::string second = closeUp(trimmed(column.caption2));
        // A symbol or unit below a Chinese caption is set off by a blank: "桩身直径 d(mm)".
        if (!first.empty() && !second.empty() && isAscii(static_cast<unsigned char>(second[0])))
            first += ' ';
        headers.push_back(first + second);
    }
    return headers;
}

const std::vector<std::string>& soilSheetHeaders() {
    static const std::vector<std::string> headers{
        "基桩编号",           "土层类别",         "土层",           "土层名称",
        "地面荷载 p(kPa)",    "地面标高 Eg(m)",   "桩顶标高 Ep(m)", "层底标高 Ei(m)",
        "土体重度 γi(kN/m3)", "负摩阻力系数 ξni", "土层厚度 li(m)", "土层侧阻 qsik(kPa)"};
    return headers;
}

std::string sheetRecord(const std::vector<std::string>& tableCells) {
    std::string record;
    appendRow(record, tableCells);
    return record;
}

std::string sheetRecord(const std::vector<std::string>& tableCells, const FormulaTwoRun& run) {
    std::string record = sheetRecord(tableCells);
    // The soil rows name their pile as the table's first column does.
    const std::string pile(tableCells.empty() ? std::string_view() : trimmed(tableCells[0]));
    // The layers as the book's input tables print them: typed cells, p, Eg and Ep as read.
    if (run.drag) {
        const DragLoadResult& drag = *run.drag;
        for (const DragLoadLayerResult& layer : drag.layers) {
            const auto& c = layer.cells;
            record += kRowSeparator;
            appendRow(record, {pile, "负摩阻力", c[drag_col::kNumber], c[drag_col::kName],
                               FormatFixed(drag.pEntered, 10, 2), FormatFixed(drag.eg, 10, 3),
                               FormatFixed(drag.ep, 10, 3), c[drag_col::kBottom],
                               c[drag_col::kUnitWeight], c[drag_col::kXi], "", c[drag_col::kQsik]});
        }
    }
    if (run.side) {
        for (const SideLayerResult& layer : run.side->layers) {
            const auto& c = layer.cells;
            record += kRowSeparator;
            appendRow(record, {pile, "侧阻力", c[side_col::kNumber], "", "", "", "", "", "", "",
                               c[side_col::kThickness], c[side_col::kQsik]});
        }
    }
    return record;
}

void forEachSheetRow(std::string_view record,
                     const std::function<void(const std::vector<std::string>&)>& table,
                     const std::function<void(const std::vector<std::string>&)>& soil) {
    bool first = true;
    for (;;) {
        const std::size_t end = record.find(kRowSeparator);
        const std::vector<std::string> cells = splitCells(record.substr(0, end));
        if (first)
            table(cells);
        else
            soil(cells);
        first = false;
        if (end == std::string_view::npos) return;
        record.remove_prefix(end + 1);
    }
}

}  // namespace pile
