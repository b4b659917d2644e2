// Random and garbage soil tables: the calculations never throw, never write a non-finite
// number, and stop before computing anything only at a text that is not a number.
#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <cmath>
#include <random>
#include <set>
#include <string>
#include <vector>

#include "core/pile_input.h"
#include "soil/formula_two.h"

namespace pile {
namespace {

class Garbage {
  public:
    explicit Garbage(unsigned seed) : m_rng(seed) {}

    // A cell text: a number, an extreme or odd one, or (unless only numbers are asked for)
    // something that is not a number at all.
    std::string text() {
        static const char* const kNumbers[] = {
            "",      " ",     "1e308",  "-1e308", "1e300", "-1e300", "1e-320",   "0",  "-0", ".5",
            "0x1p3", "12abc", "  7.25", "+3",     "1e",    "1e15",   "4.9e-324", "2,", "3m",
        };
        static const char* const kNotNumbers[] = {
            "-",   ".",    "abc", "1e999", "-1e999", "nan",
            "inf", "-inf", "1,5", "１２",  "--1",    "四十六",
        };
        switch (pick(m_numbersOnly ? 3 : 4)) {
            case 0:
                return kNumbers[pick(std::size(kNumbers))];
            case 1:
                return std::to_string(uniform(-50, 50));
            case 2:
                return std::to_string(uniform(-1e6, 1e6));
            default:
                if (pick(2) == 0) return kNotNumbers[pick(std::size(kNotNumbers))];
                std::string s;
                for (int i = pick(8); i > 0; --i) s += static_cast<char>(pick(256));
                return s;
        }
    }
    void numbersOnly(bool only) { m_numbersOnly = only; }

    // Elevations that often repeat or go up, as a careless table would.
    std::string elevation(double& last) {
        switch (pick(5)) {
            case 0:
                return text();
            case 1:
                return std::to_string(last);  // equal to the layer above
            case 2:
                last += uniform(0, 5);
                return std::to_string(last);
            default:
                last -= uniform(0, 5);
                return std::to_string(last);
        }
    }

    int pick(std::size_t n) {
        return static_cast<int>(std::uniform_int_distribution<std::size_t>(0, n - 1)(m_rng));
    }
    double uniform(double a, double b) {
        return std::uniform_real_distribution<double>(a, b)(m_rng);
    }

