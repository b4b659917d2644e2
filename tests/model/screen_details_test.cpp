// The formula-one window, control by control: the captions, hints and item lists every screen
// opens with, and the handler effects that the flow tests do not reach (the order of the
// mode rules against the slope box, the process kept by Compute, the rewritten fields running
// their own handlers, the logo strip in fuk mode, and saves that replace the file whole).
#include <gtest/gtest.h>

#include <filesystem>
#include <functional>
#include <string>
#include <vector>

#include "app/model/formula_one_window.h"
#include "books/text_file.h"
#include "tests/model/fake_platform.h"

namespace pile {
namespace {

bool isComputed(const InputScreen& x) { return x.cbt_View.visible() && !x.cbt_compute.visible(); }

class ScreenDetailsTest : public ::testing::Test {
  protected:
    test::FakePlatform fake;
    FormulaOneWindow window{fake.platform};
    InputScreen& s = window.inputScreen();
    BookScreen& books = window.bookScreen();

    bool computed() const { return isComputed(s); }
    std::filesystem::path documentsFile(const char* name) const {
        return fake.documents.path / pathFromUtf8(name);
    }
    bool save() {
        return dispatchEvent(fake.errors, [this] { window.cbt_SaveClick(); });
    }
};

// Every caption and hint a new window shows, and whether the control is shown and enabled.
TEST_F(ScreenDetailsTest, NewWindowCaptionsAndHints) {
    struct Case {
        const char* name;
        const Label& label;
        const char* text;
        const char* hint;
        bool visible;
        int enabled;  // -1: not checked (the optimisation screen comes with its own feature)
    };
    const Case cases[] = {
        {"title", s.lb_cxm, "嵌岩桩承载力计算", "", true, 1},
        {"compute", s.cbt_compute, "计算", "", true, 1},
        {"result", s.cbt_View, "结果", "", false, 1},
        {"exit", s.cbt_tuichu, "退出", "", true, 1},
        {"optimise", s.cbt_YouHua, "★", "筛选优化", true, -1},
        {"about", s.cbt_CopyRight, "©", "版权信息", true, true},
        {"precision", s.cbt_JingDu, "≈", "调整精度", true, true},
        {"message strip", s.lb_shuoming, "", "", false, true},
        {"diameter caption", s.lb_dd, "桩  身   直   径      d (mm)", "", true, true},
        {"straight length caption", s.lb_tyzd, "椭圆直段长度      c (mm)", "", true, false},
        {"slope condition", s.lb_frk_ystj,
         "桩中心距边坡水平距离大于边坡高度、位于斜坡上桩基嵌岩段桩边距斜坡边最小水平距离不小于5m",
         "", true, false},
        {"book title", books.lb_jisuanjieguo, "计算结果", "", true, true},
        {"page", books.cbt_PageBook, "1", "切换计算书", true, true},
        {"delete last", books.cbt_sanchu, "x", "删除最末数据", true, false},
        {"back", books.cbt_Exit, "返回", "", true, true},
        {"save", books.cbt_Save, "保存", "", true, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(c.label.text(), c.text);
        EXPECT_EQ(c.label.hint(), c.hint);
        EXPECT_EQ(c.label.visible(), c.visible);
        if (c.enabled >= 0) {
            EXPECT_EQ(c.label.enabled(), c.enabled == 1);
        }
    }
    EXPECT_EQ(s.cbb_hnt.items(),
              (std::vector<std::string>{"C25", "C30", "C35", "C40", "C45", "C50", "C55", "C60"}));
    EXPECT_EQ(s.cbb_hnt.index(), 1);
    EXPECT_EQ(s.popbox_jingdu.items(), (std::vector<std::string>{"两位小数", "一位小数", "个位取整",
                                                                 "十位取整", "百位取整"}));
    EXPECT_EQ(books.tcb_meoFontSize.minimum(), 4);
    EXPECT_EQ(books.tcb_meoFontSize.maximum(), 24);
    EXPECT_EQ(books.tcb_meoFontSize.hint(), "调整字体大小");
    EXPECT_EQ(books.tcb_meoFontSize.value(), 14);
    EXPECT_EQ(books.meo_jisuanjieguo_Doc.fontSize(), books.tcb_meoFontSize.value());
    EXPECT_EQ(books.meo_jisuanjieguo_Xls.fontSize(), books.tcb_meoFontSize.value());
}

// A section change selects the first depth of the new list, whatever was typed before, and the
// rewrite of cbe_tyzd runs that field's live check, which empties a message left in the strip.
TEST_F(ScreenDetailsTest, SectionChangeResetsTheDepthAndRunsTheRewrittenFieldsHandlers) {
    struct Case {
        const char* name;
        int section;
        const char* depth;
    };
    const Case cases[] = {{"ellipse", 1, "1.0d"}, {"rectangle", 2, "1.0b"}, {"circle", 0, "1.0d"}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        s.cbe_hr.setText(std::string("2.5x") + c.name);
        s.edt_frk.setText(std::string("-1") + c.name);
        ASSERT_EQ(s.lb_shuoming.text(), "岩石单轴抗压强度值有错");
        s.cbb_jmlx.setIndex(c.section);
        EXPECT_EQ(s.cbe_hr.text(), c.depth);
        EXPECT_EQ(s.lb_shuoming.text(), "");
        EXPECT_EQ(s.cbe_tyzd.textColour(), TextColour::Black);
    }
}

// The mode rules leave the slope box disabled and unticked, even though the untick runs the
// box's own handler, which enables it.
TEST_F(ScreenDetailsTest, TickedSlopeBoxEndsDisabledWhenTheRulesUntickIt) {
    struct Case {
        const char* name;
        std::function<void(InputScreen&)> change;
        bool enabled;
    };
    using S = InputScreen;
    const Case cases[] = {
        {"fuk selected", [](S& x) { x.rdb_fuk.select(); }, false},
        {"circle selected", [](S& x) { x.cbb_jmlx.setIndex(0); }, false},
        {"frk selected again",
         [](S& x) {
             x.rdb_fuk.select();
             x.rdb_frk.select();
         },
         true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        FormulaOneWindow w(fake.platform);
        InputScreen& x = w.inputScreen();
        x.cbb_jmlx.setIndex(1);
        x.ckb_ystj.setChecked(true);
        c.change(x);
        EXPECT_FALSE(x.ckb_ystj.checked());
        EXPECT_EQ(x.ckb_ystj.enabled(), c.enabled);
        EXPECT_EQ(x.lb_frk_ystj.enabled(), c.enabled);
    }
}

// Compute re-applies the frk rules for a circle without rebuilding the process list: the
// process the user chose is the one computed (ζr 1.2 times the table value for processes 0
// and 2).
TEST_F(ScreenDetailsTest, ComputeKeepsTheChosenCircleProcess) {
    struct Case {
        const char* name;
        int process;
        const char* kesair;
        const char* ra;
    };
    const Case cases[] = {
        {"dry work", 0, "1.0280", "10092"},
        {"mud protected", 1, "0.8567", "8410"},
        {"post-grouted", 2, "1.0280", "10092"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        FormulaOneWindow w(fake.platform);
        InputScreen& x = w.inputScreen();
        x.cbb_czgy.setIndex(c.process);
        x.cbt_computeClick();
        EXPECT_EQ(x.cbb_czgy.index(), c.process);
        EXPECT_EQ(x.edt_kesair.text(), c.kesair);
        EXPECT_EQ(x.edt_ra.text(), c.ra);
        EXPECT_EQ(x.lb_kesair.text(), "嵌岩段侧阻和端阻综合系数 ζr");
    }
}

// Every rock class shows its name in black; in fuk mode no class is shown, and a screen that
// never had a message keeps its logo strip.
TEST_F(ScreenDetailsTest, ComputeShowsTheRockClassOrKeepsTheLogo) {
    struct Case {
        const char* name;
        std::function<void(InputScreen&)> setup;
        const char* message;
        bool logo;
        const char* kesair;
    };
    using S = InputScreen;
    const Case cases[] = {
        {"extremely soft, bound", [](S& x) { x.edt_frk.setText("5"); }, "极软岩", false, "0.9500"},
        {"soft", [](S& x) { x.edt_frk.setText("15"); }, "软岩", false, "0.9500"},
        {"moderately soft, bound", [](S& x) { x.edt_frk.setText("30"); }, "较软岩", false,
         "0.8100"},
        {"moderately hard", [](S& x) { x.edt_frk.setText("60"); }, "较硬岩", false, "0.8100"},
        {"hard", [](S& x) { x.edt_frk.setText("60.5"); }, "坚硬岩", false, "0.8100"},
        {"fuk, no message ever", [](S& x) { x.rdb_fuk.select(); }, "", true, "1.3260"},
        {"fuk below 0.5d",
         [](S& x) {
             x.rdb_fuk.select();
             x.cbe_hr.setText("0.4d");
         },
         "", true, "1.0000"},
        {"fuk at 0.5d",
         [](S& x) {
             x.rdb_fuk.select();
             x.cbe_hr.setText("500");
         },
         "", true, "1.2000"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        FormulaOneWindow w(fake.platform);
        InputScreen& x = w.inputScreen();
        c.setup(x);
        x.cbt_computeClick();
        EXPECT_TRUE(x.cbt_View.visible());
        EXPECT_EQ(x.lb_shuoming.text(), c.message);
        EXPECT_EQ(x.lb_shuoming.textColour(), TextColour::Black);
        EXPECT_EQ(x.img_Logo.visible(), c.logo);
        EXPECT_EQ(x.lb_shuoming.visible(), !c.logo);
        EXPECT_EQ(x.edt_kesair.text(), c.kesair);
    }
}

// Edges of the side checks and of the side ordering on the screen.
TEST_F(ScreenDetailsTest, SideRatiosAtTheirBoundsAndRewrittenSides) {
    struct Case {
        const char* name;
        int section;
        const char* dd;
        const char* tyzd;
        bool accepted;
        const char* ddAfter;
        const char* tyzdAfter;
    };
    const Case cases[] = {
        {"ellipse c/d 0.2", 1, "1000", "200", true, "1000", "200"},
        {"ellipse c/d 2.0", 1, "1000", "2000", true, "1000", "2000"},
        {"ellipse c/d below 0.2", 1, "1000", "199.9", false, "1000", "199.9"},
        {"square", 2, "1200", "1200", true, "1200", "1200"},
        {"square typed with decimals", 2, "1200.0", "1200", true, "1200", "1200"},
        {"sides in order keep their texts", 2, "1500.0", "1000", true, "1500.0", "1000"},
        {"short side first, fraction", 2, "1000", "1250.50", true, "1250.5", "1000"},
        {"b/a 0.5", 2, "2000", "1000", true, "2000", "1000"},
        {"long side with unit", 2, "1000mm", "1500", true, "1500", "1000"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        FormulaOneWindow w(fake.platform);
        InputScreen& x = w.inputScreen();
        x.cbb_jmlx.setIndex(c.section);
        x.cbe_dd.setText(c.dd);
        x.cbe_tyzd.setText(c.tyzd);
        x.cbt_computeClick();
        EXPECT_EQ(isComputed(x), c.accepted);
        EXPECT_EQ(x.cbe_dd.text(), c.ddAfter);
        EXPECT_EQ(x.cbe_tyzd.text(), c.tyzdAfter);
        EXPECT_EQ(w.pileCounter(), c.accepted ? 1 : 0);
    }
}

// The straight length or short side empties all three results, like the first size.
TEST_F(ScreenDetailsTest, SecondSizeEmptiesAllResults) {
    s.cbb_jmlx.setIndex(1);
    s.cbt_computeClick();
    ASSERT_TRUE(computed());
    s.cbe_tyzd.setText("600");
    EXPECT_EQ(s.edt_kesair.text(), "");
    EXPECT_EQ(s.edt_ra.text(), "");
    EXPECT_EQ(s.edt_rc.text(), "");
    EXPECT_FALSE(computed());
}

// Saving and switching pages are events of the book screen: the input screen stays computed.
TEST_F(ScreenDetailsTest, PageSwitchAndSaveLeaveTheInputScreenComputed) {
    s.cbt_computeClick();
    window.cbt_ViewClick();
    books.cbt_PageBookClick();
    ASSERT_TRUE(save());
    books.cbt_PageBookClick();
    window.cbt_ExitClick();
    EXPECT_TRUE(computed());
    EXPECT_EQ(s.edt_ra.text(), "8410");
}

// A result so large that its integer part needs more than 7 digits is written in exponent form
// on the screen; no number is lost and nothing is non-finite.
TEST_F(ScreenDetailsTest, HugePileShowsExponentFormOnTheScreen) {
    s.cbe_dd.setText("2000");
    s.edt_frk.setText("100000");
    s.cbt_computeClick();
    ASSERT_TRUE(computed());
    for (const Edit* e : {&s.edt_ra, &s.edt_rc}) {
        EXPECT_FALSE(e->text().empty());
        EXPECT_EQ(e->text().find("inf"), std::string::npos);
        EXPECT_EQ(e->text().find("nan"), std::string::npos);
    }
    EXPECT_NE(s.edt_ra.text().find_first_of("eE"), std::string::npos) << s.edt_ra.text();
}

// Each save writes the file anew: a second save replaces the first, nothing is appended, and
// a file that cannot be replaced stays as it was with no temporary file left beside it.
TEST_F(ScreenDetailsTest, SaveReplacesTheFileWholeOrNotAtAll) {
    s.cbt_computeClick();
    ASSERT_TRUE(save());
    const std::string first = test::readBytes(documentsFile(kDetailedBookFileName));
    s.cbe_dd.setText("1200");
    s.cbt_computeClick();
    ASSERT_TRUE(save());
    std::string expected;
    for (const auto& line : books.meo_jisuanjieguo_Doc.lines())
        expected += toAnsiCodePage(line) + "\r\n";
    EXPECT_EQ(test::readBytes(documentsFile(kDetailedBookFileName)), expected);
    EXPECT_GT(expected.size(), first.size());

    // The summary file's name taken by a folder: the save fails and leaves no trace.
    std::filesystem::create_directories(documentsFile(kSummaryTableFileName) / "inside");
    books.cbt_PageBookClick();
    EXPECT_FALSE(save());
    EXPECT_EQ(fake.errors.shown.size(), 1u);
    EXPECT_TRUE(books.cbt_Save.enabled());
    EXPECT_EQ(window.bookSaveState(), 2);
    EXPECT_TRUE(std::filesystem::is_directory(documentsFile(kSummaryTableFileName)));
    int entries = 0;
    for ([[maybe_unused]] const auto& e : std::filesystem::directory_iterator(fake.documents.path))
        ++entries;
    EXPECT_EQ(entries, 2);  // the detailed book and the folder
}

}  // namespace
}  // namespace pile
