// The formula-one window driven without a screen.
#include "cli/headless_window.h"

#include <ctime>
#include <filesystem>
#include <stdexcept>

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
    Platform platform{documents, clock, permissions, boxes, boxes, urls};
};

// The window, with the computed pile kept for the caller.
class HeadlessWindow::Window : public FormulaOneWindow {
public:
    using FormulaOneWindow::FormulaOneWindow;

    std::optional<PileResult> lastResult;
    std::optional<Rejection> lastRejection;

protected:
    void pileComputed(const PileInput& input, const PileResult& result,
                      const std::string& rockClassName) override {
        lastResult = result;
        FormulaOneWindow::pileComputed(input, result, rockClassName);
    }
    void computationRejected(const Rejection& rejection) override {
        lastRejection = rejection;
        FormulaOneWindow::computationRejected(rejection);
    }
};

HeadlessWindow::HeadlessWindow(std::optional<std::string> fixedTime)
    : m_services(std::make_unique<Services>(std::move(fixedTime))),
      m_window(std::make_unique<Window>(m_services->platform)) {}

HeadlessWindow::~HeadlessWindow() = default;

const InputScreen& HeadlessWindow::screen() const { return m_window->inputScreen(); }
const WindowBooks& HeadlessWindow::books() const { return m_window->bookScreen().books(); }

void HeadlessWindow::enterPile(const InputTexts& texts) {
    InputScreen& s = m_window->inputScreen();
    s.cbb_jmlx.setIndex(static_cast<int>(texts.section));
    if (texts.mode == RockStrengthMode::Fuk)
        s.rdb_fuk.select();
    else
        s.rdb_frk.select();
    s.cbe_dd.setText(texts.dd);
    s.cbe_tyzd.setText(texts.tyzd);
    s.cbe_hr.setText(texts.hr);
    s.cbb_hnt.setIndex(texts.gradeIndex);
    s.cbb_czgy.setIndex(texts.process);
    s.edt_frk.setText(texts.frk);
    s.edt_fuk.setText(texts.fuk);
    s.ckb_ystj.setChecked(texts.slope);
}

HeadlessWindow::Outcome HeadlessWindow::compute() {
    InputScreen& s = m_window->inputScreen();
    m_window->lastResult.reset();
    m_window->lastRejection.reset();
    s.cbt_computeClick();
    return {m_window->lastResult, m_window->lastRejection};
}

void HeadlessWindow::setRoundingMode(RoundingMode mode) {
    InputScreen& s = m_window->inputScreen();
    // A pick while the popup is hidden changes the mode and computes nothing.
    if (s.popbox_jingdu.visible()) s.cbt_JingDuClick();
    s.popbox_jingdu.setIndex(static_cast<int>(mode));
}

void HeadlessWindow::deleteLast() { m_window->bookScreen().cbt_sanchuClick(); }

}  // namespace pile::cli
