// Tests of the result-list rows: the cell texts made from the stored numbers, the pile
// numbering, the values sorting and filtering compare, and the size of a row.
#include <gtest/gtest.h>

#include <stdexcept>
#include <string>
#include <variant>
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

// The ranges of a search: the default items with d in steps of a hundredth of a millimetre,
// over two million candidates.
ItemRanges searchRanges(const char* diameterStep = "0.01") {
    ItemTexts texts = defaultItemTexts();
    texts[item_row::kDiameter] = {"1000", "2000", diameterStep};
    return std::get<ItemRanges>(readItemRanges(texts));
}

// What a search reads back of a candidate's results.
ListRowValues results(double ra, double rc, RoundingMode mode = RoundingMode::Units) {
    ListRowValues v;
    v.ra = ra;
    v.rc = rc;
    v.kesair = 0.856667;
    v.mode = mode;
    v.qgn = 1075.5;
    v.nkLimit = ra - 500;
    v.nLimit = rc - 400;
    v.dragLoad = true;
    return v;
}

TEST(ResultList, ASearchsRowIsItsIndexAndResults) {
    // A million rows of a search: 32 bytes a row at most for formula one, 64 for formula two
    // (the benchmarks report the figures of whole searches).
    struct Case {
        const ListLayout& layout;
        std::size_t bytesPerRow;
    };
    const ItemRanges ranges = searchRanges();
    for (const Case& c : {Case{formulaOneListLayout(), 32}, Case{formulaTwoListLayout(), 64}}) {
        ResultList list(c.layout);
        list.listCandidates(ranges);
        constexpr std::size_t kRows = 1'000'000;
        list.reserve(kRows);
        ListRowValues v = results(8410.3, 7000);
        v.raText = "8410";
        v.rcText = "7000";
        v.nkText = "7910";
        v.nText = "6600";
        for (std::size_t i = 0; i < kRows; ++i) list.appendCandidate(i, v);
        EXPECT_LE(list.bytesUsed() / list.size(), c.bytesPerRow);
        // The last row is candidate 999,999: 24 candidates a diameter from 1000 mm.
        EXPECT_EQ(list.fieldText(kRows - 1, ListField::PileNumber), "1000000");
        EXPECT_EQ(list.fieldText(kRows - 1, ListField::Size1), "1416.66");
        EXPECT_EQ(list.fieldText(kRows - 1, ListField::Grade), "C30");
        EXPECT_EQ(list.fieldValue(kRows - 1, ListField::Size1), 1416.66);
    }
}

TEST(ResultList, ASearchsListTakesAnyRowAppendedToItAndKeepsItsCells) {
    const ItemRanges ranges = searchRanges("500");  // the default 360 candidates
    const auto allCells = [](const ResultList& list) {
        std::vector<std::vector<std::string>> out;
        for (std::size_t r = 0; r < list.size(); ++r) out.push_back(cells(list, r));
        return out;
    };
    ResultList list(formulaTwoListLayout());
    EXPECT_THROW(list.appendCandidate(0, results(1, 1)), std::logic_error);
    list.listCandidates(ranges);
    EXPECT_THROW(list.appendCandidate(360, results(1, 1)), std::out_of_range);
    for (std::size_t i = 0; i < 360; ++i)
        list.appendCandidate(i, results(9000 - 10.0 * static_cast<double>(i % 7), 7000));
    list.reorder({5, 1, 300, 0});
    const auto before = allCells(list);

    // A row of another rounding mode keeps its own, and the rows before keep theirs.
    ResultList another = list;
    another.appendCandidate(7, results(8123.456, 7000, RoundingMode::TwoDecimals));
    ResultList appended = list;
    appended.append(circleRow(8410.3, 7000));
    for (const ResultList* grown : {&another, &appended}) {
        ASSERT_EQ(grown->size(), 5u);
        auto kept = allCells(*grown);
        kept.pop_back();
        EXPECT_EQ(kept, before);
    }
    EXPECT_EQ(another.fieldText(4, ListField::PileNumber), "8");
    EXPECT_EQ(another.fieldText(4, ListField::Ra), "8123.46");
    EXPECT_EQ(another.fieldText(4, ListField::Size1), "1000");
    // Numbered after the highest number the list holds, so no two rows share one.
    EXPECT_EQ(appended.fieldText(4, ListField::PileNumber), "302");
    EXPECT_EQ(appended.fieldText(4, ListField::Ra), "8410");
    EXPECT_EQ(allCells(list), before);  // the copies changed sources of their own
}

TEST(ResultList, ARatioOverAShownZeroTakesTheUnroundedValues) {
    // Ra 3 kN rounded to tens shows 0: [Nk]/Ra is 2 / 3, whatever list the row is in.
    ListRowValues v = results(3, 7000, RoundingMode::Tens);
    v.nkLimit = 2;
    ResultList searched(formulaTwoListLayout());
    searched.listCandidates(searchRanges("500"));
    searched.appendCandidate(0, v);
    searched.appendCandidate(1, results(3000, 7000, RoundingMode::Tens));
    ResultList appended(formulaTwoListLayout());
    appended.append(v);
    for (const ResultList* list : {&searched, &appended}) {
        EXPECT_EQ(list->fieldText(0, ListField::Ra), "0");
        EXPECT_EQ(list->fieldText(0, ListField::NkRatio), "67%");
        EXPECT_EQ(list->fieldValue(0, ListField::NkRatio), 67);
        EXPECT_EQ(list->fieldText(0, ListField::NRatio), "94%");  // 6600 / 7000
    }
    EXPECT_EQ(searched.fieldText(1, ListField::NkRatio), "83%");  // 2500 / 3000
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
