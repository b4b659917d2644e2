// The widgets of the negative-skin-friction screen (Fumozhuli_FormLayer) of the formula-two
// window: the surface load, the ground and pile-top elevations, the layer count, the layer grid
// and table 5.4.3 for reference.
#pragma once

#include <QWidget>

#include "app/model/formula_two_window.h"
#include "app/qt/grid_view.h"
#include "app/qt/widget_sync.h"

class QComboBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;

namespace pile {

class NegativeFrictionScreenView : public QWidget {
  public:
    NegativeFrictionScreenView(FormulaTwoWindow& window, Dispatch dispatch, QWidget* parent);

    void bindTo(WidgetSync& sync);

    QLabel* lb_Fmzlbiaoti;
    QGroupBox* gpb_Fmzlshuru;
    QLabel* lb_Junbuhezai;
    QComboBox* cbe_Junbuhezai;
    QLabel* lb_Dimianbiaogao;
    QLineEdit* edt_Dimianbiaogao;
    QLabel* lb_Zhuangdingbiaogao;
    QLineEdit* edt_Zhuangdingbiaogao;
    QLabel* lb_Tuchengshu;
    QComboBox* cbb_Tuchengshu;
    GridView* Grid1_Fumozhulijisuan;
    QLabel* lb_FQgn;
    QLabel* lb_FMZxinxi;
    QPushButton* cbt_fmzlzhankai;
    QGroupBox* gpb_Fmzlcankao;
    QLabel* lb_fmzlxsbiao;
    GridView* Grid2_Fumozhulixishubiao;
    QLabel* lb_fmzlxssm;
    QPushButton* cbt_Fmzlfanhui;
    QPushButton* cbt_FmzlComputer;

  private:
    void connectEvents();

    FormulaTwoWindow& m_window;
    NegativeFrictionScreen& m_model;
    Dispatch m_dispatch;
};

}  // namespace pile
