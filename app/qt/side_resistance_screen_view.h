// The widgets of the side-resistance screen (Zhengmozhuli_FormLayer) of the formula-two window:
// the layer count, the layer grid and table 5.3.6 for reference.
#pragma once

#include <QWidget>

#include "app/model/formula_two_window.h"
#include "app/qt/grid_view.h"
#include "app/qt/widget_sync.h"

class QComboBox;
class QGroupBox;
class QLabel;
class QPushButton;

namespace pile {

class SideResistanceScreenView : public QWidget {
  public:
    SideResistanceScreenView(FormulaTwoWindow& window, Dispatch dispatch, QWidget* parent);

    void bindTo(WidgetSync& sync);

    QLabel* lb_Zmzlbiaoti;
    QGroupBox* gpb_Zmzlshuru;
    QLabel* lb_ZhengTuchengshu;
    QComboBox* cbb_ZhengTuchengshu;
    GridView* Grid1_Zhengmozhulijisuan;
    QLabel* lb_Qsk;
    QLabel* lb_ZMZxinxi;
    QPushButton* cbt_ZhengZhankai;
    // The frame around the reference table; table 5.3.6 has no group caption.
    QGroupBox* referenceGroup;
    QLabel* lb_Zmzlzbiao;
    GridView* Grid2_Zhengmozhulizhibiao;
    QLabel* lb_Zmzlzsm;
    QPushButton* cbt_Zmzlfanhui;
    QPushButton* cbt_ZmzlComputer;

  private:
    FormulaTwoWindow& m_window;
    SideResistanceScreen& m_model;
    Dispatch m_dispatch;
};

}  // namespace pile
