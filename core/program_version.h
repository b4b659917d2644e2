// The program's version and the commit it was built from, for --version, the About box and a
// document's properties. The version is the project's, set once in the top CMakeLists.txt.
#pragma once

#include <string>

namespace pile {

const char* ProgramVersion();  // "1.0.0"
const char* ProgramCommit();   // the short hash of the commit, or "unknown" outside a git tree

// "1.0.0 (3dd2f05a1b2c)": how the program names its build to a user.
inline std::string ProgramVersionText() {
    return std::string(ProgramVersion()) + " (" + ProgramCommit() + ")";
}

}  // namespace pile
