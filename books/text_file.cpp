// Writing a text file in code page 936, replaced whole and only when complete.
//
// Encoding: code page 936 (GBK) on every platform, which holds the Chinese text, the Greek
// letters and the maths signs of the books: through WideCharToMultiByte on Windows, through
// iconv elsewhere. The file is written to a temporary file in the target's folder and
// renamed over the target, so a failed save never leaves a half-written file in its place.
#include "books/text_file.h"

#include <algorithm>
#include <cerrno>
#include <cstdint>
#include <memory>
#include <random>
#include <system_error>
#include <utility>

#ifdef _WIN32
#include <fstream>
#ifndef NOMINMAX
#define NOMINMAX
#endif
#include <windows.h>
#else
#include <fcntl.h>
#include <iconv.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>
#endif

namespace pile {

namespace {

std::string describe(int error) {
    return saveFailureReason(std::error_code(error, std::generic_category()));
}

std::string pathText(const std::filesystem::path& path) {
    const std::u8string text = path.u8string();
    return std::string(text.begin(), text.end());
}

// A short name for a temporary file in the target's folder: it does not grow with the target's
// name, so every valid name can be saved.
std::string temporaryName() {
    static thread_local std::mt19937_64 engine{std::random_device{}()};
    static const char* digits = "0123456789abcdef";
    std::string name = ".rockpile-";
    std::uint64_t value = engine();
    for (int i = 0; i < 12; ++i, value >>= 4) name += digits[value & 15];
    return name + ".tmp";
}

// Length of the well-formed UTF-8 sequence at s[i], or 0 when the bytes there are malformed
// (overlong forms, surrogates and code points above U+10FFFF included).
size_t utf8SequenceLength(const std::string& s, size_t i) {
    const auto byte = [&](size_t k) { return static_cast<unsigned char>(s[k]); };
    const unsigned char b0 = byte(i);
    size_t len = 0;
    unsigned char lo = 0x80, hi = 0xBF;  // bounds of the second byte
    if (b0 < 0x80) return 1;
    if (b0 >= 0xC2 && b0 <= 0xDF) {
        len = 2;
    } else if (b0 >= 0xE0 && b0 <= 0xEF) {
        len = 3;
        if (b0 == 0xE0) lo = 0xA0;
        if (b0 == 0xED) hi = 0x9F;
    } else if (b0 >= 0xF0 && b0 <= 0xF4) {
        len = 4;
        if (b0 == 0xF0) lo = 0x90;
        if (b0 == 0xF4) hi = 0x8F;
    } else {
        return 0;
    }
    if (i + len > s.size()) return 0;
    if (byte(i + 1) < lo || byte(i + 1) > hi) return 0;
    for (size_t k = 2; k < len; ++k) {
        if (byte(i + k) < 0x80 || byte(i + k) > 0xBF) return 0;
    }
    return len;
}

#ifndef _WIN32

class Converter {
  public:
    Converter() {
        m_cd = iconv_open("CP936", "UTF-8");
        if (m_cd == reinterpret_cast<iconv_t>(-1)) m_cd = iconv_open("GBK", "UTF-8");
        if (m_cd == reinterpret_cast<iconv_t>(-1)) {
            throw std::runtime_error("代码页 CP936 不可用: " + describe(errno));
        }
    }
    ~Converter() { iconv_close(m_cd); }
    Converter(const Converter&) = delete;
    Converter& operator=(const Converter&) = delete;

    std::string convert(const std::string& in) {
        std::string out;
        out.reserve(in.size() + 16);
        char buffer[256];
        size_t pos = 0;
        while (pos < in.size()) {
            char* src = const_cast<char*>(in.data() + pos);
            size_t srcLeft = in.size() - pos;
            char* dst = buffer;
            size_t dstLeft = sizeof buffer;
            const size_t rc = iconv(m_cd, &src, &srcLeft, &dst, &dstLeft);
            const int error = errno;
            out.append(buffer, static_cast<size_t>(dst - buffer));
            pos = static_cast<size_t>(src - in.data());
            if (rc != static_cast<size_t>(-1)) break;
            if (error == E2BIG) continue;
            // EILSEQ (not in the code page, or malformed) or EINVAL (cut short at the end):
            // one "?" for the character, or for the single malformed byte.
            iconv(m_cd, nullptr, nullptr, nullptr, nullptr);
            out += '?';
            const size_t len = utf8SequenceLength(in, pos);
            pos += len == 0 ? 1 : len;
        }
        return out;
    }

