// The single-pile capacity of formula one: Qrk of the socketed section, Quk = Qsk + Qrk,
// Ra = Quk/K (clause 5.2.2) and the shaft capacity Rc = psi_c*fc*A (clause 5.4.5).
#pragma once

#include <optional>
#include <variant>

#include "core/design_tables.h"
#include "core/pile_input.h"

namespace pile {

// One computed pile. Lengths in mm, forces in kN. Values are unrounded; fields that a
// case does not set stay empty.
struct PileResult {
    double area = 0;        // mm^2
    double perimeter = 0;   // mm
    double depthRatio = 0;  // hr/d or hr/b
    double rUsed = 0;
    bool capped = false;
    std::optional<double> sideRatio;     // c/d or b/a
    std::optional<RockClass> rockClass;  // frk mode
    std::optional<double> zetaR;         // circle, frk mode (after the process factor)
    std::optional<double> beta;          // circle fuk mode, ellipse and rectangle
    std::optional<double> alpha0;        // ellipse and rectangle, frk mode
    std::optional<double> coef;          // factor on the rock parameter other than zeta_r
    double psiC = 0;
    double fc = 0;  // MPa
    double Qrk = 0;
    double Qsk = 0;
    double Quk = 0;
    double K = 0;
    double Ra = 0;
    double Rc = 0;
    // Formula two only.
    std::optional<double> Qgn;
    std::optional<double> NkLimit;
    std::optional<double> NLimit;
};

// The area (mm²) and the perimeter (mm) of a section of size d (the long side a of a
// rectangle) and c (the straight length of an ellipse, the short side b; unused for a circle).
double SectionArea(SectionType section, double d, double c);
double SectionPerimeter(SectionType section, double d, double c);

// Computes a pile read by ReadPileInput. Refuses a rock parameter <= 0 of the current mode.
std::variant<PileResult, Rejection> ComputePile(const PileInput& input);

}  // namespace pile
