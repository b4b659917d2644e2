// The formula-one calculator window.
#include "app/model/formula_one_window.h"

namespace pile {

FormulaOneWindow::FormulaOneWindow(Platform& platform)
    : CalculatorWindow(platform, formulaOneTableLayout()) {
    setInputScreen(m_input);
}

void FormulaOneWindow::recordBooks(const PileInput& input, const PileResult& result,
                                   const std::string& rockClassName) {
    // One time text for both books of the pile.
    bookScreen().recordPile(input, result, rockClassName, roundingMode(),
                            platform().clock.timeText());
}

}  // namespace pile
