// Number reading and writing shared by the soil calculations.
#include "soil/soil_numbers.h"

#include <algorithm>
#include <charconv>
#include <cmath>

#include "core/number_format.h"
#include "core/pile_calc.h"
#include "core/pile_input.h"

namespace pile::detail {

std::optional<double> readSoilNumber(const std::string& text) {
    const std::optional<double> x = ParseLeadingNumber(text);
    if (!x) return std::nullopt;
    return std::clamp(*x, -kSoilNumberLimit, kSoilNumberLimit);
}

namespace {

// A size text of the pile, read leniently: the input screen's Compute checks these fields
// itself before any soil calculation of a pile.
double sizeNumber(const std::string& text) {
    const double x = ParseLenient(text);
    return std::isfinite(x) ? std::clamp(x, -kSoilNumberLimit, kSoilNumberLimit) : 0.0;
}

}  // namespace

double perimeterMetres(const PileSection& pile) {
    return SectionPerimeter(pile.section, sizeNumber(pile.dd), sizeNumber(pile.tyzd)) / 1000;
}

std::string cellText(double x) { return FormatFixed(x, 10, 2); }

double shownValue(double x) { return ParseLenient(cellText(x)); }

double shareOf(double q, double total) {
    if (total == 0) return 0;
    const double share = 100 * q / total;
    return std::isfinite(share) ? share : 0;
}

std::string shareText(double share) { return FormatFixed(share, 7, 2) + "%"; }

std::string shareBarText(double share) { return FormatFixed(share, 7, 2); }

std::string resultCell(double a, double) { return cellText(a); }

std::string shareCell(double q, double total) { return shareText(shareOf(shownValue(q), total)); }

std::string shareBarCell(double q, double total) {
    return shareBarText(shareOf(shownValue(q), total));
}

}  // namespace pile::detail
