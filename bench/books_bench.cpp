// Benchmarks of the books: a window's books grow by one pile per computation, so recording a
// pile must cost the same whether it is the first or the ten-thousandth.
#include <benchmark/benchmark.h>

#include <string>
#include <variant>

#include "books/window_books.h"
#include "core/design_tables.h"
#include "core/pile_calc.h"

namespace {

using namespace pile;

// Records state.range(0) default piles into fresh books; the time per pile is reported.
void BM_RecordPiles(benchmark::State& state) {
    InputTexts texts;
    const PileInput input = std::get<PileInput>(ReadPileInput(texts));
    const PileResult result = std::get<PileResult>(ComputePile(input));
    const std::string rockClass = RockClassName(*result.rockClass);
    const auto piles = state.range(0);
    for (auto _ : state) {
        WindowBooks books(formulaOneTableLayout());
        for (int64_t i = 0; i < piles; ++i)
            books.appendPile(input, result, rockClass, RoundingMode::Units, "2026-12-10 12:00:00");
        benchmark::DoNotOptimize(books.detailedLines().data());
    }
    state.SetItemsProcessed(state.iterations() * piles);
}
BENCHMARK(BM_RecordPiles)->Arg(100)->Arg(10000)->Unit(benchmark::kMillisecond);

}  // namespace
