// Column alignment for the books, lists and files.
//
// A width counts the columns of the text as the files hold it, in code page 936: a character
// of the Basic Multilingual Plane takes one column, one in U+1000..U+9FA5 two. A character the
// code page cannot hold (beyond the BMP, or in that range but not in the code page) is written
// as "?" and takes one. Bytes that are not valid UTF-8 count one column each (each becomes a
// "?"), so a broken text never stops a book from being laid out.
#include "core/text_width.h"

#include <cstdint>

#include "core/code_page.h"

namespace pile {
namespace detail {

constexpr char32_t kWideFirst = 0x1000;
constexpr char32_t kWideLast = 0x9FA5;

// Decodes one code point at s[i]. Returns its length in bytes, or 0 when the bytes there
// are not a well-formed UTF-8 sequence (overlong forms, surrogates and values above
// U+10FFFF included).
std::size_t decodeUtf8(const std::string& s, std::size_t i, char32_t& cp) {
    const auto byte = [&](std::size_t k) { return static_cast<std::uint8_t>(s[k]); };
    const std::uint8_t b0 = byte(i);
    std::size_t len = 0;
    char32_t min = 0;
    if (b0 < 0x80) {
        cp = b0;
        return 1;
    } else if ((b0 & 0xE0) == 0xC0) {
        len = 2;
        cp = b0 & 0x1F;
        min = 0x80;
    } else if ((b0 & 0xF0) == 0xE0) {
        len = 3;
        cp = b0 & 0x0F;
        min = 0x800;
    } else if ((b0 & 0xF8) == 0xF0) {
        len = 4;
        cp = b0 & 0x07;
        min = 0x10000;
    } else {
        return 0;
    }
    if (i + len > s.size()) return 0;
    for (std::size_t k = 1; k < len; ++k) {
        const std::uint8_t b = byte(i + k);
        if ((b & 0xC0) != 0x80) return 0;
        cp = (cp << 6) | (b & 0x3F);
    }
    if (cp < min || cp > 0x10FFFF || (cp >= 0xD800 && cp <= 0xDFFF)) return 0;
    return len;
}

std::string repeat(const std::string& pad, int count) {
    std::string out;
    if (count <= 0 || pad.empty()) return out;
    out.reserve(pad.size() * static_cast<std::size_t>(count));
    for (int i = 0; i < count; ++i) out += pad;
    return out;
}

}  // namespace detail

int DisplayWidth(const std::string& s) {
    int width = 0;
    std::size_t i = 0;
    while (i < s.size()) {
        char32_t cp = 0;
        const std::size_t len = detail::decodeUtf8(s, i, cp);
        if (len == 0) {
            ++width;
            ++i;
            continue;
        }
        // A character the file's code page cannot hold is written as one "?" (every character
        // beyond the BMP among them), so it takes one column where the file has it.
        const bool wide = cp >= detail::kWideFirst && cp <= detail::kWideLast;
        width += wide && InAnsiCodePage(cp) ? 2 : 1;
        i += len;
    }
    return width;
}

std::string PadRight(const std::string& s, const std::string& pad, int width) {
    const int n = width - DisplayWidth(s);
    if (n <= 0) return s;
    return s + detail::repeat(pad, n);
}

std::string PadLeft(const std::string& s, const std::string& pad, int width) {
    const int n = width - DisplayWidth(s);
    if (n <= 0) return s;
    return detail::repeat(pad, n) + s;
}

std::string PadCenter(const std::string& s, const std::string& pad, int width) {
    const int n = width - DisplayWidth(s);
    if (n <= 0) return s;
    const int right = n / 2;
    const int left = n - right;
    return detail::repeat(pad, left) + s + detail::repeat(pad, right);
}

std::string Spaces(int n) {
    return n <= 0 ? std::string() : std::string(static_cast<std::size_t>(n), ' ');
}

}  // namespace pile
