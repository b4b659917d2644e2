// Tests of the display width and the padding helpers that align every column.
#include <gtest/gtest.h>

#include <string>

#include "core/text_width.h"

namespace pile {
namespace {

TEST(DisplayWidth, CountsUtf16UnitsWithWideRange) {
    struct Case {
        const char* name;
        std::string text;
        int expected;
    };
    const Case cases[] = {
        {"empty", "", 0},
        {"latin", "C30", 3},
        {"process name", "干作业成桩(清底干净)", 20},
        {"full-width colon counts one", "计算时间：", 9},
        {"full-width less-than counts one", "＜", 1},
        {"greek counts one", "ζβμψ", 4},
        {"summation sign counts two", "∑", 2},
        {"comparison signs count two", "≤≥", 4},
        {"CJK punctuation counts two", "、《》", 6},
        {"sort mark counts two", "Ra(kN)▲", 8},
        {"last unit below the range", "\xE0\xBF\xBF", 1},   // U+0FFF
        {"box drawing in the range", "\xE2\x94\x80", 2},    // U+2500
        {"last unit of the range", "\xE9\xBE\xA5", 2},      // U+9FA5
        {"first unit above the range", "\xE9\xBE\xA6", 1},  // U+9FA6
        // What the code page cannot hold is saved as one "?", and counted as it.
        {"first unit of the range, not in the code page", "\xE1\x80\x80", 1},  // U+1000
        {"hangul jamo, not in the code page", "\xE1\x84\x80", 1},              // U+1100
        {"outside the BMP", "\xF0\x9F\x98\x80", 1},                            // U+1F600
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(DisplayWidth(c.text), c.expected);
    }
}

TEST(DisplayWidth, InvalidBytesCountOneColumnEach) {
    struct Case {
        const char* name;
        std::string text;
        int expected;
    };
    const Case cases[] = {
        {"stray lead byte", "\xFF", 1},
        {"lone continuation byte",
         "a\x80"
         "b",
         3},
        {"truncated sequence at the end", "a\xE4\xB8", 3},
        {"truncated sequence before ascii",
         "\xE4\xB8"
         "a",
         3},
        {"overlong slash", "\xC0\xAF", 2},
        {"encoded surrogate", "\xED\xA0\x80", 3},
        {"above U+10FFFF", "\xF4\x90\x80\x80", 4},
        {"valid after invalid",
         "\xFF"
         "桩",
         3},
        {"embedded nul", std::string("a\0b", 3), 3},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(DisplayWidth(c.text), c.expected);
    }
}

TEST(Padding, PadsToTheWidthAndNeverCuts) {
    struct Case {
        const char* name;
        std::string actual;
        std::string expected;
    };
    const Case cases[] = {
        {"center even surplus", PadCenter("圆  桩", " ", 8), " 圆  桩 "},
        {"center odd surplus goes left", PadCenter("-", " ", 8), "    -   "},
        {"left", PadLeft("1000", " ", 6), "  1000"},
        {"right", PadRight("ZH12", " ", 6), "ZH12  "},
        {"pile number zeros", PadLeft("7", "0", 3), "007"},
        {"wider than width is kept", PadLeft("12345678", " ", 6), "12345678"},
        {"right, wider kept", PadRight("12345678", " ", 6), "12345678"},
        {"center, exact width", PadCenter("C30", " ", 3), "C30"},
        {"wide characters measured", PadRight("桩", " ", 4), "桩  "},
        {"negative width", PadLeft("x", " ", -3), "x"},
        {"surplus counted once, wide pad overshoots", PadRight("a", "ab", 3), "aabab"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(c.actual, c.expected);
    }
}

TEST(Spaces, GivesNBlanksAndNothingForNonPositive) {
    EXPECT_EQ(Spaces(0), "");
    EXPECT_EQ(Spaces(-1), "");
    EXPECT_EQ(Spaces(3), "   ");
}

}  // namespace
}  // namespace pile
