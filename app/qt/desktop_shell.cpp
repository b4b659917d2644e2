// The desktop application.
#include "app/qt/desktop_shell.h"

#include <QApplication>
#include <QCoreApplication>
#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>

#include "app/qt/theme.h"

namespace pile {

void configureApplication() {
    QApplication::setApplicationName(QStringLiteral("rockpile"));
    QApplication::setWindowIcon(applicationIcon());
    // The chooser ends the application, whatever other windows are open.
    QApplication::setQuitOnLastWindowClosed(false);

    // Qt's own texts (the buttons of the message boxes, the edit menus) in Chinese, as every
    // other text of the program. Without the translation files they stay in English.
    auto* translator = new QTranslator(qApp);
    if (translator->load(QLocale(QLocale::Chinese, QLocale::China), QStringLiteral("qtbase"),
                         QStringLiteral("_"), QLibraryInfo::path(QLibraryInfo::TranslationsPath))) {
        QCoreApplication::installTranslator(translator);
    } else {
        delete translator;
    }
}

DesktopShell::DesktopShell(Platform& platform) : m_platform(platform), m_app(platform) {
    m_app.onCalculatorOpened = [this](CalculatorKind kind, CalculatorWindow& model) {
        calculatorOpened(kind, model);
    };
    m_app.onAboutShown = [this](AboutBox& model) { aboutShown(model); };
    m_app.onCalculatorClosing = [this](CalculatorKind kind) { calculatorClosing(kind); };
    QCoreApplication::instance()->installEventFilter(&m_clickGuard);
    m_chooser = new TBVK_FRM_WENA0(*m_app.BVK_FRM_WENA0(), m_platform.errors, [this] {
        m_app.chooserClosed();
        QCoreApplication::quit();
    });
    m_chooser->setAttribute(Qt::WA_DeleteOnClose);
}

DesktopShell::~DesktopShell() {
    // The windows go before the models they show.
    delete m_formulaOne.data();
    delete m_formulaTwo.data();
    delete m_about.data();
    delete m_chooser.data();
}

void DesktopShell::start() {
    m_chooser->placeOnScreen();
    m_chooser->show();
}

void DesktopShell::openProject(const std::filesystem::path& path) {
    dispatchEvent(m_platform.errors, [&] { m_app.openProject(path); });
}

void DesktopShell::calculatorClosing(CalculatorKind kind) {
    CalculatorWindowView* window = kind == CalculatorKind::FormulaOne
                                       ? static_cast<CalculatorWindowView*>(m_formulaOne.data())
                                       : static_cast<CalculatorWindowView*>(m_formulaTwo.data());
    // Its FormClose releases the model; the widget goes when the event loop next runs.
    if (window) window->close();
}

void DesktopShell::calculatorOpened(CalculatorKind kind, CalculatorWindow& model) {
    auto closed = [this, kind] { m_app.calculatorClosed(kind); };
    CalculatorWindowView* window = nullptr;
    if (kind == CalculatorKind::FormulaOne) {
        m_formulaOne = new TBVK_FRM_WENA1(model, m_platform.errors, std::move(closed));
        window = m_formulaOne;
    } else if (auto* formulaTwo = dynamic_cast<FormulaTwoWindow*>(&model)) {
        m_formulaTwo = new TBVK_FRM_WENA2(*formulaTwo, m_platform.errors, std::move(closed));
        window = m_formulaTwo;
    } else {
        return;  // a formula-two kind without the formula-two model has no view
    }
    window->setProjectOpener([this](const std::filesystem::path& path) { openProject(path); });
    window->placeOnScreen();
    window->show();
    // In front of the chooser that opened it, and taking the keys.
    window->raise();
    window->activateWindow();
}

void DesktopShell::aboutShown(AboutBox& model) {
    if (!m_about) m_about = new TBVK_HAP_FRM_CopyRight(model, m_platform.errors);
    m_about->syncFromModel();
}

}  // namespace pile
