// The books' program texts as rich text: the markup of books/book_model.h ("Q_{uk}") becomes
// HTML with subscripts and superscripts, as the standard sets its symbols.
#pragma once

#include <QString>
#include <string_view>

namespace pile::documents {

// Data (a value, a cell as typed) as HTML: escaped, nothing read as markup.
QString htmlText(std::string_view text);

// A program text as HTML: "_{...}" a subscript, "^{...}" a superscript, a "." that stands
// between two letters or symbols (a product in the fixed-pitch formulas) a middle dot, "m^2" m².
QString richText(std::string_view markup);

// A caption of the fixed-pitch tables as one cell's text: without the blanks that place it in
// its line, and without those that spread two characters over a column ("基    桩").
QString captionText(std::string_view markup);

}  // namespace pile::documents
