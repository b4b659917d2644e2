// The request of pilecalc search: one JSON object saying what to type into a new calculator
// window before the search (the input screen, the precision, the cells of the item table) and
// which operations of the optimisation screen follow it, in order.
//
//   {"pile": {...}, "precision": N, "items": [[min, max, step] x 12],
//    "switches": [row 12, row 13], "filters": [[min, max] x 2 or 4],
//    "actions": [{"sort": 4}, {"filter": true}, ...]}
//
// Every key is optional. Cells are texts, typed as given; whether they are numbers is the
// screen's business when a button reads them. What the item table and the lists of the window
// have decides the rest: formula two takes the soil keys in "pile", its two soil switches and
// four filter rows (Ra, Rc, [Nk], [N]) and sorts the columns of its wider list; formula one
// takes neither the soil keys nor the switches, two filter rows (Ra, Rc) and its own columns.
#pragma once

#include <optional>
#include <string>
#include <variant>
#include <vector>

#include "app/model/optimisation_screen.h"
#include "cli/json_input.h"

namespace pile::cli {

// Rows of cell texts, each row the cells of columns 1, 2, ... of one row of the item table.
using CellRows = std::vector<std::vector<std::string>>;

// Where typed cells go in the item table. The filter rows, minimum and maximum, are those of
// the window's OptimisationSetup (rows 13 and 14 in formula one, 15 to 18 in formula two).
inline constexpr int kSearchItemRows = 12;  // rows 0..11: minimum, maximum, step
inline constexpr int kSearchItemCells = 3;
inline constexpr int kSearchSwitchFirstRow = 12;  // formula two: rows 12 and 13, minimum only
inline constexpr int kSearchSwitchRows = 2;
inline constexpr int kSearchFilterCells = 2;

// One operation after the search.
struct SearchAction {
    enum class Kind {
        Search,    // {"search": true}: 计算 again
        Sort,      // {"sort": column}: a click on that header of the list shown
        Filter,    // {"filter": true}: 筛选
        Fold,      // {"fold": true}: 展开 / 折叠
        Fetch,     // {"fetch": row}: a double click on that row of the list shown
        Items,     // {"items": [...]}: every item cell edited
        Filters,   // {"filters": [...]}: every filter cell edited
        Switches,  // {"switches": [...]}: formula two, both switch cells edited
    };
    Kind kind = Kind::Search;
    int index = 0;   // Sort: the column; Fetch: the row
    CellRows cells;  // Items, Filters, Switches
};

struct SearchRequest {
    PileLine pile;  // the input screen (and in formula two its soil) before the search
    int precision = 2;
    std::optional<CellRows> items;     // kSearchItemRows rows of kSearchItemCells texts
    std::optional<CellRows> switches;  // kSearchSwitchRows rows of one text
    std::optional<CellRows> filters;   // one row of kSearchFilterCells texts per filter row
    std::vector<SearchAction> actions;
};

// Reads the whole request for the optimisation screen that `setup` describes. Returns the
// problem as text when it is not one JSON object of the shape above: bad JSON, an unknown
// key, a key of the other formula, a value of the wrong type or out of range, a wrong number
// of rows or cells, a control character in a text.
std::variant<SearchRequest, std::string> parseSearchRequest(const std::string& text,
                                                            const OptimisationSetup& setup);

}  // namespace pile::cli
