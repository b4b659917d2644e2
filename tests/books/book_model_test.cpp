// The book as blocks: the markup of program texts, and the fixed-pitch placing of each kind of
// block (the books' golden tests check the whole books).
#include <gtest/gtest.h>

#include "books/book_model.h"

namespace pile {
namespace {

TEST(BookModel, PlainTextDropsTheMarksOnly) {
    struct Case {
        const char* markup;
        const char* plain;
    };
    const Case cases[] = {
        {"Q_{uk}", "Quk"}, {"q_{si}^{n}_{pu}", "qsinpu"}, {"σ_{ri}'=∑γ_{e}.△z_{e}", "σri'=∑γe.△ze"},
        {"m^2", "m^2"},    // a caret without a brace is text
        {"a_b}", "a_b}"},  // so is an underscore, and a brace that closes nothing
        {"x_{", "x"},      // an open mark at the end
        {"", ""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.markup);
        EXPECT_EQ(plainText(c.markup), c.plain);
    }
}

TEST(BookModel, ValueLinesPadLabelAndValueAndWrapLongLabels) {
    BookModel book;
    book.blocks.push_back(BookValue{"4.5", {"极限Q_{uk}"}, "12.50", "kN", 20, 8});
    book.blocks.push_back(BookValue{{}, {"第一行", "第二行"}, "是", {}, 0, 4});
    book.blocks.push_back(BookValue{{}, {"比"}, "85.00", "%", 0, 7});
    const std::vector<std::string> expected = {
        "  4.5 极限Quk:         12.50 kN",
        "      第一行",
        "          第二行:  是",
        "      比:  85.00%",
    };
    EXPECT_EQ(bookTextLines(book), expected);
}

TEST(BookModel, TablesShareRulesAndFormulasPlaceLimitsAndClause) {
    BookModel book;
    const BookColumn number{"土 ", "层 ", 0, 2, CellAlign::Right, 1};
    const BookColumn name{"名称", "  ", 1, 4, CellAlign::Centre, 0};
    book.blocks.push_back(BookTable{{number, name}, {{"1", "ab"}, {"12", "长"}}, 2, 6, false});
    book.blocks.push_back(BookTable{{number, name}, {}, 2, 6, true});
    // "∑" takes two columns.
    book.blocks.push_back(BookFormula{"Q_{g}^{n}=∑q", "5.4.3-1", 1, 10, "n", "i=1", 6, 9});
    const std::vector<std::string> expected = {
        "  ------",           "  土 名称", "  层   ", "  ------", "   1   ab ", "  12   长 ",
        "  ------",           "  土 名称", "  层   ", "  ------", "  ------",   "      n  ",
        " Qgn=∑q  (5.4.3-1)", "      i=1",
    };
    EXPECT_EQ(bookTextLines(book), expected);
}

}  // namespace
}  // namespace pile
