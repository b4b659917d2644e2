// Coefficient tables of DBJ 50-200-2014 and their lookups.
//
// The tables are the standard's own values. ζr of circular piles (clause 5.3.7) is
// interpolated on the row index (rows are 0.5·d apart, so this is linear in hr/d) and,
// for rock between the two columns, also linearly in frk between 15 and 30 MPa. β
// (clauses 5.3.8 and 5.3.9) is interpolated on hr/d (or hr/b) and on c/d (or b/a).
#include "core/design_tables.h"

#include <algorithm>
#include <array>
#include <cmath>

#include "core/sections.h"

namespace pile {
namespace detail {

// ζr base values by row k (hr/d = 0.5·k). Column A: extremely soft and soft rock; column
// B: moderately hard and hard rock. Row 17 repeats row 16 so that hr/d = 8 reads rows 16
// and 17.
constexpr std::array<double, 18> kZetaA = {0.60, 0.80,  0.95, 1.065, 1.18, 1.265,
                                           1.35, 1.415, 1.48, 1.525, 1.57, 1.60,
                                           1.63, 1.645, 1.66, 1.68,  1.70, 1.70};
constexpr std::array<double, 18> kZetaB = {0.45, 0.65, 0.81, 0.855, 0.90, 0.95, 1.00, 1.02, 1.04,
                                           1.04, 1.04, 1.04, 1.04,  1.04, 1.04, 1.04, 1.04, 1.04};

// β of circular piles by hr/d = 1..5 (index 0 unused).
constexpr std::array<double, 6> kBetaCircle = {0, 1.105, 1.21, 1.315, 1.42, 1.525};

// β of elliptical piles: row hr/d = i (1..5), column c/d = 0.2·j (1..10). Index 0 unused.
constexpr double kBetaEllipse[6][11] = {
    {},
    {0, 1.094, 1.087, 1.090, 1.082, 1.075, 1.073, 1.071, 1.070, 1.068, 1.067},
    {0, 1.188, 1.174, 1.180, 1.164, 1.151, 1.146, 1.142, 1.139, 1.137, 1.134},
    {0, 1.282, 1.261, 1.246, 1.235, 1.226, 1.219, 1.214, 1.209, 1.205, 1.201},
    {0, 1.376, 1.348, 1.328, 1.313, 1.302, 1.292, 1.285, 1.278, 1.273, 1.269},
    {0, 1.471, 1.435, 1.410, 1.392, 1.377, 1.365, 1.356, 1.348, 1.341, 1.336},
};

// β of rectangular piles: row hr/b = i (1..5), column b/a = 0.1·j (5..10). Columns below 5
// unused.
constexpr double kBetaRectangle[6][11] = {
    {},
    {0, 0, 0, 0, 0, 1.075, 1.080, 1.085, 1.090, 1.095, 1.100},
    {0, 0, 0, 0, 0, 1.150, 1.160, 1.175, 1.180, 1.190, 1.200},
    {0, 0, 0, 0, 0, 1.225, 1.240, 1.255, 1.270, 1.285, 1.300},
    {0, 0, 0, 0, 0, 1.300, 1.320, 1.340, 1.360, 1.380, 1.400},
    {0, 0, 0, 0, 0, 1.375, 1.400, 1.425, 1.450, 1.475, 1.500},
};

// ζr factor and ψc by process item index.
constexpr std::array<ProcessFactor, 3> kProcess = {
    ProcessFactor{1.2, 0.9},  // dry work (also manual digging and the fuk-mode item)
    ProcessFactor{1.0, 0.7},  // mud protected
    ProcessFactor{1.2, 0.8},  // mud protected, post-grouted
};

// Integer part of a non-negative ratio, kept inside [lo, hi]. Ratios are finite here; the
// comparison guards the conversion against anything else.
int cell(double x, int lo, int hi) {
    if (!(x >= lo)) return lo;
    if (x >= hi) return hi;
    return static_cast<int>(x);
}

// β of an elliptical or rectangular pile for 1 <= r (r >= 5 reads the hr = 5 row).
double betaTable(const double (&table)[6][11], double r, double x, int jLo, int jHi) {
    const int j = cell(x, jLo, jHi);
    if (r >= 5) return Interpolate(j, table[5][j], j + 1, table[5][j + 1], x);
    const int i = cell(r, 1, 4);
    return Interpolate2D(i, table[i][j], i + 1, table[i + 1][j], table[i][j + 1],
                         table[i + 1][j + 1], j, j + 1, r, x);
}

}  // namespace detail

const char* RockClassName(RockClass c) {
    switch (c) {
        case RockClass::ExtremelySoft:
            return "极软岩";
        case RockClass::Soft:
            return "软岩";
        case RockClass::ModeratelySoft:
            return "较软岩";
        case RockClass::ModeratelyHard:
            return "较硬岩";
        case RockClass::Hard:
            return "坚硬岩";
    }
    return "";
}

std::optional<RockClass> ClassifyRock(double frk) {
    if (!(frk > 0)) return std::nullopt;
    if (frk <= 5) return RockClass::ExtremelySoft;
    if (frk <= 15) return RockClass::Soft;
    if (frk <= 30) return RockClass::ModeratelySoft;
    if (frk <= 60) return RockClass::ModeratelyHard;
    return RockClass::Hard;
}

double Interpolate(double x1, double y1, double x2, double y2, double x) {
    return y1 + (y2 - y1) / (x2 - x1) * (x - x1);
}

double Interpolate2D(double x1, double z11, double x2, double z21, double z12, double z22,
                     double y1, double y2, double x, double y) {
    const double o = Interpolate(x1, z11, x2, z21, x);
    const double o2 = Interpolate(x1, z12, x2, z22, x);
    return o + (o2 - o) / (y2 - y1) * (y - y1);
}

ZetaLookup LookupZetaR(double r, double frk) {
    using detail::kZetaA;
    using detail::kZetaB;
    ZetaLookup out;
    if (!(r >= 0)) r = 0;  // r = hr/d is never negative; keep the row index in the table
    out.rUsed = r;
    const double x = r / 0.5;
    if (frk <= 15) {
        if (r <= 8) {
            const int k = detail::cell(x, 0, 16);
            out.zetaBase = Interpolate(k, kZetaA[k], k + 1, kZetaA[k + 1], x);
        } else {
            out.zetaBase = 1.70;
            out.rUsed = 8;
            out.capped = true;
        }
    } else if (frk <= 30) {
        if (r <= 4) {
            const int k = detail::cell(x, 0, 8);
            out.zetaBase = Interpolate2D(k, kZetaA[k], k + 1, kZetaA[k + 1], kZetaB[k],
                                         kZetaB[k + 1], 15, 30, x, frk);
        } else {
            out.zetaBase = Interpolate(15, 1.48, 30, 1.04, frk);
            out.rUsed = 4;
            out.capped = true;
        }
    } else {
        if (r <= 4) {
            const int k = detail::cell(x, 0, 8);
            out.zetaBase = Interpolate(k, kZetaB[k], k + 1, kZetaB[k + 1], x);
        } else {
            out.zetaBase = 1.04;
            out.rUsed = 4;
            out.capped = true;
        }
    }
    return out;
}

BetaLookup LookupBeta(SectionType section, double r, double ratio) {
    BetaLookup out;
    if (!(r >= 0)) r = 0;
    out.rUsed = r;
    if (r < 0.5) {
        out.beta = 1.0;
        out.coef = 1.0;
        return out;
    }
    if (r < 1) {
        out.beta = 1.0;
        out.coef = 1.2;
        return out;
    }
    if (r >= 5) {
        out.rUsed = 5;
        out.capped = true;
    }
    switch (section) {
        case SectionType::Circle:
            if (r >= 5) {
                out.beta = detail::kBetaCircle[5];
            } else {
                const int i = detail::cell(r, 1, 4);
                out.beta =
                    Interpolate(i, detail::kBetaCircle[i], i + 1, detail::kBetaCircle[i + 1], r);
            }
            break;
        case SectionType::Ellipse:
            out.beta = detail::betaTable(detail::kBetaEllipse, r, ratio / 0.2, 1, 9);
            break;
        case SectionType::Rectangle:
            out.beta = detail::betaTable(detail::kBetaRectangle, r, ratio / 0.1, 5, 9);
            break;
    }
    out.coef = 1.2 * out.beta;
    return out;
}

double Alpha0(bool slopeConditionMet, double frk) {
    if (!slopeConditionMet) return 1.0;
    return frk <= 15 ? 1.2 : 1.1;
}

ProcessFactor ProcessFactors(int processIndex) {
    // Every process list has its selection set when it is built; an index outside 0..2
    // cannot come from the screen and is held at the nearest item.
    return detail::kProcess[static_cast<std::size_t>(std::clamp(processIndex, 0, 2))];
}

double ConcreteFc(int gradeIndex) { return GradeAt(gradeIndex).fc; }

double SafetyFactor(SectionType section, RockStrengthMode mode) {
    return (UsesCircleRules(section) && mode == RockStrengthMode::Frk) ? 2.0 : 3.0;
}

}  // namespace pile
