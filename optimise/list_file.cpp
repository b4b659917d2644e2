// The list files of the optimisation screen.
#include "optimise/list_file.h"

#include <initializer_list>
#include <system_error>

#include "books/text_file.h"
#include "core/number_format.h"
#include "core/text_width.h"
#include "optimise/strict_number.h"

namespace pile {
namespace {

constexpr int kFormulaOneWidth = 160;
constexpr int kFormulaTwoWidth = 210;
// Equals signs on each side of the title, which is then as wide as the file.
constexpr int kFormulaOneTitleEquals = 68;
constexpr int kFormulaTwoTitleEquals = 93;

const char* const kHeaderLine1 =
    " 基    桩  桩身截面  桩身直径  椭圆直段  矩形长边  矩形短边  嵌岩深度  岩石强度  单轴强度"
    "  极限强度  成    桩  综合系数  综合系数  桩承载力  桩混凝土  桩身强度 ";
const char* const kHeaderLine2 =
    " 编    号  类    型    d(mm)     c(mm)     a(mm)     b(mm)     lr(m)   类    别  frk(MPa)"
    "  fuk(MPa)  工    艺    ζr        β      Ra(kN)   强度等级   Rc(kN)  ";
// What formula two adds to the two header lines.
const char* const kSoilHeaderLine1 = " 下拉荷载  荷载限值  荷载比率  荷载限值  荷载比率 ";
const char* const kSoilHeaderLine2 = "  Qgn(kN)  [Nk](kN)   [Nk]/Ra   [N](kN)   [N]/Rc  ";
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
    if (!hasSoilColumns(list.layout())) {
        line += right(cell(5), 7, 2);
        return line;
    }
    line += right(cell(5), 7, 3);
    for (int column = 12; column <= 15; ++column) line += right(cell(column), 7, 3);
    line += right(cell(16), 7, 2);
    return line;
}

namespace {

// A line of the appendix: "*", 8 blanks, the fields, "*".
std::string framed(std::initializer_list<std::string> fields) {
    std::string line = "*";
    line.append(8, ' ');
    for (const std::string& field : fields) line += field;
    line += '*';
    return line;
}

// The appendix on the soil layers: 65 columns wide when the down-drag load was considered
// (F, the first row's column 18, is "1"), 50 when it was not ("0"); nothing for another text.
void appendSoilAppendix(std::vector<std::string>& lines, const std::string& f,
                        const std::string& s, const ListFileSoil& soil) {
    const bool wide = f == "1";
    if (!wide && f != "0") return;
    const std::string frame = repeat('*', wide ? 65 : 50);
    lines.push_back(frame);
    lines.push_back(wide ? "*  附录：桩侧土体参数                                           *"
                         : "*  附录：桩侧土体参数                            *");
    if (wide) {
        const std::string rule = "*        -----------------------------------------------------  *";
        lines.push_back("*    1、 桩侧土体负摩阻力参数                                   *");
        lines.push_back(rule);
        lines.push_back("*        土层    地面标高    桩顶标高       地面大面积荷载      *");
        lines.push_back("*        数 m      Eg(m)       Ep(m)             p(kPa)         *");
        lines.push_back(rule);
        const auto fixed = [](const std::string& text, int decimals) {
            return FormatFixed(readDecimal(text), 15, decimals);
        };
        lines.push_back(framed({right(soil.dragLayerCount, 3, 4), right(fixed(soil.eg, 3), 8, 4),
                                right(fixed(soil.ep, 3), 8, 5), right(fixed(soil.p, 2), 13, 10)}));
        lines.push_back(rule);
        lines.push_back("*        土层    层底标高    土体重度    负摩阻力    土层侧阻   *");
        lines.push_back("*        序号      Ei(m)    γi(kN/m3)   系数ξni    qsik(kPa)  *");
        lines.push_back(rule);
        for (const auto& row : soil.dragRows)
            lines.push_back(framed({right(row[0], 3, 5), right(row[1], 8, 4), right(row[2], 7, 5),
                                    right(row[3], 6, 6), right(row[4], 7, 4)}));
        lines.push_back(rule);
    } else {
        lines.push_back("*    1、 桩侧土负摩阻力不考虑。                  *");
    }
    if (s == "1") {
        const std::string rule = wide ? "*        -------------------------------------                  *"
                                      : "*        -------------------------------------   *";
        lines.push_back(wide ? "*    2、 桩侧土体侧阻力参数                                     *"
                             : "*    2、 桩侧土体侧阻力参数                      *");
        lines.push_back(rule);
        lines.push_back(wide ? "*        土层    土层    土层厚度    土层侧阻                   *"
                             : "*        土层    土层    土层厚度    土层侧阻    *");
        lines.push_back(wide ? "*        数 n    序号      li(m)     qsik(kPa)                  *"
                             : "*        数 n    序号      li(m)     qsik(kPa)   *");
        lines.push_back(rule);
        for (const auto& row : soil.sideRows)
            lines.push_back(framed({right(soil.sideLayerCount, 3, 5), right(row[0], 3, 5),
                                    right(row[1], 7, 5), right(row[2], 7, wide ? 20 : 5)}));
        lines.push_back(rule);
    } else if (s == "0") {
        lines.push_back(wide ? "*    2、 桩侧土体侧阻力不考虑。                                 *"
                             : "*    2、 桩侧土体侧阻力不考虑。                  *");
    }
    lines.push_back(frame);
}

}  // namespace

std::vector<std::string> listFileLines(const ResultList& list, ListFileKind kind,
                                       const std::string& timeText, const ListFileSoil& soil) {
    const bool two = hasSoilColumns(list.layout());
    const int width = two ? kFormulaTwoWidth : kFormulaOneWidth;
    const std::string equals = repeat('=', two ? kFormulaTwoTitleEquals : kFormulaOneTitleEquals);
    const std::string rule = repeat('-', width);
    std::vector<std::string> lines;
    lines.reserve(list.size() + 10);
    lines.push_back(
        equals + " " +
        (kind == ListFileKind::Raw ? "嵌岩桩优化计算原始结果" : "嵌岩桩优化计算筛选结果") + " " +
        equals);
    lines.push_back(rule);
    lines.push_back(two ? std::string(kHeaderLine1) + kSoilHeaderLine1 : kHeaderLine1);
    lines.push_back(two ? std::string(kHeaderLine2) + kSoilHeaderLine2 : kHeaderLine2);
    lines.push_back(rule);
    for (std::size_t i = 0; i < list.size(); ++i) {
        lines.push_back(listFileRow(list, i, i + 1, list.size()));
    }
    lines.push_back(rule);
    lines.push_back(kNoteLine);
    lines.push_back(repeat('=', width));
    lines.push_back("计算时间：" + timeText);
    if (two) {
        lines.emplace_back();
        const std::string f = list.empty() ? "" : list.fieldText(0, ListField::IdQgn);
        const std::string s = list.empty() ? "" : list.fieldText(0, ListField::IdFsk);
        appendSoilAppendix(lines, f, s, soil);
    }
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
