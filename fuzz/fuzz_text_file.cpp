// libFuzzer target: the file writer. Lines of arbitrary bytes (split at line feeds) are saved;
// the file holds every line in code page 936 ended by CR LF and nothing else, and a line the
// code page holds whole comes back unchanged when read back.
#include <iconv.h>
#include <stdlib.h>
#include <unistd.h>

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "books/text_file.h"
#include "fuzz/fuzz_checks.h"

namespace {

using pile::fuzz::check;

std::string fromCp936(const std::string& bytes) {
    static iconv_t cd = iconv_open("UTF-8", "CP936");
    iconv(cd, nullptr, nullptr, nullptr, nullptr);
    std::string out(bytes.size() * 3 + 4, '\0');
    char* src = const_cast<char*>(bytes.data());
    size_t srcLeft = bytes.size();
    char* dst = out.data();
    size_t dstLeft = out.size();
    if (iconv(cd, &src, &srcLeft, &dst, &dstLeft) == static_cast<size_t>(-1)) return "\x01";
    out.resize(out.size() - dstLeft);
    return out;
}

const std::filesystem::path& scratchFolder() {
    static const std::filesystem::path folder = [] {
        char name[] = "/tmp/fuzz_text_file_XXXXXX";
        const char* made = ::mkdtemp(name);
        check(made != nullptr, "no scratch folder");
        return std::filesystem::path(made);
    }();
    return folder;
}

struct RemoveScratch {
    ~RemoveScratch() {
        std::error_code ec;
        std::filesystem::remove_all(scratchFolder(), ec);
    }
} removeScratch;

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    std::vector<std::string> lines(1);
    for (std::size_t i = 0; i < size; ++i) {
        if (data[i] == '\n')
            lines.emplace_back();
        else if (data[i] != '\r')  // a line of the books holds no line break
            lines.back() += static_cast<char>(data[i]);
    }
    const std::filesystem::path path = scratchFolder() / "book.txt";
    pile::writeTextFile(path, lines);

    std::ifstream in(path, std::ios::binary);
    const std::string bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    std::size_t at = 0;
    for (const std::string& line : lines) {
        const std::string expected = pile::toAnsiCodePage(line);
        check(bytes.compare(at, expected.size(), expected) == 0,
              "a line is not what it converts to");
        at += expected.size();
        check(bytes.compare(at, 2, "\r\n") == 0, "a line does not end in CR LF");
        at += 2;
        if (expected.find('?') == std::string::npos && line.find('?') == std::string::npos)
            check(fromCp936(expected) == line, "a line the code page holds does not come back");
    }
    check(at == bytes.size(), "the file holds more than the lines");
    return 0;
}
