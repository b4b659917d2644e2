// Strict number reading of the optimisation screen's cells, and the error it raises.
//
// A cell that must hold a number and does not stops the operation with NumberConversionError.
// The window models do not catch it: the event dispatch shows it in the error box and the
// window stays usable.
#pragma once

#include <stdexcept>
#include <string>

namespace pile {

// A text that the strict conversion refused. what() quotes the text.
class NumberConversionError : public std::runtime_error {
  public:
    enum class Kind { Decimal, Integer };
    NumberConversionError(const std::string& text, Kind kind);
    const std::string& text() const { return m_text; }
    Kind kind() const { return m_kind; }

  private:
    std::string m_text;
    Kind m_kind;
};

// The whole text one finite decimal number ("." is the point, blanks around it allowed), as
// ParseStrict reads it; otherwise throws NumberConversionError.
double readDecimal(const std::string& text);

// The whole text one integer: optional sign and decimal digits, blanks around them allowed,
// within the range of int. No point, exponent or hexadecimal. Otherwise throws
// NumberConversionError.
int readInteger(const std::string& text);

}  // namespace pile
