// The widgets of the input screen. Places are in the window's design coordinates (363 wide).
#include "app/qt/input_screen_view.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSignalBlocker>

#include "app/qt/keyboard.h"
#include "app/qt/screen_widgets.h"
#include "app/qt/theme.h"

namespace pile {

namespace {

using detail::editableCombo;
using detail::place;

// A row of a group: the label on the left, the control on the right.
constexpr int kRowLabelX = 10;
constexpr int kRowControlX = 186;
constexpr int kRowControlW = 152;
constexpr int kRowH = 26;
int rowY(int row) { return 26 + row * 33; }

}  // namespace

InputScreenView::InputScreenView(CalculatorWindow& window, Dispatch dispatch, QWidget* parent,
                                 const InputScreenLayout& layout)
    : QWidget(parent),
      m_window(window),
      m_dispatch(std::move(dispatch)),
      m_model(window.inputScreen()) {
    setGeometry(0, 0, detail::kWindowWidth, layout.height);

    lb_cxm = place<QLabel>(this, 0, 8, detail::kWindowWidth, 38);
    lb_cxm->setFont(uiFont(24, true));
    lb_cxm->setAlignment(Qt::AlignCenter);
    lb_cxm->setStyleSheet(QStringLiteral("color: #8A2BE2;"));
    cbt_CopyRight = place<QPushButton>(this, 330, 6, 21, 21);
    makeRounded(cbt_CopyRight, 10, uiFont(12, true));

    // Pile parameters.
    gpb_jzcs = place<QGroupBox>(this, 6, 50, 351, 230);
    lb_jmlx = place<QLabel>(gpb_jzcs, kRowLabelX, rowY(0), 170, kRowH);
    cbb_jmlx = place<QComboBox>(gpb_jzcs, kRowControlX, rowY(0), kRowControlW, kRowH);
    lb_dd = place<QLabel>(gpb_jzcs, kRowLabelX, rowY(1), 170, kRowH);
    cbe_dd = editableCombo(gpb_jzcs, kRowControlX, rowY(1), kRowControlW, kRowH);
    lb_tyzd = place<QLabel>(gpb_jzcs, kRowLabelX, rowY(2), 170, kRowH);
    cbe_tyzd = editableCombo(gpb_jzcs, kRowControlX, rowY(2), kRowControlW, kRowH);
    lb_hr = place<QLabel>(gpb_jzcs, kRowLabelX, rowY(3), 170, kRowH);
    cbe_hr = editableCombo(gpb_jzcs, kRowControlX, rowY(3), kRowControlW, kRowH);
    lb_hnt = place<QLabel>(gpb_jzcs, kRowLabelX, rowY(4), 170, kRowH);
    cbb_hnt = place<QComboBox>(gpb_jzcs, kRowControlX, rowY(4), kRowControlW, kRowH);
    lb_czgy = place<QLabel>(gpb_jzcs, kRowLabelX, rowY(5), 100, kRowH);
    cbb_czgy = place<QComboBox>(gpb_jzcs, 116, rowY(5), 222, kRowH);

    // Rock parameters.
    gpb_jycs = place<QGroupBox>(this, 6, 288, 351, 150);
    rdb_frk = place<QRadioButton>(gpb_jycs, kRowLabelX, rowY(0), 226, kRowH);
    rdb_frk->setAutoExclusive(false);  // the model keeps exactly one selected
    edt_frk = place<QLineEdit>(gpb_jycs, 240, rowY(0), 98, kRowH);
    rdb_fuk = place<QRadioButton>(gpb_jycs, kRowLabelX, rowY(1), 226, kRowH);
    rdb_fuk->setAutoExclusive(false);
    edt_fuk = place<QLineEdit>(gpb_jycs, 240, rowY(1), 98, kRowH);
    ckb_ystj = place<QCheckBox>(gpb_jycs, kRowLabelX, rowY(2) + 4, 20, 20);
    lb_frk_ystj = place<QLabel>(gpb_jycs, 32, rowY(2), 308, 54);
    lb_frk_ystj->setFont(uiFont(12));
    lb_frk_ystj->setWordWrap(true);
    lb_frk_ystj->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    clickThrough(lb_frk_ystj, ckb_ystj);

    // Results.
    gpb_scjg = place<QGroupBox>(this, 6, layout.resultsY, 351, layout.resultsHeight);
    lb_tiaowen = place<QLabel>(gpb_scjg, kRowLabelX, 24, 331, 22);
    lb_tiaowen->setFont(uiFont(12));
    lb_kesair = place<QLabel>(gpb_scjg, kRowLabelX, 54, 206, kRowH);
    edt_kesair = place<QLineEdit>(gpb_scjg, 222, 54, 116, kRowH);
    lb_ra = place<QLabel>(gpb_scjg, kRowLabelX, 88, 206, kRowH);
    edt_ra = place<QLineEdit>(gpb_scjg, 222, 88, 116, kRowH);
    lb_rc = place<QLabel>(gpb_scjg, kRowLabelX, 122, 206, kRowH);
    edt_rc = place<QLineEdit>(gpb_scjg, 222, 122, 116, kRowH);
    for (QLineEdit* e : {edt_kesair, edt_ra, edt_rc}) e->setAlignment(Qt::AlignRight);
    cbt_JingDu = place<QPushButton>(gpb_scjg, 322, 0, 22, 22);
    makeRounded(cbt_JingDu, 6, uiFont(14, true));
    popbox_jingdu = place<QComboBox>(gpb_scjg, 228, 0, 90, 32);

    // Actions and the bottom strip.
    cbt_compute = detail::actionButton(this, detail::kLeftActionX, layout.actionY);
    cbt_View = detail::actionButton(this, detail::kLeftActionX, layout.actionY);
    cbt_YouHua = place<QPushButton>(this, 166, layout.actionY + 6, 20, 20);
    makeRounded(cbt_YouHua, 10, uiFont(14), QColor(0xFF, 0x00, 0x00));
    cbt_tuichu = detail::actionButton(this, detail::kRightActionX, layout.actionY);
    img_Logo = place<QLabel>(this, 1, layout.stripY, 361, 32);
    img_Logo->setPixmap(logoStrip(QSize(361, 32)));
    lb_shuoming = place<QLabel>(this, 1, layout.stripY, 361, 32);
    lb_shuoming->setAlignment(Qt::AlignCenter);
    lb_shuoming->setWordWrap(true);

    connectEvents();
}

void InputScreenView::connectEvents() {
    InputScreen& m = m_model;
    const Dispatch& d = m_dispatch;
    connect(cbt_compute, &QPushButton::clicked, this,
            [&m, d] { d([&m] { m.cbt_computeClick(); }); });
    connect(cbt_View, &QPushButton::clicked, this,
            [this, d] { d([this] { m_window.cbt_ViewClick(); }); });
    connect(cbt_tuichu, &QPushButton::clicked, this,
            [this, d] { d([this] { m_window.cbt_tuichuClick(); }); });
    connect(cbt_YouHua, &QPushButton::clicked, this,
            [this, d] { d([this] { m_window.cbt_YouHuaClick(); }); });
    connect(cbt_CopyRight, &QPushButton::clicked, this,
            [this, d] { d([this] { m_window.cbt_CopyRightClick(); }); });
    connect(cbt_JingDu, &QPushButton::clicked, this, [&m, d] { d([&m] { m.cbt_JingDuClick(); }); });
    connect(popbox_jingdu, &QComboBox::activated, this,
            [&m, d](int i) { d([&m, i] { m.popbox_jingdu.pick(i); }); });

    connect(cbb_jmlx, &QComboBox::activated, this,
            [&m, d](int i) { d([&m, i] { m.cbb_jmlx.setIndex(i); }); });
    connect(cbb_hnt, &QComboBox::activated, this,
            [&m, d](int i) { d([&m, i] { m.cbb_hnt.setIndex(i); }); });
    connect(cbb_czgy, &QComboBox::activated, this,
            [&m, d](int i) { d([&m, i] { m.cbb_czgy.setIndex(i); }); });
    const auto forwardText = [this, d](QComboBox* box, ComboBox& control) {
        connect(box, &QComboBox::editTextChanged, this, [&control, d](const QString& text) {
            d([&control, t = fromQString(text)] { control.setText(t); });
        });
    };
    forwardText(cbe_dd, m.cbe_dd);
    forwardText(cbe_tyzd, m.cbe_tyzd);
    forwardText(cbe_hr, m.cbe_hr);
    connect(edt_frk, &QLineEdit::textEdited, this, [&m, d](const QString& text) {
        d([&m, t = fromQString(text)] { m.edt_frk.setText(t); });
    });
    connect(edt_fuk, &QLineEdit::textEdited, this, [&m, d](const QString& text) {
        d([&m, t = fromQString(text)] { m.edt_fuk.setText(t); });
    });
    // A click on the selected button unticks the widget but changes nothing in the model, so
    // no sync follows: the widget is set back to the model's state after the event.
    const auto forwardRadio = [this, d](QRadioButton* button, RadioButton& control) {
        connect(button, &QRadioButton::clicked, this, [button, &control, d] {
            d([&control] { control.select(); });
            const QSignalBlocker blocker(button);
            button->setChecked(control.checked());
        });
    };
    forwardRadio(rdb_frk, m.rdb_frk);
    forwardRadio(rdb_fuk, m.rdb_fuk);
    connect(ckb_ystj, &QCheckBox::clicked, this,
            [&m, d](bool on) { d([&m, on] { m.ckb_ystj.setChecked(on); }); });
}

void InputScreenView::bindTo(WidgetSync& sync) {
    InputScreen& m = m_model;
    sync.bind(lb_cxm, m.lb_cxm);
    sync.bind(cbt_CopyRight, m.cbt_CopyRight);
    sync.bind(img_Logo, m.img_Logo);
    sync.bind(lb_shuoming, m.lb_shuoming);
    sync.bind(gpb_jzcs, m.gpb_jzcs);
    sync.bind(lb_jmlx, m.lb_jmlx);
    sync.bind(cbb_jmlx, m.cbb_jmlx);
    sync.bind(lb_dd, m.lb_dd);
    sync.bind(cbe_dd, m.cbe_dd);
    sync.bind(lb_tyzd, m.lb_tyzd);
    sync.bind(cbe_tyzd, m.cbe_tyzd);
    sync.bind(lb_hr, m.lb_hr);
    sync.bind(cbe_hr, m.cbe_hr);
    sync.bind(lb_hnt, m.lb_hnt);
    sync.bind(cbb_hnt, m.cbb_hnt);
    sync.bind(lb_czgy, m.lb_czgy);
    sync.bind(cbb_czgy, m.cbb_czgy);
    sync.bind(gpb_jycs, m.gpb_jycs);
    sync.bind(rdb_frk, m.rdb_frk);
    sync.bind(edt_frk, m.edt_frk);
    sync.bind(rdb_fuk, m.rdb_fuk);
    sync.bind(edt_fuk, m.edt_fuk);
    sync.bind(ckb_ystj, m.ckb_ystj);
    sync.bind(lb_frk_ystj, m.lb_frk_ystj);
    sync.bind(gpb_scjg, m.gpb_scjg);
    sync.bind(lb_tiaowen, m.lb_tiaowen);
    sync.bind(lb_kesair, m.lb_kesair);
    sync.bind(edt_kesair, m.edt_kesair);
    sync.bind(lb_ra, m.lb_ra);
    sync.bind(edt_ra, m.edt_ra);
    sync.bind(lb_rc, m.lb_rc);
    sync.bind(edt_rc, m.edt_rc);
    sync.bind(cbt_JingDu, m.cbt_JingDu);
    sync.bind(popbox_jingdu, m.popbox_jingdu);
    sync.bind(cbt_compute, m.cbt_compute);
    sync.bind(cbt_View, m.cbt_View);
    sync.bind(cbt_YouHua, m.cbt_YouHua);
    sync.bind(cbt_tuichu, m.cbt_tuichu);
}

}  // namespace pile
