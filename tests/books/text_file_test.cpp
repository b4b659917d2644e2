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
#include <sys/file.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <iostream>
#include <random>
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
// (the target is written), and every name of 255 bytes. A hard-linked file is replaced like any
// other: the name saved to holds the new content, its other names keep the earlier.
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
    writeTextFile(hard, {"the saved name, a longer text than before"});
    EXPECT_EQ(fs::hard_link_count(file), 1u);
    EXPECT_EQ(readBytes(hard), "the saved name, a longer text than before\r\n");
    EXPECT_EQ(readBytes(file), "through the link\r\n");

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
// Lines of a book large enough that a save takes a while: `tag` on every line.
std::vector<std::string> bigBook(const std::string& tag, int lines) {
    std::vector<std::string> book;
    for (int i = 0; i < lines; ++i) book.push_back(tag + " 第" + std::to_string(i) + "行");
    return book;
}

std::string fileBytes(const std::vector<std::string>& lines) {
    std::string bytes;
    for (const std::string& line : lines) bytes += toAnsiCodePage(line) + "\r\n";
    return bytes;
}

// A save over a hard-linked file (and, for root, one owned by another user), killed at random
// points: the name saved to holds the earlier book or the new one, whole, and the other name
// the earlier book.
TEST_F(TextFileTest, AKilledSaveOverAHardLinkLeavesOneWholeBook) {
    const fs::path path = m_dir / "book.txt";
    const fs::path other = m_dir / "other.txt";
    const auto earlier = bigBook("earlier", 60000);
    const auto later = bigBook("the later, longer book", 60000);
    const std::string earlierBytes = fileBytes(earlier), laterBytes = fileBytes(later);
    const auto start = [&] {
        fs::remove(path);
        fs::remove(other);
        writeTextFile(path, earlier);
        fs::create_hard_link(path, other);
        if (::geteuid() == 0) {
            ASSERT_EQ(::chown(path.c_str(), 4321, 4321), 0);
        }
    };
    const auto save = [&] {
        const pid_t child = ::fork();
        if (child == 0) {
            writeTextFile(path, later);
            ::_exit(0);
        }
        return child;
    };
    // How long a whole save takes, to spread the kills over it.
    start();
    const auto begin = std::chrono::steady_clock::now();
    const pid_t timed = save();
    ASSERT_GT(timed, 0);
    int status = 0;
    ASSERT_EQ(::waitpid(timed, &status, 0), timed);
    const auto whole = std::chrono::duration_cast<std::chrono::microseconds>(
        std::chrono::steady_clock::now() - begin);
    ASSERT_EQ(readBytes(path), laterBytes);

    std::mt19937 random(19);
    int earlierKept = 0, laterWhole = 0;
    for (int run = 0; run < 30; ++run) {
        SCOPED_TRACE(run);
        start();
        const pid_t child = save();
        ASSERT_GT(child, 0);
        std::this_thread::sleep_for(std::chrono::microseconds(random() % (whole.count() + 1)));
        ::kill(child, SIGKILL);
        ASSERT_EQ(::waitpid(child, &status, 0), child);
        const std::string now = readBytes(path);
        ASSERT_TRUE(now == earlierBytes || now == laterBytes)
            << "a mix of " << now.size() << " bytes";
        EXPECT_EQ(readBytes(other), earlierBytes);
        (now == earlierBytes ? earlierKept : laterWhole)++;
    }
    std::cout << "killed saves: " << earlierKept << " kept the earlier book, " << laterWhole
              << " had put the new one in place\n";
}

// A user who may replace another user's file (in a folder open to all) replaces it whole; the
// file becomes theirs, with the earlier permission bits they may give.
TEST_F(TextFileTest, ASaveOfAnotherUsersFileReplacesIt) {
    if (::geteuid() != 0) GTEST_SKIP() << "needs root to play two users";
    ASSERT_EQ(::chmod(m_dir.c_str(), 0777), 0);
    const fs::path path = m_dir / "book.txt";
    const fs::path other = m_dir / "other.txt";
    writeTextFile(path, {"alice's book"});
    fs::create_hard_link(path, other);
    ASSERT_EQ(::chown(path.c_str(), 4321, 4321), 0);
    ASSERT_EQ(::chmod(path.c_str(), 0666), 0);
    const pid_t child = ::fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
        if (::setgid(65534) != 0 || ::setuid(65534) != 0) ::_exit(3);
        try {
            writeTextFile(path, {"bob's book"});
        } catch (...) {
            ::_exit(2);
        }
        ::_exit(0);
    }
    int status = 0;
    ASSERT_EQ(::waitpid(child, &status, 0), child);
    ASSERT_TRUE(WIFEXITED(status));
    ASSERT_EQ(WEXITSTATUS(status), 0);
    EXPECT_EQ(readBytes(path), "bob's book\r\n");
    EXPECT_EQ(readBytes(other), "alice's book\r\n");
    struct stat st {};
    ASSERT_EQ(::stat(path.c_str(), &st), 0);
    EXPECT_EQ(st.st_uid, 65534u);
    EXPECT_EQ(st.st_mode & 07777, 0606u);  // the group is bob's, not alice's: no group bits
}

// Saves into one folder put their files in place one at a time: a save waits while another
// holds the folder's lock, and concurrent saves of one hard-linked file end with one whole book.
TEST_F(TextFileTest, ConcurrentSavesTakeTurns) {
    const fs::path path = m_dir / "book.txt";
    writeTextFile(path, {"earlier"});
    const int folder = ::open(m_dir.c_str(), O_RDONLY | O_DIRECTORY);
    ASSERT_GE(folder, 0);
    ASSERT_EQ(::flock(folder, LOCK_EX), 0);
    const pid_t child = ::fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
        ::close(folder);  // the child's copy would hold the parent's lock
        writeTextFile(path, {"later"});
        ::_exit(0);
    }
    std::this_thread::sleep_for(std::chrono::milliseconds(300));
    EXPECT_EQ(readBytes(path), "earlier\r\n");  // written, waiting to be put in place
    ::close(folder);
    int status = 0;
    ASSERT_EQ(::waitpid(child, &status, 0), child);
    EXPECT_EQ(readBytes(path), "later\r\n");

    const fs::path other = m_dir / "other.txt";
    fs::create_hard_link(path, other);
    std::vector<std::string> books;
    std::vector<pid_t> savers;
    for (int k = 0; k < 4; ++k) {
        const auto lines = bigBook("saver " + std::to_string(k) + std::string(k * 7, '+'), 30000);
        books.push_back(fileBytes(lines));
        const pid_t saver = ::fork();
        ASSERT_GE(saver, 0);
        if (saver == 0) {
            writeTextFile(path, lines);
            ::_exit(0);
        }
        savers.push_back(saver);
    }
    for (const pid_t saver : savers) {
        ASSERT_EQ(::waitpid(saver, &status, 0), saver);
        EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0);
    }
    const std::string now = readBytes(path);
    EXPECT_NE(std::find(books.begin(), books.end(), now), books.end())
        << "a mix of " << now.size() << " bytes";
    EXPECT_EQ(readBytes(other), "later\r\n");
    EXPECT_EQ(entries(), (std::set<std::string>{"book.txt", "other.txt"}));
}

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
