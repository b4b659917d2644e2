// Writing a result file: CP936 bytes, CR LF line ends, replacement of what the code page cannot
// hold, replacement of the whole file through a temporary file, and refused writes that leave
// the earlier file as it was.
#include "books/text_file.h"

#include <gtest/gtest.h>

#include <fstream>
#include <iterator>
#include <set>

#include "books/window_books.h"
#include "tests/books/book_fixture.h"

#ifndef _WIN32
#include <fcntl.h>
#include <iconv.h>
#include <signal.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <thread>
#endif

namespace pile {
namespace {

namespace fs = std::filesystem;

std::string readBytes(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

// A fresh folder per test, removed afterwards.
class TextFileTest : public ::testing::Test {
  protected:
    void SetUp() override { m_dir = test::freshTempDir("pile_text_file"); }
    void TearDown() override { fs::remove_all(m_dir); }

    // Names of the entries of the folder.
    std::set<std::string> entries() const {
        std::set<std::string> names;
        for (const auto& e : fs::directory_iterator(m_dir))
            names.insert(e.path().filename().string());
        return names;
    }

    fs::path m_dir;
};

TEST_F(TextFileTest, WritesCp936WithCrLfAfterEveryLine) {
    const fs::path path = m_dir / pathFromUtf8(kDetailedBookFileName);
    writeTextFile(path, {"AB", "嵌岩桩", "", "计算时间：1"});
    EXPECT_EQ(readBytes(path),
              "AB\r\n"
              "\xC7\xB6\xD1\xD2\xD7\xAE\r\n"
              "\r\n"
              "\xBC\xC6\xCB\xE3\xCA\xB1\xBC\xE4\xA3\xBA"
              "1\r\n");
    EXPECT_EQ(entries(), std::set<std::string>{kDetailedBookFileName});

    writeTextFile(path, {});
    EXPECT_EQ(readBytes(path), "");
}

TEST(TextFileEncoding, CharactersOutsideTheCodePageBecomeQuestionMarks) {
    const struct {
        const char* name;
        std::string utf8;
        std::string ansi;
    } cases[] = {
        {"ascii", "Ra(kN) 8410", "Ra(kN) 8410"},
        {"greek and maths", "ζr≤∑", "\xA6\xC6r\xA1\xDC\xA1\xC6"},
        {"outside the code page", "aőb", "a?b"},
        {"outside the basic plane", "a\xF0\x9F\x98\x80z", "a?z"},
        {"hangul between Chinese", "桩한桩", "\xD7\xAE?\xD7\xAE"},
        {"stray continuation byte", "a\x80z", "a?z"},
        {"cut sequence at the end", "a\xE6\xA1", "a??"},
        {"overlong form", "\xC0\xAF", "??"},
        {"encoded surrogate", "\xED\xA0\x80", "???"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(toAnsiCodePage(c.utf8), c.ansi);
    }
}

#ifndef _WIN32
std::string fromCp936(const std::string& bytes) {
    iconv_t cd = iconv_open("UTF-8", "CP936");
    EXPECT_NE(cd, reinterpret_cast<iconv_t>(-1));
    std::string out(bytes.size() * 2 + 4, '\0');
    char* src = const_cast<char*>(bytes.data());
    size_t srcLeft = bytes.size();
    char* dst = out.data();
    size_t dstLeft = out.size();
    EXPECT_NE(iconv(cd, &src, &srcLeft, &dst, &dstLeft), static_cast<size_t>(-1));
    iconv_close(cd);
    out.resize(out.size() - dstLeft);
    return out;
}

// Every character the books write, and the file names, survive the code page unchanged.
TEST(TextFileEncoding, EveryCharacterOfTheBooksSurvivesTheCodePage) {
    WindowBooks books;
    for (int m = 0; m <= 4; ++m) {
        for (const InputTexts& texts : test::pilesOfAllKinds()) {
            const auto pile = test::compute(texts);
            books.appendPile(pile.input, pile.result, pile.rockClassName,
                             static_cast<RoundingMode>(m), "2026-12-10 12:00:00");
        }
    }
    std::vector<std::string> texts = books.detailedLines();
    texts.insert(texts.end(), books.tableLines().begin(), books.tableLines().end());
    for (const char* name :
         {kDetailedBookFileName, kSummaryTableFileName, kRawListFileName, kFilteredListFileName}) {
        texts.emplace_back(name);
    }
    for (const std::string& text : texts) {
        const std::string ansi = toAnsiCodePage(text);
        EXPECT_EQ(ansi.find('?'), std::string::npos) << text;
        EXPECT_EQ(fromCp936(ansi), text);
    }
}
#endif

TEST_F(TextFileTest, ASaveReplacesTheWholeFileAndLeavesNoTemporaryFile) {
    const fs::path path = m_dir / pathFromUtf8(kSummaryTableFileName);
    writeTextFile(path, {"first save, a longer text than the second", "line 2", "line 3"});
    writeTextFile(path, {"second"});
    EXPECT_EQ(readBytes(path), "second\r\n");
    EXPECT_EQ(entries(), std::set<std::string>{kSummaryTableFileName});
}

// A refused save throws, names the file and the common cause in Chinese, leaves no temporary
// file and keeps what was there.
TEST_F(TextFileTest, RefusedSavesNameTheFileAndTheCauseInChinese) {
    std::ofstream(m_dir / "plain") << "x";
    fs::create_directory(m_dir / "folder");
    const fs::path inside = m_dir / "folder" / "keep.txt";
    std::ofstream(inside) << "kept";
    const struct {
        const char* name;
        fs::path path;
        const char* reason;
    } cases[] = {
        {"folder missing", m_dir / "missing" / "book.txt", "文件夹不存在"},
        {"a file where a folder should be", m_dir / "plain" / "book.txt", "路径中有一项不是文件夹"},
        {"name too long", m_dir / std::string(256, 'n'), "文件名太长"},
        {"a folder of that name", m_dir / "folder", "已有同名的文件夹"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        try {
            writeTextFile(c.path, {"x"});
            ADD_FAILURE() << "no exception";
        } catch (const FileWriteError& e) {
            const std::string what = e.what();
            EXPECT_NE(what.find(c.reason), std::string::npos) << what;
            EXPECT_NE(what.find(c.path.string()), std::string::npos) << what;
            EXPECT_EQ(e.path(), c.path);
        }
        EXPECT_EQ(entries(), (std::set<std::string>{"folder", "plain"}));
        EXPECT_EQ(readBytes(inside), "kept");
        EXPECT_EQ(readBytes(m_dir / "plain"), "x");
    }
    EXPECT_EQ(saveFailureReason(std::make_error_code(std::errc::no_space_on_device)),
              "磁盘空间已满");
    EXPECT_EQ(saveFailureReason(std::make_error_code(std::errc::permission_denied)),
              "没有写入权限");
    EXPECT_EQ(saveFailureReason(std::make_error_code(std::errc::read_only_file_system)),
              "磁盘只读");
}

#ifndef _WIN32
// A save replaces the content and nothing else: the permission bits, the owner, a symbolic link
// (the target is written), a hard link (both names see the new content), and every name of
// 255 bytes.
TEST_F(TextFileTest, ASaveKeepsWhatTheUserGaveTheFile) {
    const fs::path file = m_dir / "book.txt";
    writeTextFile(file, {"old"});
    ASSERT_EQ(::chmod(file.c_str(), 0600), 0);
    writeTextFile(file, {"new"});
    struct stat st {};
    ASSERT_EQ(::stat(file.c_str(), &st), 0);
    EXPECT_EQ(st.st_mode & 07777, 0600u);

    if (::geteuid() == 0) {
        ASSERT_EQ(::chown(file.c_str(), 4321, 4321), 0);
        writeTextFile(file, {"theirs"});
        ASSERT_EQ(::stat(file.c_str(), &st), 0);
        EXPECT_EQ(st.st_uid, 4321u);
        EXPECT_EQ(st.st_gid, 4321u);
        EXPECT_EQ(readBytes(file), "theirs\r\n");
    }

    const fs::path link = m_dir / "link.txt";
    fs::create_symlink("book.txt", link);
    writeTextFile(link, {"through the link"});
    EXPECT_TRUE(fs::is_symlink(link));
    EXPECT_EQ(readBytes(file), "through the link\r\n");

    const fs::path hard = m_dir / "hard.txt";
    fs::create_hard_link(file, hard);
    writeTextFile(hard, {"both names, a longer text than before"});
    EXPECT_EQ(fs::hard_link_count(file), 2u);
    EXPECT_EQ(readBytes(file), "both names, a longer text than before\r\n");
    writeTextFile(file, {"short"});
    EXPECT_EQ(readBytes(hard), "short\r\n");

    const fs::path longest = m_dir / std::string(255, 'L');
    writeTextFile(longest, {"255"});
    EXPECT_EQ(readBytes(longest), "255\r\n");
    EXPECT_EQ(entries(),
              (std::set<std::string>{"book.txt", "hard.txt", "link.txt", std::string(255, 'L')}));
}

// A target that is not a regular file is written as it is: a FIFO is read by its reader, and
// a device stays a device.
TEST_F(TextFileTest, AFifoOrADeviceIsWrittenInPlace) {
    const fs::path fifo = m_dir / "fifo";
    ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
    std::string received;
    std::thread reader([&] { received = readBytes(fifo); });
    writeTextFile(fifo, {"a", "b"});
    reader.join();
    EXPECT_EQ(received, "a\r\nb\r\n");
    EXPECT_EQ(fs::status(fifo).type(), fs::file_type::fifo);

    writeTextFile("/dev/null", {"nothing"});
    EXPECT_EQ(fs::status("/dev/null").type(), fs::file_type::character);
    EXPECT_EQ(entries(), std::set<std::string>{"fifo"});
}

// A process that dies in the middle of a save leaves the earlier file and nothing else.
TEST_F(TextFileTest, AKilledSaveLeavesNothingBehind) {
    const fs::path path = m_dir / "book.txt";
    writeTextFile(path, {"earlier"});
    const pid_t child = ::fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
        TextFileWriter writer(path);
        for (int i = 0; i < 100000; ++i) writer.writeLine(std::string(80, 'x'));
        ::kill(::getpid(), SIGKILL);
        ::_exit(1);
    }
    int status = 0;
    ASSERT_EQ(::waitpid(child, &status, 0), child);
    ASSERT_TRUE(WIFSIGNALED(status));
    EXPECT_EQ(readBytes(path), "earlier\r\n");
    EXPECT_EQ(entries(), std::set<std::string>{"book.txt"});
}
#endif

#ifndef _WIN32
// A write that fails halfway (here: the file size limit of a child process, as a full disk
// would) leaves the earlier file byte for byte and no temporary file.
TEST_F(TextFileTest, AFailedWriteKeepsTheEarlierFile) {
    const fs::path path = m_dir / pathFromUtf8(kDetailedBookFileName);
    writeTextFile(path, {"the earlier save"});
    const std::string before = readBytes(path);

    const pid_t child = ::fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
        ::signal(SIGXFSZ, SIG_IGN);
        const rlimit limit{4096, 4096};
        ::setrlimit(RLIMIT_FSIZE, &limit);
        try {
            writeTextFile(path, std::vector<std::string>(1000, std::string(100, 'x')));
        } catch (const FileWriteError&) {
            ::_exit(0);
        } catch (...) {
            ::_exit(2);
        }
        ::_exit(1);  // the write did not fail
    }
    int status = 0;
    ASSERT_EQ(::waitpid(child, &status, 0), child);
    ASSERT_TRUE(WIFEXITED(status));
    EXPECT_EQ(WEXITSTATUS(status), 0) << "1: no exception, 2: another exception";
    EXPECT_EQ(readBytes(path), before);
    EXPECT_EQ(entries(), std::set<std::string>{kDetailedBookFileName});
}
#endif

}  // namespace
}  // namespace pile
