// The optimisation screen of the formula-two window: the soil switches of the item table, the
// soil columns and ratios of the lists, their sort and filter, fetch with the switches, and
// the list files with the appendix on the soil layers.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "app/model/formula_one_window.h"
#include "app/model/formula_two_window.h"
#include "core/text_width.h"
#include "optimise/strict_number.h"
#include "tests/model/fake_platform.h"

namespace pile {
namespace {

class FormulaTwoOptimisationTest : public ::testing::Test {
  protected:
    test::FakePlatform fake;
    FormulaTwoWindow window{fake.platform};
    FormulaTwoInputScreen& input = window.formulaTwoInput();
    OptimisationScreen& screen = window.optimisationScreen();
    Grid& items = screen.Grid1_Youhuaxuanxiang;

    void SetUp() override { window.cbt_YouHuaClick(); }

    void setSwitches(const std::string& drag, const std::string& side) {
        items.editCell(12, 1, drag);
        items.editCell(13, 1, side);
    }
    void setBounds(int row, const std::string& min, const std::string& max) {
        items.editCell(row, 1, min);
        items.editCell(row, 2, max);
    }
    std::vector<std::string> column(const ResultList& list, ListField field) const {
        std::vector<std::string> cells;
        for (size_t r = 0; r < list.size(); ++r) cells.push_back(list.fieldText(r, field));
        return cells;
    }
    // Where a field stands in the lists, for what goes by position: headers, clicks, folding.
    int col(ListField field) const { return screen.rawList().layout().columnOf(field); }
};

TEST_F(FormulaTwoOptimisationTest, TheItemTableHasTheSwitchAndFourFilterRows) {
    ASSERT_EQ(items.rowCount(), 19);
    EXPECT_EQ(items.cell(12, 0), "负摩阻力是否考虑");
    EXPECT_EQ(items.cell(12, 1), "1");
    EXPECT_EQ(items.cell(13, 1), "0");
    EXPECT_EQ(items.cell(17, 0), "筛选 [Nk](kN)");
    EXPECT_EQ(items.cell(18, 4), "筛选条件四，输入0不起控制作用");
    struct Case {
        int row, column;
        bool editable;
    };
    for (const Case c :
         {Case{12, 1, true}, Case{12, 2, false}, Case{13, 3, false}, Case{14, 1, false},
          Case{15, 1, true}, Case{18, 2, true}, Case{18, 3, false}, Case{11, 3, true}}) {
        SCOPED_TRACE(std::to_string(c.row) + "," + std::to_string(c.column));
        EXPECT_EQ(items.cellEditable(c.row, c.column), c.editable);
    }
    screen.cbt_YHcomputeClick();
    ASSERT_FALSE(screen.cbt_YHcompute.enabled());
    items.editCell(13, 1, "1");  // a switch edit enables 计算
    EXPECT_TRUE(screen.cbt_YHcompute.enabled());
}

TEST_F(FormulaTwoOptimisationTest, TheDefaultSearchConsidersTheDownDragLoadAndFetchRestoresIt) {
    screen.cbt_YHcomputeClick();
    const ResultList& raw = screen.rawList();
    ASSERT_EQ(raw.size(), 360u);
    EXPECT_EQ(screen.lb_YHxingxi.text(), "计算完成，桩数：360 根");
    EXPECT_TRUE(input.ckb_fumozhuli.checked());
    EXPECT_FALSE(input.ckb_zhengmozhuli.checked());
    for (size_t r = 0; r < raw.size(); ++r) {
        ASSERT_EQ(raw.fieldText(r, ListField::IdQgn), "1");
        ASSERT_EQ(raw.fieldText(r, ListField::IdFsk), "0");
    }
    // Every soil cell is what the input screen showed for that pile computed by hand.
    test::FakePlatform p;
    FormulaTwoWindow byHand(p.platform);
    FormulaTwoInputScreen& s = byHand.formulaTwoInput();
    s.ckb_fumozhuli.setChecked(true);
    s.cbe_hr.setText("2.0d");
    s.edt_frk.setText("35.00");
    s.cbb_hnt.setIndex(0);
    s.cbb_czgy.setIndex(0);
    s.cbt_computeClick();
    EXPECT_EQ(raw.fieldText(0, ListField::Ra), s.edt_ra.text());
    EXPECT_EQ(raw.fieldText(0, ListField::Qgn), s.edt_Qgn.text());
    EXPECT_EQ(raw.fieldText(0, ListField::NkLimit), s.edt_Nkxianzhi.text());
    EXPECT_EQ(raw.fieldText(0, ListField::NLimit), s.edt_Nxianzhi.text());
    const double nkRatio = 100 * readDecimal(s.edt_Nkxianzhi.text()) / readDecimal(s.edt_ra.text());
    EXPECT_EQ(raw.fieldText(0, ListField::NkRatio), FormatFixed(nkRatio, 10, 0) + "%");

    // A fetch sets the check boxes from the row, whatever they show now.
    input.ckb_fumozhuli.setChecked(false);
    input.ckb_zhengmozhuli.setChecked(true);
    screen.Grid2_YouhuajieguoCellDblClick(5);
    EXPECT_TRUE(input.ckb_fumozhuli.checked());
    EXPECT_FALSE(input.ckb_zhengmozhuli.checked());
    EXPECT_TRUE(input.edt_Qgn.text().empty());
    EXPECT_TRUE(input.edt_Nkxianzhi.text().empty());
    EXPECT_TRUE(input.cbt_compute.visible());
}

TEST_F(FormulaTwoOptimisationTest, WithoutSoilTermsTheSharedColumnsAreThoseOfFormulaOne) {
    setSwitches("-3", "0");
    screen.cbt_YHcomputeClick();
    test::FakePlatform p;
    FormulaOneWindow one(p.platform);
    one.cbt_YouHuaClick();
    one.optimisationScreen().cbt_YHcomputeClick();
    const ResultList& two = screen.rawList();
    const ResultList& first = one.optimisationScreen().rawList();
    ASSERT_EQ(two.size(), first.size());
    for (const ListColumn& c : first.layout().columns)
        EXPECT_EQ(column(two, c.field), column(first, c.field)) << c.header;
    EXPECT_EQ(two.fieldText(0, ListField::Qgn), "0");
    EXPECT_EQ(two.fieldText(0, ListField::NkLimit), two.fieldText(0, ListField::Ra));
    EXPECT_EQ(two.fieldText(0, ListField::NkRatio), "100%");
    EXPECT_EQ(two.fieldText(0, ListField::NRatio), "100%");
    EXPECT_EQ(two.fieldText(0, ListField::IdQgn), "0");
    EXPECT_FALSE(input.ckb_fumozhuli.checked());

    setSwitches("5", "1");  // any integer from 1 up switches on
    screen.cbt_YHcomputeClick();
    EXPECT_TRUE(input.ckb_fumozhuli.checked());
    EXPECT_TRUE(input.ckb_zhengmozhuli.checked());
    EXPECT_EQ(screen.rawList().fieldText(0, ListField::IdFsk), "1");

    setSwitches("yes", "1");
    EXPECT_FALSE(dispatchEvent(fake.errors, [this] { screen.cbt_YHcomputeClick(); }));
    EXPECT_TRUE(screen.rawList().empty());
}

TEST_F(FormulaTwoOptimisationTest, TheLimitAndRatioColumnsSortAndMarkTheirHeaders) {
    screen.cbt_YHcomputeClick();
    const ResultList& raw = screen.rawList();
    const ListGrid& grid = screen.Grid2_Youhuajieguo;
    const int nk = col(ListField::NkLimit), nkRatio = col(ListField::NkRatio),
              nRatio = col(ListField::NRatio);
    EXPECT_EQ(grid.headers()[nk], "[Nk](kN)");
    EXPECT_EQ(grid.headers()[nkRatio], " [Nk]/Ra");

    screen.Grid2_YouhuajieguoHeaderClick(nkRatio);
    EXPECT_EQ(screen.lb_YHxingxi.text(), "[Nk]/Ra升序排列完成");
    EXPECT_EQ(grid.headers()[nkRatio], "[Nk]/Ra▲");
    for (size_t r = 1; r < raw.size(); ++r) {
        const std::string a = raw.fieldText(r - 1, ListField::NkRatio),
                          b = raw.fieldText(r, ListField::NkRatio);
        ASSERT_LE(readDecimal(a.substr(0, a.size() - 1)), readDecimal(b.substr(0, b.size() - 1)));
    }
    for (const char* status : {"[N]/Rc升序排列完成", "[N]/Rc降序排列完成", "[N]/Rc升序排列完成"}) {
        screen.Grid2_YouhuajieguoHeaderClick(nRatio);
        EXPECT_EQ(screen.lb_YHxingxi.text(), status);
    }
    EXPECT_EQ(grid.headers()[nRatio], "[N]/Rc▲");
    EXPECT_EQ(grid.headers()[nkRatio], " [Nk]/Ra");
    screen.Grid2_YouhuajieguoHeaderClick(nk);
    EXPECT_EQ(screen.lb_YHxingxi.text(), "[Nk]升序排列完成");
    screen.Grid2_YouhuajieguoHeaderClick(col(ListField::Qgn));
    EXPECT_EQ(screen.lb_YHxingxi.text(), "仅支持d、Ra、Rc、[Nk]、[N]及比率排序");
}

TEST_F(FormulaTwoOptimisationTest, TheFilterBoundsAllFourValuesAndDropsNegativeLimits) {
    // A down-drag load large enough to turn some limits negative.
    NegativeFrictionScreen& drag = window.dragScreen();
    drag.cbe_Junbuhezai.setText("100");
    Grid& layers = drag.Grid1_Fumozhulijisuan;
    layers.editCell(0, drag_col::kBottom, "-30");
    layers.editCell(0, drag_col::kUnitWeight, "18");
    layers.editCell(0, drag_col::kXi, "0.4");
    layers.editCell(0, drag_col::kQsik, "100");
    screen.cbt_YHcomputeClick();
    const ResultList& raw = screen.rawList();
    size_t nonNegative = 0;
    for (size_t r = 0; r < raw.size(); ++r)
        nonNegative +=
            raw.fieldValue(r, ListField::NkLimit) >= 0 && raw.fieldValue(r, ListField::NLimit) >= 0;
    ASSERT_LT(nonNegative, raw.size());
    ASSERT_GT(nonNegative, 0u);

    for (int row : {15, 16, 17, 18}) setBounds(row, "0", "0");
    screen.cbt_YHsaixuanClick();
    EXPECT_EQ(screen.filteredList().size(), nonNegative);
    EXPECT_EQ(&screen.filteredList().layout(), &formulaTwoListLayout());

    const std::string nk = raw.fieldText(3, ListField::NkLimit);
    setBounds(17, nk, nk);
    screen.cbt_YHsaixuanClick();
    for (size_t r = 0; r < screen.filteredList().size(); ++r)
        EXPECT_EQ(screen.filteredList().fieldText(r, ListField::NkLimit), nk);
}

TEST_F(FormulaTwoOptimisationTest, FoldLeavesTheSoilColumnsShownAndTheSwitchColumnsHidden) {
    const ListGrid& grid = screen.Grid2_Youhuajieguo;
    for (int press = 0; press < 3; ++press) {
        SCOPED_TRACE(press);
        for (ListField field : {ListField::Qgn, ListField::NkLimit, ListField::NkRatio,
                                ListField::NLimit, ListField::NRatio})
            EXPECT_TRUE(grid.columnVisible(col(field)));
        EXPECT_FALSE(grid.columnVisible(col(ListField::IdQgn)));
        EXPECT_FALSE(grid.columnVisible(col(ListField::IdFsk)));
        EXPECT_EQ(grid.columnVisible(col(ListField::Note)),
                  grid.columnVisible(col(ListField::Depth)));
        screen.cbt_zhangkaiClick();
    }
}

// The list files of the default search: 210 columns, the soil columns, the appendix.
TEST_F(FormulaTwoOptimisationTest, TheListFilesCarryTheSoilColumnsAndTheAppendix) {
    screen.cbt_YHcomputeClick();
    const auto file = screen.shownListFile(test::kFixedTime);
    ASSERT_TRUE(file.has_value());
    EXPECT_EQ(file->kind, ListFileKind::Raw);
    const std::vector<std::string>& lines = file->lines;
    const std::string equals93(93, '=');
    EXPECT_EQ(lines[0], equals93 + " 嵌岩桩优化计算原始结果 " + equals93);
    EXPECT_EQ(lines[1], std::string(210, '-'));
    EXPECT_TRUE(lines[2].ends_with("桩身强度  下拉荷载  荷载限值  荷载比率  荷载限值  荷载比率 "));
    EXPECT_TRUE(lines[3].ends_with("Rc(kN)    Qgn(kN)  [Nk](kN)   [Nk]/Ra   [N](kN)   [N]/Rc  "));

    const ResultList& raw = screen.rawList();
    const auto r7 = [](const std::string& t, int blanks) {
        return PadLeft(t, " ", 7) + Spaces(blanks);
    };
    const auto cell = [&raw](ListField field) { return raw.fieldText(0, field); };
    const std::string tail = r7(cell(ListField::Ra), 3) + PadCenter("C25", " ", 8) + "  " +
                             r7(cell(ListField::Rc), 3) + r7(cell(ListField::Qgn), 3) +
                             r7(cell(ListField::NkLimit), 3) + r7(cell(ListField::NkRatio), 3) +
                             r7(cell(ListField::NLimit), 3) + r7(cell(ListField::NRatio), 2);
    EXPECT_EQ(lines[5].substr(lines[5].size() - tail.size()), tail);
    EXPECT_EQ(DisplayWidth(lines[5]), 210);

    // The time line, an empty line, then the 65-column appendix of one drag layer.
    const std::vector<std::string> appendix = {
        std::string("计算时间：") + test::kFixedTime,
        "",
        std::string(65, '*'),
        "*  附录：桩侧土体参数                                           *",
        "*    1、 桩侧土体负摩阻力参数                                   *",
        "*        -----------------------------------------------------  *",
        "*        土层    地面标高    桩顶标高       地面大面积荷载      *",
        "*        数 m      Eg(m)       Ep(m)             p(kPa)         *",
        "*        -----------------------------------------------------  *",
        // "*", 8 blanks, R(3) m, 4, R(8) Eg, 4, R(8) Ep, 5, R(13) p, 10, "*"
        "*" + Spaces(8) + "  1" + Spaces(4) + "  -0.300" + Spaces(4) + "  -0.900" + Spaces(5) +
            "        10.00" + Spaces(10) + "*",
        "*        -----------------------------------------------------  *",
        "*        土层    层底标高    土体重度    负摩阻力    土层侧阻   *",
        "*        序号      Ei(m)    γi(kN/m3)   系数ξni    qsik(kPa)  *",
        "*        -----------------------------------------------------  *",
        // "*", 8, R(3) layer, 5, R(8) Ei, 4, R(7) gamma, 5, R(6) xi, 6, R(7) qsik, 4, "*"
        "*" + Spaces(8) + "  1" + Spaces(5) + " -10.000" + Spaces(4) + "  17.00" + Spaces(5) +
            "  0.30" + Spaces(6) + "  25.00" + Spaces(4) + "*",
        "*        -----------------------------------------------------  *",
        "*    2、 桩侧土体侧阻力不考虑。                                 *",
        std::string(65, '*'),
    };
    ASSERT_GE(lines.size(), appendix.size());
    EXPECT_EQ(
        std::vector<std::string>(lines.end() - static_cast<long>(appendix.size()), lines.end()),
        appendix);
}

TEST_F(FormulaTwoOptimisationTest, AFilteredFileWithoutDragLoadHasTheNarrowAppendix) {
    setSwitches("0", "1");
    window.sideScreen().cbb_ZhengTuchengshu.setIndex(1);
    window.sideScreen().Grid1_Zhengmozhulijisuan.editCell(1, side_col::kThickness, "2.5");
    window.sideScreen().Grid1_Zhengmozhulijisuan.editCell(1, side_col::kQsik, "60");
    screen.cbt_YHcomputeClick();
    for (int row : {15, 16, 17, 18}) setBounds(row, "0", "0");
    screen.cbt_YHsaixuanClick();
    const auto file = screen.shownListFile(test::kFixedTime);
    ASSERT_TRUE(file.has_value());
    EXPECT_EQ(file->kind, ListFileKind::Filtered);
    const std::vector<std::string> appendix = {
        std::string(50, '*'),
        "*  附录：桩侧土体参数                            *",
        "*    1、 桩侧土负摩阻力不考虑。                  *",
        "*    2、 桩侧土体侧阻力参数                      *",
        "*        -------------------------------------   *",
        "*        土层    土层    土层厚度    土层侧阻    *",
        "*        数 n    序号      li(m)     qsik(kPa)   *",
        "*        -------------------------------------   *",
        // "*", 8, R(3) n, 5, R(3) layer, 5, R(7) li, 5, R(7) qsik, 5, "*"
        "*" + Spaces(8) + "  2" + Spaces(5) + "  1" + Spaces(5) + " 10.000" + Spaces(5) +
            "  40.00" + Spaces(5) + "*",
        "*" + Spaces(8) + "  2" + Spaces(5) + "  2" + Spaces(5) + "    2.5" + Spaces(5) +
            "     60" + Spaces(5) + "*",
        "*        -------------------------------------   *",
        std::string(50, '*'),
    };
    const auto& lines = file->lines;
    EXPECT_EQ(
        std::vector<std::string>(lines.end() - static_cast<long>(appendix.size()), lines.end()),
        appendix);
    EXPECT_EQ(lines[0].find(" 嵌岩桩优化计算筛选结果 "), 93u);
}

TEST(ResultListRatios, RatiosComeFromTheShownTextsAndNeverDivideByZero) {
    struct Case {
        const char* name;
        double ra, nk;
        RoundingMode mode;
        const char* ratio;
    };
    const Case cases[] = {
        {"shown texts", 15000, 12000, RoundingMode::Units, "80%"},
        // 12000 / 14900 shown, 80.05% unrounded
        {"rounded texts", 14996, 12004, RoundingMode::Hundreds, "81%"},
        {"negative limit", 10000, -2500, RoundingMode::Units, "-25%"},
        {"shown Ra of 0", 4, 3, RoundingMode::Tens, "75%"},
        {"Ra of 0", 0, 0, RoundingMode::Units, "0%"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        ResultList list(formulaTwoListLayout());
        ListRowValues v;
        v.ra = c.ra;
        v.rc = c.ra;
        v.nkLimit = c.nk;
        v.nLimit = c.nk;
        v.mode = c.mode;
        list.append(v);
        EXPECT_EQ(list.fieldText(0, ListField::NkRatio), c.ratio);
        EXPECT_EQ(list.fieldText(0, ListField::NRatio), c.ratio);
    }
}

}  // namespace
}  // namespace pile
