// The formula-two capacity, the load limits [Nk] and [N] and their check.
#include "soil/formula_two.h"

#include "core/number_format.h"
#include "soil/soil_messages.h"
#include "soil/soil_numbers.h"

namespace pile {

LimitVerdict limitVerdictOf(double nkLimit, double nLimit) {
    const bool nkBad = nkLimit < 0;
    const bool nBad = nLimit < 0;
    if (nkBad && nBad) return LimitVerdict::BothAbnormal;
    if (nkBad) return LimitVerdict::NkAbnormal;
    if (nBad) return LimitVerdict::NAbnormal;
    return LimitVerdict::Normal;
}

const char* limitVerdictText(LimitVerdict verdict) {
    switch (verdict) {
        case LimitVerdict::NkAbnormal:
            return "[Nk]异常";
        case LimitVerdict::NAbnormal:
            return "[N]异常";
        case LimitVerdict::BothAbnormal:
            return "异常";
        case LimitVerdict::Normal:
            break;
    }
    return "正常";
}

void applySoilTerms(const PileResult& formulaOne, std::optional<double> qskShown,
                    bool sideRevealsLabel, std::optional<double> qgnShown, RoundingMode mode,
                    FormulaTwoResult& out) {
    PileResult& r = out.pile;
    r = formulaOne;

    r.Qsk = qskShown.value_or(0);
    r.Quk = r.Qsk + r.Qrk;
    r.Ra = r.K != 0 ? r.Quk / r.K : 0;

    const double qgn = qgnShown.value_or(0);
    r.Qgn = qgn;
    if (qgnShown) {
        // The products are taken to their 15-digit decimals before the difference, so that a
        // Qgn equal to 1.5Ra (or 1.2Qgn equal to Rc) gives a limit of exactly 0, which is
        // normal, and not the -4e-12 of the last binary digit of Ra: an Ra of 16250 in exact
        // arithmetic is 16249.999999999998 in doubles, and 1.5Ra then falls short of 24375.
        const double byDragLoad = FifteenDigits(1.5 * r.Ra) - qgn;
        r.NkLimit = r.Ra < byDragLoad ? r.Ra : byDragLoad;
        r.NLimit = FifteenDigits(r.Rc) - FifteenDigits(1.2 * qgn);
    } else {
        r.NkLimit = r.Ra;
        r.NLimit = r.Rc;
    }

    out.verdict = limitVerdictOf(*r.NkLimit, *r.NLimit);
    const bool nkBad = *r.NkLimit < 0;
    const bool nBad = *r.NLimit < 0;
    out.nkLimitColour = nkBad ? TextColour::Red : TextColour::OrangeRed;
    out.nLimitColour = nBad ? TextColour::Red : TextColour::OrangeRed;
    const char* message = "";
    switch (out.verdict) {
        case LimitVerdict::BothAbnormal:
            message = "下拉荷载太大，引发竖向荷载限值异常";
            break;
        case LimitVerdict::NkAbnormal:
            message = "下拉荷载太大，引发[Nk]<0异常";
            break;
        case LimitVerdict::NAbnormal:
            message = "下拉荷载太大，引发[N]<0异常";
            break;
        case LimitVerdict::Normal:
            break;
    }
    out.message.assign(message);
    out.messageColour = TextColour::Black;
    out.revealMessageLabel = false;
    if (!out.message.empty()) {
        out.messageColour = TextColour::Red;
        out.revealMessageLabel = true;
    }
    if (sideRevealsLabel) out.revealMessageLabel = true;

    out.qgnText = QgnText(qgn, mode, ShownOn::Screen);
    out.nkLimitText = NkLimitText(*r.NkLimit, mode, ShownOn::Screen);
    out.nLimitText = NLimitText(*r.NLimit, mode, ShownOn::Screen);
}

FormulaTwoResult applySoilTerms(const PileResult& formulaOne, const SideResistanceResult* side,
                                const DragLoadResult* drag, RoundingMode mode) {
    FormulaTwoResult out;
    applySoilTerms(formulaOne, side ? std::optional<double>(side->qskShown()) : std::nullopt,
                   side && side->revealInputMessageLabel,
                   drag ? std::optional<double>(drag->qgnShown()) : std::nullopt, mode, out);
    return out;
}

std::optional<Rejection> soilLayerRefusal(const SideResistanceResult* side,
                                          const DragLoadResult* drag) {
    if (side) {
        if (!side->inputError.empty())
            return Rejection{side->inputError, "side", RefusalKind::SoilLayer};
        const auto& layers = side->layers;
        for (size_t k = 0; k < layers.size(); ++k)
            if (layers[k].thickness < 0)
                return Rejection{layerThicknessError(k + 1), "side", RefusalKind::SoilLayer};
        for (size_t k = 0; k < layers.size(); ++k)
            if (layers[k].qsik < 0)
                return Rejection{layerSideResistanceError(k + 1), "side", RefusalKind::SoilLayer};
    }
    if (drag) {
        if (!drag->inputError.empty())
            return Rejection{drag->inputError, "drag", RefusalKind::SoilLayer};
        double top = drag->eg;
        for (size_t n = 0; n < drag->layers.size(); ++n) {
            const double bottom = drag->layers[n].bottom;
            if (bottom > top)
                return Rejection{layerBottomAboveError(n + 1), "drag", RefusalKind::SoilLayer};
            top = bottom;
        }
    }
    return std::nullopt;
}

FormulaTwoLayers computeFormulaTwoLayers(const FormulaTwoSoil& soil) {
    FormulaTwoLayers layers;
    if (soil.sideResistance) layers.side = ComputeSideResistanceLayers(soil.side);
    if (soil.dragLoad) layers.drag = ComputeDragLoadLayers(soil.drag);
    layers.refusal = soilLayerRefusal(layers.side ? &*layers.side : nullptr,
                                      layers.drag ? &*layers.drag : nullptr);
    return layers;
}

FormulaTwoRun completeFormulaTwo(const PileResult& formulaOne, const FormulaTwoLayers& layers,
                                 double mu, RoundingMode mode) {
    FormulaTwoRun run;
    if (layers.side) {
        run.side = *layers.side;
        ApplySidePerimeter(*run.side, mu);
    }
    if (layers.drag) {
        run.drag = *layers.drag;
        ApplyDragPerimeter(*run.drag, mu);
    }
    run.result = applySoilTerms(formulaOne, run.side ? &*run.side : nullptr,
                                run.drag ? &*run.drag : nullptr, mode);
    run.refusal = layers.refusal;
    return run;
}

void formulaTwoResult(const PileResult& formulaOne, const FormulaTwoLayers& layers, double mu,
                      RoundingMode mode, FormulaTwoResult& out) {
    std::optional<double> qsk;
    if (layers.side)
        qsk = layers.side->layers.empty()
                  ? 0.0
                  : detail::shownValue(SideResistanceTotal(*layers.side, mu).lastRow);
    std::optional<double> qgn;
    if (layers.drag) qgn = detail::shownValue(DragLoadTotal(*layers.drag, mu));
    applySoilTerms(formulaOne, qsk, layers.side && layers.side->revealInputMessageLabel, qgn, mode,
                   out);
}

FormulaTwoRun computeFormulaTwo(const PileResult& formulaOne, const PileSection& pile,
                                const FormulaTwoSoil& soil, RoundingMode mode) {
    return completeFormulaTwo(formulaOne, computeFormulaTwoLayers(soil),
                              detail::perimeterMetres(pile), mode);
}

}  // namespace pile
