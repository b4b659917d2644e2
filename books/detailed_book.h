// The detailed calculation book (计算书) of one pile: the inputs, the clauses and formulas
// of DBJ 50-200-2014 that were applied, every intermediate value and a closing summary.
//
// A book is a list of UTF-8 lines laid out for a fixed-pitch view in which a character of
// U+1000..U+9FA5 takes two columns (core/text_width.h). The formula-one book is composed of
// the blocks below, in the order they are declared; the formula-two book uses the same blocks
// and writes its soil sections between them.
#pragma once

#include <string>
#include <vector>

#include "core/number_format.h"
#include "core/pile_calc.h"
#include "core/pile_input.h"

namespace pile {

using BookLines = std::vector<std::string>;

// The closing rule of every book (50 "="); the delete-last rule searches for it.
inline constexpr const char* kBookClosingRule =
    "==================================================";
// Starts the last line of every book and of the summary table.
inline constexpr const char* kTimeLinePrefix = "计算时间：";

// All lines of the formula-one book of pile n, ending with the closing rule and the time line.
// rockClassName is printed in rock-strength (frk) mode only. The rounding mode applies to the
// two summary rows of section 5; every other value has fixed decimals.
BookLines detailedBookLines(const PileInput& input, const PileResult& result,
                            const std::string& rockClassName, RoundingMode mode, int n,
                            const std::string& timeText);

// True for a rectangle whose sides are equal, which the books call a square pile.
bool isSquare(const PileInput& input);

// The blocks of a book, each appended to `lines`.

// Title and pile number.
void appendBookTitle(BookLines& lines, int n);
// Section 2 up to and including "2.3": pile, rock and construction process.
void appendInputData(BookLines& lines, const PileInput& input);
// Section 3 up to and including the formulas of Qrk (clauses 5.2.2, 5.3.4, 5.3.6 to 5.3.9).
void appendFormulas(BookLines& lines, const PileInput& input);
// The shaft check of clause 5.4.5, the last line of section 3.
void appendShaftFormula(BookLines& lines);
// Sections 4.1 to 4.3: geometry, rock parameter, depth ratio, coefficients and Qrk.
void appendRockResistance(BookLines& lines, const PileInput& input, const PileResult& result,
                          const std::string& rockClassName);
// Section 4.4 of a book without soil side resistance.
void appendSoilResistanceOmitted(BookLines& lines);
// Section 4.5: Quk, K and Ra.
void appendUltimateCapacity(BookLines& lines, const PileResult& result);
// Section 4.6: the process factor, fc and Rc.
void appendShaftCapacity(BookLines& lines, const PileInput& input, const PileResult& result);
// Section 5 with its first two blocks (section and sizes; depth, rock, Ra and Rc), ending with
// the row of the second block. A further block starts with its own separator.
void appendSummaryBlocks(BookLines& lines, const PileInput& input, const PileResult& result,
                         RoundingMode mode, int n);
// The closing separator, the closing rule and the time line.
void appendBookClosing(BookLines& lines, const std::string& timeText);

}  // namespace pile
