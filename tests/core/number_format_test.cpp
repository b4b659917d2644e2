// Tests of the number texts: fixed-point results with significant-digit and decimal
// limits, the rounding modes of the result fields, and the general text of a size.
#include <gtest/gtest.h>

#include <limits>
#include <string>

#include "core/number_format.h"
#include "core/pile_input.h"

namespace pile {
namespace {

struct FixedCase {
    const char* name;
    double x;
    int p;
    int n;
    const char* expected;
};

TEST(FormatFixed, RoundsOnceAtTheTighterLimit) {
    const FixedCase cases[] = {
        {"ra two decimals", 8410.3053, 7, 2, "8410.31"},
        {"zeta four decimals", 0.856667, 7, 4, "0.8567"},
        {"trailing zeros kept", 0.7, 3, 2, "0.70"},
        {"area in square metres", 785398.16 / 1000000, 6, 2, "0.79"},
        {"half away from zero", 8419.5, 7, 0, "8420"},
        {"binary 0.125 rounds up", 0.125, 7, 2, "0.13"},
        {"typed 1.005 rounds up", 1.005, 7, 2, "1.01"},
        {"exact 14478.75", 14478.75, 7, 1, "14478.8"},
        {"14478.75 computed in doubles", 14478.749999999998, 7, 1, "14478.8"},
        {"arithmetic noise dropped", 0.1 + 0.2, 10, 2, "0.30"},
        {"negative half away from zero", -8419.5, 7, 0, "-8420"},
        {"negative decimals", -2.345, 7, 2, "-2.35"},
        {"carry into a new digit", 9.999, 7, 2, "10.00"},
        {"carry with one decimal", 99.95, 7, 1, "100.0"},
        {"significant digits tighter", 12.3456, 3, 2, "12.30"},
        {"significant digits tighter, small value", 0.123456, 3, 5, "0.12300"},
        {"below half of the last decimal", 0.00049, 7, 3, "0.000"},
        {"exactly half of the last decimal", 0.0005, 7, 3, "0.001"},
        {"far below the last decimal", 1e-7, 7, 2, "0.00"},
        {"zero", 0.0, 7, 2, "0.00"},
        {"integer with no decimals", 7862.0, 7, 0, "7862"},
        {"books precision keeps eight digits", 12345678.9, 10, 0, "12345679"},
        {"books precision two decimals", 12345678.9, 10, 2, "12345678.90"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(FormatFixed(c.x, c.p, c.n), c.expected);
    }
}

TEST(FormatFixed, ExponentFormWhenTheIntegerPartNeedsMoreThanPDigits) {
    const FixedCase cases[] = {
        {"eight integer digits at p 7", 12345678.9, 7, 0, "1.234568E+07"},
        {"decimals ignored in exponent form", 12345678.9, 7, 2, "1.234568E+07"},
        {"chosen after rounding", 9999999.6, 7, 0, "1.000000E+07"},
        {"seven digits stay fixed", 9999999.4, 7, 0, "9999999"},
        {"negative", -12345678.9, 7, 0, "-1.234568E+07"},
        {"three-digit exponent", 1e300, 7, 0, "1.000000E+300"},
        {"one significant digit", 123.0, 1, 0, "1E+02"},
        {"decimals kept but integer too long", 1234.5678, 3, 2, "1.23E+03"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(FormatFixed(c.x, c.p, c.n), c.expected);
    }
}

TEST(FormatFixed, NeverWritesNegativeZeroOrNonFiniteText) {
    const FixedCase cases[] = {
        {"small negative to two decimals", -0.001, 7, 2, "0.00"},
        {"small negative to units", -0.4, 7, 0, "0"},
        {"negative zero", -0.0, 7, 2, "0.00"},
        {"infinity written as zero", std::numeric_limits<double>::infinity(), 7, 2, "0.00"},
        {"minus infinity", -std::numeric_limits<double>::infinity(), 7, 0, "0"},
        {"nan written as zero", std::numeric_limits<double>::quiet_NaN(), 7, 1, "0.0"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(FormatFixed(c.x, c.p, c.n), c.expected);
    }
}

struct ResultCase {
    const char* name;
    double x;
    RoundingMode mode;
    int p;
    const char* expected;
};

TEST(FormatResult, AppliesTheRoundingMode) {
    using M = RoundingMode;
    const ResultCase cases[] = {
        {"8410.3053 two decimals", 8410.3053, M::TwoDecimals, 7, "8410.31"},
        {"8410.3053 one decimal", 8410.3053, M::OneDecimal, 7, "8410.3"},
        {"8410.3053 units", 8410.3053, M::Units, 7, "8410"},
        {"8410.3053 tens", 8410.3053, M::Tens, 7, "8410"},
        {"8410.3053 hundreds", 8410.3053, M::Hundreds, 7, "8400"},
        {"8419.96 one decimal", 8419.96, M::OneDecimal, 7, "8420.0"},
        {"8419.96 units", 8419.96, M::Units, 7, "8420"},
        {"8419.96 tens", 8419.96, M::Tens, 7, "8410"},
        {"8419.96 hundreds", 8419.96, M::Hundreds, 7, "8400"},
        {"8419.9 tens truncates", 8419.9, M::Tens, 7, "8410"},
        {"8419.5 units rounds up", 8419.5, M::Units, 7, "8420"},
        {"95.4 hundreds", 95.4, M::Hundreds, 7, "0"},
        {"95.4 tens", 95.4, M::Tens, 7, "90"},
        {"16250 computed in doubles, tens", 16249.999999999998, M::Tens, 7, "16250"},
        {"16250 computed in doubles, hundreds", 16249.999999999998, M::Hundreds, 10, "16200"},
        // A negative limit is cut down too, away from zero: never to a safer-looking value.
        {"negative tens", -8419.9, M::Tens, 7, "-8420"},
        {"negative below ten", -6.97, M::Tens, 7, "-10"},
        {"negative below a hundred", -95.4, M::Hundreds, 7, "-100"},
        {"negative hundreds", -7285.1, M::Hundreds, 7, "-7300"},
        {"negative exact multiple stays", -7300.0, M::Hundreds, 7, "-7300"},
        {"negative carries into a new digit", -995.0, M::Tens, 7, "-1000"},
        {"negative noise below the place", -8410.000000000002, M::Tens, 7, "-8410"},
        {"zero", 0.0, M::Hundreds, 7, "0"},
        {"negative zero", -0.0, M::Tens, 7, "0"},
        {"screen exponent form", 12345678.9, M::Units, 7, "1.234568E+07"},
        {"books fixed form", 12345678.9, M::Units, 10, "12345679"},
        {"tens then exponent form", 99999999.9, M::Tens, 7, "9.999999E+07"},
        {"tens then rounding to p digits", 123456789.0, M::Tens, 7, "1.234568E+08"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(FormatResult(c.x, c.mode, c.p), c.expected);
    }
}

TEST(FormatGeneral, ShortestTextWithFifteenDigits) {
    struct Case {
        const char* name;
        double x;
        const char* expected;
    };
    const Case cases[] = {
        {"integer", 1200, "1200"},
        {"one decimal", 1250.5, "1250.5"},
        {"noise dropped", 0.1 + 0.2, "0.3"},
        {"fifteen digits", 123456789012.345, "123456789012.345"},
        {"small fixed", 0.0001, "0.0001"},
        {"small exponent", 1e-5, "1E-05"},
        {"large exponent", 1.5e20, "1.5E+20"},
        {"many digits rounded", 123456789012345678.0, "1.23456789012346E+17"},
        {"negative", -12.5, "-12.5"},
        {"negative zero", -0.0, "0"},
        {"infinity", std::numeric_limits<double>::infinity(), "0"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(FormatGeneral(c.x), c.expected);
    }
}

TEST(FormatGeneral, ReadsBackToTheSameValue) {
    // The rewritten rectangle sides are read again by the next computation.
    for (double x : {1200.0, 1250.5, 1.5e20, 1e-5, 0.3, 987654.321}) {
        SCOPED_TRACE(x);
        EXPECT_EQ(ParseLenient(FormatGeneral(x)), x);
    }
}

}  // namespace
}  // namespace pile
