// The optimisation search through a headless formula-one window: candidates per second with
// every row stored, against the bare capacity calculation of the same candidates, and the
// memory of the stored list.
//
// The items are the default table with d from 1000 to 2000 mm in steps of 10 mm and the
// rectangle's sides in steps of 50 mm: 11,824 candidates of every kind the default search
// makes, circles with all three processes, ellipses, rectangles and squares, frk and fuk.
//
// The searches through a window run on one thread, as the bare calculation does (the threads are
// search_threads_bench's business), and also report the heap allocations of their timed part per
// candidate (allocs_per_candidate), counted by the replaced global operator new below.
#include <benchmark/benchmark.h>

#include <atomic>
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <new>
#include <string>
#include <variant>
#include <vector>

#include "app/model/formula_one_window.h"
#include "app/model/formula_two_window.h"
#include "core/pile_calc.h"
#include "optimise/candidate_generator.h"
#include "optimise/item_ranges.h"
#include "soil/formula_two.h"
#include "soil/soil_numbers.h"

// Every allocation of the process is counted, so that a benchmark can report how many its
// timed part makes.
std::atomic<std::uint64_t> g_allocations{0};

void* operator new(std::size_t size) {
    g_allocations.fetch_add(1, std::memory_order_relaxed);
    if (void* p = std::malloc(size == 0 ? 1 : size)) return p;
    throw std::bad_alloc();
}
void* operator new[](std::size_t size) { return ::operator new(size); }
void operator delete(void* p) noexcept { std::free(p); }
void operator delete[](void* p) noexcept { std::free(p); }
void operator delete(void* p, std::size_t) noexcept { std::free(p); }
void operator delete[](void* p, std::size_t) noexcept { std::free(p); }

