// The detailed calculation book (计算书) of one pile: the inputs, the clauses and formulas
// of DBJ 50-200-2014 that were applied, every intermediate value and a closing summary.
//
// A book is a list of blocks (books/book_model.h); its fixed-pitch rendering is a list of UTF-8
// lines laid out for a view in which a character of U+1000..U+9FA5 takes two columns
// (core/text_width.h). The formula-one book is composed of the parts below, in the order they
// are declared; the formula-two book uses the same parts and writes its soil sections between
// them.
#pragma once

#include <string>
#include <vector>

#include "books/book_model.h"
#include "core/number_format.h"
#include "core/pile_calc.h"
#include "core/pile_input.h"

namespace pile {

using BookLines = std::vector<std::string>;

// The closing rule of every book (50 "="); the delete-last rule searches for it.
inline constexpr const char* kBookClosingRule =
    "==================================================";
// The title of every book and of the summary table.
inline constexpr const char* kBookName = "嵌岩桩计算书";
// Starts the last line of every book and of the summary table.
inline constexpr const char* kTimeLinePrefix = "计算时间：";

// The formula-one book of pile n, ending with the closing rule and the time line.
// rockClassName is printed in rock-strength (frk) mode only. The rounding mode applies to the
// two summary rows of section 5; every other value has fixed decimals.
BookModel detailedBook(const PileInput& input, const PileResult& result,
                       const std::string& rockClassName, RoundingMode mode, int n,
                       const std::string& timeText);
// Its fixed-pitch lines.
BookLines detailedBookLines(const PileInput& input, const PileResult& result,
                            const std::string& rockClassName, RoundingMode mode, int n,
                            const std::string& timeText);

// True for a rectangle whose sides are equal, which the books call a square pile.
bool isSquare(const PileInput& input);

// The parts of a book, each appended to `book`.

// Title and pile number.
void appendBookTitle(BookModel& book, int n);
// Section 2 up to and including "2.3": pile, rock and construction process.
void appendInputData(BookModel& book, const PileInput& input);
// Section 3 up to and including the formulas of Qrk (clauses 5.2.2, 5.3.4, 5.3.6 to 5.3.9).
void appendFormulas(BookModel& book, const PileInput& input);
// The shaft check of clause 5.4.5, the last line of section 3.
void appendShaftFormula(BookModel& book);
// Sections 4.1 to 4.3: geometry, rock parameter, depth ratio, coefficients and Qrk.
void appendRockResistance(BookModel& book, const PileInput& input, const PileResult& result,
                          const std::string& rockClassName);
// Section 4.4 of a book without soil side resistance.
void appendSoilResistanceOmitted(BookModel& book);
// Section 4.5: Quk, K and Ra.
void appendUltimateCapacity(BookModel& book, const PileResult& result);
// Section 4.6: the process factor, fc and Rc.
void appendShaftCapacity(BookModel& book, const PileInput& input, const PileResult& result);
// Section 5 with its first two blocks (section and sizes; depth, rock, Ra and Rc), ending with
// the row of the second block. A further block starts with its own separator.
void appendSummaryBlocks(BookModel& book, const PileInput& input, const PileResult& result,
                         RoundingMode mode, int n);
// The closing lines: the last table of section 5 closes with its rule, then the closing rule
// and the time line.
void appendBookClosing(BookModel& book, const std::string& timeText);

}  // namespace pile
