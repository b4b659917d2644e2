// The calculator windows: their screens as pages of one fixed-size window. Every user event
// goes through dispatch(): the model's handler runs (an error it does not handle is shown in the
// error box), then every widget is brought up to date from the model, and the window closes if
// the handler asked for it.
//
// CalculatorWindowView holds what both windows share; TBVK_FRM_WENA1 is the formula-one window,
// TBVK_FRM_WENA2 (formula_two_window_view.h) the formula-two window.
#pragma once

#include <filesystem>
#include <functional>

#include <QKeySequence>
#include <initializer_list>

#include "app/model/calculator_window.h"
#include "app/model/platform.h"
#include "app/qt/book_screen_view.h"
#include "app/qt/input_screen_view.h"
#include "app/qt/optimisation_screen_view.h"
#include "app/qt/theme.h"
#include "app/qt/widget_sync.h"

namespace pile {

class CalculatorWindowView : public GradientWindow {
  public:
    void dispatch(const std::function<void()>& handler);
    void syncFromModel();
    // What opens a project file: Ctrl+O, a file dropped on the window (the application may
    // replace this window or open the other calculator).
    void setProjectOpener(std::function<void(const std::filesystem::path&)> opener) {
        m_openProject = std::move(opener);
    }

  protected:
    // `closed` runs when the window has closed (FormClose); the model is released there and
    // the window no longer touches it.
    CalculatorWindowView(const QSize& clientSize, CalculatorWindow& model, ErrorBox& errors,
                         std::function<void()> closed);

    void closeEvent(QCloseEvent* event) override;
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dropEvent(QDropEvent* event) override;

    // The Tab order of each screen, top to bottom.
    void setUpKeyboard(std::initializer_list<QWidget*> screens);

    // What the screen views forward their events through.
    Dispatch dispatcher();
    WidgetSync& widgetSync() { return m_sync; }

  private:
    // A key of the whole window (every screen) that runs `handler` of the model.
    void addWindowShortcut(const QKeySequence& keys, void (CalculatorWindow::*handler)());
    // F1: the user guide, through the desktop's URL service; a message when it is missing.
    void openUserGuide();

    CalculatorWindow* m_model;
    ErrorBox& m_errors;
    std::function<void()> m_closed;
    std::function<void(const std::filesystem::path&)> m_openProject;
    WidgetSync m_sync;
};

class TBVK_FRM_WENA1 : public CalculatorWindowView {
  public:
    TBVK_FRM_WENA1(CalculatorWindow& model, ErrorBox& errors, std::function<void()> closed);

    InputScreenView* MainFormLayer;
    BookScreenView* JieGuo_DocLayer;
    OptimisationScreenView* YouHuaFormLayer;
};

}  // namespace pile
