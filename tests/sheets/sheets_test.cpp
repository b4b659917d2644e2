// What a table cell becomes in a spreadsheet, and the writer's sheets and failures. The files'
// contents are read back by read_back.py.
#include <gtest/gtest.h>

#include <cstdlib>
#include <fstream>
#include <iterator>
#include <optional>
#include <string>

#include "books/text_file.h"
#include "sheets/sheet_cell.h"
#include "sheets/xlsx_file.h"
#include "tests/books/book_fixture.h"

namespace pile {
namespace {

namespace fs = std::filesystem;

TEST(SheetCell, NumbersKeepTheirDecimalsAndEverythingElseStaysText) {
    struct Case {
        const char* text;
        bool number;
        double value;
        int decimals;
        bool percent;
    };
    const Case cases[] = {
        {"   8332  ", true, 8332, 0, false},
        {"-12.50", true, -12.5, 2, false},
        {"0.8567", true, 0.8567, 4, false},
        {"85%", true, 85, 0, true},
        {"-", false, 0, 0, false},
        {"ZH-001", false, 0, 0, false},
        {"2.0d", false, 0, 0, false},
        {"C30", false, 0, 0, false},
        {"1e5", false, 0, 0, false},
        {"1.", false, 0, 0, false},
        {".5", false, 0, 0, false},
        {"1234567890123456", false, 0, 0, false},  // more digits than a sheet keeps
        {"0.000000000000001", true, 1e-15, 15, false},
        {"", false, 0, 0, false},
        {"圆  桩", false, 0, 0, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.text);
        const SheetCell cell = readSheetCell(c.text);
        EXPECT_EQ(cell.kind == SheetCell::Kind::Number, c.number);
        if (!c.number) continue;
        EXPECT_DOUBLE_EQ(cell.number, c.value);
        EXPECT_EQ(cell.decimals, c.decimals);
        EXPECT_EQ(cell.percent, c.percent);
    }
    EXPECT_EQ(sheetNumberFormat(0, false), "0");
    EXPECT_EQ(sheetNumberFormat(2, false), "0.00");
    EXPECT_EQ(sheetNumberFormat(0, true), "0\"%\"");
}

#ifndef _WIN32

std::string readBytes(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

class XlsxFileTest : public ::testing::Test {
  protected:
    void SetUp() override { m_dir = test::freshTempDir("pile_sheets"); }
    void TearDown() override {
        if (m_tmpdir)
            setenv("TMPDIR", m_tmpdir->c_str(), 1);
        else
            unsetenv("TMPDIR");
        fs::remove_all(m_dir);
    }
    void useTmpdir(const fs::path& folder) {
        if (const char* old = std::getenv("TMPDIR"); old && !m_tmpdir) m_tmpdir = old;
        setenv("TMPDIR", folder.c_str(), 1);
    }

    fs::path m_dir;
    std::optional<std::string> m_tmpdir;
};

TEST_F(XlsxFileTest, RowsBeyondASheetGoOnToNumberedSheets) {
    const fs::path path = m_dir / "list.xlsx";
    XlsxFile file(path, 3);
    file.startSheet("原始结果", {"Ra(kN)"});
    for (int i = 0; i < 7; ++i) file.addRow({std::to_string(i)});
    file.commit();
    // The archive names one part per sheet: 3 + 3 + 1 rows.
    const std::string bytes = readBytes(path);
    EXPECT_NE(bytes.find("xl/worksheets/sheet3.xml"), std::string::npos);
    EXPECT_EQ(bytes.find("xl/worksheets/sheet4.xml"), std::string::npos);
}

TEST_F(XlsxFileTest, AFailedWriteKeepsTheEarlierFileAndLeavesNothingBehind) {
    const fs::path path = m_dir / "table.xlsx";
    writeTextFile(path, {"earlier"});
    fs::create_directory(m_dir / "tmp");
    useTmpdir(m_dir / "tmp");

    // The folder of the target is missing: refused before any row is written.
    EXPECT_THROW(XlsxFile(m_dir / "missing" / "t.xlsx"), FileWriteError);

    // The temporary folder cannot hold the workbook.
    useTmpdir(m_dir / "no-such-folder");
    EXPECT_THROW(XlsxFile{path}, FileWriteError);
    EXPECT_EQ(readBytes(path), "earlier\r\n");
    useTmpdir(m_dir / "tmp");

    // An abandoned file leaves the earlier one and no temporary file.
    {
        XlsxFile file(path);
        file.startSheet("汇总表", {"a"});
        file.addRow({"1"});
    }
    EXPECT_EQ(readBytes(path), "earlier\r\n");
    EXPECT_TRUE(fs::is_empty(m_dir / "tmp"));
    EXPECT_EQ(std::distance(fs::directory_iterator(m_dir), fs::directory_iterator()), 2);
}

#endif

}  // namespace
}  // namespace pile
