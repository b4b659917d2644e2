// Sorting the result lists by a header click: the exchange sort of the list's first sort,
// the reversals of the later clicks, the sort states and the header texts with their marks.
//
// The exchange sort is not stable and not the order a library sort gives: for each position i
// it walks j = i .. N-1 and exchanges rows i and j whenever row j's value is smaller than the
// value now at i, so an exchange can carry a row past equal ones (2a 2b 1 becomes 1 2b 2a).
// Users see that order, so it is reproduced exactly, in O(N log N) instead of O(N^2).
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "optimise/result_list.h"

namespace pile {

// The order the exchange sort leaves: row i of the result is row order[i] of `values`. No value
// may be NaN (list values are cell texts read back, always finite).
std::vector<std::uint32_t> exchangeSortOrder(const std::vector<double>& values);

namespace detail {
// The exchange sort run as written, O(N^2); the reference the fast order is tested against.
std::vector<std::uint32_t> exchangeSortOrderLiteral(const std::vector<double>& values);
}  // namespace detail

enum class SortState : std::uint8_t { Unsorted = 0, Ascending = 1, Descending = 2 };

// The sort state of every column of a list layout; at most one is not Unsorted. The states
// are as many as the layout's columns, however many that is; a column outside them is a fault
// of the caller and throws std::out_of_range instead of reading past the states.
class SortStates {
  public:
    explicit SortStates(const ListLayout& layout);

    int columnCount() const { return static_cast<int>(m_states.size()); }
    SortState state(int column) const { return m_states.at(checked(column)); }
    void reset();
    // The column takes the state, every other column becomes Unsorted.
    void set(int column, SortState state);
    bool operator==(const SortStates&) const = default;

  private:
    std::size_t checked(int column) const;
    std::vector<SortState> m_states;
};

// The header of a column: its plain text, "▲" when ascending, "▼" when descending, padded on
// the left with blanks to display width 8.
std::string headerText(const ListLayout& layout, int column, SortState state);

inline constexpr const char* kNoSortNeededMessage = "无需排序";

// What a header click did, for the screen to show.
struct SortOutcome {
    std::string status;            // black, in lb_YHxingxi
    bool selectFirstCell = false;  // the clicked column's cell of row 0 becomes selected
    bool reordered = false;        // the list was sorted or reversed (the save button enables)
};

// A click on the header of `column` of `list`: fewer than two rows need no sort; a column that
// does not sort leaves the list; otherwise the first click sorts ascending by the column's
// field with the exchange sort and each later click on the same column reverses the rows,
// alternating the state. `states` must be sized from the list's layout
// (std::invalid_argument otherwise).
SortOutcome sortByHeader(ResultList& list, SortStates& states, int column);

// Sorts ascending by the field's value with the exchange sort.
void exchangeSort(ResultList& list, ListField field);

}  // namespace pile
