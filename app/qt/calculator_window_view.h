// TBVK_FRM_WENA1, the formula-one calculator window: its screens as pages of one fixed-size
// window. Every user event goes through dispatch(): the model's handler runs (an error it does
// not handle is shown in the error box), then every widget is brought up to date from the model,
// and the window closes if the handler asked for it.
#pragma once

#include <functional>

#include "app/model/calculator_window.h"
#include "app/model/platform.h"
#include "app/qt/book_screen_view.h"
#include "app/qt/input_screen_view.h"
#include "app/qt/theme.h"
#include "app/qt/widget_sync.h"

namespace pile {

class TBVK_FRM_WENA1 : public GradientWindow {
public:
    // `closed` runs when the window has closed (FormClose); the model is released there and
    // the window no longer touches it.
    TBVK_FRM_WENA1(CalculatorWindow& model, ErrorBox& errors, std::function<void()> closed);

    void dispatch(const std::function<void()>& handler);
    void syncFromModel();

    InputScreenView* MainFormLayer;
    BookScreenView* JieGuo_DocLayer;

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    CalculatorWindow* m_model;
    ErrorBox& m_errors;
    std::function<void()> m_closed;
    WidgetSync m_sync;
};

}  // namespace pile
