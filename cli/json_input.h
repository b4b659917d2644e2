// One line of pilecalc's JSON Lines input, read into the texts of an input screen.
//
// Keys are optional; a missing key keeps what a new window's input screen would show after
// the given section and rock mode were chosen (so {"section":2} is the default rectangle).
#pragma once

#include <nlohmann/json.hpp>

#include <array>
#include <initializer_list>
#include <optional>
#include <span>
#include <string>
#include <variant>

#include "core/pile_input.h"
#include "soil/formula_two.h"

namespace pile::cli {

// The keys of a pile line: those of the input screen, then formula two's soil keys (its two
// switches and its two soil screens). pilecalc compute reads a line by them and the search
// request's "pile" is read as such a line, so both take exactly these keys.
inline constexpr const char* kNegativeFrictionKey = "negativeFriction";
inline constexpr const char* kSideResistanceKey = "sideResistance";
inline constexpr const char* kDragKey = "drag";
inline constexpr const char* kSideKey = "side";
inline constexpr std::array<const char*, 4> kSoilKeys{kNegativeFrictionKey, kSideResistanceKey,
                                                      kDragKey, kSideKey};
inline constexpr std::array<const char*, 14> kPileKeys{"section",
                                                       "d",
                                                       "c",
                                                       "hr",
                                                       "grade",
                                                       "process",
                                                       "rock",
                                                       "frk",
                                                       "fuk",
                                                       "slope",
                                                       kNegativeFrictionKey,
                                                       kSideResistanceKey,
                                                       kDragKey,
                                                       kSideKey};

// The keys inside "drag" (the negative-friction screen) and "side" (the side-resistance screen).
inline constexpr std::array<const char*, 4> kDragScreenKeys{"p", "Eg", "Ep", "layers"};
inline constexpr std::array<const char*, 1> kSideScreenKeys{"layers"};
// The keys of a formula-one pile: the input screen's, without the soil keys that end kPileKeys.
inline constexpr std::size_t kInputScreenKeyCount = kPileKeys.size() - kSoilKeys.size();

struct PileLine {
    enum class Kind { Pile, Precision, DeleteLast };
    Kind kind = Kind::Pile;
    InputTexts texts;     // Kind::Pile
    int precision = 2;    // Kind::Precision
    FormulaTwoSoil soil;  // Kind::Pile, formula two: the soil switches and screens
};

// Reads one line. Returns the problem as text when the line is not a JSON object or a
// key holds a value of the wrong type or out of range.
std::variant<PileLine, std::string> parsePileLine(const std::string& line);

// True for a line with nothing but blanks (skipped without an answer).
bool isBlankLine(const std::string& line);

// True when the text holds no control character: a field or cell of a screen holds one line.
bool isOneLineText(const std::string& text);

// The deepest nesting of arrays and objects a JSON text may have; a request needs five.
inline constexpr int kMaxJsonDepth = 64;

// Parses a JSON text; a key that stands twice in one object makes it unreadable too, as it
// would otherwise be a silent choice between the two values. A NUL byte, which the library would
// take for the end of the text, and nesting deeper than kMaxJsonDepth make it unreadable as
// well. Returns the value, or the problem as the end of a sentence ("is not valid JSON", "has the
// key \"d\" twice").
std::variant<nlohmann::json, std::string> parseJsonText(const std::string& text);

// The input key a refusal names: "d", "c", "hr", "frk", "fuk", kSideKey or kDragKey, for the
// control (cbe_dd, ...) or soil screen that refused the pile.
std::string inputKeyOf(const std::string& field);

// The text a JSON value types into a field or cell: a string as it stands, a number as its
// shortest text (1000 gives "1000", 1.5 gives "1.5"); nothing for any other value.
std::optional<std::string> textOfValue(const nlohmann::json& value);

// Every key of `obj` must be one of `known`: a misspelt key would otherwise leave a field at
// its default without a word. Otherwise sets `problem` to name the first unknown key, followed
// by `where` (" in \"drag\"", or "").
bool onlyKnownKeys(const nlohmann::json& obj, std::span<const char* const> known, const char* where,
                   std::string& problem);
bool onlyKnownKeys(const nlohmann::json& obj, std::initializer_list<const char*> known,
                   const char* where, std::string& problem);

}  // namespace pile::cli
