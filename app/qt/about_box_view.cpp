// TBVK_HAP_FRM_CopyRight, the About box.
#include "app/qt/about_box_view.h"

#include <QApplication>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPushButton>

namespace pile {

LinkLabel::LinkLabel(QWidget* parent) : QLabel(parent) {
    setMouseTracking(true);
    setCursor(Qt::PointingHandCursor);
}

void LinkLabel::mouseReleaseEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton && rect().contains(event->position().toPoint()) &&
        clicked)
        clicked();
}

void LinkLabel::mouseMoveEvent(QMouseEvent* /*event*/) {
    if (moved) moved();
}

void LinkLabel::leaveEvent(QEvent* /*event*/) {
    if (left) left();
}

namespace {

QGradientStops salmonToPink() {
    const QColor salmon(0xF4, 0x8D, 0x72);
    const QColor palePink(0xFE, 0xE9, 0xE9);
    return {{0.0, salmon}, {0.52, palePink}, {1.0, palePink}};
}

template <class L>
L* label(QWidget* parent, int x, int y, int w, int h, int pixelSize, bool bold = false) {
    auto* l = new L(parent);
    l->setGeometry(x, y, w, h);
    l->setFont(uiFont(pixelSize, bold));
    return l;
}

}  // namespace

TBVK_HAP_FRM_CopyRight::TBVK_HAP_FRM_CopyRight(AboutBox& model, ErrorBox& errors)
    : GradientWindow(QSize(260, 330), salmonToPink()), m_model(model), m_errors(errors) {
    setWindowTitle(toQString(AboutBox::kCaption));

    lb_mokuaiming = label<QLabel>(this, 0, 16, 265, 33, 18, true);
    lb_mokuaiming->setAlignment(Qt::AlignCenter);
    lb_mokuaiming->setStyleSheet(QStringLiteral("color: #0000FF;"));
    lb_fubiaoti = label<QLabel>(this, 0, 48, 265, 17, 14);
    lb_fubiaoti->setAlignment(Qt::AlignCenter);
    lB_copyright = label<QLabel>(this, 32, 72, 217, 25, 12);
    lb_sheji = label<QLabel>(this, 32, 104, 100, 25, 12);
    lb_zhucheshi1 = label<QLabel>(this, 122, 96, 128, 25, 10);
    lb_zhuceshi2 = label<QLabel>(this, 122, 112, 128, 25, 10);
    lb_danwei = label<LinkLabel>(this, 32, 128, 218, 25, 10);
    lb_danwei->setAlignment(Qt::AlignCenter);
    lb_wangzhilb = label<QLabel>(this, 32, 152, 50, 25, 12);
    lb_wangzhi = label<LinkLabel>(this, 70, 152, 146, 25, 12);
    lb_lianxi = label<QLabel>(this, 32, 176, 50, 25, 12);
    lb_lianxiUr = label<LinkLabel>(this, 70, 176, 146, 25, 12);
    cbt_update = new QPushButton(this);
    cbt_update->setGeometry(216, 156, 20, 40);
    makeRounded(cbt_update, 5, uiFont(10));
    ImageQQ = label<QLabel>(this, 72, 212, 100, 100, 10);
    ImageQQ->setPixmap(contactPicture(QSize(100, 100)));
    lb_banben = label<QLabel>(this, 0, 312, 260, 16, 10);
    lb_banben->setAlignment(Qt::AlignCenter);

    AboutBox& m = m_model;
    const auto d = [this](const std::function<void()>& h) { dispatch(h); };
    lb_wangzhi->clicked = [&m, d] { d([&m] { m.lb_wangzhiClick(); }); };
    lb_wangzhi->moved = [&m, d] { d([&m] { m.lb_wangzhiMouseMove(); }); };
    lb_wangzhi->left = [&m, d] { d([&m] { m.lb_wangzhiMouseLeave(); }); };
    lb_lianxiUr->clicked = [&m, d] { d([&m] { m.lb_lianxiUrClick(); }); };
    lb_lianxiUr->moved = [&m, d] { d([&m] { m.lb_lianxiUrMouseMove(); }); };
    lb_lianxiUr->left = [&m, d] { d([&m] { m.lb_lianxiUrMouseLeave(); }); };
    lb_danwei->clicked = [&m, d] { d([&m] { m.lb_danweiClick(); }); };
    lb_danwei->moved = [&m, d] { d([&m] { m.lb_danweiMouseMove(); }); };
    lb_danwei->left = [&m, d] { d([&m] { m.lb_danweiMouseLeave(); }); };
    connect(cbt_update, &QPushButton::clicked, this, [&m, d] { d([&m] { m.cbt_updateClick(); }); });

    m_sync.bind(lb_mokuaiming, m.lb_mokuaiming);
    m_sync.bind(lb_fubiaoti, m.lb_fubiaoti);
    m_sync.bind(lB_copyright, m.lB_copyright);
    m_sync.bind(lb_sheji, m.lb_sheji);
    m_sync.bind(lb_zhucheshi1, m.lb_zhucheshi1);
    m_sync.bind(lb_zhuceshi2, m.lb_zhuceshi2);
    m_sync.bind(lb_danwei, m.lb_danwei);
    m_sync.bind(lb_wangzhilb, m.lb_wangzhilb);
    m_sync.bind(lb_wangzhi, m.lb_wangzhi);
    m_sync.bind(lb_lianxi, m.lb_lianxi);
    m_sync.bind(lb_lianxiUr, m.lb_lianxiUr);
    m_sync.bind(static_cast<QWidget*>(cbt_update), m.cbt_update);
    m_sync.bind(static_cast<QWidget*>(ImageQQ), m.ImageQQ);
    m_sync.bind(lb_banben, m.lb_banben);
    // The two characters stand one above the other.
    cbt_update->setText(
        toQString(m.cbt_update.text()).split(QString(), Qt::SkipEmptyParts).join(u'\n'));

    qApp->installEventFilter(this);
    m_sync.sync();
}

void TBVK_HAP_FRM_CopyRight::dispatch(const std::function<void()>& handler) {
    dispatchEvent(m_errors, handler);
    syncFromModel();
}

void TBVK_HAP_FRM_CopyRight::syncFromModel() {
    m_sync.sync();
    if (m_model.form.visible() && !isVisible()) {
        placeOnScreen();
        show();
        raise();
        activateWindow();  // Esc reaches it
    } else if (!m_model.form.visible() && isVisible()) {
        hide();
    }
}

// A press in another window of the application hides the box, and so does Esc in the box.
bool TBVK_HAP_FRM_CopyRight::eventFilter(QObject* watched, QEvent* event) {
    if (!isVisible() || !watched->isWidgetType()) return QWidget::eventFilter(watched, event);
    const QWidget* target = static_cast<QWidget*>(watched);
    if (event->type() == QEvent::MouseButtonPress && target->window() != this) {
        dispatch([this] { m_model.hide(); });
    } else if (event->type() == QEvent::KeyPress && target->window() == this &&
               static_cast<QKeyEvent*>(event)->key() == Qt::Key_Escape) {
        dispatch([this] { m_model.hide(); });
        return true;
    }
    return QWidget::eventFilter(watched, event);
}

}  // namespace pile
