// Number texts of results, books and lists.
#pragma once

#include <string>

namespace pile {

// Item index of popbox_jingdu.
enum class RoundingMode {
    TwoDecimals = 0,  // "两位小数"
    OneDecimal = 1,   // "一位小数"
    Units = 2,        // "个位取整"
    Tens = 3,         // "十位取整": truncated to the ten below
    Hundreds = 4,     // "百位取整": truncated to the hundred below
};

// x taken to 15 significant digits, then rounded half away from zero to at most p
// significant digits and exactly n decimals. Exponent form when the integer part needs
// more than p digits. Never "-0".
std::string FormatFixed(double x, int p, int n);

// FormatFixed after the mode's rounding (screen p = 7, books p = 10).
std::string FormatResult(double x, RoundingMode mode, int p);

// Shortest general text, at most 15 significant digits, no trailing zeros: "1200", "1250.5".
std::string FormatGeneral(double x);

}  // namespace pile
