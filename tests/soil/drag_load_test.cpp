// The down-drag load: the walk down the layers, the friction diagrams, messages and shares.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "soil/drag_load.h"

namespace pile {
namespace {

namespace col = drag_col;

SoilLayer layer(std::string bottom, std::string gamma, std::string xi, std::string qsik) {
    return SoilLayer{"", std::move(bottom), std::move(gamma), std::move(xi), std::move(qsik)};
}

DragLoadInput screen(std::string p, std::string eg, std::string ep, std::vector<SoilLayer> layers) {
    DragLoadInput in;
    in.p = std::move(p);
    in.eg = std::move(eg);
    in.ep = std::move(ep);
    in.layers = std::move(layers);
    return in;
}

TEST(DragLoad, DefaultScreenGivesTheListedRow) {
    const DragLoadResult r = ComputeDragLoad(DragLoadInput{});
    ASSERT_EQ(r.layers.size(), 1u);
    const auto& c = r.layers[0].cells;
    const struct {
        int column;
        const char* text;
    } expected[] = {
        {col::kNumber, "1"},
        {col::kBottom, "-10.000"},
        {col::kUnitWeight, "17.00"},
        {col::kXi, "0.30"},
        {col::kQsik, "25.00"},
        {col::kPerimeter, "3.14"},
        {col::kThickness, "9.70"},
        {col::kSigmaTop, "10.00"},
        {col::kSigmaSelf, "164.90"},
        {col::kSigmaBottom, "174.90"},
        {col::kSigmaMean, "92.45"},
        {col::kPileSide, "9.10"},
        {col::kPileSigmaTop, "20.20"},
        {col::kPileSigmaSelf, "154.70"},
        {col::kPileSigmaBottom, "174.90"},
        {col::kPileSigmaMean, "97.55"},
        {col::kQsinTop, "6.06"},
        {col::kQsinBottom, "52.47"},
        {col::kUsedQsinTop, "6.06"},
        {col::kUsedQsinBottom, "25.00"},
        {col::kQsinMax, "25.00"},
        // y0 = (25 - 6.06)/(0.3*17) = 3.71 below the pile top, which lies 0.60 below the
        // layer top: 4.31 from the layer top.
        {col::kQsinMaxDepth, "4.31"},
        {col::kQsinMean, "21.14"},
        {col::kQgin, "604.23"},
        {col::kQginSum, "604.23"},
        {col::kShare, "100.00%"},
        {col::kShareBar, "100.00"},
        {col::kShape, "梯形+矩形"},
        {col::kRemark, "本层有桩"},
    };
    for (const auto& e : expected) {
        SCOPED_TRACE(e.column);
        EXPECT_EQ(c[e.column], e.text);
    }
    EXPECT_EQ(r.layers[0].state, LayerPileState::PileTopInLayer);
    EXPECT_EQ(r.layers[0].shape, StressShape::TrapezoidRectangle);
    EXPECT_EQ(r.qgnLabel, "Qgn=604.23kN");
    EXPECT_DOUBLE_EQ(r.qgnShown(), 604.23);
    EXPECT_EQ(r.message, "");
    EXPECT_EQ(r.messageColour, TextColour::Black);
    EXPECT_EQ(r.surfaceLoadColour, TextColour::Black);
}

TEST(DragLoad, PerimeterOfEachSection) {
    const struct {
        const char* name;
        SectionType section;
        const char* dd;
        const char* tyzd;
        const char* mu;
    } cases[] = {
        {"circle ignores c", SectionType::Circle, "1000", "500", "3.14"},
        {"ellipse", SectionType::Ellipse, "1000", "500", "4.14"},
        {"rectangle", SectionType::Rectangle, "2000", "1500", "7.00"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        DragLoadInput in;
        in.pile = PileSection{c.section, c.dd, c.tyzd};
        in.layers = {SoilLayer{}, layer("-12", "18", "0.3", "30")};
        const DragLoadResult r = ComputeDragLoad(in);
        for (const auto& row : r.layers) EXPECT_EQ(row.cells[col::kPerimeter], c.mu);
    }
}

// Where the pile top lies decides which layers carry friction and which one is the pile-top
// layer; a pile top above the ground makes the first layer a whole layer.
TEST(DragLoad, PileTopPosition) {
    const std::vector<SoilLayer> three = {layer("-2", "18", "0.3", "20"),
                                          layer("-4", "18", "0.3", "20"),
                                          layer("-10", "18", "0.3", "20")};
    const struct {
        const char* name;
        const char* eg;
        const char* ep;
        std::vector<const char*> remarks;
        std::vector<const char*> pileSide;
    } cases[] = {
        {"pile top above the ground", "0", "0.5", {"", "", ""}, {"2.00", "2.00", "6.00"}},
        {"pile top at the ground", "0", "0", {"本层有桩", "", ""}, {"2.00", "2.00", "6.00"}},
        {"pile top inside layer 2",
         "0",
         "-3",
         {"本层无桩", "本层有桩", ""},
         {"0.00", "1.00", "6.00"}},
        {"pile top at the bottom of layer 2",
         "0",
         "-4",
         {"本层无桩", "本层无桩", "本层有桩"},
         {"0.00", "0.00", "6.00"}},
        {"pile top below every layer",
         "0",
         "-12",
         {"本层无桩", "本层无桩", "本层无桩"},
         {"0.00", "0.00", "0.00"}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const DragLoadResult r = ComputeDragLoad(screen("10", c.eg, c.ep, three));
        ASSERT_EQ(r.layers.size(), 3u);
        for (int i = 0; i < 3; ++i) {
            SCOPED_TRACE(i + 1);
            const auto& cells = r.layers[i].cells;
            EXPECT_EQ(cells[col::kRemark], c.remarks[i]);
            EXPECT_EQ(cells[col::kPileSide], c.pileSide[i]);
            if (std::string(c.remarks[i]) == "本层无桩") {
                EXPECT_EQ(cells[col::kQgin], "0.00");
                EXPECT_EQ(cells[col::kQginSum], "0.00");
                EXPECT_EQ(cells[col::kShape], "-");
                for (int k = col::kPileSigmaTop; k <= col::kQsinMean; ++k) EXPECT_EQ(cells[k], "-");
            }
        }
        EXPECT_EQ(r.message, "");
    }
}

TEST(DragLoad, PileTopAtGroundEqualsWholeLayer) {
    const std::vector<SoilLayer> one = {SoilLayer{}};
    const DragLoadResult top = ComputeDragLoad(screen("10", "-0.3", "-0.3", one));
    const DragLoadResult whole = ComputeDragLoad(screen("10", "-0.3", "1.0", one));
    for (int k = col::kPerimeter; k <= col::kShape; ++k) {
        SCOPED_TRACE(k);
        EXPECT_EQ(top.layers[0].cells[k], whole.layers[0].cells[k]);
    }
    EXPECT_EQ(top.layers[0].cells[col::kRemark], "本层有桩");
    EXPECT_EQ(whole.layers[0].cells[col::kRemark], "");
}

TEST(DragLoad, NoPileBesideAnyLayer) {
    const DragLoadResult r = ComputeDragLoad(screen(
        "10", "0", "-20", {layer("-5", "18", "0.3", "20"), layer("-10", "18", "0.3", "20")}));
    EXPECT_EQ(r.Qgn, 0);
    EXPECT_EQ(r.qgnLabel, "Qgn=0.00kN");
    for (const auto& row : r.layers) {
        EXPECT_EQ(row.cells[col::kShare], "0.00%");
        EXPECT_EQ(row.cells[col::kRemark], "本层无桩");
    }
}

// The three diagrams and their ties. With p = 10 (or 0), gamma = 10, xi = 0.5 and the pile
// top at the ground over a 10 m layer, the friction grows from 5 (or 0) to 55 (or 50) kPa.
TEST(DragLoad, FrictionDiagrams) {
    const struct {
        const char* name;
        const char* p;
        const char* qsik;
        const char* shape;
        const char* usedTop;
        const char* usedBottom;
        const char* y;
        const char* mean;
    } cases[] = {
        {"cap reached at the top", "10", "4", "矩形", "4.00", "4.00", "0.00", "4.00"},
        {"tie at the top gives the rectangle", "10", "5", "矩形", "5.00", "5.00", "0.00", "5.00"},
        {"never capped", "10", "60", "梯形", "5.00", "55.00", "10.00", "30.00"},
        {"capped below 4 m", "10", "25", "梯形+矩形", "5.00", "25.00", "4.00", "21.00"},
        {"tie at the bottom is capped with y0 = li", "10", "55", "梯形", "5.00", "55.00", "10.00",
         "30.00"},
        {"triangle never capped", "0", "60", "三角形", "0.00", "50.00", "10.00", "25.00"},
        {"triangle capped below 4 m", "0", "20", "三角形+矩形", "0.00", "20.00", "4.00", "16.00"},
        {"triangle tie at the bottom", "0", "50", "三角形", "0.00", "50.00", "10.00", "25.00"},
        {"no side resistance", "10", "0", "矩形", "0.00", "0.00", "0.00", "0.00"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const DragLoadResult r =
            ComputeDragLoad(screen(c.p, "0", "0", {layer("-10", "10", "0.5", c.qsik)}));
        const auto& cells = r.layers[0].cells;
        EXPECT_EQ(cells[col::kShape], c.shape);
        EXPECT_EQ(cells[col::kUsedQsinTop], c.usedTop);
        EXPECT_EQ(cells[col::kUsedQsinBottom], c.usedBottom);
        EXPECT_EQ(cells[col::kQsinMax], c.usedBottom);
        EXPECT_EQ(cells[col::kQsinMaxDepth], c.y);
        EXPECT_EQ(cells[col::kQsinMean], c.mean);
        // Qgin = mu * li * mean over the 10 m layer.
        const double mean = std::stod(c.mean);
        EXPECT_NEAR(r.layers[0].Qgin, r.perimeter * 10 * mean, 1e-9);
    }
}

// Ties met with decimal frictions that are not binary fractions: a qsik typed equal to the
// friction at the top (0.3 x 20.2 = 6.06 in the default pile-top layer) or at the bottom
// (0.2 x 16 x 4.7 = 15.04) is the tie of the diagram, whatever the last binary digit of
// xi*sigma: the rectangle, or the triangle to the bottom without a rectangle part.
TEST(DragLoad, DecimalTiesOfTheDiagram) {
    const struct {
        const char* name;
        DragLoadInput in;
        const char* shape;
        const char* usedBottom;
        const char* y;
        const char* mean;
    } cases[] = {
        {"top tie in the default layer is the rectangle",
         screen("10.00", "-0.300", "-0.900", {layer("-10.000", "17.00", "0.30", "6.06")}), "矩形",
         "6.06", "0.60", "6.06"},
        {"bottom tie in the default layer is the trapezoid",
         screen("10.00", "-0.300", "-0.900", {layer("-10.000", "17.00", "0.30", "52.47")}), "梯形",
         "52.47", "9.70", "29.27"},
        {"bottom tie of a triangle, xi = 0.2",
         screen("0", "0", "0.5", {layer("-4.7", "16", "0.2", "15.04")}), "三角形", "15.04", "4.70",
         "7.52"},
        {"bottom tie of a triangle, xi = 0.4",
         screen("0", "0", "0.5", {layer("-4.7", "16", "0.4", "30.08")}), "三角形", "30.08", "4.70",
         "15.04"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const DragLoadResult r = ComputeDragLoad(c.in);
        const auto& cells = r.layers[0].cells;
        EXPECT_EQ(cells[col::kShape], c.shape);
        EXPECT_EQ(cells[col::kUsedQsinBottom], c.usedBottom);
        EXPECT_EQ(cells[col::kQsinMaxDepth], c.y);
        EXPECT_EQ(cells[col::kQsinMean], c.mean);
    }
}

TEST(DragLoad, ZeroCoefficientGivesAnEmptyTriangle) {
    const DragLoadResult r =
        ComputeDragLoad(screen("10", "0", "0", {layer("-10", "18", "0", "20")}));
    EXPECT_EQ(r.layers[0].cells[col::kShape], "三角形");
    EXPECT_EQ(r.layers[0].cells[col::kQgin], "0.00");
    EXPECT_EQ(r.layers[0].cells[col::kShare], "0.00%");
}

// In the pile-top layer y is measured from the layer top in all three diagrams: the pile top
// lies 0.60 m below the top of the default layer, which is 9.70 m thick.
TEST(DragLoad, DepthOfMaximumInThePileTopLayer) {
    const struct {
        const char* name;
        const char* qsik;
        const char* y;
    } cases[] = {
        {"rectangle: at the pile top", "5", "0.60"},
        {"uncapped: at the layer bottom", "100", "9.70"},
        {"capped: pile top plus y0", "25.00", "4.31"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        DragLoadInput in;
        in.layers[0].qsik = c.qsik;
        EXPECT_EQ(ComputeDragLoad(in).layers[0].cells[col::kQsinMaxDepth], c.y);
    }
}

// Each check reports in the label and carries on with the stated value; the last message raised
// stays in the label.
TEST(DragLoad, MessagesAndCorrections) {
    const struct {
        const char* name;
        DragLoadInput in;
        const char* message;
        TextColour loadColour;
    } cases[] = {
        {"negative surface load", screen("-5", "-0.3", "-0.9", {SoilLayer{}}),
         "地面大面积荷载p<0,取0计算", TextColour::Red},
        {"layer message replaces the load message",
         screen("-5", "-0.3", "-0.9", {layer("-10", "-17", "0.3", "25")}),
         "第1层土重度小于0,取0计算", TextColour::Red},
        {"negative coefficient", screen("10", "-0.3", "-0.9", {layer("-10", "17", "-0.3", "25")}),
         "第1层土负摩阻力系数小于0,取0计算", TextColour::Black},
        {"coefficient above 1 is used",
         screen("10", "-0.3", "-0.9", {layer("-10", "17", "1.5", "25")}),
         "请注意第1层土负摩阻力系数的合理性", TextColour::Black},
        {"negative side resistance",
         screen("10", "-0.3", "-0.9", {SoilLayer{}, layer("-12", "17", "0.3", "-25")}),
         "第2层土侧阻力值小于0,取0计算", TextColour::Black},
        {"bottom above the top",
         screen("10", "-0.3", "-0.9", {SoilLayer{}, layer("-8", "17", "0.3", "25")}),
         "第2层层底标高高于上一层底标高", TextColour::Black},
        {"bottom equal to the top",
         screen("10", "-0.3", "-0.9", {SoilLayer{}, layer("-10.000", "17", "0.3", "25")}),
         "第2层层底标高高于上一层底标高", TextColour::Black},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const DragLoadResult r = ComputeDragLoad(c.in);
        EXPECT_EQ(r.message, c.message);
        EXPECT_EQ(r.messageColour, TextColour::Red);
        EXPECT_EQ(r.surfaceLoadColour, c.loadColour);
        EXPECT_EQ(r.layers.size(), c.in.layers.size());
    }
}

TEST(DragLoad, CorrectedValuesAreUsed) {
    // p < 0 is taken as 0: the stress at the ground is 0.
    DragLoadResult r = ComputeDragLoad(screen("-5", "-0.3", "-0.9", {SoilLayer{}}));
    EXPECT_EQ(r.layers[0].cells[col::kSigmaTop], "0.00");
    EXPECT_EQ(r.pEntered, -5);
    EXPECT_EQ(r.pUsed, 0);
    // xi = 1.5 is used as entered: 1.5 * 20.2 = 30.3 > 25 caps the whole layer.
    r = ComputeDragLoad(screen("10", "-0.3", "-0.9", {layer("-10", "17", "1.5", "25")}));
    EXPECT_EQ(r.layers[0].cells[col::kQsinTop], "30.30");
    EXPECT_EQ(r.layers[0].cells[col::kShape], "矩形");
    // A negative qsik is taken as 0: no friction, yet the typed text stays in its cell.
    r = ComputeDragLoad(screen("10", "-0.3", "-0.9", {layer("-10", "17", "0.3", "-25")}));
    EXPECT_EQ(r.layers[0].cells[col::kQgin], "0.00");
    EXPECT_EQ(r.layers[0].cells[col::kQsik], "-25");
}

// A layer whose bottom is not below its top carries no pile; the next layer with pile becomes
// the pile-top layer, and its pile-side part never exceeds the layer.
TEST(DragLoad, LayerAfterANonDescendingLayer) {
    const DragLoadResult r =
        ComputeDragLoad(screen("10", "0", "-0.5",
                               {layer("-5", "18", "0.3", "20"), layer("-5", "18", "0.3", "20"),
                                layer("-10", "18", "0.3", "20")}));
    ASSERT_EQ(r.layers.size(), 3u);
    EXPECT_EQ(r.layers[0].cells[col::kRemark], "本层有桩");
    EXPECT_EQ(r.layers[0].cells[col::kPileSide], "4.50");
    EXPECT_EQ(r.layers[1].cells[col::kRemark], "本层无桩");
    EXPECT_EQ(r.layers[1].cells[col::kThickness], "0.00");
    const auto& third = r.layers[2].cells;
    EXPECT_EQ(third[col::kRemark], "本层有桩");
    EXPECT_EQ(third[col::kPileSide], "5.00");  // Ep - Ei = 9.5 limited to the 5 m layer
    EXPECT_EQ(third[col::kPileSigmaTop], third[col::kSigmaTop]);
    EXPECT_EQ(third[col::kPileSigmaBottom], third[col::kSigmaBottom]);
    EXPECT_NE(third[col::kShape], "-");
    EXPECT_EQ(r.message, "第2层层底标高高于上一层底标高");
}

// Elevations out of order: the last layer lies above the one before and carries no pile, so
// its running-sum cell reads 0.00 while the walk's total stays the down-drag load.
TEST(DragLoad, TotalIsTheWalkNotTheLastCell) {
    const DragLoadResult r = ComputeDragLoad(
        screen("10", "-0.3", "-0.9", {SoilLayer{}, layer("-5", "17", "0.3", "25")}));
    EXPECT_EQ(r.layers.back().cells[col::kQginSum], "0.00");
    EXPECT_EQ(r.qgnLabel, "Qgn=604.23kN");
    EXPECT_DOUBLE_EQ(r.qgnShown(), 604.23);
}

TEST(DragLoad, SharesComeFromTheRoundedLayerLoads) {
    const DragLoadResult r = ComputeDragLoad(
        screen("10", "0", "0", {layer("-10", "10", "0.5", "4"), layer("-20", "10", "0.5", "12")}));
    // Qgin = 40 mu and 120 mu: a quarter and three quarters.
    EXPECT_EQ(r.layers[0].cells[col::kShare], "25.00%");
    EXPECT_EQ(r.layers[1].cells[col::kShare], "75.00%");
    EXPECT_EQ(r.layers[1].cells[col::kQginSum], r.qgnLabel.substr(4, r.qgnLabel.size() - 6));
}

}  // namespace
}  // namespace pile
