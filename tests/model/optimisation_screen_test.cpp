// The optimisation screen of the formula-one window: the search through the input screen, its
// numbering and stops, the sort with its marks, the filter, fetch, fold and save of the lists.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <string>
#include <vector>

#include "app/model/formula_one_window.h"
#include "books/text_file.h"
#include "core/text_width.h"
#include "optimise/strict_number.h"
#include "tests/model/fake_platform.h"

namespace pile {
namespace {

class OptimisationScreenTest : public ::testing::Test {
  protected:
    test::FakePlatform fake;
    FormulaOneWindow window{fake.platform};
    InputScreen& input = window.inputScreen();
    OptimisationScreen& screen = window.optimisationScreen();
    Grid& items = screen.Grid1_Youhuaxuanxiang;

    void SetUp() override { window.cbt_YouHuaClick(); }

    // Types min, max and step into an item row.
    void setItem(int row, const std::string& min, const std::string& max, const std::string& step) {
        items.editCell(row, 1, min);
        items.editCell(row, 2, max);
        items.editCell(row, 3, step);
    }
    std::vector<std::string> rowTexts(const ResultList& list, size_t row) const {
        std::vector<std::string> cells;
        for (int c = 0; c < list.columnCount(); ++c) cells.push_back(list.cellText(row, c));
        return cells;
    }
    std::vector<std::string> column(const ResultList& list, ListField field) const {
        std::vector<std::string> cells;
        for (size_t r = 0; r < list.size(); ++r) cells.push_back(list.fieldText(r, field));
        return cells;
    }
    // Where a field stands in the lists, for what goes by position: headers, clicks, folding.
    int col(ListField field) const { return screen.rawList().layout().columnOf(field); }
    // One candidate typed by hand into a fresh window and computed there.
    struct Shown {
        std::string kesair, ra, rc;
    };
    Shown computeByHand(int section, const std::string& dd, const std::string& tyzd,
                        const std::string& hr, bool fuk, const std::string& rock, int grade,
                        int process) {
        test::FakePlatform p;
        FormulaOneWindow w(p.platform);
        InputScreen& s = w.inputScreen();
        s.cbb_jmlx.setIndex(section);
        s.cbe_dd.setText(dd);
        s.cbe_tyzd.setText(tyzd);
        s.cbe_hr.setText(hr);
        if (fuk) {
            s.rdb_fuk.select();
            s.edt_fuk.setText(rock);
        } else {
            s.edt_frk.setText(rock);
        }
        s.cbb_hnt.setIndex(grade);
        s.cbb_czgy.setIndex(process);
        s.cbt_computeClick();
        return {s.edt_kesair.text(), s.edt_ra.text(), s.edt_rc.text()};
    }
};

TEST_F(OptimisationScreenTest, OpeningSetsOptimisationModeAndLeavingFollowsThePileCounter) {
    EXPECT_FALSE(window.MainFormLayer.visible());
    EXPECT_TRUE(window.YouHuaFormLayer.visible());
    EXPECT_TRUE(window.optimisationMode());
    EXPECT_EQ(screen.lb_youhuabiaoti.text(), "嵌岩桩优化设计");
    EXPECT_EQ(items.cell(6, 1), "2.0d");
    EXPECT_EQ(items.cell(13, 0), "筛选 Ra(kN)");
    EXPECT_TRUE(screen.cbt_YHcompute.enabled());
    EXPECT_FALSE(screen.cbt_YHsaixuan.enabled());
    EXPECT_FALSE(screen.cbt_YHsave.enabled());
    EXPECT_FALSE(screen.pb_YH_jingdu.visible());

    screen.cbt_YHcomputeClick();
    window.cbt_YHfanhuiClick();
    EXPECT_FALSE(window.optimisationMode());
    EXPECT_TRUE(window.MainFormLayer.visible());
    // The search computed 360 piles, none by hand: Compute is offered, not Result.
    EXPECT_TRUE(input.cbt_compute.visible());
    EXPECT_FALSE(input.cbt_View.visible());
    EXPECT_EQ(window.pileCounter(), 0);
    EXPECT_TRUE(window.bookScreen().meo_jisuanjieguo_Doc.lines().empty());

    input.cbt_computeClick();
    window.cbt_YouHuaClick();
    window.cbt_YHfanhuiClick();
    EXPECT_TRUE(input.cbt_View.visible());
    EXPECT_FALSE(input.cbt_compute.visible());
}

TEST_F(OptimisationScreenTest, OnlyItemAndFilterCellsTakeEditsAndEnableTheirButton) {
    screen.cbt_YHcomputeClick();
    ASSERT_FALSE(screen.cbt_YHcompute.enabled());
    ASSERT_TRUE(screen.cbt_YHsaixuan.enabled());
    screen.cbt_YHsaixuanClick();
    ASSERT_FALSE(screen.cbt_YHsaixuan.enabled());

    struct Case {
        int row, column;
        bool editable;
    };
    for (const Case c : {Case{0, 0, false}, Case{0, 4, false}, Case{12, 1, false},
                         Case{13, 3, false}, Case{14, 2, true}, Case{11, 3, true}}) {
        SCOPED_TRACE(std::to_string(c.row) + "," + std::to_string(c.column));
        items.selectCell(c.row, c.column);
        EXPECT_EQ(items.editable(), c.editable);
        EXPECT_EQ(items.editCell(c.row, c.column, "7"), c.editable);
    }
    EXPECT_TRUE(screen.cbt_YHsaixuan.enabled());
    EXPECT_TRUE(screen.cbt_YHcompute.enabled());
}

TEST_F(OptimisationScreenTest, TheDefaultSearchListsThreeHundredSixtyPilesInOrder) {
    screen.cbt_YHcomputeClick();
    const ResultList& raw = screen.rawList();
    ASSERT_EQ(raw.size(), 360u);
    EXPECT_EQ(screen.lb_YHxingxi.text(), "计算完成，桩数：360 根");
    EXPECT_EQ(screen.lb_YHxingxi.textColour(), TextColour::Black);
    EXPECT_FALSE(screen.cbt_YHcompute.enabled());
    EXPECT_TRUE(screen.cbt_YHsaixuan.enabled());
    EXPECT_TRUE(screen.cbt_YHsave.enabled());
    EXPECT_EQ(raw.fieldText(0, ListField::PileNumber), "ZH-001");
    EXPECT_EQ(raw.fieldText(359, ListField::PileNumber), "ZH-360");

    const Shown first = computeByHand(0, "1000", "0", "2.0d", false, "35.00", 0, 0);
    EXPECT_EQ(rowTexts(raw, 0),
              (std::vector<std::string>{"ZH-001", "圆  桩", "1000", "-", first.ra, first.rc, "2.0d",
                                        "1", "35.00", "干 作 业", first.kesair, "C25", ""}));
    EXPECT_EQ(raw.fieldText(1, ListField::Process), "泥浆护壁");

    // 72 circles, 144 ellipses, 96 rectangles, 48 squares, in that order; the 16 rectangles
    // of 2000 by 2000 are listed as squares.
    const std::vector<std::string> sections = column(raw, ListField::Section);
    EXPECT_EQ(std::count(sections.begin(), sections.begin() + 72, "圆  桩"), 72);
    EXPECT_EQ(std::count(sections.begin() + 72, sections.begin() + 216, "椭圆桩"), 144);
    EXPECT_EQ(std::count(sections.begin() + 216, sections.begin() + 312, "矩形桩"), 80);
    EXPECT_EQ(std::count(sections.begin() + 216, sections.begin() + 312, "方  桩"), 16);
    EXPECT_EQ(std::count(sections.begin() + 312, sections.end(), "方  桩"), 48);
    EXPECT_EQ(raw.fieldText(312, ListField::Size1), raw.fieldText(312, ListField::Size2));
    EXPECT_EQ(raw.fieldText(312, ListField::Depth).back(), 'b');

    // Every listed text is what the input screen shows for that pile typed by hand.
    for (size_t row : {size_t{5}, size_t{100}, size_t{221}, size_t{250}, size_t{359}}) {
        SCOPED_TRACE(row);
        const auto cell = [&](ListField field) { return raw.fieldText(row, field); };
        const std::string shape = cell(ListField::Section), process = cell(ListField::Process);
        const int section = shape == "圆  桩" ? 0 : shape == "椭圆桩" ? 1 : 2;
        const int processItem = process == "泥浆护壁" ? 1 : process == "后 注 浆" ? 2 : 0;
        const int grade = (std::stoi(cell(ListField::Grade).substr(1)) - 25) / 5;
        const Shown s = computeByHand(section, cell(ListField::Size1),
                                      section == 0 ? "0" : cell(ListField::Size2),
                                      cell(ListField::Depth), cell(ListField::RockType) == "2",
                                      cell(ListField::RockValue), grade, processItem);
        EXPECT_EQ(cell(ListField::Ra), s.ra);
        EXPECT_EQ(cell(ListField::Rc), s.rc);
        EXPECT_EQ(cell(ListField::Kesair), s.kesair);
    }
    // The input screen holds the last candidate.
    EXPECT_EQ(input.cbe_dd.text(), "2000");
    EXPECT_EQ(input.edt_fuk.text(), "40.00");
    EXPECT_EQ(window.pileCounter(), 0);
    EXPECT_EQ(window.bookSaveState(), 3);
}

TEST_F(OptimisationScreenTest, ASingleCandidateIsNumberedWithOneDigit) {
    for (int row : {0, 1, 6, 7, 8, 10, 11}) items.editCell(row, 2, items.cell(row, 1));
    screen.cbt_YHcomputeClick();
    ASSERT_EQ(screen.rawList().size(), 1u);
    EXPECT_EQ(screen.rawList().fieldText(0, ListField::PileNumber), "ZH-1");
    EXPECT_EQ(screen.lb_YHxingxi.text(), "计算完成，桩数：1 根");
}

TEST_F(OptimisationScreenTest, ARefusedCandidateStopsTheSearchWithPlainNumbers) {
    setItem(0, "1", "2", "1");
    setItem(2, "0", "1000", "500");  // the first ellipse has c = 0
    screen.cbt_YHcomputeClick();
    const ResultList& raw = screen.rawList();
    ASSERT_EQ(raw.size(), 72u);
    EXPECT_EQ(raw.fieldText(0, ListField::PileNumber), "1");
    EXPECT_EQ(raw.fieldText(71, ListField::PileNumber), "72");
    EXPECT_EQ(screen.lb_YHxingxi.text(), "运行中止，主界面可查看中止位置、原因");
    EXPECT_EQ(screen.lb_YHxingxi.textColour(), TextColour::Red);
    EXPECT_TRUE(screen.cbt_YHcompute.enabled());
    EXPECT_FALSE(screen.cbt_YHsave.enabled());
    // The input screen shows where and why.
    EXPECT_EQ(input.cbb_jmlx.index(), 1);
    EXPECT_EQ(input.lb_shuoming.text(), "椭圆直段长度数据有错");
    EXPECT_TRUE(input.lb_shuoming.visible());
}

TEST_F(OptimisationScreenTest, BadItemsStopTheSearchBeforeAnyCandidate) {
    setItem(0, "1", "1", "1");
    setItem(1, "0", "1000", "500");
    screen.cbt_YHcomputeClick();
    EXPECT_TRUE(screen.rawList().empty());
    EXPECT_EQ(input.lb_shuoming.text(), "桩身直径数据有错");

    setItem(1, "-100", "1000", "500");
    screen.cbt_YHcomputeClick();
    EXPECT_EQ(screen.lb_YHxingxi.text(), "桩径不能为负值");
    EXPECT_EQ(screen.lb_YHxingxi.textColour(), TextColour::Red);
    EXPECT_TRUE(screen.rawList().empty());

    // Too many combinations: refused before anything is computed, as a bad item is.
    setItem(1, "1000", "2000", "0.001");
    setItem(2, "1000", "2000", "0.001");
    setItem(0, "1", "2", "1");
    screen.cbt_YHcomputeClick();
    EXPECT_EQ(screen.lb_YHxingxi.text(), kTooManyCandidatesMessage);
    EXPECT_TRUE(screen.rawList().empty());

    // A cell that is not a number is an error the window does not handle itself.
    setItem(1, "1000", "2000", "abc");
    EXPECT_FALSE(dispatchEvent(fake.errors, [this] { screen.cbt_YHcomputeClick(); }));
    ASSERT_EQ(fake.errors.shown.size(), 1u);
    EXPECT_TRUE(screen.rawList().empty());
    EXPECT_EQ(screen.lb_YHxingxi.text(), "");
}

TEST_F(OptimisationScreenTest, HeaderClicksSortReverseAndMarkTheColumn) {
    screen.cbt_YHcomputeClick();
    const ResultList& raw = screen.rawList();
    const ListGrid& grid = screen.Grid2_Youhuajieguo;
    const int d = col(ListField::Size1), ra = col(ListField::Ra);
    EXPECT_EQ(grid.headers()[ra], "  Ra(kN)");

    screen.Grid2_YouhuajieguoHeaderClick(ra);
    EXPECT_EQ(screen.lb_YHxingxi.text(), "Ra升序排列完成");
    EXPECT_EQ(grid.headers()[ra], "Ra(kN)▲");
    EXPECT_EQ(grid.selectedRow(), 0);
    EXPECT_EQ(grid.selectedColumn(), ra);
    for (size_t r = 1; r < raw.size(); ++r)
        ASSERT_LE(raw.fieldValue(r - 1, ListField::Ra), raw.fieldValue(r, ListField::Ra));
    const std::string smallest = raw.fieldText(0, ListField::PileNumber);

    screen.Grid2_YouhuajieguoHeaderClick(ra);
    EXPECT_EQ(screen.lb_YHxingxi.text(), "Ra降序排列完成");
    EXPECT_EQ(grid.headers()[ra], "Ra(kN)▼");
    EXPECT_EQ(raw.fieldText(359, ListField::PileNumber), smallest);
    screen.Grid2_YouhuajieguoHeaderClick(ra);
    EXPECT_EQ(screen.lb_YHxingxi.text(), "Ra升序排列完成");

    // Another column starts from its own first click; the Ra mark goes.
    screen.Grid2_YouhuajieguoHeaderClick(d);
    EXPECT_EQ(screen.lb_YHxingxi.text(), "d升序排列完成");
    EXPECT_EQ(grid.headers()[d], "d|a(mm)▲");
    EXPECT_EQ(grid.headers()[ra], "  Ra(kN)");

    screen.Grid2_YouhuajieguoHeaderClick(col(ListField::Size2));
    EXPECT_EQ(screen.lb_YHxingxi.text(), "仅支持d、Ra、Rc排序");
    EXPECT_EQ(grid.headers()[d], "d|a(mm)▲");

    // A new search empties the lists, and with them every mark.
    items.editCell(0, 1, "1");
    screen.cbt_YHcomputeClick();
    EXPECT_EQ(grid.headers()[d], " d|a(mm)");
    EXPECT_EQ(screen.sortStates(), SortStates(formulaOneListLayout()));
}

TEST_F(OptimisationScreenTest, FilterCopiesTheRowsWithinBothRangesInListOrder) {
    screen.cbt_YHcomputeClick();
    screen.Grid2_YouhuajieguoHeaderClick(col(ListField::Rc));
    items.editCell(13, 1, "0");
    items.editCell(13, 2, "0");
    items.editCell(14, 1, "0");
    items.editCell(14, 2, "0");
    screen.cbt_YHsaixuanClick();
    const ResultList& filtered = screen.filteredList();
    EXPECT_EQ(filtered.size(), 360u);  // no bound at all
    EXPECT_EQ(column(filtered, ListField::PileNumber),
              column(screen.rawList(), ListField::PileNumber));
    EXPECT_TRUE(screen.Grid3_Youhuasaixuan.visible());
    EXPECT_FALSE(screen.Grid2_Youhuajieguo.visible());
    EXPECT_EQ(screen.lb_YHxingxi.text(), "筛选完成，桩数：360 根");
    EXPECT_EQ(screen.Grid3_Youhuasaixuan.headers()[col(ListField::Rc)], "  Rc(kN)");
    EXPECT_FALSE(screen.cbt_YHsaixuan.enabled());
    EXPECT_TRUE(screen.cbt_YHsave.enabled());

    // A bound equal to a shown value lets that row pass.
    const std::string ra = screen.rawList().fieldText(17, ListField::Ra);
    items.editCell(13, 1, ra);
    items.editCell(13, 2, ra);
    screen.cbt_YHsaixuanClick();
    ASSERT_FALSE(filtered.empty());
    for (size_t r = 0; r < filtered.size(); ++r)
        EXPECT_EQ(filtered.fieldText(r, ListField::Ra), ra);

    items.editCell(13, 1, "99999999");
    screen.cbt_YHsaixuanClick();
    EXPECT_TRUE(filtered.empty());
    EXPECT_EQ(screen.lb_YHxingxi.text(), "无满足条件桩，调整区间再筛选");
    EXPECT_FALSE(screen.cbt_YHsave.enabled());
}

TEST_F(OptimisationScreenTest, FetchWritesTheRowIntoTheInputScreenAndReturnsThere) {
    screen.cbt_YHcomputeClick();
    const ResultList& raw = screen.rawList();
    const size_t square = 320;  // a square pile with fuk given
    ASSERT_EQ(raw.fieldText(square, ListField::Section), "方  桩");
    const std::string ra = raw.fieldText(square, ListField::Ra);
    screen.Grid2_YouhuajieguoCellDblClick(static_cast<int>(square));
    EXPECT_TRUE(window.MainFormLayer.visible());
    EXPECT_FALSE(window.optimisationMode());
    EXPECT_EQ(input.cbb_jmlx.index(), 2);
    EXPECT_EQ(input.cbe_dd.text(), input.cbe_tyzd.text());
    EXPECT_EQ(input.cbe_hr.text(), raw.fieldText(square, ListField::Depth));
    EXPECT_EQ(input.cbe_hr.text().back(), 'b');
    EXPECT_EQ(input.edt_ra.text(), "");
    EXPECT_TRUE(input.cbt_compute.visible());
    EXPECT_FALSE(input.cbt_View.visible());
    input.cbt_computeClick();
    EXPECT_EQ(input.edt_ra.text(), ra);
    EXPECT_EQ(window.pileCounter(), 1);

    // A circle with fuk given: the fuk button and the single process.
    window.cbt_YouHuaClick();
    size_t row = 0;
    while (!(raw.fieldText(row, ListField::Section) == "圆  桩" &&
             raw.fieldText(row, ListField::RockType) == "2"))
        ++row;
    screen.Grid2_YouhuajieguoCellDblClick(static_cast<int>(row));
    EXPECT_TRUE(input.rdb_fuk.checked());
    EXPECT_EQ(input.edt_fuk.text(), raw.fieldText(row, ListField::RockValue));
    EXPECT_EQ(input.cbb_czgy.index(), 0);
    EXPECT_EQ(input.cbb_hnt.text(), raw.fieldText(row, ListField::Grade));
}

TEST_F(OptimisationScreenTest, FoldFirstAddsTheListColumnsThenTogglesThemWithTheNotes) {
    const ListGrid& grid = screen.Grid2_Youhuajieguo;
    const int rc = col(ListField::Rc), depth = col(ListField::Depth);
    EXPECT_TRUE(items.columnVisible(4));
    EXPECT_TRUE(grid.columnVisible(rc));
    EXPECT_FALSE(grid.columnVisible(depth));
    EXPECT_EQ(screen.cbt_zhangkai.text(), "展开");
    screen.cbt_zhangkaiClick();
    EXPECT_TRUE(grid.columnVisible(col(ListField::Note)));
    EXPECT_TRUE(screen.Grid3_Youhuasaixuan.columnVisible(depth));
    EXPECT_TRUE(items.columnVisible(4));
    EXPECT_EQ(screen.cbt_zhangkai.text(), "折叠");
    screen.cbt_zhangkaiClick();
    EXPECT_FALSE(grid.columnVisible(depth));
    EXPECT_FALSE(items.columnVisible(4));
    EXPECT_TRUE(grid.columnVisible(col(ListField::PileNumber)));
}

TEST_F(OptimisationScreenTest, SaveWritesTheListShownAfterThePermission) {
    screen.cbt_YHcomputeClick();
    fake.permissions.grant = false;
    window.cbt_YHsaveClick();
    EXPECT_EQ(fake.messages.shown, std::vector<std::string>{"无权存盘"});
    EXPECT_TRUE(screen.cbt_YHsave.enabled());

    fake.permissions.grant = true;
    ASSERT_TRUE(dispatchEvent(fake.errors, [this] { window.cbt_YHsaveClick(); }));
    EXPECT_FALSE(screen.cbt_YHsave.enabled());
    const auto rawFile = fake.documents.path / pathFromUtf8(kRawListFileName);
    const std::string bytes = test::readBytes(rawFile);
    EXPECT_NE(bytes.find("ZH-360"), std::string::npos);
    EXPECT_NE(bytes.find(test::kFixedTime), std::string::npos);
    EXPECT_EQ(bytes.find("\r\n"), bytes.find('\n') - 1);

    // A sort enables it again; a filter that finds nothing leaves nothing to save.
    screen.Grid2_YouhuajieguoHeaderClick(col(ListField::Ra));
    EXPECT_TRUE(screen.cbt_YHsave.enabled());
    items.editCell(13, 1, "99999999");
    screen.cbt_YHsaixuanClick();
    EXPECT_FALSE(screen.cbt_YHsave.enabled());
    window.cbt_YHsaveClick();
    EXPECT_FALSE(
        std::filesystem::exists(fake.documents.path / pathFromUtf8(kFilteredListFileName)));
}

// The raw-list file of the default search, its frame and first row built by hand.
TEST_F(OptimisationScreenTest, TheDefaultRawListFileLinesUpUnderItsHeader) {
    screen.cbt_YHcomputeClick();
    const std::vector<std::string> lines =
        listFileLines(screen.rawList(), ListFileKind::Raw, test::kFixedTime);
    ASSERT_EQ(lines.size(), 369u);
    const std::string equals68(68, '=');
    EXPECT_EQ(lines[0], equals68 + " 嵌岩桩优化计算原始结果 " + equals68);
    EXPECT_EQ(lines[1], std::string(160, '-'));
    EXPECT_EQ(lines[2],
              " 基    桩  桩身截面  桩身直径  椭圆直段  矩形长边  矩形短边  嵌岩深度  岩石强度  "
              "单轴强度  极限强度  成    桩  综合系数  综合系数  桩承载力  桩混凝土  桩身强度 ");
    EXPECT_EQ(lines[3],
              " 编    号  类    型    d(mm)     c(mm)     a(mm)     b(mm)     lr(m)   类    别  "
              "frk(MPa)  fuk(MPa)  工    艺    ζr        β      Ra(kN)   强度等级   Rc(kN)  ");
    EXPECT_EQ(lines[4], lines[1]);

    const Shown first = computeByHand(0, "1000", "0", "2.0d", false, "35.00", 0, 0);
    const auto c8 = [](const std::string& t) { return PadCenter(t, " ", 8) + "  "; };
    const auto r6 = [](const std::string& t) { return PadLeft(t, " ", 6) + "    "; };
    const std::string row1 =
        " " + c8("ZH-001") + c8("圆  桩") + r6("1000") + c8("-") + c8("-") + c8("-") + r6("2.0d") +
        c8("1") + r6("35.00") + c8("-") + c8("干 作 业") + c8(first.kesair) + c8("-") +
        PadLeft(first.ra, " ", 7) + "   " + c8("C25") + PadLeft(first.rc, " ", 7) + "  ";
    EXPECT_EQ(lines[5], row1);
    EXPECT_EQ(DisplayWidth(row1), 160);
    EXPECT_EQ(lines[364].substr(0, 11), " " + PadCenter("ZH-360", " ", 8) + "  ");

    EXPECT_EQ(lines[365], lines[1]);
    EXPECT_EQ(lines[366], "注: 采用《建筑桩基础设计与施工验收规范》(DBJ 50-200-2014)公式计算");
    EXPECT_EQ(lines[367], std::string(160, '='));
    EXPECT_EQ(lines[368], std::string("计算时间：") + test::kFixedTime);
}

TEST_F(OptimisationScreenTest, ACancelledSearchKeepsItsRowsNumberedPlainly) {
    setItem(1, "1000", "2000", "10");  // 101 diameters: 808 circles, and more
    screen.setProgressHandler([](std::uint64_t done, std::uint64_t total) {
        EXPECT_GT(total, done);
        return false;
    });
    screen.cbt_YHcomputeClick();
    const ResultList& raw = screen.rawList();
    ASSERT_EQ(raw.size(), OptimisationScreen::kProgressInterval);
    EXPECT_EQ(raw.fieldText(0, ListField::PileNumber), "1");
    EXPECT_NE(screen.lb_YHxingxi.text().find("2048"), std::string::npos);
    EXPECT_EQ(screen.lb_YHxingxi.textColour(), TextColour::Black);
    EXPECT_TRUE(screen.cbt_YHcompute.enabled());
    // The rows kept are a list: it can be filtered and saved, whatever the search before left.
    EXPECT_TRUE(screen.cbt_YHsaixuan.enabled());
    EXPECT_TRUE(screen.cbt_YHsave.enabled());
}

TEST_F(OptimisationScreenTest, ButtonsFollowTheListAfterACancelledSearch) {
    // A filter that found nothing left both buttons disabled; a search cancelled with rows
    // enables them, one cancelled before any row disables them.
    screen.cbt_YHcomputeClick();
    items.editCell(13, 1, "99999999");
    screen.cbt_YHsaixuanClick();
    ASSERT_FALSE(screen.cbt_YHsave.enabled());
    setItem(1, "1000", "2000", "10");
    screen.setProgressHandler([](std::uint64_t, std::uint64_t) { return false; });
    screen.cbt_YHcomputeClick();
    EXPECT_TRUE(screen.cbt_YHsaixuan.enabled());
    EXPECT_TRUE(screen.cbt_YHsave.enabled());
    screen.cbt_YHsaixuanClick();  // the list can be filtered, and says what it holds
    EXPECT_EQ(screen.lb_YHxingxi.text(), "无满足条件桩，调整区间再筛选");
}

TEST_F(OptimisationScreenTest, TheStatusLineSaysASearchRunsWithItsCount) {
    setItem(1, "1000", "2000", "10");
    std::vector<std::string> seen;
    screen.setProgressHandler([this, &seen](std::uint64_t, std::uint64_t) {
        seen.push_back(screen.lb_YHxingxi.text());
        return true;
    });
    screen.cbt_YHcomputeClick();
    ASSERT_FALSE(seen.empty());
    EXPECT_EQ(seen.front(), "正在计算：2048 / 7416");
    EXPECT_EQ(screen.lb_YHxingxi.text(), "计算完成，桩数：7416 根");
}

TEST_F(OptimisationScreenTest, AFilterUnmarksOnlyItsOwnList) {
    screen.cbt_YHcomputeClick();
    const int ra = col(ListField::Ra);
    screen.Grid2_YouhuajieguoHeaderClick(ra);
    ASSERT_EQ(screen.Grid2_Youhuajieguo.headers()[ra], "Ra(kN)▲");
    screen.cbt_YHsaixuanClick();
    EXPECT_EQ(screen.Grid2_Youhuajieguo.headers()[ra], "Ra(kN)▲");
    EXPECT_EQ(screen.Grid3_Youhuasaixuan.headers()[ra], "  Ra(kN)");
    EXPECT_EQ(screen.sortStates(), SortStates(formulaOneListLayout()));
}

}  // namespace
}  // namespace pile
