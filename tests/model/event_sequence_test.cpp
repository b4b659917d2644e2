// Random user actions on both calculator windows, with fixed seeds and a bounded number of
// actions: after every action exactly one screen is shown, no number text reads "nan", "inf"
// or "-0", and the books hold as many piles as the counter. A failure names the seed, the
// step and the actions that led there.
#include <gtest/gtest.h>

#include <deque>
#include <string>

#include "tests/model/event_sequence.h"

namespace pile::test {
namespace {

void runSequence(int formula, std::uint32_t seed, int steps) {
    EventSequence sequence(formula);
    Choices choices(seed);
    std::deque<std::string> recent;
    for (int i = 0; i < steps; ++i) {
        std::string done;
        const Fault fault = sequence.step(choices, done);
        recent.push_back(done);
        if (recent.size() > 12) recent.pop_front();
        if (!fault.empty()) {
            std::string trail;
            for (const std::string& action : recent) trail += "\n  " + action;
            FAIL() << "formula " << formula << ", seed " << seed << ", step " << i << ": " << fault
                   << "\nlast actions:" << trail;
        }
    }
}

TEST(EventSequence, FormulaOneWindowHoldsTogether) {
    for (std::uint32_t seed = 1; seed <= 8; ++seed) runSequence(1, seed, 1500);
}

TEST(EventSequence, FormulaTwoWindowHoldsTogether) {
    for (std::uint32_t seed = 1; seed <= 8; ++seed) runSequence(2, seed, 1500);
}

}  // namespace
}  // namespace pile::test
