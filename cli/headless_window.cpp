// A calculator window driven without a screen.
#include "cli/headless_window.h"

#include <ctime>
#include <filesystem>
#include <stdexcept>

#include "app/model/formula_one_window.h"
#include "core/sections.h"

namespace pile::cli {

std::string localTimeText() {
    const std::time_t now = std::time(nullptr);
    std::tm local{};
#ifdef _WIN32
    localtime_s(&local, &now);
#else
    localtime_r(&now, &local);
#endif
    char text[32];
    const size_t len = std::strftime(text, sizeof text, "%Y-%m-%d %H:%M:%S", &local);
    return std::string(text, len);
}

namespace {

class TimeSource : public Clock {
  public:
    explicit TimeSource(std::optional<std::string> fixed) : m_fixed(std::move(fixed)) {}
    std::string timeText() const override { return m_fixed ? *m_fixed : localTimeText(); }

  private:
    std::optional<std::string> m_fixed;
};

// pilecalc saves with --out, never through the window's Save button; the folder is only
// there because a window needs one.
class NoDocuments : public DocumentsFolder {
  public:
    std::filesystem::path documentsPath() const override { return {}; }
};

// The window's message and error boxes are not reached by typing and computing; should one
// be, the command fails loudly rather than carry on past a question nobody answered.
class NoBoxes : public MessageBox, public ErrorBox {
  public:
    void showMessage(const std::string& text) override { throw std::runtime_error(text); }
    void showError(const std::string& text) override { throw std::runtime_error(text); }
};

class NoUrls : public UrlOpener {
  public:
    void openUrl(const std::string&) override {}
};

}  // namespace

struct HeadlessWindow::Services {
    explicit Services(std::optional<std::string> fixedTime) : clock(std::move(fixedTime)) {}
    TimeSource clock;
    NoDocuments documents;
    GrantingPermissionService permissions;
    NoBoxes boxes;
    NoUrls urls;
    CancellingDialogs dialogs;
    Platform platform{documents, clock, permissions, boxes, boxes, urls, dialogs};
};

struct HeadlessWindow::Outcomes {
    std::optional<PileResult> result;
    std::optional<Rejection> rejection;
};

// A window of either formula that keeps the outcome of Compute for the caller.
template <class Base>
class HeadlessWindow::Recording : public Base {
  public:
    Recording(Platform& platform, Outcomes& outcomes) : Base(platform), m_outcomes(outcomes) {}

  protected:
    void pileComputed(const PileInput& input, const PileResult& result,
                      const std::string& rockClassName) override {
        m_outcomes.result = result;
        Base::pileComputed(input, result, rockClassName);
    }
    void computationRejected(const Rejection& rejection) override {
        m_outcomes.rejection = rejection;
        Base::computationRejected(rejection);
    }

  private:
    Outcomes& m_outcomes;
};

HeadlessWindow::HeadlessWindow(int formula, std::optional<std::string> fixedTime)
    : m_services(std::make_unique<Services>(std::move(fixedTime))),
      m_outcomes(std::make_unique<Outcomes>()) {
    if (formula == 2) {
        auto window =
            std::make_unique<Recording<FormulaTwoWindow>>(m_services->platform, *m_outcomes);
        m_formulaTwo = window.get();
        m_window = std::move(window);
    } else {
        m_window = std::make_unique<Recording<FormulaOneWindow>>(m_services->platform, *m_outcomes);
    }
}

HeadlessWindow::~HeadlessWindow() = default;

OptimisationScreen& HeadlessWindow::optimisation() { return m_window->optimisationScreen(); }
const OptimisationScreen& HeadlessWindow::optimisation() const {
    return m_window->optimisationScreen();
}

bool HeadlessWindow::openOptimisation() {
    return press(m_window->inputScreen().cbt_YouHua, [this] { m_window->cbt_YouHuaClick(); });
}

bool HeadlessWindow::optimisationShown() const { return m_window->YouHuaFormLayer.visible(); }

std::string HeadlessWindow::timeText() const { return m_services->clock.timeText(); }

const InputScreen& HeadlessWindow::screen() const { return m_window->inputScreen(); }
const WindowBooks& HeadlessWindow::books() const { return m_window->bookScreen().books(); }

void HeadlessWindow::setBooksArchive(PileArchive* archive, bool keepModels) {
    m_window->bookScreen().setBooksArchive(archive, keepModels);
}
const FormulaTwoWindow* HeadlessWindow::formulaTwo() const { return m_formulaTwo; }

void HeadlessWindow::enterPile(const InputTexts& texts) {
    m_window->inputScreen().typeTexts(texts);
}

void HeadlessWindow::enterSoil(const FormulaTwoSoil& soil) {
    if (m_formulaTwo) m_formulaTwo->typeSoil(soil);
}

HeadlessWindow::Outcome HeadlessWindow::compute() {
    *m_outcomes = {};
    m_window->inputScreen().cbt_computeClick();
    return {m_outcomes->result, m_outcomes->rejection};
}

void HeadlessWindow::setRoundingMode(RoundingMode mode) {
    InputScreen& s = m_window->inputScreen();
    // A pick while the popup is hidden changes the mode and computes nothing.
    if (s.popbox_jingdu.visible()) s.cbt_JingDuClick();
    s.popbox_jingdu.setIndex(static_cast<int>(mode));
}

void HeadlessWindow::deleteLast() { m_window->bookScreen().cbt_sanchuClick(); }

}  // namespace pile::cli
