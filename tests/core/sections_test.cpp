// The section table: what it holds, and that every row computes by its own rules. Adding a
// section is a row of kSections, its geometry where the area and β are computed, and a row of
// the table below.
#include <gtest/gtest.h>

#include <set>
#include <string>
#include <variant>

#include "core/pile_calc.h"
#include "core/sections.h"

namespace pile {
namespace {

struct Row {
    const char* name;
    const char* tableName;
    char depthUnit;
    const char* secondSize;
    bool hasSecondSize;
    bool circleRules;
};

// By section code, the square last: the item table's note "圆桩1/椭圆桩2/矩形桩3/方桩4".
constexpr Row kExpected[] = {
    {"圆桩", "圆  桩", 'd', "0", false, true},
    {"椭圆桩", "椭圆桩", 'd', "500", true, false},
    {"矩形桩", "矩形桩", 'b', "1000", true, false},
    {"方桩", "方  桩", 'b', "1000", true, false},
};

TEST(Sections, TheTableByCode) {
    ASSERT_EQ(kHighestSectionCode - kLowestSectionCode + 1, static_cast<int>(std::size(kExpected)));
    for (int code = kLowestSectionCode; code <= kHighestSectionCode; ++code) {
        SCOPED_TRACE(code);
        const Row& e = kExpected[code - kLowestSectionCode];
        const SectionDescription& s = DescribeCode(code);
        EXPECT_EQ(s.name, e.name);
        EXPECT_EQ(s.tableName, e.tableName);
        EXPECT_EQ(s.depthUnit, e.depthUnit);
        EXPECT_EQ(s.secondSize, e.secondSize);
        EXPECT_EQ(s.hasSecondSize, e.hasSecondSize);
        EXPECT_EQ(s.circleRules, e.circleRules);
        EXPECT_EQ(SectionOfTableName(s.tableName), &s);
        if (code < kHighestSectionCode) {
            EXPECT_EQ(ListCode(s.type), SectionCode(code));
        }
    }
    EXPECT_EQ(&DescribeCode(kSquareCode), &kSquareSection);
    EXPECT_EQ(SectionCodeNote(), "圆桩1/椭圆桩2/矩形桩3/方桩4");
    EXPECT_EQ(SectionOfTableName("圆桩"), nullptr);  // a list names the six-column text
}

// Each section computes by its own rules: the same sizes and depth give a different area for
// every section, and K, ζr or β, the slope factor and the depth ratio follow the table.
TEST(Sections, EverySectionComputesByItsOwnRules) {
    std::set<double> areas;
    for (const SectionDescription& s : kSections) {
        for (RockStrengthMode mode : {RockStrengthMode::Frk, RockStrengthMode::Fuk}) {
            SCOPED_TRACE(std::string(s.name) + (mode == RockStrengthMode::Frk ? " frk" : " fuk"));
            InputTexts t = NewSectionTexts(s.type, mode);
            t.dd = "1200";
            if (s.hasSecondSize) t.tyzd = "800";
            t.hr = std::string("2.0") + s.depthUnit;
            t.slope = !s.circleRules;
            auto read = ReadPileInput(t);
            ASSERT_TRUE(std::holds_alternative<PileInput>(read));
            const PileInput& in = std::get<PileInput>(read);
            EXPECT_EQ(in.hr, 2.0 * (s.depthUnit == 'b' ? 800 : 1200));
            auto computed = ComputePile(in);
            ASSERT_TRUE(std::holds_alternative<PileResult>(computed));
            const PileResult& r = std::get<PileResult>(computed);
            const bool frk = mode == RockStrengthMode::Frk;
            EXPECT_EQ(r.depthRatio, 2.0);
            EXPECT_EQ(r.K, s.circleRules && frk ? 2.0 : 3.0);
            EXPECT_EQ(r.zetaR.has_value(), s.circleRules && frk);
            EXPECT_EQ(r.alpha0.has_value(), !s.circleRules && frk);
            EXPECT_EQ(r.sideRatio.has_value(), s.hasSecondSize);
            EXPECT_EQ(ProcessItems(s.type, mode).size(), s.circleRules && frk ? 3u : 1u);
            areas.insert(r.area);
        }
    }
    EXPECT_EQ(areas.size(), kSections.size());
}

}  // namespace
}  // namespace pile
