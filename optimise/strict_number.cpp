// Strict number reading of the optimisation screen's cells.
#include "optimise/strict_number.h"

#include <climits>
#include <optional>

#include "core/pile_input.h"

namespace pile {
namespace {

std::string describe(const std::string& text, NumberConversionError::Kind kind) {
    return "“" + text + "”不是有效的" +
           (kind == NumberConversionError::Kind::Integer ? "整数" : "数值");
}

bool isBlank(char c) { return c == ' ' || c == '\t'; }

}  // namespace

NumberConversionError::NumberConversionError(const std::string& text, Kind kind)
    : std::runtime_error(describe(text, kind)), m_text(text), m_kind(kind) {}

double readDecimal(const std::string& text) {
    const std::optional<double> value = ParseStrict(text);
    if (!value) throw NumberConversionError(text, NumberConversionError::Kind::Decimal);
    return *value;
}

int readInteger(const std::string& text) {
    std::size_t i = 0;
    const std::size_t n = text.size();
    while (i < n && isBlank(text[i])) ++i;
    bool negative = false;
    if (i < n && (text[i] == '+' || text[i] == '-')) negative = text[i++] == '-';
    const std::size_t firstDigit = i;
    long long value = 0;
    const auto refuse = [&text]() {
        return NumberConversionError(text, NumberConversionError::Kind::Integer);
    };
    for (; i < n && text[i] >= '0' && text[i] <= '9'; ++i) {
        value = value * 10 + (text[i] - '0');
        // The magnitude of INT_MIN is one more than INT_MAX; anything beyond is refused
        // before the accumulator could overflow.
        if (value > static_cast<long long>(INT_MAX) + 1) throw refuse();
    }
    const bool digits = i > firstDigit;
    while (i < n && isBlank(text[i])) ++i;
    if (!digits || i != n) throw refuse();
    if (negative) value = -value;
    if (value > INT_MAX) throw refuse();
    return static_cast<int>(value);
}

}  // namespace pile
