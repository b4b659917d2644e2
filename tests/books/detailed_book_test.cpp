// The detailed book of formula one: the default pile against its golden text, and the lines
// that depend on section, rock mode, slope condition, capping and the depth's unit.
#include "books/detailed_book.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <fstream>

#include "core/text_width.h"
#include "tests/books/book_fixture.h"

namespace pile {
namespace {

using test::compute;
using test::screenTexts;

constexpr const char* kTime = "2026-12-10 12:00:00";

std::vector<std::string> readGolden(const std::string& name) {
    std::ifstream in(std::string(PILE_BOOKS_GOLDEN_DIR) + "/" + name, std::ios::binary);
    EXPECT_TRUE(in) << name;
    std::vector<std::string> lines;
    for (std::string line; std::getline(in, line);) lines.push_back(line);
    return lines;
}

BookLines bookOf(const InputTexts& texts, RoundingMode mode = RoundingMode::Units, int n = 1) {
    const auto pile = compute(texts);
    return detailedBookLines(pile.input, pile.result, pile.rockClassName, mode, n, kTime);
}

TEST(DetailedBook, DefaultPileMatchesGoldenText) {
    const BookLines book = bookOf(InputTexts{});
    const std::vector<std::string> golden = readGolden("default_pile_book.txt");
    ASSERT_EQ(book.size(), golden.size());
    for (size_t i = 0; i < book.size(); ++i) EXPECT_EQ(book[i], golden[i]) << "line " << i + 1;
}

struct BookCase {
    const char* name;
    InputTexts texts;
    std::vector<std::string> inOrder;         // lines that appear, in this order
    std::vector<std::string> absentPrefixes;  // no line starts with these
};

InputTexts with(InputTexts t, void (*edit)(InputTexts&)) {
    edit(t);
    return t;
}

const std::vector<BookCase>& bookCases() {
    static const std::vector<BookCase> cases = {
        {"circle frk: clause 5.3.7 only, zeta_r padded to 10, K 2",
         InputTexts{},
         {"              Qrk=ζr.frk.Ap          (5.3.7)",
          "        1.2Qgn+γ0.N≤ψc.fc.A        (5.4.5)",
          "      岩石坚硬程度:              "
          "      较软岩",
          "      嵌岩段侧阻和端阻综合系数ζr: "
          "    0.8567",
          "      安全系数K:                         2.00"},
         {"          hr＜0.5d", "      考虑嵌固力影响后承载力综合系数β:", "      计算承载力采用的",
          "      是否桩中心距边坡", "      桩端地基极限承载力标准值fuk:"}},
        {"circle fuk: clause 5.3.8, beta padded to 6, K 3",
         screenTexts(SectionType::Circle, RockStrengthMode::Fuk),
         {"  2.2 基岩参数",
          "      桩端地基极限承载力标准值fuk: "
          "     24.00 MPa",
          "  2.3 基桩成桩工艺:"
          "      干作业成孔且清底干净",
          "          hr＜0.5d 或 0.5b 时", "              Qrk=fuk.Ap            (5.3.8-1)",
          "          hr≥0.5d 或 0.5b 时", "              Qrk=1.2βfuk.Ap       (5.3.8-2)",
          "        1.2Qgn+γ0.N≤ψc.fc.A        (5.4.5)",
          "  4.2 桩端地基极限承载力标准值fuk: "
          "     24.00 MPa",
          "  4.3 嵌岩深径比hr/d:              "
          "      1.00",
          "      考虑嵌固力影响后承载力综合系数β:"
          "1.3260",
          "      嵌岩段总极限阻力标准值Qrk:   "
          "  24994.51 kN",
          "      安全系数K:                         3.00",
          "      单桩竖向承载力特征值Ra:      "
          "   8331.50 kN",
          "      基桩成桩工艺系数ψc:         "
          "      0.90",
          "      嵌岩深度  极限强度  桩承载力  桩身强度 ",
          "       hr(mm)   fuk(MPa)   Ra(kN)    Rc(kN)  "},
         {"              Qrk=ζr", "      岩石坚硬程度:", "      岩石单轴抗压强度标准值frk:",
          "  4.2 岩石单轴", "      嵌岩段侧阻和端阻综合系数ζr:", "       1、"}},
        {"ellipse frk, slope condition not met",
         screenTexts(SectionType::Ellipse),
         {"      桩身截面类型:                    椭圆桩",
          "      桩身直径d:                   "
          "      1000 mm",
          "      椭圆直段长度c:               "
          "       500 mm",
          "      是否桩中心距边坡水平距离大于边坡高",
          "          度、位于斜坡上桩基嵌岩段桩边距",
          "          斜坡边最小水平距离不小于5m:      否",
          "  2.3 基桩成桩工艺:"
          "                  人工挖孔",
          "       1、桩中心距边坡水平距离大于边坡高",
          "          度、位于斜坡上桩基嵌岩段桩边距",
          "          斜坡边最小水平距离不小于5m:   ",
          "          hr＜0.5d 或 0.5b 时",
          "              Qrk=α0.frk.Ap        (5.3.9-1)",
          "          hr≥0.5d 或 0.5b 时",
          "              Qrk=1.2α0.βfrk.Ap   (5.3.9-2)",
          "       2、嵌岩段岩石条件不满足第1款：   ",
          "          hr＜0.5d 或 0.5b 时",
          "              Qrk=frk.Ap            (5.3.9-3)",
          "          hr≥0.5d 或 0.5b 时",
          "              Qrk=1.2βfrk.Ap       (5.3.9-4)",
          "        1.2Qgn+γ0.N≤ψc.fc.A        (5.4.5)",
          "  4.1 桩身截面类型:                    椭圆桩",
          "      椭圆直段长度c:               "
          "       500 mm",
          "      桩身截面面积Ap(A):           "
          "      1.29 m^2",
          "  4.3 嵌岩深径比hr/d:              "
          "      1.00",
          "      椭圆桩直段长度与直径之比c/d:"
          "       0.50",
          "      考虑嵌固力影响后承载力综合系数β:"
          "1.3062",
          "      嵌岩段总极限阻力标准值Qrk:   "
          "  41974.68 kN",
          "      安全系数K:                         3.00",
          "      基    桩  桩身截面  桩身直径  椭圆直段 ",
          "        ZH1      椭圆桩     1000       500   "},
         {"              Qrk=ζr", "  4.2 桩端"}},
        {"rectangle frk, slope condition met, sides typed short first",
         with(screenTexts(SectionType::Rectangle),
              [](InputTexts& t) {
                  t.dd = "1000";
                  t.tyzd = "1500";
                  t.slope = true;
              }),
         {"      桩身截面类型:                    矩形桩",
          "      矩形长边尺寸a:               "
          "      1500 mm",
          "      矩形短边尺寸b:               "
          "      1000 mm",
          "      桩身嵌岩深度hr:              "
          "      1.0b",
          "          斜坡边最小水平距离不小于5m:      是",
          "  4.1 桩身截面类型:                    矩形桩",
          "  4.3 嵌岩深宽比hr/b:              "
          "      1.00",
          "      矩形桩短边尺寸与长边尺寸之比b/a:"
          "   0.67",
          "      考虑嵌固力影响后承载力综合系数β:"
          "1.4300",
          "      嵌岩段总极限阻力标准值Qrk:   "
          "  53625.00 kN",
          "      基    桩  桩身截面  矩形长边  矩形短边 ",
          "      编    号  类    型    a(mm)     b(mm)  ",
          "        ZH1      矩形桩     1500      1000   "},
         {"  4.3 嵌岩深径比", "      椭圆", "      桩身直径d:"}},
        {"square fuk: rectangle in 2.1, square in 4.1 and the summary",
         with(screenTexts(SectionType::Rectangle, RockStrengthMode::Fuk),
              [](InputTexts& t) { t.dd = t.tyzd = "1200"; }),
         {"      桩身截面类型:                    矩形桩",
          "              Qrk=fuk.Ap            (5.3.8-1)",
          "  4.1 桩身截面类型:                      方桩",
          "      矩形桩短边尺寸与长边尺寸之比b/a:"
          "   1.00",
          "      安全系数K:                         3.00",
          "        ZH1      方  桩     1200      1200   "},
         {"  4.1 桩身截面类型:                    矩形桩", "      是否桩中心距边坡"}},
        {"capped circle: soft rock, hr/d = 9 uses 8",
         with(InputTexts{},
              [](InputTexts& t) {
                  t.frk = "10";
                  t.hr = "9.0d";
              }),
         {"      岩石坚硬程度:              "
          "        软岩",
          "  4.3 嵌岩深径比hr/d:              "
          "      9.00",
          "      计算承载力采用的嵌岩深径比:  "
          "      8.00",
          "      嵌岩段侧阻和端阻综合系数ζr: "
          "    1.7000"},
         {"      计算承载力采用的嵌岩深宽比:"}},
        {"capped rectangle: hr/b = 6 uses 5",
         with(screenTexts(SectionType::Rectangle),
              [](InputTexts& t) {
                  t.dd = "1500";
                  t.hr = "6.0b";
              }),
         {"  4.3 嵌岩深宽比hr/b:              "
          "      6.00",
          "      计算承载力采用的嵌岩深宽比:  "
          "      5.00",
          "      矩形桩短边尺寸与长边尺寸之比b/a:"
          "   0.67"},
         {"      计算承载力采用的嵌岩深径比:"}},
        {"depth in mm carries its unit; the process text is padded to 26",
         with(InputTexts{},
              [](InputTexts& t) {
                  t.hr = "1500";
                  t.process = 2;
                  t.processText = "泥浆护壁成桩后注浆";
              }),
         {"      桩身嵌岩深度hr:              "
          "      1500 mm",
          "  2.3 基桩成桩工艺:"
          "        泥浆护壁成桩后注浆",
          "  4.6 基桩成桩工艺:"
          "        泥浆护壁成桩后注浆"},
         {"      计算承载力采用的"}},
    };
    return cases;
}

TEST(DetailedBook, LinesFollowSectionAndMode) {
    for (const BookCase& c : bookCases()) {
        SCOPED_TRACE(c.name);
        const BookLines book = bookOf(c.texts);
        auto from = book.begin();
        for (const std::string& expected : c.inOrder) {
            const auto found = std::find(from, book.end(), expected);
            EXPECT_NE(found, book.end()) << "missing or out of order: \"" << expected << "\"";
            if (found != book.end()) from = found + 1;
        }
        for (const std::string& prefix : c.absentPrefixes) {
            for (const std::string& line : book) {
                EXPECT_NE(line.rfind(prefix, 0), 0u) << "unexpected line: \"" << line << "\"";
            }
        }
        // Every book has the fixed frame.
        ASSERT_GE(book.size(), 3u);
        EXPECT_EQ(book.front(), "================== 嵌岩桩计算书 ==================");
        EXPECT_EQ(book[book.size() - 2], kBookClosingRule);
        EXPECT_EQ(book.back(), std::string("计算时间：") + kTime);
    }
}

// Only the two summary rows follow the rounding mode; the values of section 4 keep two decimals.
TEST(DetailedBook, RoundingModeReachesOnlyTheSummaryRows) {
    const struct {
        RoundingMode mode;
        const char* row2;
    } cases[] = {
        {RoundingMode::TwoDecimals, "        1.0d      25.00    8410.31   7861.84 "},
        {RoundingMode::OneDecimal, "        1.0d      25.00    8410.3    7861.8  "},
        {RoundingMode::Units, "        1.0d      25.00     8410      7862   "},
        {RoundingMode::Tens, "        1.0d      25.00     8410      7860   "},
        {RoundingMode::Hundreds, "        1.0d      25.00     8400      7800   "},
    };
    const BookLines reference = bookOf(InputTexts{}, RoundingMode::Units, 12);
    for (const auto& c : cases) {
        SCOPED_TRACE(static_cast<int>(c.mode));
        const BookLines book = bookOf(InputTexts{}, c.mode, 12);
        ASSERT_EQ(book.size(), reference.size());
        const size_t row2 = book.size() - 4;
        EXPECT_EQ(book[row2], c.row2);
        for (size_t i = 0; i < book.size(); ++i) {
            if (i != row2) {
                EXPECT_EQ(book[i], reference[i]) << "line " << i + 1;
            }
        }
        EXPECT_EQ(book[1], "1.基桩编号: ZH12");
        EXPECT_EQ(book[book.size() - 9], "        ZH12     圆  桩     1000        -    ");
    }
}

// The summary block of section 5 lines up under its 45-column rules for every kind of pile.
TEST(DetailedBook, SummaryRowsSpanTheRule) {
    for (const InputTexts& texts : test::pilesOfAllKinds()) {
        const BookLines book = bookOf(texts);
        const size_t rule = book.size() - 3;
        ASSERT_EQ(book[rule], "      ---------------------------------------");
        for (size_t i : {rule - 1, rule - 6}) {
            EXPECT_EQ(DisplayWidth(book[i]), 45) << book[i];
        }
    }
}

}  // namespace
}  // namespace pile
