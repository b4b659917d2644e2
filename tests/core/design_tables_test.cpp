// Tests of the design tables of DBJ 50-200-2014: rock class, ζr (clause 5.3.7), β (5.3.8,
// 5.3.9), α0, the process factors, fc and K, with the interpolation they use.
#include <gtest/gtest.h>

#include <string>

#include "core/design_tables.h"

namespace pile {
namespace {

constexpr double kTol = 1e-9;

TEST(ClassifyRock, EachClassIncludesItsUpperBound) {
    struct Case {
        double frk;
        const char* expected;  // "" for no class
    };
    const Case cases[] = {
        {-1, ""},       {0, ""},           {0.01, "极软岩"},  {5, "极软岩"},  {5.01, "软岩"},
        {15, "软岩"},   {15.5, "较软岩"},  {25, "较软岩"},    {30, "较软岩"}, {30.01, "较硬岩"},
        {60, "较硬岩"}, {60.01, "坚硬岩"}, {1e300, "坚硬岩"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.frk);
        const auto rock = ClassifyRock(c.frk);
        EXPECT_EQ(rock ? std::string(RockClassName(*rock)) : std::string(), c.expected);
    }
}

TEST(Interpolate, StraightLineAndBilinear) {
    EXPECT_NEAR(Interpolate(15, 1.48, 30, 1.04, 20), 1.48 - 0.44 / 3, kTol);
    EXPECT_NEAR(Interpolate2D(2, 1.18, 3, 1.265, 0.90, 0.95, 15, 30, 2, 25), 0.99333333333, 1e-9);
    // Points outside the cell lie on the straight line through the two points.
    EXPECT_NEAR(Interpolate(1, 1, 2, 3, 4), 7, kTol);
    // z12 is the value at (x1, y2): the argument order is fixed.
    EXPECT_NEAR(Interpolate2D(0, 1, 1, 2, 10, 20, 0, 1, 0, 1), 10, kTol);
    EXPECT_NEAR(Interpolate2D(0, 1, 1, 2, 10, 20, 0, 1, 1, 0), 2, kTol);
}

TEST(LookupZetaR, InterpolatesAndCapsByRockColumn) {
    struct Case {
        const char* name;
        double r, frk, zeta, rUsed;
        bool capped;
    };
    const Case cases[] = {
        {"between columns at r 1", 1.0, 25, 0.95 + (0.81 - 0.95) * 10 / 15, 1.0, false},
        {"between columns at r 2", 2.0, 25, 1.18 + (0.90 - 1.18) * 10 / 15, 2.0, false},
        {"soft between rows", 1.25, 10, 1.0075, 1.25, false},
        {"soft at r 0", 0.0, 10, 0.60, 0.0, false},
        {"hard beyond reach", 6, 40, 1.04, 4, true},
        {"hard at the cap is not capped", 4, 40, 1.04, 4, false},
        {"hard between rows", 0.25, 40, 0.55, 0.25, false},
        {"between columns beyond reach", 5, 20, 1.48 - 0.44 * 5 / 15, 4, true},
        {"between columns at the cap", 4, 20, 1.48 + (1.04 - 1.48) * 5 / 15, 4, false},
        {"soft beyond reach", 9, 12, 1.70, 8, true},
        {"soft at the cap is not capped", 8, 12, 1.70, 8, false},
        {"soft just below the cap", 7.75, 12, 1.69, 7.75, false},
        {"frk 15 reads column A", 1.0, 15, 0.95, 1.0, false},
        {"frk 30 reads column B", 1.0, 30, 0.81, 1.0, false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const ZetaLookup z = LookupZetaR(c.r, c.frk);
        EXPECT_NEAR(z.zetaBase, c.zeta, kTol);
        EXPECT_DOUBLE_EQ(z.rUsed, c.rUsed);
        EXPECT_EQ(z.capped, c.capped);
    }
}

TEST(LookupBeta, StepsCellsAndCaps) {
    using S = SectionType;
    struct Case {
        const char* name;
        S section;
        double r, ratio, beta, coef, rUsed;
        bool capped;
    };
    const Case cases[] = {
        {"circle below 0.5", S::Circle, 0.4, 0, 1.0, 1.0, 0.4, false},
        {"circle at 0.5", S::Circle, 0.5, 0, 1.0, 1.2, 0.5, false},
        {"circle just below 1", S::Circle, 0.99, 0, 1.0, 1.2, 0.99, false},
        {"circle at 1 steps to the table", S::Circle, 1.0, 0, 1.105, 1.326, 1.0, false},
        {"circle between rows", S::Circle, 1.5, 0, 1.1575, 1.389, 1.5, false},
        {"circle just below 5", S::Circle, 4.5, 0, 1.4725, 1.767, 4.5, false},
        {"circle capped", S::Circle, 7, 0, 1.525, 1.83, 5, true},
        {"circle at 5 is capped", S::Circle, 5, 0, 1.525, 1.83, 5, true},
        {"ellipse lower column edge", S::Ellipse, 2, 0.2, 1.188, 1.2 * 1.188, 2, false},
        {"ellipse upper column edge", S::Ellipse, 2, 2.0, 1.134, 1.2 * 1.134, 2, false},
        {"ellipse bilinear", S::Ellipse, 2.5, 1.1, 1.1855, 1.2 * 1.1855, 2.5, false},
        {"ellipse between columns", S::Ellipse, 1, 0.5, 1.0885, 1.3062, 1, false},
        {"ellipse capped", S::Ellipse, 6, 0.5, 1.4225, 1.2 * 1.4225, 5, true},
        {"ellipse capped at the upper edge", S::Ellipse, 5, 2.0, 1.336, 1.2 * 1.336, 5, true},
        {"ellipse below 0.5", S::Ellipse, 0.3, 1.0, 1.0, 1.0, 0.3, false},
        {"rectangle lower edge", S::Rectangle, 1, 0.5, 1.075, 1.29, 1, false},
        {"rectangle upper edge", S::Rectangle, 1, 1.0, 1.100, 1.32, 1, false},
        {"rectangle capped", S::Rectangle, 5, 0.75, 1.4375, 1.725, 5, true},
        {"rectangle at 0.5", S::Rectangle, 0.5, 0.8, 1.0, 1.2, 0.5, false},
        {"rectangle interior", S::Rectangle, 3.5, 0.85, (1.270 + 1.285 + 1.360 + 1.380) / 4,
         1.2 * (1.270 + 1.285 + 1.360 + 1.380) / 4, 3.5, false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const BetaLookup b = LookupBeta(c.section, c.r, c.ratio);
        EXPECT_NEAR(b.beta, c.beta, kTol);
        EXPECT_NEAR(b.coef, c.coef, kTol);
        EXPECT_DOUBLE_EQ(b.rUsed, c.rUsed);
        EXPECT_EQ(b.capped, c.capped);
    }
}

TEST(LookupBeta, EveryGridPointGivesTheTableValue) {
    // A few grid points away from the edges of both tables, read back exactly.
    EXPECT_NEAR(LookupBeta(SectionType::Ellipse, 3, 1.2).beta, 1.219, kTol);
    EXPECT_NEAR(LookupBeta(SectionType::Ellipse, 4, 0.6).beta, 1.328, kTol);
    EXPECT_NEAR(LookupBeta(SectionType::Rectangle, 2, 0.7).beta, 1.175, kTol);
    EXPECT_NEAR(LookupBeta(SectionType::Rectangle, 4, 0.9).beta, 1.380, kTol);
    EXPECT_NEAR(LookupBeta(SectionType::Circle, 3, 0).beta, 1.315, kTol);
}

TEST(SmallTables, Alpha0ProcessConcreteAndSafetyFactor) {
    EXPECT_DOUBLE_EQ(Alpha0(true, 15), 1.2);
    EXPECT_DOUBLE_EQ(Alpha0(true, 15.5), 1.1);
    EXPECT_DOUBLE_EQ(Alpha0(false, 10), 1.0);
    EXPECT_DOUBLE_EQ(Alpha0(false, 40), 1.0);

    EXPECT_DOUBLE_EQ(ProcessFactors(0).zetaFactor, 1.2);
    EXPECT_DOUBLE_EQ(ProcessFactors(0).psiC, 0.9);
    EXPECT_DOUBLE_EQ(ProcessFactors(1).zetaFactor, 1.0);
    EXPECT_DOUBLE_EQ(ProcessFactors(1).psiC, 0.7);
    EXPECT_DOUBLE_EQ(ProcessFactors(2).zetaFactor, 1.2);
    EXPECT_DOUBLE_EQ(ProcessFactors(2).psiC, 0.8);

    const double fc[] = {11.9, 14.3, 16.7, 19.1, 21.1, 23.1, 25.3, 27.5};
    for (int i = 0; i < 8; ++i) EXPECT_DOUBLE_EQ(ConcreteFc(i), fc[i]) << i;

    EXPECT_DOUBLE_EQ(SafetyFactor(SectionType::Circle, RockStrengthMode::Frk), 2.0);
    EXPECT_DOUBLE_EQ(SafetyFactor(SectionType::Circle, RockStrengthMode::Fuk), 3.0);
    EXPECT_DOUBLE_EQ(SafetyFactor(SectionType::Ellipse, RockStrengthMode::Frk), 3.0);
    EXPECT_DOUBLE_EQ(SafetyFactor(SectionType::Rectangle, RockStrengthMode::Fuk), 3.0);
}

}  // namespace
}  // namespace pile
