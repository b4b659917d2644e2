// The widgets of the negative-skin-friction screen.
#include "app/qt/negative_friction_screen_view.h"

#include <QAction>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

#include "app/qt/screen_widgets.h"
#include "app/qt/soil_drawing_dialog.h"
#include "app/qt/soil_screen_view.h"
#include "books/formula_two_book.h"
#include "soil/drag_load.h"

namespace pile {

NegativeFrictionScreenView::NegativeFrictionScreenView(FormulaTwoWindow& window, Dispatch dispatch,
                                                       QWidget* parent)
    : QWidget(parent),
      m_window(window),
      m_model(window.dragScreen()),
      m_dispatch(std::move(dispatch)) {
    setGeometry(0, 0, detail::kWindowWidth, detail::kFormulaTwoHeight);
    // Five rows of table 5.4.3 without scrolling; its note has six lines.
    const detail::SoilScreenFrame f = detail::buildSoilScreenFrame(
        this, m_model.Grid1_Fumozhulijisuan, m_model.Grid2_Fumozhulixishubiao, m_dispatch,
        {.inputRows = 4, .tableHeight = 5 * 22 + 2, .noteHeight = 100});
    lb_Fmzlbiaoti = f.title;
    gpb_Fmzlshuru = f.inputs;
    Grid1_Fumozhulijisuan = f.layers;
    lb_FQgn = f.result;
    lb_FMZxinxi = f.message;
    cbt_fmzlzhankai = f.expand;
    gpb_Fmzlcankao = f.reference;
    lb_fmzlxsbiao = f.caption;
    Grid2_Fumozhulixishubiao = f.table;
    lb_fmzlxssm = f.note;
    cbt_Fmzlfanhui = f.back;
    cbt_FmzlComputer = f.compute;

    using detail::soilInputField;
    using detail::soilInputLabel;
    lb_Junbuhezai = soilInputLabel(gpb_Fmzlshuru, 0);
    const QRect load = detail::soilInputFieldRect(0);
    cbe_Junbuhezai =
        detail::editableCombo(gpb_Fmzlshuru, load.x(), load.y(), load.width(), load.height());
    lb_Dimianbiaogao = soilInputLabel(gpb_Fmzlshuru, 1);
    edt_Dimianbiaogao = soilInputField<QLineEdit>(gpb_Fmzlshuru, 1);
    lb_Zhuangdingbiaogao = soilInputLabel(gpb_Fmzlshuru, 2);
    edt_Zhuangdingbiaogao = soilInputField<QLineEdit>(gpb_Fmzlshuru, 2);
    lb_Tuchengshu = soilInputLabel(gpb_Fmzlshuru, 3);
    cbb_Tuchengshu = soilInputField<QComboBox>(gpb_Fmzlshuru, 3);
    cbb_Tuchengshu->setMaxVisibleItems(20);

    Grid1_Fumozhulijisuan->setBarColumn(drag_col::kShareBar);

    // In the free corner left of Back, as tall as it.
    cbt_Fmzljiantu = new QPushButton(QStringLiteral("简图"), this);
    cbt_Fmzljiantu->setGeometry(4, cbt_Fmzlfanhui->y(), 46, cbt_Fmzlfanhui->height());
    makeRounded(cbt_Fmzljiantu, 10, uiFont(11, true));
    cbt_Fmzljiantu->setToolTip(QStringLiteral("桩身与土层及负摩阻力分布简图 (Ctrl+G)"));
    showDrawing = new QAction(QStringLiteral("桩身与土层简图…"), this);
    showDrawing->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_G));
    showDrawing->setShortcutContext(Qt::WidgetWithChildrenShortcut);
    addAction(showDrawing);
    setContextMenuPolicy(Qt::ActionsContextMenu);
    connectEvents();
}

