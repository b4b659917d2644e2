// Benchmarks of the calculation core: one pile computed from a ready record, and the
// whole road of the Compute action from the screen texts to the shown Ra and Rc. The
// optimisation search runs the second once per candidate.
#include <benchmark/benchmark.h>

#include <string>
#include <variant>

#include "core/number_format.h"
#include "core/pile_calc.h"

namespace {

using namespace pile;

// The default circular pile: d = 1000 mm, hr = 1.0d, C30, mud protected, frk = 25 MPa.
void BM_ComputePile(benchmark::State& state) {
    InputTexts texts;
    const PileInput input = std::get<PileInput>(ReadPileInput(texts));
    for (auto _ : state) {
        auto result = ComputePile(input);
        benchmark::DoNotOptimize(result);
    }
}
BENCHMARK(BM_ComputePile);

void BM_TextToShown(benchmark::State& state) {
    const InputTexts screen;
    for (auto _ : state) {
        InputTexts texts = screen;
        auto read = ReadPileInput(texts);
        const auto& input = std::get<PileInput>(read);
        auto computed = ComputePile(input);
        const auto& r = std::get<PileResult>(computed);
        std::string ra = FormatResult(r.Ra, RoundingMode::Units, 7);
        std::string rc = FormatResult(r.Rc, RoundingMode::Units, 7);
        benchmark::DoNotOptimize(ra);
        benchmark::DoNotOptimize(rc);
    }
}
BENCHMARK(BM_TextToShown);

}  // namespace
