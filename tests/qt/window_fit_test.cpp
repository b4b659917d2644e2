// The calculator windows on a small screen, under a real X server: a 1366 x 768 screen at 100 %
// and 125 %, and 1024 x 768 (the run sets the screen and QT_SCALE_FACTOR). A window that does
// not fit the free area is scaled down to fit it and centred there: every button on the screen,
// the proportions of the design kept, and every text of every screen shown whole, in both fold
// states and after a search.
#include <gtest/gtest.h>

#include <QApplication>
#include <QCheckBox>
#include <QLineEdit>
#include <QPushButton>
#include <QScreen>
#include <QTest>

#include "app/qt/desktop_shell.h"
#include "tests/model/fake_platform.h"
#include "tests/qt/text_fit.h"

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

// Every text of the window shown whole, where the walk has come to.
void expectWhole(const QWidget* window, const char* where) {
    SCOPED_TRACE(where);
    QCoreApplication::processEvents();
    for (const std::string& text : test::cutTexts(window)) ADD_FAILURE() << text;
}

void click(QAbstractButton* button) {
    ASSERT_TRUE(button->isVisible()) << button->text().toStdString();
    ASSERT_TRUE(button->isEnabled()) << button->text().toStdString();
    QTest::mouseClick(button, Qt::LeftButton);
}

// The book screen's two pages, and the optimisation screen before and after a search, expanded
// and folded, and filtered; back on the input screen.
void walkBooksAndOptimisation(QWidget* window, InputScreenView* input, BookScreenView* books,
                              OptimisationScreenView* optimisation) {
    click(input->cbt_View);
    expectWhole(window, "book, page 1");
    click(books->cbt_PageBook);
    expectWhole(window, "book, page 2");
    click(books->cbt_Exit);
    click(input->cbt_YouHua);
    expectWhole(window, "optimisation");
    click(optimisation->cbt_YHcompute);
    expectWhole(window, "optimisation, after a search");
    click(optimisation->cbt_zhangkai);
    expectWhole(window, "optimisation, expanded");
    click(optimisation->cbt_zhangkai);
    click(optimisation->cbt_YHsaixuan);
    expectWhole(window, "optimisation, filtered");
    click(optimisation->cbt_YHfanhui);
}

TEST_F(WindowFitTest, EveryTextOfTheFormulaOneWindowIsShownWhole) {
    expectWhole(shell.chooser(), "chooser");
    QTest::mouseClick(shell.chooser()->cbt_Gongshi1, Qt::LeftButton);
    TBVK_FRM_WENA1* window = shell.formulaOneWindow();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(window));
    InputScreenView* input = window->MainFormLayer;
    expectWhole(window, "input");
    click(input->cbt_compute);
    expectWhole(window, "input, computed");
    walkBooksAndOptimisation(window, input, window->JieGuo_DocLayer, window->YouHuaFormLayer);
}

TEST_F(WindowFitTest, EveryTextOfTheFormulaTwoWindowIsShownWhole) {
    QTest::mouseClick(shell.chooser()->cbt_Gongshi2, Qt::LeftButton);
    TBVK_FRM_WENA2* window = shell.formulaTwoWindow();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(window));
    FormulaTwoInputScreenView* input = window->MainFormLayer;
    expectWhole(window, "input");
    for (QCheckBox* box : {input->ckb_fumozhuli, input->ckb_zhengmozhuli})
        QTest::mouseClick(box, Qt::LeftButton, {}, QPoint(8, box->height() / 2));

    struct Soil {
        const char* name;
        QPushButton* open;
        QTableView* layers;
        QPushButton* compute;
        QPushButton* fold;
        QPushButton* back;
    };
    NegativeFrictionScreenView* drag = window->Fumozhuli_FormLayer;
    SideResistanceScreenView* side = window->Zhengmozhuli_FormLayer;
    const Soil soils[] = {
        {"negative friction", input->cbt_fumozhuli, drag->Grid1_Fumozhulijisuan,
         drag->cbt_FmzlComputer, drag->cbt_fmzlzhankai, drag->cbt_Fmzlfanhui},
        {"side resistance", input->cbt_zhengmozhuli, side->Grid1_Zhengmozhulijisuan,
         side->cbt_ZmzlComputer, side->cbt_ZhengZhankai, side->cbt_Zmzlfanhui},
    };
    for (const Soil& s : soils) {
        SCOPED_TRACE(s.name);
        click(s.open);
        expectWhole(window, "folded");
        // Folded, the layer grid shows its input columns without scrolling.
        EXPECT_LE(s.layers->horizontalHeader()->length(), s.layers->viewport()->width());
        click(s.fold);
        expectWhole(window, "expanded");
        click(s.compute);
        expectWhole(window, "expanded, computed");
        click(s.fold);
        expectWhole(window, "folded, computed");
        EXPECT_LE(s.layers->horizontalHeader()->length(), s.layers->viewport()->width());
        click(s.fold);
        expectWhole(window, "expanded again");
        click(s.back);
    }
    click(input->cbt_compute);
    expectWhole(window, "input, computed");
    walkBooksAndOptimisation(window, input, window->JieGuo_DocLayer, window->YouHuaFormLayer);
}

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
