// Tests of the result-list rows: the cell texts made from the stored numbers, the pile
// numbering, the values sorting and filtering compare, and the size of a row.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "core/pile_input.h"
#include "optimise/fold_state.h"
#include "optimise/result_list.h"
#include "tests/optimise/list_fixture.h"

namespace pile {
namespace {

using test::circleRow;
using test::ellipseRow;
using test::rectangleRow;

std::vector<std::string> cells(const ResultList& list, std::size_t row) {
    std::vector<std::string> out;
    for (int c = 0; c < list.columnCount(); ++c) out.push_back(list.cellText(row, c));
    return out;
}

TEST(ResultList, CellTextsAreWhatTheInputScreenShowed) {
    ResultList list;
    list.append(circleRow(8410.3053, 12345.678));

    list.append(ellipseRow());
    const ListRowValues rectangle = rectangleRow();
    list.append(rectangle);

    ListRowValues squareFromRectangle = rectangle;  // equal sides: listed as a square
    squareFromRectangle.size2 = 2000;
    squareFromRectangle.mode = RoundingMode::Tens;
    list.append(squareFromRectangle);

    ListRowValues square = rectangle;
    square.section = 4;
    square.size1 = square.size2 = 1500;
    square.process = ProcessLabel::PostGrouted;
    square.ra = 12345678.9;
    square.mode = RoundingMode::Units;
    list.append(square);

    // The whole rows pin the columns of the formula-one lists, in order.
    ASSERT_EQ(list.columnCount(), 13);
    EXPECT_EQ(cells(list, 0),
              (std::vector<std::string>{"1", "圆  桩", "1000", "-", "8410", "12346", "2.0d", "1",
                                        "35.00", "泥浆护壁", "0.8567", "C30", ""}));
    EXPECT_EQ(cells(list, 1),
              (std::vector<std::string>{"2", "椭圆桩", "1333.5", "1000", "9000.50", "8000.25",
                                        "3000", "2", "12.35", "干 作 业", "1.2000", "C60", ""}));
    EXPECT_EQ(cells(list, 2),
              (std::vector<std::string>{"3", "矩形桩", "2000", "1500", "8400", "0", "2.5b", "1",
                                        "35.00", "人工挖孔", "0.8567", "C30", ""}));
    EXPECT_EQ(list.fieldText(3, ListField::Section), "方  桩");
    EXPECT_EQ(list.fieldText(3, ListField::Ra), "8410");
    EXPECT_EQ(list.fieldText(3, ListField::Rc), "90");
    EXPECT_EQ(list.fieldText(4, ListField::Section), "方  桩");
    EXPECT_EQ(list.fieldText(4, ListField::Ra), "1.234568E+07");
    EXPECT_EQ(list.fieldText(4, ListField::Process), "后 注 浆");
}

TEST(ResultList, ProcessLabels) {
    EXPECT_EQ(processLabelFor(1, 1, 0), ProcessLabel::DryWork);
    EXPECT_EQ(processLabelFor(1, 1, 1), ProcessLabel::MudProtected);
    EXPECT_EQ(processLabelFor(1, 1, 2), ProcessLabel::PostGrouted);
    for (int section : {2, 3, 4})
        EXPECT_EQ(processLabelFor(section, 1, 0), ProcessLabel::ManualDigging);
    for (int section : {1, 2, 3, 4})
        EXPECT_EQ(processLabelFor(section, 2, 0), ProcessLabel::DryWork);
}

TEST(ResultList, CompareValuesAreTheShownTextsReadBack) {
    ResultList list;
    ListRowValues v = circleRow(8419.9, 95.4, 1250.25);
    v.mode = RoundingMode::Tens;
    list.append(v);
    v.ra = 12345678.9;
    v.mode = RoundingMode::Units;
    list.append(v);
    EXPECT_EQ(list.fieldValue(0, ListField::Ra), 8410);
    EXPECT_EQ(list.fieldValue(0, ListField::Rc), 90);
    EXPECT_EQ(list.fieldValue(0, ListField::Size1), 1250.25);
    EXPECT_EQ(list.fieldValue(1, ListField::Ra), 12345680);
    for (std::size_t row = 0; row < list.size(); ++row) {
        for (const ListColumn& column : list.layout().columns) {
            EXPECT_EQ(list.fieldValue(row, column.field),
                      ParseLenient(list.fieldText(row, column.field)));
        }
    }
}

TEST(ResultList, PileNumbersPadToTheDigitsOfTheRowCount) {
    struct Case {
        std::size_t rows;
        const char* first;
        const char* last;
    };
    for (const Case c : {Case{9, "ZH-1", "ZH-9"}, Case{10, "ZH-01", "ZH-10"},
                         Case{120, "ZH-001", "ZH-120"}, Case{1, "ZH-1", "ZH-1"}}) {
        SCOPED_TRACE(c.rows);
        ResultList list = test::listWithRa(std::vector<double>(c.rows, 1000));
        // A stopped search: plain numbers.
        EXPECT_EQ(list.fieldText(0, ListField::PileNumber), std::to_string(1));
        list.assignPileNumbers();
        EXPECT_EQ(list.fieldText(0, ListField::PileNumber), c.first);
        EXPECT_EQ(list.fieldText(c.rows - 1, ListField::PileNumber), c.last);
    }
}

TEST(ResultList, ClearStartsNumberingAgain) {
    ResultList list = test::listWithRa({1, 2, 3});
    list.assignPileNumbers();
    list.clear();
    list.append(circleRow(5, 5));
    EXPECT_EQ(list.fieldText(0, ListField::PileNumber), "1");
}

TEST(ResultList, RowsStayCompact) {
    // Grown row by row, as a search fills it (the benchmark reports the figure at a million).
    ResultList list;
    const ListRowValues v = circleRow(8410.3, 7000);
    for (int i = 0; i < 100'000; ++i) list.append(v);
    EXPECT_LE(list.bytesUsed() / list.size(), 200u);
}

TEST(ResultList, SharedValuesStayExactThroughFilterAndSort) {
    // Sizes, depths and rock values are stored once per list and named by the rows: a search's
    // list of 100,000 rows over 1,000 diameters fits in 50 bytes a row, and every row still
    // shows its own values after a filter copies it and a sort moves it.
    ResultList list;
    list.reserve(100'000);
    for (int i = 0; i < 100'000; ++i) {
        ListRowValues v = circleRow(8000 + i, 7000, 1000 + 0.1 * (i % 1000));
        v.depth = 2.0 + 0.1 * (i % 11);
        v.rockValue = 35 + 0.05 * (i % 101);
        list.append(v);
    }
    EXPECT_LE(list.bytesUsed() / list.size(), 50u);
    ResultList picked = list.select({99'999, 12'345, 0});
    picked.reverse();
    const std::vector<std::vector<std::string>> expected = {
        {"1000", "2.0d", "35.00"}, {"1034.5", "2.3d", "36.15"}, {"1099.9", "2.9d", "35.45"}};
    for (std::size_t row = 0; row < expected.size(); ++row) {
        SCOPED_TRACE(row);
        EXPECT_EQ(picked.fieldText(row, ListField::Size1), expected[row][0]);
        EXPECT_EQ(picked.fieldText(row, ListField::Depth), expected[row][1]);
        EXPECT_EQ(picked.fieldText(row, ListField::RockValue), expected[row][2]);
    }
}

TEST(FoldState, FirstPressAddsTheListColumnsThenBothToggle) {
    const ListLayout& layout = formulaOneListLayout();
    const auto shownColumns = [&layout](const FoldState& f) {
        int n = 0;
        for (int c = 0; c < layout.columnCount(); ++c) n += f.columnShown(layout, c);
        return n;
    };
    const int all = layout.columnCount();
    FoldState fold;
    EXPECT_STREQ(fold.buttonText(), "展开");
    EXPECT_TRUE(fold.noteColumnShown());
    EXPECT_EQ(shownColumns(fold), 6);  // the pile number to Rc
    fold.press();
    EXPECT_STREQ(fold.buttonText(), "折叠");
    EXPECT_TRUE(fold.noteColumnShown());
    EXPECT_EQ(shownColumns(fold), all);
    fold.press();
    EXPECT_STREQ(fold.buttonText(), "展开");
    EXPECT_FALSE(fold.noteColumnShown());
    EXPECT_EQ(shownColumns(fold), 6);
    fold.press();
    EXPECT_TRUE(fold.noteColumnShown());
    EXPECT_EQ(shownColumns(fold), all);
}

}  // namespace
}  // namespace pile
