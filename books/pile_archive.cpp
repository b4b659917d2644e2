// The archive of older piles: records of a row and the lines of a book, each text behind its
// length, one after another in a temporary file that the system deletes with the process.
#include "books/pile_archive.h"

#include <stdexcept>

#ifdef _WIN32
#include <io.h>
#else
#include <unistd.h>
#endif

namespace pile {

namespace {

[[noreturn]] void fail(const char* what) {
    throw std::runtime_error(std::string("temporary file of the books: ") + what);
}

void writeNumber(std::FILE* f, std::uint64_t n) {
    if (std::fwrite(&n, sizeof n, 1, f) != 1) fail("cannot write");
}

void writeText(std::FILE* f, const std::string& text) {
    writeNumber(f, text.size());
    if (!text.empty() && std::fwrite(text.data(), 1, text.size(), f) != text.size())
        fail("cannot write");
}

std::uint64_t readNumber(std::FILE* f) {
    std::uint64_t n = 0;
    if (std::fread(&n, sizeof n, 1, f) != 1) fail("cannot read");
    return n;
}

std::string readText(std::FILE* f) {
    std::string text(readNumber(f), '\0');
    if (!text.empty() && std::fread(text.data(), 1, text.size(), f) != text.size())
        fail("cannot read");
    return text;
}

void seekTo(std::FILE* f, std::uint64_t offset) {
#ifdef _WIN32
    if (_fseeki64(f, static_cast<long long>(offset), SEEK_SET) != 0) fail("cannot seek");
#else
    if (fseeko(f, static_cast<off_t>(offset), SEEK_SET) != 0) fail("cannot seek");
#endif
}

}  // namespace

PileArchive::PileArchive() : m_file(std::tmpfile()) {
    if (!m_file) fail("cannot be made");
}

PileArchive::~PileArchive() { std::fclose(m_file); }

void PileArchive::push(const std::string& row, const std::vector<std::string>& book) {
    seekTo(m_file, m_end);
    writeText(m_file, row);
    writeNumber(m_file, book.size());
    for (const std::string& line : book) writeText(m_file, line);
    m_offsets.push_back(m_end);
    m_end += sizeof(std::uint64_t) * (2 + book.size()) + row.size();
    for (const std::string& line : book) m_end += line.size();
}

void PileArchive::pop(std::string& row, std::vector<std::string>& book) {
    if (m_offsets.empty()) fail("no pile to take back");
    std::fflush(m_file);
    seekTo(m_file, m_offsets.back());
    read(row, book);
    // The space is written over by the next pile.
    m_end = m_offsets.back();
    m_offsets.pop_back();
}

void PileArchive::clear() {
    m_offsets.clear();
    m_end = 0;
    std::fflush(m_file);
#ifdef _WIN32
    _chsize_s(_fileno(m_file), 0);
#else
    if (::ftruncate(fileno(m_file), 0) != 0) fail("cannot be emptied");
#endif
}

void PileArchive::read(std::string& row, std::vector<std::string>& book) const {
    row = readText(m_file);
    book.assign(readNumber(m_file), std::string());
    for (std::string& line : book) line = readText(m_file);
}

void PileArchive::forEach(
    const std::function<void(const std::string&, const std::vector<std::string>&)>& visit) const {
    std::fflush(m_file);
    std::string row;
    std::vector<std::string> book;
    for (std::size_t i = 0; i < m_offsets.size(); ++i) {
        seekTo(m_file, m_offsets[i]);
        read(row, book);
        visit(row, book);
    }
}

}  // namespace pile
