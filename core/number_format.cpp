// Number texts of results, books and lists.
//
// Rounding is done on decimal digits, never with floating-point tricks: a value is first
// written with 15 significant digits (the decimal a person would write for that double,
// which drops the noise of the arithmetic), and that digit string is then rounded half
// away from zero, or cut down to a place, exactly once. Everything here is independent of the C
// locale (std::to_chars), so a GUI that switches the process locale changes nothing.
#include "core/number_format.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <string>

namespace pile {
namespace detail {

// A decimal value: (-1)^negative * 0.d0 d1 d2 ... * 10^(exponent + 1), that is, digit i has
// the place value 10^(exponent - i). digits holds no leading zero unless the value is 0.
struct Decimal {
    bool negative = false;
    std::string digits;  // '0'..'9'
    int exponent = 0;    // power of ten of digits[0]

    bool isZero() const {
        return std::all_of(digits.begin(), digits.end(), [](char c) { return c == '0'; });
    }
};

constexpr int kSignificant = 15;

// The 15-significant-digit decimal of x. Non-finite input is taken as 0: the callers
// never pass it (the calculation refuses any input that would overflow), and a text such
// as "inf" must not reach a book or a list that is read back.
Decimal toDecimal(double x) {
    Decimal d;
    if (!std::isfinite(x) || x == 0.0) {
        d.digits.assign(1, '0');
        return d;
    }
    char buf[64];
    // "d.dddddddddddddde+XX": 1 + 14 digits, read in place.
    const auto res =
        std::to_chars(buf, buf + sizeof buf, x, std::chars_format::scientific, kSignificant - 1);
    const char* p = buf;
    if (*p == '-') {
        d.negative = true;
        ++p;
    }
    const char* e = std::find(p, static_cast<const char*>(res.ptr), 'e');
    d.digits.reserve(kSignificant);
    for (; p < e; ++p) {
        if (*p != '.') d.digits += *p;
    }
    int exp = 0;
    const char* expStart = e + 1;
    if (expStart < res.ptr && *expStart == '+') ++expStart;
    std::from_chars(expStart, res.ptr, exp);
    d.exponent = exp;
    return d;
}

// Adds one unit in the place of the last digit kept, carrying through nines ("1.99" -> "2.00";
// "99" -> "100" with the exponent one higher).
void addUnitInLastPlace(Decimal& d) {
    int i = static_cast<int>(d.digits.size()) - 1;
    while (i >= 0 && d.digits[static_cast<std::size_t>(i)] == '9') {
        d.digits[static_cast<std::size_t>(i)] = '0';
        --i;
    }
    if (i >= 0) {
        ++d.digits[static_cast<std::size_t>(i)];
    } else {
        d.digits.insert(d.digits.begin(), '1');
        ++d.exponent;
    }
}

// Keeps the first `keep` digits, rounding half away from zero on the next one. keep may be
// 0 or negative (the whole value lies below the rounding place).
void roundToDigits(Decimal& d, int keep) {
    const int size = static_cast<int>(d.digits.size());
    if (keep >= size) return;
    if (keep < 0) {
        d.digits.assign(1, '0');
        return;
    }
    const bool up = d.digits[static_cast<std::size_t>(keep)] >= '5';
    d.digits.resize(static_cast<std::size_t>(keep));
    if (up) addUnitInLastPlace(d);
    if (d.digits.empty()) d.digits.assign(1, '0');
}

// Cuts d down to a multiple of 10^place: the digits below that place are dropped, and a
// negative value with anything dropped moves one unit of that place further from zero, so
// that -6.97 cut to the ten below is -10, never the 0 (or the -0) of a cut toward zero.
void floorToPlace(Decimal& d, int place) {
    if (d.isZero()) return;
    const int keep = d.exponent - place + 1;
    if (keep <= 0) {
        // The whole value lies below the place.
        if (d.negative) {
            d.digits.assign(1, '1');
            d.exponent = place;
        } else {
            d.digits.assign(1, '0');
        }
        return;
    }
    if (keep >= static_cast<int>(d.digits.size())) return;
    const bool up = d.negative && std::any_of(d.digits.begin() + keep, d.digits.end(),
                                              [](char c) { return c != '0'; });
    d.digits.resize(static_cast<std::size_t>(keep));
    if (up) addUnitInLastPlace(d);
}

char digitAt(const Decimal& d, int i) {
    return (i >= 0 && i < static_cast<int>(d.digits.size())) ? d.digits[static_cast<std::size_t>(i)]
                                                             : '0';
}

// Writes d, already rounded, with exactly n decimals, or in exponent form with p
// significant digits ("1.234568E+07") when the integer part needs more than p digits.
std::string write(const Decimal& d, int p, int n) {
    std::string out;
    if (d.isZero()) {
        out.assign(1, '0');
        if (n > 0) {
            out += '.';
            out.append(static_cast<std::size_t>(n), '0');
        }
        return out;
    }
    if (d.negative) out += '-';
    const int intDigits = d.exponent >= 0 ? d.exponent + 1 : 1;
    if (intDigits > p) {
        out += digitAt(d, 0);
        if (p > 1) {
            out += '.';
            for (int i = 1; i < p; ++i) out += digitAt(d, i);
        }
        out += 'E';
        out += d.exponent < 0 ? '-' : '+';
        const int mag = d.exponent < 0 ? -d.exponent : d.exponent;
        if (mag < 10) out += '0';
        out += std::to_string(mag);
        return out;
    }
    if (d.exponent >= 0) {
        for (int i = 0; i <= d.exponent; ++i) out += digitAt(d, i);
    } else {
        out += '0';
    }
    if (n > 0) {
        out += '.';
        for (int j = 1; j <= n; ++j) out += digitAt(d, d.exponent + j);
    }
    return out;
}

std::string formatDecimal(Decimal d, int p, int n) {
    p = std::clamp(p, 1, kSignificant);
    n = std::clamp(n, 0, 40);
    // The tighter of p significant digits and n decimals: digit i survives the decimal
    // limit while exponent - i >= -n.
    const int byDecimals = d.exponent + n + 1;
    roundToDigits(d, std::min(p, byDecimals));
    return write(d, p, n);
}

}  // namespace detail

std::string FormatFixed(double x, int p, int n) {
    return detail::formatDecimal(detail::toDecimal(x), p, n);
}

std::string FormatResult(double x, RoundingMode mode, int p) {
    switch (mode) {
        case RoundingMode::TwoDecimals:
            return FormatFixed(x, p, 2);
        case RoundingMode::OneDecimal:
            return FormatFixed(x, p, 1);
        case RoundingMode::Units:
            return FormatFixed(x, p, 0);
        case RoundingMode::Tens:
        case RoundingMode::Hundreds: {
            detail::Decimal d = detail::toDecimal(x);
            detail::floorToPlace(d, mode == RoundingMode::Tens ? 1 : 2);
            return detail::formatDecimal(d, p, 0);
        }
    }
    return FormatFixed(x, p, 0);
}

namespace {

int significantDigits(ShownOn on) { return on == ShownOn::Screen ? 7 : 10; }

}  // namespace

std::string RaText(double ra, RoundingMode mode, ShownOn on) {
    return FormatResult(ra, mode, significantDigits(on));
}

std::string RcText(double rc, RoundingMode mode, ShownOn on) {
    return FormatResult(rc, mode, significantDigits(on));
}

std::string QgnText(double qgn, RoundingMode mode, ShownOn on) {
    return FormatResult(qgn, mode, significantDigits(on));
}

std::string NkLimitText(double nkLimit, RoundingMode mode, ShownOn on) {
    return FormatResult(nkLimit, mode, significantDigits(on));
}

std::string NLimitText(double nLimit, RoundingMode mode, ShownOn on) {
    return FormatResult(nLimit, mode, significantDigits(on));
}

std::string ZetaText(double zeta, ShownOn on) {
    return FormatFixed(zeta, on == ShownOn::Screen ? 7 : 5, 4);
}

double FifteenDigits(double x) {
    if (!std::isfinite(x)) return 0;
    // "d.dddddddddddddde+XX" and back. Locale-free.
    char buf[40];
    const auto written = std::to_chars(buf, buf + sizeof buf, x, std::chars_format::scientific,
                                       detail::kSignificant - 1);
    double y = 0;
    std::from_chars(buf, written.ptr, y, std::chars_format::scientific);
    return y;
}

std::string FormatGeneral(double x) {
    if (!std::isfinite(x) || x == 0.0) return "0";
    char buf[64];
    auto res =
        std::to_chars(buf, buf + sizeof buf, x, std::chars_format::general, detail::kSignificant);
    std::string s(buf, res.ptr);
    // Exponent form, when %g chooses it, in the same spelling as FormatFixed: "1.5E+20".
    const std::size_t e = s.find('e');
    if (e != std::string::npos) s[e] = 'E';
    return s;
}

}  // namespace pile
