// The user guide that F1 opens: the copy installed with the program, else the one the build
// puts beside it.
#pragma once

#include <QString>

namespace pile {

inline constexpr const char* kUserGuideName = "用户手册.html";

// The guide for a program in `programDir`: share/doc/rockpile beside the program's bin folder
// (an installed program), else `programDir` itself (a build); empty when neither holds it.
QString userGuidePath(const QString& programDir);

}  // namespace pile
