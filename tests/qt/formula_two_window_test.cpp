// The formula-two window through its real widgets: the chooser opens it, the soil switches open
// the two soil screens, layers typed into the grids and computed on the input screen give what
// pilecalc gives for the same pile (results, both grids and the detailed book), a grid cell
// keeps its text as typed, only the input columns take edits, and the share bars are drawn to
// the length of their cells.
#include <gtest/gtest.h>

#include <QCheckBox>
#include <QComboBox>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScrollBar>
#include <QTest>

#include <nlohmann/json.hpp>

#include <sstream>
#include <string>
#include <vector>

#include "app/qt/desktop_shell.h"
#include "cli/commands.h"
#include "soil/drag_load.h"
#include "soil/side_resistance.h"
#include "tests/model/fake_platform.h"
#include "tests/qt/grid_typing.h"

namespace pile {
namespace {

using Rows = std::vector<std::vector<std::string>>;

class FormulaTwoDesktopTest : public ::testing::Test {
  protected:
    test::FakePlatform fake;
    DesktopShell shell{fake.platform};

    void SetUp() override { shell.start(); }

    TBVK_FRM_WENA2* openFormulaTwo() {
        QTest::mouseClick(shell.chooser()->cbt_Gongshi2, Qt::LeftButton);
        return shell.formulaTwoWindow();
    }
    void click(QAbstractButton* button) {
        ASSERT_TRUE(button->isVisible());
        ASSERT_TRUE(button->isEnabled());
        QTest::mouseClick(button, Qt::LeftButton);
    }
    // The check box's own square: a click anywhere on its text would do as well.
    void tick(QCheckBox* box) {
        QTest::mouseClick(box, Qt::LeftButton, {}, QPoint(8, box->height() / 2));
        ASSERT_TRUE(box->isChecked());
    }
    // Replaces the text of an edit by typing, as the user does.
    static void retype(QLineEdit* edit, const QString& text) {
        edit->selectAll();
        QTest::keyClicks(edit, text);
    }
    // Picks the layer count with the keyboard.
    static void chooseLayerCount(QComboBox* box, int count) {
        while (box->currentIndex() > count - 1) QTest::keyClick(box, Qt::Key_Up);
        while (box->currentIndex() < count - 1) QTest::keyClick(box, Qt::Key_Down);
    }
    static void typeCell(GridView* grid, int row, int column, const QString& text) {
        test::typeCell(grid, row, column, text);
    }
    static void typeRows(GridView* grid, int firstColumn, const Rows& rows) {
        for (int r = 0; r < int(rows.size()); ++r)
            for (int c = 0; c < int(rows[size_t(r)].size()); ++c)
                typeCell(grid, r, firstColumn + c, toQString(rows[size_t(r)][size_t(c)]));
    }
    static std::string cell(const QTableView* grid, int row, int column) {
        return test::cellText(grid, row, column);
    }
};

std::string runCli(int (*command)(const std::vector<std::string>&, std::istream&, std::ostream&,
                                  std::ostream&),
                   const std::vector<std::string>& args, const std::string& line) {
    std::istringstream in(line + "\n");
    std::ostringstream out, err;
    EXPECT_EQ(command(args, in, out, err), 0) << err.str();
    EXPECT_EQ(err.str(), "");
    return out.str();
}

TEST_F(FormulaTwoDesktopTest, LayersTypedIntoTheGridsComputeAsPilecalcDoes) {
    // Texts as an engineer types them: not all with the decimals the columns show.
    const Rows dragRows = {{"-3", "18", "0.3", "20"},
                           {"-6.500", "17.50", "0.25", "30.00"},
                           {"-12.25", "19.0", "0.35", "40"}};
    const Rows sideRows = {{"3.5", "30"}, {"6.000", "45.00"}};

    TBVK_FRM_WENA2* window = openFormulaTwo();
    ASSERT_NE(window, nullptr);
    FormulaTwoInputScreenView* input = window->MainFormLayer;
    tick(input->ckb_fumozhuli);
    tick(input->ckb_zhengmozhuli);

    click(input->cbt_fumozhuli);
    NegativeFrictionScreenView* drag = window->Fumozhuli_FormLayer;
    ASSERT_TRUE(drag->isVisible());
    EXPECT_FALSE(input->isVisible());
    retype(drag->cbe_Junbuhezai->lineEdit(), QStringLiteral("20"));
    retype(drag->edt_Zhuangdingbiaogao, QStringLiteral("-1.200"));
    chooseLayerCount(drag->cbb_Tuchengshu, 3);
    ASSERT_EQ(drag->Grid1_Fumozhulijisuan->model()->rowCount(), 3);
    EXPECT_EQ(cell(drag->Grid1_Fumozhulijisuan, 2, drag_col::kNumber), "3");
    typeRows(drag->Grid1_Fumozhulijisuan, drag_col::kBottom, dragRows);
    click(drag->cbt_Fmzlfanhui);

    click(input->cbt_zhengmozhuli);
    SideResistanceScreenView* side = window->Zhengmozhuli_FormLayer;
    ASSERT_TRUE(side->isVisible());
    chooseLayerCount(side->cbb_ZhengTuchengshu, 2);
    typeRows(side->Grid1_Zhengmozhulijisuan, side_col::kThickness, sideRows);
    click(side->cbt_Zmzlfanhui);
    ASSERT_TRUE(input->isVisible());
    click(input->cbt_compute);
    ASSERT_TRUE(fake.errors.shown.empty());

    const nlohmann::json pile = {{"negativeFriction", true},
                                 {"sideResistance", true},
                                 {"drag", {{"p", "20"}, {"Ep", "-1.200"}, {"layers", dragRows}}},
                                 {"side", {{"layers", sideRows}}}};
    const auto answer =
        nlohmann::json::parse(runCli(cli::runComputeCommand, {"--formula", "2"}, pile.dump()));
    ASSERT_TRUE(answer.value("ok", false)) << answer.dump();

    struct Field {
        const char* key;
        QLineEdit* edit;
    };
    for (const Field& f :
         {Field{"ra", input->edt_ra}, Field{"rc", input->edt_rc}, Field{"qgn", input->edt_Qgn},
          Field{"nk", input->edt_Nkxianzhi}, Field{"n", input->edt_Nxianzhi}}) {
        SCOPED_TRACE(f.key);
        EXPECT_FALSE(f.edit->text().isEmpty());
        EXPECT_EQ(fromQString(f.edit->text()), answer[f.key].get<std::string>());
    }
    EXPECT_EQ(answer["verdict"], "正常");
    EXPECT_EQ(input->edt_Qgn->palette().color(QPalette::Text), colourOf(TextColour::Green));
    EXPECT_EQ(input->edt_Nkxianzhi->palette().color(QPalette::Text),
              colourOf(TextColour::OrangeRed));
    EXPECT_EQ(input->edt_Nxianzhi->palette().color(QPalette::Text),
              colourOf(TextColour::OrangeRed));

    // Every cell of both grids, the result columns included, and the result labels.
    struct Screen {
        const char* key;
        const QTableView* grid;
        const QLabel* label;
        size_t rows;
    };
    for (const Screen& s : {Screen{"dragLoad", drag->Grid1_Fumozhulijisuan, drag->lb_FQgn, 3},
                            Screen{"sideLoad", side->Grid1_Zhengmozhulijisuan, side->lb_Qsk, 2}}) {
        SCOPED_TRACE(s.key);
        const auto& expected = answer[s.key];
        EXPECT_EQ(fromQString(s.label->text()), expected["label"].get<std::string>());
        ASSERT_EQ(expected["rows"].size(), s.rows);
        ASSERT_EQ(s.grid->model()->rowCount(), int(s.rows));
        for (int r = 0; r < int(s.rows); ++r) {
            const auto& row = expected["rows"][size_t(r)];
            ASSERT_EQ(s.grid->model()->columnCount(), int(row.size()));
            for (int c = 0; c < int(row.size()); ++c)
                EXPECT_EQ(cell(s.grid, r, c), row[size_t(c)].get<std::string>())
                    << "row " << r << ", column " << c;
        }
    }

    click(input->cbt_View);
    std::string book =
        runCli(cli::runBookCommand, {"--formula", "2", "--time", test::kFixedTime}, pile.dump());
    ASSERT_FALSE(book.empty());
    book.pop_back();  // the memo has no line end after its last line
    EXPECT_EQ(fromQString(window->JieGuo_DocLayer->meo_jisuanjieguo_Doc->toPlainText()), book);
}

TEST_F(FormulaTwoDesktopTest, GridCellsKeepTheTextAsTypedAndOnlyInputColumnsTakeEdits) {
    TBVK_FRM_WENA2* window = openFormulaTwo();
    FormulaTwoInputScreenView* input = window->MainFormLayer;
    const FormulaTwoWindow& model =
        dynamic_cast<FormulaTwoWindow&>(*shell.application().BVK_FRM_WENA2());
    tick(input->ckb_fumozhuli);
    tick(input->ckb_zhengmozhuli);
    GridView* dragGrid = window->Fumozhuli_FormLayer->Grid1_Fumozhulijisuan;
    GridView* sideGrid = window->Zhengmozhuli_FormLayer->Grid1_Zhengmozhulijisuan;
    const Grid& dragModel = model.dragScreen().Grid1_Fumozhulijisuan;
    const Grid& sideModel = model.sideScreen().Grid1_Zhengmozhulijisuan;

    struct Typed {
        const char* name;
        bool drag;
        int column;
        const char* text;
    };
    const Typed typed[] = {
        {"trailing zeros", true, drag_col::kBottom, "-10.5000"},
        {"letters", true, drag_col::kQsik, "abc"},
        {"emptied", true, drag_col::kUnitWeight, ""},
        {"decimal comma", false, side_col::kThickness, "1,5"},
        {"leading point", false, side_col::kQsik, ".5"},
    };
    for (const Typed& t : typed) {
        SCOPED_TRACE(t.name);
        if (t.drag)
            click(input->cbt_fumozhuli);
        else
            click(input->cbt_zhengmozhuli);
        GridView* grid = t.drag ? dragGrid : sideGrid;
        typeCell(grid, 0, t.column, QString::fromUtf8(t.text));
        EXPECT_EQ(cell(grid, 0, t.column), t.text);
        EXPECT_EQ((t.drag ? dragModel : sideModel).cell(0, t.column), t.text);
        click(t.drag ? window->Fumozhuli_FormLayer->cbt_Fmzlfanhui
                     : window->Zhengmozhuli_FormLayer->cbt_Zmzlfanhui);
    }

    // The layer number, the hidden soil name and the results take no edit: no editor opens,
    // whether asked for directly or by typing on the selected cell.
    click(input->cbt_fumozhuli);
    click(window->Fumozhuli_FormLayer->cbt_fmzlzhankai);
    for (int column :
         {drag_col::kNumber, drag_col::kName, drag_col::kPerimeter, drag_col::kRemark}) {
        SCOPED_TRACE(column);
        const QModelIndex index = dragGrid->model()->index(0, column);
        EXPECT_FALSE(dragGrid->model()->flags(index) & Qt::ItemIsEditable);
        const std::string before = dragModel.cell(0, column);
        dragGrid->edit(index);
        EXPECT_EQ(dragGrid->indexWidget(index), nullptr);
        if (!dragGrid->isColumnHidden(column)) {
            dragGrid->scrollTo(index);
            QTest::mouseClick(dragGrid->viewport(), Qt::LeftButton, {},
                              dragGrid->visualRect(index).center());
            QTest::keyClicks(dragGrid, QStringLiteral("7"));
            EXPECT_EQ(dragGrid->indexWidget(index), nullptr);
        }
        EXPECT_EQ(dragModel.cell(0, column), before);
    }
    EXPECT_TRUE(dragGrid->isColumnHidden(drag_col::kName));
    EXPECT_TRUE(fake.errors.shown.empty());
}

// Side layers that partly cancel give shares above 100 % and below 0: their bars are full and
// empty, and a share in between is drawn to its length.
TEST_F(FormulaTwoDesktopTest, ShareBarsAreDrawnToTheirCellsKeptWithinTheCell) {
    TBVK_FRM_WENA2* window = openFormulaTwo();
    tick(window->MainFormLayer->ckb_zhengmozhuli);
    click(window->MainFormLayer->cbt_zhengmozhuli);
    SideResistanceScreenView* side = window->Zhengmozhuli_FormLayer;
    chooseLayerCount(side->cbb_ZhengTuchengshu, 4);
    typeRows(side->Grid1_Zhengmozhulijisuan, side_col::kThickness,
             {{"5", "40"}, {"2", "-10"}, {"1", "-50"}, {"1", "20"}});
    click(side->cbt_ZmzlComputer);
    click(side->cbt_ZhengZhankai);

    GridView* grid = side->Grid1_Zhengmozhulijisuan;
    const QModelIndex first = grid->model()->index(0, side_col::kShareBar);
    QCoreApplication::processEvents();  // the view lays out the columns it now shows
    grid->scrollTo(first);
    ASSERT_TRUE(grid->viewport()->rect().contains(grid->visualRect(first)));
    const QImage image = grid->viewport()->grab().toImage();
    const auto barPixels = [&](int row) {
        const QRect rect = grid->visualRect(grid->model()->index(row, side_col::kShareBar));
        int count = 0;
        for (int x = rect.left(); x <= rect.right(); ++x)
            count += image.pixelColor(x, rect.center().y()) == shareBarColour() ? 1 : 0;
        return count;
    };
    struct Bar {
        int row;
        const char* share;
    };
    for (const Bar& b : {Bar{0, "133.33"}, Bar{1, "-13.33"}, Bar{2, "-33.33"}, Bar{3, "13.33"}})
        EXPECT_EQ(cell(grid, b.row, side_col::kShareBar), b.share);
    const int full = barPixels(0);
    EXPECT_GT(full, grid->visualRect(first).width() * 3 / 4);
    EXPECT_EQ(barPixels(1), 0);
    EXPECT_EQ(barPixels(2), 0);
    EXPECT_NEAR(barPixels(3), full * 0.1333, 1.0);
}

TEST_F(FormulaTwoDesktopTest, ScreensOpenCloseAndTheChooserOpensAFreshWindow) {
    TBVK_FRM_WENA2* window = openFormulaTwo();
    ASSERT_NE(window, nullptr);
    EXPECT_EQ(window->size(), QSize(363, 915));
    EXPECT_EQ(window->windowTitle(), QStringLiteral("嵌岩桩承载力计算 (DBJ50-200-2014)"));
    FormulaTwoInputScreenView* input = window->MainFormLayer;
    EXPECT_EQ(input->cbt_compute->geometry(), QRect(56, 846, 89, 33));
    EXPECT_EQ(input->cbt_tuichu->geometry(), QRect(208, 846, 89, 33));
    EXPECT_EQ(input->img_Logo->geometry().top(), 882);
    EXPECT_FALSE(input->cbt_fumozhuli->isEnabled());
    EXPECT_FALSE(input->cbt_zhengmozhuli->isEnabled());
    EXPECT_EQ(window->JieGuo_DocLayer->meo_jisuanjieguo_Doc->size(), QSize(355, 740));

    // "★" opens the optimisation screen in the taller window: the item table shows all its
    // rows, the list takes the height between it and the buttons.
    click(input->cbt_YouHua);
    OptimisationScreenView* optimisation = window->YouHuaFormLayer;
    ASSERT_TRUE(optimisation->isVisible());
    EXPECT_FALSE(input->isVisible());
    GridView* items = optimisation->Grid1_Youhuaxuanxiang;
    EXPECT_EQ(items->model()->rowCount(), 19);
    EXPECT_FALSE(items->verticalScrollBar()->isVisible());
    EXPECT_EQ(optimisation->cbt_YHfanhui->geometry().bottom(), 915 - 8 - 1);
    EXPECT_GT(optimisation->Grid2_Youhuajieguo->height(), 250);
    click(optimisation->cbt_YHfanhui);
    EXPECT_TRUE(input->isVisible());

    // Back and Compute of a soil screen stand where Compute and Exit do.
    tick(input->ckb_fumozhuli);
    click(input->cbt_fumozhuli);
    NegativeFrictionScreenView* drag = window->Fumozhuli_FormLayer;
    EXPECT_EQ(drag->cbt_Fmzlfanhui->geometry(), input->cbt_compute->geometry());
    EXPECT_EQ(drag->cbt_FmzlComputer->geometry(), input->cbt_tuichu->geometry());
    // The notes read line by line; table 5.4.3 has its heading in its first row, no header.
    const QStringList note = drag->lb_fmzlxssm->text().split(u'\n');
    EXPECT_EQ(note.size(), 6);
    EXPECT_FALSE(drag->lb_fmzlxssm->text().contains(u'\r'));
    EXPECT_TRUE(note[1].startsWith(QStringLiteral("           对于非挤土桩")));
    EXPECT_FALSE(drag->Grid2_Fumozhulixishubiao->horizontalHeader()->isVisible());
    EXPECT_EQ(cell(drag->Grid2_Fumozhulixishubiao, 0, 0), "土    类");
    EXPECT_TRUE(
        window->Zhengmozhuli_FormLayer->Grid2_Zhengmozhulizhibiao->horizontalHeader()->isVisibleTo(
            window->Zhengmozhuli_FormLayer));
    EXPECT_EQ(window->Zhengmozhuli_FormLayer->lb_Zmzlzsm->text().split(u'\n').size(), 7);

    // Expand shows the result columns, fold hides them again.
    GridView* grid = drag->Grid1_Fumozhulijisuan;
    EXPECT_TRUE(grid->isColumnHidden(drag_col::kPerimeter));
    click(drag->cbt_fmzlzhankai);
    EXPECT_EQ(drag->cbt_fmzlzhankai->text(), QStringLiteral("折叠"));
    EXPECT_FALSE(grid->isColumnHidden(drag_col::kPerimeter));
    EXPECT_FALSE(grid->isColumnHidden(drag_col::kRemark));
    EXPECT_TRUE(grid->isColumnHidden(drag_col::kName));
    click(drag->cbt_fmzlzhankai);
    EXPECT_EQ(drag->cbt_fmzlzhankai->text(), QStringLiteral("展开"));
    EXPECT_TRUE(grid->isColumnHidden(drag_col::kPerimeter));

    chooseLayerCount(drag->cbb_Tuchengshu, 5);
    EXPECT_EQ(grid->model()->rowCount(), 5);
    click(drag->cbt_Fmzlfanhui);
    click(input->cbt_tuichu);
    EXPECT_FALSE(window->isVisible());
    EXPECT_EQ(shell.application().BVK_FRM_WENA2(), nullptr);
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_EQ(shell.formulaTwoWindow(), nullptr);

    TBVK_FRM_WENA2* fresh = openFormulaTwo();
    ASSERT_NE(fresh, nullptr);
    EXPECT_FALSE(fresh->MainFormLayer->ckb_fumozhuli->isChecked());
    EXPECT_EQ(fresh->Fumozhuli_FormLayer->Grid1_Fumozhulijisuan->model()->rowCount(), 1);
    EXPECT_EQ(cell(fresh->Fumozhuli_FormLayer->Grid1_Fumozhulijisuan, 0, drag_col::kBottom),
              "-10.000");
}

}  // namespace
}  // namespace pile
