// The widgets of the side-resistance screen.
#include "app/qt/side_resistance_screen_view.h"

#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>

#include "app/qt/screen_widgets.h"
#include "app/qt/soil_screen_view.h"
#include "soil/side_resistance.h"

namespace pile {

SideResistanceScreenView::SideResistanceScreenView(FormulaTwoWindow& window, Dispatch dispatch,
                                                   QWidget* parent)
    : QWidget(parent),
      m_window(window),
      m_model(window.sideScreen()),
      m_dispatch(std::move(dispatch)) {
    setGeometry(0, 0, detail::kWindowWidth, detail::kFormulaTwoHeight);
    // Table 5.3.6 has 24 rows: ten are shown at a time under its two-line header; its note
    // has seven lines.
    const detail::SoilScreenFrame f = detail::buildSoilScreenFrame(
        this, m_model.Grid1_Zhengmozhulijisuan, m_model.Grid2_Zhengmozhulizhibiao, m_dispatch,
        {.inputRows = 1, .tableHeight = 36 + 10 * 22 + 2, .noteHeight = 116});
    lb_Zmzlbiaoti = f.title;
    gpb_Zmzlshuru = f.inputs;
    Grid1_Zhengmozhulijisuan = f.layers;
    lb_Qsk = f.result;
    lb_ZMZxinxi = f.message;
    cbt_ZhengZhankai = f.expand;
    referenceGroup = f.reference;
    lb_Zmzlzbiao = f.caption;
    Grid2_Zhengmozhulizhibiao = f.table;
    lb_Zmzlzsm = f.note;
    cbt_Zmzlfanhui = f.back;
    cbt_ZmzlComputer = f.compute;

    lb_ZhengTuchengshu = detail::soilInputLabel(gpb_Zmzlshuru, 0);
    cbb_ZhengTuchengshu = detail::soilInputField<QComboBox>(gpb_Zmzlshuru, 0);
    cbb_ZhengTuchengshu->setMaxVisibleItems(20);
    Grid1_Zhengmozhulijisuan->setBarColumn(side_col::kShareBar);
    Grid2_Zhengmozhulizhibiao->setCompact();

    SideResistanceScreen& m = m_model;
    const Dispatch& d = m_dispatch;
    connect(cbb_ZhengTuchengshu, &QComboBox::activated, this,
            [&m, d](int i) { d([&m, i] { m.cbb_ZhengTuchengshu.setIndex(i); }); });
    connect(cbt_ZhengZhankai, &QPushButton::clicked, this,
            [&m, d] { d([&m] { m.cbt_ZhengZhankaiClick(); }); });
    connect(cbt_ZmzlComputer, &QPushButton::clicked, this,
            [&m, d] { d([&m] { m.cbt_ZmzlComputerClick(); }); });
    connect(cbt_Zmzlfanhui, &QPushButton::clicked, this,
            [this, d] { d([this] { m_window.cbt_ZmzlfanhuiClick(); }); });
}

void SideResistanceScreenView::bindTo(WidgetSync& sync) {
    SideResistanceScreen& m = m_model;
    sync.bind(lb_Zmzlbiaoti, m.lb_Zmzlbiaoti);
    sync.bind(gpb_Zmzlshuru, m.gpb_Zmzlshuru);
    sync.bind(lb_ZhengTuchengshu, m.lb_ZhengTuchengshu);
    sync.bind(cbb_ZhengTuchengshu, m.cbb_ZhengTuchengshu);
    sync.bind(Grid1_Zhengmozhulijisuan, m.Grid1_Zhengmozhulijisuan);
    sync.bind(lb_Qsk, m.lb_Qsk);
    sync.bind(lb_ZMZxinxi, m.lb_ZMZxinxi);
    sync.bind(cbt_ZhengZhankai, m.cbt_ZhengZhankai);
    sync.bind(lb_Zmzlzbiao, m.lb_Zmzlzbiao);
    sync.bind(Grid2_Zhengmozhulizhibiao, m.Grid2_Zhengmozhulizhibiao);
    sync.bind(lb_Zmzlzsm, m.lb_Zmzlzsm);
    sync.bind(cbt_Zmzlfanhui, m.cbt_Zmzlfanhui);
    sync.bind(cbt_ZmzlComputer, m.cbt_ZmzlComputer);
}

}  // namespace pile
