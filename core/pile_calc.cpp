// The single-pile capacity of formula one.
//
//   circle, frk given:   Qrk = ζr·frk·Ap                        (clause 5.3.7), K = 2
//   circle, fuk given:   Qrk = fuk·Ap, or 1.2β·fuk·Ap from hr = 0.5d on (5.3.8), K = 3
//   ellipse, rectangle:  Qrk = α0·frk·Ap or 1.2α0·β·frk·Ap           (5.3.9), K = 3
//                        (fuk given: as 5.3.8 with the section's β)
//   Quk = Qsk + Qrk (5.3.4), Ra = Quk/K (5.2.2), Rc = ψc·fc·A (5.4.5).
//
// Ap in mm² times a strength in MPa is a force in N; the division by 1000 gives kN.
#include "core/pile_calc.h"

#include <cmath>
#include <numbers>

#include "core/sections.h"

namespace pile {
namespace detail {

bool finite(double x) { return std::isfinite(x); }

}  // namespace detail

double SectionArea(SectionType section, double d, double c) {
    constexpr double pi = std::numbers::pi;
    switch (section) {
        case SectionType::Circle:
            return pi * d * d / 4;
        case SectionType::Ellipse:
            return pi * d * d / 4 + d * c;
        case SectionType::Rectangle:
            return d * c;
    }
    return 0;  // not reached: the switch covers every section
}

double SectionPerimeter(SectionType section, double d, double c) {
    constexpr double pi = std::numbers::pi;
    switch (section) {
        case SectionType::Circle:
            return pi * d;
        case SectionType::Ellipse:
            return pi * d + 2 * c;
        case SectionType::Rectangle:
            return 2 * (d + c);
    }
    return 0;  // not reached: the switch covers every section
}

std::variant<PileResult, Rejection> ComputePile(const PileInput& input) {
    const SectionType section = input.section;
    const bool frkMode = input.mode == RockStrengthMode::Frk;
    const auto refuse = [&](RefusalKind kind) { return RefusePile(kind, section, input.mode); };

    // ReadPileInput guarantees these; a record built elsewhere is held to the same rules.
    if (!(input.size1 > 0) || !detail::finite(input.size1)) return refuse(RefusalKind::Size);
    if (HasSecondSize(section) && (!(input.size2 > 0) || !detail::finite(input.size2)))
        return refuse(RefusalKind::SecondSize);
    if (!(input.hr >= 0) || !detail::finite(input.hr)) return refuse(RefusalKind::Depth);

    PileResult r;
    const double d = input.size1;  // d, or the long side a
    const double c = input.size2;  // c, or the short side b
    r.area = SectionArea(section, d, c);
    r.perimeter = SectionPerimeter(section, d, c);
    r.depthRatio = input.hr / DepthReference(section, d, c);
    if (HasSecondSize(section)) r.sideRatio = c / d;
    // A size so large that the section overflows is refused as a bad size, and a depth
    // ratio that overflows (a tiny size under a long depth) as a bad depth.
    if (!detail::finite(r.area) || !detail::finite(r.perimeter)) return refuse(RefusalKind::Size);
    if (!detail::finite(r.depthRatio)) return refuse(RefusalKind::Depth);

    const double rock = frkMode ? input.frk : input.fuk;
    if (frkMode) r.rockClass = ClassifyRock(input.frk);
    if (!(rock > 0) || !detail::finite(rock)) return refuse(RefusalKind::Rock);

    const ProcessFactor process = ProcessFactors(input.process);
    r.psiC = process.psiC;

    if (UsesCircleRules(section) && frkMode) {
        const ZetaLookup z = LookupZetaR(r.depthRatio, input.frk);
        r.rUsed = z.rUsed;
        r.capped = z.capped;
        r.zetaR = process.zetaFactor * z.zetaBase;
        r.Qrk = r.area * *r.zetaR * input.frk / 1000;
    } else {
        const BetaLookup b = LookupBeta(section, r.depthRatio, r.sideRatio.value_or(0));
        r.rUsed = b.rUsed;
        r.capped = b.capped;
        r.beta = b.beta;
        double coef = b.coef;
        if (!UsesCircleRules(section) && frkMode) {
            r.alpha0 = Alpha0(input.slopeConditionMet, input.frk);
            coef = *r.alpha0 * coef;
        }
        r.coef = coef;
        r.Qrk = r.area * coef * rock / 1000;
    }
    r.K = SafetyFactor(section, input.mode);
    r.Qsk = 0;
    r.Quk = r.Qsk + r.Qrk;
    r.Ra = r.Quk / r.K;
    r.fc = ConcreteFc(input.gradeIndex);
    r.Rc = r.area * r.psiC * r.fc / 1000;

    // Overflow of the capacity: blame the input that lies farther beyond an ordinary
    // magnitude, the size against 1 m or the rock parameter against 10 MPa. The shaft
    // capacity depends on the size alone.
    if (!detail::finite(r.Qrk) || !detail::finite(r.Ra)) {
        return refuse(d / 1000 >= rock / 10 ? RefusalKind::Size : RefusalKind::Rock);
    }
    if (!detail::finite(r.Rc)) return refuse(RefusalKind::Size);
    return r;
}

}  // namespace pile
