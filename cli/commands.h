// Sub-commands of pilecalc, the batch front end. Each reads JSON Lines from `in`, writes
// its answers to `out` and reports problems on `err`; the return value is the exit status
// (0 when every line was answered, 2 for a usage error).
#pragma once

#include <iosfwd>
#include <string>
#include <vector>

namespace pile::cli {

inline constexpr int kExitOk = 0;
inline constexpr int kExitUsage = 2;
// Standard input could not be read (a folder, a device error) or standard output not written (a
// full disk, a closed pipe): what was answered is not all that was asked.
inline constexpr int kExitStreamFailed = 1;

// `status`, unless `in` could not be read or `out` not written: then kExitStreamFailed, after a
// message on err that names the command.
int streamStatus(std::istream& in, std::ostream& out, std::ostream& err, const char* command,
                 int status);

int runComputeCommand(const std::vector<std::string>& args, std::istream& in, std::ostream& out,
                      std::ostream& err);
int runBookCommand(const std::vector<std::string>& args, std::istream& in, std::ostream& out,
                   std::ostream& err);
// Reads one JSON request from `in` (the whole stream) rather than JSON Lines; its exit statuses
// are listed in search_command.cpp.
int runSearchCommand(const std::vector<std::string>& args, std::istream& in, std::ostream& out,
                     std::ostream& err);

// "--precision N" with N in 0..4; false (and a message on err) for anything else.
bool parsePrecision(const std::string& text, int& mode, std::ostream& err);

// "--formula N" with N 1 or 2.
bool parseFormula(const std::string& text, int& formula, std::ostream& err);

}  // namespace pile::cli
