// The input screen of the formula-two window: the formula-one input screen with the soil
// switches (group "土层参数"), the down-drag load Qgn and the limits [Nk] and [N] of the vertical
// load among the results.
//
// Compute computes the pile as formula one does, then runs the checked soil calculations on the
// layers of the two soil screens (showing them there, as if their own Compute had been pressed),
// adds Qsk to the capacity and derives the limits (clauses 5.4.2 and 5.4.5). A negative limit
// is reported in red and the pile is still shown and booked.
#pragma once

#include <optional>

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
    // The last pile Compute completed, with its soil results; empty before the first.
    const std::optional<FormulaTwoRun>& lastRun() const { return m_lastRun; }

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
    NegativeFrictionScreen& m_drag;
    SideResistanceScreen& m_side;
    std::optional<FormulaTwoRun> m_lastRun;
};

}  // namespace pile
