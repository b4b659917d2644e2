// The detailed calculation book of formula one, block by block.
//
// Value lines are a label followed by the value right-aligned with PadLeft (pad " "); most
// labels share one width and the values one pad width, so values end in the column of the rule
// lines. A few labels of another width carry their own pad width. Sizes and the socket depth
// are printed as typed (for a rectangle: as rewritten by the side ordering).
#include "books/detailed_book.h"

#include <utility>

#include "core/sections.h"
#include "core/text_width.h"

namespace pile {

namespace {

std::string padValue(const std::string& text, int width) { return PadLeft(text, " ", width); }

bool isFrk(const PileInput& input) { return input.mode == RockStrengthMode::Frk; }

bool circleRules(const PileInput& input) { return UsesCircleRules(input.section); }

bool isRectangle(const PileInput& input) { return input.section == SectionType::Rectangle; }

constexpr const char* kSummaryRule = "      ---------------------------------------";

// The section kind, then its sizes as typed: d; d and c; a and b.
void appendSectionBlock(BookLines& lines, const PileInput& input, std::string typeLine) {
    lines.push_back(std::move(typeLine));
    if (isRectangle(input)) {
        lines.push_back("      矩形长边尺寸a:               " + padValue(input.sizeText1, 10) +
                        " mm");
        lines.push_back("      矩形短边尺寸b:               " + padValue(input.sizeText2, 10) +
                        " mm");
        return;
    }
    lines.push_back("      桩身直径d:                   " + padValue(input.sizeText1, 10) + " mm");
    if (HasSecondSize(input.section))
        lines.push_back("      椭圆直段长度c:               " + padValue(input.sizeText2, 10) +
                        " mm");
}

}  // namespace

const SectionDescription& shapeOf(const PileInput& input) {
    return DescribeShape(input.section, input.size1, input.size2);
}

void appendBookTitle(BookLines& lines, int n) {
    lines.push_back("================== 嵌岩桩计算书 ==================");
    lines.push_back("1.基桩编号: ZH" + std::to_string(n));
}

void appendInputData(BookLines& lines, const PileInput& input) {
    lines.push_back("2.输入数据");
    lines.push_back("  2.1 基桩参数");
    // Section 2 names the input kind, so a square is still entered as a rectangle.
    appendSectionBlock(
        lines, input,
        "      桩身截面类型:" + padValue(std::string(Describe(input.section).name), 26));
    const std::string depth = "      桩身嵌岩深度hr:              " + padValue(input.depthText, 10);
    lines.push_back(input.depthIsMultiple ? depth : depth + " mm");
    lines.push_back("      桩身混凝土强度等级:          " + padValue(input.gradeText, 10));
    lines.push_back("  2.2 基岩参数");
    if (isFrk(input)) {
        lines.push_back("      岩石单轴抗压强度标准值frk:   " +
                        padValue(FormatFixed(input.frk, 6, 2), 10) + " MPa");
        if (!circleRules(input)) {
            lines.push_back("      是否桩中心距边坡水平距离大于边坡高");
            lines.push_back("          度、位于斜坡上桩基嵌岩段桩边距");
            lines.push_back(input.slopeConditionMet
                                ? "          斜坡边最小水平距离不小于5m:      是"
                                : "          斜坡边最小水平距离不小于5m:      否");
        }
    } else {
        lines.push_back("      桩端地基极限承载力标准值fuk: " +
                        padValue(FormatFixed(input.fuk, 6, 2), 10) + " MPa");
    }
    lines.push_back("  2.3 基桩成桩工艺:" + padValue(input.processText, 26));
}

void appendFormulas(BookLines& lines, const PileInput& input) {
    lines.push_back("3.采用规范及公式");
    lines.push_back("  3.1 采用规范: ");
    lines.push_back("            《建筑桩基础设计与施工验收规范》");
    lines.push_back("                   (DBJ 50-200-2014)");
    lines.push_back("  3.2 规范公式: ");
    lines.push_back("               Ra=Quk/K               (5.2.2)");
    lines.push_back("              Quk=Qsk+Qrk             (5.3.4)");
    lines.push_back("              Qsk=μ∑ψsi.qsik.li    (5.3.6)");
    if (!isFrk(input)) {
        // Clause 5.3.8, every section.
        lines.push_back("          hr＜0.5d 或 0.5b 时");
        lines.push_back("              Qrk=fuk.Ap            (5.3.8-1)");
        lines.push_back("          hr≥0.5d 或 0.5b 时");
        lines.push_back("              Qrk=1.2βfuk.Ap       (5.3.8-2)");
    } else if (circleRules(input)) {
        lines.push_back("              Qrk=ζr.frk.Ap          (5.3.7)");
    } else {
        // Clause 5.3.9, with and without the slope condition.
        lines.push_back("       1、桩中心距边坡水平距离大于边坡高");
        lines.push_back("          度、位于斜坡上桩基嵌岩段桩边距");
        lines.push_back("          斜坡边最小水平距离不小于5m:   ");
        lines.push_back("          hr＜0.5d 或 0.5b 时");
        lines.push_back("              Qrk=α0.frk.Ap        (5.3.9-1)");
        lines.push_back("          hr≥0.5d 或 0.5b 时");
        lines.push_back("              Qrk=1.2α0.βfrk.Ap   (5.3.9-2)");
        lines.push_back("       2、嵌岩段岩石条件不满足第1款：   ");
        lines.push_back("          hr＜0.5d 或 0.5b 时");
        lines.push_back("              Qrk=frk.Ap            (5.3.9-3)");
        lines.push_back("          hr≥0.5d 或 0.5b 时");
        lines.push_back("              Qrk=1.2βfrk.Ap       (5.3.9-4)");
    }
}

void appendShaftFormula(BookLines& lines) {
    lines.push_back("        1.2Qgn+γ0.N≤ψc.fc.A        (5.4.5)");
}

void appendRockResistance(BookLines& lines, const PileInput& input, const PileResult& result,
                          const std::string& rockClassName) {
    lines.push_back("4.承载力计算");
    appendSectionBlock(lines, input,
                       "  4.1 桩身截面类型:" + padValue(std::string(shapeOf(input).name), 26));
    // Area in m^2 and perimeter in m.
    lines.push_back("      桩身截面面积Ap(A):           " +
                    padValue(FormatFixed(result.area / 1000000, 6, 2), 10) + " m^2");
    lines.push_back("      桩身截面周长μ:              " +
                    padValue(FormatFixed(result.perimeter / 1000, 6, 2), 10) + " m");
    if (isFrk(input)) {
        lines.push_back("  4.2 岩石单轴抗压强度标准值frk:   " +
                        padValue(FormatFixed(input.frk, 6, 2), 10) + " MPa");
        lines.push_back("      岩石坚硬程度:              " + padValue(rockClassName, 12));
    } else {
        lines.push_back("  4.2 桩端地基极限承载力标准值fuk: " +
                        padValue(FormatFixed(input.fuk, 6, 2), 10) + " MPa");
    }

    // The printed ratio is the computed one; the ratio the lookup used follows only when the
    // table capped it.
    // The ratio names the depth's unit length: hr/d, or hr/b.
    const bool rect = DepthUnitOf(input.section) == 'b';
    const std::string ratio = padValue(FormatFixed(result.depthRatio, 6, 2), 10);
    lines.push_back(rect ? "  4.3 嵌岩深宽比hr/b:              " + ratio
                         : "  4.3 嵌岩深径比hr/d:              " + ratio);
    if (result.capped) {
        const std::string used = padValue(FormatFixed(result.rUsed, 6, 2), 10);
        lines.push_back(rect ? "      计算承载力采用的嵌岩深宽比:  " + used
                             : "      计算承载力采用的嵌岩深径比:  " + used);
    }
    const std::string coef = padValue(FormatFixed(result.coef.value_or(0), 5, 4), 6);
    switch (input.section) {
        case SectionType::Circle:
            if (isFrk(input)) {
                lines.push_back("      嵌岩段侧阻和端阻综合系数ζr: " +
                                padValue(ZetaText(result.zetaR.value_or(0), ShownOn::Book), 10));
            } else {
                lines.push_back("      考虑嵌固力影响后承载力综合系数β:" + coef);
            }
            break;
        case SectionType::Ellipse:
            lines.push_back("      椭圆桩直段长度与直径之比c/d:" +
                            padValue(FormatFixed(result.sideRatio.value_or(0), 6, 2), 11));
            lines.push_back("      考虑嵌固力影响后承载力综合系数β:" + coef);
            break;
        case SectionType::Rectangle:
            lines.push_back("      矩形桩短边尺寸与长边尺寸之比b/a:" +
                            padValue(FormatFixed(result.sideRatio.value_or(0), 6, 2), 7));
            lines.push_back("      考虑嵌固力影响后承载力综合系数β:" + coef);
            break;
    }
    lines.push_back("      嵌岩段总极限阻力标准值Qrk:   " +
                    padValue(FormatFixed(result.Qrk, 10, 2), 10) + " kN");
}

void appendSoilResistanceOmitted(BookLines& lines) {
    lines.push_back("  4.4 土的总极限侧阻力标准值Qsk(不考虑): 0.00 kN");
}

void appendUltimateCapacity(BookLines& lines, const PileResult& result) {
    lines.push_back("  4.5 桩竖向极限承载力标准值Quk:   " +
                    padValue(FormatFixed(result.Quk, 10, 2), 10) + " kN");
    lines.push_back("      安全系数K:" + padValue(FormatFixed(result.K, 10, 2), 29));
    lines.push_back("      单桩竖向承载力特征值Ra:      " +
                    padValue(FormatFixed(result.Ra, 10, 2), 10) + " kN");
}

void appendShaftCapacity(BookLines& lines, const PileInput& input, const PileResult& result) {
    lines.push_back("  4.6 基桩成桩工艺:" + padValue(input.processText, 26));
    lines.push_back("      基桩成桩工艺系数ψc:         " +
                    padValue(FormatFixed(result.psiC, 3, 2), 10));
    lines.push_back("      桩身混凝土强度设计值fc:      " +
                    padValue(FormatFixed(result.fc, 6, 2), 10) + " MPa");
    lines.push_back("      桩身正截面受压承载力设计值Rc:" +
                    padValue(FormatFixed(result.Rc, 10, 2), 10) + " kN");
}

void appendSummaryBlocks(BookLines& lines, const PileInput& input, const PileResult& result,
                         RoundingMode mode, int n) {
    const auto center = [](const std::string& s) { return PadCenter(s, " ", 8); };
    lines.push_back("5.基桩主要数据汇总");
    lines.push_back(kSummaryRule);
    if (isRectangle(input)) {
        lines.push_back("      基    桩  桩身截面  矩形长边  矩形短边 ");
        lines.push_back("      编    号  类    型    a(mm)     b(mm)  ");
    } else {
        lines.push_back("      基    桩  桩身截面  桩身直径  椭圆直段 ");
        lines.push_back("      编    号  类    型    d(mm)     c(mm)  ");
    }
    lines.push_back(kSummaryRule);

    const std::string typeName(shapeOf(input).tableName);
    const std::string third = HasSecondSize(input.section) ? input.sizeText2 : "-";
    lines.push_back(Spaces(8) + PadRight("ZH" + std::to_string(n), " ", 6) + Spaces(2) +
                    center(typeName) + Spaces(2) + center(input.sizeText1) + Spaces(2) +
                    center(third) + Spaces(1));
    lines.push_back(kSummaryRule);

    if (isFrk(input)) {
        lines.push_back("      嵌岩深度  岩石强度  桩承载力  桩身强度 ");
        lines.push_back("       hr(mm)   frk(MPa)   Ra(kN)    Rc(kN)  ");
    } else {
        lines.push_back("      嵌岩深度  极限强度  桩承载力  桩身强度 ");
        lines.push_back("       hr(mm)   fuk(MPa)   Ra(kN)    Rc(kN)  ");
    }
    lines.push_back(kSummaryRule);
    const double strength = isFrk(input) ? input.frk : input.fuk;
    lines.push_back(Spaces(6) + center(input.depthText) + Spaces(2) +
                    center(FormatFixed(strength, 6, 2)) + Spaces(2) +
                    center(RaText(result.Ra, mode, ShownOn::Book)) + Spaces(2) +
                    center(RcText(result.Rc, mode, ShownOn::Book)) + Spaces(1));
}

void appendBookClosing(BookLines& lines, const std::string& timeText) {
    lines.push_back(kSummaryRule);
    lines.push_back(kBookClosingRule);
    lines.push_back(kTimeLinePrefix + timeText);
}

BookLines detailedBookLines(const PileInput& input, const PileResult& result,
                            const std::string& rockClassName, RoundingMode mode, int n,
                            const std::string& timeText) {
    BookLines lines;
    appendBookTitle(lines, n);
    appendInputData(lines, input);
    appendFormulas(lines, input);
    appendShaftFormula(lines);
    appendRockResistance(lines, input, result, rockClassName);
    appendSoilResistanceOmitted(lines);
    appendUltimateCapacity(lines, result);
    appendShaftCapacity(lines, input, result);
    appendSummaryBlocks(lines, input, result, mode, n);
    appendBookClosing(lines, timeText);
    return lines;
}

}  // namespace pile
