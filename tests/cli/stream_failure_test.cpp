// A run whose standard output cannot be written (a full disk) or whose standard input cannot be
// read (a folder) fails with a message, whichever command it is.
#include <gtest/gtest.h>

#include <cstdio>
#include <fstream>
#include <ios>
#include <sstream>
#include <streambuf>
#include <string>
#include <vector>

#include "cli/commands.h"

namespace pile::cli {
namespace {

// Takes nothing: every write fails, as on a full disk.
class FullBuffer : public std::streambuf {
  protected:
    int_type overflow(int_type) override { return traits_type::eof(); }
    std::streamsize xsputn(const char*, std::streamsize) override { return 0; }
};

// Gives a line, then fails to read, as the file buffer does on a folder.
class FailingInput : public std::streambuf {
  public:
    FailingInput() { setg(m_line, m_line, m_line + sizeof m_line - 1); }

  protected:
    int_type underflow() override { throw std::ios_base::failure("read error"); }

  private:
    char m_line[4] = "{}\n";
};

using Command = int (*)(const std::vector<std::string>&, std::istream&, std::ostream&,
                        std::ostream&);

TEST(StreamFailure, EveryCommandFailsWithAMessage) {
    const struct {
        const char* name;
        Command run;
    } commands[] = {
        {"compute", runComputeCommand},
        {"book", runBookCommand},
        {"search", runSearchCommand},
    };
    for (const auto& c : commands) {
        SCOPED_TRACE(c.name);
        {
            std::istringstream in("{}\n");
            FullBuffer full;
            std::ostream out(&full);
            std::ostringstream err;
            EXPECT_EQ(c.run({}, in, out, err), kExitStreamFailed);
            EXPECT_NE(err.str().find("standard output could not be written"), std::string::npos)
                << err.str();
        }
        {
            FailingInput failing;
            std::istream in(&failing);
            std::ostringstream out, err;
            EXPECT_EQ(c.run({}, in, out, err), kExitStreamFailed);
            EXPECT_NE(err.str().find("standard input could not be read"), std::string::npos)
                << err.str();
        }
    }
}

// A book asked for with --out is not written from input that was cut short.
TEST(StreamFailure, NoFileFromUnreadInput) {
    FailingInput failing;
    std::istream in(&failing);
    std::ostringstream out, err;
    const std::string path = testing::TempDir() + "stream_failure_book.txt";
    std::remove(path.c_str());
    EXPECT_EQ(runBookCommand({"--out", path}, in, out, err), kExitStreamFailed);
    EXPECT_FALSE(std::ifstream(path).good());
}

}  // namespace
}  // namespace pile::cli
