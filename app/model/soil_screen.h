// What the two soil screens of the formula-two window share: what they need of the window, and
// the behaviour of their layer grids.
#pragma once

#include <string>
#include <vector>

#include "app/model/controls.h"
#include "soil/soil_data.h"

namespace pile {

class SoilScreenHost {
  public:
    virtual ~SoilScreenHost() = default;
    // The section and the size texts the input screen holds now: a soil screen's own Compute
    // works out the perimeter of this pile.
    virtual PileSection soilPileSection() const = 0;
    // A negative qsik shows the input screen's message label in place of its logo, without a
    // text of its own, so the user sees there that something is wrong.
    virtual void revealInputMessageLabel() = 0;
};

namespace detail {

inline constexpr const char* kExpand = "展开";
inline constexpr const char* kFold = "折叠";

// The typed cells of layer rows that a smaller layer count took away, by row, so that a
// larger count brings them back (for as long as the window lives).
using RemovedLayerRows = std::vector<std::vector<std::string>>;

// Exactly `count` layer rows numbered "1" to "count" in column 0. Rows that stay keep their
// cells. Rows that go keep their typed (editable) cells in `removed`; a new row gets its
// typed cells back from there, or is blank.
void setLayerRows(Grid& grid, int count, RemovedLayerRows& removed);
// The expand button: "展开" shows the result columns from `firstResult` on and becomes "折叠";
// "折叠" hides them again and becomes "展开".
void toggleResultColumns(Button& button, Grid& grid, int firstResult);
// A read-only reference table with its caption and note.
void showReferenceTable(const ReferenceTable& table, Grid& grid, Label& caption, Label& note);

}  // namespace detail
}  // namespace pile
