// Coefficient tables of DBJ 50-200-2014 and their lookups.
//
// Clause 5.3.7 (zeta_r of circular piles), 5.3.8 and 5.3.9 (embedding coefficient beta,
// alpha0 of non-circular piles), the process factors, the concrete design strength fc
// and the safety factor K.
#pragma once

#include <optional>
#include <string>

#include "core/concrete_grades.h"
#include "core/pile_input.h"

namespace pile {

enum class RockClass { ExtremelySoft, Soft, ModeratelySoft, ModeratelyHard, Hard };

// "极软岩", "软岩", "较软岩", "较硬岩", "坚硬岩".
const char* RockClassName(RockClass c);

// Each class includes its upper bound (5, 15, 30, 60 MPa). No class for frk <= 0.
std::optional<RockClass> ClassifyRock(double frk);

// Straight line through (x1, y1) and (x2, y2), evaluated at x.
double Interpolate(double x1, double y1, double x2, double y2, double x);

// Bilinear value; z11 at (x1, y1), z21 at (x2, y1), z12 at (x1, y2), z22 at (x2, y2).
double Interpolate2D(double x1, double z11, double x2, double z21, double z12, double z22,
                     double y1, double y2, double x, double y);

struct ZetaLookup {
    double zetaBase = 0;  // table value before the process factor
    double rUsed = 0;     // depth ratio the lookup used
    bool capped = false;  // r lay beyond the table's reach for this rock
};

// Circular piles, clause 5.3.7: r = hr/d >= 0, frk > 0.
ZetaLookup LookupZetaR(double r, double frk);

struct BetaLookup {
    double beta = 0;
    double coef = 0;  // 1.0 below r = 0.5, else 1.2*beta (before alpha0)
    double rUsed = 0;
    bool capped = false;
};

// r = hr/d (circle, ellipse) or hr/b (rectangle); ratio = c/d or b/a (unused for a circle).
BetaLookup LookupBeta(SectionType section, double r, double ratio);

double Alpha0(bool slopeConditionMet, double frk);

struct ProcessFactor {
    double zetaFactor = 1;  // multiplies zeta_r (circle, frk mode)
    double psiC = 0;        // process factor of the shaft check
};

ProcessFactor ProcessFactors(int processIndex);

// Design compressive strength fc (MPa) by grade item index (see concrete_grades.h).
double ConcreteFc(int gradeIndex);

double SafetyFactor(SectionType section, RockStrengthMode mode);

}  // namespace pile
