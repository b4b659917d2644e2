// A formula-one calculator window without a screen. The command line types each pile into the
// window's input screen and presses Compute, exactly as an engineer would, so what pilecalc
// prints is what the window shows: the same result texts, the same books.
#pragma once

#include <memory>
#include <optional>
#include <string>

#include "app/model/formula_one_window.h"
#include "app/model/platform.h"
#include "books/window_books.h"
#include "core/pile_calc.h"
#include "core/pile_input.h"

namespace pile::cli {

// The local date and time, short date and long time: "2026-12-10 12:00:00".
std::string localTimeText();

class HeadlessWindow {
public:
    // fixedTime replaces the local time in the calculation-time lines.
    explicit HeadlessWindow(std::optional<std::string> fixedTime = std::nullopt);
    ~HeadlessWindow();
    HeadlessWindow(const HeadlessWindow&) = delete;
    HeadlessWindow& operator=(const HeadlessWindow&) = delete;

    // Writes every control of the input screen that a pile reads, in the order a user would
    // fill them: section, rock mode, then the fields. Unchanged values fire nothing.
    void enterPile(const InputTexts& texts);

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

    const InputScreen& screen() const;
    const WindowBooks& books() const;

private:
    class Window;
    struct Services;
    std::unique_ptr<Services> m_services;
    std::unique_ptr<Window> m_window;
};

}  // namespace pile::cli
