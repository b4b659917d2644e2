// The list files of the optimisation screen.
#include "optimise/list_file.h"

#include <initializer_list>
#include <optional>
#include <system_error>

#include "books/summary_table.h"
#include "books/text_file.h"
#include "books/text_table.h"
#include "core/number_format.h"
#include "core/sections.h"
#include "core/text_width.h"
#include "optimise/strict_number.h"

namespace pile {
namespace {

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

// The section a list's section cell names (a square is a rectangle), or none.
std::optional<SectionType> sectionNamed(const std::string& text) {
    if (text == kSquareSection.tableName) return kSquareSection.type;
    for (const SectionDescription& s : kSections)
        if (text == s.tableName) return s.type;
    return std::nullopt;
}

// The rock parameter type a list's cell names: 1 frk, 2 fuk, or 0 for neither.
int rockTypeNamed(const std::string& text) { return text == "1" ? 1 : text == "2" ? 2 : 0; }

// A row of the file: row `row` of the list, numbered `position` among `rowCount` rows. What the
// section and the rock parameter type of the row read as is read once; a text that names
// neither writes none of the cells that depend on it.
struct FileRow {
    FileRow(const ResultList& list, std::size_t row, std::size_t position, std::size_t rowCount)
        : list(list),
          row(row),
          position(position),
          rowCount(rowCount),
          section(sectionNamed(cell(ListField::Section))),
          rockType(rockTypeNamed(cell(ListField::RockType))) {}

    std::string cell(ListField field) const { return list.fieldText(row, field); }
    bool is(SectionType type) const { return section == type; }

