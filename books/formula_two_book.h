// The books of the formula-two calculator: the wider summary table with the down-drag
// load Qgn and the limits [Nk] and [N] of the vertical load, and the detailed book with the
// soil sections (input layers, the side resistance Qsk of clause 5.3.4, the negative skin
// friction of clause 5.4.3 and the limits of clauses 5.4.2 and 5.4.5).
//
// The formula-two detailed book is the formula-one book (books/detailed_book.h) with soil
// blocks written between its blocks. Soil cells are printed as the layer grids hold them:
// inputs as typed, results as the 2-decimal texts of the soil calculations.
#pragma once

#include <string>
#include <vector>

#include "books/detailed_book.h"
#include "books/summary_table.h"
#include "core/number_format.h"
#include "core/pile_calc.h"
#include "core/pile_input.h"
#include "soil/formula_two.h"

namespace pile {

// Formula one's columns and four more; the second caption line is shorter than the rows, as it
// stands.
const SummaryTableLayout& formulaTwoTableLayout();

// The cells of pile n: the formula-one cells up to psi_c, then Rc, Qgn, [Nk] and [N], at the
// widths of formulaTwoTableLayout(). run is the computation of this pile (computeFormulaTwo).
std::vector<std::string> formulaTwoSummaryRowCells(const PileInput& input, const FormulaTwoRun& run,
                                                   RoundingMode mode, int n);
// The cells joined: the formula-two row.
std::string formulaTwoSummaryRow(const PileInput& input, const FormulaTwoRun& run,
                                 RoundingMode mode, int n);

// The formula-two book of pile n, ending with the closing rule and the time line.
// The soil sections follow the run: a soil term whose check box was unchecked (no drag or no
// side result) is written as "not considered". p, Eg and Ep are printed as the down-drag
// calculation read them from their texts (leniently: a text that is not a number reads as the
// number it starts with, or 0), so the book states the values the calculation used.
BookModel formulaTwoBook(const PileInput& input, const FormulaTwoRun& run,
                         const std::string& rockClassName, RoundingMode mode, int n,
                         const std::string& timeText);
// Its fixed-pitch lines.
BookLines formulaTwoBookLines(const PileInput& input, const FormulaTwoRun& run,
                              const std::string& rockClassName, RoundingMode mode, int n,
                              const std::string& timeText);

// The parts that formula two adds to the formula-one book, each appended to `book`.

// Sections 2.4 (negative friction inputs) and 2.5 (side resistance inputs).
void appendSoilInputData(BookModel& book, const FormulaTwoRun& run);
// The lines of section 3.2 after the formulas of Qrk: clause 5.4.2-1, and with negative
// friction clauses 5.4.2-2 and 5.4.3.
void appendLoadLimitFormulas(BookModel& book, const FormulaTwoRun& run);
// Section 4.4: the side-resistance tables and Qsk, or the formula-one line without it.
void appendSideResistance(BookModel& book, const FormulaTwoRun& run);
// Sections 4.7 to 4.9: the nine negative-friction tables, Qgn and the two limits, or the
// single line of a book without negative friction.
void appendNegativeFriction(BookModel& book, const FormulaTwoRun& run);
// The third block of section 5: Qgn, [Nk], [N] and the verdict, with its own separator.
void appendLimitSummaryBlock(BookModel& book, const FormulaTwoRun& run, RoundingMode mode);

// The pile in the layers of a down-drag calculation, for its drawing: the book's figure, and the
// negative-friction screen's. `socket` in m, `socketText` as typed.
BookSoilFigure soilFigure(const DragLoadResult& drag, double socket, const std::string& socketText);

}  // namespace pile
