// The application: the formula chooser, its window references and the rule that at most one
// calculator window of each kind exists.
//
// The application holds one reference per window kind (BVK_FRM_WENA0 the chooser,
// BVK_FRM_WENA1 and BVK_FRM_WENA2 the calculators, BVK_HAP_FRM_CopyRight the About box), each
// empty or owning one live window model. A calculator window's model is released when the
// window closes; the About box lives until the application ends. The view is told of every
// window it has to show through the callbacks below.
#pragma once

#include <filesystem>
#include <functional>
#include <memory>

#include "app/model/about_box.h"
#include "app/model/calculator_window.h"
#include "app/model/controls.h"
#include "app/model/platform.h"

namespace pile {

enum class CalculatorKind { FormulaOne = 1, FormulaTwo = 2 };

class Application;

// The formula chooser, the application's main window.
class ChooserWindow {
  public:
    static constexpr const char* kCaption = "嵌岩桩承载力计算 (DBJ50-200-2014)";

    explicit ChooserWindow(Application& app);
    ChooserWindow(const ChooserWindow&) = delete;
    ChooserWindow& operator=(const ChooserWindow&) = delete;

    Label lb_guifanming;
    Button cbt_Gongshi1;
    Button cbt_Gongshi2;
    Button cbt_guanbi;

    void FormCreate();
    // Open the calculator of the kind unless one is open; a second click changes nothing.
    void cbt_Gongshi1Click();
    void cbt_Gongshi2Click();
    // Closes the chooser, which ends the application (closeRequested()) with every calculator
    // window, once each window whose book holds unsaved piles has let its book go.
    void cbt_guanbiClick();

    bool closeRequested() const { return m_closeRequested; }

  private:
    Application& m_app;
    bool m_closeRequested = false;
};

class Application {
  public:
    using WindowFactory = std::function<std::unique_ptr<CalculatorWindow>(Platform&)>;

    // Start-up: creates the chooser (its FormCreate included). Nothing else is created.
    explicit Application(Platform& platform);
    Application(const Application&) = delete;
    Application& operator=(const Application&) = delete;

    ChooserWindow* BVK_FRM_WENA0() { return m_chooser.get(); }
    CalculatorWindow* BVK_FRM_WENA1() { return m_formulaOne.get(); }
    CalculatorWindow* BVK_FRM_WENA2() { return m_formulaTwo.get(); }
    AboutBox* BVK_HAP_FRM_CopyRight() { return m_about.get(); }
    CalculatorWindow* window(CalculatorKind kind);

    // How a window of a kind is made. Both kinds have their factory from the start; tests
    // may replace one, and a kind without a factory cannot be opened.
    void setWindowFactory(CalculatorKind kind, WindowFactory factory);

    // Creates, stores and announces a calculator window unless one of the kind exists.
    // Returns the new window, or nullptr when nothing happened.
    CalculatorWindow* openCalculator(CalculatorKind kind);
    // FormClose of a calculator window: clears its reference and releases it with all its
    // state. The window model must not be used after this call.
    void calculatorClosed(CalculatorKind kind);
    // FormClose of the chooser: clears its reference. The application ends.
    void chooserClosed();
    // The About box: created on the first request, shown on every request.
    AboutBox& showAbout();

    // Opens a project file in a new window of its formula, typed as a user would type it, with
    // empty books. A file that is not a project is refused in the error box and nothing
    // changes. An open window of that formula gives way (after the question about its book,
    // where 取消 keeps it and opens nothing). Returns the window, or nullptr.
    CalculatorWindow* openProject(const std::filesystem::path& path);
    // Before the chooser ends the application: every calculator window lets its book go.
    bool mayEnd();

    // The view's part: show a newly created window.
    std::function<void(CalculatorKind, CalculatorWindow&)> onCalculatorOpened;
    std::function<void(AboutBox&)> onAboutShown;
    // The view's part: close the window of a kind (its FormClose then calls calculatorClosed).
    std::function<void(CalculatorKind)> onCalculatorClosing;

  private:
    // Creates and stores a window of the kind, not yet announced to the view.
    CalculatorWindow* createCalculator(CalculatorKind kind);
    void announce(CalculatorKind kind);

    Platform& m_platform;
    std::unique_ptr<ChooserWindow> m_chooser;
    std::unique_ptr<CalculatorWindow> m_formulaOne;
    std::unique_ptr<CalculatorWindow> m_formulaTwo;
    std::unique_ptr<AboutBox> m_about;
    WindowFactory m_formulaOneFactory;
    WindowFactory m_formulaTwoFactory;
};

}  // namespace pile
