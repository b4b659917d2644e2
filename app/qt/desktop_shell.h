// The desktop application: the application model and the windows that show it. Start-up
// creates the chooser; the chooser's buttons open the calculator windows; closing the chooser
// ends the event loop.
#pragma once

#include <QPointer>

#include <filesystem>

#include "app/model/application.h"
#include "app/model/platform.h"
#include "app/qt/about_box_view.h"
#include "app/qt/calculator_window_view.h"
#include "app/qt/chooser_window.h"
#include "app/qt/click_guard.h"
#include "app/qt/formula_two_window_view.h"

namespace pile {

// The application-wide settings of rockpile: its name and icon, and that closing the last
// window does not end it (the chooser does). No display name is set: the platform would append
// it to every caption ("关于" would read "关于 — ...").
void configureApplication();

class DesktopShell {
  public:
    explicit DesktopShell(Platform& platform);
    ~DesktopShell();
    DesktopShell(const DesktopShell&) = delete;
    DesktopShell& operator=(const DesktopShell&) = delete;

    // Shows the chooser, centred on the screen.
    void start();
    // Opens a project file in the calculator of its formula (rockpile FILE, Ctrl+O, a drop).
    void openProject(const std::filesystem::path& path);

    Application& application() { return m_app; }
    TBVK_FRM_WENA0* chooser() { return m_chooser; }
    TBVK_FRM_WENA1* formulaOneWindow() { return m_formulaOne; }
    TBVK_FRM_WENA2* formulaTwoWindow() { return m_formulaTwo; }
    TBVK_HAP_FRM_CopyRight* aboutBox() { return m_about; }

  private:
    void calculatorOpened(CalculatorKind kind, CalculatorWindow& model);
    void aboutShown(AboutBox& model);
    void calculatorClosing(CalculatorKind kind);

    Platform& m_platform;
    Application m_app;
    // Watches every click of the application from construction to destruction.
    ClickGuard m_clickGuard;
    QPointer<TBVK_FRM_WENA0> m_chooser;
    QPointer<TBVK_FRM_WENA1> m_formulaOne;
    QPointer<TBVK_FRM_WENA2> m_formulaTwo;
    QPointer<TBVK_HAP_FRM_CopyRight> m_about;
};

}  // namespace pile
