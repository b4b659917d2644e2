// The detailed calculation book of formula one, block by block.
//
// Value lines print a label and the value right-aligned; most labels share one width and the
// values one pad width, so that values end in the column of the rule lines. A few labels of
// another width carry their own. Sizes and the socket depth are printed as typed (for a rectangle:
// as rewritten by the side ordering).
#include "books/detailed_book.h"

#include <utility>

#include "core/sections.h"
#include "core/text_width.h"

namespace pile {

namespace {

// The column most value lines are padded to, and the width of their values.
constexpr int kValueColumn = 35;
constexpr int kValueWidth = 10;

bool isFrk(const PileInput& input) { return input.mode == RockStrengthMode::Frk; }

bool circleRules(const PileInput& input) { return UsesCircleRules(input.section); }

bool isRectangle(const PileInput& input) { return input.section == SectionType::Rectangle; }

// The condition of clause 5.3.9, item 1, over three lines, as both the input data and the
// formulas print it.
constexpr const char* kSlopeCondition[3] = {"桩中心距边坡水平距离大于边坡高",
                                            "度、位于斜坡上桩基嵌岩段桩边距",
                                            "斜坡边最小水平距离不小于5m"};

// The rule of the tables of section 5, in hyphens.
constexpr int kSummaryRule = 39;

BookValue value(std::string number, std::string label, std::string text, std::string unit = {},
                int column = kValueColumn, int width = kValueWidth) {
    return {std::move(number), {std::move(label)}, std::move(text), std::move(unit), column, width};
}

void add(BookModel& book, BookBlock block) { book.blocks.push_back(std::move(block)); }

void formula(BookModel& book, int indent, std::string text, std::string clause, int clauseColumn) {
    add(book, BookFormula{std::move(text), std::move(clause), indent, clauseColumn, {}, {}, 0, 0});
}

void note(BookModel& book, int indent, std::string text) {
    add(book, BookNote{{std::move(text)}, indent, indent});
}

// The section kind, then its sizes as typed: d; d and c; a and b.
void appendSectionBlock(BookModel& book, const PileInput& input, std::string number,
                        std::string typeName) {
    add(book, value(std::move(number), "桩身截面类型", std::move(typeName), {}, 0, 26));
    if (isRectangle(input)) {
        add(book, value({}, "矩形长边尺寸a", input.sizeText1, "mm"));
        add(book, value({}, "矩形短边尺寸b", input.sizeText2, "mm"));
        return;
    }
    add(book, value({}, "桩身直径d", input.sizeText1, "mm"));
    if (HasSecondSize(input.section)) add(book, value({}, "椭圆直段长度c", input.sizeText2, "mm"));
}

BookValue rockValue(const PileInput& input, std::string number) {
    return isFrk(input) ? value(std::move(number), "岩石单轴抗压强度标准值f_{rk}",
                                FormatFixed(input.frk, 6, 2), "MPa")
                        : value(std::move(number), "桩端地基极限承载力标准值f_{uk}",
                                FormatFixed(input.fuk, 6, 2), "MPa");
}

BookValue processValue(const PileInput& input, std::string number) {
    return value(std::move(number), "基桩成桩工艺", input.processText, {}, 0, 26);
}

// The two conditions on the socket depth that choose between a pair of formulas.
void shallowSocket(BookModel& book) { note(book, 10, "h_{r}＜0.5d 或 0.5b 时"); }
void deepSocket(BookModel& book) { note(book, 10, "h_{r}≥0.5d 或 0.5b 时"); }

BookColumn centred(std::string caption1, std::string caption2, int gap = 2) {
    return {std::move(caption1), std::move(caption2), 0, 8, CellAlign::Centre, gap};
}

}  // namespace

const SectionDescription& shapeOf(const PileInput& input) {
    return DescribeShape(input.section, input.size1, input.size2);
}

void appendBookTitle(BookModel& book, int n) {
    add(book, BookTitle{kBookName, "1", "基桩编号", "ZH" + std::to_string(n)});
}

void appendInputData(BookModel& book, const PileInput& input) {
    add(book, BookHeading{1, "2", "输入数据", {}});
    add(book, BookHeading{2, "2.1", "基桩参数", {}});
    // Section 2 names the input kind, so a square is still entered as a rectangle.
    appendSectionBlock(book, input, {}, std::string(Describe(input.section).name));
    add(book, value({}, "桩身嵌岩深度h_{r}", input.depthText, input.depthIsMultiple ? "" : "mm"));
    add(book, value({}, "桩身混凝土强度等级", input.gradeText));
    add(book, BookHeading{2, "2.2", "基岩参数", {}});
    add(book, rockValue(input, {}));
    if (isFrk(input) && !circleRules(input)) {
        add(book, BookValue{{},
                            {std::string("是否") + kSlopeCondition[0], kSlopeCondition[1],
                             kSlopeCondition[2]},
                            input.slopeConditionMet ? "是" : "否",
                            {},
                            0,
                            8});
    }
    add(book, processValue(input, "2.3"));
}

void appendFormulas(BookModel& book, const PileInput& input) {
    add(book, BookHeading{1, "3", "采用规范及公式", {}});
    add(book, BookHeading{2, "3.1", "采用规范", ": "});
    note(book, 12, "《建筑桩基础设计与施工验收规范》");
    note(book, 19, "(DBJ 50-200-2014)");
    add(book, BookHeading{2, "3.2", "规范公式", ": "});
    formula(book, 15, "R_{a}=Q_{uk}/K", "5.2.2", 38);
    formula(book, 14, "Q_{uk}=Q_{sk}+Q_{rk}", "5.3.4", 38);
    formula(book, 14, "Q_{sk}=μ∑ψ_{si}.q_{sik}.l_{i}", "5.3.6", 36);
    if (!isFrk(input)) {
        // Clause 5.3.8, every section.
        shallowSocket(book);
        formula(book, 14, "Q_{rk}=f_{uk}.A_{p}", "5.3.8-1", 36);
        deepSocket(book);
        formula(book, 14, "Q_{rk}=1.2βf_{uk}.A_{p}", "5.3.8-2", 35);
    } else if (circleRules(input)) {
        formula(book, 14, "Q_{rk}=ζ_{r}.f_{rk}.A_{p}", "5.3.7", 37);
    } else {
        // Clause 5.3.9, with and without the slope condition.
        add(book, BookNote{{std::string("1、") + kSlopeCondition[0], kSlopeCondition[1],
                            std::string(kSlopeCondition[2]) + ":   "},
                           7,
                           10});
        shallowSocket(book);
        formula(book, 14, "Q_{rk}=α_{0}.f_{rk}.A_{p}", "5.3.9-1", 35);
        deepSocket(book);
        formula(book, 14, "Q_{rk}=1.2α_{0}.βf_{rk}.A_{p}", "5.3.9-2", 34);
        note(book, 7, "2、嵌岩段岩石条件不满足第1款：   ");
        shallowSocket(book);
        formula(book, 14, "Q_{rk}=f_{rk}.A_{p}", "5.3.9-3", 36);
        deepSocket(book);
        formula(book, 14, "Q_{rk}=1.2βf_{rk}.A_{p}", "5.3.9-4", 35);
    }
}

void appendShaftFormula(BookModel& book) {
    formula(book, 8, "1.2Q_{g}^{n}+γ_{0}.N≤ψ_{c}.f_{c}.A", "5.4.5", 36);
}

void appendRockResistance(BookModel& book, const PileInput& input, const PileResult& result,
                          const std::string& rockClassName) {
    add(book, BookHeading{1, "4", "承载力计算", {}});
    appendSectionBlock(book, input, "4.1", std::string(shapeOf(input).name));
    // Area in m^2 and perimeter in m.
    add(book, value({}, "桩身截面面积A_{p}(A)", FormatFixed(result.area / 1000000, 6, 2), "m^2"));
    add(book, value({}, "桩身截面周长μ", FormatFixed(result.perimeter / 1000, 6, 2), "m", 34));
    add(book, rockValue(input, "4.2"));
    if (isFrk(input)) add(book, value({}, "岩石坚硬程度", rockClassName, {}, 33, 12));

    // The printed ratio is the computed one; the ratio the lookup used follows only when the
    // table capped it. The ratio names the depth's unit length: hr/d, or hr/b.
    const bool rect = DepthUnitOf(input.section) == 'b';
    add(book, value("4.3", rect ? "嵌岩深宽比h_{r}/b" : "嵌岩深径比h_{r}/d",
                    FormatFixed(result.depthRatio, 6, 2)));
    if (result.capped) {
        add(book, value({}, rect ? "计算承载力采用的嵌岩深宽比" : "计算承载力采用的嵌岩深径比",
                        FormatFixed(result.rUsed, 6, 2)));
    }
    const BookValue coef = value({}, "考虑嵌固力影响后承载力综合系数β",
                                 FormatFixed(result.coef.value_or(0), 5, 4), {}, 0, 6);
    const std::string sideRatio = FormatFixed(result.sideRatio.value_or(0), 6, 2);
    switch (input.section) {
        case SectionType::Circle:
            if (isFrk(input)) {
                add(book, value({}, "嵌岩段侧阻和端阻综合系数ζ_{r}",
                                ZetaText(result.zetaR.value_or(0), ShownOn::Book), {}, 34));
            } else {
                add(book, coef);
            }
            break;
        case SectionType::Ellipse:
            add(book, value({}, "椭圆桩直段长度与直径之比c/d", sideRatio, {}, 0, 11));
            add(book, coef);
            break;
        case SectionType::Rectangle:
            add(book, value({}, "矩形桩短边尺寸与长边尺寸之比b/a", sideRatio, {}, 0, 7));
            add(book, coef);
            break;
    }
    add(book, value({}, "嵌岩段总极限阻力标准值Q_{rk}", FormatFixed(result.Qrk, 10, 2), "kN"));
}

void appendSoilResistanceOmitted(BookModel& book) {
    add(book, value("4.4", "土的总极限侧阻力标准值Q_{sk}(不考虑)", "0.00", "kN", 0, 5));
}

void appendUltimateCapacity(BookModel& book, const PileResult& result) {
    add(book, value("4.5", "桩竖向极限承载力标准值Q_{uk}", FormatFixed(result.Quk, 10, 2), "kN"));
    add(book, value({}, "安全系数K", FormatFixed(result.K, 10, 2), {}, 0, 29));
    add(book, value({}, "单桩竖向承载力特征值R_{a}", FormatFixed(result.Ra, 10, 2), "kN"));
}

void appendShaftCapacity(BookModel& book, const PileInput& input, const PileResult& result) {
    add(book, processValue(input, "4.6"));
    add(book, value({}, "基桩成桩工艺系数ψ_{c}", FormatFixed(result.psiC, 3, 2), {}, 34));
    add(book, value({}, "桩身混凝土强度设计值f_{c}", FormatFixed(result.fc, 6, 2), "MPa"));
    add(book, value({}, "桩身正截面受压承载力设计值R_{c}", FormatFixed(result.Rc, 10, 2), "kN", 0));
}

void appendSummaryBlocks(BookModel& book, const PileInput& input, const PileResult& result,
                         RoundingMode mode, int n) {
    add(book, BookHeading{1, "5", "基桩主要数据汇总", {}});
    const bool rect = isRectangle(input);
    BookTable sizes{
        {{"基    桩  ", "编    号  ", 2, 6, CellAlign::Left, 2},
         centred("桩身截面  ", "类    型  "),
         rect ? centred("矩形长边  ", "  a(mm)   ") : centred("桩身直径  ", "  d(mm)   "),
         rect ? centred("矩形短边 ", "  b(mm)  ", 1) : centred("椭圆直段 ", "  c(mm)  ", 1)},
        {},
        6,
        kSummaryRule,
        false};
    sizes.rows.push_back({"ZH" + std::to_string(n), std::string(shapeOf(input).tableName),
                          input.sizeText1, HasSecondSize(input.section) ? input.sizeText2 : "-"});
    add(book, std::move(sizes));

    const bool frk = isFrk(input);
    BookTable capacity{
        {centred("嵌岩深度  ", " h_{r}(mm)   "),
         frk ? centred("岩石强度  ", "f_{rk}(MPa)  ") : centred("极限强度  ", "f_{uk}(MPa)  "),
         centred("桩承载力  ", " R_{a}(kN)   "), centred("桩身强度 ", " R_{c}(kN)  ", 1)},
        {},
        6,
        kSummaryRule,
        false};
    capacity.rows.push_back({input.depthText, FormatFixed(frk ? input.frk : input.fuk, 6, 2),
                             RaText(result.Ra, mode, ShownOn::Book),
                             RcText(result.Rc, mode, ShownOn::Book)});
    add(book, std::move(capacity));
}

namespace {

// The pile socketed in rock, for the drawing of the typeset book.
BookSoilFigure rockFigure(const PileInput& input, const std::string& rockClassName) {
    BookSoilFigure figure;
    figure.socket = input.hr / 1000;
    figure.socketText = input.depthText + (input.depthIsMultiple ? "" : " mm");
    figure.rockText = rockClassName.empty() ? std::string("基岩") : rockClassName;
    if (isRectangle(input)) {
        // The short side b across, as the depth ratio hr/b reads it.
        figure.diameter = input.size2 / 1000;
        figure.diameterText = "b=" + input.sizeText2 + " mm";
    } else {
        figure.diameter = input.size1 / 1000;
        figure.diameterText = "d=" + input.sizeText1 + " mm";
    }
    return figure;
}

}  // namespace

void appendBookClosing(BookModel& book, const std::string& timeText) {
    if (!book.blocks.empty()) {
        if (auto* table = std::get_if<BookTable>(&book.blocks.back())) table->closed = true;
    }
    add(book, BookClosing{timeText});
}

BookModel detailedBook(const PileInput& input, const PileResult& result,
                       const std::string& rockClassName, RoundingMode mode, int n,
                       const std::string& timeText) {
    BookModel book;
    appendBookTitle(book, n);
    appendInputData(book, input);
    appendFormulas(book, input);
    appendShaftFormula(book);
    appendRockResistance(book, input, result, rockClassName);
    appendSoilResistanceOmitted(book);
    appendUltimateCapacity(book, result);
    appendShaftCapacity(book, input, result);
    add(book, rockFigure(input, rockClassName));
    appendSummaryBlocks(book, input, result, mode, n);
    appendBookClosing(book, timeText);
    return book;
}

BookLines detailedBookLines(const PileInput& input, const PileResult& result,
                            const std::string& rockClassName, RoundingMode mode, int n,
                            const std::string& timeText) {
    return bookTextLines(detailedBook(input, result, rockClassName, mode, n, timeText));
}

}  // namespace pile
