// The optimisation search through a headless formula-one window: candidates per second with
// every row stored, against the bare capacity calculation of the same candidates, and the
// memory of the stored list.
//
// The items are the default table with d from 1000 to 2000 mm in steps of 10 mm and the
// rectangle's sides in steps of 50 mm: 11,824 candidates of every kind the default search
// makes, circles with all three processes, ellipses, rectangles and squares, frk and fuk.
#include <benchmark/benchmark.h>

#include <filesystem>
#include <string>
#include <variant>
#include <vector>

#include "app/model/formula_one_window.h"
#include "app/model/formula_two_window.h"
#include "core/pile_calc.h"
#include "optimise/candidate_generator.h"
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
    Platform platform{*this, *this, permissions, *this, *this, *this};
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

void BM_SearchThroughWindow(benchmark::State& state) {
    Services services;
    std::size_t rows = 0;
    std::size_t bytes = 0;
    for (auto _ : state) {
        state.PauseTiming();
        FormulaOneWindow window(services.platform);
        window.cbt_YouHuaClick();
        OptimisationScreen& screen = window.optimisationScreen();
        setItems(screen, benchItems());
        state.ResumeTiming();
        screen.cbt_YHcomputeClick();
        rows = screen.rawList().size();
        bytes = screen.rawList().bytesUsed();
    }
    state.SetItemsProcessed(static_cast<int64_t>(state.iterations() * rows));
    state.counters["rows"] = static_cast<double>(rows);
    state.counters["bytes_per_row"] = static_cast<double>(bytes) / static_cast<double>(rows);
}
BENCHMARK(BM_SearchThroughWindow)->Unit(benchmark::kMillisecond);

// The same candidates read into pile records once, then computed alone.
void BM_BareComputePile(benchmark::State& state) {
    const auto ranges = std::get<ItemRanges>(readItemRanges(benchItems()));
    std::vector<PileInput> inputs;
    CandidateGenerator generator(ranges);
    Candidate c;
    while (generator.next(c)) {
        InputTexts texts = screenTexts(c);
        auto read = ReadPileInput(texts);
        if (auto* input = std::get_if<PileInput>(&read)) inputs.push_back(*input);
    }
    for (auto _ : state) {
        for (const PileInput& input : inputs) {
            auto result = ComputePile(input);
            benchmark::DoNotOptimize(result);
        }
    }
    state.SetItemsProcessed(static_cast<int64_t>(state.iterations() * inputs.size()));
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

void enterSoil(FormulaTwoWindow& window, const FormulaTwoSoil& soil) {
    NegativeFrictionScreen& drag = window.dragScreen();
    drag.cbe_Junbuhezai.setText(soil.drag.p);
    drag.cbb_Tuchengshu.setIndex(static_cast<int>(soil.drag.layers.size()) - 1);
    for (int r = 0; r < drag.Grid1_Fumozhulijisuan.rowCount(); ++r) {
        const SoilLayer& l = soil.drag.layers[static_cast<size_t>(r)];
        drag.Grid1_Fumozhulijisuan.editCell(r, drag_col::kBottom, l.bottom);
        drag.Grid1_Fumozhulijisuan.editCell(r, drag_col::kUnitWeight, l.unitWeight);
        drag.Grid1_Fumozhulijisuan.editCell(r, drag_col::kXi, l.xi);
        drag.Grid1_Fumozhulijisuan.editCell(r, drag_col::kQsik, l.qsik);
    }
    SideResistanceScreen& side = window.sideScreen();
    side.cbb_ZhengTuchengshu.setIndex(static_cast<int>(soil.side.layers.size()) - 1);
    for (int r = 0; r < side.Grid1_Zhengmozhulijisuan.rowCount(); ++r) {
        const SideLayer& l = soil.side.layers[static_cast<size_t>(r)];
        side.Grid1_Zhengmozhulijisuan.editCell(r, side_col::kThickness, l.thickness);
        side.Grid1_Zhengmozhulijisuan.editCell(r, side_col::kQsik, l.qsik);
    }
}

void BM_FormulaTwoSearchThroughWindow(benchmark::State& state) {
    Services services;
    std::size_t rows = 0;
    std::size_t bytes = 0;
    for (auto _ : state) {
        state.PauseTiming();
        FormulaTwoWindow window(services.platform);
        enterSoil(window, benchSoil());
        window.cbt_YouHuaClick();
        OptimisationScreen& screen = window.optimisationScreen();
        setItems(screen, benchItems());
        screen.Grid1_Youhuaxuanxiang.editCell(12, 1, "1");
        screen.Grid1_Youhuaxuanxiang.editCell(13, 1, "1");
        state.ResumeTiming();
        screen.cbt_YHcomputeClick();
        rows = screen.rawList().size();
        bytes = screen.rawList().bytesUsed();
    }
    state.SetItemsProcessed(static_cast<int64_t>(state.iterations() * rows));
    state.counters["rows"] = static_cast<double>(rows);
    state.counters["bytes_per_row"] = static_cast<double>(bytes) / static_cast<double>(rows);
}
BENCHMARK(BM_FormulaTwoSearchThroughWindow)->Unit(benchmark::kMillisecond);

// The same candidates computed alone: the capacity, then both soil terms and the limits.
void BM_BareFormulaTwo(benchmark::State& state) {
    const auto ranges = std::get<ItemRanges>(readItemRanges(benchItems()));
    const FormulaTwoSoil soil = benchSoil();
    struct Pile {
        PileInput input;
        PileSection section;
    };
    std::vector<Pile> piles;
    CandidateGenerator generator(ranges);
    Candidate c;
    while (generator.next(c)) {
        InputTexts texts = screenTexts(c);
        auto read = ReadPileInput(texts);
        if (auto* input = std::get_if<PileInput>(&read))
            piles.push_back({*input, PileSection{texts.section, texts.dd, texts.tyzd}});
    }
    for (auto _ : state) {
        for (const Pile& pile : piles) {
            auto result = ComputePile(pile.input);
            auto run = computeFormulaTwo(std::get<PileResult>(result), pile.section, soil,
                                         RoundingMode::Units);
            benchmark::DoNotOptimize(run);
        }
    }
    state.SetItemsProcessed(static_cast<int64_t>(state.iterations() * piles.size()));
}
BENCHMARK(BM_BareFormulaTwo)->Unit(benchmark::kMillisecond);

}  // namespace
