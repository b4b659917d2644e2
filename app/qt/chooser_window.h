// TBVK_FRM_WENA0, the formula chooser: the application's main window. Closing it ends the
// application.
#pragma once

#include <functional>

#include "app/model/application.h"
#include "app/qt/theme.h"
#include "app/qt/widget_sync.h"

class QLabel;
class QPushButton;

namespace pile {

class TBVK_FRM_WENA0 : public GradientWindow {
  public:
    // `closed` runs when the window has closed (FormClose).
    TBVK_FRM_WENA0(ChooserWindow& model, ErrorBox& errors, std::function<void()> closed);

    void dispatch(const std::function<void()>& handler);

    QLabel* lb_guifanming;
    QPushButton* cbt_Gongshi1;
    QPushButton* cbt_Gongshi2;
    QPushButton* cbt_guanbi;

  protected:
    void closeEvent(QCloseEvent* event) override;

  private:
    ChooserWindow* m_model;
    ErrorBox& m_errors;
    std::function<void()> m_closed;
    WidgetSync m_sync;
};

}  // namespace pile
