// The behaviour the layer grids of the two soil screens share.
#include "app/model/soil_screen.h"

#include <string>

namespace pile::detail {

void setLayerRows(Grid& grid, int count, RemovedLayerRows& removed) {
    const int before = grid.rowCount();
    for (int row = count; row < before; ++row) {
        if (removed.size() <= static_cast<size_t>(row))
            removed.resize(static_cast<size_t>(row) + 1);
        removed[static_cast<size_t>(row)] = grid.row(row);
    }
    grid.setRowCount(count);
    for (int row = 0; row < count; ++row) grid.setCell(row, 0, std::to_string(row + 1));
    for (int row = before; row < count && static_cast<size_t>(row) < removed.size(); ++row) {
        const std::vector<std::string>& cells = removed[static_cast<size_t>(row)];
        for (int column = 0; column < static_cast<int>(cells.size()); ++column)
            if (grid.columnEditable(column))
                grid.setCell(row, column, cells[static_cast<size_t>(column)]);
    }
}

void toggleResultColumns(Button& button, Grid& grid, int firstResult) {
    const bool expand = button.text() == kExpand;
    for (int column = firstResult; column < grid.columnCount(); ++column)
        grid.setColumnVisible(column, expand);
    button.setText(expand ? kFold : kExpand);
}

void showReferenceTable(const ReferenceTable& table, Grid& grid, Label& caption, Label& note) {
    caption.setText(table.caption);
    grid.setHeaders(table.headers);
    grid.setRowCount(static_cast<int>(table.rows.size()));
    for (int row = 0; row < grid.rowCount(); ++row) {
        const auto& cells = table.rows[static_cast<size_t>(row)];
        for (int column = 0; column < static_cast<int>(cells.size()); ++column)
            grid.setCell(row, column, cells[static_cast<size_t>(column)]);
    }
    note.setText(table.noteText());
}

}  // namespace pile::detail
