// Which characters code page 936 holds: asked of the same converter the files are written with
// (iconv on POSIX, the Windows conversion functions elsewhere), once for the range of
// characters whose width depends on it, and kept in a table.
#include "core/code_page.h"

#include <bitset>
#include <string>

#ifdef _WIN32
#ifndef NOMINMAX
#define NOMINMAX
#endif
#include <windows.h>
#else
#include <iconv.h>
#endif

namespace pile {

namespace {

// The range asked of the converter: the two-column characters of the width rule. Elsewhere in the
// Basic Multilingual Plane a character and its "?" both take one column, so the converter is
// asked character by character, without a table.
constexpr char32_t kTableFirst = 0x1000;
constexpr char32_t kTableLast = 0x9FA5;

#ifdef _WIN32

class Converter {
  public:
    bool holds(char32_t cp) const {
        const wchar_t wide = static_cast<wchar_t>(cp);
        char out[8];
        BOOL usedDefault = FALSE;
        // The flags the files are written with (best fit allowed): what the file would hold.
        const int len =
            WideCharToMultiByte(936, 0, &wide, 1, out, sizeof out, nullptr, &usedDefault);
        return len > 0 && !usedDefault;
    }
};

#else

class Converter {
  public:
    Converter() {
        m_cd = iconv_open("CP936", "UTF-8");
        if (m_cd == reinterpret_cast<iconv_t>(-1)) m_cd = iconv_open("GBK", "UTF-8");
    }
    ~Converter() {
        if (m_cd != reinterpret_cast<iconv_t>(-1)) iconv_close(m_cd);
    }
    Converter(const Converter&) = delete;
    Converter& operator=(const Converter&) = delete;

    bool holds(char32_t cp) const {
        // Without a converter the files cannot be written at all; the width rule stands as is.
        if (m_cd == reinterpret_cast<iconv_t>(-1)) return true;
        char in[4];
        std::size_t inLen = 0;
        if (cp < 0x800) {
            in[0] = static_cast<char>(0xC0 | (cp >> 6));
            in[1] = static_cast<char>(0x80 | (cp & 0x3F));
            inLen = 2;
        } else {
            in[0] = static_cast<char>(0xE0 | (cp >> 12));
            in[1] = static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
            in[2] = static_cast<char>(0x80 | (cp & 0x3F));
            inLen = 3;
        }
        char out[8];
        char* src = in;
        char* dst = out;
        std::size_t dstLeft = sizeof out;
        iconv(m_cd, nullptr, nullptr, nullptr, nullptr);
        return iconv(m_cd, &src, &inLen, &dst, &dstLeft) != static_cast<std::size_t>(-1);
    }

  private:
    iconv_t m_cd;
};

#endif

using Table = std::bitset<kTableLast - kTableFirst + 1>;

Table makeTable() {
    const Converter converter;
    Table table;
    for (char32_t cp = kTableFirst; cp <= kTableLast; ++cp)
        table[cp - kTableFirst] = converter.holds(cp);
    return table;
}

}  // namespace

bool InAnsiCodePage(char32_t cp) {
    if (cp < 0x80) return true;
    if (cp > 0xFFFF || (cp >= 0xD800 && cp <= 0xDFFF)) return false;
    if (cp >= kTableFirst && cp <= kTableLast) {
        static const Table table = makeTable();
        return table[cp - kTableFirst];
    }
    return Converter().holds(cp);
}

}  // namespace pile
