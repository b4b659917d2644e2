// The calculator windows, and TBVK_FRM_WENA1, the formula-one calculator window.
#include "app/qt/calculator_window_view.h"

#include <QCloseEvent>
#include <QCoreApplication>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QKeySequence>
#include <QMimeData>
#include <QPushButton>
#include <QShortcut>
#include <QUrl>

#include "app/qt/keyboard.h"
#include "app/qt/screen_widgets.h"
#include "app/qt/user_guide.h"
#include "books/text_file.h"

#include <utility>

namespace pile {

CalculatorWindowView::CalculatorWindowView(const QSize& clientSize, CalculatorWindow& model,
                                           ErrorBox& errors, std::function<void()> closed)
    : GradientWindow(clientSize, blueToWhite()),
      m_model(&model),
      m_errors(errors),
      m_closed(std::move(closed)) {
    setAttribute(Qt::WA_DeleteOnClose);
    setWindowTitle(toQString(model.windowTitle()));
    setAcceptDrops(true);
    // The project keys work on every screen of the window.
    addWindowShortcut(QKeySequence(Qt::CTRL | Qt::Key_S), &CalculatorWindow::saveProjectClick);
    addWindowShortcut(QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_S),
                      &CalculatorWindow::saveProjectAsClick);
    addWindowShortcut(QKeySequence(Qt::CTRL | Qt::Key_O), &CalculatorWindow::openProjectClick);
    auto* help = new QShortcut(QKeySequence(Qt::Key_F1), this);
    help->setContext(Qt::WindowShortcut);
    connect(help, &QShortcut::activated, this, &CalculatorWindowView::openUserGuide);
}

void CalculatorWindowView::openUserGuide() {
    const QString guide = userGuidePath(QCoreApplication::applicationDirPath());
    const std::string url =
        guide.isEmpty() ? std::string() : QUrl::fromLocalFile(guide).toString().toStdString();
    CalculatorWindow* model = m_model;
    if (model) dispatch([model, url] { model->userGuideClick(url); });
}

void CalculatorWindowView::addWindowShortcut(const QKeySequence& keys,
                                             void (CalculatorWindow::*handler)()) {
    auto* s = new QShortcut(keys, this);
    s->setContext(Qt::WindowShortcut);
    connect(s, &QShortcut::activated, this, [this, handler] {
        CalculatorWindow* model = m_model;  // the window's model when the key is pressed
        dispatch([model, handler] { (model->*handler)(); });
    });
}

namespace {

// The local file of a drop: the first URL, when it names one.
QString droppedFile(const QMimeData* data) {
    if (!data || !data->hasUrls() || data->urls().isEmpty()) return {};
    const QUrl url = data->urls().constFirst();
    return url.isLocalFile() ? url.toLocalFile() : QString();
}

}  // namespace

void CalculatorWindowView::dragEnterEvent(QDragEnterEvent* event) {
    if (m_model && !droppedFile(event->mimeData()).isEmpty()) event->acceptProposedAction();
}

void CalculatorWindowView::dropEvent(QDropEvent* event) {
    const QString file = droppedFile(event->mimeData());
    if (file.isEmpty() || !m_openProject) return;
    event->acceptProposedAction();
    // The application may replace this window: nothing of it is touched afterwards.
    m_openProject(pathFromUtf8(file.toStdString()));
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
    if (m_model->closeRequested()) {
        close();
        return;
    }
    if (auto project = m_model->takeProjectToOpen(); project && m_openProject)
        m_openProject(*project);
}

void CalculatorWindowView::syncFromModel() {
    if (!m_model) return;
    m_sync.sync();
    const QString title = toQString(m_model->windowTitle());
    if (windowTitle() != title) setWindowTitle(title);
}

void CalculatorWindowView::setUpKeyboard(std::initializer_list<QWidget*> screens) {
    for (QWidget* screen : screens) orderTabsByPlace(screen);
}

void CalculatorWindowView::closeEvent(QCloseEvent* event) {
    // FormCloseQuery: a book with unsaved piles is let go only when the user says so.
    if (m_model) {
        bool canClose = false;
        if (!dispatchEvent(m_errors, [&] { m_model->FormCloseQuery(canClose); }) || !canClose) {
            syncFromModel();
            event->ignore();
            return;
        }
    }
    // FormClose: release the model.
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
