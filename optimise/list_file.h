// The list files: the raw or filtered result list as a fixed-width text table.
//
// Title, rule, two header lines, rule, one line per row in
// the list's current order, rule, the note on the standard, a rule of "=" and the calculation
// time. The header lines are copied as they stand, the second one two columns short of the
// width. A row line takes the cell texts as the list shows them, except the pile number,
// which is the row's position at the time of writing ("ZH-" padded to the digits of the row
// count), whatever number the list shows.
#pragma once

#include <array>
#include <filesystem>
#include <functional>
#include <string>
#include <vector>

#include "optimise/result_list.h"

namespace pile {

enum class ListFileKind { Raw, Filtered };

// The soil screens of the formula-two window as the appendix of its list files describes them,
// in the texts the screens hold at the time of writing.
struct ListFileSoil {
    std::string dragLayerCount;  // the selected item of cbb_Tuchengshu
    std::string eg;              // edt_Dimianbiaogao
    std::string ep;              // edt_Zhuangdingbiaogao
    std::string p;               // cbe_Junbuhezai
    // The first m rows of Grid1_Fumozhulijisuan: columns 0, 2, 3, 4 and 5.
    std::vector<std::array<std::string, 5>> dragRows;
    std::string sideLayerCount;  // the selected item of cbb_ZhengTuchengshu
    // The first n rows of Grid1_Zhengmozhulijisuan: columns 0, 1 and 2.
    std::vector<std::array<std::string, 3>> sideRows;
};

// The file name of the kind (books/text_file.h).
const char* listFileName(ListFileKind kind);

// The row line of row `row`, numbered `position` among `rowCount` rows.
std::string listFileRow(const ResultList& list, std::size_t row, std::size_t position,
                        std::size_t rowCount);

// Every line of the list file, one at a time to `sink`, so that a list of millions of rows is
// written with the memory of one line; timeText follows "计算时间：". A list of the formula-two
// layout has its soil columns too, and ends with an empty line and the appendix on
// the soil layers, framed by the switches of its first row. The appendix reads Eg, Ep and p
// as decimal numbers: a text that is not one throws NumberConversionError, before anything is
// written.
using ListLineSink = std::function<void(const std::string& line)>;
void writeListFile(const ResultList& list, ListFileKind kind, const std::string& timeText,
                   const ListFileSoil& soil, const ListLineSink& sink);
// The same lines, collected.
std::vector<std::string> listFileLines(const ResultList& list, ListFileKind kind,
                                       const std::string& timeText, const ListFileSoil& soil = {});

// Writes the lines to the kind's file in the Documents folder, replacing it only once the new
// file is complete (writeTextFile). Without a folder (empty path) the name is taken from the
// root of the current drive. Returns the path written. Throws FileWriteError.
std::filesystem::path saveListFile(const std::filesystem::path& documentsFolder, ListFileKind kind,
                                   const std::vector<std::string>& lines);
// Writes the list's file line by line as writeListFile makes them; returns the path written.
std::filesystem::path saveListFile(const std::filesystem::path& documentsFolder,
                                   const ResultList& list, ListFileKind kind,
                                   const std::string& timeText, const ListFileSoil& soil = {});

}  // namespace pile
