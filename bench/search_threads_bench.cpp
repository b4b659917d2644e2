// The optimisation search through a headless window on 1, 2 and more worker threads:
// candidates per second of wall time, for the whole search as 计算 runs it (the clones of the
// window, the chunks, the rows listed in order and the last chunk computed again in the window).
//
// The items are the default table with d from 1000 to 2000 mm in steps of 5 mm, the rectangle's
// sides in steps of 25 mm and all three processes: 29,904 candidates of every kind the default
// search makes. Formula two takes d in steps of 20 mm (17,904 candidates) with both soil terms
// over 8 settling layers and 4 layers of side resistance.
//
//     build-bench/bench/search_threads_bench
//     build-bench/bench/search_threads_bench --benchmark_filter=FormulaOne
#include <benchmark/benchmark.h>

#include <filesystem>
#include <string>

#include "app/model/formula_one_window.h"
#include "app/model/formula_two_window.h"
#include "optimise/item_ranges.h"
#include "soil/formula_two.h"

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

ItemTexts benchItems(const char* diameterStep) {
    ItemTexts items = defaultItemTexts();
    items[item_row::kSection] = {"1", "4", "1"};
    items[item_row::kDiameter] = {"1000", "2000", diameterStep};
    items[item_row::kLongSide] = {"2000", "3000", "25"};
    items[item_row::kShortSide] = {"1500", "2000", "25"};
    items[item_row::kProcess] = {"1", "3", "1"};
    return items;
}

FormulaTwoSoil benchSoil() {
    FormulaTwoSoil soil;
    soil.dragLoad = true;
    soil.sideResistance = true;
    soil.drag.p = "20.00";
    soil.drag.layers.assign(8, SoilLayer{});
    for (int i = 0; i < 8; ++i) {
        SoilLayer& l = soil.drag.layers[static_cast<size_t>(i)];
        l.bottom = std::to_string(-2.0 * (i + 1));
        l.unitWeight = i % 2 ? "18.5" : "17.00";
        l.qsik = i % 3 ? "30" : "25.00";
    }
    soil.side.layers.assign(4, SideLayer{"4.000", "45.00"});
    return soil;
}

// The search of a window prepared by `setUp` (not timed) on state.range(0) threads.
template <class Window, class SetUp>
void search(benchmark::State& state, const ItemTexts& items, SetUp setUp) {
    Services services;
    std::size_t rows = 0;
    for (auto _ : state) {
        state.PauseTiming();
        Window window(services.platform);
        setUp(window);
        window.cbt_YouHuaClick();
        OptimisationScreen& screen = window.optimisationScreen();
        screen.setSearchThreads(static_cast<unsigned>(state.range(0)));
        for (int row = 0; row < item_row::kCount; ++row) {
            const ItemCells& cells = items[static_cast<size_t>(row)];
            screen.Grid1_Youhuaxuanxiang.editCell(row, 1, cells.min);
            screen.Grid1_Youhuaxuanxiang.editCell(row, 2, cells.max);
            screen.Grid1_Youhuaxuanxiang.editCell(row, 3, cells.step);
        }
        if (screen.setup().soilSwitches) {
            screen.Grid1_Youhuaxuanxiang.editCell(12, 1, "1");
            screen.Grid1_Youhuaxuanxiang.editCell(13, 1, "1");
        }
        state.ResumeTiming();
        screen.cbt_YHcomputeClick();
        rows = screen.rawList().size();
    }
    state.counters["candidates/s"] = benchmark::Counter(
        static_cast<double>(state.iterations() * rows), benchmark::Counter::kIsRate);
    state.counters["rows"] = static_cast<double>(rows);
}

void BM_FormulaOneSearch(benchmark::State& state) {
    search<FormulaOneWindow>(state, benchItems("5"), [](FormulaOneWindow&) {});
}
BENCHMARK(BM_FormulaOneSearch)
    ->Arg(1)
    ->Arg(2)
    ->Arg(4)
    ->UseRealTime()
    ->Unit(benchmark::kMillisecond);

void BM_FormulaTwoSearch(benchmark::State& state) {
    search<FormulaTwoWindow>(state, benchItems("20"),
                             [](FormulaTwoWindow& window) { window.typeSoil(benchSoil()); });
}
BENCHMARK(BM_FormulaTwoSearch)->Arg(1)->Arg(2)->UseRealTime()->Unit(benchmark::kMillisecond);

}  // namespace
