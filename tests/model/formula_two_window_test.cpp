// The formula-two window: the soil switches, the two soil screens with their layer grids, the
// limit fields, the input changes that empty them, and the formula-two books.
#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <functional>
#include <string>
#include <vector>

#include "app/model/formula_two_window.h"
#include "core/pile_input.h"
#include "core/text_width.h"
#include "tests/model/fake_platform.h"

namespace pile {
namespace {

class FormulaTwoWindowTest : public ::testing::Test {
  protected:
    test::FakePlatform fake;
    FormulaTwoWindow window{fake.platform};
    FormulaTwoInputScreen& input = window.formulaTwoInput();
    NegativeFrictionScreen& drag = window.dragScreen();
    SideResistanceScreen& side = window.sideScreen();
    Grid& dragGrid = drag.Grid1_Fumozhulijisuan;
    Grid& sideGrid = side.Grid1_Zhengmozhulijisuan;

    void bothSoilTermsOn() {
        input.ckb_fumozhuli.setChecked(true);
        input.ckb_zhengmozhuli.setChecked(true);
    }
    std::vector<std::string> column(const Grid& grid, int c) const {
        std::vector<std::string> cells;
        for (int r = 0; r < grid.rowCount(); ++r) cells.push_back(grid.cell(r, c));
        return cells;
    }
    std::vector<int> visibleColumns(const Grid& grid) const {
        std::vector<int> shown;
        for (int c = 0; c < grid.columnCount(); ++c)
            if (grid.columnVisible(c)) shown.push_back(c);
        return shown;
    }
};

TEST_F(FormulaTwoWindowTest, NewWindowHasOneDefaultLayerOnEachSoilScreen) {
    EXPECT_TRUE(window.MainFormLayer.visible());
    EXPECT_FALSE(window.Fumozhuli_FormLayer.visible());
    EXPECT_FALSE(window.Zhengmozhuli_FormLayer.visible());
    EXPECT_FALSE(input.ckb_fumozhuli.checked());
    EXPECT_FALSE(input.ckb_zhengmozhuli.checked());
    EXPECT_FALSE(input.cbt_fumozhuli.enabled());
    EXPECT_FALSE(input.cbt_zhengmozhuli.enabled());
    EXPECT_EQ(input.gpb_tuchengchanshu.text(), "土层参数");
    EXPECT_EQ(input.edt_Qgn.textColour(), TextColour::Green);
    EXPECT_EQ(input.edt_Nkxianzhi.textColour(), TextColour::OrangeRed);
    EXPECT_EQ(input.edt_Nxianzhi.textColour(), TextColour::OrangeRed);

    EXPECT_EQ(drag.cbe_Junbuhezai.text(), "10.00");
    EXPECT_EQ(drag.edt_Dimianbiaogao.text(), "-0.300");
    EXPECT_EQ(drag.edt_Zhuangdingbiaogao.text(), "-0.900");
    EXPECT_EQ(drag.cbb_Tuchengshu.text(), "1");
    ASSERT_EQ(dragGrid.rowCount(), 1);
    EXPECT_EQ(std::vector<std::string>(dragGrid.row(0).begin(), dragGrid.row(0).begin() + 6),
              (std::vector<std::string>{"1", "新近填土", "-10.000", "17.00", "0.30", "25.00"}));
    EXPECT_EQ(dragGrid.headers()[27], "占比图例");
    EXPECT_EQ(visibleColumns(dragGrid), (std::vector<int>{0, 2, 3, 4, 5}));
    EXPECT_EQ(drag.cbt_fmzlzhankai.text(), "展开");
    EXPECT_TRUE(drag.lb_FQgn.text().empty());

    EXPECT_EQ(side.cbb_ZhengTuchengshu.text(), "1");
    ASSERT_EQ(sideGrid.rowCount(), 1);
    EXPECT_EQ(std::vector<std::string>(sideGrid.row(0).begin(), sideGrid.row(0).begin() + 3),
              (std::vector<std::string>{"1", "10.000", "40.00"}));
    EXPECT_EQ(visibleColumns(sideGrid), (std::vector<int>{0, 1, 2}));

    // The reference tables are there from the start, with their notes.
    EXPECT_EQ(drag.Grid2_Fumozhulixishubiao.rowCount(), 5);
    EXPECT_EQ(drag.Grid2_Fumozhulixishubiao.cell(4, 1), "0.20～0.50");
    EXPECT_EQ(drag.gpb_Fmzlcankao.text(), "参考数据");
    EXPECT_EQ(side.Grid2_Zhengmozhulizhibiao.rowCount(), 24);
    EXPECT_EQ(side.Grid2_Zhengmozhulizhibiao.cell(2, 2), "0.50<IL≤0.75");
    EXPECT_EQ(side.lb_Zmzlzsm.text().substr(0, 3), "注");
}

TEST_F(FormulaTwoWindowTest, TheLayerCountSetsTheRowsAndNumbersThem) {
    drag.cbt_FmzlComputerClick();
    ASSERT_FALSE(drag.cbt_FmzlComputer.enabled());
    drag.cbb_Tuchengshu.setIndex(4);
    EXPECT_EQ(column(dragGrid, 0), (std::vector<std::string>{"1", "2", "3", "4", "5"}));
    EXPECT_TRUE(drag.lb_FQgn.text().empty());
    EXPECT_TRUE(drag.cbt_FmzlComputer.enabled());
    dragGrid.editCell(2, drag_col::kBottom, "-30");

    drag.cbb_Tuchengshu.setIndex(2);
    EXPECT_EQ(column(dragGrid, 0), (std::vector<std::string>{"1", "2", "3"}));
    EXPECT_EQ(dragGrid.cell(2, drag_col::kBottom), "-30");
    EXPECT_EQ(dragGrid.cell(0, drag_col::kBottom), "-10.000");

    drag.cbb_Tuchengshu.setIndex(5);
    EXPECT_EQ(column(dragGrid, 0), (std::vector<std::string>{"1", "2", "3", "4", "5", "6"}));
    EXPECT_EQ(dragGrid.cell(4, drag_col::kBottom), "");

    side.cbb_ZhengTuchengshu.setIndex(19);
    EXPECT_EQ(sideGrid.rowCount(), 20);
    EXPECT_EQ(sideGrid.cell(19, 0), "20");
}

TEST_F(FormulaTwoWindowTest, OnlyTheInputColumnsTakeEditsAndTheirTextIsKeptAsTyped) {
    struct Case {
        Grid* grid;
        int column;
        bool editable;
    };
    const Case cases[] = {
        {&dragGrid, 0, false}, {&dragGrid, 1, false},  {&dragGrid, 2, true},  {&dragGrid, 5, true},
        {&dragGrid, 6, false}, {&dragGrid, 29, false}, {&sideGrid, 0, false}, {&sideGrid, 1, true},
        {&sideGrid, 2, true},  {&sideGrid, 3, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.column);
        c.grid->selectCell(0, c.column);
        EXPECT_EQ(c.grid->editable(), c.editable);
        const std::string before = c.grid->cell(0, c.column);
        EXPECT_EQ(c.grid->editCell(0, c.column, " -7.50x"), c.editable);
        EXPECT_EQ(c.grid->cell(0, c.column), c.editable ? " -7.50x" : before);
    }
}

TEST_F(FormulaTwoWindowTest, AnEditOfAnInputEmptiesTheSoilResultAndEnablesItsCompute) {
    drag.cbt_FmzlComputerClick();
    side.cbt_ZmzlComputerClick();
    EXPECT_EQ(drag.lb_FQgn.text(), "Qgn=604.23kN");
    EXPECT_EQ(side.lb_Qsk.text(), "Qsk=1256.64kN");
    EXPECT_FALSE(side.cbt_ZmzlComputer.enabled());

    // Only the row count and column 0 change with the count; the grid results stay.
    dragGrid.editCell(0, drag_col::kXi, "0.30");  // the same text: still an ended edit
    EXPECT_TRUE(drag.lb_FQgn.text().empty());
    EXPECT_TRUE(drag.cbt_FmzlComputer.enabled());
    EXPECT_EQ(dragGrid.cell(0, drag_col::kQgin), "604.23");

    drag.cbt_FmzlComputerClick();
    drag.edt_Zhuangdingbiaogao.setText("-1.000");
    EXPECT_TRUE(drag.lb_FQgn.text().empty());

    sideGrid.editCell(0, side_col::kQsik, "50");
    EXPECT_TRUE(side.lb_Qsk.text().empty());
    EXPECT_TRUE(side.cbt_ZmzlComputer.enabled());
    // The input screen does not hear of it.
    EXPECT_TRUE(input.cbt_compute.visible());
}

TEST_F(FormulaTwoWindowTest, ExpandShowsTheResultColumnsAndPressedTwiceFoldsThem) {
    drag.cbt_fmzlzhankaiClick();
    EXPECT_EQ(drag.cbt_fmzlzhankai.text(), "折叠");
    EXPECT_EQ(visibleColumns(dragGrid).size(), 29u);
    EXPECT_FALSE(dragGrid.columnVisible(drag_col::kName));
    drag.cbt_fmzlzhankaiClick();
    EXPECT_EQ(drag.cbt_fmzlzhankai.text(), "展开");
    EXPECT_EQ(visibleColumns(dragGrid), (std::vector<int>{0, 2, 3, 4, 5}));

    side.cbt_ZhengZhankaiClick();
    EXPECT_EQ(visibleColumns(sideGrid), (std::vector<int>{0, 1, 2, 3, 4, 5, 6, 7, 8}));
    side.cbt_ZhengZhankaiClick();
    EXPECT_EQ(visibleColumns(sideGrid), (std::vector<int>{0, 1, 2}));
}

TEST_F(FormulaTwoWindowTest, SwitchesOpenTheSoilScreensAndBackEmptiesTheLimitsEvenUnchanged) {
    bothSoilTermsOn();
    EXPECT_TRUE(input.cbt_fumozhuli.enabled());
    EXPECT_TRUE(input.cbt_zhengmozhuli.enabled());
    input.cbt_computeClick();
    ASSERT_EQ(input.edt_Nkxianzhi.text(), "9039");

    window.cbt_fumozhuliClick();
    EXPECT_FALSE(window.MainFormLayer.visible());
    EXPECT_TRUE(window.Fumozhuli_FormLayer.visible());
    window.cbt_FmzlfanhuiClick();
    EXPECT_TRUE(window.MainFormLayer.visible());
    EXPECT_FALSE(window.Fumozhuli_FormLayer.visible());
    EXPECT_EQ(input.edt_Qgn.text(), "");
    EXPECT_EQ(input.edt_Nkxianzhi.text(), "");
    EXPECT_EQ(input.edt_Nxianzhi.text(), "");
    EXPECT_EQ(input.edt_ra.text(), "9039");
    EXPECT_TRUE(input.cbt_compute.visible());
    EXPECT_FALSE(input.cbt_View.visible());

    input.cbt_computeClick();
    window.cbt_zhengmozhuliClick();
    EXPECT_TRUE(window.Zhengmozhuli_FormLayer.visible());
    window.cbt_ZmzlfanhuiClick();
    EXPECT_EQ(input.edt_ra.text(), "");
    EXPECT_EQ(input.edt_Nkxianzhi.text(), "");
    EXPECT_EQ(input.edt_Qgn.text(), "604");
    EXPECT_EQ(input.edt_Nxianzhi.text(), "7137");
    EXPECT_TRUE(input.cbt_compute.visible());
}

// Which result fields an input change empties, after a computation with both soil terms.
TEST_F(FormulaTwoWindowTest, InputChangesEmptyTheFieldsThatDependOnThem) {
    enum Field { Kesair, Ra, Rc, Qgn, Nk, N };
    struct Case {
        const char* name;
        std::function<void(FormulaTwoInputScreen&)> change;
        std::vector<Field> emptied;
    };
    const std::vector<Case> cases = {
        {"section", [](auto& s) { s.cbb_jmlx.setIndex(1); }, {Kesair, Ra, Rc, Qgn, Nk, N}},
        {"size", [](auto& s) { s.cbe_dd.setText("1200"); }, {Kesair, Ra, Rc, Qgn, Nk, N}},
        {"process", [](auto& s) { s.cbb_czgy.setIndex(2); }, {Kesair, Ra, Rc, Nk, N}},
        {"grade", [](auto& s) { s.cbb_hnt.setIndex(3); }, {Rc, N}},
        {"depth", [](auto& s) { s.cbe_hr.setText("2.0d"); }, {Kesair, Ra, Nk}},
        {"frk", [](auto& s) { s.edt_frk.setText("30"); }, {Kesair, Ra, Nk}},
        {"drag switch", [](auto& s) { s.ckb_fumozhuli.setChecked(false); }, {Qgn, Nk, N}},
        {"side switch", [](auto& s) { s.ckb_zhengmozhuli.setChecked(false); }, {Ra, Nk}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        test::FakePlatform platform;
        FormulaTwoWindow w(platform.platform);
        FormulaTwoInputScreen& s = w.formulaTwoInput();
        s.ckb_fumozhuli.setChecked(true);
        s.ckb_zhengmozhuli.setChecked(true);
        s.cbt_computeClick();
        ASSERT_TRUE(s.cbt_View.visible());
        c.change(s);
        const Edit* fields[] = {&s.edt_kesair, &s.edt_ra,        &s.edt_rc,
                                &s.edt_Qgn,    &s.edt_Nkxianzhi, &s.edt_Nxianzhi};
        for (int f = Kesair; f <= N; ++f) {
            const bool emptied = std::find(c.emptied.begin(), c.emptied.end(),
                                           static_cast<Field>(f)) != c.emptied.end();
            EXPECT_EQ(fields[f]->text().empty(), emptied) << "field " << f;
        }
        EXPECT_FALSE(s.cbt_View.visible());
    }
}

TEST_F(FormulaTwoWindowTest, SectionAndSizeChangesMakeTheSoilResultsStale) {
    // A section switch rewrites the second size, so the perimeter, and with it both soil
    // results, are stale whichever section is chosen.
    for (int section : {2, 1, 0}) {
        SCOPED_TRACE(section);
        drag.cbt_FmzlComputerClick();
        side.cbt_ZmzlComputerClick();
        input.cbb_jmlx.setIndex(section);
        EXPECT_TRUE(drag.cbt_FmzlComputer.enabled());
        EXPECT_TRUE(side.cbt_ZmzlComputer.enabled());
        EXPECT_TRUE(drag.lb_FQgn.text().empty());
        EXPECT_TRUE(side.lb_Qsk.text().empty());
    }

    drag.cbt_FmzlComputerClick();
    side.cbt_ZmzlComputerClick();
    input.cbe_dd.setText("1500");
    EXPECT_TRUE(drag.lb_FQgn.text().empty());
    EXPECT_TRUE(side.lb_Qsk.text().empty());
    EXPECT_TRUE(drag.cbt_FmzlComputer.enabled());
}

TEST_F(FormulaTwoWindowTest, ComputeRunsTheCheckedSoilScreensAndShowsTheLimits) {
    input.ckb_fumozhuli.setChecked(true);
    input.cbt_computeClick();
    // The drag screen was computed as if its own button had been pressed; the side one not.
    EXPECT_EQ(drag.lb_FQgn.text(), "Qgn=604.23kN");
    EXPECT_FALSE(drag.cbt_FmzlComputer.enabled());
    EXPECT_EQ(dragGrid.cell(0, drag_col::kShape), "梯形+矩形");
    EXPECT_TRUE(side.lb_Qsk.text().empty());
    EXPECT_EQ(input.edt_ra.text(), "8410");
    EXPECT_EQ(input.edt_Qgn.text(), "604");
    EXPECT_EQ(input.edt_Nkxianzhi.text(), "8410");
    EXPECT_EQ(input.edt_Nxianzhi.text(), "7137");
    // A normal limit check empties the strip, rock class included.
    EXPECT_TRUE(input.lb_shuoming.text().empty());
    EXPECT_EQ(input.lb_shuoming.textColour(), TextColour::Black);
    EXPECT_EQ(window.pileCounter(), 1);
    EXPECT_EQ(window.bookSaveState(), 3);
}

TEST_F(FormulaTwoWindowTest, ANegativeLimitIsRedAndTheNextNormalPileIsOrangeRedAgain) {
    input.ckb_fumozhuli.setChecked(true);
    drag.cbe_Junbuhezai.setText("500");
    dragGrid.editCell(0, drag_col::kBottom, "-40");
    dragGrid.editCell(0, drag_col::kUnitWeight, "20");
    dragGrid.editCell(0, drag_col::kXi, "0.5");
    dragGrid.editCell(0, drag_col::kQsik, "200");
    input.cbt_computeClick();
    EXPECT_EQ(input.edt_Qgn.text(), "24567");
    EXPECT_EQ(input.edt_Nkxianzhi.text(), "-11952");
    EXPECT_EQ(input.edt_Nkxianzhi.textColour(), TextColour::Red);
    EXPECT_EQ(input.edt_Nxianzhi.textColour(), TextColour::Red);
    EXPECT_EQ(input.lb_shuoming.text(), "下拉荷载太大，引发竖向荷载限值异常");
    EXPECT_EQ(input.lb_shuoming.textColour(), TextColour::Red);
    EXPECT_TRUE(input.lb_shuoming.visible());
    EXPECT_FALSE(input.img_Logo.visible());
    EXPECT_EQ(window.pileCounter(), 1);  // still shown and booked

    input.ckb_fumozhuli.setChecked(false);
    input.cbt_computeClick();
    EXPECT_EQ(input.edt_Nkxianzhi.textColour(), TextColour::OrangeRed);
    EXPECT_EQ(input.edt_Nxianzhi.textColour(), TextColour::OrangeRed);
    EXPECT_TRUE(input.lb_shuoming.text().empty());
    EXPECT_EQ(input.edt_Qgn.text(), "0");
}

TEST_F(FormulaTwoWindowTest, ANegativeSideResistanceShowsTheInputMessageStrip) {
    side.cbt_ZmzlComputerClick();
    EXPECT_TRUE(input.img_Logo.visible());
    sideGrid.editCell(0, side_col::kQsik, "-10");
    side.cbt_ZmzlComputerClick();
    EXPECT_EQ(side.lb_ZMZxinxi.text(), "第1层土侧阻力错");
    EXPECT_EQ(side.lb_ZMZxinxi.textColour(), TextColour::Red);
    EXPECT_FALSE(input.img_Logo.visible());
    EXPECT_TRUE(input.lb_shuoming.visible());
    EXPECT_TRUE(input.lb_shuoming.text().empty());
}

TEST_F(FormulaTwoWindowTest, ARefusedPileRunsNoSoilCalculation) {
    bothSoilTermsOn();
    input.cbe_dd.setText("0");
    input.cbt_computeClick();
    EXPECT_EQ(input.lb_shuoming.text(), "桩身直径数据有错");
    EXPECT_TRUE(drag.lb_FQgn.text().empty());
    EXPECT_TRUE(drag.cbt_FmzlComputer.enabled());
    EXPECT_EQ(window.pileCounter(), 0);
}

// Layers their own screen reports as wrong refuse the pile, as any bad input does: in red,
// with the button of that soil screen marked, and nothing booked.
TEST_F(FormulaTwoWindowTest, SoilLayersTheirScreenReportsRefuseThePile) {
    struct Case {
        const char* name;
        bool side;
        std::vector<std::array<const char*, 2>> sideLayers;  // li, qsik
        std::vector<const char*> dragBottoms;                // Ei, below Eg = -0.300
        const char* message;
    };
    const std::vector<Case> cases = {
        {"negative thickness", true, {{"5", "40"}, {"-1000", "100"}}, {}, "第2层土厚度错"},
        {"negative resistance", true, {{"-5", "40"}, {"5", "-40"}}, {}, "第1层土厚度错"},
        {"negative resistance alone", true, {{"5", "40"}, {"5", "-40"}}, {}, "第2层土侧阻力错"},
        {"bottom above its top", false, {}, {"-10", "-5", "-20"}, "第2层层底标高高于上一层底标高"},
        {"bottom above the ground", false, {}, {"0"}, "第1层层底标高高于上一层底标高"},
        {"equal elevations", false, {}, {"-10", "-10", "-20"}, nullptr},
        // Texts that are not numbers, before any layer check of their screen.
        {"decimal comma", true, {{"-5", "40"}, {"2,5", "40"}}, {}, "第2层土厚度错"},
        {"qsik in words", true, {{"5", "四十六"}}, {}, "第1层土侧阻力错"},
        {"elevation with a comma", false, {}, {"-5", "-10,5"}, "第2层层底标高数据有错"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        test::FakePlatform platform;
        FormulaTwoWindow w(platform.platform);
        FormulaTwoInputScreen& s = w.formulaTwoInput();
        if (c.side) {
            s.ckb_zhengmozhuli.setChecked(true);
            Grid& grid = w.sideScreen().Grid1_Zhengmozhulijisuan;
            w.sideScreen().cbb_ZhengTuchengshu.setIndex(static_cast<int>(c.sideLayers.size()) - 1);
            for (int r = 0; r < grid.rowCount(); ++r) {
                grid.editCell(r, side_col::kThickness, c.sideLayers[static_cast<size_t>(r)][0]);
                grid.editCell(r, side_col::kQsik, c.sideLayers[static_cast<size_t>(r)][1]);
            }
        } else {
            s.ckb_fumozhuli.setChecked(true);
            Grid& grid = w.dragScreen().Grid1_Fumozhulijisuan;
            w.dragScreen().cbb_Tuchengshu.setIndex(static_cast<int>(c.dragBottoms.size()) - 1);
            for (int r = 0; r < grid.rowCount(); ++r) {
                grid.editCell(r, drag_col::kBottom, c.dragBottoms[static_cast<size_t>(r)]);
                for (int col : {drag_col::kUnitWeight, drag_col::kXi, drag_col::kQsik})
                    grid.editCell(r, col, "10");
            }
        }
        s.cbt_computeClick();
        if (!c.message) {
            EXPECT_EQ(w.pileCounter(), 1);
            continue;
        }
        EXPECT_EQ(s.lb_shuoming.text(), c.message);
        EXPECT_EQ(s.lb_shuoming.textColour(), TextColour::Red);
        EXPECT_EQ((c.side ? s.cbt_zhengmozhuli : s.cbt_fumozhuli).textColour(), TextColour::Red);
        EXPECT_EQ(s.edt_ra.text(), "");
        EXPECT_TRUE(s.cbt_compute.visible());
        EXPECT_EQ(w.pileCounter(), 0);
        // The soil screen was computed and says so in its own label.
        EXPECT_FALSE(
            (c.side ? w.sideScreen().lb_ZMZxinxi : w.dragScreen().lb_FMZxinxi).text().empty());
    }
}

TEST_F(FormulaTwoWindowTest, ASoilTextThatIsNoNumberComputesNothingOnItsScreen) {
    side.cbt_ZmzlComputerClick();
    ASSERT_EQ(sideGrid.cell(0, side_col::kResistance), "1256.64");
    sideGrid.editCell(0, side_col::kThickness, "2,5");
    side.cbt_ZmzlComputerClick();
    EXPECT_EQ(side.lb_ZMZxinxi.text(), "第1层土厚度错");
    EXPECT_EQ(side.lb_ZMZxinxi.textColour(), TextColour::Red);
    EXPECT_EQ(side.lb_Qsk.text(), "");
    for (int c = side_col::kPerimeter; c < kSideGridColumns; ++c)
        EXPECT_EQ(sideGrid.cell(0, c), "") << c;
    EXPECT_EQ(sideGrid.cell(0, side_col::kThickness), "2,5");
    EXPECT_TRUE(side.cbt_ZmzlComputer.enabled());

    drag.cbt_FmzlComputerClick();
    ASSERT_FALSE(drag.lb_FQgn.text().empty());
    dragGrid.editCell(0, drag_col::kUnitWeight, "19,8");
    drag.cbt_FmzlComputerClick();
    EXPECT_EQ(drag.lb_FMZxinxi.text(), "第1层土重度数据有错");
    EXPECT_EQ(drag.lb_FQgn.text(), "");
    EXPECT_EQ(dragGrid.cell(0, drag_col::kQgin), "");
    EXPECT_TRUE(drag.cbt_FmzlComputer.enabled());
    drag.edt_Dimianbiaogao.setText("-0,3");
    drag.cbt_FmzlComputerClick();
    EXPECT_EQ(drag.lb_FMZxinxi.text(), "地面标高数据有错");
}

TEST_F(FormulaTwoWindowTest, ASoilButtonIsUnmarkedOnceItsLayersPass) {
    bothSoilTermsOn();
    sideGrid.editCell(0, side_col::kThickness, "-1");
    input.cbt_computeClick();
    EXPECT_EQ(input.cbt_zhengmozhuli.textColour(), TextColour::Red);

    // The side layers pass now; the drag layers are refused.
    sideGrid.editCell(0, side_col::kThickness, "10");
    dragGrid.editCell(0, drag_col::kXi, "0,35");
    input.cbt_computeClick();
    EXPECT_EQ(input.lb_shuoming.text(), "第1层土负摩阻力系数数据有错");
    EXPECT_EQ(input.cbt_zhengmozhuli.textColour(), TextColour::Black);
    EXPECT_EQ(input.cbt_fumozhuli.textColour(), TextColour::Red);

    dragGrid.editCell(0, drag_col::kXi, "0.35");
    input.cbt_computeClick();
    EXPECT_EQ(window.pileCounter(), 1);
    EXPECT_EQ(input.cbt_fumozhuli.textColour(), TextColour::Black);
    EXPECT_EQ(input.cbt_zhengmozhuli.textColour(), TextColour::Black);
}

TEST_F(FormulaTwoWindowTest, RowsALowerLayerCountTookComeBackWithTheirTexts) {
    side.cbb_ZhengTuchengshu.setIndex(3);
    dragGrid.editCell(0, drag_col::kBottom, "-5");
    for (int r = 0; r < 4; ++r) {
        sideGrid.editCell(r, side_col::kThickness, std::to_string(r + 1));
        sideGrid.editCell(r, side_col::kQsik, std::to_string(10 * (r + 1)));
    }
    side.cbt_ZmzlComputerClick();
    side.cbb_ZhengTuchengshu.setIndex(1);
    ASSERT_EQ(sideGrid.rowCount(), 2);
    side.cbb_ZhengTuchengshu.setIndex(4);
    EXPECT_EQ(column(sideGrid, side_col::kThickness),
              (std::vector<std::string>{"1", "2", "3", "4", ""}));
    EXPECT_EQ(column(sideGrid, side_col::kQsik),
              (std::vector<std::string>{"10", "20", "30", "40", ""}));
    // Typed texts only: what was computed from them is stale.
    EXPECT_EQ(sideGrid.cell(2, side_col::kResistance), "");
    EXPECT_EQ(column(sideGrid, 0), (std::vector<std::string>{"1", "2", "3", "4", "5"}));

    drag.cbb_Tuchengshu.setIndex(2);
    dragGrid.editCell(2, drag_col::kXi, "0.25");
    drag.cbb_Tuchengshu.setIndex(0);
    drag.cbb_Tuchengshu.setIndex(2);
    EXPECT_EQ(dragGrid.cell(2, drag_col::kXi), "0.25");
    EXPECT_EQ(dragGrid.cell(0, drag_col::kBottom), "-5");
}

TEST_F(FormulaTwoWindowTest, ComputedPilesGoIntoTheWiderBooks) {
    bothSoilTermsOn();
    input.cbt_computeClick();
    input.cbe_dd.setText("1200");
    input.cbt_computeClick();
    BookScreen& books = window.bookScreen();
    EXPECT_EQ(window.pileCounter(), 2);
    const auto& table = books.meo_jisuanjieguo_Xls.lines();
    ASSERT_FALSE(table.empty());
    EXPECT_EQ(DisplayWidth(table.front()), 250);
    books.cbt_sanchuClick();
    EXPECT_EQ(window.pileCounter(), 1);

    window.setOptimisationMode(true);
    input.cbt_computeClick();
    EXPECT_EQ(window.pileCounter(), 1);
}

// Any text in any cell, up to 20 layers, gives finite numbers in every field, cell and book
// line, and never "-0". Most of these piles are refused by their layers or texts; every second
// round keeps to numbers, the side layers positive and the bottoms falling, so that piles with
// extreme layers reach the books too.
TEST_F(FormulaTwoWindowTest, ExtremeLayersNeverGiveNonFiniteOrNegativeZeroTexts) {
    const std::vector<std::string> texts = {
        "", "abc", "-0", "1e308", "-1e308", "1e-320", "0.0000001", "-5", "99999999999", ".", "1,5"};
    bothSoilTermsOn();
    drag.cbb_Tuchengshu.setIndex(19);
    side.cbb_ZhengTuchengshu.setIndex(19);
    for (size_t round = 0; round < texts.size(); ++round) {
        const bool accepted = round % 2 == 1;
        // An accepted round holds numbers only: a text that is no number refuses the pile.
        const auto text = [&texts, accepted](size_t i) {
            const std::string& t = texts[i % texts.size()];
            return !accepted || ParseLeadingNumber(t) ? t : std::string();
        };
        for (int r = 0; r < 20; ++r) {
            for (int c = drag_col::kBottom; c <= drag_col::kQsik; ++c)
                dragGrid.editCell(r, c, text(round + r * 3 + c));
            for (int c = side_col::kThickness; c <= side_col::kQsik; ++c)
                sideGrid.editCell(r, c, text(round * 5 + r + c));
            if (!accepted) continue;
            dragGrid.editCell(r, drag_col::kBottom, std::to_string(-1e6 * (r + 1)));
            for (int c = side_col::kThickness; c <= side_col::kQsik; ++c) {
                const std::string& t = sideGrid.cell(r, c);
                if (!t.empty() && t[0] == '-') sideGrid.editCell(r, c, t.substr(1));
            }
        }
        drag.cbe_Junbuhezai.setText(text(round));
        drag.edt_Dimianbiaogao.setText(accepted ? "0" : text(round + 1));
        drag.edt_Zhuangdingbiaogao.setText(text(round + 2));
        input.cbt_computeClick();
    }
    std::vector<std::string> shown = {input.edt_ra.text(),        input.edt_Qgn.text(),
                                      input.edt_Nkxianzhi.text(), input.edt_Nxianzhi.text(),
                                      drag.lb_FQgn.text(),        side.lb_Qsk.text()};
    for (const Grid* g : {&dragGrid, &sideGrid})
        for (int r = 0; r < g->rowCount(); ++r)
            for (int c = g == &dragGrid ? drag_col::kPerimeter : side_col::kPerimeter;
                 c < g->columnCount(); ++c)
                shown.push_back(g->cell(r, c));
    for (const auto& line : window.bookScreen().meo_jisuanjieguo_Doc.lines()) shown.push_back(line);
    EXPECT_EQ(window.pileCounter(), static_cast<int>(texts.size() / 2));
    for (const std::string& text : shown) {
        EXPECT_EQ(text.find("inf"), std::string::npos) << text;
        EXPECT_EQ(text.find("nan"), std::string::npos) << text;
        EXPECT_NE(text, "-0");
        EXPECT_EQ(text.find("-0.00 "), std::string::npos) << text;
    }
}

}  // namespace
}  // namespace pile
