// The books' summary table and the optimisation lists as spreadsheets.
#pragma once

#include <filesystem>
#include <string>

namespace pile {

class ResultList;
class WindowBooks;

// The file names beside the text files of the same tables, in the Documents folder.
inline constexpr const char* kSummaryTableSheetFileName =
    "嵌岩桩计算书(依据DBJ50-200-2014)_表格.xlsx";
inline constexpr const char* kRawListSheetFileName =
    "嵌岩桩优化计算原始结果(依据DBJ50-200-2014)_表格.xlsx";
inline constexpr const char* kFilteredListSheetFileName =
    "嵌岩桩优化计算筛选结果(依据DBJ50-200-2014)_表格.xlsx";

// The summary table, a row a pile; formula two's books add a sheet of every pile's soil layers.
// Throws FileWriteError.
void saveSummaryTableSheet(const std::filesystem::path& path, const WindowBooks& books);

// The list's shown columns (hidden ones travel with the rows only), a row a listed pile.
// Throws FileWriteError.
void saveListSheet(const std::filesystem::path& path, const ResultList& list,
                   const std::string& sheetName);

}  // namespace pile
