// A table of text as the books and the list files print it: columns side by side, each with its
// part of the two caption lines and its cell, every part as wide as the column and ending in
// the blanks that part it from the next column. The last column closes the table with one
// blank less, in its captions and in its cells. A cell wider than its column is never cut: it
// shifts the rest of its row.
#pragma once

#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace pile {

template <class Row>
struct TextColumn {
    std::string_view caption1;
    std::string_view caption2;
    std::string (*cell)(const Row& row);
};

template <class Row>
std::pair<std::string, std::string> captionLines(const std::vector<TextColumn<Row>>& columns) {
    std::pair<std::string, std::string> lines;
    for (const TextColumn<Row>& column : columns) {
        lines.first += column.caption1;
        lines.second += column.caption2;
    }
    if (!lines.first.empty()) lines.first.pop_back();
    if (!lines.second.empty()) lines.second.pop_back();
    return lines;
}

template <class Row>
std::vector<std::string> rowCells(const std::vector<TextColumn<Row>>& columns, const Row& row) {
    std::vector<std::string> cells;
    cells.reserve(columns.size());
    for (const TextColumn<Row>& column : columns) cells.push_back(column.cell(row));
    if (!cells.empty() && !cells.back().empty()) cells.back().pop_back();
    return cells;
}

template <class Row>
std::string rowText(const std::vector<TextColumn<Row>>& columns, const Row& row) {
    std::string text;
    for (const std::string& cell : rowCells(columns, row)) text += cell;
    return text;
}

}  // namespace pile
