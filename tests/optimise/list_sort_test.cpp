// Tests of sorting the result lists: the fast exchange-sort order against the literal exchange
// sort on many lists with ties, the header-click cycle with its states, messages and marks.
#include <gtest/gtest.h>

#include <algorithm>
#include <numeric>
#include <random>
#include <string>
#include <vector>

#include "core/text_width.h"
#include "optimise/list_sort.h"
#include "tests/optimise/list_fixture.h"

namespace pile {
namespace {

using test::numbers;

// The lists the equivalence runs on: each kind stresses a different way rows of equal value
// interleave with smaller ones.
std::vector<double> makeList(int kind, std::size_t n, std::mt19937& rng) {
    const int distinct = std::uniform_int_distribution<int>(1, 6)(rng);
    std::uniform_int_distribution<int> value(0, distinct - 1);
    std::vector<double> v(n);
    for (auto& x : v) x = value(rng);
    switch (kind) {
        case 0:  // random with many ties
            break;
        case 1:  // sorted
            std::sort(v.begin(), v.end());
            break;
        case 2:  // reverse sorted
            std::sort(v.rbegin(), v.rend());
            break;
        case 3:  // nearly sorted: a few exchanges
            std::sort(v.begin(), v.end());
            for (std::size_t k = 0; k < n / 8 + 1 && n > 1; ++k) {
                std::uniform_int_distribution<std::size_t> pos(0, n - 1);
                std::swap(v[pos(rng)], v[pos(rng)]);
            }
            break;
        case 4:  // all equal
            std::fill(v.begin(), v.end(), 3.0);
            break;
        case 5: {  // the descending order of another key (sort by it, then reverse)
            std::vector<double> other(n);
            for (auto& x : other) x = value(rng);
            const auto order = detail::exchangeSortOrderLiteral(other);
            std::vector<double> reordered(n);
            for (std::size_t i = 0; i < n; ++i) reordered[n - 1 - i] = v[order[i]];
            v = reordered;
            break;
        }
        case 6:  // distinct values, including negatives and fractions
            for (std::size_t i = 0; i < n; ++i) v[i] = static_cast<double>(i) * 0.5 - 7.25;
            std::shuffle(v.begin(), v.end(), rng);
            break;
    }
    return v;
}

TEST(ExchangeSort, FastOrderEqualsTheLiteralExchangeSort) {
    std::mt19937 rng(20240531);
    for (int kind = 0; kind <= 6; ++kind) {
        for (int trial = 0; trial < 400; ++trial) {
            const std::size_t n = std::uniform_int_distribution<std::size_t>(0, 60)(rng);
            const std::vector<double> v = makeList(kind, n, rng);
            const auto expected = detail::exchangeSortOrderLiteral(v);
            const auto got = exchangeSortOrder(v);
            if (got != expected) {
                ADD_FAILURE() << "kind " << kind << ", trial " << trial << ", n " << n;
                return;
            }
        }
    }
}

TEST(ExchangeSort, LargeListsWithFewValues) {
    std::mt19937 rng(11);
    for (const int distinct : {2, 3, 50}) {
        std::vector<double> v(3000);
        std::uniform_int_distribution<int> value(0, distinct - 1);
        for (auto& x : v) x = value(rng);
        SCOPED_TRACE(distinct);
        EXPECT_EQ(exchangeSortOrder(v), detail::exchangeSortOrderLiteral(v));
    }
}

TEST(ExchangeSort, EqualRowsCanBeCarriedPastEachOther) {
    // 2 (A), 2 (B), 1 -> 1, 2 (B), 2 (A).
    EXPECT_EQ(exchangeSortOrder({2, 2, 1}), (std::vector<std::uint32_t>{2, 1, 0}));
    // Ra 100 (A), 100 (B), 50 (C): ascending gives C, B, A.
    ResultList list = test::listWithRa({100, 100, 50});
    exchangeSort(list, ListField::Ra);
    EXPECT_EQ(numbers(list), (std::vector<std::string>{"3", "2", "1"}));
}

TEST(ExchangeSort, SortsOnTheShownTexts) {
    // In tens mode 8411, 8415 and 8419 all show 8410: they tie, and the exchange sort moves
    // the first one past the others; by their unrounded values the order would be 4 1 2 3.
    ResultList list;
    for (const double ra : {8411.0, 8415.0, 8419.0, 100.0}) {
        ListRowValues v = test::circleRow(ra, 7000);
        v.mode = RoundingMode::Tens;
        list.append(v);
    }
    exchangeSort(list, ListField::Ra);
    EXPECT_EQ(numbers(list), (std::vector<std::string>{"4", "2", "3", "1"}));
}

// The columns a header click names, found in the formula-one layout.
int columnOf(ListField field) { return formulaOneListLayout().columnOf(field); }

TEST(SortByHeader, ThreeClicksSortThenReverseTwice) {
    ResultList list = test::listWithRa({300, 100, 200, 100});
    SortStates states(list.layout());
    const int ra = columnOf(ListField::Ra);
    struct Step {
        const char* status;
        SortState state;
        std::vector<std::string> order;
        const char* header;
    };
    const Step steps[] = {
        {"Ra升序排列完成", SortState::Ascending, {"2", "4", "3", "1"}, "Ra(kN)▲"},
        {"Ra降序排列完成", SortState::Descending, {"1", "3", "4", "2"}, "Ra(kN)▼"},
        {"Ra升序排列完成", SortState::Ascending, {"2", "4", "3", "1"}, "Ra(kN)▲"},
    };
    for (const auto& s : steps) {
        const SortOutcome out = sortByHeader(list, states, ra);
        EXPECT_EQ(out.status, s.status);
        EXPECT_TRUE(out.selectFirstCell);
        EXPECT_TRUE(out.reordered);
        EXPECT_EQ(states.state(ra), s.state);
        EXPECT_EQ(numbers(list), s.order);
        EXPECT_EQ(headerText(list.layout(), ra, states.state(ra)), s.header);
    }
}

TEST(SortByHeader, AnotherColumnStartsAscendingAndClearsTheFirst) {
    ResultList list;
    list.append(test::circleRow(100, 9000, 2000));
    list.append(test::circleRow(300, 8000, 1000));
    list.append(test::circleRow(200, 7000, 1500));
    SortStates states(list.layout());
    const int d = columnOf(ListField::Size1), ra = columnOf(ListField::Ra),
              rc = columnOf(ListField::Rc);
    sortByHeader(list, states, ra);
    sortByHeader(list, states, ra);  // Ra descending: 2 3 1
    EXPECT_EQ(sortByHeader(list, states, d).status, "d升序排列完成");
    EXPECT_EQ(numbers(list), (std::vector<std::string>{"2", "3", "1"}));
    EXPECT_EQ(states.state(ra), SortState::Unsorted);
    EXPECT_EQ(states.state(d), SortState::Ascending);
    EXPECT_EQ(sortByHeader(list, states, rc).status, "Rc升序排列完成");
    EXPECT_EQ(sortByHeader(list, states, rc).status, "Rc降序排列完成");
    EXPECT_EQ(states.state(d), SortState::Unsorted);
}

TEST(SortByHeader, ColumnsThatDoNotSortAndShortLists) {
    ResultList list = test::listWithRa({300, 100});
    SortStates states(list.layout());
    const int ra = columnOf(ListField::Ra);
    states.set(ra, SortState::Ascending);
    for (ListField field : {ListField::PileNumber, ListField::Section, ListField::Size2,
                            ListField::Depth, ListField::Note}) {
        const int column = columnOf(field);
        SCOPED_TRACE(column);
        const SortOutcome out = sortByHeader(list, states, column);
        EXPECT_EQ(out.status, "仅支持d、Ra、Rc排序");
        EXPECT_TRUE(out.selectFirstCell);
        EXPECT_FALSE(out.reordered);
        EXPECT_EQ(numbers(list), (std::vector<std::string>{"1", "2"}));
        EXPECT_EQ(states.state(ra), SortState::Ascending);
    }
    // A click beside the headers names no column: nothing is selected.
    for (int column : {-1, list.columnCount()}) {
        SCOPED_TRACE(column);
        const SortOutcome out = sortByHeader(list, states, column);
        EXPECT_EQ(out.status, "仅支持d、Ra、Rc排序");
        EXPECT_FALSE(out.selectFirstCell);
    }
    ResultList one = test::listWithRa({5});
    for (int column : {columnOf(ListField::PileNumber), ra}) {
        const SortOutcome out = sortByHeader(one, states, column);
        EXPECT_EQ(out.status, "无需排序");
        EXPECT_FALSE(out.selectFirstCell);
    }
    EXPECT_EQ(sortByHeader(list, states, ra).status, "Ra降序排列完成");  // states untouched
}

TEST(HeaderText, PaddedToEightColumnsWithWideMarks) {
    const ListLayout& layout = formulaOneListLayout();
    struct Case {
        ListField field;
        SortState state;
        const char* text;
    };
    const Case cases[] = {
        {ListField::PileNumber, SortState::Unsorted, "  桩编号"},
        {ListField::Section, SortState::Unsorted, "截面类型"},
        {ListField::Size1, SortState::Unsorted, " d|a(mm)"},
        {ListField::Size1, SortState::Ascending, "d|a(mm)▲"},
        {ListField::Ra, SortState::Unsorted, "  Ra(kN)"},
        {ListField::Ra, SortState::Descending, "Ra(kN)▼"},
        {ListField::Rc, SortState::Ascending, "Rc(kN)▲"},
        {ListField::Kesair, SortState::Unsorted, "   ζr(β)"},
        {ListField::Note, SortState::Unsorted, "    备注"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.text);
        EXPECT_EQ(headerText(layout, layout.columnOf(c.field), c.state), c.text);
    }
}

}  // namespace
}  // namespace pile
