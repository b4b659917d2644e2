// The fixed-pitch rendering of the book blocks.
#include "books/book_model.h"

#include <string>

#include "books/detailed_book.h"
#include "core/text_width.h"

namespace pile {

namespace {

std::string repeat(char c, int n) { return n > 0 ? std::string(static_cast<size_t>(n), c) : ""; }

std::string placed(const std::string& cell, const BookColumn& column) {
    std::string text = Spaces(column.lead);
    switch (column.align) {
        case CellAlign::Left:
            text += PadRight(cell, " ", column.width);
            break;
        case CellAlign::Right:
            text += PadLeft(cell, " ", column.width);
            break;
        case CellAlign::Centre:
            text += PadCenter(cell, " ", column.width);
            break;
    }
    return text + Spaces(column.gap);
}

struct TextRenderer {
    std::vector<std::string>& lines;

    void operator()(const BookTitle& b) const {
        lines.push_back("================== " + b.name + " ==================");
        lines.push_back(b.number + "." + b.label + ": " + b.pile);
    }
    void operator()(const BookHeading& b) const {
        if (b.level == 1)
            lines.push_back(b.number + "." + plainText(b.text) + b.suffix);
        else
            lines.push_back("  " + b.number + " " + plainText(b.text) + b.suffix);
    }
    void operator()(const BookValue& b) const {
        const std::string head = b.number.empty() ? Spaces(6) : "  " + b.number + " ";
        for (size_t i = 0; i + 1 < b.labelLines.size(); ++i)
            lines.push_back((i == 0 ? head : Spaces(10)) + plainText(b.labelLines[i]));
        const std::string last = b.labelLines.empty() ? std::string() : b.labelLines.back();
        std::string line =
            PadRight((b.labelLines.size() > 1 ? Spaces(10) : head) + plainText(last) + ":", " ",
                     b.column) +
            PadLeft(b.value, " ", b.width);
        if (!b.unit.empty()) line += (b.unit == "%" ? "" : " ") + b.unit;
        lines.push_back(std::move(line));
    }
    void operator()(const BookNote& b) const {
        for (size_t i = 0; i < b.lines.size(); ++i)
            lines.push_back(Spaces(i == 0 ? b.indent : b.continuation) + plainText(b.lines[i]));
    }
    void operator()(const BookFormula& b) const {
        const auto limit = [&](const std::string& text) {
            lines.push_back(PadRight(Spaces(b.limitColumn) + plainText(text), " ", b.limitWidth));
        };
        if (!b.upper.empty()) limit(b.upper);
        std::string line = PadRight(Spaces(b.indent) + plainText(b.text), " ", b.clauseColumn);
        if (!b.clause.empty()) line += "(" + b.clause + ")";
        lines.push_back(std::move(line));
        if (!b.lower.empty()) limit(b.lower);
    }
    void operator()(const BookTable& b) const {
        const std::string rule = Spaces(b.indent) + repeat('-', b.rule);
        std::string caption1 = Spaces(b.indent);
        std::string caption2 = Spaces(b.indent);
        for (const BookColumn& column : b.columns) {
            caption1 += plainText(column.caption1);
            caption2 += plainText(column.caption2);
        }
        lines.push_back(rule);
        lines.push_back(std::move(caption1));
        lines.push_back(std::move(caption2));
        lines.push_back(rule);
        for (const std::vector<std::string>& row : b.rows) {
            std::string line = Spaces(b.indent);
            for (size_t i = 0; i < row.size() && i < b.columns.size(); ++i)
                line += placed(row[i], b.columns[i]);
            lines.push_back(std::move(line));
        }
        if (b.closed) lines.push_back(rule);
    }
    // A drawing has no fixed-pitch lines.
    void operator()(const BookSoilFigure&) const {}
    void operator()(const BookClosing& b) const {
        lines.push_back(kBookClosingRule);
        lines.push_back(kTimeLinePrefix + b.timeText);
    }
};

}  // namespace

std::string plainText(std::string_view markup) {
    std::string text;
    text.reserve(markup.size());
    int depth = 0;
    for (size_t i = 0; i < markup.size(); ++i) {
        const char c = markup[i];
        if ((c == '_' || c == '^') && i + 1 < markup.size() && markup[i + 1] == '{') {
            ++depth;
            ++i;
        } else if (c == '}' && depth > 0) {
            --depth;
        } else {
            text += c;
        }
    }
    return text;
}

void appendTextLines(std::vector<std::string>& lines, const BookBlock& block) {
    std::visit(TextRenderer{lines}, block);
}

std::string bookFileStem(const std::vector<BookModel>& books) {
    std::vector<std::string> piles;
    for (const BookModel& book : books)
        for (const BookBlock& block : book.blocks)
            if (const auto* title = std::get_if<BookTitle>(&block)) piles.push_back(title->pile);
    std::string stem = "计算书";
    if (!piles.empty()) stem += "_" + piles.front();
    if (piles.size() > 1) stem += "-" + piles.back();
    return stem;
}

std::vector<std::string> bookTextLines(const BookModel& book) {
    std::vector<std::string> lines;
    for (const BookBlock& block : book.blocks) appendTextLines(lines, block);
    return lines;
}

}  // namespace pile
