// The application and the formula chooser.
#include "app/model/application.h"

#include "app/model/formula_one_window.h"
#include "app/model/formula_two_window.h"
#include "app/model/project_file.h"

namespace pile {

ChooserWindow::ChooserWindow(Application& app) : m_app(app) {
    lb_guifanming.setText("重庆桩基规范");
    cbt_Gongshi1.setText("公式一");
    cbt_Gongshi2.setText("公式二");
    cbt_guanbi.setText("退  出");
}

void ChooserWindow::FormCreate() {
    cbt_Gongshi1.setText("不考虑土层摩阻力");
    cbt_Gongshi2.setText("考虑土层摩阻力");
}

void ChooserWindow::cbt_guanbiClick() {
    if (m_app.mayEnd()) m_closeRequested = true;
}

void ChooserWindow::cbt_Gongshi1Click() { m_app.openCalculator(CalculatorKind::FormulaOne); }
void ChooserWindow::cbt_Gongshi2Click() { m_app.openCalculator(CalculatorKind::FormulaTwo); }

Application::Application(Platform& platform) : m_platform(platform) {
    m_formulaOneFactory = [](Platform& p) -> std::unique_ptr<CalculatorWindow> {
        return std::make_unique<FormulaOneWindow>(p);
    };
    m_formulaTwoFactory = [](Platform& p) -> std::unique_ptr<CalculatorWindow> {
        return std::make_unique<FormulaTwoWindow>(p);
    };
    m_chooser = std::make_unique<ChooserWindow>(*this);
    m_chooser->FormCreate();
}

CalculatorWindow* Application::window(CalculatorKind kind) {
    return kind == CalculatorKind::FormulaOne ? m_formulaOne.get() : m_formulaTwo.get();
}

void Application::setWindowFactory(CalculatorKind kind, WindowFactory factory) {
    (kind == CalculatorKind::FormulaOne ? m_formulaOneFactory : m_formulaTwoFactory) =
        std::move(factory);
}

CalculatorWindow* Application::createCalculator(CalculatorKind kind) {
    std::unique_ptr<CalculatorWindow>& ref =
        kind == CalculatorKind::FormulaOne ? m_formulaOne : m_formulaTwo;
    const WindowFactory& factory =
        kind == CalculatorKind::FormulaOne ? m_formulaOneFactory : m_formulaTwoFactory;
    if (ref || !factory) return nullptr;
    ref = factory(m_platform);
    ref->setAboutHandler([this] { showAbout(); });
    return ref.get();
}

void Application::announce(CalculatorKind kind) {
    if (CalculatorWindow* opened = window(kind); opened && onCalculatorOpened)
        onCalculatorOpened(kind, *opened);
}

CalculatorWindow* Application::openCalculator(CalculatorKind kind) {
    CalculatorWindow* created = createCalculator(kind);
    if (created) announce(kind);
    return created;
}

CalculatorWindow* Application::openProject(const std::filesystem::path& path) {
    auto read = readProjectFile(path);
    if (const auto* problem = std::get_if<ProjectProblem>(&read)) {
        const std::u8string name = path.filename().u8string();
        m_platform.errors.showError("项目文件“" + std::string(name.begin(), name.end()) +
                                    "”不能打开：" + problem->chineseText());
        return nullptr;
    }
    const TypedState& state = std::get<TypedState>(read);
    const CalculatorKind kind =
        state.formula == 2 ? CalculatorKind::FormulaTwo : CalculatorKind::FormulaOne;
    if (CalculatorWindow* open = window(kind)) {
        if (!open->mayLetBookGo()) return nullptr;
        open->requestClose();
        if (onCalculatorClosing) onCalculatorClosing(kind);
        calculatorClosed(kind);  // when the view had none to close
    }
    CalculatorWindow* created = createCalculator(kind);
    if (!created) return nullptr;
    typeState(*created, state);
    created->setProject(path, projectText(typedStateOf(*created)));
    announce(kind);
    return created;
}

bool Application::mayEnd() {
    for (CalculatorWindow* open : {m_formulaOne.get(), m_formulaTwo.get()})
        if (open && !open->mayLetBookGo()) return false;
    for (CalculatorWindow* open : {m_formulaOne.get(), m_formulaTwo.get()})
        if (open) open->requestClose();
    return true;
}

void Application::calculatorClosed(CalculatorKind kind) {
    (kind == CalculatorKind::FormulaOne ? m_formulaOne : m_formulaTwo).reset();
}

void Application::chooserClosed() { m_chooser.reset(); }

AboutBox& Application::showAbout() {
    if (!m_about) m_about = std::make_unique<AboutBox>(m_platform.urls);
    m_about->show();
    if (onAboutShown) onAboutShown(*m_about);
    return *m_about;
}

}  // namespace pile
