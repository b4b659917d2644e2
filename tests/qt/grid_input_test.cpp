// Typing into the grids as a fast typist does: a click on a cell and the keys at once, with no
// pause between them, land in that cell (the item table and both layer grids); Tab walks the
// cells that take edits and leaves the grid after the last; a long paste is elided in its cell,
// whole in its tooltip, and widens no column.
#include <gtest/gtest.h>

#include <QApplication>
#include <QCheckBox>
#include <QClipboard>
#include <QHeaderView>
#include <QHelpEvent>
#include <QLineEdit>
#include <QPushButton>
#include <QScrollBar>
#include <QTest>
#include <QToolTip>

#include <functional>
#include <string>
#include <vector>

#include "app/qt/desktop_shell.h"
#include "soil/drag_load.h"
#include "soil/side_resistance.h"
#include "tests/model/fake_platform.h"
#include "tests/qt/grid_typing.h"

namespace pile {
namespace {

// Item table rows and columns.
constexpr int kDiameterRow = 1, kFrkRow = 8, kFukRow = 9;
constexpr int kMinColumn = 1, kMaxColumn = 2;

class GridInputTest : public ::testing::Test {
  public:  // the cases of a table open their screens through the fixture
    test::FakePlatform fake;
    DesktopShell shell{fake.platform};

    void SetUp() override { shell.start(); }

    template <class W>
    W* activated(W* window) {
        window->activateWindow();
        EXPECT_TRUE(QTest::qWaitForWindowActive(window));
        return window;
    }
    OptimisationScreenView* openOptimisation() {
        QTest::mouseClick(shell.chooser()->cbt_Gongshi1, Qt::LeftButton);
        TBVK_FRM_WENA1* window = activated(shell.formulaOneWindow());
        QTest::mouseClick(window->MainFormLayer->cbt_YouHua, Qt::LeftButton);
        return window->YouHuaFormLayer;
    }
    TBVK_FRM_WENA2* openFormulaTwo() {
        QTest::mouseClick(shell.chooser()->cbt_Gongshi2, Qt::LeftButton);
        return activated(shell.formulaTwoWindow());
    }
    NegativeFrictionScreenView* openDragScreen() {
        FormulaTwoInputScreenView* input = openFormulaTwo()->MainFormLayer;
        QTest::mouseClick(input->ckb_fumozhuli, Qt::LeftButton, {}, QPoint(8, 8));
        QTest::mouseClick(input->cbt_fumozhuli, Qt::LeftButton);
        return shell.formulaTwoWindow()->Fumozhuli_FormLayer;
    }
    SideResistanceScreenView* openSideScreen() {
        FormulaTwoInputScreenView* input = openFormulaTwo()->MainFormLayer;
        QTest::mouseClick(input->ckb_zhengmozhuli, Qt::LeftButton, {}, QPoint(8, 8));
        QTest::mouseClick(input->cbt_zhengmozhuli, Qt::LeftButton);
        return shell.formulaTwoWindow()->Zhengmozhuli_FormLayer;
    }

