// pilecalc search --save over a large formula-one search: time and peak memory of the whole
// process (the list of every candidate, and the file streamed out). The diameter row takes
// the count: d from 1000 in steps of 1 mm, times 11 depths x 101 frk x 8 grades x 3 processes
// (26,664 candidates a millimetre). Run one size at a time, each in a process of its own, so
// that the peak is that size's:
//   build/bench/search_memory_bench --benchmark_filter='/1875/'   (49,995,000 candidates)
#include <benchmark/benchmark.h>
#include <sys/resource.h>

#include <sstream>
#include <streambuf>
#include <string>

#include "cli/commands.h"

namespace {

// Counts what is written and keeps nothing.
class CountingBuffer : public std::streambuf {
  public:
    std::uint64_t bytes = 0;

  protected:
    int_type overflow(int_type c) override {
        if (!traits_type::eq_int_type(c, traits_type::eof())) ++bytes;
        return traits_type::not_eof(c);
    }
    std::streamsize xsputn(const char*, std::streamsize n) override {
        bytes += static_cast<std::uint64_t>(n);
        return n;
    }
};

double peakRssMegabytes() {
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return static_cast<double>(usage.ru_maxrss) / 1024.0;  // KB on Linux
}

void BM_FormulaOneSearchSaved(benchmark::State& state) {
    const std::int64_t diameters = state.range(0);
    const std::string request =
        R"({"items":[["1","1","1"],["1000",")" + std::to_string(999 + diameters) +
        R"(","1"],["1000","2000","500"],["2000","3000","500"],["1500","2000","500"],)"
        R"(["1000","2000","500"],["2.0d","3.0d","0.1d"],["1","1","1"],["35","40","0.05"],)"
        R"(["35","40","5"],["C25","C60","5"],["1","3","1"]]})";
    CountingBuffer counter;
    for (auto _ : state) {
        std::istringstream in(request);
        std::ostream out(&counter);
        std::ostringstream err;
        const int status = pile::cli::runSearchCommand({"--save", "--time", "T"}, in, out, err);
        if (status != 0) state.SkipWithError(err.str().c_str());
    }
    const double candidates = static_cast<double>(diameters) * 26664;
    state.SetItemsProcessed(static_cast<std::int64_t>(candidates) * state.iterations());
    state.counters["candidates"] = candidates;
    state.counters["file_MB"] = static_cast<double>(counter.bytes) / 1e6;
    state.counters["peak_rss_MB"] = peakRssMegabytes();
}
BENCHMARK(BM_FormulaOneSearchSaved)
    ->Arg(38)    // 1,013,232 candidates
    ->Arg(375)   // 9,999,000
    ->Arg(1875)  // 49,995,000
    ->Iterations(1)
    ->Unit(benchmark::kSecond);

}  // namespace
