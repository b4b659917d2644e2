// The formula-two calculator window: the capacity with the soil terms, the side resistance Qsk
// of the soil layers (clause 5.3.4) and the down-drag load Qgn of settling soil (clause 5.4.3),
// and the limits [Nk] and [N] of the vertical load (clauses 5.4.2 and 5.4.5).
//
// Besides the input and book screens it has the two soil screens, each opened from the input
// screen by its button and left by its Back button.
#pragma once

#include "app/model/calculator_window.h"
#include "app/model/formula_two_input_screen.h"
#include "app/model/negative_friction_screen.h"
#include "app/model/side_resistance_screen.h"
#include "app/model/soil_screen.h"

namespace pile {

class FormulaTwoWindow : public CalculatorWindow, private SoilScreenHost {
  public:
    explicit FormulaTwoWindow(Platform& platform);

    Layer Fumozhuli_FormLayer;
    Layer Zhengmozhuli_FormLayer;

    FormulaTwoInputScreen& formulaTwoInput() { return m_input; }
    const FormulaTwoInputScreen& formulaTwoInput() const { return m_input; }
    NegativeFrictionScreen& dragScreen() { return m_drag; }
    const NegativeFrictionScreen& dragScreen() const { return m_drag; }
    SideResistanceScreen& sideScreen() { return m_side; }
    const SideResistanceScreen& sideScreen() const { return m_side; }

    // Types a soil side into the window as a user would: the two switches, then each soil
    // screen's fields, its layer count and every layer cell, each edit ended (pilecalc and the
    // measurements fill the window this way).
    void typeSoil(const FormulaTwoSoil& soil);

    // The soil screens: open from the input screen, Back to it.
    void cbt_fumozhuliClick();
    void cbt_zhengmozhuliClick();
    void cbt_FmzlfanhuiClick();
    void cbt_ZmzlfanhuiClick();

  protected:
    void recordBooks(const PileInput& input, const PileResult& result,
                     const std::string& rockClassName) override;

  private:
    // The optimisation screen's soil side.
    void applySoilSwitches(bool dragLoad, bool sideResistance) override;
    void readSoilResults(ListRowValues& row) override;
    void restoreSoilSwitches(const std::string& idQgn, const std::string& idFsk) override;
    ListFileSoil listFileSoil() const override;

    PileSection soilPileSection() const override;
    void revealInputMessageLabel() override;

    // The soil screens come first: the input screen reads and writes them.
    NegativeFrictionScreen m_drag{*this};
    SideResistanceScreen m_side{*this};
    FormulaTwoInputScreen m_input{*this, m_drag, m_side};
};

}  // namespace pile
