// Number reading and writing shared by the soil calculations (internal).
#pragma once

#include <optional>
#include <string>

#include "core/pile_input.h"
#include "soil/soil_data.h"

namespace pile::detail {

// A soil text read as a number: an empty or blank text is 0, a text that begins with a number
// is that number ("3m" is 3), and anything else is not a number (nothing), whatever digits it
// holds: "2,5" is not 2 and "四十六" is not 0. Numbers are limited to +-1e15 in their own units
// (m, kN/m3, kPa, mm). No soil or pile has a value near that bound; it only keeps every
// product and sum of 20 layers far from overflow, so that no cell ever receives an infinite
// or undefined number.
inline constexpr double kSoilNumberLimit = 1e15;
std::optional<double> readSoilNumber(const std::string& text);

// Pile perimeter mu in m from the section and its size texts (mm): circle pi*d, ellipse
// pi*d + 2c, rectangle 2(a + b).
double perimeterMetres(const PileSection& pile);

// A result cell: fixed point, 10 significant digits, 2 decimals.
std::string cellText(double x);
// The number a 2-decimal result cell shows, read back.
double shownValue(double x);

// Share of a layer in percent, 100*q/total. A zero total gives 0; so does a total that has
// cancelled to a residue so far below the layer loads that the quotient overflows.
double shareOf(double q, double total);
// "75.00%": the share cell.
std::string shareText(double share);
// The plain number of the share bar (0 to 100 for a usual layer).
std::string shareBarText(double share);

// The cells above as grid cell formats (Grid::CellFormat): a result cell of a, and the share
// and bar cells of a layer whose load is q (unrounded; the share is taken of its 2-decimal
// text, as writeShares takes it) in a total.
std::string resultCell(double a, double unused);
std::string shareCell(double q, double total);
std::string shareBarCell(double q, double total);

// Each layer's share of the total, from the layer's rounded load text (cells[loadColumn]) and
// the unrounded total: the share, its percent cell and its bar cell.
template <class Layers>
void writeShares(Layers& layers, double total, int loadColumn, int shareColumn, int barColumn) {
    for (auto& row : layers) {
        const double q = ParseLenient(row.cells[loadColumn]);
        row.share = shareOf(q, total);
        row.cells[shareColumn] = shareText(row.share);
        row.cells[barColumn] = shareBarText(row.share);
    }
}

}  // namespace pile::detail
