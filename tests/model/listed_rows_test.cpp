// A search lists each candidate by its index and results; the pile's own cells are made from the
// index when they are read. This test reads the input screen after every candidate of several
// searches, as a list that kept what the screen showed, and compares every cell of every row of
// the search's list with it, and the cells that the screen shows as they are with the screen's
// own texts.
#include <gtest/gtest.h>

#include <array>
#include <optional>
#include <string>
#include <vector>

#include "app/model/formula_one_window.h"
#include "app/model/formula_two_window.h"
#include "core/concrete_grades.h"
#include "core/sections.h"
#include "tests/model/fake_platform.h"

namespace pile {
namespace {

using Items = std::vector<std::array<const char*, 4>>;  // row, min, max, step

struct Search {
    const char* name;
    Items items;
    RoundingMode mode;
};

const Search kSearches[] = {
    {"default", {}, RoundingMode::Units},
    {"all sections, fine steps",
     {{"1", "800", "2000", "150"},
      {"2", "700", "1400", "350"},
      {"3", "1500", "2600", "550"},
      {"4", "1500", "3000", "750"},
      {"6", "1.0d", "4.0d", "1.5d"},
      {"7", "1", "2", "1"},
      {"10", "C25", "C60", "15"},
      {"11", "1", "3", "1"}},
     RoundingMode::TwoDecimals},
    {"millimetre depths",
     {{"6", "500", "3000", "1250"}, {"8", "0.5", "60", "29.75"}},
     RoundingMode::Hundreds},
    {"decimal sizes, equal and crossed sides",
     {{"0", "1", "4", "1"},
      {"1", "1000.05", "1000.3", "0.125"},
      {"2", "999.9", "1000.1", "0.1"},
      {"3", "1500", "2500.5", "500.25"},
      {"4", "1500", "2500.5", "500.25"},
      {"5", "1234.5678901234567", "1234.6", "0.01"},
      {"6", "2.05d", "2.25d", "0.1d"},
      {"8", "35.005", "35.02", "0.005"},
      {"9", "12.345", "12.35", "0.0025"},
      {"11", "1", "3", "1"}},
     RoundingMode::OneDecimal},
    {"tens", {{"1", "1000", "1400", "200"}, {"10", "C25", "C60", "5"}}, RoundingMode::Tens},
    {"stopped by a refused ellipse",
     {{"1", "800", "2000", "150"}, {"2", "0", "700", "350"}},
     RoundingMode::Units},
};

void setItems(OptimisationScreen& screen, const Items& items) {
    for (const auto& item : items) {
        const int row = std::stoi(item[0]);
        for (int c = 1; c <= 3; ++c) screen.Grid1_Youhuaxuanxiang.editCell(row, c, item[c]);
    }
}

// What the input screen shows of a computed candidate, read as the search used to read it into
// its row. Formula two adds the soil results of its last run.
ListRowValues shownRow(const InputScreen& input, const FormulaTwoInputScreen* soil) {
    ListRowValues v;
    const SectionType type = input.section();
    const int code = static_cast<int>(ListCode(type));
    v.section = code;
    v.size1 = ParseFieldNumber(input.cbe_dd.text());
    v.size2 = HasSecondSize(type) ? ParseFieldNumber(input.cbe_tyzd.text()) : 0;
    const std::string& hr = input.cbe_hr.text();
    const std::size_t unit = hr.find(DepthUnitOf(type));
    v.depthUnit = unit == std::string::npos ? DepthUnit::Millimetre : DepthUnit::Multiple;
    v.depth = ParseStrict(unit == std::string::npos ? hr : hr.substr(0, unit)).value_or(-1);
    v.rockType = input.rdb_frk.checked() ? 1 : 2;
    v.rockValue = ParseFieldNumber(v.rockType == 1 ? input.edt_frk.text() : input.edt_fuk.text());
    v.process = processLabelFor(code, v.rockType, input.cbb_czgy.index());
    v.grade = GradeAt(input.cbb_hnt.index()).number;
    v.kesair = ParseLenient(input.edt_kesair.text());
    v.mode = input.roundingMode();
    v.raText = input.edt_ra.text();
    v.rcText = input.edt_rc.text();
    v.ra = ParseLenient(input.edt_ra.text());
    v.rc = ParseLenient(input.edt_rc.text());
    if (soil) {
        const PileResult& pile = soil->lastRun()->result.pile;
        v.ra = pile.Ra;
        v.rc = pile.Rc;
        v.qgn = pile.Qgn.value_or(0);
        v.nkLimit = pile.NkLimit.value_or(0);
        v.nLimit = pile.NLimit.value_or(0);
        v.nkText = soil->edt_Nkxianzhi.text();
        v.nText = soil->edt_Nxianzhi.text();
        v.dragLoad = soil->ckb_fumozhuli.checked();
        v.sideResistance = soil->ckb_zhengmozhuli.checked();
    }
    return v;
}

// The cells the screen shows in a field of its own, by the list field.
std::vector<std::pair<ListField, std::string>> screenTexts(const InputScreen& input) {
    return {{ListField::Size1, input.cbe_dd.text()},
            {ListField::Depth, input.cbe_hr.text()},
            {ListField::RockValue,
             input.rdb_frk.checked() ? input.edt_frk.text() : input.edt_fuk.text()},
            {ListField::Grade, input.cbb_hnt.text()},
            {ListField::Ra, input.edt_ra.text()},
            {ListField::Rc, input.edt_rc.text()},
            {ListField::Kesair, input.edt_kesair.text()}};
}

// Runs the search and compares its list, cell by cell, with the list of what the screen showed.
void compareListWithScreen(OptimisationScreen& screen, InputScreen& input,
                           const FormulaTwoInputScreen* soil, std::size_t atLeast) {
    ResultList shown(screen.rawList().layout());
    std::vector<std::vector<std::pair<ListField, std::string>>> texts;
    screen.setCandidateObserver([&] {
        if (input.edt_ra.text().empty()) return;  // refused: the search stops unlisted
        shown.append(shownRow(input, soil));
        texts.push_back(screenTexts(input));
    });
    screen.cbt_YHcomputeClick();
    screen.setCandidateObserver({});

    const ResultList& raw = screen.rawList();
    if (raw.hasPileNumbers()) shown.assignPileNumbers();
    ASSERT_EQ(raw.size(), shown.size());
    EXPECT_GE(raw.size(), atLeast);
    for (std::size_t r = 0; r < raw.size(); ++r) {
        for (int c = 0; c < raw.columnCount(); ++c) {
            ASSERT_EQ(raw.cellText(r, c), shown.cellText(r, c))
                << "row " << r + 1 << ", column " << raw.layout().columns[c].header;
        }
        for (const auto& [field, text] : texts[r])
            ASSERT_EQ(raw.fieldText(r, field), text)
                << "row " << r + 1 << ", column "
                << raw.layout().columns[raw.layout().columnOf(field)].header;
        for (const ListField field : {ListField::Size1, ListField::Ra, ListField::Rc})
            ASSERT_EQ(raw.fieldValue(r, field), shown.fieldValue(r, field)) << "row " << r + 1;
    }
}

TEST(ListedRows, EveryCellOfASearchIsWhatTheInputScreenShowed) {
    for (const Search& search : kSearches) {
        SCOPED_TRACE(search.name);
        test::FakePlatform fake;
        FormulaOneWindow window(fake.platform);
        InputScreen& input = window.inputScreen();
        input.popbox_jingdu.setIndex(static_cast<int>(search.mode));
        input.cbb_jmlx.setIndex(2);
        window.cbt_YouHuaClick();
        OptimisationScreen& screen = window.optimisationScreen();
        setItems(screen, search.items);
        compareListWithScreen(screen, input, nullptr, 100);
    }
}

TEST(ListedRows, FormulaTwosSoilCellsAreWhatTheInputScreenShowed) {
    struct Case {
        const char* name;
        const char* dragLoad;
        const char* sideResistance;
        RoundingMode mode;
    };
    for (const Case& c : {Case{"both terms", "1", "1", RoundingMode::Units},
                          Case{"down-drag only", "1", "0", RoundingMode::TwoDecimals},
                          Case{"neither", "0", "0", RoundingMode::Hundreds}}) {
        SCOPED_TRACE(c.name);
        test::FakePlatform fake;
        FormulaTwoWindow window(fake.platform);
        FormulaTwoSoil soil;
        soil.dragLoad = true;
        soil.sideResistance = true;
        soil.drag.p = "20.00";
        soil.drag.layers.assign(3, SoilLayer{});
        for (int i = 0; i < 3; ++i) {
            SoilLayer& l = soil.drag.layers[static_cast<size_t>(i)];
            l.bottom = std::to_string(-2 * (i + 1));
            l.unitWeight = "18.5";
            l.xi = "0.25";
            l.qsik = "30";
        }
        soil.side.layers.assign(2, SideLayer{"4.000", "45.00"});
        window.typeSoil(soil);
        FormulaTwoInputScreen& input = window.formulaTwoInput();
        input.popbox_jingdu.setIndex(static_cast<int>(c.mode));
        window.cbt_YouHuaClick();
        OptimisationScreen& screen = window.optimisationScreen();
        setItems(screen, kSearches[1].items);
        screen.Grid1_Youhuaxuanxiang.editCell(12, 1, c.dragLoad);
        screen.Grid1_Youhuaxuanxiang.editCell(13, 1, c.sideResistance);
        compareListWithScreen(screen, input, &input, 100);
    }
}

}  // namespace
}  // namespace pile
