// What a cell of a table or list becomes in a spreadsheet: a number where its text is one, kept
// with the decimals the text shows, else the text.
#pragma once

#include <string>
#include <string_view>

namespace pile {

struct SheetCell {
    enum class Kind { Text, Number };
    Kind kind = Kind::Text;
    double number = 0;     // the text read as a number
    int decimals = 0;      // digits after the point in the text
    bool percent = false;  // "85%": the number 85, shown with its sign
    std::string text;      // the text without the blanks that pad it
};

// "8332" and "-12.50" are numbers, "85%" a number shown as a percent; "-", "ZH-001", "2.0d",
// "C30", "1e5" and a number of more than 15 significant digits stay text.
SheetCell readSheetCell(std::string_view text);

// The number format of a cell: "0", "0.00", "0\"%\"".
std::string sheetNumberFormat(int decimals, bool percent);

}  // namespace pile
