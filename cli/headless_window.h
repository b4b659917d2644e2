// A calculator window without a screen. The command line types each pile into the window's
// input screen (and, in formula two, its soil switches and soil screens) and presses Compute,
// exactly as an engineer would, so what pilecalc prints is what the window shows: the same
// result texts, the same grids, the same books. A search opens the window's optimisation
// screen and presses its buttons the same way.
#pragma once

#include <memory>
#include <optional>
#include <string>

#include "app/model/calculator_window.h"
#include "app/model/formula_two_window.h"
#include "app/model/platform.h"
#include "books/window_books.h"
#include "core/pile_calc.h"
#include "core/pile_input.h"
#include "soil/formula_two.h"

namespace pile::cli {

// The local date and time, short date and long time: "2026-12-10 12:00:00".
std::string localTimeText();

// A click on `button`: runs its handler when the button is enabled and visible, as a click
// on a disabled or hidden widget does nothing. Returns whether the handler ran.
template <class Handler>
bool press(const Button& button, Handler&& handler) {
    if (!button.enabled() || !button.visible()) return false;
    handler();
    return true;
}

class HeadlessWindow {
  public:
    // formula 1 or 2; fixedTime replaces the local time in the calculation-time lines.
    explicit HeadlessWindow(int formula = 1, std::optional<std::string> fixedTime = std::nullopt);
    ~HeadlessWindow();
    HeadlessWindow(const HeadlessWindow&) = delete;
    HeadlessWindow& operator=(const HeadlessWindow&) = delete;

    // Writes every control of the input screen that a pile reads, in the order a user would
    // fill them: section, rock mode, then the fields. Unchanged values fire nothing.
    void enterPile(const InputTexts& texts);
    // Formula two: ticks the soil switches and fills both soil screens, the layer count first,
    // then every cell the user types (ending each edit as the user does).
    void enterSoil(const FormulaTwoSoil& soil);

    struct Outcome {
        std::optional<PileResult> result;    // set when the pile was accepted
        std::optional<Rejection> rejection;  // set when a check refused it
    };
    // Compute, as the button does.
    Outcome compute();

    // The precision popup picked while hidden: the mode changes, nothing is computed.
    void setRoundingMode(RoundingMode mode);
    // The delete-last button of the book screen.
    void deleteLast();

    // The optimisation screen, and "★" on the input screen, which opens it.
    OptimisationScreen& optimisation();
    const OptimisationScreen& optimisation() const;
    // Presses "★"; false when the button was not there to press.
    bool openOptimisation();
    // Whether the optimisation screen is the one shown (a fetch ends on the input screen).
    bool optimisationShown() const;
    // The text the window's clock gives for a calculation-time line.
    std::string timeText() const;

    const InputScreen& screen() const;
    const WindowBooks& books() const;
    // Keeps the older piles of the books in `archive` (set before the first pile), with their
    // books as blocks when `keepModels` (WindowBooks::setArchive).
    void setBooksArchive(PileArchive* archive, bool keepModels = false);
    // The formula-two window; nullptr in formula one.
    const FormulaTwoWindow* formulaTwo() const;

  private:
    struct Services;
    struct Outcomes;
    template <class Base>
    class Recording;
    std::unique_ptr<Services> m_services;
    std::unique_ptr<Outcomes> m_outcomes;
    std::unique_ptr<CalculatorWindow> m_window;
    FormulaTwoWindow* m_formulaTwo = nullptr;
};

}  // namespace pile::cli
