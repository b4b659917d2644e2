// A calculation book as data: a list of blocks that say what they are (a title, a numbered
// heading, a label with its value and unit, a formula with its clause, a table of cells with
// captions, the closing lines), free of any toolkit.
//
// Two renderings read the same blocks: bookTextLines() here gives the fixed-pitch lines of the
// book views and the text files (a character of U+1000..U+9FA5 two columns wide), and the
// typeset document (documents/) lays the blocks out on pages. What belongs to the fixed-pitch
// layout only (the column a value is padded to, the blanks of a caption) is kept in fields of
// its own, so a label, unit, caption or formula is written once, in the block.
//
// Program texts (labels, captions, formulas, notes) are written in a small markup: "_{...}"
// marks a subscript and "^{...}" a superscript, as the standard sets them (Q_{uk},
// q_{si}^{n}). The fixed-pitch rendering drops the marks and keeps their content
// (plainText()). Values and table cells are data (numbers, texts as the user typed them) and
// are never read as markup.
#pragma once

#include <string>
#include <string_view>
#include <variant>
#include <vector>

namespace pile {

// The book's title and the pile it is about: "嵌岩桩计算书", section 1 "基桩编号" and "ZH7".
struct BookTitle {
    std::string name;
    std::string number;  // the section number of the pile line, "1"
    std::string label;
    std::string pile;
};

// A numbered heading: level 1 "2.输入数据", level 2 "  2.1 基桩参数". suffix follows the text
// in the fixed-pitch lines only (": " after a heading that a list of lines follows).
struct BookHeading {
    int level = 1;
    std::string number;
    std::string text;  // markup
    std::string suffix;
};

// A label, its value and unit: "桩身直径d" 1000 mm. A line with a number opens a level-2
// section of its own. A long label is printed over several lines (labelLines), the value on the
// last. In the fixed-pitch line the label and its colon are padded to `column` and the value is
// right-aligned in `width` columns.
struct BookValue {
    std::string number;
    std::vector<std::string> labelLines;  // markup; joined, the label
    std::string value;                    // data
    std::string unit;                     // "mm", "kN", "m^2", "%"
    int column = 0;
    int width = 0;
};

// Text that is neither value nor formula: the standard's name, the conditions under which a
// formula applies. The first line is indented by `indent` columns, the others by `continuation`.
struct BookNote {
    std::vector<std::string> lines;  // markup; joined, the note
    int indent = 0;
    int continuation = 0;
};

// A formula of the standard and its clause: Q_{uk}=Q_{sk}+Q_{rk} (5.3.4). A sum whose limits
// are printed on their own lines above and below it has `upper` and `lower`. In the
// fixed-pitch lines the formula starts at `indent`, the clause at `clauseColumn`, and the
// limits at `limitColumn` in lines `limitWidth` columns wide.
struct BookFormula {
    std::string text;    // markup; "." is a product
    std::string clause;  // "5.3.4"; empty for a line of a derivation
    int indent = 0;
    int clauseColumn = 0;
    std::string upper;
    std::string lower;
    int limitColumn = 0;
    int limitWidth = 0;
};

enum class CellAlign { Left, Right, Centre };

// A column of a table: its two caption lines (markup, with the blanks that place them in the
// fixed-pitch line), and how its cells are placed there: `lead` blanks, the cell aligned in
// `width` columns, `gap` blanks.
struct BookColumn {
    std::string caption1;
    std::string caption2;
    int lead = 0;
    int width = 0;
    CellAlign align = CellAlign::Right;
    int gap = 0;
};

// A ruled table: the soil tables of formula two and the summary blocks of section 5. In the
// fixed-pitch lines: a rule of `rule` hyphens, the captions, a rule, the rows, and a closing
// rule when `closed` (consecutive tables share the rule between them).
struct BookTable {
    std::vector<BookColumn> columns;
    std::vector<std::vector<std::string>> rows;  // data, one cell per column
    int indent = 0;
    int rule = 0;
    bool closed = false;
};

// The pile in its soil, for a drawing (the typeset books only; the fixed-pitch lines have no
// lines for it): the layers with their bottom elevations, the ground and the pile top, the
// socket in rock, and over the pile-side part of each layer the negative skin friction used.
struct BookSoilLayer {
    std::string number;
    double top = 0, bottom = 0;    // elevations, m
    std::string bottomText;        // as the book prints it
    bool pile = false;             // the pile runs along (part of) the layer
    double pileTop = 0;            // elevation where the pile-side part starts, m
    double qTop = 0, qBottom = 0;  // q_si^n at the top and bottom of the pile-side part, kPa
    std::string shape;             // the diagram's shape as the book names it
};
// Formula one knows no soil layers: its figure is the pile socketed in rock alone, drawn to scale
// across and along the socket, with the rock named by `rockText` (not empty for such a figure).
struct BookSoilFigure {
    double eg = 0, ep = 0;  // ground and pile top, m
    std::string egText, epText;
    double socket = 0;       // socket depth, m
    std::string socketText;  // as typed
    std::vector<BookSoilLayer> layers;
    std::string rockText;      // the rock, "软岩": a figure of the socket alone
    double diameter = 0;       // the pile's width across, m
    std::string diameterText;  // "d=1000 mm"
};

// The closing rule of "=" and the calculation-time line.
struct BookClosing {
    std::string timeText;
};

using BookBlock = std::variant<BookTitle, BookHeading, BookValue, BookNote, BookFormula, BookTable,
                               BookSoilFigure, BookClosing>;

// The book of one pile.
struct BookModel {
    std::vector<BookBlock> blocks;
};

// The name of a typeset file of these books, without its extension: "计算书_ZH1-ZH12", or
// "计算书_ZH3" for one pile.
std::string bookFileStem(const std::vector<BookModel>& books);

// The markup without its marks: "Q_{uk}" gives "Quk".
std::string plainText(std::string_view markup);

// The fixed-pitch lines of a book.
std::vector<std::string> bookTextLines(const BookModel& book);
// The fixed-pitch lines of one block, appended to `lines`.
void appendTextLines(std::vector<std::string>& lines, const BookBlock& block);

}  // namespace pile
