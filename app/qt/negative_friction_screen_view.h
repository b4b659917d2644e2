// The widgets of the negative-skin-friction screen (Fumozhuli_FormLayer) of the formula-two
// window: the surface load, the ground and pile-top elevations, the layer count, the layer grid
// and table 5.4.3 for reference; the small "简图" button left of Back (and the screen's context
// menu, and Ctrl+G) shows the pile in these layers in a window of its own, with a PNG export.
#pragma once

#include <QWidget>

#include "app/model/formula_two_window.h"
#include "app/qt/grid_view.h"
#include "app/qt/widget_sync.h"

class QComboBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QAction;
class QPushButton;

namespace pile {

class SoilDrawingDialog;

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
    QPushButton* cbt_Fmzljiantu;  // the drawing of the pile in its soil
    QAction* showDrawing;         // the same, from the context menu and Ctrl+G

    // Opens (or raises) the drawing of the layers as typed now; the window it is in.
    SoilDrawingDialog* openDrawing();

  private:
    void connectEvents();
    SoilDrawingDialog* m_drawing = nullptr;

    FormulaTwoWindow& m_window;
    NegativeFrictionScreen& m_model;
    Dispatch m_dispatch;
};

}  // namespace pile
