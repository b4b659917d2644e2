// The books of formula two: the 250-column summary table, the soil sections of the detailed
// book, the nine negative-friction tables and the window books of a formula-two window.
#include "books/formula_two_book.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <stdexcept>

#include "books/window_books.h"
#include "core/text_width.h"
#include "tests/books/book_fixture.h"

namespace pile {
namespace {

using test::columns;
using test::screenTexts;

constexpr const char* kTime = "2026-12-10 12:00:00";

struct FormulaTwoPile {
    test::ComputedPile pile;
    FormulaTwoRun run;
};

// Soil switches and screens; the screens hold a new window's defaults.
FormulaTwoSoil soilWith(bool dragLoad, bool sideResistance) {
    FormulaTwoSoil soil;
    soil.dragLoad = dragLoad;
    soil.sideResistance = sideResistance;
    return soil;
}

// The pile computed as the input screen computes it, then the soil terms for its section.
FormulaTwoPile computeTwo(const InputTexts& texts, const FormulaTwoSoil& soil,
                          RoundingMode mode = RoundingMode::Units) {
    FormulaTwoPile out{test::compute(texts), {}};
    const PileSection section{out.pile.input.section, out.pile.input.sizeText1,
                              out.pile.input.sizeText2};
    out.run = computeFormulaTwo(out.pile.result, section, soil, mode);
    return out;
}

BookLines bookOf(const FormulaTwoPile& p, RoundingMode mode = RoundingMode::Units, int n = 1) {
    return formulaTwoBookLines(p.pile.input, p.run, p.pile.rockClassName, mode, n, kTime);
}

size_t indexOf(const BookLines& lines, const std::string& line) {
    return static_cast<size_t>(std::find(lines.begin(), lines.end(), line) - lines.begin());
}

bool startsWith(const std::string& s, const std::string& prefix) { return s.rfind(prefix, 0) == 0; }

// Twenty negative-friction layers 1 m thick (bottoms -1.300 ... -20.300) under a pile top at
// -2.900: layers 1 and 2 carry no pile, layer 3 holds the pile top, the rest lie along the pile.
FormulaTwoSoil twentyLayers() {
    FormulaTwoSoil soil = soilWith(true, true);
    soil.drag.ep = "-2.900";
    soil.drag.layers.assign(20, SoilLayer::blank());
    for (int i = 0; i < 20; ++i) {
        SoilLayer& l = soil.drag.layers[static_cast<size_t>(i)];
        l.bottom = FormatFixed(-0.3 - (i + 1), 10, 3);
        l.unitWeight = i % 2 ? "18.5" : "17.00";
        l.xi = "0.25";
        l.qsik = i < 10 ? "30.00" : "45";
    }
    soil.side.layers.assign(20, SideLayer{"1.000", "35.00"});
    return soil;
}

// ---------------------------------------------------------------------------------------
// Summary table

TEST(FormulaTwoSummaryTable, HeaderAndFooterAre250Wide) {
    const auto header = summaryTableHeader(formulaTwoTableLayout());
    ASSERT_EQ(header.size(), 5u);
    EXPECT_EQ(header[0], std::string(118, '=') + " 嵌岩桩计算书 " + std::string(118, '='));
    EXPECT_EQ(header[1], std::string(250, '-'));
    EXPECT_EQ(header[4], header[1]);
    EXPECT_EQ(DisplayWidth(header[2]), 250);
    EXPECT_EQ(DisplayWidth(header[3]), 247);  // as written: its Greek letters take one column
    const auto footer = summaryTableFooter(formulaTwoTableLayout(), "T");
    ASSERT_EQ(footer.size(), 4u);
    EXPECT_EQ(footer[0], std::string(250, '-'));
    EXPECT_EQ(footer[2], std::string(250, '='));
    EXPECT_EQ(footer[3], "计算时间：T");
}

struct RowTailCase {
    const char* name;
    RoundingMode mode;
    FormulaTwoSoil soil;
    // The cells of Rc, Qgn, [Nk] and [N].
    std::array<const char*, 4> tail;
};

// Default pile: Rc 7861.84, Qgn 604.23; Ra 8410.31 without and 9038.63 with side resistance,
// [N] = Rc - 1.2 Qgn = 7136.76.
TEST(FormulaTwoSummaryTable, LastCellsFollowTheRoundingMode) {
    // clang-format off
    const RowTailCase cases[] = {
        {"two decimals", RoundingMode::TwoDecimals, soilWith(true, true),
         {" 7861.84  ", "  604.23  ", " 9038.63  ", " 7136.76 "}},
        {"one decimal", RoundingMode::OneDecimal, soilWith(true, true),
         {"  7861.8  ", "   604.2  ", "  9038.6  ", "  7136.8 "}},
        {"units", RoundingMode::Units, soilWith(true, true),
         {"   7862   ", "    604   ", "   9039   ", "   7137  "}},
        {"tens: right-aligned in 7, then 3, 3 and 2 blanks", RoundingMode::Tens,
         soilWith(true, true), {"   7860   ", "    600   ", "   9030   ", "   7130  "}},
        {"hundreds", RoundingMode::Hundreds, soilWith(true, true),
         {"   7800   ", "    600   ", "   9000   ", "   7100  "}},
        {"no soil terms: Qgn 0, [Nk] = Ra, [N] = Rc", RoundingMode::Units, soilWith(false, false),
         {"   7862   ", "      0   ", "   8410   ", "   7862  "}},
    };
    // clang-format on
    for (const RowTailCase& c : cases) {
        SCOPED_TRACE(c.name);
        const FormulaTwoPile p = computeTwo(InputTexts{}, c.soil, c.mode);
        const auto cells = formulaTwoSummaryRowCells(p.pile.input, p.run, c.mode, 1);
        ASSERT_EQ(cells.size(), 25u);
        // Up to psi_c the row is the formula-one row of the pile as formula two computed it.
        const auto one = summaryRowCells(p.pile.input, p.run.result.pile, c.mode, 1);
        EXPECT_TRUE(std::equal(one.begin(), one.end() - 1, cells.begin()));
        for (size_t k = 0; k < 4; ++k) EXPECT_EQ(cells[21 + k], c.tail[k]) << "cell " << 22 + k;
    }
}

// Piles of every kind in every rounding mode, with and without the soil terms: every line is
// as wide as the table (the literal second caption line, the note and the time line excepted)
// and every cell starts at the column of its caption.
TEST(FormulaTwoSummaryTable, LinesHaveTheTableWidthAndCellsLieUnderTheirCaptions) {
    WindowBooks books(formulaTwoTableLayout());
    std::vector<std::string> rows;
    const FormulaTwoSoil soils[] = {soilWith(true, true), soilWith(false, false)};
    for (int m = 0; m <= 4; ++m) {
        const auto mode = static_cast<RoundingMode>(m);
        for (const FormulaTwoSoil& soil : soils) {
            for (const InputTexts& texts : test::pilesOfAllKinds()) {
                const FormulaTwoPile p = computeTwo(texts, soil, mode);
                const int n = books.appendFormulaTwoPile(p.pile.input, p.run, p.pile.rockClassName,
                                                         mode, kTime);
                const auto cells = formulaTwoSummaryRowCells(p.pile.input, p.run, mode, n);
                int start = 0;
                for (size_t k = 0; k < cells.size(); ++k) {
                    // 11 columns for the pile number, 10 for every other cell.
                    EXPECT_EQ(start, k == 0 ? 0 : 11 + 10 * static_cast<int>(k - 1))
                        << "row " << n << " cell " << k + 1;
                    start += DisplayWidth(cells[k]);
                }
                rows.push_back(formulaTwoSummaryRow(p.pile.input, p.run, mode, n));
            }
        }
    }
    const std::vector<std::string>& table = books.tableLines();
    ASSERT_EQ(table.size(), 5 + rows.size() + 4);
    EXPECT_TRUE(std::equal(rows.begin(), rows.end(), table.begin() + 5));
    for (size_t i = 0; i < table.size(); ++i) {
        int expected = 250;
        if (i == 3) expected = 247;
        if (i == table.size() - 3 || i == table.size() - 1) expected = DisplayWidth(table[i]);
        EXPECT_EQ(DisplayWidth(table[i]), expected) << "line " << i + 1;
    }

    // Each caption of the first caption line starts where its cell starts and ends with a blank
    // before the next one.
    const std::string& caption = table[2];
    for (int k = 0; k < 25; ++k) {
        const int from = k == 0 ? 0 : 11 + 10 * (k - 1);
        const int to = k == 0 ? 11 : from + (k == 24 ? 9 : 10);
        const std::string head = columns(caption, from, to);
        EXPECT_NE(head.substr(k == 0 ? 1 : 0, 1), " ") << "no caption at cell " << k + 1;
        EXPECT_EQ(head.back(), ' ') << "cell " << k + 1;
    }
    EXPECT_EQ(columns(caption, 221, 250), "下拉荷载  标准荷载  设计荷载 ");
}

// ---------------------------------------------------------------------------------------
// Detailed book

// Without either soil term the book is the formula-one book with the "not considered" lines,
// clause 5.4.2-1, and a third summary block of Qgn 0, [Nk] = Ra, [N] = Rc and "正常".
TEST(FormulaTwoBook, WithoutSoilTermsIsTheFormulaOneBookWithItsAdditions) {
    for (const InputTexts& texts : test::pilesOfAllKinds()) {
        const FormulaTwoPile p = computeTwo(texts, soilWith(false, false));
        SCOPED_TRACE(p.pile.input.sizeText1 + " " + p.pile.input.processText);
        BookLines book = bookOf(p);
        const BookLines one = detailedBookLines(p.pile.input, p.pile.result, p.pile.rockClassName,
                                                RoundingMode::Units, 1, kTime);

        const size_t noDrag = indexOf(book, "  2.4 桩侧土负摩阻力不考虑。");
        ASSERT_LT(noDrag, book.size());
        EXPECT_TRUE(startsWith(book[noDrag - 1], "  2.3 基桩成桩工艺:"));
        EXPECT_EQ(book[noDrag + 1], "  2.5 桩侧土体侧阻力不考虑。");
        const size_t nk = indexOf(book, "              Nk≤Ra                (5.4.2-1)");
        ASSERT_LT(nk, book.size());
        EXPECT_EQ(book[nk + 1], "        1.2Qgn+γ0.N≤ψc.fc.A        (5.4.5)");
        EXPECT_LT(indexOf(book, "  4.4 土的总极限侧阻力标准值Qsk(不考虑): 0.00 kN"), book.size());
        const size_t qgn = indexOf(book, "  4.7 桩侧土体引起的下拉荷载Qgn(不考虑): 0.00 kN");
        ASSERT_LT(qgn, book.size());
        EXPECT_TRUE(startsWith(book[qgn - 1], "      桩身正截面受压承载力设计值Rc:"));
        EXPECT_EQ(book[qgn + 1], "5.基桩主要数据汇总");
        EXPECT_EQ(indexOf(book, "              Qgn+Nk≤1.5Ra         (5.4.2-2)"), book.size());
        EXPECT_EQ(indexOf(book, "  4.8 单桩竖向荷载标准值限值[Nk]:  "), book.size());

        const std::string ra =
            PadCenter(FormatResult(p.pile.result.Ra, RoundingMode::Units, 10), " ", 8);
        const std::string rc =
            PadCenter(FormatResult(p.pile.result.Rc, RoundingMode::Units, 10), " ", 8);
        const std::vector<std::string> block = {"      ---------------------------------------",
                                                "      下拉荷载  标准荷载  设计荷载  竖向荷载 ",
                                                "       Qgn(kN)  限值[Nk]  限值 [N]  限值判定 ",
                                                "      ---------------------------------------",
                                                Spaces(6) + "    0   " + Spaces(2) + ra +
                                                    Spaces(2) + rc + Spaces(2) + "  正常  " +
                                                    Spaces(1)};
        ASSERT_GE(book.size(), 8u);
        EXPECT_TRUE(std::equal(block.begin(), block.end(), book.end() - 8));

        // Taking the additions out leaves the formula-one book line for line.
        book.erase(book.end() - 8, book.end() - 3);
        book.erase(book.begin() + static_cast<long>(qgn));
        book.erase(book.begin() + static_cast<long>(nk));
        book.erase(book.begin() + static_cast<long>(noDrag),
                   book.begin() + static_cast<long>(noDrag) + 2);
        EXPECT_EQ(book, one);
    }
}

// Defaults with negative friction on: one layer, its shape centred in 24 columns, Qgn 604.23.
TEST(FormulaTwoBook, DefaultNegativeFriction) {
    const BookLines book = bookOf(computeTwo(InputTexts{}, soilWith(true, false)));
    EXPECT_LT(indexOf(book, "       1                 梯形+矩形             "), book.size());
    EXPECT_LT(indexOf(book, "      桩侧土体引起的下拉荷载Qgn:       604.23 kN"), book.size());
    // [Nk] = Ra = 8410.31 (Qgn < Ra/2), [N] = 7861.84 - 1.2 * 604.23.
    const std::vector<std::string> limits = {"      桩侧土体引起的下拉荷载Qgn:       604.23 kN",
                                             "  4.8 单桩竖向荷载标准值限值[Nk]:     8410.31 kN",
                                             "      限值与承载力特征值比[Nk]/Ra:    100.00%",
                                             "  4.9 结构重要性系数γ0:                  1.0",
                                             "      单桩竖向荷载设计值限值[N]:      7136.76 kN",
                                             "      限值与桩身承载力设计值比[N]/Rc:  90.78%",
                                             "5.基桩主要数据汇总"};
    const size_t at = indexOf(book, limits.front());
    ASSERT_LE(at + limits.size(), book.size());
    EXPECT_TRUE(std::equal(limits.begin(), limits.end(), book.begin() + static_cast<long>(at)));
    EXPECT_LT(indexOf(book, "  2.5 桩侧土体侧阻力不考虑。"), book.size());
    EXPECT_LT(indexOf(book, "  4.4 土的总极限侧阻力标准值Qsk(不考虑): 0.00 kN"), book.size());
}

// The soil tables for 1 and 20 layers: rules and rows as wide as the table, every cell ending
// in its column, one row per layer in each of the nine 4.7 tables.
TEST(FormulaTwoBook, SoilTablesForOneAndTwentyLayers) {
    struct Case {
        const char* name;
        FormulaTwoSoil soil;
        size_t layers;
    };
    const Case cases[] = {{"one layer", soilWith(true, true), 1},
                          {"twenty layers", twentyLayers(), 20}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const BookLines book = bookOf(computeTwo(InputTexts{}, c.soil));

        // Section 2.4: rows of 48 columns framed by a rule of 42 hyphens.
        const std::string dragRule = Spaces(6) + std::string(42, '-');
        const size_t d = indexOf(book, "      考虑负摩阻力土层数m:         " +
                                           PadLeft(std::to_string(c.layers), " ", 10));
        ASSERT_LT(d, book.size());
        EXPECT_EQ(book[d + 1], dragRule);
        EXPECT_EQ(book[d + 4], dragRule);
        EXPECT_EQ(book[d + 5 + c.layers], dragRule);
        for (size_t i = 0; i < c.layers; ++i) {
            const std::string& row = book[d + 5 + i];
            EXPECT_EQ(DisplayWidth(row), 48) << row;
            EXPECT_EQ(columns(row, 6, 8), PadLeft(std::to_string(i + 1), " ", 2));
        }

        // Section 2.5: rows of 28 columns.
        const size_t s = indexOf(book, "      考虑侧阻力土层数n:           " +
                                           PadLeft(std::to_string(c.layers), " ", 10));
        ASSERT_LT(s, book.size());
        for (size_t i = 0; i < c.layers; ++i) EXPECT_EQ(DisplayWidth(book[s + 5 + i]), 28);
        EXPECT_EQ(book[s + 5 + c.layers], Spaces(6) + std::string(22, '-'));

        // Section 4.4: two tables of 38 columns, then Qsk.
        const size_t q = indexOf(book, "  4.4 桩侧土侧阻力");
        ASSERT_LT(q, book.size());
        const std::string sideRule = Spaces(6) + std::string(32, '-');
        for (size_t i = 0; i < c.layers; ++i) {
            EXPECT_EQ(DisplayWidth(book[q + 5 + i]), 38);
            EXPECT_EQ(DisplayWidth(book[q + 9 + c.layers + i]), 38);
        }
        EXPECT_EQ(book[q + 5 + c.layers], sideRule);
        EXPECT_EQ(book[q + 9 + 2 * c.layers], sideRule);
        EXPECT_TRUE(startsWith(book[q + 10 + 2 * c.layers], "      土的总极限侧阻力标准值Qsk:   "));

        // Section 4.7: nine tables of a rule, two headings, a rule and one row per layer, then
        // a closing rule.
        const std::string rule = Spaces(6) + std::string(41, '-');
        const size_t t = indexOf(book, "  4.7 桩侧土负摩阻力");
        ASSERT_LT(t, book.size());
        for (size_t table = 0; table < 9; ++table) {
            SCOPED_TRACE("table " + std::to_string(table + 1));
            const size_t first = t + 1 + table * (4 + c.layers);
            EXPECT_EQ(book[first], rule);
            EXPECT_TRUE(startsWith(book[first + 1], "      土 ")) << book[first + 1];
            EXPECT_TRUE(startsWith(book[first + 2], "      层 ")) << book[first + 2];
            EXPECT_EQ(book[first + 3], rule);
            for (size_t i = 0; i < c.layers; ++i) {
                const std::string& row = book[first + 4 + i];
                EXPECT_EQ(DisplayWidth(row), 47) << row;
                EXPECT_EQ(columns(row, 0, 8), Spaces(6) + PadLeft(std::to_string(i + 1), " ", 2));
                if (table < 8) {
                    // Cells end in columns 21, 33 and 46, each after at least one blank.
                    for (const auto& [from, to] : {std::pair{8, 21}, {21, 33}, {33, 46}}) {
                        const std::string cell = columns(row, from, to);
                        EXPECT_EQ(cell.front(), ' ') << row;
                        EXPECT_NE(cell.back(), ' ') << row;
                    }
                }
            }
        }
        EXPECT_EQ(book[t + 1 + 9 * (4 + c.layers)], rule);
        EXPECT_TRUE(
            startsWith(book[t + 2 + 9 * (4 + c.layers)], "      桩侧土体引起的下拉荷载Qgn:"));
    }
}

// Layers above the pile top print "-" in the pile-side cells; the shape table shows "-".
TEST(FormulaTwoBook, LayersWithoutPileShowDashes) {
    const BookLines book = bookOf(computeTwo(InputTexts{}, twentyLayers()));
    const size_t t = indexOf(book, "  4.7 桩侧土负摩阻力");
    ASSERT_LT(t, book.size());
    const size_t rowsPerTable = 4 + 20;
    // Table 3, layer 1: li "0.00", sigma_ipu' and sigma_rip' "-".
    EXPECT_EQ(book[t + 1 + 2 * rowsPerTable + 4],
              "       1         0.00           -            - ");
    // Table 9, layer 2: no shape.
    EXPECT_EQ(book[t + 1 + 8 * rowsPerTable + 5],
              "       2                     -                 ");
}

// Soil inputs are printed as typed; p, Eg and Ep as the calculation read them.
TEST(FormulaTwoBook, SoilInputsAsTypedAndAsRead) {
    FormulaTwoSoil soil = soilWith(true, true);
    soil.drag.p = "-5";      // printed as entered, although the calculation uses 0
    soil.drag.eg = "-0.3m";  // read leniently as -0.3
    soil.drag.ep = " ";      // blank: read as 0
    soil.drag.layers[0] = SoilLayer{"", "-10", "17", "-0.3", "25.5"};
    soil.side.layers[0] = SideLayer{"10", "40"};
    const BookLines book = bookOf(computeTwo(InputTexts{}, soil));
    const std::vector<std::string> expected = {"  2.4 桩侧土体负摩阻力参数",
                                               "      地面大面积荷载p:                  -5.00 kPa",
                                               "      地面标高Eg:                      -0.300 m",
                                               "      桩顶标高Ep:                       0.000 m",
                                               "      考虑负摩阻力土层数m:                  1",
                                               "      ------------------------------------------",
                                               "      土  层底标高  土体重度  负摩阻力  土层侧阻",
                                               "      层    Ei(m)  γi(kN/m3) 系数ξni  qsik(kPa)",
                                               "      ------------------------------------------",
                                               "       1       -10       17     -0.3       25.5 ",
                                               "      ------------------------------------------",
                                               "  2.5 桩侧土体侧阻力参数",
                                               "      考虑侧阻力土层数n:                    1",
                                               "      ----------------------",
                                               "      土  土层厚度  土层侧阻",
                                               "      层    li(m)  qsik(kPa)",
                                               "      ----------------------",
                                               "       1       10        40 ",
                                               "      ----------------------",
                                               "3.采用规范及公式"};
    const size_t at = indexOf(book, expected.front());
    ASSERT_LE(at + expected.size(), book.size());
    EXPECT_TRUE(std::equal(expected.begin(), expected.end(), book.begin() + static_cast<long>(at)));
    // Tables 1 and 4 print Ei and xi_ni as typed, the negative coefficient uncorrected.
    EXPECT_LT(indexOf(book, "       1          -10        9.70         0.00 "), book.size());
    EXPECT_NE(std::find_if(book.begin(), book.end(),
                           [](const std::string& l) {
                               return startsWith(l, "       1 ") && l.size() > 40 &&
                                      l.substr(l.size() - 8) == "   -0.3 ";
                           }),
              book.end());
}

// Rounding mode tens: section 5 follows it, sections 4.7 to 4.9 keep two decimals.
TEST(FormulaTwoBook, RoundingModeAppliesToTheSummaryBlocksOnly) {
    const FormulaTwoPile p = computeTwo(InputTexts{}, soilWith(true, true), RoundingMode::Tens);
    const BookLines book = bookOf(p, RoundingMode::Tens);
    EXPECT_LT(indexOf(book, "      桩侧土体引起的下拉荷载Qgn:       604.23 kN"), book.size());
    EXPECT_LT(indexOf(book, "  4.8 单桩竖向荷载标准值限值[Nk]:     9038.63 kN"), book.size());
    EXPECT_LT(indexOf(book, "      单桩竖向荷载设计值限值[N]:      7136.76 kN"), book.size());
    EXPECT_EQ(book[book.size() - 4], "         600      9030      7130      正常   ");
    EXPECT_EQ(book[book.size() - 9], "        1.0d      25.00     9030      7860   ");
}

// A down-drag load larger than both limits allow: negative limits are booked, verdict "异常".
TEST(FormulaTwoBook, NegativeLimitsAreBookedWithTheirVerdict) {
    FormulaTwoSoil soil = soilWith(true, false);
    soil.drag.p = "200";
    soil.drag.layers[0] = SoilLayer{"", "-100", "20", "0.5", "200"};
    const FormulaTwoPile p = computeTwo(InputTexts{}, soil);
    ASSERT_EQ(p.run.result.verdict, LimitVerdict::BothAbnormal);
    const BookLines book = bookOf(p);
    const std::string& row = book[book.size() - 4];
    EXPECT_EQ(DisplayWidth(row), 45);
    EXPECT_EQ(columns(row, 36, 44), "  异常  ");
    const double nk = *p.run.result.pile.NkLimit;
    EXPECT_LT(indexOf(book, "  4.8 单桩竖向荷载标准值限值[Nk]:  " +
                                PadLeft(FormatFixed(nk, 10, 2), " ", 10) + " kN"),
              book.size());
    EXPECT_LT(
        indexOf(book, "      限值与承载力特征值比[Nk]/Ra: " +
                          PadLeft(FormatFixed(100 * nk / p.run.result.pile.Ra, 10, 2), " ", 9) +
                          "%"),
        book.size());
}

// Ra = 0 (a negative side resistance cancelling Qrk) has no [Nk]/Ra ratio: it prints 0%.
TEST(FormulaTwoBook, ZeroRaGivesAZeroPercentage) {
    FormulaTwoPile p = computeTwo(InputTexts{}, soilWith(true, false));
    p.run.result.pile.Ra = 0;
    p.run.result.pile.NkLimit = -604.23;
    BookModel book;
    appendNegativeFriction(book, p.run);
    const BookLines lines = bookTextLines(book);
    EXPECT_LT(indexOf(lines, "      限值与承载力特征值比[Nk]/Ra:      0.00%"), lines.size());
}

// ---------------------------------------------------------------------------------------
// Window books of a formula-two window

TEST(FormulaTwoWindowBooks, AppendAndDeleteLast) {
    WindowBooks books(formulaTwoTableLayout());
    const FormulaTwoPile first = computeTwo(InputTexts{}, soilWith(true, true));
    const FormulaTwoPile second =
        computeTwo(screenTexts(SectionType::Ellipse), soilWith(false, true));
    EXPECT_EQ(books.appendFormulaTwoPile(first.pile.input, first.run, first.pile.rockClassName,
                                         RoundingMode::Units, "T1"),
              1);
    const std::vector<std::string> afterOne = books.detailedLines();
    const std::vector<std::string> tableAfterOne = books.tableLines();
    EXPECT_EQ(books.appendFormulaTwoPile(second.pile.input, second.run, second.pile.rockClassName,
                                         RoundingMode::Units, "T2"),
              2);
    EXPECT_EQ(std::count_if(books.detailedLines().begin(), books.detailedLines().end(),
                            [](const std::string& l) { return startsWith(l, kTimeLinePrefix); }),
              1);
    EXPECT_EQ(books.detailedLines().back(), "计算时间：T2");
    EXPECT_EQ(books.tableLines().size(), 5u + 2u + 4u);
    EXPECT_EQ(books.tableLines()[6],
              formulaTwoSummaryRow(second.pile.input, second.run, RoundingMode::Units, 2));

    books.deleteLast();
    EXPECT_EQ(books.pileCounter(), 1);
    // The first book with the latest time line, the table with the latest footer.
    std::vector<std::string> expected = afterOne;
    expected.back() = "计算时间：T2";
    EXPECT_EQ(books.detailedLines(), expected);
    std::vector<std::string> table = tableAfterOne;
    table.back() = "计算时间：T2";
    EXPECT_EQ(books.tableLines(), table);
}

TEST(FormulaTwoWindowBooks, RefusedByFormulaOneBooks) {
    WindowBooks books;
    const FormulaTwoPile p = computeTwo(InputTexts{}, soilWith(true, true));
    EXPECT_THROW(books.appendFormulaTwoPile(p.pile.input, p.run, p.pile.rockClassName,
                                            RoundingMode::Units, "T"),
                 std::logic_error);
    EXPECT_EQ(books.pileCounter(), 0);
    EXPECT_TRUE(books.tableLines().empty());
    EXPECT_TRUE(books.detailedLines().empty());
}

}  // namespace
}  // namespace pile
