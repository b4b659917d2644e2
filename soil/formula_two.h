// Formula two: the formula-one pile with the soil terms, and the limits of the vertical load.
//
// Quk = Qsk + Qrk (5.3.4) and Ra = Quk/K (5.2.2) with the side resistance Qsk; from the
// down-drag load Qgn and the conditions Nk <= Ra (5.4.2-1), Qgn + Nk <= 1.5Ra (5.4.2-2) and
// 1.2Qgn + gamma0*N <= psi_c*fc*A (5.4.5) with gamma0 = 1.0:
//     [Nk] = Min(Ra, 1.5Ra - Qgn),   [N] = Rc - 1.2Qgn.
// Loads in kN.
#pragma once

#include <optional>
#include <string>

#include "core/number_format.h"
#include "core/pile_calc.h"
#include "core/text_colour.h"
#include "soil/drag_load.h"
#include "soil/side_resistance.h"

namespace pile {

enum class LimitVerdict { Normal, NkAbnormal, NAbnormal, BothAbnormal };

// [Nk] >= 0 and [N] >= 0 is normal; a negative limit is abnormal.
LimitVerdict limitVerdictOf(double nkLimit, double nLimit);
// "正常", "[Nk]异常", "[N]异常", "异常" (the books' verdict cell).
const char* limitVerdictText(LimitVerdict verdict);

// What a formula-two computation shows on the input screen.
struct FormulaTwoResult {
    PileResult pile;  // Qsk, Quk, Ra, Qgn, NkLimit and NLimit filled in
    LimitVerdict verdict = LimitVerdict::Normal;
    // As the screen shows them: edt_Qgn, edt_Nkxianzhi, edt_Nxianzhi (edt_ra and edt_rc are
    // the input screen's own).
    std::string qgnText, nkLimitText, nLimitText;
    TextColour nkLimitColour = TextColour::OrangeRed;  // edt_Nkxianzhi
    TextColour nLimitColour = TextColour::OrangeRed;   // edt_Nxianzhi
    // lb_shuoming after the limit check: a red message when a limit is negative, otherwise
    // empty in black (which also removes the rock-class text of formula one).
    std::string message;
    TextColour messageColour = TextColour::Black;
    // True when the label is to be shown in place of the logo: a limit message, or a negative
    // qsik met by the side-resistance calculation. False leaves its visibility as it was.
    bool revealMessageLabel = false;
};

// Adds the soil terms to a pile computed by ComputePile. side and drag are the results of
// ComputeSideResistance and ComputeDragLoad run for this pile, or nullptr when their check
// box (ckb_zhengmozhuli, ckb_fumozhuli) is unchecked. Qsk enters as the 2-decimal text of the
// last side-resistance row, Qgn as the 2-decimal total of the walk (its label).
FormulaTwoResult applySoilTerms(const PileResult& formulaOne, const SideResistanceResult* side,
                                const DragLoadResult* drag, RoundingMode mode);
// The same from the numbers: Qsk and Qgn as they enter (nothing for an unchecked box) and
// whether a negative qsik reveals the message label, into `out` (whose strings keep their
// storage).
void applySoilTerms(const PileResult& formulaOne, std::optional<double> qskShown,
                    bool sideRevealsLabel, std::optional<double> qgnShown, RoundingMode mode,
                    FormulaTwoResult& out);

// The soil side of a formula-two window: the two check boxes and the two soil screens.
struct FormulaTwoSoil {
    bool dragLoad = false;        // ckb_fumozhuli
    bool sideResistance = false;  // ckb_zhengmozhuli
    DragLoadInput drag;           // its pile section is replaced by the computed pile's
    SideResistanceInput side;     // likewise
};

struct FormulaTwoRun {
    FormulaTwoResult result;
    std::optional<DragLoadResult> drag;        // set when ckb_fumozhuli is checked
    std::optional<SideResistanceResult> side;  // set when ckb_zhengmozhuli is checked
    // Soil layers that their own screen reports as wrong refuse the pile: a layer of negative
    // thickness or side resistance would lower the capacity, and a layer whose bottom lies
    // above its top would count the soil below it twice. Field "side" or "drag".
    std::optional<Rejection> refusal;
};

// The first soil layer that refuses a pile: side layers first (a text that is not a number,
// else a negative thickness, else a negative qsik), then drag layers (a text that is not a
// number, else a bottom strictly above the layer's top; equal elevations are a layer of no
// thickness and stay accepted).
std::optional<Rejection> soilLayerRefusal(const SideResistanceResult* side,
                                          const DragLoadResult* drag);

// The whole of formula two after ComputePile: runs the checked soil calculations for the
// section and size texts of the pile (pile, as on the input screen), then applySoilTerms.
FormulaTwoRun computeFormulaTwo(const PileResult& formulaOne, const PileSection& pile,
                                const FormulaTwoSoil& soil, RoundingMode mode);

// Formula two in two steps, for many piles in the same soil: the layers' steps of the checked
// calculations and the refusal they give, once; then for each pile of perimeter mu (m) either
// the whole run or only the result, both exactly as computeFormulaTwo gives them.
struct FormulaTwoLayers {
    std::optional<DragLoadResult> drag;        // ComputeDragLoadLayers, when checked
    std::optional<SideResistanceResult> side;  // ComputeSideResistanceLayers, when checked
    std::optional<Rejection> refusal;
};
FormulaTwoLayers computeFormulaTwoLayers(const FormulaTwoSoil& soil);
FormulaTwoRun completeFormulaTwo(const PileResult& formulaOne, const FormulaTwoLayers& layers,
                                 double mu, RoundingMode mode);
void formulaTwoResult(const PileResult& formulaOne, const FormulaTwoLayers& layers, double mu,
                      RoundingMode mode, FormulaTwoResult& out);

}  // namespace pile