    const ResultList& list;
    std::size_t row;
    std::size_t position;
    std::size_t rowCount;
    std::optional<SectionType> section;
    int rockType;
};
using FileColumn = TextColumn<FileRow>;

// A size cell: the field's value where the section has it, "-" where the other sections have it.
std::string sizeCell(const FileRow& r, ListField field, bool shown) {
    if (!r.section) return {};
    return shown ? right(r.cell(field), 6, 4) : dash();
}
// A rock cell: by the rock parameter type, as for sizeCell.
std::string rockCell(const FileRow& r, std::string (*shown)(const FileRow&), int type) {
    if (r.rockType == 0) return {};
    return r.rockType == type ? shown(r) : dash();
}

const std::vector<FileColumn>& formulaOneFileColumns() {
    using R = const FileRow&;
    using F = ListField;
    // clang-format off
    static const std::vector<FileColumn> columns = {
        {" 基    桩  ", " 编    号  ", [](R r) {
            std::string cell(1, ' ');
            return cell.append(centre(pileNumberText(r.position, decimalDigits(r.rowCount)), 8, 2)); }},
        {"桩身截面  ", "类    型  ", [](R r) { return centre(r.cell(F::Section), 8, 2); }},
        {"桩身直径  ", "  d(mm)   ", [](R r) {
            return sizeCell(r, F::Size1, r.is(SectionType::Circle) || r.is(SectionType::Ellipse)); }},
        {"椭圆直段  ", "  c(mm)   ", [](R r) { return sizeCell(r, F::Size2, r.is(SectionType::Ellipse)); }},
        {"矩形长边  ", "  a(mm)   ", [](R r) { return sizeCell(r, F::Size1, r.is(SectionType::Rectangle)); }},
        {"矩形短边  ", "  b(mm)   ", [](R r) { return sizeCell(r, F::Size2, r.is(SectionType::Rectangle)); }},
        {"嵌岩深度  ", "  lr(m)   ", [](R r) { return right(r.cell(F::Depth), 6, 4); }},
        {"岩石强度  ", "类    别  ", [](R r) { return centre(r.cell(F::RockType), 8, 2); }},
        {"单轴强度  ", "frk(MPa)  ", [](R r) {
            return rockCell(r, [](R x) { return right(x.cell(F::RockValue), 6, 4); }, 1); }},
        {"极限强度  ", "fuk(MPa)  ", [](R r) {
            return rockCell(r, [](R x) { return right(x.cell(F::RockValue), 6, 4); }, 2); }},
        {"成    桩  ", "工    艺  ", [](R r) {
            return r.rockType == 0 ? std::string() : centre(r.cell(F::Process), 8, 2); }},
        {"综合系数  ", "  ζr     ", [](R r) {
            return rockCell(r, [](R x) { return centre(x.cell(F::Kesair), 8, 2); }, 1); }},
        {"综合系数  ", "   β     ", [](R r) {
            return rockCell(r, [](R x) { return centre(x.cell(F::Kesair), 8, 2); }, 2); }},
        {"桩承载力  ", " Ra(kN)   ", [](R r) { return right(r.cell(F::Ra), 7, 3); }},
        {"桩混凝土  ", "强度等级  ", [](R r) { return centre(r.cell(F::Grade), 8, 2); }},
        {"桩身强度  ", " Rc(kN)   ", [](R r) { return right(r.cell(F::Rc), 7, 3); }},
    };
    // clang-format on
    return columns;
}

// Formula two appends the down-drag load and the two limits with their ratios.
const std::vector<FileColumn>& formulaTwoFileColumns() {
    using R = const FileRow&;
    using F = ListField;
    static const std::vector<FileColumn> columns = [] {
        std::vector<FileColumn> all = formulaOneFileColumns();
        // clang-format off
        all.insert(all.end(), {
            {"下拉荷载  ", " Qgn(kN)  ", [](R r) { return right(r.cell(F::Qgn), 7, 3); }},
            {"荷载限值  ", "[Nk](kN)  ", [](R r) { return right(r.cell(F::NkLimit), 7, 3); }},
            {"荷载比率  ", " [Nk]/Ra  ", [](R r) { return right(r.cell(F::NkRatio), 7, 3); }},
            {"荷载限值  ", " [N](kN)  ", [](R r) { return right(r.cell(F::NLimit), 7, 3); }},
            {"荷载比率  ", " [N]/Rc   ", [](R r) { return right(r.cell(F::NRatio), 7, 3); }},
        });
        // clang-format on
        return all;
    }();
    return columns;
}

const std::vector<FileColumn>& fileColumns(const ResultList& list) {
    return hasSoilColumns(list.layout()) ? formulaTwoFileColumns() : formulaOneFileColumns();
}

}  // namespace

const char* listFileName(ListFileKind kind) {
    return kind == ListFileKind::Raw ? kRawListFileName : kFilteredListFileName;
}

std::string listFileRow(const ResultList& list, std::size_t row, std::size_t position,
                        std::size_t rowCount) {
    return rowText(fileColumns(list), FileRow{list, row, position, rowCount});
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
// (F, the first row's IdQgn cell, is "1"), 50 when it was not ("0"); nothing for another text.
void appendSoilAppendix(std::vector<std::string>& lines, const std::string& f, const std::string& s,
                        const ListFileSoil& soil) {
    const bool wide = f == "1";
    if (!wide && f != "0") return;
    const std::string frame = repeat('*', wide ? 65 : 50);
    lines.push_back(frame);
    lines.push_back(wide ? "*  附录：桩侧土体参数                                           *"
                         : "*  附录：桩侧土体参数                            *");
    if (wide) {
        const std::string rule =
            "*        -----------------------------------------------------  *";
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
        const std::string rule =
            wide ? "*        -------------------------------------                  *"
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

void writeListFile(const ResultList& list, ListFileKind kind, const std::string& timeText,
                   const ListFileSoil& soil, const ListLineSink& sink) {
    // The appendix first: a soil text that is not a number throws before any line is out.
    std::vector<std::string> appendix;
    if (hasSoilColumns(list.layout())) {
        appendix.emplace_back();
        const std::string f = list.empty() ? "" : list.fieldText(0, ListField::IdQgn);
        const std::string s = list.empty() ? "" : list.fieldText(0, ListField::IdFsk);
        appendSoilAppendix(appendix, f, s, soil);
    }
    const auto [caption1, caption2] = captionLines(fileColumns(list));
    const int width = DisplayWidth(caption1);
    const std::string title =
        kind == ListFileKind::Raw ? " 嵌岩桩优化计算原始结果 " : " 嵌岩桩优化计算筛选结果 ";
    const std::string equals = repeat('=', (width - DisplayWidth(title)) / 2);
    const std::string rule = repeat('-', width);
    sink(equals + title + equals);
    sink(rule);
    sink(caption1);
    sink(caption2);
    sink(rule);
    for (std::size_t i = 0; i < list.size(); ++i) sink(listFileRow(list, i, i + 1, list.size()));
    sink(rule);
    sink(kStandardNoteLine);
    sink(repeat('=', width));
    sink("计算时间：" + timeText);
    for (const std::string& line : appendix) sink(line);
}

std::vector<std::string> listFileLines(const ResultList& list, ListFileKind kind,
                                       const std::string& timeText, const ListFileSoil& soil) {
    std::vector<std::string> lines;
    lines.reserve(list.size() + 10);
    writeListFile(list, kind, timeText, soil,
                  [&lines](const std::string& line) { lines.push_back(line); });
    return lines;
}

namespace {

std::filesystem::path listFilePath(const std::filesystem::path& documentsFolder,
                                   ListFileKind kind) {
    return fixedNameSavePath(documentsFolder, listFileName(kind));
}

}  // namespace

std::filesystem::path saveListFile(const std::filesystem::path& documentsFolder, ListFileKind kind,
                                   const std::vector<std::string>& lines) {
    const std::filesystem::path path = listFilePath(documentsFolder, kind);
    writeTextFile(path, lines);
    return path;
}

std::filesystem::path saveListFile(const std::filesystem::path& documentsFolder,
                                   const ResultList& list, ListFileKind kind,
                                   const std::string& timeText, const ListFileSoil& soil) {
    const std::filesystem::path path = listFilePath(documentsFolder, kind);
    TextFileWriter writer(path);
    writeListFile(list, kind, timeText, soil,
                  [&writer](const std::string& line) { writer.writeLine(line); });
    writer.commit();
    return path;
}

}  // namespace pile
