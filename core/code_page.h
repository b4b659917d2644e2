// Code page 936 (GBK), the code page of every file the program writes: which characters it
// holds, for the widths of the texts that go into those files.
#pragma once

namespace pile {

// Whether code page 936 holds the character. A character it does not hold is written to a file
// as one "?". Characters beyond the Basic Multilingual Plane are never held.
bool InAnsiCodePage(char32_t cp);

}  // namespace pile
