// Number reading and writing shared by the soil calculations.
#include "soil/soil_numbers.h"

#include <algorithm>
#include <charconv>
#include <cmath>

#include "core/number_format.h"
#include "core/pile_calc.h"
#include "core/pile_input.h"

namespace pile::detail {

double readSoilNumber(const std::string& text) {
    const double x = ParseLenient(text);
    if (!std::isfinite(x)) return 0;
    return std::clamp(x, -kSoilNumberLimit, kSoilNumberLimit);
}

double perimeterMetres(const PileSection& pile) {
    return SectionPerimeter(pile.section, readSoilNumber(pile.dd), readSoilNumber(pile.tyzd)) /
           1000;
}

double fifteenDigits(double x) {
    if (!std::isfinite(x)) return 0;
    // "d.dddddddddddddde+XX" and back: the nearest double to the 15-digit decimal. Locale-free.
    char buf[40];
    const auto written = std::to_chars(buf, buf + sizeof buf, x, std::chars_format::scientific, 14);
    double y = 0;
    std::from_chars(buf, written.ptr, y, std::chars_format::scientific);
    return y;
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

}  // namespace pile::detail
