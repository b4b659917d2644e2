// How every command ends when its standard streams failed.
#include <iostream>

#include "cli/commands.h"

namespace pile::cli {

int streamStatus(std::istream& in, std::ostream& out, std::ostream& err, const char* command,
                 int status) {
    if (in.bad()) {
        err << command << ": standard input could not be read\n";
        return kExitStreamFailed;
    }
    if (!out.flush()) {
        err << command << ": standard output could not be written\n";
        return kExitStreamFailed;
    }
    return status;
}

}  // namespace pile::cli
