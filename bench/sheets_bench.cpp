// A list of a million rows exported as a spreadsheet (the 存盘 list of a large search): time,
// file size and the peak memory of the process beyond the list itself.
//   build-bench/bench/sheets_bench
#include <benchmark/benchmark.h>
#include <sys/resource.h>

#include <filesystem>
#include <random>
#include <variant>

#include "optimise/result_list.h"
#include "sheets/table_exports.h"

namespace {

using namespace pile;

double peakRssMegabytes() {
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return static_cast<double>(usage.ru_maxrss) / 1024.0;  // KB on Linux
}

// Formula two's list of a search: every column filled, Ra and Rc with two decimals. The rows
// are candidates spread over a search of every section (the default items with d in steps of a
// thousandth of a millimetre), as a filter leaves them.
ResultList formulaTwoList(std::size_t n) {
    ItemTexts texts = defaultItemTexts();
    texts[item_row::kDiameter] = {"1000", "2000", "0.001"};
    const auto ranges = std::get<ItemRanges>(readItemRanges(texts));
    const std::uint64_t stride = candidateCount(ranges) / n;
    std::mt19937 rng(7);
    std::uniform_real_distribution<double> force(4000, 20000);
    ResultList list(formulaTwoListLayout());
    list.listCandidates(ranges);
    list.reserve(n);
    ListRowValues v;
    v.kesair = 0.8567;
    v.qgn = 1075.5;
    v.dragLoad = true;
    v.mode = RoundingMode::TwoDecimals;
    for (std::size_t i = 0; i < n; ++i) {
        v.ra = force(rng);
        v.rc = force(rng);
        v.nkLimit = v.ra - 500;
        v.nLimit = v.rc - 400;
        list.appendCandidate(i * stride, v);
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
    state.counters["bytes_per_row"] =
        static_cast<double>(list.bytesUsed()) / static_cast<double>(list.size());
    std::filesystem::remove(path);
}
BENCHMARK(BM_ListSheet)->Arg(1'000'000)->Arg(200'000)->Iterations(1)->Unit(benchmark::kSecond);

}  // namespace
