// Tests of the list files: every line of a small raw list written out by hand, the numbering
// by position, and the file written to the Documents folder.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "books/text_file.h"
#include "core/text_width.h"
#include "optimise/list_file.h"
#include "optimise/list_filter.h"
#include "optimise/list_sort.h"
#include "tests/optimise/list_fixture.h"

namespace pile {
namespace {

using test::circleRow;
using test::ellipseRow;
using test::rectangleRow;

constexpr const char* kTime = "2024/5/31 10:00:00";

// One pile of each section: a circle with frk, an ellipse with fuk and the depth in mm, a
// rectangle, and a square whose Ra text is wider than its field.
ResultList fourPiles() {
    ResultList list;
    list.append(circleRow(8410.3053, 12345.678));

    list.append(ellipseRow());
    const ListRowValues rectangle = rectangleRow();
    list.append(rectangle);

    ListRowValues square = circleRow(12345678.9, 95.4);
    square.section = 4;
    square.size1 = square.size2 = 1500;
    square.process = ProcessLabel::PostGrouted;
    list.append(square);
    return list;
}

TEST(ListFile, RawListLineForLine) {
    const std::string equals68(68, '=');
    const std::string rule(160, '-');
    const std::vector<std::string> expected = {
        equals68 + " 嵌岩桩优化计算原始结果 " + equals68,
        rule,
        " 基    桩  桩身截面  桩身直径  椭圆直段  矩形长边  矩形短边  嵌岩深度  岩石强度  单轴强度 "
        " "
        "极限强度  成    桩  综合系数  综合系数  桩承载力  桩混凝土  桩身强度 ",
        " 编    号  类    型    d(mm)     c(mm)     a(mm)     b(mm)     lr(m)   类    别  frk(MPa) "
        " "
        "fuk(MPa)  工    艺    ζr        β      Ra(kN)   强度等级   Rc(kN)  ",
        rule,
        // lead, number, section, d, c, a, b, hr, type, frk, fuk, process, ζr, β, Ra, grade, Rc
        " "
        "  ZH-1    "
        " 圆  桩   "
        "  1000    "
        "    -     "
        "    -     "
        "    -     "
        "  2.0d    "
        "    1     "
        " 35.00    "
        "    -     "
        "泥浆护壁  "
        " 0.8567   "
        "    -     "
        "   8410   "
        "   C30    "
        "  12346  ",
        " "
        "  ZH-2    "
        " 椭圆桩   "
        "1333.5    "
        "  1000    "
        "    -     "
        "    -     "
        "  3000    "
        "    2     "
        "    -     "
        " 12.35    "
        "干 作 业  "
        "    -     "
        " 1.2000   "
        "9000.50   "
        "   C60    "
        "8000.25  ",
        " "
        "  ZH-3    "
        " 矩形桩   "
        "    -     "
        "    -     "
        "  2000    "
        "  1500    "
        "  2.5b    "
        "    1     "
        " 35.00    "
        "    -     "
        "人工挖孔  "
        " 0.8567   "
        "    -     "
        "   8400   "
        "   C30    "
        "      0  ",
        " "
        "  ZH-4    "
        " 方  桩   "
        "    -     "
        "    -     "
        "  1500    "
        "  1500    "
        "  2.0b    "
        "    1     "
        " 35.00    "
        "    -     "
        "后 注 浆  "
        " 0.8567   "
        "    -     "
        "1.234568E+07   "
        "   C30    "
        "     95  ",
        rule,
        "注: 采用《建筑桩基础设计与施工验收规范》(DBJ 50-200-2014)公式计算",
        std::string(160, '='),
        "计算时间：2024/5/31 10:00:00",
    };
    const std::vector<std::string> got = listFileLines(fourPiles(), ListFileKind::Raw, kTime);
    ASSERT_EQ(got.size(), expected.size());
    for (std::size_t i = 0; i < got.size(); ++i) {
        SCOPED_TRACE(i);
        EXPECT_EQ(got[i], expected[i]);
    }
    // Rows whose texts fit line up with the header: 160 columns, as the title and rules.
    for (std::size_t i : {0, 1, 2, 5, 6, 7}) EXPECT_EQ(DisplayWidth(got[i]), 160) << i;
    EXPECT_EQ(DisplayWidth(got[3]), 158);  // the second header line as it stands
}

TEST(ListFile, FilteredTitle) {
    const auto lines = listFileLines(ResultList(), ListFileKind::Filtered, kTime);
    EXPECT_EQ(lines.front(),
              std::string(68, '=') + " 嵌岩桩优化计算筛选结果 " + std::string(68, '='));
    EXPECT_EQ(lines.size(), 9u);  // no rows: header and footer only
}

// The pile-number field of each row line.
std::vector<std::string> fileNumbers(const std::vector<std::string>& lines) {
    std::vector<std::string> out;
    for (std::size_t i = 5; i + 4 < lines.size(); ++i) {
        const std::string field = lines[i].substr(1, 8);
        out.push_back(field.substr(field.find_first_not_of(' '),
                                   field.find_last_not_of(' ') - field.find_first_not_of(' ') + 1));
    }
    return out;
}

TEST(ListFile, RowsAreNumberedByTheirPositionWhenWritten) {
    // Ten rows sorted by Ra: the file numbers ZH-01 .. ZH-10 in the sorted order.
    ResultList raw;
    for (int i = 0; i < 10; ++i) raw.append(circleRow(20000 - 1000 * i, 7000));
    raw.assignPileNumbers();
    SortStates states(raw.layout());
    sortByHeader(raw, states, raw.layout().columnOf(ListField::Ra));
    ASSERT_EQ(raw.fieldText(0, ListField::PileNumber), "ZH-10");
    const auto lines = listFileLines(raw, ListFileKind::Raw, kTime);
    EXPECT_EQ(fileNumbers(lines),
              (std::vector<std::string>{"ZH-01", "ZH-02", "ZH-03", "ZH-04", "ZH-05", "ZH-06",
                                        "ZH-07", "ZH-08", "ZH-09", "ZH-10"}));
    EXPECT_NE(lines[5].find("  11000   "), std::string::npos);

    // Three rows filtered from 120: ZH-1 .. ZH-3.
    ResultList big;
    for (int i = 0; i < 120; ++i) big.append(circleRow(i % 40 == 0 ? 13000 : 500, 7000));
    big.assignPileNumbers();
    const ResultList filtered = filterByRaRc(big, {12000, 14000}, {0, 1e15});
    ASSERT_EQ(filtered.fieldText(1, ListField::PileNumber), "ZH-041");
    EXPECT_EQ(fileNumbers(listFileLines(filtered, ListFileKind::Filtered, kTime)),
              (std::vector<std::string>{"ZH-1", "ZH-2", "ZH-3"}));
}

TEST(ListFile, SavedInTheDocumentsFolderUnderItsName) {
    const std::filesystem::path folder =
        std::filesystem::temp_directory_path() / "optimise_list_file_test" / "Documents";
    std::filesystem::remove_all(folder.parent_path());
    const auto lines = listFileLines(fourPiles(), ListFileKind::Filtered, kTime);
    saveListFile(folder, ListFileKind::Filtered, lines);

    std::ifstream in(folder / pathFromUtf8(kFilteredListFileName), std::ios::binary);
    ASSERT_TRUE(in);
    const std::string bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    std::string expected;
    for (const auto& line : lines) expected += toAnsiCodePage(line) + "\r\n";
    EXPECT_EQ(bytes, expected);
    in.close();  // Windows removes no open file
    std::filesystem::remove_all(folder.parent_path());
}

}  // namespace
}  // namespace pile
