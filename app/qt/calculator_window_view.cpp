// The calculator windows, and TBVK_FRM_WENA1, the formula-one calculator window.
#include "app/qt/calculator_window_view.h"

#include <QCloseEvent>
#include <QPushButton>

#include "app/qt/keyboard.h"
#include "app/qt/screen_widgets.h"

#include <utility>

namespace pile {

CalculatorWindowView::CalculatorWindowView(const QSize& clientSize, CalculatorWindow& model,
                                           ErrorBox& errors, std::function<void()> closed)
    : GradientWindow(clientSize, blueToWhite()),
      m_model(&model),
      m_errors(errors),
      m_closed(std::move(closed)) {
    setAttribute(Qt::WA_DeleteOnClose);
    setWindowTitle(toQString(CalculatorWindow::kCaption));
}

Dispatch CalculatorWindowView::dispatcher() {
    return [this](const std::function<void()>& handler) { dispatch(handler); };
}

void CalculatorWindowView::dispatch(const std::function<void()>& handler) {
    if (!m_model) return;
    FocusKeeper focus(this);
    dispatchEvent(m_errors, handler);
    if (!m_model) return;  // a box shown by the handler let the window close meanwhile
    syncFromModel();
    focus.restore();
    if (m_model->closeRequested()) close();
}

void CalculatorWindowView::syncFromModel() {
    if (m_model) m_sync.sync();
}

void CalculatorWindowView::setUpKeyboard(std::initializer_list<QWidget*> screens) {
    for (QWidget* screen : screens) orderTabsByPlace(screen);
}

void CalculatorWindowView::closeEvent(QCloseEvent* event) {
    // FormClose: release the model; closing discards unsaved books without a question.
    m_sync.clear();
    m_model = nullptr;
    if (m_closed) std::exchange(m_closed, nullptr)();
    event->accept();
}

TBVK_FRM_WENA1::TBVK_FRM_WENA1(CalculatorWindow& model, ErrorBox& errors,
                               std::function<void()> closed)
    : CalculatorWindowView(QSize(detail::kWindowWidth, detail::kFormulaOneHeight), model, errors,
                           std::move(closed)) {
    MainFormLayer = new InputScreenView(model, dispatcher(), this);
    JieGuo_DocLayer = new BookScreenView(model, dispatcher(), this);
    YouHuaFormLayer = new OptimisationScreenView(model, dispatcher(), this);
    WidgetSync& sync = widgetSync();
    sync.bind(static_cast<QWidget*>(MainFormLayer), model.MainFormLayer);
    sync.bind(static_cast<QWidget*>(JieGuo_DocLayer), model.JieGuo_DocLayer);
    sync.bind(static_cast<QWidget*>(YouHuaFormLayer), model.YouHuaFormLayer);
    MainFormLayer->bindTo(sync);
    JieGuo_DocLayer->bindTo(sync);
    YouHuaFormLayer->bindTo(sync);
    setUpKeyboard({MainFormLayer, JieGuo_DocLayer, YouHuaFormLayer});
    pressOnEnter(MainFormLayer, MainFormLayer->cbt_compute);
    syncFromModel();
}

}  // namespace pile
