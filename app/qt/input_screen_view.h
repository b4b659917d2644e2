// The widgets of the input screen (MainFormLayer). Every user event is forwarded to the model
// through the window's dispatch; the widgets are brought up to date by the window's sync.
#pragma once

#include <QWidget>

#include <functional>

#include "app/model/calculator_window.h"
#include "app/qt/screen_widgets.h"
#include "app/qt/widget_sync.h"

class QCheckBox;
class QComboBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;

namespace pile {

// Where the parts of the input screen sit that move with the window's height. The defaults are
// the formula-one window's.
struct InputScreenLayout {
    int height = detail::kFormulaOneHeight;  // the window's client height
    int resultsY = 446;                      // the results group gpb_scjg
    int resultsHeight = 164;
    int actionY = 654;  // the bottom row: Compute / Result, "★" and Exit
    int stripY = 702;   // the logo strip and the message label in its place
};

class InputScreenView : public QWidget {
  public:
    InputScreenView(CalculatorWindow& window, Dispatch dispatch, QWidget* parent,
                    const InputScreenLayout& layout = {});
    ~InputScreenView() override = default;

    virtual void bindTo(WidgetSync& sync);

    QLabel* lb_cxm;
    QPushButton* cbt_CopyRight;
    QLabel* img_Logo;
    QLabel* lb_shuoming;
    QGroupBox* gpb_jzcs;
    QLabel* lb_jmlx;
    QComboBox* cbb_jmlx;
    QLabel* lb_dd;
    QComboBox* cbe_dd;
    QLabel* lb_tyzd;
    QComboBox* cbe_tyzd;
    QLabel* lb_hr;
    QComboBox* cbe_hr;
    QLabel* lb_hnt;
    QComboBox* cbb_hnt;
    QLabel* lb_czgy;
    QComboBox* cbb_czgy;
    QGroupBox* gpb_jycs;
    QRadioButton* rdb_frk;
    QLineEdit* edt_frk;
    QRadioButton* rdb_fuk;
    QLineEdit* edt_fuk;
    QCheckBox* ckb_ystj;
    QLabel* lb_frk_ystj;
    QGroupBox* gpb_scjg;
    QLabel* lb_tiaowen;
    QLabel* lb_kesair;
    QLineEdit* edt_kesair;
    QLabel* lb_ra;
    QLineEdit* edt_ra;
    QLabel* lb_rc;
    QLineEdit* edt_rc;
    QPushButton* cbt_JingDu;
    QComboBox* popbox_jingdu;
    QPushButton* cbt_compute;
    QPushButton* cbt_View;
    QPushButton* cbt_YouHua;
    QPushButton* cbt_tuichu;

  protected:
    CalculatorWindow& m_window;
    Dispatch m_dispatch;

  private:
    void connectEvents();

    InputScreen& m_model;
};

}  // namespace pile
