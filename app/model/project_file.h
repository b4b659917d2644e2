// Project files: everything a user typed into one calculator window, kept as one JSON object in
// the vocabulary pilecalc reads, so that a project is also a request of pilecalc search:
//
//   {"format": "rockpile-project", "version": 1, "formula": 1 | 2,
//    "pile": {the keys of a pilecalc compute line}, "precision": 0..4,
//    "items": [[min, max, step] x 12], "switches": [row 12, row 13] (formula two),
//    "filters": [[min, max] x 2 (formula one) or 4 (formula two)]}
//
// A file is written in UTF-8, indented by two blanks, its keys always in this order, so that two
// saves of one window are the same bytes and a change diffs as the lines it touched. Reading
// refuses anything that is not such an object, naming the key and the line.
#pragma once

#include <nlohmann/json_fwd.hpp>

#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <variant>
#include <vector>

#include "core/pile_input.h"
#include "soil/formula_two.h"

namespace pile {

class CalculatorWindow;

inline constexpr const char* kProjectFormat = "rockpile-project";
inline constexpr int kProjectVersion = 1;
inline constexpr const char* kProjectSuffix = ".rpile.json";
// The name the first save proposes in the Documents folder.
inline constexpr const char* kProjectDefaultName = "嵌岩桩项目.rpile.json";
// A project of twenty layers in both soil screens takes about 4 KB; a file larger than this is
// refused before a byte of it is read, whatever its size.
inline constexpr std::uintmax_t kMaxProjectBytes = 1024 * 1024;

// What a user typed into a window: the controls a project file holds.
struct TypedState {
    int formula = 1;
    InputTexts pile;                              // the input screen
    FormulaTwoSoil soil;                          // formula two: the switches and both soil screens
    int precision = 2;                            // the item of popbox_jingdu
    std::vector<std::vector<std::string>> items;  // item rows 0..11: minimum, maximum, step
    std::vector<std::string> switches;            // formula two: item rows 12 and 13, minimum
    std::vector<std::vector<std::string>> filters;  // each filter row: minimum, maximum
};

// Why a file is not a project, naming the key ("pile.drag.layers[3]") and the line where the
// problem stands (0 when it has no place, such as a file too large to read).
struct ProjectProblem {
    std::string key;
    int line = 0;
    std::string english;  // "must be a text or a number"
    std::string chinese;  // "应为文字或数字"

    // One sentence each: pilecalc's error ("line 5, key \"pile.d\": must be ...") and the
    // window's ("第5行，键“pile.d”：应为...").
    std::string englishText() const;
    std::string chineseText() const;
};

// The state of a window's controls that a project holds.
TypedState typedStateOf(const CalculatorWindow& window);
// Types the state into the window as a user would, through the controls' own handlers: the
// precision (with its popup closed, so nothing is computed), the input screen in the order a
// user fills it, in formula two the soil switches and screens, then every item cell that
// differs from the one shown. The formula must be the window's.
void typeState(CalculatorWindow& window, const TypedState& state);

// The JSON text of a project, ending in a line end.
std::string projectText(const TypedState& state);

// Reads a project from its text or its file. A file larger than kMaxProjectBytes is refused
// without reading it.
std::variant<TypedState, ProjectProblem> readProjectText(const std::string& text);
std::variant<TypedState, ProjectProblem> readProjectFile(const std::filesystem::path& path);

// Writes a project text as every save of the program does: whole or not at all. Throws
// FileWriteError.
void writeProjectFile(const std::filesystem::path& path, const std::string& text);

// The project members of a pilecalc search request ("format", "version", "formula"): a problem
// when they are there and do not describe a project of `formula` this program reads.
std::optional<std::string> projectHeaderProblem(const nlohmann::json& request, int formula);

// The name of a file chosen for a save, ending in ".rpile.json".
std::filesystem::path withProjectSuffix(const std::filesystem::path& chosen);

}  // namespace pile
