// The summary table book: one wide row per computed pile between a header of 5 lines and a
// footer of 4 lines.
//
// Every rule line and every row is as wide as the table (220 display columns for formula one);
// the second caption line, the note and the time line are shorter. Cells carry their own
// trailing blanks and are concatenated without separators; a value wider than its cell is never
// cut, it shifts the rest of the row.
#pragma once

#include <string>
#include <vector>

#include "core/number_format.h"
#include "core/pile_calc.h"
#include "core/pile_input.h"

namespace pile {

// What distinguishes the tables of the two calculators: the width of the rules and the caption.
// A wider table appends its own cells to the formula-one cells of a row.
struct SummaryTableLayout {
    int width = 0;             // display columns of the rules, the title and the rows
    std::string captionLine1;  // the two column-heading lines
    std::string captionLine2;
};

const SummaryTableLayout& formulaOneTableLayout();

// Title, rule, the two caption lines, rule.
std::vector<std::string> summaryTableHeader(const SummaryTableLayout& layout);
// Rule, the note on the standard, closing rule of "=", and "计算时间：" + timeText.
std::vector<std::string> summaryTableFooter(const SummaryTableLayout& layout,
                                            const std::string& timeText);

// The 22 cells of pile n in formula one, from the pile number to Rc.
std::vector<std::string> summaryRowCells(const PileInput& input, const PileResult& result,
                                         RoundingMode mode, int n);
// The cells joined: the formula-one row.
std::string summaryRow(const PileInput& input, const PileResult& result, RoundingMode mode, int n);

// A force cell that follows the rounding mode (Qrk, Ra, Rc): the value right-aligned in 8
// columns and followed by `blanks` blanks for two and one decimals; for whole numbers (modes
// units, tens, hundreds) in 7 columns followed by one blank more, so the cell keeps its width.
std::string roundedCell(double value, RoundingMode mode, int blanks);

// "-" centred in 8 columns and 2 blanks: the cell of a value the pile does not have.
std::string dashCell();

}  // namespace pile