namespace {

using namespace pile;

struct Services : DocumentsFolder, Clock, MessageBox, ErrorBox, UrlOpener {
    std::filesystem::path documentsPath() const override { return {}; }
    std::string timeText() const override { return "2026-12-10 12:00:00"; }
    void showMessage(const std::string&) override {}
    void showError(const std::string&) override {}
    void openUrl(const std::string&) override {}
    GrantingPermissionService permissions;
    CancellingDialogs dialogs;
    Platform platform{*this, *this, permissions, *this, *this, *this, dialogs};
};

ItemTexts benchItems() {
    ItemTexts items = defaultItemTexts();
    items[item_row::kSection] = {"1", "4", "1"};
    items[item_row::kDiameter] = {"1000", "2000", "10"};
    items[item_row::kLongSide] = {"2000", "3000", "50"};
    items[item_row::kShortSide] = {"1500", "2000", "50"};
    items[item_row::kProcess] = {"1", "3", "1"};
    return items;
}

// The input screen's texts of a candidate, as the search writes them.
InputTexts screenTexts(const Candidate& c) {
    InputTexts texts;
    texts.section = static_cast<SectionType>(c.sectionItem());
    texts.dd = c.sizeText1;
    texts.tyzd = c.sizeText2;
    texts.hr = c.depthText;
    texts.mode = c.rockType == 1 ? RockStrengthMode::Frk : RockStrengthMode::Fuk;
    (c.rockType == 1 ? texts.frk : texts.fuk) = c.rockText;
    texts.gradeIndex = c.gradeIndex();
    texts.process = c.processIndex;
    return texts;
}

void setItems(OptimisationScreen& screen, const ItemTexts& items) {
    for (int row = 0; row < item_row::kCount; ++row) {
        const ItemCells& cells = items[static_cast<size_t>(row)];
        screen.Grid1_Youhuaxuanxiang.editCell(row, 1, cells.min);
        screen.Grid1_Youhuaxuanxiang.editCell(row, 2, cells.max);
        screen.Grid1_Youhuaxuanxiang.editCell(row, 3, cells.step);
    }
}

// Runs the search of a window prepared by `setUp` (not timed) and reports candidates per
// second and the bytes of the stored list per row.
template <class Window, class SetUp>
void searchThroughWindow(benchmark::State& state, SetUp setUp) {
    Services services;
    std::size_t rows = 0;
    std::size_t bytes = 0;
    std::uint64_t allocations = 0;
    for (auto _ : state) {
        state.PauseTiming();
        Window window(services.platform);
        setUp(window);
        window.cbt_YouHuaClick();
        OptimisationScreen& screen = window.optimisationScreen();
        screen.setSearchThreads(1);  // one core, to compare with the bare calculation
        setItems(screen, benchItems());
        if (screen.setup().soilSwitches) {
            screen.Grid1_Youhuaxuanxiang.editCell(12, 1, "1");
            screen.Grid1_Youhuaxuanxiang.editCell(13, 1, "1");
        }
        state.ResumeTiming();
        const std::uint64_t before = g_allocations.load(std::memory_order_relaxed);
        screen.cbt_YHcomputeClick();
        allocations += g_allocations.load(std::memory_order_relaxed) - before;
        rows = screen.rawList().size();
        bytes = screen.rawList().bytesUsed();
    }
    state.SetItemsProcessed(static_cast<int64_t>(state.iterations() * rows));
    state.counters["rows"] = static_cast<double>(rows);
    state.counters["bytes_per_row"] = static_cast<double>(bytes) / static_cast<double>(rows);
    state.counters["allocs_per_candidate"] =
        static_cast<double>(allocations) / static_cast<double>(state.iterations() * rows);
}

// The bench candidates that the calculation accepts, read into pile records once.
struct BenchPile {
    PileInput input;
    PileSection section;
};
std::vector<BenchPile> benchPiles() {
    const auto ranges = std::get<ItemRanges>(readItemRanges(benchItems()));
    std::vector<BenchPile> piles;
    CandidateGenerator generator(ranges);
    while (const Candidate* c = generator.next()) {
        InputTexts texts = screenTexts(*c);
        auto read = ReadPileInput(texts);
        if (auto* input = std::get_if<PileInput>(&read))
            piles.push_back({*input, PileSection{texts.section, texts.dd, texts.tyzd}});
    }
    return piles;
}

void BM_SearchThroughWindow(benchmark::State& state) {
    searchThroughWindow<FormulaOneWindow>(state, [](FormulaOneWindow&) {});
}
BENCHMARK(BM_SearchThroughWindow)->Unit(benchmark::kMillisecond);

// The same candidates read into pile records once, then computed alone.
void BM_BareComputePile(benchmark::State& state) {
    const std::vector<BenchPile> piles = benchPiles();
    for (auto _ : state) {
        for (const BenchPile& pile : piles) {
            auto result = ComputePile(pile.input);
            benchmark::DoNotOptimize(result);
        }
    }
    state.SetItemsProcessed(static_cast<int64_t>(state.iterations() * piles.size()));
}
BENCHMARK(BM_BareComputePile)->Unit(benchmark::kMillisecond);

// Formula two with both soil terms on: 20 layers of settling soil above the rock and 5 layers
// of side resistance, each candidate computing both again, as the window does.
FormulaTwoSoil benchSoil() {
    FormulaTwoSoil soil;
    soil.dragLoad = true;
    soil.sideResistance = true;
    soil.drag.p = "20.00";
    soil.drag.layers.assign(20, SoilLayer{});
    for (int i = 0; i < 20; ++i) {
        SoilLayer& l = soil.drag.layers[static_cast<size_t>(i)];
        l.bottom = std::to_string(-1.5 * (i + 1));
        l.unitWeight = i % 2 ? "18.5" : "17.00";
        l.xi = i % 3 ? "0.25" : "0.30";
        l.qsik = i % 4 ? "30" : "25.00";
    }
    soil.side.layers.assign(5, SideLayer{"4.000", "45.00"});
    return soil;
}

void BM_FormulaTwoSearchThroughWindow(benchmark::State& state) {
    searchThroughWindow<FormulaTwoWindow>(
        state, [](FormulaTwoWindow& window) { window.typeSoil(benchSoil()); });
}
BENCHMARK(BM_FormulaTwoSearchThroughWindow)->Unit(benchmark::kMillisecond);

// The same candidates computed alone: the capacity, then both soil terms and the limits.
void BM_BareFormulaTwo(benchmark::State& state) {
    const std::vector<BenchPile> piles = benchPiles();
    const FormulaTwoSoil soil = benchSoil();
    for (auto _ : state) {
        for (const BenchPile& pile : piles) {
            auto result = ComputePile(pile.input);
            auto run = computeFormulaTwo(std::get<PileResult>(result), pile.section, soil,
                                         RoundingMode::Units);
            benchmark::DoNotOptimize(run);
        }
    }
    state.SetItemsProcessed(static_cast<int64_t>(state.iterations() * piles.size()));
}
BENCHMARK(BM_BareFormulaTwo)->Unit(benchmark::kMillisecond);

// The same candidates computed as the window computes them in a search: the soil's layers
// once, then for each candidate the capacity and the soil terms of its perimeter.
void BM_BareFormulaTwoLayersOnce(benchmark::State& state) {
    const std::vector<BenchPile> piles = benchPiles();
    const FormulaTwoSoil soil = benchSoil();
    FormulaTwoResult out;
    const std::uint64_t before = g_allocations.load(std::memory_order_relaxed);
    for (auto _ : state) {
        const FormulaTwoLayers layers = computeFormulaTwoLayers(soil);
        for (const BenchPile& pile : piles) {
            auto result = ComputePile(pile.input);
            formulaTwoResult(std::get<PileResult>(result), layers,
                             detail::perimeterMetres(pile.section), RoundingMode::Units, out);
            benchmark::DoNotOptimize(out);
        }
    }
    state.SetItemsProcessed(static_cast<int64_t>(state.iterations() * piles.size()));
    state.counters["allocs_per_candidate"] =
        static_cast<double>(g_allocations.load(std::memory_order_relaxed) - before) /
        static_cast<double>(state.iterations() * piles.size());
}
BENCHMARK(BM_BareFormulaTwoLayersOnce)->Unit(benchmark::kMillisecond);

}  // namespace