  private:
    std::mt19937 m_rng;
    bool m_numbersOnly = false;
};

std::string lower(std::string s) {
    std::transform(s.begin(), s.end(), s.begin(),
                   [](unsigned char ch) { return static_cast<char>(std::tolower(ch)); });
    return s;
}

// A written number text: no "nan"/"inf" and it reads back as a finite number.
void expectFiniteText(const std::string& s) {
    const std::string l = lower(s);
    EXPECT_EQ(l.find("nan"), std::string::npos) << s;
    EXPECT_EQ(l.find("inf"), std::string::npos) << s;
    EXPECT_TRUE(std::isfinite(ParseLenient(s))) << s;
}

void expectFinite(double x) { EXPECT_TRUE(std::isfinite(x)); }

// What the random tables reached, so that the test shows it walked every branch.
struct Reached {
    std::set<LayerPileState> states;
    std::set<StressShape> shapes;
    std::set<std::string> messages;
};

// A table with a text that is not a number computes nothing: its message alone, and every
// result cell and the total's label empty.
template <class Result>
void checkRefusedText(const Result& r, int firstResult, int columns) {
    EXPECT_EQ(r.messages, std::vector<std::string>{r.inputError});
    EXPECT_EQ(r.message, r.inputError);
    for (const auto& row : r.layers)
        for (int k = firstResult; k < columns; ++k) EXPECT_TRUE(row.cells[k].empty()) << k;
}

void checkDrag(const DragLoadResult& r, std::size_t layers, Reached* reached = nullptr) {
    ASSERT_EQ(r.layers.size(), layers);
    if (reached) reached->messages.insert(r.messages.begin(), r.messages.end());
    if (!r.inputError.empty()) {
        checkRefusedText(r, drag_col::kPerimeter, kDragGridColumns);
        EXPECT_TRUE(r.qgnLabel.empty());
        return;
    }
    for (const auto& row : r.layers) {
        if (reached) {
            reached->states.insert(row.state);
            reached->shapes.insert(row.shape);
        }
        for (int k = drag_col::kPerimeter; k <= drag_col::kShareBar; ++k) {
            ASSERT_FALSE(row.cells[k].empty()) << k;
            if (row.cells[k] != "-") expectFiniteText(row.cells[k]);
        }
        EXPECT_FALSE(row.cells[drag_col::kShape].empty());
        for (double x : {row.thickness, row.sigmaTop, row.sigmaSelf, row.sigmaBottom, row.sigmaMean,
                         row.pileSide, row.pileSigmaTop, row.pileSigmaBottom, row.pileSigmaMean,
                         row.qsinTop, row.qsinBottom, row.qsinMax, row.qsinMaxDepth, row.qsinMean,
                         row.Qgin, row.QginSum, row.share}) {
            expectFinite(x);
        }
        // The pile-side part lies within the layer, and nothing is negative after corrections
        // (except through a negative perimeter, which a pile that passes the input checks
        // never has).
        EXPECT_LE(row.pileSide, row.thickness);
        EXPECT_GE(row.pileSide, 0);
        EXPECT_GE(row.qsinMaxDepth, 0);
        EXPECT_LE(row.qsinMaxDepth, row.thickness);
        if (row.perimeter >= 0) {
            EXPECT_GE(row.Qgin, 0);
        }
    }
    expectFinite(r.Qgn);
    expectFiniteText(r.qgnLabel.substr(4));
}

void checkSide(const SideResistanceResult& r, std::size_t layers) {
    ASSERT_EQ(r.layers.size(), layers);
    if (!r.inputError.empty()) {
        checkRefusedText(r, side_col::kPerimeter, kSideGridColumns);
        EXPECT_TRUE(r.qskLabel.empty());
        return;
    }
    for (const auto& row : r.layers) {
        for (int k = side_col::kPerimeter; k <= side_col::kShareBar; ++k) {
            ASSERT_FALSE(row.cells[k].empty()) << k;
            expectFiniteText(row.cells[k]);
        }
        EXPECT_TRUE(row.cells[side_col::kRemark].empty());
    }
    expectFinite(r.Qsk);
    expectFiniteText(r.qskLabel.substr(4));
}

TEST(SoilRobustness, GarbageTablesGiveFiniteCells) {
    Garbage g(20261210);
    Reached reached;
    for (int run = 0; run < 2000; ++run) {
        SCOPED_TRACE(run);
        // Most tables hold only numbers, so that the walk reaches every branch; the others
        // mostly meet a text that is not a number.
        g.numbersOnly(g.pick(4) != 0);
        const PileSection pile{static_cast<SectionType>(g.pick(3)), g.text(), g.text()};
        FormulaTwoSoil soil;
        soil.dragLoad = g.pick(4) != 0;
        soil.sideResistance = g.pick(4) != 0;
        soil.drag.p = g.text();
        double elevation = g.uniform(-5, 5);
        soil.drag.eg = g.pick(3) == 0 ? g.text() : std::to_string(elevation);
        soil.drag.ep = g.pick(3) == 0 ? g.text() : std::to_string(elevation + g.uniform(-10, 3));
        const int m = g.pick(3) == 0 ? kMaxSoilLayers : g.pick(kMaxSoilLayers + 1);
        soil.drag.layers.clear();
        for (int i = 0; i < m; ++i) {
            soil.drag.layers.push_back(
                SoilLayer{g.text(), g.elevation(elevation), g.text(), g.text(), g.text()});
        }
        const int n = g.pick(3) == 0 ? kMaxSoilLayers : g.pick(kMaxSoilLayers + 1);
        soil.side.layers.clear();
        for (int i = 0; i < n; ++i) soil.side.layers.push_back(SideLayer{g.text(), g.text()});

        PileResult one;
        one.Qrk = one.Quk = g.uniform(0, 1e6);
        one.K = 2 + g.pick(2);
        one.Ra = one.Quk / one.K;
        one.Rc = g.uniform(1, 1e6);
        const auto mode = static_cast<RoundingMode>(g.pick(5));

        FormulaTwoRun result;
        ASSERT_NO_THROW(result = computeFormulaTwo(one, pile, soil, mode));
        if (soil.dragLoad) checkDrag(*result.drag, m, &reached);
        if (soil.sideResistance) checkSide(*result.side, n);
        // A ticked screen with a text that is not a number refuses the pile.
        if ((soil.sideResistance && !result.side->inputError.empty()) ||
            (soil.dragLoad && !result.drag->inputError.empty())) {
            EXPECT_TRUE(result.refusal);
        }
        const FormulaTwoResult& r = result.result;
        for (const std::string* s : {&r.qgnText, &r.nkLimitText, &r.nLimitText}) {
            expectFiniteText(*s);
        }
        for (double x :
             {r.pile.Qsk, r.pile.Quk, r.pile.Ra, *r.pile.Qgn, *r.pile.NkLimit, *r.pile.NLimit}) {
            expectFinite(x);
        }
        if (HasFailure()) break;
    }
    EXPECT_EQ(reached.states.size(), 3u);
    EXPECT_EQ(reached.shapes.size(), 6u);  // the five diagrams and the layers without pile
    EXPECT_GE(reached.messages.size(), 20u);
}

// Extreme but readable numbers in every cell of 20 layers.
TEST(SoilRobustness, ExtremeMagnitudes) {
    for (const char* big : {"1e300", "-1e300", "1.7e308", "1e15", "4.9e-324"}) {
        SCOPED_TRACE(big);
        DragLoadInput drag;
        drag.pile = PileSection{SectionType::Ellipse, big, big};
        drag.p = big;
        drag.eg = big;
        drag.ep = big;
        drag.layers.assign(kMaxSoilLayers, SoilLayer{"", "-1e300", big, big, big});
        drag.layers[3].bottom = big;
        checkDrag(ComputeDragLoad(drag), kMaxSoilLayers);

        SideResistanceInput side;
        side.pile = drag.pile;
        side.layers.assign(kMaxSoilLayers, SideLayer{big, big});
        side.layers[1] = SideLayer{big, std::string("-") + big};
        checkSide(ComputeSideResistance(side), kMaxSoilLayers);
    }
}

// A total that cancels to a residue far below the layer loads: the share stays finite.
TEST(SoilRobustness, CancellingSideResistance) {
    SideResistanceInput side;
    side.pile = PileSection{SectionType::Rectangle, "250", "250"};
    side.layers = {SideLayer{"1e15", "1e15"}, SideLayer{"1e15", "-1e15"}, SideLayer{"1e-300", "1"}};
    const SideResistanceResult r = ComputeSideResistance(side);
    checkSide(r, 3);
    EXPECT_EQ(r.layers[0].cells[side_col::kShare], "0.00%");
}

}  // namespace
}  // namespace pile
