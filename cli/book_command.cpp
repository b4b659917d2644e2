// pilecalc book: placeholder until the books library lands.
#include <iostream>

#include "cli/commands.h"

namespace pile::cli {

int runBookCommand(const std::vector<std::string>&, std::istream&, std::ostream&,
                   std::ostream& err) {
    err << "pilecalc book: not available yet\n";
    return kExitUsage;
}

}  // namespace pile::cli
