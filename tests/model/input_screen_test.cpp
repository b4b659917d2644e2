// The input screen of the formula-one window: defaults, the section and rock-mode rules, the
// change handlers with their live checks, Compute with its refusals, and the precision popup.
#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "app/model/formula_one_window.h"
#include "tests/model/fake_platform.h"

namespace pile {
namespace {

class InputScreenTest : public ::testing::Test {
  protected:
    test::FakePlatform fake;
    FormulaOneWindow window{fake.platform};
    InputScreen& s = window.inputScreen();

    bool computed() const { return s.cbt_View.visible() && !s.cbt_compute.visible(); }
    bool notComputed() const {
        return !s.cbt_View.visible() && s.cbt_compute.visible() && s.cbt_compute.enabled();
    }
};

std::vector<std::string> items(std::initializer_list<const char*> texts) {
    return {texts.begin(), texts.end()};
}

const std::vector<std::string> kSmallSizes =
    items({"100", "200", "300", "400", "500", "600", "700", "800", "900", "1000", "1100", "1200"});
const std::vector<std::string> kLargeSizes =
    items({"1000", "1100", "1200", "1300", "1400", "1500", "1600", "1700", "1800", "1900", "2000"});
const std::vector<std::string> kDepthsD = items({"1.0d", "1.5d", "2.0d", "2.5d", "3.0d", "3.5d",
                                                 "4.0d", "1000", "1500", "2000", "2500", "3000"});
const std::vector<std::string> kDepthsB = items({"1.0b", "1.5b", "2.0b", "2.5b", "3.0b", "3.5b",
                                                 "4.0b", "1000", "1500", "2000", "2500", "3000"});
const std::vector<std::string> kCircleProcesses =
    items({"干作业成桩(清底干净)", "泥浆护壁成桩", "泥浆护壁成桩后注浆"});

// The field a message names.
using Field = Control& (*)(InputScreen&);
constexpr Field kDd = [](InputScreen& x) -> Control& { return x.cbe_dd; };
constexpr Field kTyzd = [](InputScreen& x) -> Control& { return x.cbe_tyzd; };
constexpr Field kHr = [](InputScreen& x) -> Control& { return x.cbe_hr; };
constexpr Field kFrk = [](InputScreen& x) -> Control& { return x.edt_frk; };
constexpr Field kFuk = [](InputScreen& x) -> Control& { return x.edt_fuk; };

TEST_F(InputScreenTest, NewScreenShowsTheDefaults) {
    EXPECT_EQ(s.cbb_jmlx.items(), items({"圆桩", "椭圆桩", "矩形桩"}));
    EXPECT_EQ(s.cbb_jmlx.index(), 0);
    EXPECT_EQ(s.cbe_dd.text(), "1000");
    EXPECT_EQ(s.cbe_dd.items(), kLargeSizes);
    EXPECT_EQ(s.cbe_tyzd.text(), "0");
    EXPECT_EQ(s.cbe_tyzd.items(), kLargeSizes);
    EXPECT_FALSE(s.cbe_tyzd.enabled());
    EXPECT_EQ(s.cbe_hr.text(), "1.0d");
    EXPECT_EQ(s.cbe_hr.items(), kDepthsD);
    EXPECT_EQ(s.cbb_hnt.text(), "C30");
    EXPECT_EQ(s.cbb_hnt.items().size(), 8u);
    EXPECT_EQ(s.cbb_czgy.items(), kCircleProcesses);
    EXPECT_EQ(s.cbb_czgy.index(), 1);
    EXPECT_TRUE(s.rdb_frk.checked());
    EXPECT_FALSE(s.rdb_fuk.checked());
    EXPECT_EQ(s.rdb_frk.text(), "岩石单轴抗压强度     frk (MPa)");
    EXPECT_EQ(s.rdb_fuk.text(), "桩端地基极限承载力 fuk (MPa)");
    EXPECT_EQ(s.edt_frk.text(), "25");
    EXPECT_TRUE(s.edt_frk.enabled());
    EXPECT_EQ(s.edt_fuk.text(), "24");
    EXPECT_FALSE(s.edt_fuk.enabled());
    EXPECT_FALSE(s.ckb_ystj.checked());
    EXPECT_FALSE(s.ckb_ystj.enabled());
    EXPECT_FALSE(s.lb_frk_ystj.enabled());
    EXPECT_EQ(s.lb_tiaowen.text(), "单桩竖向承载力计算依据: 第 5.3.7、5.3.8、5.3.9 条");
    EXPECT_EQ(s.lb_kesair.text(), "嵌岩段侧阻和端阻综合系数 ζr");
    EXPECT_FALSE(s.lb_shuoming.visible());
    EXPECT_TRUE(s.img_Logo.visible());
    EXPECT_FALSE(s.popbox_jingdu.visible());
    EXPECT_EQ(s.popbox_jingdu.index(), 2);
    EXPECT_EQ(s.roundingMode(), RoundingMode::Units);
    EXPECT_TRUE(notComputed());
    EXPECT_EQ(s.cbt_CopyRight.hint(), "版权信息");
    EXPECT_EQ(s.cbt_JingDu.hint(), "调整精度");
    EXPECT_EQ(s.cbt_YouHua.hint(), "筛选优化");
}

TEST_F(InputScreenTest, SectionChangeRebuildsListsAndLabels) {
    struct Case {
        const char* name;
        int section;
        const char* ddLabel;
        const char* tyzdLabel;
        bool tyzdEnabled;
        std::vector<std::string> tyzdItems;
        const char* tyzdText;
        std::vector<std::string> depthItems;
        const char* depthText;
        const char* clause;
        const char* process;
    };
    const Case cases[] = {
        {"ellipse", 1, "桩  身   直   径      d (mm)", "椭圆直段长度      c (mm)", true,
         kSmallSizes, "500", kDepthsD, "1.0d", "单桩竖向承载力计算依据: 第 5.3.9 条", "人工挖孔"},
        {"rectangle", 2, "矩形长边尺寸      a (mm)", "矩形短边尺寸      b (mm)", true, kLargeSizes,
         "1000", kDepthsB, "1.0b", "单桩竖向承载力计算依据: 第 5.3.9 条", "人工挖孔"},
        {"circle", 0, "桩  身   直   径      d (mm)", "椭圆直段长度      c (mm)", false,
         kSmallSizes, "0", kDepthsD, "1.0d", "单桩竖向承载力计算依据: 第 5.3.7 条", "泥浆护壁成桩"},
    };
    s.cbe_dd.setText("1234");
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        s.cbb_jmlx.setIndex(c.section);
        EXPECT_EQ(s.lb_dd.text(), c.ddLabel);
        EXPECT_EQ(s.lb_tyzd.text(), c.tyzdLabel);
        EXPECT_EQ(s.lb_tyzd.enabled(), c.tyzdEnabled);
        EXPECT_EQ(s.cbe_tyzd.enabled(), c.tyzdEnabled);
        EXPECT_EQ(s.cbe_tyzd.items(), c.tyzdItems);
        EXPECT_EQ(s.cbe_tyzd.text(), c.tyzdText);
        EXPECT_EQ(s.cbe_hr.items(), c.depthItems);
        EXPECT_EQ(s.cbe_hr.text(), c.depthText);
        EXPECT_EQ(s.lb_tiaowen.text(), c.clause);
        EXPECT_EQ(s.cbb_czgy.text(), c.process);
        EXPECT_EQ(s.cbe_dd.text(), "1234");  // the first size keeps its text
    }
}

// The mode-dependent state after every section and both rock modes.
TEST_F(InputScreenTest, RockModeRulesFollowSectionAndMode) {
    struct Case {
        const char* name;
        int section;
        bool fuk;
        bool slopeEnabled;
        const char* kesairLabel;
        const char* clause;
        std::vector<std::string> processes;
        int processIndex;
    };
    const char* zeta = "嵌岩段侧阻和端阻综合系数 ζr";
    const char* coef = "考虑嵌固力影响后承载力系数";
    const Case cases[] = {
        {"circle fuk", 0, true, false, coef, "单桩竖向承载力计算依据: 第 5.3.8 条",
         items({"干作业成孔且清底干净"}), 0},
        {"circle frk", 0, false, false, zeta, "单桩竖向承载力计算依据: 第 5.3.7 条",
         kCircleProcesses, 1},
        {"ellipse frk", 1, false, true, coef, "单桩竖向承载力计算依据: 第 5.3.9 条",
         items({"人工挖孔"}), 0},
        {"ellipse fuk", 1, true, false, coef, "单桩竖向承载力计算依据: 第 5.3.8 条",
         items({"干作业成孔且清底干净"}), 0},
        {"rectangle frk", 2, false, true, coef, "单桩竖向承载力计算依据: 第 5.3.9 条",
         items({"人工挖孔"}), 0},
        {"rectangle fuk", 2, true, false, coef, "单桩竖向承载力计算依据: 第 5.3.8 条",
         items({"干作业成孔且清底干净"}), 0},
    };
    // Each case changes the section or the mode of the case before.
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        s.cbb_jmlx.setIndex(c.section);
        if (c.fuk)
            s.rdb_fuk.select();
        else
            s.rdb_frk.select();
        EXPECT_EQ(s.edt_frk.enabled(), !c.fuk);
        EXPECT_EQ(s.edt_fuk.enabled(), c.fuk);
        EXPECT_EQ(s.ckb_ystj.enabled(), c.slopeEnabled);
        EXPECT_EQ(s.lb_frk_ystj.enabled(), c.slopeEnabled);
        EXPECT_FALSE(s.ckb_ystj.checked());
        EXPECT_EQ(s.lb_kesair.text(), c.kesairLabel);
        EXPECT_EQ(s.lb_tiaowen.text(), c.clause);
        EXPECT_EQ(s.cbb_czgy.items(), c.processes);
        EXPECT_EQ(s.cbb_czgy.index(), c.processIndex);
    }
}

