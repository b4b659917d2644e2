// The summary table and formula two's soil layers as rows of cells, for a spreadsheet.
//
// Each pile of the books carries a sheet record beside its table row: the row's cells, and for
// formula two one row of cells per soil layer. A record is kept as one string, the cells parted
// by a unit separator and the rows by a record separator; no cell holds either, since cells are
// numbers, fixed labels and the layer texts the grids accept.
#pragma once

#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "books/summary_table.h"

namespace pile {

struct FormulaTwoRun;

// The headers of a summary table's sheet: each column's two caption lines as one heading,
// "桩身直径 d(mm)", "基桩编号".
std::vector<std::string> summarySheetHeaders(const SummaryTableLayout& layout);
// The headers of the soil sheet: pile, kind of layer, layer number, then the layer's values.
const std::vector<std::string>& soilSheetHeaders();

// The record of a pile: its table cells, and the soil layers of its run (formula two).
std::string sheetRecord(const std::vector<std::string>& tableCells);
std::string sheetRecord(const std::vector<std::string>& tableCells, const FormulaTwoRun& run);

// Calls `table` with the table cells of a record and `soil` with each of its soil rows.
void forEachSheetRow(std::string_view record,
                     const std::function<void(const std::vector<std::string>&)>& table,
                     const std::function<void(const std::vector<std::string>&)>& soil);

}  // namespace pile
