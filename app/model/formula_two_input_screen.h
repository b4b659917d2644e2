// The input screen of the formula-two window: the formula-one input screen with the soil
// switches (group "土层参数"), the down-drag load Qgn and the limits [Nk] and [N] of the vertical
// load among the results.
//
// Compute computes the pile as formula one does, then runs the checked soil calculations on the
// layers of the two soil screens (showing them there, as if their own Compute had been pressed),
// adds Qsk to the capacity and derives the limits (clauses 5.4.2 and 5.4.5). A negative limit
// is reported in red and the pile is still shown and booked.
#pragma once

#include <array>
#include <cstdint>
#include <memory>
#include <optional>
#include <string>

#include "app/model/input_screen.h"
#include "app/model/negative_friction_screen.h"
#include "app/model/side_resistance_screen.h"
#include "soil/formula_two.h"

namespace pile {

class FormulaTwoInputScreen : public InputScreen {
  public:
    FormulaTwoInputScreen(Host& host, NegativeFrictionScreen& drag, SideResistanceScreen& side);

    // Soil switches: a tick enables the button that opens its soil screen.
    GroupBox gpb_tuchengchanshu;
    CheckBox ckb_fumozhuli;
    Button cbt_fumozhuli;
    CheckBox ckb_zhengmozhuli;
    Button cbt_zhengmozhuli;

    // The results formula two adds.
    Label lb_Qgn;
    Edit edt_Qgn;
    Label lb_Nkxianzhi;
    Edit edt_Nkxianzhi;
    Label lb_Nxianzhi;
    Edit edt_Nxianzhi;
    Label lb_Hezaixianzhigongshi;

    void ckb_fumozhuliChange();
    void ckb_zhengmozhuliChange();

    // The soil side as the screens hold it now: the switches and both soil screens' inputs.
    FormulaTwoSoil soil() const;
    // The last pile Compute completed, with its soil results; empty before the first. Made
    // when first asked for after each Compute.
    const std::optional<FormulaTwoRun>& lastRun() const;
    // The result of that pile alone (what lastRun()->result holds), without making the run;
    // valid once a pile has been computed.
    const FormulaTwoResult& lastResult() const { return m_result; }

    void clearResultFields() override;

    // Back from a soil screen: the results that depend on its layers are stale.
    void dragLayersLeft();
    void sideLayersLeft();

  protected:
    void clearDependentResults(InputChange change) override;
    std::variant<PileResult, Rejection> computePile(const PileInput& input) override;
    void showResults(const PileInput& input, const PileResult& result) override;
    Control* fieldControl(const std::string& field) override;

  private:
    // The layers' steps of the soil calculations for the screens' texts now: computed again
    // only when a switch or a text of the soil screens has changed since the last time.
    const FormulaTwoLayers& soilLayers();

    NegativeFrictionScreen& m_drag;
    SideResistanceScreen& m_side;

    FormulaTwoSoil m_layersSoil;  // the texts m_layers was computed from
    std::shared_ptr<const FormulaTwoLayers> m_layers;
    std::uint64_t m_layersGeneration = 0;  // grows with every computation of m_layers
    // The revisions of the soil controls when their texts were last found to be m_layersSoil.
    std::array<std::uint64_t, 5> m_layersRevisions{};

    // The soil terms of the last pile's section and sizes: a search computes many piles of
    // the same perimeter in a row.
    struct PerimeterTerms {
        bool valid = false;
        std::uint64_t generation = 0;  // of m_layers
        SectionType section = SectionType::Circle;
        std::string dd, tyzd;
        double mu = 0;                   // m
        double qsk = 0, qgn = 0;         // the totals, unrounded
        std::optional<double> qskShown;  // as they enter formula two
        std::optional<double> qgnShown;
    };
    PerimeterTerms m_terms;

    // The last pile computed: its result, and what lastRun() makes the whole run of.
    FormulaTwoResult m_result;
    bool m_computed = false;
    PileResult m_lastFormulaOne;
    std::shared_ptr<const FormulaTwoLayers> m_lastLayers;
    double m_lastPerimeter = 0;
    RoundingMode m_lastMode = RoundingMode::Units;
    mutable std::optional<FormulaTwoRun> m_lastRun;
    mutable bool m_lastRunMade = false;
};

}  // namespace pile
