// The summary table book: one wide row per computed pile between a header of 5 lines and a
// footer of 4 lines.
//
// Every rule line and every row is as wide as the table (the sum of its columns' widths);
// the second caption line, the note and the time line are shorter. Cells carry their own
// trailing blanks and are concatenated without separators; a value wider than its cell is never
// cut, it shifts the rest of the row.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "books/text_table.h"
#include "core/number_format.h"
#include "core/pile_calc.h"
#include "core/pile_input.h"

namespace pile {

// The closing note on the standard of the summary tables and the list files.
inline constexpr const char* kStandardNoteLine =
    "注: 采用《建筑桩基础设计与施工验收规范》(DBJ 50-200-2014)公式计算";

// What a row of a summary table is made from.
struct SummaryRowSource {
    const PileInput& input;
    const PileResult& result;
    RoundingMode mode;
    int n;  // the pile's number in the books
};

// One column of a summary table (text_table.h); its captions give its width.
using SummaryColumn = TextColumn<SummaryRowSource>;

// A summary table: its columns, and what they give: the width of the rules and the captions.
struct SummaryTableLayout {
    std::vector<SummaryColumn> columns;
    int width = 0;             // display columns of the rules, the title and the rows
    std::string captionLine1;  // the two column-heading lines
    std::string captionLine2;
};

// The layout of a table of these columns.
SummaryTableLayout makeTableLayout(std::vector<SummaryColumn> columns);

// The columns of formula one, from the pile number to Rc; a wider table appends its own.
const std::vector<SummaryColumn>& formulaOneColumns();
const SummaryTableLayout& formulaOneTableLayout();

// The cells of a row of the table, the last closing it.
std::vector<std::string> tableRowCells(const SummaryTableLayout& layout,
                                       const SummaryRowSource& row);
// The cells joined: the row.
std::string tableRow(const SummaryTableLayout& layout, const SummaryRowSource& row);

// Title, rule, the two caption lines, rule.
std::vector<std::string> summaryTableHeader(const SummaryTableLayout& layout);
// Rule, the note on the standard, closing rule of "=", and "计算时间：" + timeText.
std::vector<std::string> summaryTableFooter(const SummaryTableLayout& layout,
                                            const std::string& timeText);

// The 22 cells of pile n in formula one's table, from the pile number to Rc.
std::vector<std::string> summaryRowCells(const PileInput& input, const PileResult& result,
                                         RoundingMode mode, int n);
// The cells joined: the formula-one row.
std::string summaryRow(const PileInput& input, const PileResult& result, RoundingMode mode, int n);

// A force cell that follows the rounding mode (Qrk, Ra, Rc), given its text by that mode: the
// text right-aligned in 8
// columns and followed by `blanks` blanks for two and one decimals; for whole numbers (modes
// units, tens, hundreds) in 7 columns followed by one blank more, so the cell keeps its width.
std::string roundedCell(const std::string& text, RoundingMode mode, int blanks);

// "-" centred in 8 columns and 2 blanks: the cell of a value the pile does not have.
std::string dashCell();

}  // namespace pile
