// libFuzzer target: the event sequences of tests/model/event_sequence.h, the bytes choosing
// the window (the first byte) and every action after it, up to 300 actions.
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "tests/model/event_sequence.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size < 1) return 0;
    pile::test::EventSequence sequence((data[0] & 1) ? 2 : 1);
    pile::test::Choices choices(data + 1, size - 1);
    std::string trail;
    for (int i = 0; i < 300 && !choices.exhausted(); ++i) {
        std::string done;
        const pile::test::Fault fault = sequence.step(choices, done);
        trail += "\n  " + done;
        if (!fault.empty()) {
            std::fprintf(stderr, "step %d: %s\nactions:%s\n", i, fault.c_str(), trail.c_str());
            std::abort();
        }
    }
    return 0;
}
