// Negative skin friction and the down-drag load Qgn of a pile (clauses 5.4.2 and 5.4.3 of
// DBJ 50-200-2014, formulas 5.4.3-1 and 5.4.3-2), refined layer by layer.
//
// The effective vertical stress varies linearly through each layer (surface load p plus the
// self-weight of the layers above), the negative friction xi_ni * sigma' is capped at the
// layer's qsik wherever it would exceed it, and the capped diagram is integrated exactly over
// the part of the layer that lies beside the pile. Stresses in kPa, lengths in m, loads in kN.
#pragma once

#include <array>
#include <string>
#include <vector>

#include "core/text_colour.h"
#include "soil/soil_data.h"

namespace pile {

// Where a layer lies relative to the pile top, as the walk down the layers finds it.
enum class LayerPileState {
    NoPile,          // wholly above the pile top: no negative friction ("本层无桩")
    PileTopInLayer,  // the pile top lies in this layer ("本层有桩")
    WholeLayer,      // the pile runs along the whole layer (no remark)
};

// The friction diagram over the pile-side part of a layer; None for a layer without pile.
enum class StressShape {
    None,
    Rectangle,
    Trapezoid,
    Triangle,
    TrapezoidRectangle,
    TriangleRectangle
};

// "矩形", "梯形", "三角形", "梯形+矩形", "三角形+矩形"; "-" for None.
const char* stressShapeText(StressShape shape);

// Grid columns of Grid1_Fumozhulijisuan that the calculation writes.
namespace drag_col {
inline constexpr int kNumber = 0, kName = 1, kBottom = 2, kUnitWeight = 3, kXi = 4, kQsik = 5;
inline constexpr int kPerimeter = 6, kThickness = 7, kSigmaTop = 8, kSigmaSelf = 9;
inline constexpr int kSigmaBottom = 10, kSigmaMean = 11, kPileSide = 12, kPileSigmaTop = 13;
inline constexpr int kPileSigmaSelf = 14, kPileSigmaBottom = 15, kPileSigmaMean = 16;
inline constexpr int kQsinTop = 17, kQsinBottom = 18, kUsedQsinTop = 19, kUsedQsinBottom = 20;
inline constexpr int kQsinMax = 21, kQsinMaxDepth = 22, kQsinMean = 23, kQgin = 24;
inline constexpr int kQginSum = 25, kShare = 26, kShareBar = 27, kShape = 28, kRemark = 29;
}  // namespace drag_col

// One layer: the values as computed (unrounded) and the texts of its grid row.
struct DragLoadLayerResult {
    LayerPileState state = LayerPileState::NoPile;
    // Inputs as used: after lenient reading and the corrections to 0 of negative values.
    double bottom = 0, unitWeight = 0, xi = 0, qsik = 0;
    double perimeter = 0;    // mu, m
    double thickness = 0;    // delta z_i, m (0 when the bottom is not below the top)
    double sigmaTop = 0;     // sigma_isu'
    double sigmaSelf = 0;    // sigma_ris' = gamma_i * delta z_i
    double sigmaBottom = 0;  // sigma_isd'
    double sigmaMean = 0;    // sigma_isv'
    // The pile-side part; all 0 for a layer without pile.
    double pileSide = 0;         // l_i, m
    double pileSigmaTop = 0;     // sigma_ipu'
    double pileSigmaSelf = 0;    // sigma_rip' = gamma_i * l_i
    double pileSigmaBottom = 0;  // sigma_ipd'
    double pileSigmaMean = 0;    // sigma_ipv'
    double qsinTop = 0;          // xi_ni * sigma_ipu', uncapped
    double qsinBottom = 0;       // xi_ni * sigma_ipd', uncapped
    double usedQsinTop = 0;      // after capping at qsik
    double usedQsinBottom = 0;
    double qsinMax = 0;
    double qsinMaxDepth = 0;  // y: depth of qsinMax below the layer top, m
    double qsinMean = 0;      // q_sinpv, mean friction over l_i
    double Qgin = 0;          // down-drag load of the layer
    double QginSum = 0;       // running sum of Qgin down to this layer (its cell shows
                              // "0.00" in a layer without pile)
    double share = 0;         // percent of Qgn, from the 2-decimal text of Qgin
    StressShape shape = StressShape::None;
    // The whole grid row as it reads after the calculation: columns 0 to 5 as typed (column 0
    // the layer number), 6 to 29 the results.
    std::array<std::string, kDragGridColumns> cells;
};

struct DragLoadResult {
    std::vector<DragLoadLayerResult> layers;
    double perimeter = 0;   // mu, m
    double pEntered = 0;    // p as read from its text (the books print this value)
    double pUsed = 0;       // p used: a negative surface load is taken as 0
    double eg = 0, ep = 0;  // ground surface and pile top elevations, m
    double Qgn = 0;         // sum of Qgin over all layers, unrounded
    std::string qgnLabel;   // lb_FQgn: "Qgn=604.23kN"
    std::string message;    // lb_FMZxinxi: the last message raised, or empty
    TextColour messageColour = TextColour::Black;
    std::vector<std::string> messages;                 // every message in the order raised
    TextColour surfaceLoadColour = TextColour::Black;  // text colour of cbe_Junbuhezai
    // The message of the first text that is not a number (p, Eg, Ep, then layer by layer Ei,
    // gamma_i, xi_ni, qsik). When set nothing is computed: the rows hold only the typed cells,
    // the values are 0 and the label is empty.
    std::string inputError;

    // Qgn as it enters formula two: the total read back from its 2-decimal text.
    double qgnShown() const;
};

// Runs the walk down the layers and writes every result cell. A text that is not a number
// stops it before anything is computed (inputError); otherwise it never stops early, and
// every number it writes is finite. Layers with out-of-range values are reported in
// the message and computed with the stated replacement.
DragLoadResult ComputeDragLoad(const DragLoadInput& input);

// The walk in two steps, for a search that computes many piles in the same soil. The layers'
// step reads the texts and computes everything that does not depend on the pile (its section
// is not read): every value and cell but the perimeter and what follows from it (Qgin, the
// running sum, the shares, Qgn and the label). The perimeter's step completes it for a pile of
// perimeter mu (m); ComputeDragLoad is the two in a row.
DragLoadResult ComputeDragLoadLayers(const DragLoadInput& input);
void ApplyDragPerimeter(DragLoadResult& layers, double mu);
// The down-drag load of one layer (0 in a layer without pile) and of all of them, for a pile
// of perimeter mu, exactly as ApplyDragPerimeter sums them.
double DragLoadGin(const DragLoadLayerResult& layer, double mu);
double DragLoadTotal(const DragLoadResult& layers, double mu);
// lb_FQgn: "Qgn=604.23kN".
std::string DragLoadLabel(double qgn);

}  // namespace pile
