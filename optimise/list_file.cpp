// The list files of the optimisation screen.
#include "optimise/list_file.h"

#include <system_error>

#include "books/text_file.h"
#include "core/text_width.h"

namespace pile {
namespace {

constexpr int kFormulaOneWidth = 160;
// Equals signs on each side of the title, which is then as wide as the file.
constexpr int kTitleEquals = 68;

const char* const kHeaderLine1 =
    " 基    桩  桩身截面  桩身直径  椭圆直段  矩形长边  矩形短边  嵌岩深度  岩石强度  单轴强度"
    "  极限强度  成    桩  综合系数  综合系数  桩承载力  桩混凝土  桩身强度 ";
const char* const kHeaderLine2 =
    " 编    号  类    型    d(mm)     c(mm)     a(mm)     b(mm)     lr(m)   类    别  frk(MPa)"
    "  fuk(MPa)  工    艺    ζr        β      Ra(kN)   强度等级   Rc(kN)  ";
const char* const kNoteLine = "注: 采用《建筑桩基础设计与施工验收规范》(DBJ 50-200-2014)公式计算";

std::string repeat(char c, int n) { return std::string(static_cast<std::size_t>(n), c); }

// A value right-aligned in w columns, and a text centred in w columns, each with its trailing
// blanks.
std::string right(const std::string& text, int w, int blanks) {
    return PadLeft(text, " ", w) + Spaces(blanks);
}
std::string centre(const std::string& text, int w, int blanks) {
    return PadCenter(text, " ", w) + Spaces(blanks);
}
std::string dash() { return centre("-", 8, 2); }

}  // namespace

const char* listFileName(ListFileKind kind) {
    return kind == ListFileKind::Raw ? kRawListFileName : kFilteredListFileName;
}

std::string listFileRow(const ResultList& list, std::size_t row, std::size_t position,
                        std::size_t rowCount) {
    const auto cell = [&](int column) { return list.cellText(row, column); };
    std::string line = " ";
    line += centre(pileNumberText(position, decimalDigits(rowCount)), 8, 2);
    const std::string section = cell(1);
    line += centre(section, 8, 2);
    // d, c, a, b by the section text; a text that names no section writes none of them.
    const std::string size1 = right(cell(2), 6, 4);
    const std::string size2 = right(cell(3), 6, 4);
    if (section == "圆  桩") {
        line += size1 + dash() + dash() + dash();
    } else if (section == "椭圆桩") {
        line += size1 + size2 + dash() + dash();
    } else if (section == "矩形桩" || section == "方  桩") {
        line += dash() + dash() + size1 + size2;
    }
    line += right(cell(6), 6, 4);
    const std::string rockType = cell(7);
    line += centre(rockType, 8, 2);
    // frk, fuk, process, ζr, β by the rock parameter type.
    const std::string value = right(cell(8), 6, 4);
    const std::string process = centre(cell(9), 8, 2);
    const std::string coefficient = centre(cell(10), 8, 2);
    if (rockType == "1") {
        line += value + dash() + process + coefficient + dash();
    } else if (rockType == "2") {
        line += dash() + value + process + dash() + coefficient;
    }
    line += right(cell(4), 7, 3);
    line += centre(cell(11), 8, 2);
    line += right(cell(5), 7, 2);
    return line;
}

std::vector<std::string> listFileLines(const ResultList& list, ListFileKind kind,
                                       const std::string& timeText) {
    const std::string equals = repeat('=', kTitleEquals);
    const std::string rule = repeat('-', kFormulaOneWidth);
    std::vector<std::string> lines;
    lines.reserve(list.size() + 10);
    lines.push_back(
        equals + " " +
        (kind == ListFileKind::Raw ? "嵌岩桩优化计算原始结果" : "嵌岩桩优化计算筛选结果") + " " +
        equals);
    lines.push_back(rule);
    lines.push_back(kHeaderLine1);
    lines.push_back(kHeaderLine2);
    lines.push_back(rule);
    for (std::size_t i = 0; i < list.size(); ++i) {
        lines.push_back(listFileRow(list, i, i + 1, list.size()));
    }
    lines.push_back(rule);
    lines.push_back(kNoteLine);
    lines.push_back(repeat('=', kFormulaOneWidth));
    lines.push_back("计算时间：" + timeText);
    return lines;
}

void saveListFile(const std::filesystem::path& documentsFolder, ListFileKind kind,
                  const std::vector<std::string>& lines) {
    const std::filesystem::path name = pathFromUtf8(listFileName(kind));
    const std::filesystem::path path = documentsFolder.empty()
                                           ? std::filesystem::current_path().root_path() / name
                                           : documentsFolder / name;
    if (!documentsFolder.empty()) {
        // A folder that cannot be made is reported like a file that cannot be written.
        std::error_code error;
        std::filesystem::create_directories(documentsFolder, error);
        if (error) throw FileWriteError(path, error.message());
    }
    writeTextFile(path, lines);
}

}  // namespace pile
