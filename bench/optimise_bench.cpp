// Benchmarks of the optimisation result lists: the exchange-sort order on large lists, the
// filter over a million rows, and the memory a row takes. The lists are appended value by value
// (as the tests append them) or listed by candidate index (as a search lists them).
#include <benchmark/benchmark.h>

#include <random>
#include <variant>
#include <vector>

#include "optimise/list_filter.h"
#include "optimise/list_sort.h"
#include "optimise/result_list.h"

namespace {

using namespace pile;

ListRowValues row(double d, double ra, double rc) {
    ListRowValues v;
    v.section = 1;
    v.size1 = d;
    v.depth = 2.0;
    v.rockValue = 35;
    v.process = ProcessLabel::MudProtected;
    v.kesair = 0.8567;
    v.grade = 30;
    v.ra = ra;
    v.rc = rc;
    v.mode = RoundingMode::Units;
    return v;
}

// Rows in random order: Ra and Rc uniform in kN (whole-number texts, so some ties), d one of
// three diameters (a third of the list per value).
ResultList randomList(std::size_t n) {
    std::mt19937 rng(42);
    std::uniform_real_distribution<double> ra(5000, 20000);
    std::uniform_real_distribution<double> rc(4000, 10000);
    std::uniform_int_distribution<int> d(0, 2);
    ResultList list;
    list.reserve(n);
    for (std::size_t i = 0; i < n; ++i) list.append(row(1000 + 500 * d(rng), ra(rng), rc(rng)));
    return list;
}

void sortBench(benchmark::State& state, const ResultList& start, ListField field) {
    for (auto _ : state) {
        state.PauseTiming();
        ResultList list = start;
        state.ResumeTiming();
        exchangeSort(list, field);
        benchmark::DoNotOptimize(list);
    }
    state.SetItemsProcessed(state.iterations() * static_cast<std::int64_t>(start.size()));
}

// The ranges of a large search: the default items with d in steps of a hundredth of a
// millimetre (2,400,024 candidates, 24 a diameter).
ItemRanges searchRanges() {
    ItemTexts texts = defaultItemTexts();
    texts[item_row::kDiameter] = {"1000", "2000", "0.01"};
    return std::get<ItemRanges>(readItemRanges(texts));
}

// The first n candidates of that search as its list, Ra and Rc as in randomList.
ResultList searchList(std::size_t n, const ListLayout& layout = formulaOneListLayout()) {
    std::mt19937 rng(42);
    std::uniform_real_distribution<double> ra(5000, 20000);
    std::uniform_real_distribution<double> rc(4000, 10000);
    ResultList list(layout);
    list.listCandidates(searchRanges());
    list.reserve(n);
    ListRowValues v = row(0, 0, 0);
    for (std::size_t i = 0; i < n; ++i) {
        v.ra = ra(rng);
        v.rc = rc(rng);
        v.nkLimit = v.ra - 500;
        v.nLimit = v.rc - 400;
        list.appendCandidate(i, v);
    }
    return list;
}

void BM_SortByRa_Random(benchmark::State& state) {
    sortBench(state, randomList(100'000), ListField::Ra);
}
BENCHMARK(BM_SortByRa_Random)->Unit(benchmark::kMillisecond);

void BM_SortByD_ManyEqual(benchmark::State& state) {
    sortBench(state, randomList(100'000), ListField::Size1);
}
BENCHMARK(BM_SortByD_ManyEqual)->Unit(benchmark::kMillisecond);

// Ra ascending on the list that a sort by Rc and a reversal left.
void BM_SortByRa_AfterRcDescending(benchmark::State& state) {
    ResultList start = randomList(100'000);
    exchangeSort(start, ListField::Rc);
    start.reverse();
    sortBench(state, start, ListField::Ra);
}
BENCHMARK(BM_SortByRa_AfterRcDescending)->Unit(benchmark::kMillisecond);

void filterBench(benchmark::State& state, const ResultList& raw) {
    std::size_t passed = 0;
    for (auto _ : state) {
        const ResultList got = filterByRaRc(raw, {12000, 14000}, {6000, 8000});
        passed = got.size();
        benchmark::DoNotOptimize(got);
    }
    state.counters["rows_passed"] = static_cast<double>(passed);
    state.SetItemsProcessed(state.iterations() * static_cast<std::int64_t>(raw.size()));
}

void BM_Filter_1M(benchmark::State& state) { filterBench(state, randomList(1'000'000)); }
BENCHMARK(BM_Filter_1M)->Unit(benchmark::kMillisecond);

// A search's list: d|a is made from the candidate index of each row (4,167 diameters).
void BM_SortByD_SearchList(benchmark::State& state) {
    sortBench(state, searchList(100'000), ListField::Size1);
}
BENCHMARK(BM_SortByD_SearchList)->Unit(benchmark::kMillisecond);

void BM_SortByRa_SearchList(benchmark::State& state) {
    sortBench(state, searchList(100'000), ListField::Ra);
}
BENCHMARK(BM_SortByRa_SearchList)->Unit(benchmark::kMillisecond);

void BM_Filter_1M_SearchList(benchmark::State& state) { filterBench(state, searchList(1'000'000)); }
BENCHMARK(BM_Filter_1M_SearchList)->Unit(benchmark::kMillisecond);

// A million rows appended one by one: value by value, and by candidate index as a search
// appends them (formula one and formula two); reports the bytes per row.
void BM_Append_1M_BytesPerRow(benchmark::State& state) {
    std::size_t bytes = 0;
    for (auto _ : state) {
        ResultList list;
        const ListRowValues v = row(1500, 12345.6, 7000.4);
        for (int i = 0; i < 1'000'000; ++i) list.append(v);
        bytes = list.bytesUsed();
        benchmark::DoNotOptimize(list);
    }
    state.counters["bytes_per_row"] = static_cast<double>(bytes) / 1e6;
}
BENCHMARK(BM_Append_1M_BytesPerRow)->Unit(benchmark::kMillisecond)->Iterations(3);

void appendCandidatesBench(benchmark::State& state, const ListLayout& layout) {
    const ItemRanges ranges = searchRanges();
    std::size_t bytes = 0;
    for (auto _ : state) {
        ResultList list(layout);
        list.listCandidates(ranges);
        ListRowValues v = row(0, 12345.6, 7000.4);
        v.nkLimit = 11000;
        v.nLimit = 6500;
        for (std::uint64_t i = 0; i < 1'000'000; ++i) list.appendCandidate(i, v);
        bytes = list.bytesUsed();
        benchmark::DoNotOptimize(list);
    }
    state.counters["bytes_per_row"] = static_cast<double>(bytes) / 1e6;
}

void BM_AppendCandidates_1M_BytesPerRow(benchmark::State& state) {
    appendCandidatesBench(state, formulaOneListLayout());
}
BENCHMARK(BM_AppendCandidates_1M_BytesPerRow)->Unit(benchmark::kMillisecond)->Iterations(3);

void BM_AppendCandidates_1M_FormulaTwo_BytesPerRow(benchmark::State& state) {
    appendCandidatesBench(state, formulaTwoListLayout());
}
BENCHMARK(BM_AppendCandidates_1M_FormulaTwo_BytesPerRow)
    ->Unit(benchmark::kMillisecond)
    ->Iterations(3);

}  // namespace
