// Tests of the single-pile capacity of formula one, from the screen texts to the values,
// with the reference piles worked by hand: the default circular pile in both rock modes,
// an elliptical and a rectangular pile, and the refusals.
#include <gtest/gtest.h>

#include <cmath>
#include <string>

#include "core/number_format.h"
#include "core/pile_calc.h"

namespace pile {
namespace {

// Reads and computes a screen; fails the test if either step refuses.
PileResult compute(InputTexts t) {
    auto read = ReadPileInput(t);
    if (auto* r = std::get_if<Rejection>(&read)) {
        ADD_FAILURE() << "input refused: " << r->message;
        return {};
    }
    auto result = ComputePile(std::get<PileInput>(read));
    if (auto* r = std::get_if<Rejection>(&result)) {
        ADD_FAILURE() << "pile refused: " << r->message;
        return {};
    }
    return std::get<PileResult>(result);
}

std::variant<PileResult, Rejection> tryCompute(InputTexts t) {
    auto read = ReadPileInput(t);
    if (auto* r = std::get_if<Rejection>(&read)) return *r;
    return ComputePile(std::get<PileInput>(read));
}

// Two decimals, as the books print forces.
std::string kN(double x) { return FormatFixed(x, 15, 2); }

InputTexts fukCircle() {
    InputTexts t;
    t.mode = RockStrengthMode::Fuk;
    t.process = 0;
    t.processText = "干作业成孔且清底干净";
    return t;
}

InputTexts ellipse(bool slope) {
    InputTexts t;
    t.section = SectionType::Ellipse;
    t.tyzd = "500";
    t.process = 0;
    t.processText = "人工挖孔";
    t.slope = slope;
    return t;
}

InputTexts rectangle() {
    InputTexts t;
    t.section = SectionType::Rectangle;
    t.dd = "1500";
    t.tyzd = "1000";
    t.hr = "1.0b";
    t.process = 0;
    t.processText = "人工挖孔";
    t.slope = true;
    return t;
}

TEST(ComputePile, DefaultCircularPile) {
    const PileResult r = compute(InputTexts{});
    ASSERT_TRUE(r.rockClass.has_value());
    EXPECT_STREQ(RockClassName(*r.rockClass), "较软岩");
    ASSERT_TRUE(r.zetaR.has_value());
    EXPECT_EQ(FormatFixed(*r.zetaR, 7, 4), "0.8567");
    EXPECT_FALSE(r.coef.has_value());
    EXPECT_FALSE(r.beta.has_value());
    EXPECT_EQ(kN(r.area), "785398.16");
    EXPECT_EQ(FormatFixed(r.area / 1000000, 6, 2), "0.79");
    EXPECT_EQ(FormatFixed(r.perimeter / 1000, 6, 2), "3.14");
    EXPECT_DOUBLE_EQ(r.depthRatio, 1.0);
    EXPECT_DOUBLE_EQ(r.rUsed, 1.0);
    EXPECT_FALSE(r.capped);
    EXPECT_FALSE(r.sideRatio.has_value());
    EXPECT_EQ(kN(r.Qrk), "16820.61");
    EXPECT_EQ(r.Qsk, 0);
    EXPECT_EQ(r.Quk, r.Qrk);
    EXPECT_EQ(r.K, 2);
    EXPECT_EQ(kN(r.Ra), "8410.31");
    EXPECT_DOUBLE_EQ(r.psiC, 0.7);
    EXPECT_DOUBLE_EQ(r.fc, 14.3);
    EXPECT_EQ(kN(r.Rc), "7861.84");
    EXPECT_EQ(FormatResult(r.Ra, RoundingMode::Units, 7), "8410");
    EXPECT_EQ(FormatResult(r.Rc, RoundingMode::Units, 7), "7862");
}

TEST(ComputePile, DefaultCircularPileInFukMode) {
    const PileResult r = compute(fukCircle());
    EXPECT_FALSE(r.rockClass.has_value());
    EXPECT_FALSE(r.zetaR.has_value());
    ASSERT_TRUE(r.beta.has_value());
    ASSERT_TRUE(r.coef.has_value());
    EXPECT_NEAR(*r.beta, 1.105, 1e-12);
    EXPECT_NEAR(*r.coef, 1.326, 1e-12);
    EXPECT_EQ(FormatFixed(*r.coef, 7, 4), "1.3260");
    EXPECT_EQ(kN(r.Qrk), "24994.51");
    EXPECT_EQ(r.K, 3);
    EXPECT_EQ(kN(r.Ra), "8331.50");
    EXPECT_DOUBLE_EQ(r.psiC, 0.9);
    EXPECT_EQ(kN(r.Rc), "10108.07");
}

TEST(ComputePile, CircleProcessFactorOnZetaR) {
    struct Case {
        const char* name;
        int process;
        double factor;
        double psiC;
    };
    const Case cases[] = {
        {"dry work", 0, 1.2, 0.9},
        {"mud protected", 1, 1.0, 0.7},
        {"mud protected, post-grouted", 2, 1.2, 0.8},
    };
    const double base = LookupZetaR(1.0, 25).zetaBase;
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        InputTexts t;
        t.process = c.process;
        const PileResult r = compute(t);
        EXPECT_NEAR(*r.zetaR, c.factor * base, 1e-12);
        EXPECT_DOUBLE_EQ(r.psiC, c.psiC);
        EXPECT_NEAR(r.Qrk, r.area * *r.zetaR * 25 / 1000, 1e-9);
    }
}

TEST(ComputePile, EllipticalPile) {
    const PileResult r = compute(ellipse(false));
    EXPECT_STREQ(RockClassName(*r.rockClass), "较软岩");
    EXPECT_NEAR(*r.beta, 1.0885, 1e-12);
    EXPECT_NEAR(*r.coef, 1.3062, 1e-12);
    EXPECT_DOUBLE_EQ(*r.alpha0, 1.0);
    EXPECT_DOUBLE_EQ(*r.sideRatio, 0.5);
    EXPECT_EQ(kN(r.area), "1285398.16");
    EXPECT_EQ(FormatFixed(r.perimeter / 1000, 6, 2), "4.14");
    EXPECT_EQ(kN(r.Qrk), "41974.68");
    EXPECT_EQ(r.K, 3);
    EXPECT_EQ(kN(r.Ra), "13991.56");
    EXPECT_EQ(kN(r.Rc), "16543.07");

    const PileResult met = compute(ellipse(true));
    EXPECT_DOUBLE_EQ(*met.alpha0, 1.1);
    EXPECT_EQ(kN(met.Ra), "15390.71");
}

TEST(ComputePile, RectangularPile) {
    const PileResult r = compute(rectangle());
    EXPECT_EQ(FormatFixed(*r.sideRatio, 7, 3), "0.667");
    EXPECT_EQ(FormatFixed(*r.beta, 7, 4), "1.0833");
    EXPECT_NEAR(*r.coef, 1.43, 1e-12);
    EXPECT_DOUBLE_EQ(*r.alpha0, 1.1);
    EXPECT_DOUBLE_EQ(r.area, 1500000);
    EXPECT_DOUBLE_EQ(r.perimeter, 5000);
    EXPECT_EQ(kN(r.Qrk), "53625.00");
    EXPECT_EQ(kN(r.Ra), "17875.00");
    EXPECT_EQ(kN(r.Rc), "19305.00");
}

TEST(ComputePile, FukModeCoefficientStepsAtHalfTheDiameter) {
    struct Case {
        const char* name;
        SectionType section;
        const char* tyzd;
        const char* hr;
        double coef;
    };
    const Case cases[] = {
        {"circle below 0.5d", SectionType::Circle, "0", "0.4d", 1.0},
        {"circle at 0.5d", SectionType::Circle, "0", "0.5d", 1.2},
        {"circle at zero depth", SectionType::Circle, "0", "0", 1.0},
        {"ellipse below 0.5d", SectionType::Ellipse, "500", "499", 1.0},
        {"ellipse at 0.5d", SectionType::Ellipse, "500", "500", 1.2},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        InputTexts t = fukCircle();
        t.section = c.section;
        t.tyzd = c.tyzd;
        t.hr = c.hr;
        const PileResult r = compute(t);
        EXPECT_DOUBLE_EQ(*r.coef, c.coef);
        EXPECT_NEAR(r.Qrk, c.coef * 24 * r.area / 1000, 1e-9);
        EXPECT_FALSE(r.alpha0.has_value());
    }
}

TEST(ComputePile, RefusesARockParameterThatIsNotPositive) {
    struct Case {
        const char* name;
        RockStrengthMode mode;
        const char* frk;
        const char* fuk;
        Rejection expected;
    };
    const Rejection frk{"岩石单轴抗压强度值有错", "edt_frk", RefusalKind::Rock};
    const Rejection fuk{"桩端地基极限承载力值有错", "edt_fuk", RefusalKind::Rock};
    const Case cases[] = {
        {"frk zero", RockStrengthMode::Frk, "0", "24", frk},
        {"frk negative", RockStrengthMode::Frk, "-3", "24", frk},
        {"frk letters", RockStrengthMode::Frk, "abc", "24", frk},
        {"fuk zero", RockStrengthMode::Fuk, "25", "0", fuk},
        {"fuk empty", RockStrengthMode::Fuk, "25", "", fuk},
    };
    for (SectionType s : {SectionType::Circle, SectionType::Ellipse, SectionType::Rectangle}) {
        for (const auto& c : cases) {
            SCOPED_TRACE(c.name);
            SCOPED_TRACE(static_cast<int>(s));
            InputTexts t = s == SectionType::Circle    ? InputTexts{}
                           : s == SectionType::Ellipse ? ellipse(true)
                                                       : rectangle();
            t.mode = c.mode;
            t.frk = c.frk;
            t.fuk = c.fuk;
            const auto result = tryCompute(t);
            ASSERT_TRUE(std::holds_alternative<Rejection>(result));
            EXPECT_EQ(std::get<Rejection>(result), c.expected);
        }
    }
    // The mode that is not selected is not checked.
    InputTexts t;
    t.fuk = "0";
    EXPECT_TRUE(std::holds_alternative<PileResult>(tryCompute(t)));
}

bool allFinite(const PileResult& r) {
    const auto ok = [](double x) { return std::isfinite(x); };
    const auto okOpt = [&](const std::optional<double>& x) { return !x || ok(*x); };
    return ok(r.area) && ok(r.perimeter) && ok(r.depthRatio) && ok(r.rUsed) && okOpt(r.sideRatio) &&
           okOpt(r.zetaR) && okOpt(r.beta) && okOpt(r.alpha0) && okOpt(r.coef) && ok(r.psiC) &&
           ok(r.fc) && ok(r.Qrk) && ok(r.Qsk) && ok(r.Quk) && ok(r.K) && ok(r.Ra) && ok(r.Rc);
}

TEST(ComputePile, RefusesInputsWhoseResultsWouldOverflow) {
    struct Case {
        const char* name;
        InputTexts texts;
        Rejection expected;
    };
    const auto with = [](InputTexts t, auto change) {
        change(t);
        return t;
    };
    const Rejection diameter{"桩身直径数据有错", "cbe_dd", RefusalKind::Size};
    const Rejection longSide{"矩形长边尺寸数据有错", "cbe_dd", RefusalKind::Size};
    const Case cases[] = {
        {"area overflows", with(InputTexts{}, [](InputTexts& t) { t.dd = "1e200"; }), diameter},
        {"capacity overflows by the size",
         with(InputTexts{}, [](InputTexts& t) { t.dd = "1e154"; }), diameter},
        {"capacity overflows by frk",
         with(InputTexts{}, [](InputTexts& t) { t.frk = "1e307"; }),
         {"岩石单轴抗压强度值有错", "edt_frk", RefusalKind::Rock}},
        {"capacity overflows by fuk",
         with(fukCircle(), [](InputTexts& t) { t.fuk = "1e307"; }),
         {"桩端地基极限承载力值有错", "edt_fuk", RefusalKind::Rock}},
        {"ellipse area overflows",
         with(ellipse(false), [](InputTexts& t) { t.dd = "1e200", t.tyzd = "1e200"; }), diameter},
        {"rectangle area overflows",
         with(rectangle(), [](InputTexts& t) { t.dd = "1e200", t.tyzd = "1e200"; }), longSide},
        {"depth ratio overflows",
         with(InputTexts{}, [](InputTexts& t) { t.dd = "1e-300", t.hr = "1e10"; }),
         {"嵌岩深度数据有错", "cbe_hr", RefusalKind::Depth}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const auto result = tryCompute(c.texts);
        ASSERT_TRUE(std::holds_alternative<Rejection>(result));
        EXPECT_EQ(std::get<Rejection>(result), c.expected);
    }
}

TEST(ComputePile, EveryAcceptedPileIsFiniteAcrossAllMagnitudes) {
    // Sweeps size, depth and rock parameter over the whole double range, for every section
    // and mode: a pile is either refused or all of its values are finite.
    for (SectionType s : {SectionType::Circle, SectionType::Ellipse, SectionType::Rectangle}) {
        for (RockStrengthMode m : {RockStrengthMode::Frk, RockStrengthMode::Fuk}) {
            for (int e = -320; e <= 308; e += 7) {
                const std::string big = "1e" + std::to_string(e);
                InputTexts variants[3];
                for (auto& t : variants) {
                    t = s == SectionType::Circle    ? InputTexts{}
                        : s == SectionType::Ellipse ? ellipse(true)
                                                    : rectangle();
                    t.mode = m;
                }
                variants[0].dd = big;
                variants[0].tyzd = s == SectionType::Circle ? "0" : big;
                variants[1].hr = big;
                variants[2].frk = big;
                variants[2].fuk = big;
                for (const auto& t : variants) {
                    SCOPED_TRACE(t.dd + " " + t.tyzd + " " + t.hr + " " + t.frk + " " + t.fuk);
                    const auto result = tryCompute(t);
                    if (const auto* r = std::get_if<PileResult>(&result)) {
                        EXPECT_TRUE(allFinite(*r));
                    }
                }
            }
        }
    }
}

TEST(ComputePile, RefusesARecordThatWasNotReadFromTheScreen) {
    PileInput in;
    in.size1 = -1;
    in.hr = 1000;
    in.frk = 25;
    EXPECT_EQ(std::get<Rejection>(ComputePile(in)),
              (Rejection{"桩身直径数据有错", "cbe_dd", RefusalKind::Size}));
    in.size1 = 1000;
    in.hr = std::nan("");
    EXPECT_EQ(std::get<Rejection>(ComputePile(in)),
              (Rejection{"嵌岩深度数据有错", "cbe_hr", RefusalKind::Depth}));
    in.hr = 1000;
    in.frk = std::nan("");
    EXPECT_EQ(std::get<Rejection>(ComputePile(in)),
              (Rejection{"岩石单轴抗压强度值有错", "edt_frk", RefusalKind::Rock}));
}

}  // namespace
}  // namespace pile
