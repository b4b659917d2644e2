// TBVK_FRM_WENA0, the formula chooser.
#include "app/qt/chooser_window.h"

#include <QCloseEvent>
#include <QLabel>
#include <QPushButton>

#include <utility>

namespace pile {

TBVK_FRM_WENA0::TBVK_FRM_WENA0(ChooserWindow& model, ErrorBox& errors, std::function<void()> closed)
    : GradientWindow(QSize(230, 370), blueToWhite()),
      m_model(&model),
      m_errors(errors),
      m_closed(std::move(closed)) {
    setWindowTitle(toQString(ChooserWindow::kCaption));

    lb_guifanming = new QLabel(this);
    lb_guifanming->setGeometry(0, 0, 230, 70);
    lb_guifanming->setFont(uiFont(24, true));
    lb_guifanming->setAlignment(Qt::AlignCenter);
    lb_guifanming->setStyleSheet(QStringLiteral("color: white;"));

    const auto button = [this](int y, int pixelSize, const QColor& colour) {
        auto* b = new QPushButton(this);
        b->setGeometry(35, y, 160, 80);
        makeRounded(b, 30, uiFont(pixelSize, true), colour);
        return b;
    };
    cbt_Gongshi1 = button(70, 18, QColor(0x00, 0x64, 0x00));
    cbt_Gongshi2 = button(165, 18, QColor(0x00, 0x00, 0xFF));
    cbt_guanbi = button(260, 20, QColor());

    connect(cbt_Gongshi1, &QPushButton::clicked, this,
            [this] { dispatch([this] { m_model->cbt_Gongshi1Click(); }); });
    connect(cbt_Gongshi2, &QPushButton::clicked, this,
            [this] { dispatch([this] { m_model->cbt_Gongshi2Click(); }); });
    connect(cbt_guanbi, &QPushButton::clicked, this,
            [this] { dispatch([this] { m_model->cbt_guanbiClick(); }); });

    m_sync.bind(lb_guifanming, model.lb_guifanming);
    m_sync.bind(cbt_Gongshi1, model.cbt_Gongshi1);
    m_sync.bind(cbt_Gongshi2, model.cbt_Gongshi2);
    m_sync.bind(cbt_guanbi, model.cbt_guanbi);
    m_sync.sync();
}

void TBVK_FRM_WENA0::dispatch(const std::function<void()>& handler) {
    if (!m_model) return;
    dispatchEvent(m_errors, handler);
    if (!m_model) return;
    m_sync.sync();
    if (m_model->closeRequested()) close();
}

void TBVK_FRM_WENA0::closeEvent(QCloseEvent* event) {
    m_sync.clear();
    m_model = nullptr;
    if (m_closed) std::exchange(m_closed, nullptr)();
    event->accept();
}

}  // namespace pile
