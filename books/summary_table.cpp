// The summary table book of formula one: header, rows and footer.
//
// Cell widths: the pile number 11 columns, the Rc cell 9, every other cell 10, so that a row of
// formula one is 220 columns wide, as are the rules above and below it.
#include "books/summary_table.h"

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

// Column 11: a short name of the construction process.
std::string processCell(const PileInput& input) {
    if (input.section == SectionType::Circle) {
        switch (input.process) {
            case 0:
                return "干 作 业  ";
            case 2:
                return "后 注 浆  ";
            default:
                return "泥浆护壁  ";
        }
    }
    return input.mode == RockStrengthMode::Frk ? "人工挖孔  " : "干 作 业  ";
}

}  // namespace

const SummaryTableLayout& formulaOneTableLayout() {
    // clang-format off
    static const SummaryTableLayout layout{
        220,
        " 基    桩  桩身截面  桩身直径  椭圆直段  矩形长边  矩形短边  桩身面积  嵌岩深度  单轴强度  极限强度  成    桩  深 径 比  综合系数  深 宽 比  截面比值  综合系数  嵌岩阻力  安全系数  桩承载力  桩混凝土  工艺系数  桩身强度 ",
        " 编    号  类    型    d(mm)     c(mm)     a(mm)     b(mm)    Ap(m^2)   hr(mm)   frk(MPa)  fuk(MPa)  工    艺    hr/d      ζr       hr/b    c/d(b/a)     β      Qrk(kN)      K      Ra(kN)   强度等级    ψc      Rc(kN)  ",
    };
    // clang-format on
    return layout;
}

std::vector<std::string> summaryTableHeader(const SummaryTableLayout& layout) {
    const int titleRule = (layout.width - DisplayWidth(" 嵌岩桩计算书 ")) / 2;
    const std::string rule = repeat('-', layout.width);
    return {repeat('=', titleRule) + " 嵌岩桩计算书 " + repeat('=', titleRule), rule,
            layout.captionLine1, layout.captionLine2, rule};
}

std::vector<std::string> summaryTableFooter(const SummaryTableLayout& layout,
                                            const std::string& timeText) {
    return {repeat('-', layout.width),
            " 注: 采用《建筑桩基础设计与施工验收规范》(DBJ 50-200-2014)公式计算",
            repeat('=', layout.width), kTimeLinePrefix + timeText};
}

std::string roundedCell(double value, RoundingMode mode, int blanks) {
    const std::string text = FormatResult(value, mode, 10);
    return usesDecimals(mode) ? PadLeft(text, " ", 8) + Spaces(blanks)
                              : PadLeft(text, " ", 7) + Spaces(blanks + 1);
}

std::string dashCell() { return centredCell("-"); }

std::vector<std::string> summaryRowCells(const PileInput& input, const PileResult& result,
                                         RoundingMode mode, int n) {
    const bool circle = input.section == SectionType::Circle;
    const bool ellipse = input.section == SectionType::Ellipse;
    const bool rectangle = input.section == SectionType::Rectangle;
    const bool frk = input.mode == RockStrengthMode::Frk;
    const std::string dash = dashCell();

    const std::string typeName(DescribeShape(input.section, input.size1, input.size2).tableName);

    const std::string size1 = rightCell(input.sizeText1, 6);
    const std::string size2 = rightCell(input.sizeText2, 6);
    const std::string ratio = rightCell(FormatFixed(result.depthRatio, 6, 2), 6);
    // beta cell: coef, with one digit of precision more in fuk mode.
    const std::string coef = rightCell(FormatFixed(result.coef.value_or(0), frk ? 5 : 6, 4), 7);

    // clang-format off
    return {
        Spaces(3) + PadRight("ZH" + std::to_string(n), " ", 6) + Spaces(2),  // 1 pile number
        centredCell(typeName),                                               // 2 section
        rectangle ? dash : size1,                                            // 3 d
        ellipse ? size2 : dash,                                              // 4 c
        rectangle ? size1 : dash,                                            // 5 a
        rectangle ? size2 : dash,                                            // 6 b
        rightCell(FormatFixed(result.area / 1000000, 6, 2), 6),              // 7 Ap, m^2
        rightCell(input.depthText, 6),                                       // 8 hr
        frk ? rightCell(FormatFixed(input.frk, 6, 2), 7) : dash,             // 9 frk
        frk ? dash : rightCell(FormatFixed(input.fuk, 6, 2), 7),             // 10 fuk
        processCell(input),                                                  // 11 process
        rectangle ? dash : ratio,                                            // 12 hr/d
        circle && frk ? rightCell(FormatFixed(result.zetaR.value_or(0), 5, 4), 7) : dash,  // 13
        rectangle ? ratio : dash,                                            // 14 hr/b
        circle ? dash : rightCell(FormatFixed(result.sideRatio.value_or(0), 6, 2), 6),  // 15
        circle && frk ? dash : coef,                                         // 16 beta
        roundedCell(result.Qrk, mode, 2),                                    // 17 Qrk
        centredCell(FormatFixed(result.K, 10, 2)),                           // 18 K
        roundedCell(result.Ra, mode, 2),                                     // 19 Ra
        rightCell(input.gradeText, 6),                                       // 20 grade
        rightCell(FormatFixed(result.psiC, 3, 2), 6),                        // 21 psi_c
        roundedCell(result.Rc, mode, 1),                                     // 22 Rc
    };
    // clang-format on
}

std::string summaryRow(const PileInput& input, const PileResult& result, RoundingMode mode, int n) {
    std::string row;
    for (const std::string& cell : summaryRowCells(input, result, mode, n)) row += cell;
    return row;
}

}  // namespace pile
