// Number reading and writing shared by the soil calculations (internal).
#pragma once

#include <string>

#include "core/pile_input.h"
#include "soil/soil_data.h"

namespace pile::detail {

// Soil cells are read leniently (an empty or non-numeric text is 0) and limited to
// +-1e15 in their own units (m, kN/m3, kPa, mm). No soil or pile has a value near that
// bound; it only keeps every product and sum of 20 layers far from overflow, so that no
// cell ever receives an infinite or undefined number.
inline constexpr double kSoilNumberLimit = 1e15;
double readSoilNumber(const std::string& text);

// Pile perimeter mu in m from the section and its size texts (mm): circle pi*d, ellipse
// pi*d + 2c, rectangle 2(a + b).
double perimeterMetres(const PileSection& pile);

// x taken to 15 significant digits: the decimal every number text starts from (FormatFixed).
// Comparisons that decide a branch use it, so that two values that agree in the decimal the
// user typed or reads (a qsik of 6.06 against a friction of 0.3 x 20.2, a load of 1.5Ra
// against a Qgn of the same amount) count as equal even when the last binary digit of the
// arithmetic differs. Non-finite input gives 0.
double fifteenDigits(double x);

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