SoilDrawingDialog* NegativeFrictionScreenView::openDrawing() {
    if (!m_drawing) m_drawing = new SoilDrawingDialog(m_dispatch, this);
    // The layers as typed now, computed as the screen's Compute does; the socket as the input
    // screen has it.
    const DragLoadResult result = ComputeDragLoad(m_model.input());
    BookSoilFigure figure;
    if (result.inputError.empty())
        figure = soilFigure(result, 0, m_window.inputScreen().cbe_hr.text());
    m_drawing->setFigure(figure);
    m_drawing->setMessage(QString::fromStdString(result.inputError));
    m_drawing->show();
    m_drawing->raise();
    m_drawing->activateWindow();
    return m_drawing;
}

void NegativeFrictionScreenView::connectEvents() {
    NegativeFrictionScreen& m = m_model;
    const Dispatch& d = m_dispatch;
    connect(cbe_Junbuhezai, &QComboBox::editTextChanged, this, [&m, d](const QString& text) {
        d([&m, t = fromQString(text)] { m.cbe_Junbuhezai.setText(t); });
    });
    connect(edt_Dimianbiaogao, &QLineEdit::textEdited, this, [&m, d](const QString& text) {
        d([&m, t = fromQString(text)] { m.edt_Dimianbiaogao.setText(t); });
    });
    connect(edt_Zhuangdingbiaogao, &QLineEdit::textEdited, this, [&m, d](const QString& text) {
        d([&m, t = fromQString(text)] { m.edt_Zhuangdingbiaogao.setText(t); });
    });
    connect(cbb_Tuchengshu, &QComboBox::activated, this,
            [&m, d](int i) { d([&m, i] { m.cbb_Tuchengshu.setIndex(i); }); });
    connect(cbt_fmzlzhankai, &QPushButton::clicked, this,
            [&m, d] { d([&m] { m.cbt_fmzlzhankaiClick(); }); });
    connect(cbt_FmzlComputer, &QPushButton::clicked, this,
            [&m, d] { d([&m] { m.cbt_FmzlComputerClick(); }); });
    connect(cbt_Fmzlfanhui, &QPushButton::clicked, this,
            [this, d] { d([this] { m_window.cbt_FmzlfanhuiClick(); }); });
    connect(cbt_Fmzljiantu, &QPushButton::clicked, this, [this] { openDrawing(); });
    connect(showDrawing, &QAction::triggered, this, [this] { openDrawing(); });
}

void NegativeFrictionScreenView::bindTo(WidgetSync& sync) {
    NegativeFrictionScreen& m = m_model;
    sync.bind(lb_Fmzlbiaoti, m.lb_Fmzlbiaoti);
    sync.bind(gpb_Fmzlshuru, m.gpb_Fmzlshuru);
    sync.bind(lb_Junbuhezai, m.lb_Junbuhezai);
    sync.bind(cbe_Junbuhezai, m.cbe_Junbuhezai);
    sync.bind(lb_Dimianbiaogao, m.lb_Dimianbiaogao);
    sync.bind(edt_Dimianbiaogao, m.edt_Dimianbiaogao);
    sync.bind(lb_Zhuangdingbiaogao, m.lb_Zhuangdingbiaogao);
    sync.bind(edt_Zhuangdingbiaogao, m.edt_Zhuangdingbiaogao);
    sync.bind(lb_Tuchengshu, m.lb_Tuchengshu);
    sync.bind(cbb_Tuchengshu, m.cbb_Tuchengshu);
    sync.bind(Grid1_Fumozhulijisuan, m.Grid1_Fumozhulijisuan);
    sync.bind(lb_FQgn, m.lb_FQgn);
    sync.bind(lb_FMZxinxi, m.lb_FMZxinxi);
    sync.bind(cbt_fmzlzhankai, m.cbt_fmzlzhankai);
    sync.bind(gpb_Fmzlcankao, m.gpb_Fmzlcankao);
    sync.bind(lb_fmzlxsbiao, m.lb_fmzlxsbiao);
    sync.bind(Grid2_Fumozhulixishubiao, m.Grid2_Fumozhulixishubiao);
    sync.bind(lb_fmzlxssm, m.lb_fmzlxssm);
    sync.bind(cbt_Fmzlfanhui, m.cbt_Fmzlfanhui);
    sync.bind(cbt_FmzlComputer, m.cbt_FmzlComputer);
}

}  // namespace pile
