// The soil side resistance: layer resistances, running sums, shares and messages.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "soil/side_resistance.h"

namespace pile {
namespace {

namespace col = side_col;

SideResistanceInput screen(PileSection pile, std::vector<SideLayer> layers) {
    SideResistanceInput in;
    in.pile = std::move(pile);
    in.layers = std::move(layers);
    return in;
}

// A 250 x 250 square has a perimeter of exactly 1 m, so Qsik = li * qsik.
const PileSection kUnitSquare{SectionType::Rectangle, "250", "250"};

TEST(SideResistance, DefaultScreenGivesTheListedRow) {
    const SideResistanceResult r = ComputeSideResistance(SideResistanceInput{});
    ASSERT_EQ(r.layers.size(), 1u);
    const auto& c = r.layers[0].cells;
    EXPECT_EQ(c[col::kNumber], "1");
    EXPECT_EQ(c[col::kThickness], "10.000");
    EXPECT_EQ(c[col::kQsik], "40.00");
    EXPECT_EQ(c[col::kPerimeter], "3.14");
    EXPECT_EQ(c[col::kResistance], "1256.64");
    EXPECT_EQ(c[col::kResistanceSum], "1256.64");
    EXPECT_EQ(c[col::kShare], "100.00%");
    EXPECT_EQ(c[col::kShareBar], "100.00");
    EXPECT_EQ(c[col::kRemark], "");
    EXPECT_EQ(r.qskLabel, "Qsk=1256.64kN");
    EXPECT_DOUBLE_EQ(r.qskShown(), 1256.64);
    EXPECT_EQ(r.message, "");
    EXPECT_FALSE(r.revealInputMessageLabel);
}

TEST(SideResistance, Layers) {
    const struct {
        const char* name;
        PileSection pile;
        std::vector<SideLayer> layers;
        std::vector<const char*> perimeter, resistance, sum, share;
        const char* label;
    } cases[] = {
        {"rectangle perimeter in every row",
         {SectionType::Rectangle, "2000", "1500"},
         {SideLayer{"1", "10"}, SideLayer{"1", "30"}},
         {"7.00", "7.00"},
         {"70.00", "210.00"},
         {"70.00", "280.00"},
         {"25.00%", "75.00%"},
         "Qsk=280.00kN"},
        {"two layers of 300 and 100",
         kUnitSquare,
         {SideLayer{"10", "30"}, SideLayer{"5", "20"}},
         {"1.00", "1.00"},
         {"300.00", "100.00"},
         {"300.00", "400.00"},
         {"75.00%", "25.00%"},
         "Qsk=400.00kN"},
        {"zero total",
         kUnitSquare,
         {SideLayer{"0", "30"}, SideLayer{"", "20"}},
         {"1.00", "1.00"},
         {"0.00", "0.00"},
         {"0.00", "0.00"},
         {"0.00%", "0.00%"},
         "Qsk=0.00kN"},
        {"negative qsik lowers the total",
         kUnitSquare,
         {SideLayer{"10", "30"}, SideLayer{"10", "-10"}},
         {"1.00", "1.00"},
         {"300.00", "-100.00"},
         {"300.00", "200.00"},
         {"150.00%", "-50.00%"},
         "Qsk=200.00kN"},
        {"layers that cancel leave no residue to share",
         {SectionType::Circle, "1000", "0"},
         {SideLayer{"1.1", "3"}, SideLayer{"3.3", "-1"}},
         {"3.14", "3.14"},
         {"10.37", "-10.37"},
         {"10.37", "0.00"},
         {"0.00%", "0.00%"},
         "Qsk=0.00kN"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const SideResistanceResult r = ComputeSideResistance(screen(c.pile, c.layers));
        ASSERT_EQ(r.layers.size(), c.layers.size());
        for (std::size_t i = 0; i < c.layers.size(); ++i) {
            SCOPED_TRACE(i + 1);
            const auto& cells = r.layers[i].cells;
            EXPECT_EQ(cells[col::kPerimeter], c.perimeter[i]);
            EXPECT_EQ(cells[col::kResistance], c.resistance[i]);
            EXPECT_EQ(cells[col::kResistanceSum], c.sum[i]);
            EXPECT_EQ(cells[col::kShare], c.share[i]);
        }
        EXPECT_EQ(r.qskLabel, c.label);
    }
}

// Negative values are reported and used as entered; the label keeps the last message raised.
TEST(SideResistance, Messages) {
    const struct {
        const char* name;
        std::vector<SideLayer> layers;
        const char* message;
        bool reveal;
    } cases[] = {
        {"negative qsik", {SideLayer{"10", "-10"}}, "第1层土侧阻力错", true},
        {"negative thickness", {SideLayer{"-10", "40"}}, "第1层土厚度错", false},
        {"last message wins",
         {SideLayer{"10", "-10"}, SideLayer{"-1", "40"}},
         "第2层土厚度错",
         true},
        {"corrected values", {SideLayer{"10", "10"}}, "", false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const SideResistanceResult r = ComputeSideResistance(screen(kUnitSquare, c.layers));
        EXPECT_EQ(r.message, c.message);
        EXPECT_EQ(r.messageColour, *c.message ? TextColour::Red : TextColour::Black);
        EXPECT_EQ(r.revealInputMessageLabel, c.reveal);
    }
    const SideResistanceResult r =
        ComputeSideResistance(screen(kUnitSquare, {SideLayer{"10", "-10"}}));
    EXPECT_EQ(r.layers[0].cells[col::kResistance], "-100.00");
    EXPECT_EQ(r.qskShown(), -100);
}

TEST(SideResistance, TwentyLayers) {
    const SideResistanceResult r = ComputeSideResistance(
        screen(kUnitSquare, std::vector<SideLayer>(20, SideLayer{"1.5", "20"})));
    ASSERT_EQ(r.layers.size(), 20u);
    EXPECT_EQ(r.layers.back().cells[col::kNumber], "20");
    EXPECT_EQ(r.layers.back().cells[col::kResistanceSum], "600.00");
    EXPECT_EQ(r.layers.back().cells[col::kShare], "5.00%");
    EXPECT_DOUBLE_EQ(r.qskShown(), 600);
}

}  // namespace
}  // namespace pile
