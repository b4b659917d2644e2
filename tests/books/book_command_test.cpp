// pilecalc book: the memos it prints or saves for a sequence of input lines.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <optional>
#include <regex>
#include <sstream>

#ifndef _WIN32
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <csignal>
#include <cstdlib>
#endif

#include "books/text_file.h"
#include "cli/commands.h"
#include "core/text_width.h"
#include "tests/books/book_fixture.h"

namespace pile::cli {
namespace {

struct BookRun {
    int status;
    std::vector<std::string> lines;  // standard output, split at "\n"
    std::string out;
    std::string err;
};

BookRun runBook(const std::string& input, const std::vector<std::string>& args) {
    std::istringstream in(input);
    std::ostringstream out, err;
    BookRun run{runBookCommand(args, in, out, err), {}, out.str(), err.str()};
    std::istringstream lines(run.out);
    for (std::string line; std::getline(lines, line);) run.lines.push_back(line);
    return run;
}

std::vector<std::string> rowsOf(const std::vector<std::string>& table) {
    // Header of 5 lines and footer of 4.
    if (table.size() < 9) return {};
    return {table.begin() + 5, table.end() - 4};
}

TEST(BookCommand, DefaultPilePrintsTheGoldenBook) {
    const BookRun run = runBook("{}\n", {"--time", "2026-12-10 12:00:00"});
    ASSERT_EQ(run.status, kExitOk) << run.err;
    EXPECT_EQ(run.err, "");
    std::ifstream golden(std::string(PILE_BOOKS_GOLDEN_DIR) + "/default_pile_book.txt",
                         std::ios::binary);
    const std::string expected((std::istreambuf_iterator<char>(golden)),
                               std::istreambuf_iterator<char>());
    EXPECT_EQ(run.out, expected);
}

// Lines are taken in order as one window takes them: a precision line changes the following
// piles only, a rejected or unreadable line leaves no trace, deleteLast frees the last number.
TEST(BookCommand, SequenceOfLinesActsAsOneWindow) {
    const BookRun run = runBook(
        "{}\n"
        "{\"precision\":0}\n"
        "{\"d\":\"0\"}\n"
        "{\"section\":1}\n"
        "not json\n"
        "\n"
        "{\"section\":2,\"d\":\"1000\",\"c\":\"1500\",\"slope\":true}\n"
        "{\"action\":\"deleteLast\"}\n"
        "{\"rock\":\"fuk\"}\n",
        {"--table", "--time", "T"});
    ASSERT_EQ(run.status, kExitOk);
    const auto rows = rowsOf(run.lines);
    ASSERT_EQ(rows.size(), 3u);
    EXPECT_EQ(rows[0].substr(0, 11), "   ZH1     ");
    EXPECT_NE(rows[0].find("  16821   "), std::string::npos);  // units, before the change
    EXPECT_NE(rows[1].find(" 椭圆桩 "), std::string::npos);
    EXPECT_NE(rows[1].find("41974.68  "), std::string::npos);  // two decimals after it
    EXPECT_EQ(rows[2].substr(0, 11), "   ZH3     ");           // the deleted ZH3 reused
    EXPECT_NE(rows[2].find("24994.51  "), std::string::npos);
    EXPECT_EQ(run.lines.back(), "计算时间：T");

    EXPECT_NE(run.err.find("line 3: 桩身直径数据有错 (d)"), std::string::npos) << run.err;
    EXPECT_NE(run.err.find("line 5: "), std::string::npos) << run.err;
    EXPECT_EQ(run.err.find("line 6"), std::string::npos) << run.err;  // blank lines are skipped
}

TEST(BookCommand, PrecisionOptionSetsTheStartingMode) {
    const BookRun run = runBook("{}\n", {"--precision", "4", "--time", "T"});
    ASSERT_EQ(run.status, kExitOk);
    ASSERT_GE(run.lines.size(), 4u);
    EXPECT_EQ(run.lines[run.lines.size() - 4], "        1.0d      25.00     8400      7800   ");
}

TEST(BookCommand, TimeDefaultsToTheLocalDateAndTime) {
    const BookRun run = runBook("{}\n", {});
    ASSERT_FALSE(run.lines.empty());
    EXPECT_TRUE(std::regex_match(run.lines.back(),
                                 std::regex("计算时间：\\d{4}-\\d\\d-\\d\\d \\d\\d:\\d\\d:\\d\\d")))
        << run.lines.back();
}

TEST(BookCommand, UsageErrors) {
    const std::vector<std::vector<std::string>> cases = {
        {"--precision", "5"},
        {"--precision"},
        {"--time"},
        {"--out"},
        {"--out", ""},
        {"--tabel"},
        {"extra"},
        // The time is printed into the books: one line, as every field.
        {"--time", "2026-12-10\n12:00"},
        {"--time", "2026-12-10\r12:00"},
        {"--time", "2026-12-10\u2028 12:00"}};
    for (const auto& args : cases) {
        SCOPED_TRACE(args.front() + (args.size() > 1 ? " " + args[1] : ""));
        const BookRun run = runBook("{}\n", args);
        EXPECT_EQ(run.status, kExitUsage);
        EXPECT_EQ(run.out, "");
        EXPECT_NE(run.err, "");
    }
}

// A line with a NUL byte or nested past the limit is reported and leaves no trace in the books.
TEST(BookCommand, NulBytesAndDeepNestingAreReportedLines) {
    const std::string input = std::string("{}\n{}") + '\0' + "x\n" + R"({"d":)" +
                              std::string(100000, '[') + std::string(100000, ']') + "}\n{}\n";
    const BookRun run = runBook(input, {"--table", "--time", "T"});
    EXPECT_EQ(run.status, kExitOk);
    EXPECT_EQ(rowsOf(run.lines).size(), 2u);
    EXPECT_NE(run.err.find("line 2: "), std::string::npos) << run.err;
    EXPECT_NE(run.err.find("line 3: "), std::string::npos) << run.err;
}

// --formula 2: the default pile with both soil terms, against a book written out by hand from
// the line tables of the formula-two book.
TEST(BookCommand, FormulaTwoDefaultPilePrintsTheGoldenBook) {
    const BookRun run = runBook("{\"negativeFriction\":true,\"sideResistance\":true}\n",
                                {"--formula", "2", "--time", "2026-12-10 12:00:00"});
    ASSERT_EQ(run.status, kExitOk) << run.err;
    EXPECT_EQ(run.err, "");
    std::ifstream golden(std::string(PILE_BOOKS_GOLDEN_DIR) + "/formula_two_default_book.txt",
                         std::ios::binary);
    ASSERT_TRUE(golden);
    const std::string expected((std::istreambuf_iterator<char>(golden)),
                               std::istreambuf_iterator<char>());
    EXPECT_EQ(run.out, expected);
}

// The formula-two window: 250-column rows with Qgn, [Nk] and [N]; soil keys per line; a
// rejected pile leaves no trace; deleteLast frees the last number.
TEST(BookCommand, FormulaTwoTableActsAsOneWindow) {
    const BookRun run = runBook(
        "{\"negativeFriction\":true}\n"
        "{}\n"
        "{\"d\":\"0\",\"negativeFriction\":true}\n"
        "{\"section\":1,\"sideResistance\":true}\n"
        "{\"action\":\"deleteLast\"}\n"
        "{\"negativeFriction\":true,\"drag\":{\"p\":\"0\",\"layers\":[[\"-5\",\"18\",\"0.3\","
        "\"25\"],"
        "[\"-10\",\"19\",\"0.3\",\"30\"]]}}\n",
        {"--formula", "2", "--table", "--time", "T"});
    ASSERT_EQ(run.status, kExitOk) << run.err;
    ASSERT_EQ(run.lines.size(), 5u + 3u + 4u);
    for (size_t i = 0; i < run.lines.size(); ++i) {
        if (i == 3 || i + 3 == run.lines.size() || i + 1 == run.lines.size()) continue;
        EXPECT_EQ(DisplayWidth(run.lines[i]), 250) << "line " << i + 1;
    }
    const auto rows = rowsOf(run.lines);
    ASSERT_EQ(rows.size(), 3u);
    // Rc, Qgn, [Nk], [N] in units.
    EXPECT_EQ(rows[0].substr(rows[0].size() - 39), "   7862       604      8410      7137  ");
    EXPECT_EQ(rows[1].substr(rows[1].size() - 39), "   7862         0      8410      7862  ");
    EXPECT_EQ(rows[2].substr(0, 11), "   ZH3     ");
    EXPECT_NE(run.err.find("line 3: 桩身直径数据有错 (d)"), std::string::npos) << run.err;
}

TEST(BookCommand, FormulaTwoWithoutSoilKeysWritesTheNotConsideredLines) {
    const BookRun run = runBook("{}\n", {"--formula", "2", "--time", "T"});
    ASSERT_EQ(run.status, kExitOk);
    const auto has = [&run](const std::string& line) {
        return std::find(run.lines.begin(), run.lines.end(), line) != run.lines.end();
    };
    EXPECT_TRUE(has("  2.4 桩侧土负摩阻力不考虑。"));
    EXPECT_TRUE(has("  2.5 桩侧土体侧阻力不考虑。"));
    EXPECT_TRUE(has("  4.7 桩侧土体引起的下拉荷载Qgn(不考虑): 0.00 kN"));

    // Formula one ignores the soil keys.
    EXPECT_EQ(runBook("{\"negativeFriction\":true}\n", {"--time", "T"}).out,
              runBook("{}\n", {"--time", "T"}).out);
}

TEST(BookCommand, FormulaOptionUsageErrors) {
    for (const auto& args :
         std::vector<std::vector<std::string>>{{"--formula", "3"}, {"--formula"}}) {
        SCOPED_TRACE(args.size());
        const BookRun run = runBook("{}\n", args);
        EXPECT_EQ(run.status, kExitUsage);
        EXPECT_EQ(run.out, "");
        EXPECT_NE(run.err, "");
    }
}

class BookCommandFile : public ::testing::Test {
  protected:
    void SetUp() override { m_dir = pile::test::freshTempDir("pile_book_command"); }
    void TearDown() override { std::filesystem::remove_all(m_dir); }
    std::string read(const std::filesystem::path& path) const {
        std::ifstream in(path, std::ios::binary);
        return std::string((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    }
    std::filesystem::path m_dir;
};

// A path as pilecalc takes it: UTF-8 on every platform.
std::string utf8(const std::filesystem::path& path) {
    const std::u8string text = path.u8string();
    return std::string(text.begin(), text.end());
}

TEST_F(BookCommandFile, OutWritesTheMemoAsTheSaveButtonDoes) {
    const auto path = m_dir / pathFromUtf8(kSummaryTableFileName);
    const std::string target = utf8(path);
    const BookRun run = runBook("{}\n{}\n", {"--table", "--time", "T", "--out", target});
    ASSERT_EQ(run.status, kExitOk) << run.err;
    EXPECT_EQ(run.out, "");

    const BookRun printed = runBook("{}\n{}\n", {"--table", "--time", "T"});
    std::string expected;
    for (const auto& line : printed.lines) expected += toAnsiCodePage(line) + "\r\n";
    EXPECT_EQ(read(path), expected);
    EXPECT_EQ(rowsOf(printed.lines).size(), 2u);
}

// A Chinese name in a Chinese folder: UTF-8 in the program, the platform's own form at the file
// system (wide strings on Windows), the file found again under the same name.
TEST_F(BookCommandFile, ChineseNamesSaveAndReadBack) {
    const std::filesystem::path folder = m_dir / pathFromUtf8("桩基");
    std::filesystem::create_directory(folder);
    const std::string name = utf8(folder) + "/" + "计算书.txt";
    const BookRun run = runBook("{}\n", {"--time", "T", "--out", name});
    ASSERT_EQ(run.status, kExitOk) << run.err;
    const std::string bytes = read(folder / pathFromUtf8("计算书.txt"));
    EXPECT_NE(bytes.find(toAnsiCodePage("嵌岩桩计算书")), std::string::npos);
    EXPECT_TRUE(bytes.ends_with("T\r\n"));
    std::size_t files = 0;
    for (const auto& entry : std::filesystem::directory_iterator(folder)) {
        EXPECT_EQ(utf8(entry.path().filename()), "计算书.txt");
        ++files;
    }
    EXPECT_EQ(files, 1u);
}

// A character the code page cannot hold is saved as "?", and the columns are counted for the
// "?": every row of the saved table is as long as the rule above it (in code page 936 a byte is
// a column).
TEST_F(BookCommandFile, CharactersOutsideTheCodePageKeepTheColumns) {
    const auto path = m_dir / "table.txt";
    const BookRun run = runBook(
        "{\"d\":\"1000\"}\n{\"d\":\"1000\xF0\x9F\x98\x80\"}\n{\"d\":\"1000\xE1\x80\xBF\"}\n",
        {"--table", "--time", "T", "--out", utf8(path)});
    ASSERT_EQ(run.status, kExitOk) << run.err;
    std::vector<std::string> lines;
    std::istringstream file(read(path));
    for (std::string line; std::getline(file, line, '\n');) lines.push_back(line);
    ASSERT_EQ(lines.size(), 5u + 3u + 4u);
    for (size_t row = 5; row < 8; ++row) {
        SCOPED_TRACE(row);
        EXPECT_EQ(lines[row].size(), lines[4].size());
    }
    EXPECT_NE(lines[6].find("1000?"), std::string::npos);
}

TEST_F(BookCommandFile, NothingToSaveKeepsTheEarlierFile) {
    const auto path = m_dir / "book.txt";
    std::ofstream(path) << "earlier";
    const BookRun run = runBook("{\"d\":\"x\"}\n", {"--out", utf8(path)});
    EXPECT_EQ(run.status, kExitOk);
    EXPECT_EQ(read(path), "earlier");
    EXPECT_NE(run.err.find("not written"), std::string::npos);
}

TEST_F(BookCommandFile, AFailedSaveIsReported) {
    const auto path = m_dir / "missing" / "book.txt";
    const BookRun run = runBook("{}\n", {"--out", utf8(path)});
    EXPECT_NE(run.status, kExitOk);
    EXPECT_NE(run.err.find(utf8(path)), std::string::npos) << run.err;
    EXPECT_FALSE(std::filesystem::exists(m_dir / "missing"));
}

#ifndef _WIN32

// TMPDIR set for the life of the object, the earlier value back afterwards.
class TemporaryFolder {
  public:
    explicit TemporaryFolder(const std::string& folder) {
        if (const char* earlier = std::getenv("TMPDIR")) m_earlier = earlier;
        ::setenv("TMPDIR", folder.c_str(), 1);
    }
    ~TemporaryFolder() {
        if (m_earlier)
            ::setenv("TMPDIR", m_earlier->c_str(), 1);
        else
            ::unsetenv("TMPDIR");
    }

  private:
    std::optional<std::string> m_earlier;
};

std::string piles(int count) {
    std::string input;
    for (int i = 0; i < count; ++i) input += "{}\n";
    return input;
}

// The books' temporary file goes where TMPDIR says. Where no file can be made there (a folder
// that is not there, a regular file), a few piles stay in memory and are saved; a long batch
// ends with the reason and writes no file, rather than saving books with piles missing.
TEST_F(BookCommandFile, TemporaryFolderThatCannotHoldTheBooks) {
    const auto plain = m_dir / "plain";
    std::ofstream(plain) << "a file, not a folder";
    for (const auto& folder : {m_dir / "missing", plain}) {
        SCOPED_TRACE(folder.string());
        const TemporaryFolder tmp(folder.string());
        const auto out = m_dir / "book.txt";
        const BookRun few = runBook(piles(3), {"--table", "--time", "T", "--out", utf8(out)});
        EXPECT_EQ(few.status, kExitOk) << few.err;
        EXPECT_TRUE(std::filesystem::exists(out));
        std::filesystem::remove(out);

        const BookRun many = runBook(piles(300), {"--table", "--time", "T", "--out", utf8(out)});
        EXPECT_EQ(many.status, 1);
        EXPECT_NE(many.err.find("temporary file of the books"), std::string::npos) << many.err;
        EXPECT_NE(many.err.find(folder.string()), std::string::npos) << many.err;
        EXPECT_FALSE(std::filesystem::exists(out));
        // Printed rather than saved: no books cut short on standard output either.
        const BookRun printed = runBook(piles(300), {"--table", "--time", "T"});
        EXPECT_EQ(printed.status, 1);
        EXPECT_EQ(printed.out, "");
    }
}

// A temporary folder that fills up while the piles go to disk (a file-size limit stands in for
// the full disk, which root could otherwise write past): the batch ends with the reason, exit
// status 1, and no file. In a child process, whose limit the test does not share.
TEST_F(BookCommandFile, FullTemporaryFolderEndsTheBatch) {
    const auto out = m_dir / "book.txt";
    const auto errFile = m_dir / "err.txt";
    const TemporaryFolder tmp(m_dir.string());
    const pid_t child = ::fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
        std::signal(SIGXFSZ, SIG_IGN);
        const rlimit limit{64 * 1024, 64 * 1024};
        ::setrlimit(RLIMIT_FSIZE, &limit);
        std::istringstream in(piles(400));
        std::ostringstream printed, err;
        const int status = runBookCommand({"--time", "T", "--out", utf8(out)}, in, printed, err);
        std::ofstream(errFile) << err.str();
        std::_Exit(status);
    }
    int status = 0;
    ASSERT_EQ(::waitpid(child, &status, 0), child);
    ASSERT_TRUE(WIFEXITED(status));
    EXPECT_EQ(WEXITSTATUS(status), 1);
    const std::string err = read(errFile);
    EXPECT_NE(err.find("temporary file of the books"), std::string::npos) << err;
    EXPECT_NE(err.find("cannot be written"), std::string::npos) << err;
    EXPECT_FALSE(std::filesystem::exists(out));
}

#endif

}  // namespace
}  // namespace pile::cli
