// Number texts of results, books and lists.
#pragma once

#include <array>
#include <cstdint>
#include <cstring>
#include <string>

namespace pile {

// Item index of popbox_jingdu.
enum class RoundingMode {
    TwoDecimals = 0,  // "两位小数"
    OneDecimal = 1,   // "一位小数"
    Units = 2,        // "个位取整"
    Tens = 3,         // "十位取整": cut down to the ten below (floor)
    Hundreds = 4,     // "百位取整": cut down to the hundred below (floor)
};

// x taken to 15 significant digits, then rounded half away from zero to at most p
// significant digits and exactly n decimals. Exponent form when the integer part needs
// more than p digits. Never "-0".
std::string FormatFixed(double x, int p, int n);

// FormatFixed after the mode's rounding (screen p = 7, books p = 10).
std::string FormatResult(double x, RoundingMode mode, int p);

// Where a result is shown: the window's fields, the optimisation lists and their files (7
// significant digits), or the books and their summary tables (10).
enum class ShownOn { Screen, Book };

// The texts of the results a user reads and compares, each made here and nowhere else, so a
// change of how one is rounded reaches the window, both books, the lists and pilecalc alike.
// Ra, Rc, Qgn, [Nk] and [N] follow the window's rounding mode.
std::string RaText(double ra, RoundingMode mode, ShownOn on);
std::string RcText(double rc, RoundingMode mode, ShownOn on);
std::string QgnText(double qgn, RoundingMode mode, ShownOn on);
std::string NkLimitText(double nkLimit, RoundingMode mode, ShownOn on);
std::string NLimitText(double nLimit, RoundingMode mode, ShownOn on);
// ζr with 4 decimals (7 significant digits on the screen, 5 in the books). The window and the
// lists show the capacity coefficient β in the same place, in the same form, for a pile
// without ζr.
std::string ZetaText(double zeta, ShownOn on);

// x taken to 15 significant digits: the nearest double to the decimal every number text
// starts from (FormatFixed). Comparisons that decide a branch, and values built by repeated
// arithmetic, use it so that they agree with the decimal a user typed or reads, whatever the
// last binary digit of the arithmetic. Non-finite input gives 0.
double FifteenDigits(double x);

// Shortest general text, at most 15 significant digits, no trailing zeros: "1200", "1250.5".
std::string FormatGeneral(double x);

// The texts of values written lately, each under a small format code of the caller's: a
// search writes the same few values (an Rc, a rock strength) over and over. text() gives
// exactly what write(value) gives.
class RecentNumberTexts {
  public:
    template <class Write>
    const std::string& text(double value, int format, Write&& write) {
        std::uint64_t bits;
        std::memcpy(&bits, &value, sizeof bits);
        const std::uint64_t key =
            bits ^ (static_cast<std::uint64_t>(format) * 0x9E3779B97F4A7C15ULL);
        Entry& e = m_entries[(key ^ (key >> 29) ^ (key >> 47)) % m_entries.size()];
        if (!e.used || e.bits != bits || e.format != format) {
            e.used = true;
            e.bits = bits;
            e.format = format;
            e.text = write(value);
        }
        return e.text;
    }

  private:
    struct Entry {
        bool used = false;
        int format = 0;
        std::uint64_t bits = 0;
        std::string text;
    };
    std::array<Entry, 64> m_entries;
};

}  // namespace pile
