// Writing a text file in code page 936, replaced whole and only when complete.
//
// Encoding: code page 936 (GBK) on every platform, which holds the Chinese text, the Greek
// letters and the maths signs of the books: through WideCharToMultiByte on Windows, through
// iconv elsewhere. The file is written to a temporary file in the target's folder and
// renamed over the target, so a failed save never leaves a half-written file in its place.
#include "books/text_file.h"

#include <cerrno>
#include <cstdint>
#include <random>
#include <system_error>

#ifdef _WIN32
#include <fstream>
#ifndef NOMINMAX
#define NOMINMAX
#endif
#include <windows.h>
#else
#include <fcntl.h>
#include <iconv.h>
#include <unistd.h>
#endif

namespace pile {

namespace {

std::string describe(int error) { return std::generic_category().message(error); }

std::string pathText(const std::filesystem::path& path) {
    const std::u8string text = path.u8string();
    return std::string(text.begin(), text.end());
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

// A name for the temporary file, unique enough that O_EXCL rarely has to retry.
std::filesystem::path temporarySibling(const std::filesystem::path& target) {
    static thread_local std::mt19937_64 engine{std::random_device{}()};
    static const char* digits = "0123456789abcdef";
    std::string suffix = ".";
    std::uint64_t value = engine();
    for (int i = 0; i < 12; ++i, value >>= 4) suffix += digits[value & 15];
    std::filesystem::path name = target.filename();
    name += pathFromUtf8(suffix + ".tmp");
    return target.parent_path() / name;
}

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

void writeTextFile(const std::filesystem::path& path, const std::vector<std::string>& lines) {
    std::string bytes;
#ifdef _WIN32
    for (const std::string& line : lines) bytes += toAnsiCodePage(line) + "\r\n";
#else
    try {
        Converter converter;
        for (const std::string& line : lines) bytes += converter.convert(line) + "\r\n";
    } catch (const std::runtime_error& e) {  // no converter for the code page
        throw FileWriteError(path, e.what());
    }
#endif

    std::error_code ec;
    if (std::filesystem::is_directory(path, ec)) throw FileWriteError(path, describe(EISDIR));

#ifdef _WIN32
    const std::filesystem::path temp = temporarySibling(path);
    {
        std::ofstream out(temp, std::ios::binary | std::ios::trunc);
        if (!out) throw FileWriteError(path, "临时文件无法创建");
        out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
        out.close();
        if (!out) {
            std::filesystem::remove(temp, ec);
            throw FileWriteError(path, "写入失败");
        }
    }
#else
    // A file the user protected against writing stays protected (a rename would bypass it).
    if (::access(path.c_str(), F_OK) == 0 && ::access(path.c_str(), W_OK) != 0) {
        throw FileWriteError(path, describe(errno));
    }
    std::filesystem::path temp;
    int fd = -1;
    for (int attempt = 0; attempt < 8 && fd < 0; ++attempt) {
        temp = temporarySibling(path);
        fd = ::open(temp.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
        if (fd < 0 && errno != EEXIST) break;
    }
    if (fd < 0) throw FileWriteError(path, describe(errno));

    const auto fail = [&](int error) {
        if (fd >= 0) ::close(fd);
        std::filesystem::remove(temp, ec);
        throw FileWriteError(path, describe(error));
    };
    size_t written = 0;
    while (written < bytes.size()) {
        const ssize_t n = ::write(fd, bytes.data() + written, bytes.size() - written);
        if (n < 0 && errno == EINTR) continue;
        if (n < 0) fail(errno);
        written += static_cast<size_t>(n);
    }
    if (::fsync(fd) != 0) fail(errno);
    const int closed = ::close(fd);
    fd = -1;
    if (closed != 0) fail(errno);
#endif

#ifdef _WIN32
    if (!MoveFileExW(temp.c_str(), path.c_str(),
                     MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) {
        const std::string reason = std::system_category().message(static_cast<int>(GetLastError()));
        std::filesystem::remove(temp, ec);
        throw FileWriteError(path, reason);
    }
#else
    if (::rename(temp.c_str(), path.c_str()) != 0) fail(errno);
#endif
}

}  // namespace pile
