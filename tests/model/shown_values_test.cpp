// One text for each shown result: a pile whose Ra is not a round number shows the same Ra and
// Rc in the window, the detailed book, the summary table, the list and the list file, in every
// rounding mode.
#include <gtest/gtest.h>

#include <sstream>
#include <string>
#include <vector>

#include "app/model/formula_one_window.h"
#include "tests/model/fake_platform.h"

namespace pile {
namespace {

std::vector<std::string> words(const std::string& line) {
    std::istringstream in(line);
    std::vector<std::string> out;
    for (std::string w; in >> w;) out.push_back(w);
    return out;
}

bool containsWord(const std::string& line, const std::string& word) {
    for (const std::string& w : words(line))
        if (w == word) return true;
    return false;
}

TEST(ShownValues, RaAndRcAgreeEverywhereInEveryMode) {
    // A circle on fuk = 24 MPa: Ra = 8331.5 kN, Rc = 10108.07 kN.
    const char* const expectedRa[] = {"8331.50", "8331.5", "8332", "8330", "8300"};
    const char* const expectedRc[] = {"10108.07", "10108.1", "10108", "10100", "10100"};
    for (int mode = 0; mode <= 4; ++mode) {
        SCOPED_TRACE(mode);
        test::FakePlatform fake;
        FormulaOneWindow window(fake.platform);
        InputScreen& input = window.inputScreen();
        input.popbox_jingdu.pick(mode);
        input.rdb_fuk.select();
        input.edt_fuk.setText("24");
        input.cbt_computeClick();
        const std::string ra = input.edt_ra.text(), rc = input.edt_rc.text();
        EXPECT_EQ(ra, expectedRa[mode]);
        EXPECT_EQ(rc, expectedRc[mode]);

        // The detailed book's summary block: depth, strength, Ra, Rc.
        const auto& book = window.bookScreen().meo_jisuanjieguo_Doc.lines();
        size_t header = 0;
        while (header < book.size() && book[header].find("Ra(kN)") == std::string::npos) ++header;
        ASSERT_LT(header + 2, book.size());
        const std::vector<std::string> cells = words(book[header + 2]);
        ASSERT_EQ(cells.size(), 4u) << book[header + 2];
        EXPECT_EQ(cells[2], ra);
        EXPECT_EQ(cells[3], rc);

        // The summary table's row of the pile.
        const auto& table = window.bookScreen().meo_jisuanjieguo_Xls.lines();
        const auto row = std::find_if(table.begin(), table.end(), [](const std::string& line) {
            return words(line).size() > 10 && words(line)[0] == "ZH1";
        });
        ASSERT_NE(row, table.end());
        EXPECT_TRUE(containsWord(*row, ra)) << *row;
        EXPECT_TRUE(containsWord(*row, rc)) << *row;

        // A search of this one pile: its list cell and its list file row.
        window.cbt_YouHuaClick();
        OptimisationScreen& screen = window.optimisationScreen();
        Grid& items = screen.Grid1_Youhuaxuanxiang;
        const char* const one[][3] = {
            {"1", "1", "1"},        {"1000", "1000", "1"}, {"1000", "1000", "1"},
            {"2000", "2000", "1"},  {"1500", "1500", "1"}, {"1000", "1000", "1"},
            {"1.0d", "1.0d", "1d"}, {"2", "2", "1"},       {"35", "35", "1"},
            {"24", "24", "1"},      {"C30", "C30", "5"},   {"1", "1", "1"}};
        for (int r = 0; r < 12; ++r)
            for (int c = 0; c < 3; ++c) items.editCell(r, c + 1, one[r][c]);
        screen.cbt_YHcomputeClick();
        ASSERT_EQ(screen.rawList().size(), 1u);
        EXPECT_EQ(screen.rawList().fieldText(0, ListField::Ra), ra);
        EXPECT_EQ(screen.rawList().fieldText(0, ListField::Rc), rc);
        const auto file = screen.shownListFile(test::kFixedTime);
        ASSERT_TRUE(file);
        const auto fileRow =
            std::find_if(file->lines.begin(), file->lines.end(),
                         [](const std::string& l) { return l.find("ZH-1") != std::string::npos; });
        ASSERT_NE(fileRow, file->lines.end());
        EXPECT_TRUE(containsWord(*fileRow, ra)) << *fileRow;
        EXPECT_TRUE(containsWord(*fileRow, rc)) << *fileRow;
    }
}

}  // namespace
}  // namespace pile
