// The optimisation screen of the formula-one window through its real widgets: "★" opens it, the
// ranges typed into the item table give a search of over a hundred thousand piles, a header
// click sorts, 筛选 filters, a double-click fetches a pile back into the input screen, which
// then computes it to the value the list showed. The default search is shown unclipped. A long
// search shows a progress box whose Cancel keeps the rows computed so far. A list of a million
// rows opens and scrolls at once. In the formula-two window the search with both soil switches
// on lists [Nk] and [N], the four filter rows bound them, and a fetched pile brings its switches
// back to the input screen.
#include <gtest/gtest.h>

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QElapsedTimer>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QProgressDialog>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollBar>
#include <QTest>
#include <QTimer>

#include <cstdio>
#include <cstdlib>
#include <iterator>
#include <map>
#include <string>
#include <vector>

#include "app/qt/desktop_shell.h"
#include "optimise/list_sort.h"
#include "optimise/result_list.h"
#include "tests/model/fake_platform.h"
#include "tests/qt/grid_typing.h"

namespace pile {
namespace {

using test::cellText;

// Item table rows the tests touch, and list columns, found by the field they show.
constexpr int kSectionRow = 0, kDiameterRow = 1, kDepthRow = 6, kRockTypeRow = 7, kFrkRow = 8,
              kFukRow = 9, kGradeRow = 10, kProcessRow = 11, kRaFilterRow = 13, kRcFilterRow = 14;
int oneColumn(ListField field) { return formulaOneListLayout().columnOf(field); }
const int kNumberColumn = oneColumn(ListField::PileNumber),
          kSizeColumn = oneColumn(ListField::Size1), kRaColumn = oneColumn(ListField::Ra),
          kRcColumn = oneColumn(ListField::Rc), kDepthColumn = oneColumn(ListField::Depth),
          kRockTypeColumn = oneColumn(ListField::RockType),
          kRockValueColumn = oneColumn(ListField::RockValue),
          kProcessColumn = oneColumn(ListField::Process),
          kGradeColumn = oneColumn(ListField::Grade);

struct ItemRow {
    int row;
    const char* min;
    const char* max;
    const char* step;
};

// The shell, the screen of the window opened and the ways a user works it.
class OptimisationScreenFixture : public ::testing::Test {
  protected:
    test::FakePlatform fake;
    DesktopShell shell{fake.platform};
    OptimisationScreenView* screen = nullptr;

    static void click(QPushButton* button) {
        ASSERT_TRUE(button->isVisible());
        ASSERT_TRUE(button->isEnabled());
        QTest::mouseClick(button, Qt::LeftButton);
    }
    void typeItems(const std::vector<ItemRow>& rows) {
        for (const ItemRow& r : rows) {
            SCOPED_TRACE(r.row);
            test::typeCell(screen->Grid1_Youhuaxuanxiang, r.row, 1, QString::fromUtf8(r.min));
            test::typeCell(screen->Grid1_Youhuaxuanxiang, r.row, 2, QString::fromUtf8(r.max));
            if (r.step) {
                test::typeCell(screen->Grid1_Youhuaxuanxiang, r.row, 3, QString::fromUtf8(r.step));
            }
        }
    }
    std::string status() const { return fromQString(screen->lb_YHxingxi->text()); }
    static int rows(const QTableView* list) { return list->model()->rowCount(); }
    static double number(const QTableView* list, int row, int column) {
        return std::strtod(cellText(list, row, column).c_str(), nullptr);
    }
    static std::string header(const QTableView* list, int column) {
        const QString text = list->model()->headerData(column, Qt::Horizontal).toString();
        return fromQString(text.trimmed());
    }
    static void clickHeader(QTableView* list, int column) {
        QHeaderView* header = list->horizontalHeader();
        ASSERT_FALSE(header->isSectionHidden(column));
        const QPoint at(header->sectionViewportPosition(column) + header->sectionSize(column) / 2,
                        header->height() / 2);
        QTest::mouseClick(header->viewport(), Qt::LeftButton, {}, at);
    }
    static void doubleClickRow(QTableView* list, int row) {
        const QModelIndex index = list->model()->index(row, 0);
        list->scrollTo(index);
        const QPoint at = list->visualRect(index).center();
        QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, at);
        QTest::mouseDClick(list->viewport(), Qt::LeftButton, {}, at);
    }
};

class OptimisationScreenTest : public OptimisationScreenFixture {
  protected:
    TBVK_FRM_WENA1* window = nullptr;

