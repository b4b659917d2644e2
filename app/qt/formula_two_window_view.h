// TBVK_FRM_WENA2, the formula-two calculator window: the input screen with the soil switches,
// the book screen, the optimisation screen, and the negative-skin-friction and side-resistance
// screens, as pages of one fixed-size window (363 x 915).
#pragma once

#include <functional>

#include "app/model/formula_two_window.h"
#include "app/qt/book_screen_view.h"
#include "app/qt/calculator_window_view.h"
#include "app/qt/formula_two_input_screen_view.h"
#include "app/qt/negative_friction_screen_view.h"
#include "app/qt/optimisation_screen_view.h"
#include "app/qt/side_resistance_screen_view.h"

namespace pile {

class TBVK_FRM_WENA2 : public CalculatorWindowView {
  public:
    TBVK_FRM_WENA2(FormulaTwoWindow& model, ErrorBox& errors, std::function<void()> closed);

    FormulaTwoInputScreenView* MainFormLayer;
    BookScreenView* JieGuo_DocLayer;
    OptimisationScreenView* YouHuaFormLayer;
    NegativeFrictionScreenView* Fumozhuli_FormLayer;
    SideResistanceScreenView* Zhengmozhuli_FormLayer;
};

}  // namespace pile
