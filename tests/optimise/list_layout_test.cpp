// Tests of the list layouts as the one description of the list columns: every reader of a row
// (the list file, the sort, the filter) finds a cell by its field, so a layout widened by a
// column anywhere writes, sorts and filters its rows exactly as before, and its sort states
// grow with it.
#include <gtest/gtest.h>

#include <stdexcept>
#include <string>
#include <vector>

#include "optimise/list_file.h"
#include "optimise/list_filter.h"
#include "optimise/list_sort.h"
#include "tests/optimise/list_fixture.h"

namespace pile {
namespace {

using test::numbers;

constexpr const char* kTime = "2024/5/31 10:00:00";

// The layout with a column inserted before column `at` (1 or more) and a sortable copy of the
// Ra column appended: every column from `at` on moves, and formula two's layout runs to 22
// columns. The new columns repeat fields the layout shows further left, which columnOf finds
// first.
ListLayout widened(const ListLayout& layout, int at) {
    std::vector<ListColumn> columns = layout.columns;
    columns.insert(columns.begin() + at,
                   ListColumn{ListField::PileNumber, "新增列", nullptr, true});
    columns.push_back(ListColumn{ListField::Ra, "Ra2(kN)", "Ra2", false});
    return ListLayout(std::move(columns), layout.unsortableMessage);
}

// One pile of each section, both rock parameters and depth units, with Ra, Rc and (for the
// soil columns) the limits in an order of their own, so each sort key orders the rows apart.
std::vector<ListRowValues> piles() {
    ListRowValues circle = test::circleRow(8410.3, 12345.7);
    circle.qgn = 310.25;
    circle.nkLimit = 8100.4;
    circle.nLimit = 12030.2;
    ListRowValues ellipse = test::ellipseRow();
    ellipse.qgn = 0;
    ellipse.nkLimit = 9000.5;
    ellipse.nLimit = 7990;
    ListRowValues rectangle = test::rectangleRow();
    rectangle.qgn = 120;
    rectangle.nkLimit = 8300;
    rectangle.nLimit = 80;
    ListRowValues square = test::circleRow(9100, 9600, 1500);
    square.section = 4;
    square.size2 = 1500;
    square.process = ProcessLabel::PostGrouted;
    square.qgn = 55.5;
    square.nkLimit = 9044.5;
    square.nLimit = 9545.5;
    std::vector<ListRowValues> rows = {circle, ellipse, rectangle, square};
    for (ListRowValues& row : rows) row.dragLoad = true;
    return rows;
}

ResultList listOf(const ListLayout& layout) {
    ResultList list(layout);
    for (const ListRowValues& row : piles()) list.append(row);
    list.assignPileNumbers();
    return list;
}

struct SoilScreens : ListFileSoil {
    SoilScreens() {
        dragLayerCount = "1";
        eg = "300.5";
        ep = "298";
        p = "10";
        dragRows = {{"1", "290.00", "18.00", "0.25", "40.00"}};
        sideLayerCount = "1";
        sideRows = {{"1", "2.00", "50.00"}};
    }
};

TEST(ListLayout, EveryFieldHasOneColumnInTheListsLayouts) {
    for (const ListLayout* layout : {&formulaOneListLayout(), &formulaTwoListLayout()}) {
        for (int c = 0; c < layout->columnCount(); ++c) {
            const ListField field = layout->columns[static_cast<std::size_t>(c)].field;
            SCOPED_TRACE(layout->columns[static_cast<std::size_t>(c)].header);
            EXPECT_TRUE(layout->has(field));
            EXPECT_EQ(layout->columnOf(field), c);
        }
    }
    const ListLayout& one = formulaOneListLayout();
    EXPECT_FALSE(one.hasSoilColumns());
    EXPECT_TRUE(formulaTwoListLayout().hasSoilColumns());
    EXPECT_FALSE(one.has(ListField::Qgn));
    EXPECT_THROW(one.columnOf(ListField::IdFsk), std::out_of_range);
}

TEST(ListLayout, AColumnAddedAnywhereLeavesTheFileTheSortAndTheFilterAsTheyWere) {
    struct Case {
        const char* name;
        const ListLayout& layout;
        ListField before;  // the new column goes in front of this field's column
    };
    const Case cases[] = {
        {"one, after the number", formulaOneListLayout(), ListField::Section},
        {"one, before the rock type", formulaOneListLayout(), ListField::RockType},
        {"one, before the note", formulaOneListLayout(), ListField::Note},
        {"two, after the number", formulaTwoListLayout(), ListField::Section},
        {"two, before Qgn", formulaTwoListLayout(), ListField::Qgn},
        {"two, before the switches", formulaTwoListLayout(), ListField::IdQgn},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const ListLayout wide = widened(c.layout, c.layout.columnOf(c.before));
        ASSERT_EQ(wide.columnCount(), c.layout.columnCount() + 2);
        const ResultList plain = listOf(c.layout);
        ResultList list = listOf(wide);

        // Every field reads the same, and the files are the same line for line.
        for (std::size_t row = 0; row < list.size(); ++row)
            for (const ListColumn& column : c.layout.columns)
                EXPECT_EQ(list.fieldText(row, column.field), plain.fieldText(row, column.field));
        const SoilScreens soil;
        EXPECT_EQ(listFileLines(list, ListFileKind::Raw, kTime, soil),
                  listFileLines(plain, ListFileKind::Raw, kTime, soil));

        // Each column sorts as it did, wherever it now stands: the same clicks on the list of
        // either layout leave the same order, status and header.
        ResultList base = plain;
        SortStates states(wide);
        SortStates baseStates(c.layout);
        for (const ListColumn& column : c.layout.columns) {
            SCOPED_TRACE(column.header);
            const int at = wide.columnOf(column.field);
            const int baseAt = c.layout.columnOf(column.field);
            for (int click = 0; click < 2; ++click) {
                EXPECT_EQ(sortByHeader(list, states, at).status,
                          sortByHeader(base, baseStates, baseAt).status);
                EXPECT_EQ(numbers(list), numbers(base));
                EXPECT_EQ(states.state(at), baseStates.state(baseAt));
                EXPECT_EQ(headerText(wide, at, states.state(at)),
                          headerText(c.layout, baseAt, baseStates.state(baseAt)));
            }
        }

        // The appended column, past the width of either list, has a state of its own.
        const int last = wide.columnCount() - 1;
        EXPECT_EQ(sortByHeader(list, states, last).status, "Ra2升序排列完成");
        EXPECT_EQ(states.state(last), SortState::Ascending);
        EXPECT_EQ(states.state(wide.columnOf(ListField::Ra)), SortState::Unsorted);
        EXPECT_EQ(headerText(wide, last, states.state(last)), "Ra2(kN)▲");
        exchangeSort(base, ListField::Ra);
        EXPECT_EQ(numbers(list), numbers(base));

        // The filter keeps the same rows.
        const std::vector<FilterCondition> conditions = {{ListField::Ra, {8400, 9100}},
                                                         {ListField::Rc, {0, 12345}}};
        EXPECT_EQ(numbers(filterList(list, conditions)), numbers(filterList(base, conditions)));
    }
}

TEST(SortStates, OneStateForEachColumnOfTheirLayoutAndNoneBeyond) {
    const ListLayout& two = formulaTwoListLayout();
    SortStates states(two);
    EXPECT_EQ(states.columnCount(), two.columnCount());
    EXPECT_THROW(states.state(two.columnCount()), std::out_of_range);
    EXPECT_THROW(states.set(-1, SortState::Ascending), std::out_of_range);

    // States sized for another layout are refused before they are read.
    ResultList list = listOf(two);
    SortStates narrow(formulaOneListLayout());
    EXPECT_THROW(sortByHeader(list, narrow, two.columnOf(ListField::NRatio)),
                 std::invalid_argument);
}

}  // namespace
}  // namespace pile
