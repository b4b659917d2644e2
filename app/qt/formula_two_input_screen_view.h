// The widgets of the formula-two input screen: those of the formula-one input screen, moved to
// the taller window, plus the soil switches (group "土层参数"), the fields of Qgn, [Nk] and [N]
// and the line stating the limits.
#pragma once

#include "app/model/formula_two_window.h"
#include "app/qt/input_screen_view.h"

class QCheckBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;

namespace pile {

class FormulaTwoInputScreenView : public InputScreenView {
  public:
    FormulaTwoInputScreenView(FormulaTwoWindow& window, Dispatch dispatch, QWidget* parent);

    void bindTo(WidgetSync& sync) override;

    QGroupBox* gpb_tuchengchanshu;
    QCheckBox* ckb_fumozhuli;
    QPushButton* cbt_fumozhuli;
    QCheckBox* ckb_zhengmozhuli;
    QPushButton* cbt_zhengmozhuli;
    QLabel* lb_Qgn;
    QLineEdit* edt_Qgn;
    QLabel* lb_Nkxianzhi;
    QLineEdit* edt_Nkxianzhi;
    QLabel* lb_Nxianzhi;
    QLineEdit* edt_Nxianzhi;
    QLabel* lb_Hezaixianzhigongshi;

  private:
    FormulaTwoWindow& m_formulaTwo;
    FormulaTwoInputScreen& m_screen;
};

}  // namespace pile
