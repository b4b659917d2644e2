// Tests of the number conversions and of reading the input screen into a PileInput: the
// ordered checks with their messages and fields, the socket depth and the rectangle side
// ordering.
#include <gtest/gtest.h>

#include <cmath>
#include <iterator>
#include <optional>
#include <string>
#include <utility>
#include <variant>

#include "core/pile_input.h"

namespace pile {
namespace {

TEST(ParseLenient, ReadsTheLeadingNumberAndNeverFails) {
    struct Case {
        const char* name;
        std::string text;
        double expected;
    };
    const Case cases[] = {
        {"plain", "1000", 1000},
        {"leading blanks", "  \t12", 12},
        {"unit after the number", "1000mm", 1000},
        {"empty", "", 0},
        {"blanks only", "   ", 0},
        {"letters", "abc", 0},
        {"leading point", ".5", 0.5},
        {"signed leading point", "-.5", -0.5},
        {"plus sign", "+3", 3},
        {"trailing point", "5.", 5},
        {"exponent", "1e3", 1000},
        {"upper-case exponent with sign", "2.5E-1", 0.25},
        {"exponent without digits is left out", "1e", 1},
        {"signed exponent without digits", "1e+", 1},
        {"letters after an exponent", "1.5e2x", 150},
        {"comma is not a decimal point", "1,5", 1},
        {"blank inside", "12 34", 12},
        {"overflow gives 0", "1e999", 0},
        {"negative overflow gives 0", "-1e999", 0},
        {"huge exponent gives 0", "1e99999999999999999999", 0},
        {"long mantissa overflows", "1" + std::string(400, '0'), 0},
        {"underflow gives 0", "1e-999", 0},
        {"zero with huge exponent", "0e99999999999", 0},
        {"infinity refused", "inf", 0},
        {"nan refused", "nan", 0},
        {"hexadecimal reads the leading 0", "0x10", 0},
        {"lone point", ".", 0},
        {"lone sign", "-", 0},
        {"full-width digits are not digits", "１２", 0},
        {"long mantissa", "123456789012345678901234567890", 1.2345678901234568e29},
        {"leading zeros", "000012.50", 12.5},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(ParseLenient(c.text), c.expected);
    }
    EXPECT_FALSE(std::signbit(ParseLenient("-0")));
    EXPECT_FALSE(std::signbit(ParseLenient("-1e-999")));
}

TEST(ParseStrict, AcceptsOnlyAWholeFiniteDecimalNumber) {
    struct Case {
        const char* name;
        const char* text;
        std::optional<double> expected;
    };
    const Case cases[] = {
        {"plain", "12", 12},
        {"blanks around", " 12\t ", 12},
        {"leading point", ".5", 0.5},
        {"trailing point", "5.", 5},
        {"exponent", "1e3", 1000},
        {"negative", "-5", -5},
        {"negative zero is zero", "-0", 0},
        {"underflow is zero", "1e-999", 0},
        {"overflow", "1e999", std::nullopt},
        {"infinity", "inf", std::nullopt},
        {"infinity spelled out", "Infinity", std::nullopt},
        {"nan", "nan", std::nullopt},
        {"hexadecimal", "0x10", std::nullopt},
        {"unit letters", "1000mm", std::nullopt},
        {"empty", "", std::nullopt},
        {"blank", " ", std::nullopt},
        {"exponent without digits", "1e", std::nullopt},
        {"comma", "1,5", std::nullopt},
        {"double sign", "--1", std::nullopt},
        {"mixed signs", "+-1", std::nullopt},
        {"two numbers", "1 2", std::nullopt},
        {"lone point", ".", std::nullopt},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(ParseStrict(c.text), c.expected);
    }
    EXPECT_FALSE(std::signbit(*ParseStrict("-0")));
}

// The default screen with the given changes.
InputTexts screen(SectionType section, std::string dd, std::string tyzd, std::string hr) {
    InputTexts t;
    t.section = section;
    t.dd = std::move(dd);
    t.tyzd = std::move(tyzd);
    t.hr = std::move(hr);
    return t;
}

// A comma right after the number of a size or rock field would otherwise read "1,000" as 1 mm.
TEST(ParseFieldNumber, ANumberFollowedByACommaAndADigitIsNotANumber) {
    struct Case {
        const char* text;
        double expected;
    };
    const Case cases[] = {
        {"1,000", 0},     {"25,5", 0},     {"1，000", 0},     {" 2,5MPa", 0},
        {"1000mm", 1000}, {"1000,", 1000}, {"1000, 5", 1000}, {"1000，", 1000},
        {"1500", 1500},   {"abc", 0},      {".5", 0.5},       {"1e3,5", 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.text);
        EXPECT_EQ(ParseFieldNumber(c.text), c.expected);
    }
    // Compute refuses such a field with the field's own check.
    InputTexts texts;
    texts.dd = "1,000";
    auto read = ReadPileInput(texts);
    ASSERT_TRUE(std::holds_alternative<Rejection>(read));
    EXPECT_EQ(std::get<Rejection>(read).message, "桩身直径数据有错");
}

TEST(ReadPileInput, DefaultScreen) {
    InputTexts t;
    const auto result = ReadPileInput(t);
    ASSERT_TRUE(std::holds_alternative<PileInput>(result));
    const PileInput& in = std::get<PileInput>(result);
    EXPECT_EQ(in.section, SectionType::Circle);
    EXPECT_EQ(in.size1, 1000);
    EXPECT_EQ(in.size2, 0);
    EXPECT_EQ(in.hr, 1000);
    EXPECT_TRUE(in.depthIsMultiple);
    EXPECT_EQ(in.gradeIndex, 1);
    EXPECT_EQ(in.gradeText, "C30");
    EXPECT_EQ(in.process, 1);
    EXPECT_EQ(in.processText, "泥浆护壁成桩");
    EXPECT_EQ(in.mode, RockStrengthMode::Frk);
    EXPECT_EQ(in.frk, 25);
    EXPECT_EQ(in.fuk, 24);
    EXPECT_FALSE(in.slopeConditionMet);
    EXPECT_EQ(in.sizeText1, "1000");
    EXPECT_EQ(in.sizeText2, "0");
    EXPECT_EQ(in.depthText, "1.0d");
}

TEST(ReadPileInput, SocketDepth) {
    using S = SectionType;
    struct Case {
        const char* name;
        S section;
        const char* dd;
        const char* tyzd;
        const char* hr;
        std::optional<double> expectedHr;  // nullopt: "嵌岩深度数据有错"
        bool multiple;
    };
    const Case cases[] = {
        {"multiple of d", S::Circle, "1200", "0", "2.5d", 3000, true},
        {"millimetres", S::Circle, "1200", "0", "3000", 3000, false},
        {"zero", S::Circle, "1000", "0", "0", 0, false},
        {"zero multiple", S::Circle, "1000", "0", "0d", 0, true},
        {"text after the letter ignored", S::Circle, "1000", "0", "1.5dxyz", 1500, true},
        {"only the first letter counts", S::Circle, "1000", "0", "2d3d", 2000, true},
        {"blank before the letter", S::Circle, "1000", "0", "1.5 d", 1500, true},
        {"multiple of the ordered short side", S::Rectangle, "1000", "1500", "1.0b", 1000, true},
        {"ellipse uses d", S::Ellipse, "1000", "500", "2.0d", 2000, true},
        {"negative", S::Circle, "1000", "0", "-5", std::nullopt, false},
        {"negative multiple", S::Circle, "1000", "0", "-1d", std::nullopt, false},
        {"letters", S::Circle, "1000", "0", "abc", std::nullopt, false},
        {"lone letter", S::Circle, "1000", "0", "d", std::nullopt, false},
        {"prefix not a number", S::Circle, "1000", "0", "x1d", std::nullopt, false},
        {"other family letter on a circle", S::Circle, "1000", "0", "1.5b", std::nullopt, false},
        {"other family letter on a rectangle", S::Rectangle, "1500", "1000", "1.5d", std::nullopt,
         false},
        {"upper-case letter", S::Circle, "1000", "0", "1.5D", std::nullopt, false},
        {"empty", S::Circle, "1000", "0", "", std::nullopt, false},
        {"overflowing multiple", S::Circle, "1e10", "0", "1e300d", std::nullopt, false},
        {"overflowing millimetres", S::Circle, "1000", "0", "1e999", std::nullopt, false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        InputTexts t = screen(c.section, c.dd, c.tyzd, c.hr);
        const auto result = ReadPileInput(t);
        if (c.expectedHr) {
            ASSERT_TRUE(std::holds_alternative<PileInput>(result));
            EXPECT_DOUBLE_EQ(std::get<PileInput>(result).hr, *c.expectedHr);
            EXPECT_EQ(std::get<PileInput>(result).depthIsMultiple, c.multiple);
            EXPECT_EQ(std::get<PileInput>(result).depthText, c.hr);
        } else {
            ASSERT_TRUE(std::holds_alternative<Rejection>(result));
            EXPECT_EQ(std::get<Rejection>(result),
                      (Rejection{"嵌岩深度数据有错", "cbe_hr", RefusalKind::Depth}));
        }
    }
}

TEST(ReadPileInput, RectangleSidesAreOrderedAndRewritten) {
    struct Case {
        const char* name;
        const char* dd;
        const char* tyzd;
        const char* shownDd;  // texts after the read
        const char* shownTyzd;
        bool accepted;
    };
    const Case cases[] = {
        {"exchanged", "1000", "1500", "1500", "1000", true},
        {"equal sides rewritten", "1200.0", "1200", "1200", "1200", true},
        {"fraction kept", "1250.5", "2000", "2000", "1250.5", true},
        {"already ordered texts stay as typed", "1500mm", "1000", "1500mm", "1000", true},
        {"b/a below 0.5 refused", "2000", "900", "2000", "900", false},
        {"exchanged then refused", "900", "2000", "2000", "900", false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        InputTexts t = screen(SectionType::Rectangle, c.dd, c.tyzd, "1.0b");
        const auto result = ReadPileInput(t);
        EXPECT_EQ(t.dd, c.shownDd);
        EXPECT_EQ(t.tyzd, c.shownTyzd);
        ASSERT_EQ(std::holds_alternative<PileInput>(result), c.accepted);
        if (c.accepted) {
            const PileInput& in = std::get<PileInput>(result);
            EXPECT_GE(in.size1, in.size2);
            EXPECT_EQ(in.sizeText1, c.shownDd);
            EXPECT_EQ(in.sizeText2, c.shownTyzd);
            EXPECT_DOUBLE_EQ(in.hr, in.size2);
        } else {
            EXPECT_EQ(std::get<Rejection>(result), (Rejection{"超出范围，限制条件0.5≤b/a≤1.0",
                                                              "cbe_tyzd", RefusalKind::SideRatio}));
        }
    }
}

TEST(ReadPileInput, ChecksRunInOrderAndTheFirstFailureWins) {
    using S = SectionType;
    struct Case {
        const char* name;
        S section;
        const char* dd;
        const char* tyzd;
        const char* hr;
        Rejection expected;  // empty message: accepted
    };
    const Case cases[] = {
        {"circle diameter letters",
         S::Circle,
         "abc",
         "0",
         "1.0d",
         {"桩身直径数据有错", "cbe_dd", RefusalKind::Size}},
        {"circle diameter zero",
         S::Circle,
         "0",
         "0",
         "1.0d",
         {"桩身直径数据有错", "cbe_dd", RefusalKind::Size}},
        {"circle diameter negative",
         S::Circle,
         "-5",
         "0",
         "1.0d",
         {"桩身直径数据有错", "cbe_dd", RefusalKind::Size}},
        {"circle diameter overflow",
         S::Circle,
         "1e999",
         "0",
         "1.0d",
         {"桩身直径数据有错", "cbe_dd", RefusalKind::Size}},
        {"diameter before depth",
         S::Circle,
         "0",
         "0",
         "bad",
         {"桩身直径数据有错", "cbe_dd", RefusalKind::Size}},
        {"circle diameter with unit", S::Circle, "1000mm", "0", "1.0d", {}},
        {"circle ignores tyzd", S::Circle, "1000", "junk", "1.0d", {}},
        {"ellipse diameter",
         S::Ellipse,
         "0",
         "500",
         "1.0d",
         {"桩身直径数据有错", "cbe_dd", RefusalKind::Size}},
        {"ellipse straight length",
         S::Ellipse,
         "1000",
         "0",
         "1.0d",
         {"椭圆直段长度数据有错", "cbe_tyzd", RefusalKind::SecondSize}},
        {"ellipse c/d exactly 0.2", S::Ellipse, "1000", "200", "1.0d", {}},
        {"ellipse c/d exactly 2.0", S::Ellipse, "1000", "2000", "1.0d", {}},
        {"ellipse c/d 0.2 at other sizes", S::Ellipse, "1500", "300", "1.0d", {}},
        {"ellipse c/d below 0.2",
         S::Ellipse,
         "1000",
         "190",
         "1.0d",
         {"超出范围，限制条件0.2≤c/d≤2.0", "cbe_tyzd", RefusalKind::SideRatio}},
        {"ellipse c/d above 2.0",
         S::Ellipse,
         "1000",
         "2010",
         "1.0d",
         {"超出范围，限制条件0.2≤c/d≤2.0", "cbe_tyzd", RefusalKind::SideRatio}},
        {"depth checked before c/d",
         S::Ellipse,
         "1000",
         "100",
         "x",
         {"嵌岩深度数据有错", "cbe_hr", RefusalKind::Depth}},
        {"rectangle long side",
         S::Rectangle,
         "0",
         "1000",
         "1.0b",
         {"矩形长边尺寸数据有错", "cbe_dd", RefusalKind::Size}},
        {"rectangle short side",
         S::Rectangle,
         "1000",
         "0",
         "1.0b",
         {"矩形短边尺寸数据有错", "cbe_tyzd", RefusalKind::SecondSize}},
        {"rectangle long side first",
         S::Rectangle,
         "0",
         "0",
         "1.0b",
         {"矩形长边尺寸数据有错", "cbe_dd", RefusalKind::Size}},
        {"rectangle square", S::Rectangle, "1200", "1200", "1.0b", {}},
        {"depth checked before b/a",
         S::Rectangle,
         "2000",
         "900",
         "-1",
         {"嵌岩深度数据有错", "cbe_hr", RefusalKind::Depth}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        InputTexts t = screen(c.section, c.dd, c.tyzd, c.hr);
        const auto result = ReadPileInput(t);
        if (c.expected.message.empty()) {
            EXPECT_TRUE(std::holds_alternative<PileInput>(result));
        } else {
            ASSERT_TRUE(std::holds_alternative<Rejection>(result));
            EXPECT_EQ(std::get<Rejection>(result), c.expected);
        }
    }
}

TEST(ReadPileInput, RockParametersAreReadButNotCheckedHere) {
    InputTexts t;
    t.frk = "0";
    t.fuk = "abc";
    const auto result = ReadPileInput(t);
    ASSERT_TRUE(std::holds_alternative<PileInput>(result));
    EXPECT_EQ(std::get<PileInput>(result).frk, 0);
    EXPECT_EQ(std::get<PileInput>(result).fuk, 0);
}

TEST(ProcessItems, ListsBySectionAndMode) {
    using S = SectionType;
    using M = RockStrengthMode;
    const std::vector<std::string> circle = {"干作业成桩(清底干净)", "泥浆护壁成桩",
                                             "泥浆护壁成桩后注浆"};
    EXPECT_EQ(ProcessItems(S::Circle, M::Frk), circle);
    EXPECT_EQ(DefaultProcessIndex(S::Circle, M::Frk), 1);
    for (S s : {S::Ellipse, S::Rectangle}) {
        EXPECT_EQ(ProcessItems(s, M::Frk), std::vector<std::string>{"人工挖孔"});
        EXPECT_EQ(DefaultProcessIndex(s, M::Frk), 0);
    }
    for (S s : {S::Circle, S::Ellipse, S::Rectangle}) {
        EXPECT_EQ(ProcessItems(s, M::Fuk), std::vector<std::string>{"干作业成孔且清底干净"});
        EXPECT_EQ(DefaultProcessIndex(s, M::Fuk), 0);
    }
    EXPECT_EQ(GradeItems(),
              (std::vector<std::string>{"C25", "C30", "C35", "C40", "C45", "C50", "C55", "C60"}));
}

// One reader through a sequence of screens reads each as ReadPileInput reads it alone: a text
// read before and met again, the same depth text under another section's unit, a rectangle
// whose sides it orders, and refusals between accepted piles.
TEST(PileInputReader, ReadsEachPileAsReadPileInputDoes) {
    const auto texts = [](SectionType section, std::string dd, std::string tyzd, std::string hr,
                          std::string frk) {
        InputTexts t;
        t.section = section;
        t.dd = std::move(dd);
        t.tyzd = std::move(tyzd);
        t.hr = std::move(hr);
        t.frk = std::move(frk);
        return t;
    };
    const InputTexts screens[] = {
        texts(SectionType::Circle, "1000", "0", "1.0d", "25"),
        texts(SectionType::Circle, "1200", "0", "1.0d", "25"),
        texts(SectionType::Circle, "1200", "0", "abc", "25"),
        texts(SectionType::Ellipse, "1200", "600", "1.0d", "30"),
        texts(SectionType::Rectangle, "1500", "2000", "1.0d", "30"),
        texts(SectionType::Rectangle, "1500", "2000", "1.0b", "30"),
        texts(SectionType::Rectangle, "2000", "500", "1.0b", "30"),
        texts(SectionType::Circle, "0", "0", "1500", "30"),
        texts(SectionType::Circle, "1000", "0", "1500", "30"),
        texts(SectionType::Ellipse, "1000", "0", "1.5d", "30"),
    };
    PileInputReader reader;
    for (std::size_t k = 0; k < std::size(screens); ++k) {
        SCOPED_TRACE(k);
        InputTexts alone = screens[k];
        InputTexts read = screens[k];
        const auto expected = ReadPileInput(alone);
        const Rejection* refused = reader.read(read);
        EXPECT_EQ(read.dd, alone.dd);
        EXPECT_EQ(read.tyzd, alone.tyzd);
        if (const auto* rejection = std::get_if<Rejection>(&expected)) {
            ASSERT_NE(refused, nullptr);
            EXPECT_EQ(*refused, *rejection);
            continue;
        }
        ASSERT_EQ(refused, nullptr);
        const PileInput& e = std::get<PileInput>(expected);
        const PileInput& in = reader.input();
        EXPECT_EQ(in.section, e.section);
        EXPECT_EQ(in.size1, e.size1);
        EXPECT_EQ(in.size2, e.size2);
        EXPECT_EQ(in.sizeText1, e.sizeText1);
        EXPECT_EQ(in.sizeText2, e.sizeText2);
        EXPECT_EQ(in.depthText, e.depthText);
        EXPECT_EQ(in.depthIsMultiple, e.depthIsMultiple);
        EXPECT_EQ(in.hr, e.hr);
        EXPECT_EQ(in.frk, e.frk);
        EXPECT_EQ(in.fuk, e.fuk);
        EXPECT_EQ(in.processText, e.processText);
        EXPECT_EQ(in.gradeText, e.gradeText);
    }
}

}  // namespace
}  // namespace pile