TEST_F(InputScreenTest, SlopeTickSurvivesNonCircularSectionChangesOnly) {
    s.cbb_jmlx.setIndex(1);
    s.ckb_ystj.setChecked(true);
    s.cbb_jmlx.setIndex(2);
    EXPECT_TRUE(s.ckb_ystj.checked());
    EXPECT_TRUE(s.ckb_ystj.enabled());
    s.cbb_jmlx.setIndex(0);
    EXPECT_FALSE(s.ckb_ystj.checked());
    EXPECT_FALSE(s.ckb_ystj.enabled());
    // Selecting frk again unticks it as well.
    s.cbb_jmlx.setIndex(1);
    s.ckb_ystj.setChecked(true);
    s.rdb_fuk.select();
    EXPECT_FALSE(s.ckb_ystj.checked());
}

TEST_F(InputScreenTest, CircleInFukModeKeepsTheCoefficientLabelOnSectionChange) {
    s.rdb_fuk.select();
    s.cbb_jmlx.setIndex(1);
    s.cbb_jmlx.setIndex(0);
    EXPECT_EQ(s.lb_kesair.text(), "考虑嵌固力影响后承载力系数");
}

// Each edit after a computation: which result fields it empties, and whether the screen goes
// back to Compute.
TEST_F(InputScreenTest, EditsEmptyTheirResultsAndReturnToCompute) {
    struct Case {
        const char* name;
        std::function<void(InputScreen&)> edit;
        bool kesairEmptied, raEmptied, rcEmptied;
        bool backToCompute;
    };
    const Case cases[] = {
        {"section", [](InputScreen& x) { x.cbb_jmlx.setIndex(1); }, true, true, true, true},
        {"diameter", [](InputScreen& x) { x.cbe_dd.setText("1200"); }, true, true, true, true},
        {"process", [](InputScreen& x) { x.cbb_czgy.setIndex(0); }, true, true, true, true},
        {"grade", [](InputScreen& x) { x.cbb_hnt.setIndex(3); }, false, false, true, true},
        {"depth", [](InputScreen& x) { x.cbe_hr.setText("2.0d"); }, true, true, false, true},
        {"frk", [](InputScreen& x) { x.edt_frk.setText("30"); }, true, true, false, true},
        {"fuk (disabled, by program)", [](InputScreen& x) { x.edt_fuk.setText("30"); }, true, true,
         false, true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        FormulaOneWindow w(fake.platform);
        InputScreen& x = w.inputScreen();
        x.cbt_computeClick();
        ASSERT_EQ(x.edt_ra.text(), "8410");
        c.edit(x);
        EXPECT_EQ(x.edt_kesair.text().empty(), c.kesairEmptied);
        EXPECT_EQ(x.edt_ra.text().empty(), c.raEmptied);
        EXPECT_EQ(x.edt_rc.text().empty(), c.rcEmptied);
        EXPECT_EQ(x.cbt_compute.visible(), c.backToCompute);
        EXPECT_NE(x.cbt_View.visible(), c.backToCompute);
    }
}

TEST_F(InputScreenTest, SlopeTickEmptiesCoefficientAndRa) {
    s.cbb_jmlx.setIndex(1);
    s.cbt_computeClick();
    ASSERT_TRUE(computed());
    s.ckb_ystj.setChecked(true);
    EXPECT_EQ(s.edt_kesair.text(), "");
    EXPECT_EQ(s.edt_ra.text(), "");
    EXPECT_NE(s.edt_rc.text(), "");
    EXPECT_TRUE(notComputed());
    EXPECT_TRUE(s.ckb_ystj.enabled());
}

// A write fires the handler of the control it changes; the same value fires nothing.
TEST_F(InputScreenTest, WritingTheValueAControlHoldsFiresNothing) {
    s.cbt_computeClick();
    s.cbe_dd.setText("1000");
    s.cbb_hnt.setIndex(1);
    s.cbb_jmlx.setIndex(0);
    s.rdb_frk.select();
    s.ckb_ystj.setChecked(false);
    EXPECT_EQ(s.edt_ra.text(), "8410");
    EXPECT_EQ(s.edt_rc.text(), "7862");
    EXPECT_TRUE(computed());
}

// Switching the rock mode empties ζr and Ra. For a circle the process list is rebuilt as well,
// and that rewrite runs the list's own handler, which empties Rc and shows Compute again.
TEST_F(InputScreenTest, RockModeSwitchEmptiesCoefficientAndRa) {
    s.cbt_computeClick();
    s.rdb_fuk.select();
    EXPECT_EQ(s.edt_kesair.text(), "");
    EXPECT_EQ(s.edt_ra.text(), "");
    EXPECT_EQ(s.edt_rc.text(), "");
    EXPECT_TRUE(notComputed());
}

TEST_F(InputScreenTest, LiveChecksReportWhileTyping) {
    struct Case {
        const char* name;
        std::function<void(InputScreen&)> edit;
        const char* message;  // nullptr: the check passes
        Field field;
    };
    using S = InputScreen;
    const Case cases[] = {
        {"diameter with unit", [](S& x) { x.cbe_dd.setText("1000mm"); }, "桩身直径数据有错", kDd},
        {"diameter zero", [](S& x) { x.cbe_dd.setText("0"); }, "桩身直径数据有错", kDd},
        {"diameter empty", [](S& x) { x.cbe_dd.setText(""); }, "桩身直径数据有错", kDd},
        {"diameter ok", [](S& x) { x.cbe_dd.setText("1200"); }, nullptr, kDd},
        {"straight length zero ok",
         [](S& x) {
             x.cbe_tyzd.setText("0");
             x.cbe_tyzd.setText(" 0 ");
         },
         nullptr, kTyzd},
        {"straight length negative", [](S& x) { x.cbe_tyzd.setText("-1"); }, "椭圆直段长度数据有错",
         kTyzd},
        {"short side letters",
         [](S& x) {
             x.cbb_jmlx.setIndex(2);
             x.cbe_tyzd.setText("b");
         },
         "椭圆直段长度数据有错", kTyzd},
        {"frk zero passes", [](S& x) { x.edt_frk.setText("0"); }, nullptr, kFrk},
        {"frk negative", [](S& x) { x.edt_frk.setText("-2"); }, "岩石单轴抗压强度值有错", kFrk},
        {"frk infinite", [](S& x) { x.edt_frk.setText("inf"); }, "岩石单轴抗压强度值有错", kFrk},
        {"fuk letters", [](S& x) { x.edt_fuk.setText("x"); }, "桩端地基极限承载力值有错", kFuk},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        FormulaOneWindow w(fake.platform);
        InputScreen& x = w.inputScreen();
        c.edit(x);
        const Control& field = c.field(x);
        if (c.message) {
            EXPECT_EQ(x.lb_shuoming.text(), c.message);
            EXPECT_TRUE(x.lb_shuoming.visible());
            EXPECT_EQ(x.lb_shuoming.textColour(), TextColour::Red);
            EXPECT_FALSE(x.img_Logo.visible());
            EXPECT_EQ(field.textColour(), TextColour::Red);
        } else {
            EXPECT_EQ(x.lb_shuoming.text(), "");
            EXPECT_EQ(field.textColour(), TextColour::Black);
        }
        EXPECT_EQ(w.optimisationScreen().lb_YHxingxi.text(), "");  // live checks stop nothing
    }
}

TEST_F(InputScreenTest, PassingLiveCheckClearsTheMessageButKeepsTheLabel) {
    s.cbe_dd.setText("abc");
    s.cbe_dd.setText("1100");
    EXPECT_EQ(s.lb_shuoming.text(), "");
    EXPECT_TRUE(s.lb_shuoming.visible());
    EXPECT_FALSE(s.img_Logo.visible());
    EXPECT_EQ(s.cbe_dd.textColour(), TextColour::Black);
}

TEST_F(InputScreenTest, ComputeShowsTheDefaultPile) {
    s.cbt_computeClick();
    EXPECT_EQ(s.edt_kesair.text(), "0.8567");
    EXPECT_EQ(s.edt_ra.text(), "8410");
    EXPECT_EQ(s.edt_rc.text(), "7862");
    EXPECT_EQ(s.lb_shuoming.text(), "较软岩");
    EXPECT_EQ(s.lb_shuoming.textColour(), TextColour::Black);
    EXPECT_TRUE(s.lb_shuoming.visible());
    EXPECT_FALSE(s.img_Logo.visible());
    EXPECT_TRUE(computed());
    EXPECT_EQ(window.pileCounter(), 1);
}

TEST_F(InputScreenTest, ComputeShowsPilesOfEverySection) {
    struct Case {
        const char* name;
        std::function<void(InputScreen&)> setup;
        const char* kesair;
        const char* ra;
        const char* rc;
        const char* message;
        const char* kesairLabel;
    };
    using S = InputScreen;
    const Case cases[] = {
        {"circle fuk", [](S& x) { x.rdb_fuk.select(); }, "1.3260", "8332", "10108", "",
         "考虑嵌固力影响后承载力系数"},
        {"ellipse", [](S& x) { x.cbb_jmlx.setIndex(1); }, "1.3062", "13992", "16543", "较软岩",
         "考虑嵌固力影响后承载力系数"},
        {"ellipse on a slope",
         [](S& x) {
             x.cbb_jmlx.setIndex(1);
             x.ckb_ystj.setChecked(true);
         },
         "1.4368", "15391", "16543", "较软岩", "考虑嵌固力影响后承载力系数"},
        {"rectangle, sides typed short first",
         [](S& x) {
             x.cbb_jmlx.setIndex(2);
             x.cbe_dd.setText("1000");
             x.cbe_tyzd.setText("1500");
             x.ckb_ystj.setChecked(true);
         },
         "1.4300", "17875", "19305", "较软岩", "考虑嵌固力影响后承载力系数"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        FormulaOneWindow w(fake.platform);
        InputScreen& x = w.inputScreen();
        c.setup(x);
        x.cbt_computeClick();
        EXPECT_EQ(x.edt_kesair.text(), c.kesair);
        EXPECT_EQ(x.edt_ra.text(), c.ra);
        EXPECT_EQ(x.edt_rc.text(), c.rc);
        EXPECT_EQ(x.lb_shuoming.text(), c.message);
        EXPECT_EQ(x.lb_kesair.text(), c.kesairLabel);
        EXPECT_EQ(w.pileCounter(), 1);
    }
}

TEST_F(InputScreenTest, RectangleSidesAreRewrittenLongFirst) {
    s.cbb_jmlx.setIndex(2);
    s.cbe_dd.setText("1000");
    s.cbe_tyzd.setText("1500");
    s.cbt_computeClick();
    EXPECT_EQ(s.cbe_dd.text(), "1500");
    EXPECT_EQ(s.cbe_tyzd.text(), "1000");
    EXPECT_TRUE(computed());
    EXPECT_NE(s.edt_ra.text(), "");  // the rewrite's handlers ran before the results were shown
}

TEST_F(InputScreenTest, RefusedComputationMarksTheFieldAndStopsSilently) {
    struct Case {
        const char* name;
        std::function<void(InputScreen&)> setup;
        const char* message;
        Field field;
    };
    using S = InputScreen;
    const Case cases[] = {
        {"diameter letters", [](S& x) { x.cbe_dd.setText("abc"); }, "桩身直径数据有错", kDd},
        {"long side zero",
         [](S& x) {
             x.cbb_jmlx.setIndex(2);
             x.cbe_dd.setText("0");
         },
         "矩形长边尺寸数据有错", kDd},
        {"straight length zero",
         [](S& x) {
             x.cbb_jmlx.setIndex(1);
             x.cbe_tyzd.setText("0");
         },
         "椭圆直段长度数据有错", kTyzd},
        {"short side zero",
         [](S& x) {
             x.cbb_jmlx.setIndex(2);
             x.cbe_tyzd.setText("0");
         },
         "矩形短边尺寸数据有错", kTyzd},
        {"depth negative", [](S& x) { x.cbe_hr.setText("-5"); }, "嵌岩深度数据有错", kHr},
        {"depth lone letter", [](S& x) { x.cbe_hr.setText("d"); }, "嵌岩深度数据有错", kHr},
        {"depth of the other family", [](S& x) { x.cbe_hr.setText("1.5b"); }, "嵌岩深度数据有错",
         kHr},
        {"ellipse too long",
         [](S& x) {
             x.cbb_jmlx.setIndex(1);
             x.cbe_tyzd.setText("2001");
         },
         "超出范围，限制条件0.2≤c/d≤2.0", kTyzd},
        {"rectangle too slender",
         [](S& x) {
             x.cbb_jmlx.setIndex(2);
             x.cbe_dd.setText("2000");
             x.cbe_tyzd.setText("900");
         },
         "超出范围，限制条件0.5≤b/a≤1.0", kTyzd},
        {"frk zero", [](S& x) { x.edt_frk.setText("0"); }, "岩石单轴抗压强度值有错", kFrk},
        {"fuk zero",
         [](S& x) {
             x.rdb_fuk.select();
             x.edt_fuk.setText("0");
         },
         "桩端地基极限承载力值有错", kFuk},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        FormulaOneWindow w(fake.platform);
        InputScreen& x = w.inputScreen();
        c.setup(x);
        x.cbt_JingDuClick();  // a refusal leaves the popup as it was
        x.cbt_computeClick();
        EXPECT_EQ(x.lb_shuoming.text(), c.message);
        EXPECT_EQ(x.lb_shuoming.textColour(), TextColour::Red);
        EXPECT_TRUE(x.lb_shuoming.visible());
        EXPECT_FALSE(x.img_Logo.visible());
        EXPECT_EQ(c.field(x).textColour(), TextColour::Red);
        EXPECT_EQ(x.edt_ra.text(), "");
        EXPECT_EQ(x.edt_kesair.text(), "");
        EXPECT_TRUE(x.cbt_compute.visible());
        EXPECT_FALSE(x.cbt_View.visible());
        EXPECT_TRUE(x.popbox_jingdu.visible());
        EXPECT_EQ(w.pileCounter(), 0);
        EXPECT_EQ(w.bookSaveState(), 0);
        EXPECT_TRUE(w.bookScreen().books().detailedLines().empty());
        EXPECT_EQ(w.optimisationScreen().lb_YHxingxi.text(),
                  "运行中止，主界面可查看中止位置、原因");
        EXPECT_EQ(w.optimisationScreen().lb_YHxingxi.textColour(), TextColour::Red);
    }
}

TEST_F(InputScreenTest, ChecksThatPassTurnTheirFieldsBlackAgain) {
    s.cbe_hr.setText("x");
    s.cbt_computeClick();
    ASSERT_EQ(s.cbe_hr.textColour(), TextColour::Red);
    // The depth passes now; the ratio check after it refuses the ellipse.
    s.cbb_jmlx.setIndex(1);
    s.cbe_tyzd.setText("100");
    s.cbe_dd.setText("1000");
    s.cbt_computeClick();
    EXPECT_EQ(s.lb_shuoming.text(), "超出范围，限制条件0.2≤c/d≤2.0");
    EXPECT_EQ(s.cbe_hr.textColour(), TextColour::Black);
    EXPECT_EQ(s.cbe_tyzd.textColour(), TextColour::Red);
    s.cbe_tyzd.setText("500");
    s.cbt_computeClick();
    EXPECT_EQ(s.cbe_tyzd.textColour(), TextColour::Black);
    EXPECT_EQ(s.lb_shuoming.text(), "较软岩");
}

TEST_F(InputScreenTest, PrecisionPopupComputesOnlyWhileShown) {
    s.cbt_computeClick();
    ASSERT_EQ(window.pileCounter(), 1);

    s.popbox_jingdu.setIndex(0);  // hidden: the mode changes, nothing is computed
    EXPECT_EQ(window.pileCounter(), 1);
    EXPECT_EQ(s.edt_ra.text(), "8410");

    s.cbt_JingDuClick();
    ASSERT_TRUE(s.popbox_jingdu.visible());
    s.popbox_jingdu.pick(4);
    EXPECT_EQ(window.pileCounter(), 2);
    EXPECT_EQ(s.edt_ra.text(), "8400");
    EXPECT_EQ(s.edt_rc.text(), "7800");
    EXPECT_FALSE(s.popbox_jingdu.visible());

    // The same item again while shown is a new computation too.
    s.cbt_JingDuClick();
    s.popbox_jingdu.pick(4);
    EXPECT_EQ(window.pileCounter(), 3);

    s.cbt_JingDuClick();
    s.cbt_JingDuClick();
    EXPECT_FALSE(s.popbox_jingdu.visible());
}

TEST_F(InputScreenTest, PrecisionModesShowRaAndRc) {
    const char* ra[] = {"8410.31", "8410.3", "8410", "8410", "8400"};
    for (int mode = 0; mode < 5; ++mode) {
        SCOPED_TRACE(mode);
        s.cbt_JingDuClick();
        s.popbox_jingdu.pick(mode);
        EXPECT_EQ(s.edt_ra.text(), ra[mode]);
        EXPECT_EQ(s.edt_kesair.text(), "0.8567");  // the coefficient does not follow the mode
    }
}

}  // namespace
}  // namespace pile