    // Each key to whatever has the focus when it comes, as a keyboard sends it.
    static void typeAtOnce(const QString& text) {
        for (const QChar ch : text) QTest::keyClick(QApplication::focusWidget(), ch.toLatin1());
    }
    static void press(Qt::Key key, Qt::KeyboardModifiers modifiers = {}) {
        QTest::keyClick(QApplication::focusWidget(), key, modifiers);
    }
    static QPoint centreOf(QTableView* grid, int row, int column) {
        const QModelIndex index = grid->model()->index(row, column);
        grid->scrollTo(index);
        return grid->visualRect(index).center();
    }
    static bool inside(const QWidget* widget, const QWidget* container) {
        for (const QWidget* w = widget; w; w = w->parentWidget())
            if (w == container) return true;
        return false;
    }
};

TEST_F(GridInputTest, KeysTypedRightAfterAClickOnACellLandInThatCell) {
    struct Case {
        const char* name;
        std::function<QTableView*(GridInputTest&)> open;
        int row;
        int column;
        const char* typed;
        int neighbourRow;  // a cell the keys must leave as it was
        int neighbourColumn;
    };
    const Case cases[] = {
        {"item table, frk max",
         [](GridInputTest& t) -> QTableView* {
             return t.openOptimisation()->Grid1_Youhuaxuanxiang;
         },
         kFrkRow, kMaxColumn, "45", kFukRow, kMaxColumn},
        {"item table, d min",
         [](GridInputTest& t) -> QTableView* {
             return t.openOptimisation()->Grid1_Youhuaxuanxiang;
         },
         kDiameterRow, kMinColumn, "1000", kDiameterRow + 1, kMinColumn},
        {"drag grid, xi",
         [](GridInputTest& t) -> QTableView* { return t.openDragScreen()->Grid1_Fumozhulijisuan; },
         0, drag_col::kXi, "0.25", 0, drag_col::kUnitWeight},
        {"side grid, li",
         [](GridInputTest& t) -> QTableView* {
             return t.openSideScreen()->Grid1_Zhengmozhulijisuan;
         },
         0, side_col::kThickness, "12.5", 0, side_col::kQsik},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        QTableView* grid = c.open(*this);
        ASSERT_NE(grid, nullptr);
        ASSERT_TRUE(grid->isVisible());
        const std::string neighbour = test::cellText(grid, c.neighbourRow, c.neighbourColumn);
        const QPoint at = centreOf(grid, c.row, c.column);
        // Once on a cell not yet selected, once on the cell already selected.
        for (const char* typed : {"7", c.typed}) {
            QTest::mouseClick(grid->viewport(), Qt::LeftButton, {}, at);
            typeAtOnce(QString::fromLatin1(typed));
            press(Qt::Key_Return);
            QCoreApplication::processEvents();
            EXPECT_EQ(test::cellText(grid, c.row, c.column), typed);
        }
        EXPECT_EQ(test::cellText(grid, c.neighbourRow, c.neighbourColumn), neighbour);
        grid->window()->close();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }
}

TEST_F(GridInputTest, TabWalksTheCellsThatTakeEditsAndLeavesAfterTheLast) {
    OptimisationScreenView* screen = openOptimisation();
    QTableView* items = screen->Grid1_Youhuaxuanxiang;
    QAbstractItemModel* model = items->model();
    std::vector<QModelIndex> editable;
    for (int r = 0; r < model->rowCount(); ++r)
        for (int c = 0; c < model->columnCount(); ++c)
            if (!items->isColumnHidden(c) &&
                (model->flags(model->index(r, c)) & Qt::ItemIsEditable))
                editable.push_back(model->index(r, c));
    ASSERT_GT(editable.size(), 20u);

    // From the first cell, in its editor, one Tab per cell: each in turn, then out of the table.
    QTest::mouseClick(items->viewport(), Qt::LeftButton, {}, centreOf(items, 0, kMinColumn));
    ASSERT_EQ(items->currentIndex(), editable.front());
    std::vector<QModelIndex> walked{items->currentIndex()};
    for (size_t i = 1; i < editable.size() + 1; ++i) {
        press(Qt::Key_Tab);
        if (!inside(QApplication::focusWidget(), items)) break;
        walked.push_back(items->currentIndex());
    }
    EXPECT_EQ(walked, editable);
    EXPECT_FALSE(inside(QApplication::focusWidget(), items));

    // Shift+Tab comes back into the last cell; Ctrl+Tab leaves the table at once.
    press(Qt::Key_Backtab, Qt::ShiftModifier);
    EXPECT_TRUE(inside(QApplication::focusWidget(), items));
    EXPECT_EQ(items->currentIndex(), editable.back());
    press(Qt::Key_Tab, Qt::ControlModifier);
    EXPECT_FALSE(inside(QApplication::focusWidget(), items));
    EXPECT_EQ(items->horizontalScrollBar()->value(), 0);

    // Shift+Tab from the first cell leaves the table upwards.
    QTest::mouseClick(items->viewport(), Qt::LeftButton, {}, centreOf(items, 0, kMinColumn));
    press(Qt::Key_Backtab, Qt::ShiftModifier);
    EXPECT_FALSE(inside(QApplication::focusWidget(), items));
}

TEST_F(GridInputTest, ALongPasteIsElidedInItsCellAndWhollyInItsTooltip) {
    NegativeFrictionScreenView* drag = openDragScreen();
    GridView* grid = drag->Grid1_Fumozhulijisuan;
    const int columns = grid->model()->columnCount();
    std::vector<int> widths;
    for (int c = 0; c < columns; ++c) widths.push_back(grid->columnWidth(c));

    QString pasted;
    for (int i = 0; i < 250; ++i) pasted += QStringLiteral("1234567890");
    QApplication::clipboard()->setText(pasted);
    QTest::mouseClick(grid->viewport(), Qt::LeftButton, {}, centreOf(grid, 0, drag_col::kXi));
    press(Qt::Key_V, Qt::ControlModifier);
    press(Qt::Key_Return);
    QCoreApplication::processEvents();
    ASSERT_EQ(grid->model()->index(0, drag_col::kXi).data().toString(), pasted);

    for (int c = 0; c < columns; ++c) EXPECT_EQ(grid->columnWidth(c), widths[size_t(c)]) << c;
    // The input columns are all still in the grid.
    const int qsikRight =
        grid->columnViewportPosition(drag_col::kQsik) + grid->columnWidth(drag_col::kQsik);
    EXPECT_LE(qsikRight, grid->viewport()->width());

    const QPoint at = centreOf(grid, 0, drag_col::kXi);
    QHelpEvent help(QEvent::ToolTip, at, grid->viewport()->mapToGlobal(at));
    QApplication::sendEvent(grid->viewport(), &help);
    EXPECT_TRUE(QToolTip::isVisible());
    EXPECT_EQ(QToolTip::text().remove(u'\n'), pasted);
    QToolTip::hideText();
}

}  // namespace
}  // namespace pile
