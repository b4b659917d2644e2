// Tests of reading the item table into value ranges: clamps, the grade rule, the depth unit,
// steps and counts, the negative-value messages, the conversion errors, and the candidate
// count of a set of ranges.
#include <gtest/gtest.h>

#include <cmath>
#include <variant>
#include <vector>

#include "core/concrete_grades.h"
#include "core/number_format.h"
#include "optimise/item_ranges.h"
#include "optimise/strict_number.h"

namespace pile {
namespace {

ItemRanges readOk(const ItemTexts& texts) {
    auto read = readItemRanges(texts);
    EXPECT_TRUE(std::holds_alternative<ItemRanges>(read));
    return std::get<ItemRanges>(read);
}

ItemTexts withRow(int row, ItemCells cells) {
    ItemTexts texts = defaultItemTexts();
    texts[static_cast<std::size_t>(row)] = std::move(cells);
    return texts;
}

TEST(ItemRanges, DefaultTable) {
    const ItemRanges r = readOk(defaultItemTexts());
    const std::vector<std::vector<double>> expected = {
        {1, 2, 3, 4}, {1000, 1500, 2000}, {1000, 1500, 2000}, {2000, 2500, 3000},
        {1500, 2000}, {1000, 1500, 2000}, {2.0, 3.0},         {1, 2},
        {35, 40},     {35, 40},           {25, 30},           {1, 2},
    };
    for (int row = 0; row < item_row::kCount; ++row) {
        SCOPED_TRACE(row);
        EXPECT_EQ(r[row].values(), expected[static_cast<std::size_t>(row)]);
    }
    EXPECT_EQ(r.depthUnit, DepthUnit::Multiple);
    EXPECT_EQ(candidateCount(r), 360u);
}

// The grade row's hint names the ends of the grade list, which are also where its range is held.
TEST(ItemRanges, GradeHintNamesTheEndsOfTheGradeList) {
    const std::string note = formulaOneItemTable()[item_row::kGrade].note;
    EXPECT_NE(note.find(kConcreteGrades.front().text), std::string::npos) << note;
    EXPECT_NE(note.find(kConcreteGrades.back().text), std::string::npos) << note;
}

struct RangeCase {
    const char* name;
    int row;
    ItemCells cells;
    std::vector<double> values;
};

TEST(ItemRanges, ClampsStepsAndValueSequences) {
    const RangeCase cases[] = {
        {"section max below min", item_row::kSection, {"3", "1", "1"}, {3}},
        {"section clamped to 1..4", item_row::kSection, {"0", "9", "1"}, {1, 2, 3, 4}},
        {"section negative step spans", item_row::kSection, {"1", "4", "-1"}, {1, 4}},
        {"section step beyond span", item_row::kSection, {"1", "4", "2"}, {1, 3}},
        {"rock type clamped", item_row::kRockType, {"-5", "7", "1"}, {1, 2}},
        {"process clamped to 1..3", item_row::kProcess, {"0", "5", "1"}, {1, 2, 3}},
        {"d step 0: min and max", item_row::kDiameter, {"1000", "2000", "0"}, {1000, 2000}},
        {"d step over span", item_row::kDiameter, {"1000", "2000", "5000"}, {1000, 2000}},
        {"d last step capped at max",
         item_row::kDiameter,
         {"1000", "2000", "400"},
         {1000, 1400, 1800, 2000}},
        {"d last step short of max",
         item_row::kDiameter,
         {"1000", "2000", "300"},
         {1000, 1300, 1600, 1900}},
        {"quotient rounds half up", item_row::kFrk, {"0", "10", "4"}, {0, 4, 8, 10}},
        {"zero passes the sign check", item_row::kFuk, {"0", "0", "1"}, {0}},
        {"equal min and max", item_row::kLongSide, {"2500", "2500", "500"}, {2500}},
        {"grade cut to fives", item_row::kGrade, {"C27", "C58", "7"}, {25, 30, 35, 40, 45, 50, 55}},
        {"grade limited to C25..C60",
         item_row::kGrade,
         {"C20", "C70", "5"},
         {25, 30, 35, 40, 45, 50, 55, 60}},
        {"grade span not a multiple", item_row::kGrade, {"C25", "C60", "10"}, {25, 35, 45, 55}},
        {"grade step below 5", item_row::kGrade, {"C25", "C35", "2"}, {25, 30, 35}},
        {"grade minimum above C60", item_row::kGrade, {"C65", "C70", "5"}, {60}},
        {"grade maximum below C25", item_row::kGrade, {"C10", "C20", "5"}, {25}},
        {"grade wide first character", item_row::kGrade, {"Ｃ30", "Ｃ30", "5"}, {30}},
        {"hr multiples", item_row::kDepth, {"1.5d", "2.5d", "0.5d"}, {1.5, 2.0, 2.5}},
        {"hr text after d ignored", item_row::kDepth, {"1.5d", "2dx", "1d"}, {1.5, 2.0}},
        {"hr millimetres",
         item_row::kDepth,
         {"2000", "3000", "250"},
         {2000, 2250, 2500, 2750, 3000}},
        {"hr negative allowed", item_row::kDepth, {"-1d", "1d", "1d"}, {-1, 0, 1}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const ItemRanges r = readOk(withRow(c.row, c.cells));
        EXPECT_EQ(r[c.row].values(), c.values);
        EXPECT_EQ(r[c.row].count, c.values.size());
    }
}

TEST(ItemRanges, DecimalValuesCarryNoAccumulatedError) {
    // Each value is the minimum plus its index times the step, to 15 digits: the decimal the
    // user would write, ending on the maximum typed.
    struct Case {
        const char* name;
        int row;
        ItemCells cells;
        std::uint64_t count;
    };
    const Case cases[] = {
        {"d 1000..2000 by 0.1", item_row::kDiameter, {"1000", "2000", "0.1"}, 10001},
        {"frk 0..2 by 0.1", item_row::kFrk, {"0", "2", "0.1"}, 21},
        {"fuk 0.3..7.5 by 0.3", item_row::kFuk, {"0.3", "7.5", "0.3"}, 25},
        {"hr 0.5d..40d by 0.1d", item_row::kDepth, {"0.5d", "40d", "0.1d"}, 396},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const ItemRanges ranges = readOk(withRow(c.row, c.cells));
        const ItemRange& range = ranges[c.row];
        ASSERT_EQ(range.count, c.count);
        const std::vector<double> values = range.values();
        for (std::uint64_t i = 0; i < c.count; ++i) {
            // The exact decimal min + i*step, as a text and read back.
            const double expected =
                std::round((range.min + static_cast<double>(i) * range.step) * 10) / 10;
            EXPECT_EQ(FormatGeneral(values[i]), FormatGeneral(expected)) << "value " << i;
        }
        EXPECT_EQ(values.back(), range.max);
    }
    const ItemRanges ranges = readOk(withRow(item_row::kDiameter, {"1000", "2000", "0.1"}));
    const ItemRange& d = ranges[item_row::kDiameter];
    EXPECT_EQ(d.at(220), 1022.0);
    EXPECT_EQ(FormatGeneral(d.at(9999)), "1999.9");
}

TEST(ItemRanges, DepthUnitFollowsTheMinimumCell) {
    EXPECT_EQ(readOk(withRow(item_row::kDepth, {"2000", "3000", "250"})).depthUnit,
              DepthUnit::Millimetre);
    EXPECT_EQ(readOk(withRow(item_row::kDepth, {"2d", "3d", "1d"})).depthUnit, DepthUnit::Multiple);
}

struct RejectCase {
    const char* name;
    int row;
    ItemCells cells;
    const char* message;
};

TEST(ItemRanges, NegativeSizeOrRockValueIsRejectedWithTheRowMessage) {
    const RejectCase cases[] = {
        {"d", item_row::kDiameter, {"-100", "2000", "500"}, "桩径不能为负值"},
        {"c", item_row::kEllipseStraight, {"1000", "-1", "500"}, "椭圆直段不能为负值"},
        {"a", item_row::kLongSide, {"-1", "3000", "500"}, "矩形长边不能为负值"},
        {"b", item_row::kShortSide, {"-1", "-1", "500"}, "矩形短边不能为负值"},
        {"square", item_row::kSquareSide, {"-0.5", "2000", "500"}, "方形边长不能为负值"},
        {"frk", item_row::kFrk, {"-35", "40", "5"}, "岩石单轴抗压强度不能为负值"},
        {"fuk", item_row::kFuk, {"35", "-40", "5"}, "地基极限承载力不能为负值"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const auto read = readItemRanges(withRow(c.row, c.cells));
        ASSERT_TRUE(std::holds_alternative<ItemRejection>(read));
        EXPECT_EQ(std::get<ItemRejection>(read), (ItemRejection{c.row, c.message}));
    }
}

TEST(ItemRanges, EveryRowIsCheckedWhateverTheSectionsSelect) {
    ItemTexts texts = defaultItemTexts();
    texts[item_row::kSection] = {"1", "1", "1"};
    texts[item_row::kEllipseStraight] = {"-1", "2000", "500"};
    const auto read = readItemRanges(texts);
    ASSERT_TRUE(std::holds_alternative<ItemRejection>(read));
    EXPECT_EQ(std::get<ItemRejection>(read).message, "椭圆直段不能为负值");
}

TEST(ItemRanges, FirstFaultInRowOrderWins) {
    // A conversion error in row 0 comes before a negative value in row 1 ...
    ItemTexts texts = defaultItemTexts();
    texts[item_row::kSection] = {"x", "4", "1"};
    texts[item_row::kDiameter] = {"-1", "2000", "500"};
    EXPECT_THROW(readItemRanges(texts), NumberConversionError);
    // ... and a negative value in row 1 before a conversion error in row 6.
    texts = defaultItemTexts();
    texts[item_row::kDiameter] = {"-1", "2000", "500"};
    texts[item_row::kDepth] = {"2.0d", "3000", "1.0d"};
    EXPECT_TRUE(std::holds_alternative<ItemRejection>(readItemRanges(texts)));
    // Within a row all three cells are read before the sign check.
    texts = defaultItemTexts();
    texts[item_row::kDiameter] = {"-1", "2000", "five"};
    EXPECT_THROW(readItemRanges(texts), NumberConversionError);
}

TEST(ItemRanges, CellsThatAreNotNumbersOfTheirKindThrow) {
    const RangeCase cases[] = {
        {"integer row with a fraction", item_row::kSection, {"1.5", "4", "1"}, {}},
        {"integer row with exponent", item_row::kProcess, {"1", "1e1", "1"}, {}},
        {"integer row empty step", item_row::kRockType, {"1", "2", ""}, {}},
        {"integer row beyond int", item_row::kSection, {"1", "99999999999", "1"}, {}},
        {"decimal row with letters", item_row::kDiameter, {"1000mm", "2000", "500"}, {}},
        {"decimal row comma", item_row::kFrk, {"35,5", "40", "5"}, {}},
        {"decimal row inf", item_row::kFuk, {"35", "inf", "5"}, {}},
        {"decimal row overflow", item_row::kFuk, {"35", "1e999", "5"}, {}},
        {"hr mm cell in multiples", item_row::kDepth, {"1.5d", "3000", "500"}, {}},
        {"hr d cell in millimetres", item_row::kDepth, {"2000", "3.0d", "500"}, {}},
        {"hr multiple prefix not a number", item_row::kDepth, {"2.0d", "xd", "1d"}, {}},
        {"grade digits not a number", item_row::kGrade, {"CXY", "C30", "5"}, {}},
        {"grade too short", item_row::kGrade, {"C", "C30", "5"}, {}},
        {"grade step not an integer", item_row::kGrade, {"C25", "C30", "5.0"}, {}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_THROW(readItemRanges(withRow(c.row, c.cells)), NumberConversionError);
    }
}

TEST(StrictNumbers, IntegerReading) {
    EXPECT_EQ(readInteger(" 12 "), 12);
    EXPECT_EQ(readInteger("+3"), 3);
    EXPECT_EQ(readInteger("-2147483648"), -2147483648LL);
    EXPECT_EQ(readInteger("2147483647"), 2147483647);
    for (const char* bad : {"", " ", "-", "2147483648", "12a", "0x10", "1 2", "1.0"}) {
        SCOPED_TRACE(bad);
        EXPECT_THROW(readInteger(bad), NumberConversionError);
    }
    try {
        readDecimal("abc");
        FAIL();
    } catch (const NumberConversionError& e) {
        EXPECT_EQ(e.text(), "abc");
        EXPECT_NE(std::string(e.what()).find("abc"), std::string::npos);
    }
}

TEST(CandidateCount, NestingMultipliesPerSectionAndRockType) {
    struct Case {
        const char* name;
        ItemCells section;
        ItemCells rock;
        std::uint64_t count;
    };
    // Defaults otherwise: per (size, hr) a circle has 2*2*2 frk + 2*2 fuk candidates, the
    // other sections 2*2 + 2*2.
    const Case cases[] = {
        {"circle", {"1", "1", "1"}, {"1", "2", "1"}, 72},
        {"ellipse", {"2", "2", "1"}, {"1", "2", "1"}, 144},
        {"rectangle", {"3", "3", "1"}, {"1", "2", "1"}, 96},
        {"square", {"4", "4", "1"}, {"1", "2", "1"}, 48},
        {"circle fuk only: no process loop", {"1", "1", "1"}, {"2", "2", "1"}, 24},
        {"circle frk only", {"1", "1", "1"}, {"1", "1", "1"}, 48},
        {"circle and square", {"1", "4", "3"}, {"1", "2", "1"}, 120},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        ItemTexts texts = defaultItemTexts();
        texts[item_row::kSection] = c.section;
        texts[item_row::kRockType] = c.rock;
        EXPECT_EQ(candidateCount(readOk(texts)), c.count);
    }
}

TEST(CandidateCount, SaturatesInsteadOfOverflowing) {
    ItemTexts texts = defaultItemTexts();
    texts[item_row::kDiameter] = {"0", "1e300", "1e-300"};
    const ItemRanges r = readOk(texts);
    EXPECT_EQ(r[item_row::kDiameter].count, kCountSaturated);
    EXPECT_EQ(candidateCount(r), kCountSaturated);

    // Counts that each fit but whose product does not.
    texts = defaultItemTexts();
    texts[item_row::kDiameter] = {"0", "1e9", "1"};
    texts[item_row::kEllipseStraight] = {"0", "1e9", "1"};
    texts[item_row::kDepth] = {"0d", "1e9d", "1d"};
    const std::uint64_t big = candidateCount(readOk(texts));
    EXPECT_EQ(big, kCountSaturated);
    EXPECT_GT(big, kCandidateLimit);

    // A range the search never walks does not count.
    texts = defaultItemTexts();
    texts[item_row::kSection] = {"1", "1", "1"};
    texts[item_row::kEllipseStraight] = {"0", "1e300", "1e-300"};
    EXPECT_EQ(candidateCount(readOk(texts)), 72u);
}

}  // namespace
}  // namespace pile
