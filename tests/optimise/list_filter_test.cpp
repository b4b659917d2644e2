// Tests of the filter: the bound rule, inclusive bounds on the shown values, the raw order and
// numbering kept, and bound cells that are not numbers.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "optimise/list_filter.h"
#include "optimise/list_sort.h"
#include "optimise/strict_number.h"
#include "tests/optimise/list_fixture.h"

namespace pile {
namespace {

using test::circleRow;
using test::numbers;

TEST(FilterBounds, NotPositiveMeansNoLimitAndMinimumRaisesMaximum) {
    struct Case {
        double min, max;
        FilterBounds expected;
    };
    const Case cases[] = {
        {0, 0, {0, 1e15}},
        {-5, 100, {0, 100}},
        {100, -1, {100, 1e15}},
        {14000, 12000, {14000, 14000}},
        {12000, 14000, {12000, 14000}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.min);
        EXPECT_EQ(normaliseBounds(c.min, c.max), c.expected);
    }
    EXPECT_EQ(readFilterBounds(" 12000", "14000 "), (FilterBounds{12000, 14000}));
    for (const auto& [min, max] : std::vector<std::pair<const char*, const char*>>{
             {"abc", "1"}, {"1", ""}, {"12,000", "1"}, {"1", "1e999"}}) {
        EXPECT_THROW(readFilterBounds(min, max), NumberConversionError);
    }
}

// Rows numbered ZH-1 .. ZH-6, Ra and Rc as given, in units.
ResultList sixRows() {
    ResultList list;
    const double ra[] = {12000, 11999.4, 14000, 13000, 14000.5, 11999.5};
    const double rc[] = {7000, 7000, 8000, 9000, 6000, 6000};
    for (int i = 0; i < 6; ++i) list.append(circleRow(ra[i], rc[i]));
    list.assignPileNumbers();
    return list;
}

TEST(FilterList, InclusiveBoundsOnTheShownValues) {
    const ResultList raw = sixRows();
    // 11999.4 shows 11999 and fails; 11999.5 shows 12000 and passes; 14000.5 shows 14001.
    const ResultList got = filterByRaRc(raw, {12000, 14000}, {6000, 8000});
    EXPECT_EQ(numbers(got), (std::vector<std::string>{"ZH-1", "ZH-3", "ZH-6"}));
    EXPECT_EQ(got.fieldText(2, ListField::Ra), "12000");

    // Minimum above maximum: only the bound itself.
    EXPECT_EQ(numbers(filterByRaRc(raw, normaliseBounds(14000, 12000), normaliseBounds(0, 0))),
              (std::vector<std::string>{"ZH-3"}));
    // No limits: every row.
    EXPECT_EQ(filterByRaRc(raw, normaliseBounds(0, 0), normaliseBounds(0, 0)).size(), 6u);
    // None.
    EXPECT_TRUE(filterByRaRc(raw, {20000, 30000}, {0, 1e15}).empty());
    EXPECT_EQ(filterDoneMessage(3), "筛选完成，桩数：3 根");
}

TEST(FilterList, KeepsTheOrderOfASortedListAndTheRawNumbers) {
    ResultList raw;
    for (int i = 0; i < 12; ++i) raw.append(circleRow(12000 + 100 * ((i * 5) % 12), 7000 - i));
    raw.assignPileNumbers();
    SortStates states(raw.layout());
    sortByHeader(raw, states, raw.layout().columnOf(ListField::Rc));  // ascending: rows 12 .. 1
    const ResultList got = filterByRaRc(raw, {12000, 12500}, {0, 1e15});
    // Ra 12000 + 100 * ((i * 5) % 12) <= 12500 for i = 0, 1, 3, 5, 8, 10 (pile numbers i + 1).
    EXPECT_EQ(numbers(got),
              (std::vector<std::string>{"ZH-11", "ZH-09", "ZH-06", "ZH-04", "ZH-02", "ZH-01"}));
    // The copy is independent: sorting it leaves the raw list.
    ResultList copy = got;
    SortStates copyStates(copy.layout());
    sortByHeader(copy, copyStates, copy.layout().columnOf(ListField::Ra));
    EXPECT_EQ(numbers(raw).front(), "ZH-12");
}

TEST(FilterList, GeneralConditionsOnAnyField) {
    ResultList raw;
    raw.append(circleRow(100, 100, 1000));
    raw.append(circleRow(100, 100, 1500));
    raw.append(circleRow(100, 100, 2000));
    const ResultList got = filterList(raw, {{ListField::Size1, {1200, 2000}}});
    EXPECT_EQ(numbers(got), (std::vector<std::string>{"2", "3"}));
}

}  // namespace
}  // namespace pile
