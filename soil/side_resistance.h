// Soil side resistance Qsk of the layers along the pile: Qsk = mu * sum(psi_si * qsik * li)
// (clause 5.3.4 of DBJ 50-200-2014) with psi_si = 1. Lengths in m, qsik in kPa, loads in kN.
#pragma once

#include <array>
#include <string>
#include <vector>

#include "core/text_colour.h"
#include "soil/soil_data.h"

namespace pile {

// Grid columns of Grid1_Zhengmozhulijisuan.
namespace side_col {
inline constexpr int kNumber = 0, kThickness = 1, kQsik = 2, kPerimeter = 3, kResistance = 4;
inline constexpr int kResistanceSum = 5, kShare = 6, kShareBar = 7, kRemark = 8;
}  // namespace side_col

struct SideLayerResult {
    double thickness = 0;  // li as read (a negative value is reported, not corrected)
    double qsik = 0;       // as read, likewise
    double Qsik = 0;       // mu * li * qsik
    double QsikSum = 0;    // running sum down to this layer
    double share = 0;      // percent of Qsk, from the 2-decimal text of Qsik
    // The whole grid row after the calculation: columns 0 to 2 as typed (column 0 the layer
    // number), 3 to 7 the results, 8 never written.
    std::array<std::string, kSideGridColumns> cells;
};

struct SideResistanceResult {
    std::vector<SideLayerResult> layers;
    double perimeter = 0;  // mu, m
    double Qsk = 0;        // sum of Qsik over all layers, unrounded
    std::string qskLabel;  // lb_Qsk: "Qsk=1256.64kN"
    std::string message;   // lb_ZMZxinxi: the last message raised, or empty
    TextColour messageColour = TextColour::Black;
    std::vector<std::string> messages;  // every message in the order raised
    // A negative qsik also shows the input screen's message label in place of the logo
    // (without a text of its own).
    bool revealInputMessageLabel = false;
    // The message of the first text that is not a number, layer by layer (li, then qsik).
    // When set nothing is computed: the rows hold only the typed cells, the totals are 0 and
    // the label is empty.
    std::string inputError;

    // Qsk as it enters formula two: the last row's 2-decimal total read back (0 without rows).
    double qskShown() const;
};

// Computes every layer and writes its cells. A text that is not a number stops it before
// anything is computed (inputError); otherwise it never stops early: negative thicknesses and
// side resistances are reported and used as entered. Every number written
// is finite.
SideResistanceResult ComputeSideResistance(const SideResistanceInput& input);

// The calculation in two steps, as ComputeDragLoadLayers and ApplyDragPerimeter: the layers'
// step reads the texts and raises the messages, the perimeter's step computes the layer
// resistances, their sums, shares and the label for a pile of perimeter mu (m).
SideResistanceResult ComputeSideResistanceLayers(const SideResistanceInput& input);
void ApplySidePerimeter(SideResistanceResult& layers, double mu);
// The sums of the layer resistances for a pile of perimeter mu, exactly as ApplySidePerimeter
// gives them: the running sum of the last row, and Qsk (that sum, or 0 where the layers
// cancel to rounding noise).
struct SideResistanceSums {
    double lastRow = 0;
    double qsk = 0;
};
SideResistanceSums SideResistanceTotal(const SideResistanceResult& layers, double mu);
// lb_Qsk: "Qsk=1256.64kN".
std::string SideResistanceLabel(double qsk);

}  // namespace pile