  private:
    iconv_t m_cd;
};

#endif

}  // namespace

FileWriteError::FileWriteError(const std::filesystem::path& path, const std::string& reason)
    : std::runtime_error("文件无法写入: " + pathText(path) + " (" + reason + ")"), m_path(path) {}

std::filesystem::path pathFromUtf8(const std::string& utf8) {
    return std::filesystem::path(std::u8string(utf8.begin(), utf8.end()));
}

#ifdef _WIN32

// Code page 936 whatever the system's ANSI code page: on a Windows set to 1252 the Chinese
// texts would otherwise be written as "?".
constexpr UINT kCodePage = 936;

// The code point of the well-formed sequence of `len` bytes at s[i].
static char32_t decodeUtf8(const std::string& s, size_t i, size_t len) {
    const auto byte = [&](size_t k) { return static_cast<unsigned char>(s[i + k]); };
    if (len == 1) return byte(0);
    char32_t cp = byte(0) & (0xFF >> (len + 1));
    for (size_t k = 1; k < len; ++k) cp = (cp << 6) | (byte(k) & 0x3F);
    return cp;
}

// As iconv does elsewhere: a character the code page cannot hold becomes one "?", and so does
// each byte of malformed UTF-8. Runs of characters of the basic plane go to
// WideCharToMultiByte, whose default character is "?"; a character beyond it, which the code
// page cannot hold either, would come back as two.
std::string toAnsiCodePage(const std::string& utf8) {
    std::string out;
    out.reserve(utf8.size());
    std::wstring run;
    const auto flush = [&] {
        if (run.empty()) return;
        const int wideLen = static_cast<int>(run.size());
        const int len =
            WideCharToMultiByte(kCodePage, 0, run.data(), wideLen, nullptr, 0, nullptr, nullptr);
        const size_t at = out.size();
        out.resize(at + static_cast<size_t>(len));
        WideCharToMultiByte(kCodePage, 0, run.data(), wideLen, out.data() + at, len, nullptr,
                            nullptr);
        run.clear();
    };
    size_t pos = 0;
    while (pos < utf8.size()) {
        const size_t len = utf8SequenceLength(utf8, pos);
        if (len == 0) {
            flush();
            out += '?';
            ++pos;
            continue;
        }
        const char32_t cp = decodeUtf8(utf8, pos, len);
        if (cp > 0xFFFF) {
            flush();
            out += '?';
        } else {
            run += static_cast<wchar_t>(cp);
        }
        pos += len;
    }
    flush();
    return out;
}

#else

std::string toAnsiCodePage(const std::string& utf8) {
    Converter converter;
    return converter.convert(utf8);
}

#endif

bool fitsAnsiCodePage(const std::string& utf8) {
    // Every character the code page cannot hold, and every malformed byte, adds a "?"; the
    // second byte of a two-byte character is never 0x3F, so the "?"s of the text are all
    // there are when nothing was replaced.
    const auto marks = [](const std::string& text) {
        return std::count(text.begin(), text.end(), '?');
    };
    return marks(toAnsiCodePage(utf8)) == marks(utf8);
}

std::filesystem::path fixedNameSavePath(const std::filesystem::path& documentsFolder,
                                        const std::string& utf8Name) {
    const std::filesystem::path name = pathFromUtf8(utf8Name);
    if (documentsFolder.empty()) return std::filesystem::current_path().root_path() / name;
    const std::filesystem::path path = documentsFolder / name;
    // A folder that cannot be made is reported like a file that cannot be written.
    std::error_code error;
    std::filesystem::create_directories(documentsFolder, error);
    if (error) throw FileWriteError(path, saveFailureReason(error));
    return path;
}

std::string saveFailureReason(const std::error_code& error) {
#ifndef _WIN32
    if (error.category() == std::generic_category() || error.category() == std::system_category()) {
        if (error.value() == EDQUOT) return "磁盘空间已满";
    }
#endif
    const std::error_condition cause = error.default_error_condition();
    if (cause == std::errc::permission_denied || cause == std::errc::operation_not_permitted)
        return "没有写入权限";
    if (cause == std::errc::no_space_on_device) return "磁盘空间已满";
    if (cause == std::errc::file_too_large) return "文件太大";
    if (cause == std::errc::no_such_file_or_directory) return "文件夹不存在";
    if (cause == std::errc::not_a_directory) return "路径中有一项不是文件夹";
    if (cause == std::errc::filename_too_long) return "文件名太长";
    if (cause == std::errc::read_only_file_system) return "磁盘只读";
    if (cause == std::errc::is_a_directory) return "已有同名的文件夹";
    if (cause == std::errc::too_many_symbolic_link_levels) return "符号链接过多";
    return error.message();
}

void writeTextFile(const std::filesystem::path& path, const std::vector<std::string>& lines) {
    TextFileWriter writer(path);
    for (const std::string& line : lines) writer.writeLine(line);
    writer.commit();
}

#ifdef _WIN32

struct TextFileWriter::State {
    std::filesystem::path temp;
    std::ofstream out;
    bool committed = false;
};

TextFileWriter::TextFileWriter(const std::filesystem::path& path)
    : m_path(path), m_state(std::make_unique<State>()) {
    std::error_code ec;
    if (std::filesystem::is_directory(path, ec)) throw FileWriteError(path, describe(EISDIR));
    // The common causes, named before the temporary file would fail without one.
    const std::filesystem::path folder = path.parent_path();
    if (!folder.empty()) {
        const auto status = std::filesystem::status(folder, ec);
        if (!std::filesystem::exists(status)) throw FileWriteError(path, describe(ENOENT));
        if (!std::filesystem::is_directory(status)) throw FileWriteError(path, describe(ENOTDIR));
    }
    if (path.filename().native().size() > 255) throw FileWriteError(path, describe(ENAMETOOLONG));
    m_state->temp = folder / temporaryName();
    m_state->out.open(m_state->temp, std::ios::binary | std::ios::trunc);
    if (!m_state->out) throw FileWriteError(path, "临时文件无法创建");
}

TextFileWriter::~TextFileWriter() {
    if (m_state && !m_state->committed) {
        m_state->out.close();
        std::error_code ec;
        std::filesystem::remove(m_state->temp, ec);
    }
}

void TextFileWriter::writeLine(const std::string& utf8) {
    const std::string bytes = toAnsiCodePage(utf8) + "\r\n";
    m_state->out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
}

void TextFileWriter::writeBytes(std::string_view bytes) {
    m_state->out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
}

void TextFileWriter::commit() {
    std::error_code ec;
    m_state->out.close();
    if (!m_state->out) {
        std::filesystem::remove(m_state->temp, ec);
        throw FileWriteError(m_path, "写入失败");
    }
    if (!MoveFileExW(m_state->temp.c_str(), m_path.c_str(),
                     MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) {
        const std::error_code error(static_cast<int>(GetLastError()), std::system_category());
        std::filesystem::remove(m_state->temp, ec);
        throw FileWriteError(m_path, saveFailureReason(error));
    }
    m_state->committed = true;
}

#else

namespace {

constexpr std::size_t kBufferBytes = 1 << 16;

// write(2) until every byte is out; the error number, or 0.
int writeAll(int fd, const char* data, std::size_t size) {
    while (size > 0) {
        const ssize_t n = ::write(fd, data, size);
        if (n < 0 && errno == EINTR) continue;
        if (n < 0) return errno;
        data += n;
        size -= static_cast<std::size_t>(n);
    }
    return 0;
}

// The file a save writes: through a chain of symbolic links (40 at most, as the kernel
// follows), the final target, named relative to the folder of the link that names it.
std::filesystem::path followLinks(std::filesystem::path path, int& error) {
    for (int depth = 0; depth < 40; ++depth) {
        struct stat st {};
        if (::lstat(path.c_str(), &st) != 0 || !S_ISLNK(st.st_mode)) return path;
        std::error_code ec;
        const std::filesystem::path next = std::filesystem::read_symlink(path, ec);
        if (ec) return path;
        path = next.is_absolute() ? next : path.parent_path() / next;
    }
    error = ELOOP;
    return path;
}

}  // namespace

// The content goes into an unnamed file in the target's folder (O_TMPFILE: nothing is left if
// the process dies), or a named one where the file system has no unnamed files. commit() then
// gives it the target's permission bits and owner and renames it over the target, so the
// target's name holds the earlier file or the new one, whole, at every moment: a hard-linked
// target included (its other names keep the earlier file).
// A target that is not a regular file (a FIFO, a device) is written directly.
struct TextFileWriter::State {
    std::filesystem::path target;  // the file written: path with its links followed
    bool exists = false;
    struct stat targetStat {};  // at the start: whether it is a regular file
    int folder = -1;            // the target's folder, for linkat and renameat
    int fd = -1;                // the temporary file, or the target itself when direct
    bool direct = false;
    std::string namedTemp;  // the fallback's name in the folder, or empty
    std::string buffer;
    bool committed = false;
    Converter converter;

    ~State() {
        if (fd >= 0) ::close(fd);
        if (!committed && !namedTemp.empty()) ::unlinkat(folder, namedTemp.c_str(), 0);
        if (folder >= 0) ::close(folder);
    }
};

TextFileWriter::TextFileWriter(const std::filesystem::path& path) : m_path(path) {
    try {
        m_state = std::make_unique<State>();
    } catch (const std::runtime_error& e) {  // no converter for the code page
        throw FileWriteError(path, e.what());
    }
    State& s = *m_state;
    // What the path names, through every link (the kernel's own links under /proc among them).
    s.exists = ::stat(path.c_str(), &s.targetStat) == 0;
    if (s.exists && S_ISDIR(s.targetStat.st_mode)) throw FileWriteError(path, describe(EISDIR));
    // A file the user protected against writing stays protected (a rename would bypass it).
    if (s.exists && ::access(path.c_str(), W_OK) != 0)
        throw FileWriteError(path, errno == EACCES ? "文件为只读" : describe(errno));
    if (s.exists && !S_ISREG(s.targetStat.st_mode)) {
        s.direct = true;
        s.fd = ::open(path.c_str(), O_WRONLY | O_CLOEXEC | O_NOCTTY);
        if (s.fd < 0) throw FileWriteError(path, describe(errno));
        return;
    }
    int error = 0;
    s.target = followLinks(path, error);
    if (error) throw FileWriteError(path, describe(error));

    const std::filesystem::path folder =
        s.target.parent_path().empty() ? std::filesystem::path(".") : s.target.parent_path();
    s.folder = ::open(folder.c_str(), O_PATH | O_DIRECTORY | O_CLOEXEC);
    if (s.folder < 0) throw FileWriteError(path, describe(errno));
    s.fd = ::openat(s.folder, ".", O_TMPFILE | O_RDWR | O_CLOEXEC, 0666);
    if (s.fd >= 0) return;
    if (errno != EOPNOTSUPP && errno != EISDIR && errno != EINVAL)
        throw FileWriteError(path, describe(errno));
    for (int attempt = 0; attempt < 8 && s.fd < 0; ++attempt) {
        s.namedTemp = temporaryName();
        s.fd = ::openat(s.folder, s.namedTemp.c_str(), O_RDWR | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
        if (s.fd < 0 && errno != EEXIST) break;
    }
    if (s.fd < 0) {
        const int openError = errno;
        s.namedTemp.clear();
        throw FileWriteError(path, describe(openError));
    }
}

TextFileWriter::~TextFileWriter() = default;

void TextFileWriter::writeLine(const std::string& utf8) {
    State& s = *m_state;
    s.buffer += s.converter.convert(utf8);
    s.buffer += "\r\n";
    if (s.buffer.size() >= kBufferBytes) flush();
}

void TextFileWriter::writeBytes(std::string_view bytes) {
    State& s = *m_state;
    s.buffer += bytes;
    if (s.buffer.size() >= kBufferBytes) flush();
}

void TextFileWriter::flush() {
    State& s = *m_state;
    if (const int error = writeAll(s.fd, s.buffer.data(), s.buffer.size()))
        throw FileWriteError(m_path, describe(error));
    s.buffer.clear();
}

namespace {

// Saves into one folder take turns while they put their files in place: an advisory lock on the
// folder itself, which every save can open and which no save leaves behind (a lock file beside
// the target would stay in the user's Documents folder). Without a lock, two saves of one file
// still each replace it whole; with it, the one that finishes last wins, with the permission
// bits and owner of the file it replaced. A folder that cannot be opened for reading, or a file
// system without locks, is saved into without one.
class FolderLock {
  public:
    explicit FolderLock(const std::filesystem::path& folder)
        : m_fd(::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC)) {
        if (m_fd < 0) return;
        while (::flock(m_fd, LOCK_EX) != 0 && errno == EINTR) {
        }
    }
    ~FolderLock() {
        if (m_fd >= 0) ::close(m_fd);  // closing the last descriptor releases the lock
    }
    FolderLock(const FolderLock&) = delete;
    FolderLock& operator=(const FolderLock&) = delete;

  private:
    int m_fd;
};

}  // namespace

void TextFileWriter::commit() {
    State& s = *m_state;
    flush();
    if (s.direct) {
        s.committed = true;
        const int fd = std::exchange(s.fd, -1);
        if (::close(fd) != 0 && errno != EINTR) throw FileWriteError(m_path, describe(errno));
        return;
    }
    if (::fsync(s.fd) != 0) throw FileWriteError(m_path, describe(errno));

    const FolderLock lock(s.target.parent_path().empty() ? std::filesystem::path(".")
                                                         : s.target.parent_path());
    // The file as it is now, after any save that went before: the new file takes its owner and
    // permission bits. A file that cannot be given the earlier owner (a user saving another
    // user's file, which the folder lets them replace) becomes theirs, with the earlier group
    // where they may give it and never with the set-user or set-group bit of another owner.
    struct stat old {};
    if (::stat(s.target.c_str(), &old) == 0 && S_ISREG(old.st_mode)) {
        struct stat mine {};
        if (::fstat(s.fd, &mine) != 0) throw FileWriteError(m_path, describe(errno));
        mode_t mode = old.st_mode & 07777;
        if ((mine.st_uid != old.st_uid || mine.st_gid != old.st_gid) &&
            ::fchown(s.fd, old.st_uid, old.st_gid) != 0) {
            mode &= 0777;
            if (mine.st_gid != old.st_gid &&
                ::fchown(s.fd, static_cast<uid_t>(-1), old.st_gid) != 0)
                mode &= 0707;  // the group would be another: its bits are not the user's to give
        }
        if (::fchmod(s.fd, mode) != 0) throw FileWriteError(m_path, describe(errno));
    }

    const std::string targetName = s.target.filename().string();
    if (s.namedTemp.empty()) {
        // Give the unnamed file a short name, then rename that over the target.
        const std::string proc = "/proc/self/fd/" + std::to_string(s.fd);
        int linked = -1;
        for (int attempt = 0; attempt < 8 && linked != 0; ++attempt) {
            s.namedTemp = temporaryName();
            linked =
                ::linkat(AT_FDCWD, proc.c_str(), s.folder, s.namedTemp.c_str(), AT_SYMLINK_FOLLOW);
            if (linked != 0 && errno == ENOENT)  // no /proc: the descriptor itself, if allowed
                linked = ::linkat(s.fd, "", s.folder, s.namedTemp.c_str(), AT_EMPTY_PATH);
            if (linked != 0 && errno != EEXIST) break;
        }
        if (linked != 0) {
            const int error = errno;
            s.namedTemp.clear();
            throw FileWriteError(m_path, describe(error));
        }
    }
    if (::renameat(s.folder, s.namedTemp.c_str(), s.folder, targetName.c_str()) != 0)
        throw FileWriteError(m_path, describe(errno));
    s.namedTemp.clear();
    s.committed = true;
}

#endif

}  // namespace pile
