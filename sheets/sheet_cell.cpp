#include "sheets/sheet_cell.h"

#include <charconv>

namespace pile {

SheetCell readSheetCell(std::string_view text) {
    while (!text.empty() && text.front() == ' ') text.remove_prefix(1);
    while (!text.empty() && text.back() == ' ') text.remove_suffix(1);
    SheetCell cell;
    cell.text = std::string(text);

    std::string_view digits = text;
    bool percent = false;
    if (!digits.empty() && digits.back() == '%') {
        percent = true;
        digits.remove_suffix(1);
    }
    if (!digits.empty() && digits.front() == '-') digits.remove_prefix(1);
    int before = 0, after = 0, significant = 0;
    bool point = false;
    for (const char c : digits) {
        if (c == '.' && !point) {
            point = true;
            continue;
        }
        if (c < '0' || c > '9') return cell;
        if (c != '0' || significant > 0) ++significant;
        (point ? after : before)++;
    }
    // A spreadsheet keeps 15 significant digits: a longer number is kept as the text it is.
    if (before == 0 || (point && after == 0) || significant > 15) return cell;
    cell.kind = SheetCell::Kind::Number;
    // from_chars reads the point whatever the locale.
    const std::string_view number = text.substr(0, text.size() - (percent ? 1 : 0));
    std::from_chars(number.data(), number.data() + number.size(), cell.number);
    cell.decimals = after;
    cell.percent = percent;
    return cell;
}

std::string sheetNumberFormat(int decimals, bool percent) {
    std::string format = "0";
    if (decimals > 0) format += "." + std::string(static_cast<std::size_t>(decimals), '0');
    if (percent) format += "\"%\"";
    return format;
}

}  // namespace pile
