// TBVK_FRM_WENA1, the formula-one calculator window.
#include "app/qt/calculator_window_view.h"

#include <QCloseEvent>

#include <utility>

namespace pile {

TBVK_FRM_WENA1::TBVK_FRM_WENA1(CalculatorWindow& model, ErrorBox& errors,
                               std::function<void()> closed)
    : GradientWindow(QSize(363, 736), blueToWhite()), m_model(&model), m_errors(errors),
      m_closed(std::move(closed)) {
    setAttribute(Qt::WA_DeleteOnClose);
    setWindowTitle(toQString(CalculatorWindow::kCaption));
    const Dispatch dispatch = [this](const std::function<void()>& handler) { this->dispatch(handler); };
    MainFormLayer = new InputScreenView(model, dispatch, this);
    JieGuo_DocLayer = new BookScreenView(model, dispatch, this);
    m_sync.bind(static_cast<QWidget*>(MainFormLayer), model.MainFormLayer);
    m_sync.bind(static_cast<QWidget*>(JieGuo_DocLayer), model.JieGuo_DocLayer);
    MainFormLayer->bindTo(m_sync);
    JieGuo_DocLayer->bindTo(m_sync);
    syncFromModel();
}

void TBVK_FRM_WENA1::dispatch(const std::function<void()>& handler) {
    if (!m_model) return;
    dispatchEvent(m_errors, handler);
    if (!m_model) return;  // a box shown by the handler let the window close meanwhile
    syncFromModel();
    if (m_model->closeRequested()) close();
}

void TBVK_FRM_WENA1::syncFromModel() {
    if (m_model) m_sync.sync();
}

void TBVK_FRM_WENA1::closeEvent(QCloseEvent* event) {
    // FormClose: release the model; closing discards unsaved books without a question.
    m_sync.clear();
    m_model = nullptr;
    if (m_closed) std::exchange(m_closed, nullptr)();
    event->accept();
}

}  // namespace pile