    void SetUp() override {
        shell.start();
        QTest::mouseClick(shell.chooser()->cbt_Gongshi1, Qt::LeftButton);
        window = shell.formulaOneWindow();
        ASSERT_NE(window, nullptr);
        click(window->MainFormLayer->cbt_YouHua);
        screen = window->YouHuaFormLayer;
        ASSERT_TRUE(screen->isVisible());
        ASSERT_FALSE(window->MainFormLayer->isVisible());
    }
};

// Circles only: 1001 diameters × 3 depths × (3 frk × 4 grades × 3 processes + 2 fuk × 4
// grades) = 132,132 piles.
const std::vector<ItemRow> kWideCircleItems = {
    {kSectionRow, "1", "1", "1"},        {kDiameterRow, "1000", "2000", "1"},
    {kDepthRow, "2.0d", "3.0d", "0.5d"}, {kRockTypeRow, "1", "2", "1"},
    {kFrkRow, "35", "45", "5"},          {kFukRow, "35", "40", "5"},
    {kGradeRow, "C25", "C40", "5"},      {kProcessRow, "1", "3", "1"}};
constexpr int kWideCircleCount = 132132;

TEST_F(OptimisationScreenTest, SearchSortFilterAndFetchThroughTheWidgets) {
    typeItems(kWideCircleItems);
    click(screen->cbt_YHcompute);
    ASSERT_TRUE(fake.errors.shown.empty()) << fake.errors.shown.front();
    EXPECT_EQ(status(), "计算完成，桩数：132132 根");
    ResultListView* raw = screen->Grid2_Youhuajieguo;
    ASSERT_TRUE(raw->isVisible());
    ASSERT_EQ(rows(raw), kWideCircleCount);
    EXPECT_EQ(cellText(raw, 0, kNumberColumn), "ZH-000001");
    EXPECT_EQ(cellText(raw, kWideCircleCount - 1, kNumberColumn), "ZH-132132");
    EXPECT_EQ(cellText(raw, 0, kSizeColumn), "1000");
    EXPECT_EQ(cellText(raw, kWideCircleCount - 1, kSizeColumn), "2000");
    EXPECT_EQ(screen->progressBox(), nullptr);
    EXPECT_EQ(QApplication::overrideCursor(), nullptr);
    EXPECT_FALSE(screen->cbt_YHcompute->isEnabled());
    EXPECT_EQ(header(raw, kRaColumn), "Ra(kN)");

    clickHeader(raw, kRaColumn);
    EXPECT_EQ(status(), "Ra升序排列完成");
    EXPECT_EQ(header(raw, kRaColumn), "Ra(kN)▲");
    ASSERT_EQ(rows(raw), kWideCircleCount);
    // Ascending at the top, across the middle and at the end of the list.
    for (int first : {0, kWideCircleCount / 2, kWideCircleCount - 20})
        for (int r = first; r + 1 < first + 20; ++r)
            EXPECT_LE(number(raw, r, kRaColumn), number(raw, r + 1, kRaColumn)) << "row " << r;
    EXPECT_LT(number(raw, 0, kRaColumn), number(raw, kWideCircleCount - 1, kRaColumn));

    // Ra from 13000 to 14000, Rc unbounded.
    typeItems({{kRaFilterRow, "13000", "14000", nullptr}, {kRcFilterRow, "0", "0", nullptr}});
    click(screen->cbt_YHsaixuan);
    ResultListView* filtered = screen->Grid3_Youhuasaixuan;
    EXPECT_TRUE(filtered->isVisible());
    EXPECT_FALSE(raw->isVisible());
    const int passed = rows(filtered);
    ASSERT_GT(passed, 0);
    ASSERT_LT(passed, kWideCircleCount);
    EXPECT_EQ(status(), "筛选完成，桩数：" + std::to_string(passed) + " 根");
    EXPECT_EQ(header(filtered, kRaColumn), "Ra(kN)");
    for (int r : {0, passed / 2, passed - 1}) {
        EXPECT_GE(number(filtered, r, kRaColumn), 13000) << "row " << r;
        EXPECT_LE(number(filtered, r, kRaColumn), 14000) << "row " << r;
    }
    // The sorted order stays, and the pile numbers are the raw list's.
    EXPECT_LE(number(filtered, 0, kRaColumn), number(filtered, passed - 1, kRaColumn));
    EXPECT_EQ(cellText(filtered, 0, kNumberColumn).rfind("ZH-", 0), 0u);

    const int picked = passed / 2;
    std::vector<std::string> pile;
    for (int c = 0; c < filtered->model()->columnCount(); ++c)
        pile.push_back(cellText(filtered, picked, c));
    doubleClickRow(filtered, picked);
    InputScreenView* input = window->MainFormLayer;
    ASSERT_TRUE(input->isVisible());
    EXPECT_FALSE(screen->isVisible());
    EXPECT_EQ(input->cbb_jmlx->currentIndex(), 0);
    EXPECT_EQ(fromQString(input->cbe_dd->currentText()), pile[kSizeColumn]);
    EXPECT_EQ(fromQString(input->cbe_hr->currentText()), pile[kDepthColumn]);
    EXPECT_EQ(fromQString(input->cbb_hnt->currentText()), pile[kGradeColumn]);
    if (pile[kRockTypeColumn] == "1") {
        EXPECT_TRUE(input->rdb_frk->isChecked());
        EXPECT_EQ(fromQString(input->edt_frk->text()), pile[kRockValueColumn]);
        const std::vector<std::string> processes = {"干 作 业", "泥浆护壁", "后 注 浆"};
        ASSERT_LT(input->cbb_czgy->currentIndex(), 3);
        EXPECT_EQ(processes[size_t(input->cbb_czgy->currentIndex())], pile[kProcessColumn]);
    } else {
        EXPECT_TRUE(input->rdb_fuk->isChecked());
        EXPECT_EQ(fromQString(input->edt_fuk->text()), pile[kRockValueColumn]);
    }
    EXPECT_TRUE(input->edt_ra->text().isEmpty());
    EXPECT_FALSE(input->cbt_View->isVisible());

    // The window still takes input: the fetched pile computes to what the list showed.
    click(input->cbt_compute);
    EXPECT_TRUE(fake.errors.shown.empty());
    EXPECT_EQ(fromQString(input->edt_ra->text()), pile[kRaColumn]);
    EXPECT_EQ(fromQString(input->edt_rc->text()), pile[kRcColumn]);
    EXPECT_TRUE(input->cbt_View->isVisible());
}

TEST_F(OptimisationScreenTest, CancelledSearchKeepsItsRowsWithPlainNumbers) {
    // 24 million circles: far more than run before the progress box shows.
    typeItems({{kSectionRow, "1", "1", "1"}, {kDiameterRow, "1000", "2000", "0.001"}});
    QTimer canceller;
    bool cancelClicked = false;
    QObject::connect(&canceller, &QTimer::timeout, [&] {
        QProgressDialog* box = screen->progressBox();
        if (!box || !box->isVisible() || cancelClicked) return;
        auto* cancel = box->findChild<QPushButton*>();
        ASSERT_NE(cancel, nullptr);
        EXPECT_TRUE(box->isModal());
        cancelClicked = true;
        QTest::mouseClick(cancel, Qt::LeftButton);
    });
    canceller.start(10);
    QElapsedTimer time;
    time.start();
    click(screen->cbt_YHcompute);
    canceller.stop();
    ASSERT_TRUE(cancelClicked);
    EXPECT_LT(time.elapsed(), 5000);
    EXPECT_TRUE(fake.errors.shown.empty());

    ResultListView* raw = screen->Grid2_Youhuajieguo;
    const int kept = rows(raw);
    ASSERT_GT(kept, 1);
    ASSERT_LT(kept, 24'024'024);
    EXPECT_EQ(cellText(raw, 0, kNumberColumn), "1");
    EXPECT_EQ(cellText(raw, 1, kNumberColumn), "2");
    EXPECT_EQ(cellText(raw, kept - 1, kNumberColumn), std::to_string(kept));
    EXPECT_EQ(cellText(raw, 0, kSizeColumn), "1000");
    EXPECT_EQ(status(), "计算已取消，已算桩数：" + std::to_string(kept) + " 根");
    EXPECT_EQ(screen->progressBox(), nullptr);
    EXPECT_EQ(QApplication::overrideCursor(), nullptr);

    // The kept rows sort, and a new search runs to its end.
    clickHeader(raw, kRaColumn);
    EXPECT_EQ(status(), "Ra升序排列完成");
    EXPECT_LE(number(raw, 0, kRaColumn), number(raw, kept - 1, kRaColumn));
    typeItems({{kDiameterRow, "1000", "2000", "500"}});
    click(screen->cbt_YHcompute);
    EXPECT_EQ(status(), "计算完成，桩数：72 根");
    EXPECT_EQ(rows(raw), 72);
    EXPECT_EQ(cellText(raw, 0, kNumberColumn), "ZH-01");
    EXPECT_EQ(header(raw, kRaColumn), "Ra(kN)");
}

// What a user sees after the default search sorted by Ra: the item table with all its rows, the
// six columns of a folded list side by side with their headers and cells unclipped, the status
// line and the buttons in the window and apart.
TEST_F(OptimisationScreenTest, DefaultSearchIsShownUnclipped) {
    EXPECT_FALSE(screen->Grid1_Youhuaxuanxiang->verticalScrollBar()->isVisible());
    EXPECT_GT(screen->Grid1_Youhuaxuanxiang->horizontalScrollBar()->maximum(), 0);  // the notes
    click(screen->cbt_YHcompute);
    ResultListView* raw = screen->Grid2_Youhuajieguo;
    ASSERT_EQ(rows(raw), 360);
    clickHeader(raw, kRaColumn);
    ASSERT_EQ(header(raw, kRaColumn), "Ra(kN)▲");
    QApplication::processEvents();

    EXPECT_EQ(raw->horizontalScrollBar()->maximum(), 0);
    const QFontMetrics cells(raw->font());
    const QFontMetrics headers(raw->horizontalHeader()->font());
    for (int c = 0; c <= kRcColumn; ++c) {
        SCOPED_TRACE(c);
        ASSERT_FALSE(raw->isColumnHidden(c));
        const int width = raw->columnWidth(c);
        EXPECT_GT(width, headers.horizontalAdvance(
                             raw->model()->headerData(c, Qt::Horizontal).toString()));
        for (int r : {0, 1, 359})
            EXPECT_GT(width, cells.horizontalAdvance(toQString(cellText(raw, r, c))) + 4);
    }
    EXPECT_EQ(cellText(raw, 0, kNumberColumn).size(), 6u);  // "ZH-" and three digits

    EXPECT_LE(screen->lb_YHxingxi->fontMetrics().horizontalAdvance(screen->lb_YHxingxi->text()),
              screen->lb_YHxingxi->contentsRect().width());
    const QRect area = screen->rect();
    QRect previous;
    for (QPushButton* button : {screen->cbt_zhangkai, screen->cbt_YHcompute, screen->cbt_YHsaixuan,
                                screen->cbt_YHsave, screen->cbt_YHfanhui}) {
        EXPECT_TRUE(area.contains(button->geometry()));
        EXPECT_FALSE(button->geometry().intersects(previous));
        EXPECT_FALSE(button->geometry().intersects(screen->lb_YHxingxi->geometry()));
        previous = button->geometry();
    }
    EXPECT_LE(raw->geometry().bottom(), screen->lb_huzhu->geometry().top());
    EXPECT_LE(screen->Grid1_Youhuaxuanxiang->geometry().bottom(), raw->geometry().top());
}

// Formula two: the item rows of the soil switches and of the four filters, and the list
// columns the tests touch.
constexpr int kDragSwitchRow = 12, kSideSwitchRow = 13, kTwoRaFilterRow = 15, kTwoRcFilterRow = 16,
              kNkFilterRow = 17, kNFilterRow = 18;
int twoColumn(ListField field) { return formulaTwoListLayout().columnOf(field); }
const int kSectionColumn = twoColumn(ListField::Section), kTwoRaColumn = twoColumn(ListField::Ra),
          kTwoRcColumn = twoColumn(ListField::Rc), kNkColumn = twoColumn(ListField::NkLimit),
          kNColumn = twoColumn(ListField::NLimit), kIdQgnColumn = twoColumn(ListField::IdQgn),
          kIdFskColumn = twoColumn(ListField::IdFsk),
          kTwoColumnCount = formulaTwoListLayout().columnCount();

class FormulaTwoOptimisationScreenTest : public OptimisationScreenFixture {
  protected:
    TBVK_FRM_WENA2* window = nullptr;
    FormulaTwoWindow* model = nullptr;

