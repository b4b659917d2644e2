// The widgets of the formula-two input screen. Places are in the window's design coordinates
// (363 x 915); the pile and rock groups stand where formula one has them.
#include "app/qt/formula_two_input_screen_view.h"

#include <QCheckBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

#include "app/qt/screen_widgets.h"
#include "app/qt/theme.h"

namespace pile {

namespace {

using detail::place;

// The soil group sits below the rock group, where formula one has its results; the results
// follow it, taller by the three rows of the limits and the line of their rule.
constexpr int kSoilY = 446;
constexpr int kSoilHeight = 88;
constexpr InputScreenLayout kLayout{.height = detail::kFormulaTwoHeight,
                                    .resultsY = kSoilY + kSoilHeight + 8,
                                    .resultsHeight = 290,
                                    .actionY = 846,
                                    .stripY = 882};

// The result rows below Rc (at 122 in the group), as the formula-one rows are placed.
constexpr int kResultPitch = 34;
constexpr int kRowH = 26;
int resultRowY(int row) { return 156 + row * kResultPitch; }

}  // namespace

FormulaTwoInputScreenView::FormulaTwoInputScreenView(FormulaTwoWindow& window, Dispatch dispatch,
                                                     QWidget* parent)
    : InputScreenView(window, std::move(dispatch), parent, kLayout),
      m_formulaTwo(window),
      m_screen(window.formulaTwoInput()) {
    gpb_tuchengchanshu = place<QGroupBox>(this, 6, kSoilY, 351, kSoilHeight);
    ckb_fumozhuli = place<QCheckBox>(gpb_tuchengchanshu, 10, 24, 210, kRowH);
    cbt_fumozhuli = place<QPushButton>(gpb_tuchengchanshu, 238, 23, 100, 28);
    makeRounded(cbt_fumozhuli, 10, uiFont(14, true));
    ckb_zhengmozhuli = place<QCheckBox>(gpb_tuchengchanshu, 10, 56, 210, kRowH);
    cbt_zhengmozhuli = place<QPushButton>(gpb_tuchengchanshu, 238, 55, 100, 28);
    makeRounded(cbt_zhengmozhuli, 10, uiFont(14, true));

    lb_Qgn = place<QLabel>(gpb_scjg, 10, resultRowY(0), 206, kRowH);
    edt_Qgn = place<QLineEdit>(gpb_scjg, 222, resultRowY(0), 116, kRowH);
    lb_Nkxianzhi = place<QLabel>(gpb_scjg, 10, resultRowY(1), 206, kRowH);
    edt_Nkxianzhi = place<QLineEdit>(gpb_scjg, 222, resultRowY(1), 116, kRowH);
    lb_Nxianzhi = place<QLabel>(gpb_scjg, 10, resultRowY(2), 206, kRowH);
    edt_Nxianzhi = place<QLineEdit>(gpb_scjg, 222, resultRowY(2), 116, kRowH);
    for (QLineEdit* e : {edt_Qgn, edt_Nkxianzhi, edt_Nxianzhi}) e->setAlignment(Qt::AlignRight);
    lb_Hezaixianzhigongshi = place<QLabel>(gpb_scjg, 10, resultRowY(3) + 2, 331, 22);
    lb_Hezaixianzhigongshi->setFont(uiFont(12));

    FormulaTwoInputScreen& m = m_screen;
    const Dispatch& d = m_dispatch;
    connect(ckb_fumozhuli, &QCheckBox::clicked, this,
            [&m, d](bool on) { d([&m, on] { m.ckb_fumozhuli.setChecked(on); }); });
    connect(ckb_zhengmozhuli, &QCheckBox::clicked, this,
            [&m, d](bool on) { d([&m, on] { m.ckb_zhengmozhuli.setChecked(on); }); });
    connect(cbt_fumozhuli, &QPushButton::clicked, this,
            [this, d] { d([this] { m_formulaTwo.cbt_fumozhuliClick(); }); });
    connect(cbt_zhengmozhuli, &QPushButton::clicked, this,
            [this, d] { d([this] { m_formulaTwo.cbt_zhengmozhuliClick(); }); });
}

void FormulaTwoInputScreenView::bindTo(WidgetSync& sync) {
    InputScreenView::bindTo(sync);
    FormulaTwoInputScreen& m = m_screen;
    sync.bind(gpb_tuchengchanshu, m.gpb_tuchengchanshu);
    sync.bind(ckb_fumozhuli, m.ckb_fumozhuli);
    sync.bind(cbt_fumozhuli, m.cbt_fumozhuli);
    sync.bind(ckb_zhengmozhuli, m.ckb_zhengmozhuli);
    sync.bind(cbt_zhengmozhuli, m.cbt_zhengmozhuli);
    sync.bind(lb_Qgn, m.lb_Qgn);
    sync.bind(edt_Qgn, m.edt_Qgn);
    sync.bind(lb_Nkxianzhi, m.lb_Nkxianzhi);
    sync.bind(edt_Nkxianzhi, m.edt_Nkxianzhi);
    sync.bind(lb_Nxianzhi, m.lb_Nxianzhi);
    sync.bind(edt_Nxianzhi, m.edt_Nxianzhi);
    sync.bind(lb_Hezaixianzhigongshi, m.lb_Hezaixianzhigongshi);
}

}  // namespace pile
