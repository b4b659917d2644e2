// The request of pilecalc search: one JSON object saying what to type into a new calculator
// window before the search (the input screen, the precision, the cells of the item table) and
// which operations of the optimisation screen follow it, in order.
//
//   {"pile": {...}, "precision": N, "items": [[min, max, step] x 12],
//    "filters": [[min, max] x 2], "actions": [{"sort": 4}, {"filter": true}, ...]}
//
// Every key is optional. Cells are texts, typed as given; whether they are numbers is the
// screen's business when a button reads them. Formula one only: formula two has more item and
// filter rows and its soil switches, and its optimisation screen is not built yet.
#pragma once

#include <optional>
#include <string>
#include <variant>
#include <vector>

#include "cli/json_input.h"

namespace pile::cli {

// Rows of cell texts, each row the cells of columns 1, 2, ... of one row of the item table.
using CellRows = std::vector<std::vector<std::string>>;

// Where typed cells go in the item table of the formula-one optimisation screen.
inline constexpr int kSearchItemRows = 12;  // rows 0..11: minimum, maximum, step
inline constexpr int kSearchItemCells = 3;
inline constexpr int kSearchFilterFirstRow = 13;  // rows 13 (Ra) and 14 (Rc): minimum, maximum
inline constexpr int kSearchFilterRows = 2;
inline constexpr int kSearchFilterCells = 2;

// One operation after the search.
struct SearchAction {
    enum class Kind {
        Search,   // {"search": true}: 计算 again
        Sort,     // {"sort": column}: a click on that header of the list shown
        Filter,   // {"filter": true}: 筛选
        Fold,     // {"fold": true}: 展开 / 折叠
        Fetch,    // {"fetch": row}: a double click on that row of the list shown
        Items,    // {"items": [...]}: every item cell edited
        Filters,  // {"filters": [...]}: every filter cell edited
    };
    Kind kind = Kind::Search;
    int index = 0;   // Sort: the column; Fetch: the row
    CellRows cells;  // Items, Filters
};

struct SearchRequest {
    PileLine pile;  // the input screen before the search: texts only (kind Pile)
    int precision = 2;
    std::optional<CellRows> items;    // kSearchItemRows rows of kSearchItemCells texts
    std::optional<CellRows> filters;  // kSearchFilterRows rows of kSearchFilterCells texts
    std::vector<SearchAction> actions;
};

// Reads the whole request. Returns the problem as text when it is not one JSON object of the
// shape above: bad JSON, an unknown key, a value of the wrong type or out of range, a wrong
// number of rows or cells, a control character in a text.
std::variant<SearchRequest, std::string> parseSearchRequest(const std::string& text);

}  // namespace pile::cli