    void SetUp() override {
        shell.start();
        QPushButton* open = shell.chooser()->cbt_Gongshi2;
        ASSERT_EQ(fromQString(open->text()), "考虑土层摩阻力");
        click(open);
        window = shell.formulaTwoWindow();
        ASSERT_NE(window, nullptr);
        model = dynamic_cast<FormulaTwoWindow*>(shell.application().BVK_FRM_WENA2());
        ASSERT_NE(model, nullptr);
        click(window->MainFormLayer->cbt_YouHua);
        screen = window->YouHuaFormLayer;
        ASSERT_TRUE(screen->isVisible());
        ASSERT_FALSE(window->MainFormLayer->isVisible());
    }
    // Clicks the check box's square and expects it cleared.
    static void untick(QCheckBox* box) {
        QTest::mouseClick(box, Qt::LeftButton, {}, QPoint(8, box->height() / 2));
        ASSERT_FALSE(box->isChecked());
    }
};

// A filter row with bounds taken from the texts a list column shows.
struct FilterRow {
    int itemRow;
    int column;
    std::string min, max;
    bool admits(double value) const {
        return value >= std::strtod(min.c_str(), nullptr) &&
               value <= std::strtod(max.c_str(), nullptr);
    }
};

double listValue(const ResultList& list, std::size_t row, int column) {
    return std::strtod(list.cellText(row, column).c_str(), nullptr);
}

// Bounds that keep the value of row `target` in `column`: of the distinct values below it and
// above it, the shares nearest to it.
FilterRow filterAround(const ResultList& list, int itemRow, int column, std::size_t target,
                       double keptBelow, double keptAbove) {
    std::map<double, std::string> distinct;
    for (std::size_t r = 0; r < list.size(); ++r)
        distinct.emplace(listValue(list, r, column), list.cellText(r, column));
    std::vector<std::string> texts;
    for (const auto& [value, text] : distinct) texts.push_back(text);
    const auto at = std::size_t(
        std::distance(distinct.begin(), distinct.find(listValue(list, target, column))));
    const auto below = std::size_t(double(at) * keptBelow);
    const auto above = std::size_t(double(texts.size() - 1 - at) * keptAbove);
    return {itemRow, column, texts[at - below], texts[at + above]};
}

// Both soil switches on, the default search lists 360 piles; sorted by [Nk] and filtered on all
// four values, a fetched pile brings its switches back to the input screen and computes there
// to what the list showed.
TEST_F(FormulaTwoOptimisationScreenTest, SoilSearchSortFilterAndFetchThroughTheWidgets) {
    FormulaTwoInputScreen& inputModel = model->formulaTwoInput();
    test::typeCell(screen->Grid1_Youhuaxuanxiang, kDragSwitchRow, 1, QStringLiteral("1"));
    test::typeCell(screen->Grid1_Youhuaxuanxiang, kSideSwitchRow, 1, QStringLiteral("1"));
    click(screen->cbt_YHcompute);
    ASSERT_TRUE(fake.errors.shown.empty()) << fake.errors.shown.front();
    EXPECT_EQ(status(), "计算完成，桩数：360 根");
    EXPECT_TRUE(inputModel.ckb_fumozhuli.checked());
    EXPECT_TRUE(inputModel.ckb_zhengmozhuli.checked());
    ResultListView* raw = screen->Grid2_Youhuajieguo;
    ASSERT_TRUE(raw->isVisible());
    ASSERT_EQ(rows(raw), 360);
    ASSERT_EQ(raw->model()->columnCount(), kTwoColumnCount);
    EXPECT_TRUE(raw->isColumnHidden(kIdQgnColumn));
    EXPECT_TRUE(raw->isColumnHidden(kIdFskColumn));
    for (int r = 0; r < 360; ++r) {
        ASSERT_EQ(cellText(raw, r, kIdQgnColumn), "1") << "row " << r;
        ASSERT_EQ(cellText(raw, r, kIdFskColumn), "1") << "row " << r;
    }

    EXPECT_EQ(header(raw, kNkColumn), "[Nk](kN)");
    clickHeader(raw, kNkColumn);
    EXPECT_EQ(status(), "[Nk]升序排列完成");
    EXPECT_EQ(header(raw, kNkColumn), "[Nk](kN)▲");
    ASSERT_EQ(rows(raw), 360);
    for (int r = 0; r + 1 < 360; ++r)
        ASSERT_LE(number(raw, r, kNkColumn), number(raw, r + 1, kNkColumn)) << "row " << r;
    EXPECT_LT(number(raw, 0, kNkColumn), number(raw, 359, kNkColumn));

    // Bounds around the middle pile of the sorted list, narrow below and wide above for Ra and
    // Rc, the other way round for [Nk] and [N]: with the default soil [Nk] equals Ra, and each
    // filter row still drops piles that the other three keep.
    const ResultList& list = model->optimisationScreen().rawList();
    ASSERT_EQ(list.size(), 360u);
    const std::size_t target = list.size() / 2;
    const std::vector<FilterRow> filters = {
        filterAround(list, kTwoRaFilterRow, kTwoRaColumn, target, 0.3, 0.7),
        filterAround(list, kTwoRcFilterRow, kTwoRcColumn, target, 0.3, 0.7),
        filterAround(list, kNkFilterRow, kNkColumn, target, 0.7, 0.3),
        filterAround(list, kNFilterRow, kNColumn, target, 0.7, 0.3)};
    std::vector<std::string> expected;  // pile numbers, in the sorted order
    std::vector<int> droppedByOnly(filters.size());
    for (std::size_t r = 0; r < list.size(); ++r) {
        std::vector<std::size_t> failed;
        for (std::size_t f = 0; f < filters.size(); ++f)
            if (!filters[f].admits(listValue(list, r, filters[f].column))) failed.push_back(f);
        if (failed.empty()) expected.push_back(list.cellText(r, kNumberColumn));
        if (failed.size() == 1) ++droppedByOnly[failed.front()];
    }
    ASSERT_FALSE(expected.empty());
    for (std::size_t f = 0; f < filters.size(); ++f) {
        const FilterRow& row = filters[f];
        SCOPED_TRACE(row.itemRow);
        EXPECT_GT(droppedByOnly[f], 0) << row.min << " .. " << row.max;
        typeItems({{row.itemRow, row.min.c_str(), row.max.c_str(), nullptr}});
    }

    click(screen->cbt_YHsaixuan);
    ASSERT_TRUE(fake.errors.shown.empty()) << fake.errors.shown.front();
    ResultListView* filtered = screen->Grid3_Youhuasaixuan;
    EXPECT_TRUE(filtered->isVisible());
    EXPECT_FALSE(raw->isVisible());
    const int passed = rows(filtered);
    ASSERT_EQ(passed, int(expected.size()));
    EXPECT_EQ(status(), "筛选完成，桩数：" + std::to_string(passed) + " 根");
    EXPECT_TRUE(filtered->isColumnHidden(kIdQgnColumn));
    EXPECT_TRUE(filtered->isColumnHidden(kIdFskColumn));
    for (int r = 0; r < passed; ++r) {
        SCOPED_TRACE(r);
        EXPECT_EQ(cellText(filtered, r, kNumberColumn), expected[size_t(r)]);
        for (const FilterRow& f : filters)
            EXPECT_TRUE(f.admits(number(filtered, r, f.column)))
                << "column " << f.column << ": " << cellText(filtered, r, f.column);
    }

    // Cleared on the input screen, the switches come back with the fetched pile.
    click(screen->cbt_YHfanhui);
    FormulaTwoInputScreenView* input = window->MainFormLayer;
    ASSERT_TRUE(input->isVisible());
    untick(input->ckb_fumozhuli);
    untick(input->ckb_zhengmozhuli);
    click(input->cbt_YouHua);
    ASSERT_TRUE(filtered->isVisible());
    ASSERT_EQ(rows(filtered), passed);

    const int picked = passed / 2;
    std::vector<std::string> pile;
    for (int c = 0; c < kTwoColumnCount; ++c) pile.push_back(cellText(filtered, picked, c));
    doubleClickRow(filtered, picked);
    ASSERT_TRUE(input->isVisible());
    EXPECT_FALSE(screen->isVisible());
    EXPECT_TRUE(input->ckb_fumozhuli->isChecked());
    EXPECT_TRUE(input->ckb_zhengmozhuli->isChecked());
    EXPECT_TRUE(inputModel.ckb_fumozhuli.checked());
    EXPECT_TRUE(inputModel.ckb_zhengmozhuli.checked());
    const std::string& section = pile[kSectionColumn];
    EXPECT_EQ(input->cbb_jmlx->currentIndex(), section == "圆  桩"   ? 0
                                               : section == "椭圆桩" ? 1
                                                                     : 2)
        << section;
    EXPECT_EQ(fromQString(input->cbe_dd->currentText()), pile[kSizeColumn]);
    EXPECT_EQ(fromQString(input->cbe_hr->currentText()), pile[kDepthColumn]);
    EXPECT_EQ(fromQString(input->cbb_hnt->currentText()), pile[kGradeColumn]);
    EXPECT_TRUE(input->edt_ra->text().isEmpty());
    EXPECT_TRUE(input->edt_Nkxianzhi->text().isEmpty());

    click(input->cbt_compute);
    EXPECT_TRUE(fake.errors.shown.empty());
    EXPECT_EQ(fromQString(input->edt_ra->text()), pile[kTwoRaColumn]);
    EXPECT_EQ(fromQString(input->edt_rc->text()), pile[kTwoRcColumn]);
    EXPECT_EQ(fromQString(input->edt_Nkxianzhi->text()), pile[kNkColumn]);
    EXPECT_EQ(fromQString(input->edt_Nxianzhi->text()), pile[kNColumn]);
}

// The view asks only for the rows it shows: a reset to a million rows and scrolls to its end
// and back take a few milliseconds. A view that measured or read every row would take seconds.
TEST(ResultListViewTest, MillionRowsOpenAndScrollAtOnce) {
    constexpr std::size_t kRows = 1'000'000;
    ResultList list;
    list.reserve(kRows);
    ListRowValues values;
    values.size1 = 1500;
    values.depth = 2;
    values.rockValue = 35;
    values.kesair = 0.9;
    for (std::size_t i = 0; i < kRows; ++i) {
        values.ra = 10000 + double(i % 5000);
        values.rc = 7000 + double(i % 3000);
        list.append(values);
    }
    list.assignPileNumbers();
    ListGrid grid(list);
    std::vector<std::string> headers;
    for (int c = 0; c < list.columnCount(); ++c)
        headers.push_back(headerText(list.layout(), c, SortState::Unsorted));
    grid.setHeaders(headers);

    const Dispatch dispatch = [](const std::function<void()>& handler) { handler(); };
    ResultListView view(
        grid, dispatch, [](int) {}, [](int) {}, nullptr);
    view.resize(359, 260);
    view.show();
    QApplication::processEvents();

    QElapsedTimer time;
    time.start();
    grid.rowsChanged();
    view.syncFrom(grid);
    QApplication::processEvents();
    view.scrollToBottom();
    QApplication::processEvents();
    view.verticalScrollBar()->setValue(view.verticalScrollBar()->maximum() / 2);
    QApplication::processEvents();
    view.scrollToTop();
    QApplication::processEvents();
    const qint64 elapsed = time.elapsed();
    RecordProperty("million_row_reset_and_scroll_ms", int(elapsed));
    std::printf("a million rows: reset and three scrolls in %lld ms\n",
                static_cast<long long>(elapsed));

    ASSERT_EQ(view.model()->rowCount(), int(kRows));
    EXPECT_EQ(cellText(&view, int(kRows) - 1, 0), "ZH-1000000");
    EXPECT_LT(elapsed, 1000);
}

}  // namespace
}  // namespace pile
