// The formula-two capacity: Qsk and Qgn entering the pile, the load limits and their check.
#include <gtest/gtest.h>

#include <variant>

#include "soil/formula_two.h"

namespace pile {
namespace {

// The default pile of the input screen: Ra = 8410.31 kN, Rc = 7861.84 kN.
PileResult defaultPile() {
    InputTexts texts;
    const auto input = ReadPileInput(texts);
    const auto result = ComputePile(std::get<PileInput>(input));
    return std::get<PileResult>(result);
}

TEST(FormulaTwo, WithoutSoilTermsEqualsFormulaOne) {
    const PileResult one = defaultPile();
    const FormulaTwoRun run =
        computeFormulaTwo(one, PileSection{}, FormulaTwoSoil{}, RoundingMode::Units);
    const FormulaTwoResult& r = run.result;
    EXPECT_FALSE(run.drag.has_value());
    EXPECT_FALSE(run.side.has_value());
    EXPECT_EQ(r.pile.Ra, one.Ra);
    EXPECT_EQ(r.pile.Rc, one.Rc);
    EXPECT_EQ(r.pile.zetaR, one.zetaR);
    EXPECT_EQ(r.pile.Qsk, 0);
    EXPECT_EQ(r.pile.Qgn, 0.0);
    EXPECT_EQ(r.pile.NkLimit, one.Ra);
    EXPECT_EQ(r.pile.NLimit, one.Rc);
    EXPECT_EQ(r.verdict, LimitVerdict::Normal);
    EXPECT_EQ(RaText(r.pile.Ra, RoundingMode::Units, ShownOn::Screen), "8410");
    EXPECT_EQ(RcText(r.pile.Rc, RoundingMode::Units, ShownOn::Screen), "7862");
    EXPECT_EQ(r.qgnText, "0");
    EXPECT_EQ(r.nkLimitText, "8410");
    EXPECT_EQ(r.nLimitText, "7862");
    EXPECT_EQ(r.nkLimitColour, TextColour::OrangeRed);
    EXPECT_EQ(r.nLimitColour, TextColour::OrangeRed);
    EXPECT_EQ(r.message, "");
    EXPECT_EQ(r.messageColour, TextColour::Black);
    EXPECT_FALSE(r.revealMessageLabel);
}

TEST(FormulaTwo, SideResistanceRaisesRaByQskOverK) {
    const PileResult one = defaultPile();
    FormulaTwoSoil soil;
    soil.sideResistance = true;
    const FormulaTwoRun run =
        computeFormulaTwo(one, PileSection{}, soil, RoundingMode::TwoDecimals);
    ASSERT_TRUE(run.side.has_value());
    EXPECT_DOUBLE_EQ(run.result.pile.Qsk, 1256.64);
    EXPECT_DOUBLE_EQ(run.result.pile.Quk, one.Qrk + 1256.64);
    EXPECT_DOUBLE_EQ(run.result.pile.Ra, one.Ra + 1256.64 / 2);
    EXPECT_EQ(run.result.pile.NkLimit, run.result.pile.Ra);
    EXPECT_EQ(RaText(run.result.pile.Ra, RoundingMode::TwoDecimals, ShownOn::Screen), "9038.63");
}

TEST(FormulaTwo, DefaultSoilScreens) {
    const PileResult one = defaultPile();
    FormulaTwoSoil soil;
    soil.dragLoad = true;
    soil.sideResistance = true;
    const struct {
        const char* name;
        RoundingMode mode;
        const char* qgn;
    } cases[] = {
        {"two decimals", RoundingMode::TwoDecimals, "604.23"},
        {"units", RoundingMode::Units, "604"},
        {"tens", RoundingMode::Tens, "600"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const FormulaTwoRun run = computeFormulaTwo(one, PileSection{}, soil, c.mode);
        const PileResult& r = run.result.pile;
        EXPECT_DOUBLE_EQ(*r.Qgn, 604.23);
        EXPECT_EQ(*r.NkLimit, r.Ra);  // Qgn < 0.5 Ra
        EXPECT_DOUBLE_EQ(*r.NLimit, one.Rc - 1.2 * 604.23);
        EXPECT_EQ(run.result.qgnText, c.qgn);
        EXPECT_EQ(run.result.verdict, LimitVerdict::Normal);
    }
}

// [Nk] = Min(Ra, 1.5Ra - Qgn) and [N] = Rc - 1.2Qgn with Ra = 1000 kN, and the check that
// colours the fields and raises the message.
TEST(FormulaTwo, LoadLimits) {
    const struct {
        const char* name;
        double qgn, rc;
        double nk, n;
        LimitVerdict verdict;
        TextColour nkColour, nColour;
        const char* message;
    } cases[] = {
        {"Qgn = 0.4Ra", 400, 5000, 1000, 4520, LimitVerdict::Normal, TextColour::OrangeRed,
         TextColour::OrangeRed, ""},
        {"Qgn = 0.5Ra", 500, 5000, 1000, 4400, LimitVerdict::Normal, TextColour::OrangeRed,
         TextColour::OrangeRed, ""},
        {"Qgn = 0.8Ra", 800, 5000, 700, 4040, LimitVerdict::Normal, TextColour::OrangeRed,
         TextColour::OrangeRed, ""},
        {"Qgn = 1.5Ra gives zero, not negative", 1500, 5000, 0, 3200, LimitVerdict::Normal,
         TextColour::OrangeRed, TextColour::OrangeRed, ""},
        {"Qgn = 2Ra with Rc >= 2.4Ra", 2000, 5000, -500, 2600, LimitVerdict::NkAbnormal,
         TextColour::Red, TextColour::OrangeRed, "下拉荷载太大，引发[Nk]<0异常"},
        {"[N] only", 900, 1000, 600, -80, LimitVerdict::NAbnormal, TextColour::OrangeRed,
         TextColour::Red, "下拉荷载太大，引发[N]<0异常"},
        {"both", 2000, 1000, -500, -1400, LimitVerdict::BothAbnormal, TextColour::Red,
         TextColour::Red, "下拉荷载太大，引发竖向荷载限值异常"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        PileResult one;
        one.Qrk = 2000;
        one.Quk = 2000;
        one.K = 2;
        one.Ra = 1000;
        one.Rc = c.rc;
        DragLoadResult drag;
        drag.Qgn = c.qgn;
        const FormulaTwoResult r = applySoilTerms(one, nullptr, &drag, RoundingMode::TwoDecimals);
        EXPECT_NEAR(*r.pile.NkLimit, c.nk, 1e-9);
        EXPECT_NEAR(*r.pile.NLimit, c.n, 1e-9);
        EXPECT_EQ(r.verdict, c.verdict);
        EXPECT_EQ(r.nkLimitColour, c.nkColour);
        EXPECT_EQ(r.nLimitColour, c.nColour);
        EXPECT_EQ(r.message, c.message);
        EXPECT_EQ(r.messageColour, *c.message ? TextColour::Red : TextColour::Black);
        EXPECT_EQ(r.revealMessageLabel, *c.message != '\0');
    }
    // Qgn = 1.5Ra: zero exactly, written without a sign.
    PileResult one;
    one.Qrk = one.Quk = 2000;
    one.K = 2;
    one.Rc = 5000;
    DragLoadResult drag;
    drag.Qgn = 1500;
    EXPECT_EQ(applySoilTerms(one, nullptr, &drag, RoundingMode::TwoDecimals).nkLimitText, "0.00");
}

// Limits that are zero in exact arithmetic are zero, not a negative residue of the last
// binary digit of Ra or Rc, so the verdict is normal and no message is raised.
TEST(FormulaTwo, LimitsThatAreZeroInExactArithmetic) {
    // Rectangle 1500 x 1000 mm, hr = 1.0b, frk = 25 MPa, slope condition not met, C60:
    // Ra = 16250 kN in exact arithmetic (16249.999999999998 in doubles), Rc = 37125 kN.
    InputTexts texts;
    texts.section = SectionType::Rectangle;
    texts.dd = "1500";
    texts.tyzd = "1000";
    texts.hr = "1.0b";
    texts.process = 0;
    texts.processText = "人工挖孔";
    texts.gradeIndex = 7;
    texts.gradeText = "C60";
    const PileResult rectangle =
        std::get<PileResult>(ComputePile(std::get<PileInput>(ReadPileInput(texts))));
    // Rc = 600 x 300 x 0.7 x 14.3 / 1000 = 1801.8 kN exactly, 1801.7999999999997 in doubles.
    PileResult small;
    small.Qrk = small.Quk = 6000;
    small.K = 3;
    small.Ra = 2000;
    small.Rc = 600.0 * 300.0 * 0.7 * 14.3 / 1000;
    const struct {
        const char* name;
        PileResult pile;
        double qgn;
        const char* nk;
        const char* n;
    } cases[] = {
        {"Qgn = 1.5Ra", rectangle, 24375, "0.00", "7875.00"},
        {"1.2Qgn = Rc", small, 1501.5, "1498.50", "0.00"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        DragLoadResult drag;
        drag.Qgn = c.qgn;
        const FormulaTwoResult r =
            applySoilTerms(c.pile, nullptr, &drag, RoundingMode::TwoDecimals);
        EXPECT_GE(*r.pile.NkLimit, 0);
        EXPECT_GE(*r.pile.NLimit, 0);
        EXPECT_EQ(r.nkLimitText, c.nk);
        EXPECT_EQ(r.nLimitText, c.n);
        EXPECT_EQ(r.verdict, LimitVerdict::Normal);
        EXPECT_EQ(r.message, "");
    }
}

TEST(FormulaTwo, VerdictTexts) {
    const struct {
        double nk, n;
        const char* text;
    } cases[] = {{0, 0, "正常"}, {-1, 0, "[Nk]异常"}, {0, -1, "[N]异常"}, {-1, -1, "异常"}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.text);
        EXPECT_STREQ(limitVerdictText(limitVerdictOf(c.nk, c.n)), c.text);
    }
}

// With elevations out of order the last layer carries no pile and its running-sum cell reads
// 0.00; the down-drag load is still the whole walk.
TEST(FormulaTwo, DownDragIsTheTotalOfTheWalk) {
    FormulaTwoSoil soil;
    soil.dragLoad = true;
    soil.drag.layers.push_back(SoilLayer{"", "-5", "17", "0.3", "25"});
    const FormulaTwoRun run =
        computeFormulaTwo(defaultPile(), PileSection{}, soil, RoundingMode::TwoDecimals);
    ASSERT_TRUE(run.drag.has_value());
    EXPECT_EQ(run.drag->layers.back().cells[drag_col::kQginSum], "0.00");
    EXPECT_EQ(run.result.qgnText, "604.23");
}

TEST(FormulaTwo, SoilRunsForTheComputedPile) {
    FormulaTwoSoil soil;
    soil.dragLoad = true;
    soil.sideResistance = true;
    soil.drag.pile = PileSection{SectionType::Rectangle, "2000", "1500"};
    soil.side.pile = soil.drag.pile;
    const FormulaTwoRun run =
        computeFormulaTwo(defaultPile(), PileSection{}, soil, RoundingMode::Units);
    EXPECT_EQ(run.drag->layers[0].cells[drag_col::kPerimeter], "3.14");
    EXPECT_EQ(run.side->layers[0].cells[side_col::kPerimeter], "3.14");
}

TEST(FormulaTwo, NegativeSideResistanceShowsTheInputLabel) {
    FormulaTwoSoil soil;
    soil.sideResistance = true;
    soil.side.layers = {SideLayer{"1", "-10"}};
    const FormulaTwoRun run =
        computeFormulaTwo(defaultPile(), PileSection{}, soil, RoundingMode::Units);
    EXPECT_EQ(run.side->message, "第1层土侧阻力错");
    EXPECT_EQ(run.result.verdict, LimitVerdict::Normal);
    EXPECT_EQ(run.result.message, "");
    EXPECT_TRUE(run.result.revealMessageLabel);
}

}  // namespace
}  // namespace pile
