// A list of a million rows exported as a spreadsheet (the 存盘 list of a large search): time,
// file size and the peak memory of the process beyond the list itself.
//   build-bench/bench/sheets_bench
#include <benchmark/benchmark.h>
#include <sys/resource.h>

#include <filesystem>
#include <random>

#include "optimise/result_list.h"
#include "sheets/table_exports.h"

namespace {

using namespace pile;

double peakRssMegabytes() {
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return static_cast<double>(usage.ru_maxrss) / 1024.0;  // KB on Linux
}

// Formula two's list: every column filled, Ra and Rc with two decimals.
ResultList formulaTwoList(std::size_t n) {
    std::mt19937 rng(7);
    std::uniform_real_distribution<double> force(4000, 20000);
    ResultList list(formulaTwoListLayout());
    list.reserve(n);
    for (std::size_t i = 0; i < n; ++i) {
        ListRowValues v;
        v.section = 1 + static_cast<int>(i % 3);
        v.size1 = 1000 + 100 * static_cast<double>(i % 11);
        v.size2 = 600;
        v.depth = 2.0 + 0.5 * static_cast<double>(i % 3);
        v.rockValue = 35;
        v.kesair = 0.8567;
        v.grade = 30;
        v.ra = force(rng);
        v.rc = force(rng);
        v.qgn = 1075.5;
        v.nkLimit = v.ra - 500;
        v.nLimit = v.rc - 400;
        v.dragLoad = true;
        v.mode = RoundingMode::TwoDecimals;
        list.append(v);
    }
    list.assignPileNumbers();
    return list;
}

void BM_ListSheet(benchmark::State& state) {
    const ResultList list = formulaTwoList(static_cast<std::size_t>(state.range(0)));
    const double listMegabytes = peakRssMegabytes();
    const std::filesystem::path path =
        std::filesystem::temp_directory_path() / "rockpile-sheets-bench.xlsx";
    for (auto _ : state) saveListSheet(path, list, "原始结果");
    state.SetItemsProcessed(state.range(0) * state.iterations());
    state.counters["file_MB"] = static_cast<double>(std::filesystem::file_size(path)) / 1e6;
    state.counters["peak_rss_MB"] = peakRssMegabytes();
    state.counters["list_rss_MB"] = listMegabytes;
    std::filesystem::remove(path);
}
BENCHMARK(BM_ListSheet)->Arg(1'000'000)->Arg(200'000)->Iterations(1)->Unit(benchmark::kSecond);

}  // namespace
