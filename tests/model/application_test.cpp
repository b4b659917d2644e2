// The application: the chooser with its one-window-per-kind rule, the release of a closed
// window, the shared About box and its links, and the dispatch of handler errors.
#include <gtest/gtest.h>

#include <functional>
#include <stdexcept>
#include <string>
#include <vector>

#include "app/model/application.h"
#include "app/model/formula_one_window.h"
#include "app/model/formula_two_window.h"
#include "tests/model/fake_platform.h"

namespace pile {
namespace {

class ApplicationTest : public ::testing::Test {
  protected:
    test::FakePlatform fake;
    Application app{fake.platform};
    std::vector<CalculatorKind> opened;

    void SetUp() override {
        app.onCalculatorOpened = [this](CalculatorKind kind, CalculatorWindow&) {
            opened.push_back(kind);
        };
    }
    ChooserWindow& chooser() { return *app.BVK_FRM_WENA0(); }
};

TEST_F(ApplicationTest, StartsOnTheChooserAlone) {
    ASSERT_NE(app.BVK_FRM_WENA0(), nullptr);
    EXPECT_EQ(app.BVK_FRM_WENA1(), nullptr);
    EXPECT_EQ(app.BVK_FRM_WENA2(), nullptr);
    EXPECT_EQ(app.BVK_HAP_FRM_CopyRight(), nullptr);
    EXPECT_EQ(chooser().lb_guifanming.text(), "重庆桩基规范");
    EXPECT_EQ(chooser().cbt_Gongshi1.text(), "不考虑土层摩阻力");
    EXPECT_EQ(chooser().cbt_Gongshi2.text(), "考虑土层摩阻力");
    EXPECT_EQ(chooser().cbt_guanbi.text(), "退  出");
}

TEST_F(ApplicationTest, OneWindowPerKind) {
    chooser().cbt_Gongshi1Click();
    CalculatorWindow* first = app.BVK_FRM_WENA1();
    ASSERT_NE(first, nullptr);
    first->inputScreen().cbt_computeClick();

    chooser().cbt_Gongshi1Click();
    EXPECT_EQ(app.BVK_FRM_WENA1(), first);
    EXPECT_EQ(first->pileCounter(), 1);
    EXPECT_EQ(opened, std::vector<CalculatorKind>{CalculatorKind::FormulaOne});
}

TEST_F(ApplicationTest, FormulaTwoOpensBesideFormulaOne) {
    chooser().cbt_Gongshi1Click();
    chooser().cbt_Gongshi2Click();
    chooser().cbt_Gongshi2Click();
    ASSERT_NE(app.BVK_FRM_WENA1(), nullptr);
    ASSERT_NE(app.BVK_FRM_WENA2(), nullptr);
    EXPECT_NE(app.BVK_FRM_WENA1(), app.BVK_FRM_WENA2());
    EXPECT_NE(dynamic_cast<FormulaTwoWindow*>(app.BVK_FRM_WENA2()), nullptr);
    EXPECT_EQ(opened, (std::vector<CalculatorKind>{CalculatorKind::FormulaOne,
                                                   CalculatorKind::FormulaTwo}));
}

TEST_F(ApplicationTest, ClosedWindowIsReleasedAndTheNextOneStartsFresh) {
    chooser().cbt_Gongshi1Click();
    CalculatorWindow& w = *app.BVK_FRM_WENA1();
    w.inputScreen().cbe_dd.setText("1500");
    w.inputScreen().cbt_computeClick();
    fake.dialogs.answers = {SaveAnswer::Discard};  // the book with its pile is let go
    w.cbt_tuichuClick();
    ASSERT_TRUE(w.closeRequested());
    app.calculatorClosed(CalculatorKind::FormulaOne);
    EXPECT_EQ(app.BVK_FRM_WENA1(), nullptr);

    chooser().cbt_Gongshi1Click();
    CalculatorWindow& fresh = *app.BVK_FRM_WENA1();
    EXPECT_EQ(fresh.inputScreen().cbe_dd.text(), "1000");
    EXPECT_EQ(fresh.pileCounter(), 0);
    EXPECT_TRUE(fresh.bookScreen().books().detailedLines().empty());
    EXPECT_FALSE(fresh.closeRequested());
    EXPECT_EQ(opened.size(), 2u);
}

TEST_F(ApplicationTest, ChooserExitEndsTheApplication) {
    chooser().cbt_Gongshi1Click();
    chooser().cbt_Gongshi2Click();
    chooser().cbt_guanbiClick();
    EXPECT_TRUE(chooser().closeRequested());
    app.chooserClosed();
    EXPECT_EQ(app.BVK_FRM_WENA0(), nullptr);
}

TEST_F(ApplicationTest, AboutBoxIsOneInstanceForBothCalculators) {
    app.setWindowFactory(CalculatorKind::FormulaTwo,
                         [](Platform& p) { return std::make_unique<FormulaOneWindow>(p); });
    int shown = 0;
    app.onAboutShown = [&shown](AboutBox&) { ++shown; };
    chooser().cbt_Gongshi1Click();
    chooser().cbt_Gongshi2Click();

    app.BVK_FRM_WENA1()->cbt_CopyRightClick();
    AboutBox* box = app.BVK_HAP_FRM_CopyRight();
    ASSERT_NE(box, nullptr);
    EXPECT_TRUE(box->form.visible());
    box->hide();  // a click into another window of the application
    EXPECT_FALSE(box->form.visible());

    app.BVK_FRM_WENA2()->cbt_CopyRightClick();
    EXPECT_EQ(app.BVK_HAP_FRM_CopyRight(), box);
    EXPECT_TRUE(box->form.visible());
    EXPECT_EQ(shown, 2);

    // It outlives the windows that opened it.
    app.calculatorClosed(CalculatorKind::FormulaOne);
    EXPECT_EQ(app.BVK_HAP_FRM_CopyRight(), box);
}

TEST_F(ApplicationTest, AboutLinksGoToTheDesktop) {
    AboutBox& box = app.showAbout();
    EXPECT_STREQ(AboutBox::kCaption, "关于");
    box.lb_wangzhiClick();
    box.lb_lianxiUrClick();
    box.lb_danweiClick();
    box.cbt_updateClick();
    ASSERT_EQ(fake.urls.opened.size(), 4u);
    EXPECT_EQ(fake.urls.opened[1].rfind("mailto:", 0), 0u);
    EXPECT_NE(fake.urls.opened[3].find(".zip"), std::string::npos);
    EXPECT_TRUE(box.form.visible());
}

TEST_F(ApplicationTest, AboutLinksLightUpUnderTheMouse) {
    AboutBox& box = app.showAbout();
    struct Case {
        const char* name;
        Label AboutBox::*label;
        void (AboutBox::*move)();
        void (AboutBox::*leave)();
        TextColour restColour;
    };
    const Case cases[] = {
        {"web site", &AboutBox::lb_wangzhi, &AboutBox::lb_wangzhiMouseMove,
         &AboutBox::lb_wangzhiMouseLeave, TextColour::Blue},
        {"mail", &AboutBox::lb_lianxiUr, &AboutBox::lb_lianxiUrMouseMove,
         &AboutBox::lb_lianxiUrMouseLeave, TextColour::Blue},
        {"organisation", &AboutBox::lb_danwei, &AboutBox::lb_danweiMouseMove,
         &AboutBox::lb_danweiMouseLeave, TextColour::Black},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        Label& label = box.*(c.label);
        const std::string restText = label.text();
        EXPECT_EQ(label.textColour(), c.restColour);
        (box.*(c.move))();
        EXPECT_TRUE(label.bold());
        EXPECT_TRUE(label.underline());
        EXPECT_EQ(label.textColour(), TextColour::Red);
        (box.*(c.leave))();
        EXPECT_FALSE(label.bold());
        EXPECT_FALSE(label.underline());
        EXPECT_EQ(label.textColour(), c.restColour);
        EXPECT_EQ(label.text(), restText);
    }
    box.lb_danweiMouseMove();
    EXPECT_EQ(box.lb_danwei.text(), AboutBox::kOrganisationSite);
}

TEST(DispatchEventTest, ErrorsOfAHandlerGoToTheErrorBox) {
    test::RecordingErrors errors;
    EXPECT_TRUE(dispatchEvent(errors, [] {}));
    EXPECT_FALSE(dispatchEvent(errors, [] { throw std::runtime_error("disk full"); }));
    EXPECT_FALSE(dispatchEvent(errors, [] { throw 42; }));
    ASSERT_EQ(errors.shown.size(), 2u);
    EXPECT_EQ(errors.shown[0], "disk full");
    EXPECT_FALSE(errors.shown[1].empty());
}

}  // namespace
}  // namespace pile
