// The summary table book of formula one: header, rows and footer. The layout sums its cells'
// widths into the width of a row, which the rules above and below it share.
#include "books/summary_table.h"

#include <tuple>
#include <utility>

#include "books/detailed_book.h"
#include "core/sections.h"
#include "core/text_width.h"

namespace pile {

namespace {

std::string repeat(char c, int n) { return n > 0 ? std::string(static_cast<size_t>(n), c) : ""; }

// A value right-aligned in `width` columns and followed by blanks up to ten columns.
std::string rightCell(const std::string& text, int width) {
    return PadLeft(text, " ", width) + Spaces(10 - width);
}

std::string centredCell(const std::string& text) { return PadCenter(text, " ", 8) + Spaces(2); }

bool usesDecimals(RoundingMode mode) {
    return mode == RoundingMode::TwoDecimals || mode == RoundingMode::OneDecimal;
}

// Column 11: a short name of the construction process. A circle takes its process item (one
// not known as mud-protected); any other section is dug by hand on frk and dry on fuk.
std::string processCell(const PileInput& input) {
    ProcessLabel label = ProcessLabel::MudProtected;
    if (!UsesCircleRules(input.section)) {
        label = input.mode == RockStrengthMode::Frk ? ProcessLabel::ManualDigging
                                                    : ProcessLabel::DryWork;
    } else if (input.process == 0) {
        label = ProcessLabel::DryWork;
    } else if (input.process == 2) {
        label = ProcessLabel::PostGrouted;
    }
    return processLabelText(label) + std::string("  ");
}

}  // namespace

std::vector<std::string> summaryTableHeader(const SummaryTableLayout& layout) {
    const std::string title = std::string(" ") + kBookName + " ";
    const int titleRule = (layout.width - DisplayWidth(title)) / 2;
    const std::string rule = repeat('-', layout.width);
    return {repeat('=', titleRule) + title + repeat('=', titleRule), rule, layout.captionLine1,
            layout.captionLine2, rule};
}

std::vector<std::string> summaryTableFooter(const SummaryTableLayout& layout,
                                            const std::string& timeText) {
    return {repeat('-', layout.width), std::string(" ") + kStandardNoteLine,
            repeat('=', layout.width), kTimeLinePrefix + timeText};
}

std::string roundedCell(const std::string& text, RoundingMode mode, int blanks) {
    return usesDecimals(mode) ? PadLeft(text, " ", 8) + Spaces(blanks)
                              : PadLeft(text, " ", 7) + Spaces(blanks + 1);
}

std::string dashCell() { return centredCell("-"); }

namespace {

bool circleRules(const SummaryRowSource& s) { return UsesCircleRules(s.input.section); }
bool hasSecondSize(const SummaryRowSource& s) { return HasSecondSize(s.input.section); }
// The depth ratio's column: hr/d, or hr/b.
bool depthInB(const SummaryRowSource& s) { return DepthUnitOf(s.input.section) == 'b'; }
bool isEllipse(const SummaryRowSource& s) { return s.input.section == SectionType::Ellipse; }
bool isRectangle(const SummaryRowSource& s) { return s.input.section == SectionType::Rectangle; }
bool isFrk(const SummaryRowSource& s) { return s.input.mode == RockStrengthMode::Frk; }

std::string size1Cell(const SummaryRowSource& s) { return rightCell(s.input.sizeText1, 6); }
std::string size2Cell(const SummaryRowSource& s) { return rightCell(s.input.sizeText2, 6); }
std::string depthRatioCell(const SummaryRowSource& s) {
    return rightCell(FormatFixed(s.result.depthRatio, 6, 2), 6);
}
// The coefficient with β, with one digit of precision more in fuk mode.
std::string coefCell(const SummaryRowSource& s) {
    return rightCell(FormatFixed(s.result.coef.value_or(0), isFrk(s) ? 5 : 6, 4), 7);
}

}  // namespace

const std::vector<SummaryColumn>& formulaOneColumns() {
    using S = const SummaryRowSource&;
    // clang-format off
    static const std::vector<SummaryColumn> columns = {
        {" 基    桩  ", " 编    号  ", [](S s) {
            return Spaces(3) + PadRight("ZH" + std::to_string(s.n), " ", 6) + Spaces(2); }},
        {"桩身截面  ", "类    型  ", [](S s) {
            return centredCell(std::string(
                DescribeShape(s.input.section, s.input.size1, s.input.size2).tableName)); }},
        {"桩身直径  ", "  d(mm)   ", [](S s) { return isRectangle(s) ? dashCell() : size1Cell(s); }},
        {"椭圆直段  ", "  c(mm)   ", [](S s) { return isEllipse(s) ? size2Cell(s) : dashCell(); }},
        {"矩形长边  ", "  a(mm)   ", [](S s) { return isRectangle(s) ? size1Cell(s) : dashCell(); }},
        {"矩形短边  ", "  b(mm)   ", [](S s) { return isRectangle(s) ? size2Cell(s) : dashCell(); }},
        {"桩身面积  ", " Ap(m^2)  ", [](S s) {
            return rightCell(FormatFixed(s.result.area / 1000000, 6, 2), 6); }},
        {"嵌岩深度  ", " hr(mm)   ", [](S s) { return rightCell(s.input.depthText, 6); }},
        {"单轴强度  ", "frk(MPa)  ", [](S s) {
            return isFrk(s) ? rightCell(FormatFixed(s.input.frk, 6, 2), 7) : dashCell(); }},
        {"极限强度  ", "fuk(MPa)  ", [](S s) {
            return isFrk(s) ? dashCell() : rightCell(FormatFixed(s.input.fuk, 6, 2), 7); }},
        {"成    桩  ", "工    艺  ", [](S s) { return processCell(s.input); }},
        {"深 径 比  ", "  hr/d    ", [](S s) { return depthInB(s) ? dashCell() : depthRatioCell(s); }},
        {"综合系数  ", "  ζr     ", [](S s) {
            return circleRules(s) && isFrk(s)
                       ? rightCell(ZetaText(s.result.zetaR.value_or(0), ShownOn::Book), 7) : dashCell(); }},
        {"深 宽 比  ", "  hr/b    ", [](S s) { return depthInB(s) ? depthRatioCell(s) : dashCell(); }},
        {"截面比值  ", "c/d(b/a)  ", [](S s) {
            return !hasSecondSize(s) ? dashCell()
                                     : rightCell(FormatFixed(s.result.sideRatio.value_or(0), 6, 2), 6); }},
        {"综合系数  ", "   β     ", [](S s) { return circleRules(s) && isFrk(s) ? dashCell() : coefCell(s); }},
        {"嵌岩阻力  ", " Qrk(kN)  ", [](S s) { return roundedCell(FormatResult(s.result.Qrk, s.mode, 10), s.mode, 2); }},
        {"安全系数  ", "    K     ", [](S s) { return centredCell(FormatFixed(s.result.K, 10, 2)); }},
        {"桩承载力  ", " Ra(kN)   ", [](S s) { return roundedCell(RaText(s.result.Ra, s.mode, ShownOn::Book), s.mode, 2); }},
        {"桩混凝土  ", "强度等级  ", [](S s) { return rightCell(s.input.gradeText, 6); }},
        {"工艺系数  ", "  ψc     ", [](S s) { return rightCell(FormatFixed(s.result.psiC, 3, 2), 6); }},
        {"桩身强度  ", " Rc(kN)   ", [](S s) { return roundedCell(RcText(s.result.Rc, s.mode, ShownOn::Book), s.mode, 2); }},
    };
    // clang-format on
    return columns;
}

SummaryTableLayout makeTableLayout(std::vector<SummaryColumn> columns) {
    SummaryTableLayout layout;
    std::tie(layout.captionLine1, layout.captionLine2) = captionLines(columns);
    layout.width = DisplayWidth(layout.captionLine1);
    layout.columns = std::move(columns);
    return layout;
}

const SummaryTableLayout& formulaOneTableLayout() {
    static const SummaryTableLayout layout = makeTableLayout(formulaOneColumns());
    return layout;
}

std::vector<std::string> tableRowCells(const SummaryTableLayout& layout,
                                       const SummaryRowSource& row) {
    return rowCells(layout.columns, row);
}

std::string tableRow(const SummaryTableLayout& layout, const SummaryRowSource& row) {
    return rowText(layout.columns, row);
}

std::vector<std::string> summaryRowCells(const PileInput& input, const PileResult& result,
                                         RoundingMode mode, int n) {
    return tableRowCells(formulaOneTableLayout(), {input, result, mode, n});
}

std::string summaryRow(const PileInput& input, const PileResult& result, RoundingMode mode, int n) {
    return tableRow(formulaOneTableLayout(), {input, result, mode, n});
}

}  // namespace pile
