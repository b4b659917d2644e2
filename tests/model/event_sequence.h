// Random user actions on a calculator window model, as a user could take them: only on the
// screen shown, only with enabled controls. After every action the window must hold together:
// exactly one screen shown, no number text reading "nan", "inf" or "-0", the books as many
// piles as the pile counter. The same engine runs a bounded test with fixed seeds and a
// libFuzzer target whose bytes choose the actions.
#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <random>
#include <string>
#include <vector>

#include "app/model/calculator_window.h"
#include "tests/model/fake_platform.h"

namespace pile::test {

// Where the choices come from: fuzz bytes (zeros once they run out), or a seeded generator.
class Choices {
  public:
    explicit Choices(std::uint32_t seed) : m_random(seed), m_seeded(true) {}
    Choices(const std::uint8_t* data, std::size_t size) : m_data(data), m_size(size) {}

    // A number in 0..count-1 (0 for a count of 0).
    std::size_t pick(std::size_t count);
    bool exhausted() const { return !m_seeded && m_at >= m_size; }

  private:
    std::uint8_t byte();

    std::mt19937 m_random;
    bool m_seeded = false;
    const std::uint8_t* m_data = nullptr;
    std::size_t m_size = 0;
    std::size_t m_at = 0;
};

// What broke, for the test's message or the fuzzer's crash report; empty when all holds.
using Fault = std::string;

class EventSequence {
  public:
    // formula: 1 or 2. Saves go into a temporary Documents folder.
    explicit EventSequence(int formula);
    ~EventSequence();

    // Takes one action chosen by `choices` and checks the window; the description of the action
    // goes to `done`.
    Fault step(Choices& choices, std::string& done);

    CalculatorWindow& window() { return *m_window; }

  private:
    void openWindow();
    Fault check() const;

    int m_formula;
    FakePlatform m_fake;
    std::unique_ptr<CalculatorWindow> m_window;
};

}  // namespace pile::test
