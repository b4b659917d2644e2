// The formula-two calculator window.
#include "app/model/formula_two_window.h"

#include "books/formula_two_book.h"

namespace pile {

FormulaTwoWindow::FormulaTwoWindow(Platform& platform)
    : CalculatorWindow(platform, formulaTwoTableLayout()) {
    setInputScreen(m_input);
    Fumozhuli_FormLayer.setVisible(false);
    Zhengmozhuli_FormLayer.setVisible(false);
    // "★" opens the optimisation screen, which this window does not have yet.
    m_input.cbt_YouHua.setEnabled(false);
}

void FormulaTwoWindow::cbt_fumozhuliClick() {
    MainFormLayer.setVisible(false);
    Fumozhuli_FormLayer.setVisible(true);
}

void FormulaTwoWindow::cbt_zhengmozhuliClick() {
    MainFormLayer.setVisible(false);
    Zhengmozhuli_FormLayer.setVisible(true);
}

void FormulaTwoWindow::cbt_FmzlfanhuiClick() {
    MainFormLayer.setVisible(true);
    Fumozhuli_FormLayer.setVisible(false);
    m_input.dragLayersLeft();
}

void FormulaTwoWindow::cbt_ZmzlfanhuiClick() {
    MainFormLayer.setVisible(true);
    Zhengmozhuli_FormLayer.setVisible(false);
    m_input.sideLayersLeft();
}

void FormulaTwoWindow::recordBooks(const PileInput& input, const PileResult&,
                                   const std::string& rockClassName) {
    // One time text for both books of the pile.
    bookScreen().recordFormulaTwoPile(input, *m_input.lastRun(), rockClassName, roundingMode(),
                                      platform().clock.timeText());
}

PileSection FormulaTwoWindow::soilPileSection() const {
    return PileSection{m_input.section(), m_input.cbe_dd.text(), m_input.cbe_tyzd.text()};
}

void FormulaTwoWindow::revealInputMessageLabel() {
    m_input.img_Logo.setVisible(false);
    m_input.lb_shuoming.setVisible(true);
}

}  // namespace pile
