// The calculator windows on a small screen, under a real X server: a 1366 x 768 screen at 100 %
// and 125 % (the run sets the screen and QT_SCALE_FACTOR). A window that does not fit the free
// area is scaled down to fit it and centred there: every button on the screen, the proportions
// of the design kept.
#include <gtest/gtest.h>

#include <QApplication>
#include <QLineEdit>
#include <QPushButton>
#include <QScreen>
#include <QTest>

#include "app/qt/desktop_shell.h"
#include "tests/model/fake_platform.h"

namespace pile {
namespace {

class WindowFitTest : public ::testing::Test {
  protected:
    test::FakePlatform fake;
    DesktopShell shell{fake.platform};

    void SetUp() override { shell.start(); }

    // The window, shown and placed, and the free area of its screen.
    static QRect freeArea(const QWidget* window) { return window->screen()->availableGeometry(); }

    static void expectInside(const QWidget* widget, const QRect& area, const char* what) {
        SCOPED_TRACE(what);
        const QRect global(widget->mapToGlobal(QPoint(0, 0)), widget->size());
        EXPECT_TRUE(area.contains(global))
            << global.x() << "," << global.y() << " " << global.width() << "x" << global.height()
            << " outside " << area.width() << "x" << area.height();
    }

    static void expectFitted(CalculatorWindowView* window, QSize design, InputScreenView* input) {
        ASSERT_TRUE(QTest::qWaitForWindowExposed(window));
        const QRect area = freeArea(window);
        const QRect frame = window->frameGeometry();
        EXPECT_TRUE(area.contains(frame)) << frame.y() << " " << frame.height();
        expectInside(input->cbt_CopyRight, area, "©");
        expectInside(input->cbt_compute, area, "Compute");
        expectInside(input->cbt_tuichu, area, "Exit");

        // Scaled only when the design does not fit (a title bar's height is kept for the
        // frame), and then as far as it must.
        if (design.height() > area.height()) {
            EXPECT_LT(window->scale(), 1.0);
        }
        if (window->scale() == 1.0) {
            EXPECT_EQ(window->size(), design);
        } else {
            EXPECT_GT(frame.height(), area.height() * 0.9);
        }
        EXPECT_NEAR(double(window->width()) / window->height(),
                    double(design.width()) / design.height(), 0.01);
        // Centred across; down, centred within what the frame leaves.
        const int leftGap = frame.left() - area.left();
        const int rightGap = area.right() - frame.right();
        EXPECT_LE(std::abs(leftGap - rightGap), 2);

        // The parts keep their places in the design, in the window's scale.
        const double s = window->scale();
        EXPECT_NEAR(input->cbt_tuichu->x(), 208 * s, 1.5);
        EXPECT_NEAR(input->cbt_tuichu->width(), 89 * s, 1.5);
        EXPECT_NEAR(input->cbt_tuichu->font().pixelSize(), 15 * s, 1.0);
    }
};

TEST_F(WindowFitTest, FormulaOneWindow) {
    QTest::mouseClick(shell.chooser()->cbt_Gongshi1, Qt::LeftButton);
    TBVK_FRM_WENA1* window = shell.formulaOneWindow();
    ASSERT_NE(window, nullptr);
    expectFitted(window, QSize(363, 736), window->MainFormLayer);
    // The window still computes, and its books show at the slider's size in its scale.
    QTest::mouseClick(window->MainFormLayer->cbt_compute, Qt::LeftButton);
    EXPECT_EQ(window->MainFormLayer->edt_ra->text(), QStringLiteral("8410"));
}

TEST_F(WindowFitTest, FormulaTwoWindow) {
    QTest::mouseClick(shell.chooser()->cbt_Gongshi2, Qt::LeftButton);
    TBVK_FRM_WENA2* window = shell.formulaTwoWindow();
    ASSERT_NE(window, nullptr);
    expectFitted(window, QSize(363, 915), window->MainFormLayer);
}

}  // namespace
}  // namespace pile
