// Soil texts that are not numbers: refused with their field's message instead of being read as
// 0 or as their first digits, on either soil screen and in the formula-two computation.
#include <gtest/gtest.h>

#include <string>
#include <variant>
#include <vector>

#include "soil/formula_two.h"

namespace pile {
namespace {

// A 250 x 250 square has a perimeter of exactly 1 m.
const PileSection kUnitSquare{SectionType::Rectangle, "250", "250"};

SideResistanceInput side(std::vector<SideLayer> layers) {
    SideResistanceInput in;
    in.pile = kUnitSquare;
    in.layers = std::move(layers);
    return in;
}

TEST(SoilTexts, SideResistance) {
    const struct {
        const char* name;
        std::vector<SideLayer> layers;
        const char* error;  // "" when the texts are numbers
        const char* qsk;    // the label when computed
    } cases[] = {
        {"decimal comma in li", {{"2,5", "40"}}, "第1层土厚度错", ""},
        {"full-width comma", {{"2，5", "40"}}, "第1层土厚度错", ""},
        {"qsik in words", {{"2", "四十六"}}, "第1层土侧阻力错", ""},
        {"letters", {{"abc", "40"}}, "第1层土厚度错", ""},
        {"a sign alone", {{"2", "-"}}, "第1层土侧阻力错", ""},
        {"overflow", {{"1e999", "40"}}, "第1层土厚度错", ""},
        {"layer by layer: layer 1 qsik before layer 2 li",
         {{"2", "x"}, {"y", "40"}},
         "第1层土侧阻力错",
         ""},
        {"the first bad layer", {{"2", "40"}, {"3", "40"}, {"1,5", "40"}}, "第3层土厚度错", ""},
        {"a text error before a negative value",
         {{"-1", "40"}, {"2", "1,5"}},
         "第2层土侧阻力错",
         ""},
        {"empty and blank are 0", {{"", "40"}, {"2", "  "}}, "", "Qsk=0.00kN"},
        {"a unit after the number", {{"2.5m", "40kPa"}}, "", "Qsk=100.00kN"},
        {"a comma not before a digit", {{"2.5,", "40"}}, "", "Qsk=100.00kN"},
        {"blanks before the number", {{"  2.5", "\t40"}}, "", "Qsk=100.00kN"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const SideResistanceResult r = ComputeSideResistance(side(c.layers));
        EXPECT_EQ(r.inputError, c.error);
        ASSERT_EQ(r.layers.size(), c.layers.size());
        if (*c.error) {
            EXPECT_EQ(r.message, c.error);
            EXPECT_EQ(r.messageColour, TextColour::Red);
            EXPECT_EQ(r.qskLabel, "");
            EXPECT_EQ(r.Qsk, 0);
            EXPECT_FALSE(r.revealInputMessageLabel);
            // The typed texts stay; nothing computed is shown.
            EXPECT_EQ(r.layers[0].cells[side_col::kThickness], c.layers[0].thickness);
            for (int k = side_col::kPerimeter; k < kSideGridColumns; ++k)
                EXPECT_EQ(r.layers[0].cells[k], "") << k;
        } else {
            EXPECT_EQ(r.qskLabel, c.qsk);
        }
    }
}

TEST(SoilTexts, DragLoad) {
    const SoilLayer good{"", "-10", "17", "0.3", "25"};
    const auto with = [&good](int layer, int cell, std::string text) {
        DragLoadInput in;
        in.pile = kUnitSquare;
        in.layers = {good, SoilLayer{"", "-20", "18", "0.3", "30"}};
        SoilLayer& l = in.layers[static_cast<size_t>(layer)];
        std::string* cells[] = {&in.p, &in.eg, &in.ep, &l.bottom, &l.unitWeight, &l.xi, &l.qsik};
        *cells[cell] = std::move(text);
        return in;
    };
    const struct {
        const char* name;
        DragLoadInput input;
        const char* error;
    } cases[] = {
        {"p", with(0, 0, "abc"), "地面大面积荷载数据有错"},
        {"Eg with a decimal comma", with(0, 1, "-0,3"), "地面标高数据有错"},
        {"Ep", with(0, 2, "一"), "桩顶标高数据有错"},
        {"Ei", with(1, 3, "-20,5"), "第2层层底标高数据有错"},
        {"gamma", with(1, 4, "19,8"), "第2层土重度数据有错"},
        {"xi", with(0, 5, "0,35"), "第1层土负摩阻力系数数据有错"},
        {"qsik", with(1, 6, "四十六"), "第2层土侧阻力数据有错"},
        {"a blank p is 0", with(0, 0, " "), ""},
        {"a unit after gamma", with(0, 4, "17kN/m3"), ""},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const DragLoadResult r = ComputeDragLoad(c.input);
        EXPECT_EQ(r.inputError, c.error);
        EXPECT_EQ(r.layers.size(), 2u);
        if (*c.error) {
            EXPECT_EQ(r.message, c.error);
            EXPECT_EQ(r.messages, std::vector<std::string>{c.error});
            EXPECT_EQ(r.qgnLabel, "");
            EXPECT_EQ(r.Qgn, 0);
            for (size_t i = 0; i < r.layers.size(); ++i) {
                const auto& cells = r.layers[i].cells;
                EXPECT_EQ(cells[drag_col::kUnitWeight], c.input.layers[i].unitWeight);
                for (int k = drag_col::kPerimeter; k < kDragGridColumns; ++k)
                    EXPECT_EQ(cells[k], "") << k;
            }
        } else {
            EXPECT_FALSE(r.qgnLabel.empty());
        }
    }
    // The screen's order: p, Eg, Ep, then layer by layer Ei, gamma, xi, qsik.
    DragLoadInput in = with(0, 6, "x");
    in.layers[1].bottom = "y";
    EXPECT_EQ(ComputeDragLoad(in).inputError, "第1层土侧阻力数据有错");
    in.ep = "z";
    EXPECT_EQ(ComputeDragLoad(in).inputError, "桩顶标高数据有错");
    in.layers[0].unitWeight = "w";
    EXPECT_EQ(ComputeDragLoad(in).inputError, "桩顶标高数据有错");
}

// The default pile of the input screen.
PileResult defaultPile() {
    InputTexts texts;
    const auto input = ReadPileInput(texts);
    return std::get<PileResult>(ComputePile(std::get<PileInput>(input)));
}

// The formula-two computation refuses the pile: the side screen first (its texts, then its
// layers), then the drag screen (its texts, then its layers), each only when ticked.
TEST(SoilTexts, FormulaTwoRefusesThePile) {
    const SideLayer badText{"2,5", "40"}, negative{"-1", "40"};
    const SoilLayer above{"", "5", "17", "0.3", "25"};  // bottom above Eg = 0
    const SoilLayer xiText{"", "-10", "17", "0,35", "25"};
    const struct {
        const char* name;
        bool dragTicked, sideTicked;
        std::vector<SideLayer> side;
        std::vector<SoilLayer> drag;
        const char* message;  // "" when computed
        const char* field;
    } cases[] = {
        {"side text", true, true, {badText}, {xiText}, "第1层土厚度错", "side"},
        {"side negative before drag text",
         true,
         true,
         {negative},
         {xiText},
         "第1层土厚度错",
         "side"},
        {"drag texts before drag layers",
         true,
         true,
         {{"2", "40"}},
         {above, xiText},
         "第2层土负摩阻力系数数据有错",
         "drag"},
        {"drag layers",
         true,
         true,
         {{"2", "40"}},
         {above},
         "第1层层底标高高于上一层底标高",
         "drag"},
        {"drag text",
         true,
         true,
         {{"2", "40"}},
         {xiText, above},
         "第1层土负摩阻力系数数据有错",
         "drag"},
        {"side unticked", true, false, {badText}, {SoilLayer{}}, "", ""},
        {"drag unticked", false, true, {{"2", "40"}}, {xiText}, "", ""},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        FormulaTwoSoil soil;
        soil.dragLoad = c.dragTicked;
        soil.sideResistance = c.sideTicked;
        soil.side.layers = c.side;
        soil.drag.layers = c.drag;
        soil.drag.eg = "0";
        soil.drag.ep = "0";
        const FormulaTwoRun run =
            computeFormulaTwo(defaultPile(), kUnitSquare, soil, RoundingMode::Units);
        if (*c.message) {
            ASSERT_TRUE(run.refusal);
            EXPECT_EQ(run.refusal->message, c.message);
            EXPECT_EQ(run.refusal->field, c.field);
            EXPECT_EQ(run.refusal->kind, RefusalKind::SoilLayer);
        } else {
            EXPECT_FALSE(run.refusal);
        }
    }
}

}  // namespace
}  // namespace pile
