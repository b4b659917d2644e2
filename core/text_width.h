// Column alignment for the books, lists and files. Text is UTF-8; widths count UTF-16
// code units, with one more column for each unit in U+1000..U+9FA5 (the CJK range of a
// fixed-pitch font where such a character takes two columns). The width is that of the text
// as the files hold it: a character code page 936 cannot hold is saved as "?", one column.
#pragma once

#include <string>

namespace pile {

int DisplayWidth(const std::string& s);

// The surplus n = width - DisplayWidth(s) is measured once; n <= 0 returns s unchanged.
std::string PadRight(const std::string& s, const std::string& pad, int width);
std::string PadLeft(const std::string& s, const std::string& pad, int width);
// An odd surplus goes to the left.
std::string PadCenter(const std::string& s, const std::string& pad, int width);

std::string Spaces(int n);

}  // namespace pile
