// The screens from the keyboard: Space on Compute leaves the focus on Result, never on Exit;
// Enter in a field computes; Tab skips the result fields and walks the screen from top to
// bottom; Esc closes the About box. And the slope condition's text: readable when disabled,
// and a click on it ticks its box.
#include <gtest/gtest.h>

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>

#include <cmath>
#include <vector>

#include "app/qt/desktop_shell.h"
#include "app/qt/theme.h"
#include "tests/model/fake_platform.h"

namespace pile {
namespace {

class KeyboardTest : public ::testing::Test {
  protected:
    test::FakePlatform fake;
    DesktopShell shell{fake.platform};

    void SetUp() override { shell.start(); }

    template <class W>
    W* activated(W* window) {
        window->activateWindow();
        EXPECT_TRUE(QTest::qWaitForWindowActive(window));
        return window;
    }
    TBVK_FRM_WENA1* openFormulaOne() {
        QTest::mouseClick(shell.chooser()->cbt_Gongshi1, Qt::LeftButton);
        return activated(shell.formulaOneWindow());
    }
    TBVK_FRM_WENA2* openFormulaTwo() {
        QTest::mouseClick(shell.chooser()->cbt_Gongshi2, Qt::LeftButton);
        return activated(shell.formulaTwoWindow());
    }
    static void press(Qt::Key key) { QTest::keyClick(QApplication::focusWidget(), key); }
};

TEST_F(KeyboardTest, SpaceOnComputeLeavesTheFocusOnResultAndASecondSpaceShowsTheBooks) {
    TBVK_FRM_WENA1* window = openFormulaOne();
    InputScreenView* input = window->MainFormLayer;
    input->cbt_compute->setFocus();
    press(Qt::Key_Space);
    EXPECT_EQ(input->edt_ra->text(), QStringLiteral("8410"));
    EXPECT_EQ(QApplication::focusWidget(), input->cbt_View);

    press(Qt::Key_Space);
    ASSERT_TRUE(window->isVisible());
    EXPECT_TRUE(window->JieGuo_DocLayer->isVisible());
    EXPECT_NE(QApplication::focusWidget(), input->cbt_tuichu);

    // Back on the input screen the focus is where Back was: on Result, not on Exit.
    window->JieGuo_DocLayer->cbt_Exit->setFocus();
    press(Qt::Key_Space);
    EXPECT_TRUE(input->isVisible());
    EXPECT_EQ(QApplication::focusWidget(), input->cbt_View);
}

TEST_F(KeyboardTest, EnterInAFieldComputes) {
    struct Case {
        const char* name;
        QWidget* (*field)(InputScreenView*);
    };
    const Case cases[] = {
        {"diameter list", [](InputScreenView* v) -> QWidget* { return v->cbe_dd; }},
        {"grade list", [](InputScreenView* v) -> QWidget* { return v->cbb_hnt; }},
        {"frk edit", [](InputScreenView* v) -> QWidget* { return v->edt_frk; }},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        TBVK_FRM_WENA1* window = openFormulaOne();
        InputScreenView* input = window->MainFormLayer;
        QWidget* field = c.field(input);
        field->setFocus();
        press(Qt::Key_Return);
        EXPECT_EQ(input->edt_ra->text(), QStringLiteral("8410"));
        EXPECT_TRUE(input->cbt_View->isVisible());
        // Enter once more computes nothing: Compute is gone until an input changes.
        field->setFocus();
        press(Qt::Key_Enter);
        EXPECT_TRUE(input->isVisible());
        QTest::mouseClick(input->cbt_tuichu, Qt::LeftButton);
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }
}

TEST_F(KeyboardTest, EnterInASoilFieldPressesThatScreensCompute) {
    TBVK_FRM_WENA2* window = openFormulaTwo();
    FormulaTwoInputScreenView* input = window->MainFormLayer;
    QTest::mouseClick(input->ckb_fumozhuli, Qt::LeftButton, {}, QPoint(8, 8));
    QTest::mouseClick(input->cbt_fumozhuli, Qt::LeftButton);
    NegativeFrictionScreenView* drag = window->Fumozhuli_FormLayer;
    ASSERT_TRUE(drag->isVisible());
    const QString before = drag->lb_FQgn->text();
    drag->edt_Zhuangdingbiaogao->setFocus();
    press(Qt::Key_Return);
    EXPECT_TRUE(drag->isVisible());
    EXPECT_NE(drag->lb_FQgn->text(), before);
    EXPECT_TRUE(input->edt_ra->text().isEmpty()) << "the pile itself is not computed";
}

TEST_F(KeyboardTest, ASoilScreensComputeLeavesTheFocusOnAButton) {
    TBVK_FRM_WENA2* window = openFormulaTwo();
    FormulaTwoInputScreenView* input = window->MainFormLayer;
    QTest::mouseClick(input->ckb_fumozhuli, Qt::LeftButton, {}, QPoint(8, 8));
    QTest::mouseClick(input->cbt_fumozhuli, Qt::LeftButton);
    NegativeFrictionScreenView* drag = window->Fumozhuli_FormLayer;
    const QString load = drag->cbe_Junbuhezai->currentText();
    QTest::mouseClick(drag->cbt_FmzlComputer, Qt::LeftButton);
    ASSERT_FALSE(drag->cbt_FmzlComputer->isEnabled());  // nothing to compute until a change
    EXPECT_TRUE(qobject_cast<QPushButton*>(QApplication::focusWidget()));
    // The next key goes to that button, not into p.
    press(Qt::Key_5);
    EXPECT_EQ(drag->cbe_Junbuhezai->currentText(), load);
}

// The second click of a fast double click on Compute (or Back) lands on the button that takes
// its place (Result, or the input screen's Compute or Result): it is not a click on that button.
TEST_F(KeyboardTest, AButtonThatAppearsUnderThePointerIgnoresTheRestOfADoubleClick) {
    TBVK_FRM_WENA1* window = openFormulaOne();
    InputScreenView* input = window->MainFormLayer;
    const auto doubleClick = [window](QWidget* button) {
        const QPoint at = button->mapTo(window, button->rect().center());
        QTest::mouseDClick(window->windowHandle(), Qt::LeftButton, {}, at);
    };
    doubleClick(input->cbt_compute);
    EXPECT_EQ(input->edt_ra->text(), QStringLiteral("8410"));
    ASSERT_TRUE(input->cbt_View->isVisible());
    ASSERT_EQ(input->cbt_View->geometry(), input->cbt_compute->geometry());
    EXPECT_TRUE(input->isVisible()) << "Result took the second click";

    QTest::mouseClick(input->cbt_View, Qt::LeftButton);
    ASSERT_TRUE(window->JieGuo_DocLayer->isVisible());
    doubleClick(window->JieGuo_DocLayer->cbt_Exit);
    EXPECT_TRUE(input->isVisible()) << "the book screen came back";

    // Clicks further apart than a double click go through.
    QTest::mouseClick(input->cbt_View, Qt::LeftButton);
    EXPECT_TRUE(window->JieGuo_DocLayer->isVisible());
}

TEST_F(KeyboardTest, ACalculatorOpenedFromTheChooserIsActive) {
    QTest::mouseClick(shell.chooser()->cbt_Gongshi2, Qt::LeftButton);
    TBVK_FRM_WENA2* window = shell.formulaTwoWindow();
    ASSERT_NE(window, nullptr);
    EXPECT_TRUE(QTest::qWaitForWindowActive(window));
    EXPECT_EQ(QApplication::activeWindow(), window);
}

TEST_F(KeyboardTest, TabSkipsTheResultFieldsAndWalksTheScreenDownwards) {
    TBVK_FRM_WENA1* window = openFormulaOne();
    InputScreenView* input = window->MainFormLayer;
    QTest::mouseClick(input->cbt_compute, Qt::LeftButton);  // results in the fields
    input->cbe_dd->setFocus();
    std::vector<QWidget*> walked{QApplication::focusWidget()};
    while (walked.size() < 30 && walked.back() != input->cbt_tuichu) {
        press(Qt::Key_Tab);
        walked.push_back(QApplication::focusWidget());
    }
    ASSERT_EQ(walked.back(), input->cbt_tuichu);
    // A circle has no second size, and fuk's edit is disabled in frk mode; "★" stands between
    // Result and Exit, a little lower.
    const std::vector<QWidget*> expected = {input->cbe_dd,     input->cbe_hr,     input->cbb_hnt,
                                            input->cbb_czgy,   input->rdb_frk,    input->edt_frk,
                                            input->rdb_fuk,    input->cbt_JingDu, input->cbt_View,
                                            input->cbt_YouHua, input->cbt_tuichu};
    EXPECT_EQ(walked, expected);
    // A result field still takes a click, for copying its number.
    QTest::mouseClick(input->edt_ra, Qt::LeftButton);
    EXPECT_EQ(QApplication::focusWidget(), input->edt_ra);
}

TEST_F(KeyboardTest, EscClosesTheAboutBox) {
    TBVK_FRM_WENA1* window = openFormulaOne();
    QTest::mouseClick(window->MainFormLayer->cbt_CopyRight, Qt::LeftButton);
    QWidget* about = shell.aboutBox();
    ASSERT_NE(about, nullptr);
    ASSERT_TRUE(about->isVisible());
    activated(about);
    QTest::keyClick(about, Qt::Key_Escape);
    EXPECT_FALSE(about->isVisible());
    EXPECT_TRUE(window->isVisible());
}

// The contrast ratio of two colours, as the accessibility guidelines define it.
double contrast(const QColor& a, const QColor& b) {
    const auto luminance = [](const QColor& c) {
        const auto channel = [](double v) {
            return v <= 0.03928 ? v / 12.92 : std::pow((v + 0.055) / 1.055, 2.4);
        };
        return 0.2126 * channel(c.redF()) + 0.7152 * channel(c.greenF()) +
               0.0722 * channel(c.blueF());
    };
    const double la = luminance(a), lb = luminance(b);
    return (std::max(la, lb) + 0.05) / (std::min(la, lb) + 0.05);
}

TEST_F(KeyboardTest, SlopeConditionTextIsReadableWhenDisabledAndTicksItsBoxWhenEnabled) {
    TBVK_FRM_WENA1* window = openFormulaOne();
    InputScreenView* input = window->MainFormLayer;
    QLabel* text = input->lb_frk_ystj;
    ASSERT_FALSE(text->isEnabled());  // a circle: the condition does not apply
    const QColor shown = text->palette().color(QPalette::Disabled, QPalette::WindowText);
    const QImage background = window->grab().toImage();
    const QPoint at = text->mapTo(window, QPoint(text->width() - 2, text->height() / 2));
    EXPECT_GE(contrast(shown, background.pixelColor(at)), 4.5)
        << shown.name().toStdString() << " on " << background.pixelColor(at).name().toStdString();

    QTest::mouseClick(text, Qt::LeftButton);
    EXPECT_FALSE(input->ckb_ystj->isChecked());

    // An ellipse in frk mode: the condition applies, and the text ticks and unticks the box.
    input->cbb_jmlx->setFocus();
    press(Qt::Key_Down);
    ASSERT_TRUE(text->isEnabled());
    QTest::mouseClick(text, Qt::LeftButton);
    EXPECT_TRUE(input->ckb_ystj->isChecked());
    QTest::mouseClick(text, Qt::LeftButton);
    EXPECT_FALSE(input->ckb_ystj->isChecked());
}

}  // namespace
}  // namespace pile
