// The widgets of the input screen (MainFormLayer). Every user event is forwarded to the model
// through the window's dispatch; the widgets are brought up to date by the window's sync.
#pragma once

#include <QWidget>

#include <functional>

#include "app/model/calculator_window.h"
#include "app/qt/widget_sync.h"

class QCheckBox;
class QComboBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;

namespace pile {

using Dispatch = std::function<void(const std::function<void()>&)>;

class InputScreenView : public QWidget {
public:
    InputScreenView(CalculatorWindow& window, Dispatch dispatch, QWidget* parent);

    void bindTo(WidgetSync& sync);

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

private:
    void connectEvents();

    CalculatorWindow& m_window;
    InputScreen& m_model;
    Dispatch m_dispatch;
};

}  // namespace pile
