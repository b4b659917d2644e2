// The archive of older piles: in memory while small, then records of a row and the lines of a
// book, each text behind its length, one after another in a temporary file that the system
// deletes with the process.
#include "books/pile_archive.h"

#include <cerrno>
#include <cstdlib>
#include <stdexcept>
#include <system_error>

#ifdef _WIN32
#include <io.h>
#ifndef NOMINMAX
#define NOMINMAX
#endif
#include <windows.h>
#else
#include <fcntl.h>
#include <unistd.h>
#endif

namespace pile {

namespace {

std::string reasonOf(int error) { return std::generic_category().message(error); }

std::size_t bytesOf(const std::string& row, const std::vector<std::string>& book) {
    std::size_t bytes = row.size() + sizeof(std::string) * (1 + book.size());
    for (const std::string& line : book) bytes += line.size();
    return bytes;
}

#ifdef _WIN32

std::string utf8Of(const std::wstring& wide) {
    const int len = WideCharToMultiByte(CP_UTF8, 0, wide.data(), static_cast<int>(wide.size()),
                                        nullptr, 0, nullptr, nullptr);
    std::string out(static_cast<std::size_t>(len > 0 ? len : 0), '\0');
    if (len > 0)
        WideCharToMultiByte(CP_UTF8, 0, wide.data(), static_cast<int>(wide.size()), out.data(), len,
                            nullptr, nullptr);
    return out;
}

// A new file in the user's temporary folder, deleted when it is closed. The folder, for the
// messages, goes to `folder`; nullptr (errno set) when the file cannot be made.
std::FILE* openTemporaryFile(std::string& folder) {
    wchar_t dir[MAX_PATH + 1];
    const DWORD len = GetTempPathW(MAX_PATH + 1, dir);
    if (len == 0 || len > MAX_PATH) {
        errno = ENOENT;
        return nullptr;
    }
    folder = utf8Of(std::wstring(dir, len));
    wchar_t name[MAX_PATH + 1];
    if (GetTempFileNameW(dir, L"rpb", 0, name) == 0) {
        errno = GetLastError() == ERROR_ACCESS_DENIED ? EACCES : ENOENT;
        return nullptr;
    }
    // "D": deleted when closed, also when the process ends.
    std::FILE* file = _wfopen(name, L"w+bD");
    if (!file) {
        const int error = errno;
        DeleteFileW(name);
        errno = error;
    }
    return file;
}

#else

// An unnamed file in the folder TMPDIR names (else /tmp), gone when the process ends; a named
// one unlinked at once where the file system has no unnamed files. The folder, for the
// messages, goes to `folder`; nullptr (errno set) when the file cannot be made.
std::FILE* openTemporaryFile(std::string& folder) {
    const char* tmpdir = std::getenv("TMPDIR");
    folder = tmpdir && *tmpdir ? tmpdir : "/tmp";
    int fd = ::open(folder.c_str(), O_TMPFILE | O_RDWR | O_EXCL | O_CLOEXEC, 0600);
    if (fd < 0 && (errno == EOPNOTSUPP || errno == EISDIR || errno == EINVAL)) {
        std::string name = folder + "/rockpile-books-XXXXXX";
        fd = ::mkostemp(name.data(), O_CLOEXEC);
        if (fd >= 0) ::unlink(name.c_str());
    }
    if (fd < 0) return nullptr;
    std::FILE* file = ::fdopen(fd, "w+b");
    if (!file) {
        const int error = errno;
        ::close(fd);
        errno = error;
    }
    return file;
}

#endif

}  // namespace

PileArchive::PileArchive(std::size_t memoryBytes) : m_memoryLimit(memoryBytes) {}

PileArchive::~PileArchive() {
    if (m_file) std::fclose(m_file);
}

namespace {

class FileIo {
  public:
    FileIo(std::FILE* f, const std::string& folder) : m_f(f), m_folder(folder) {}

    [[noreturn]] void fail(const char* what, int error) const {
        throw std::runtime_error("the temporary file of the books in " + m_folder + " " + what +
                                 " (" + reasonOf(error) + ")");
    }
    void writeNumber(std::uint64_t n) const {
        if (std::fwrite(&n, sizeof n, 1, m_f) != 1) fail("cannot be written", errno);
    }
    void writeText(const std::string& text) const {
        writeNumber(text.size());
        if (!text.empty() && std::fwrite(text.data(), 1, text.size(), m_f) != text.size())
            fail("cannot be written", errno);
    }
    void flush() const {
        if (std::fflush(m_f) != 0) fail("cannot be written", errno);
    }
    std::uint64_t readNumber() const {
        std::uint64_t n = 0;
        if (std::fread(&n, sizeof n, 1, m_f) != 1) fail("cannot be read", errno ? errno : EIO);
        return n;
    }
    std::string readText() const {
        std::string text(readNumber(), '\0');
        if (!text.empty() && std::fread(text.data(), 1, text.size(), m_f) != text.size())
            fail("cannot be read", errno ? errno : EIO);
        return text;
    }
    void seekTo(std::uint64_t offset) const {
#ifdef _WIN32
        if (_fseeki64(m_f, static_cast<long long>(offset), SEEK_SET) != 0)
            fail("cannot be written", errno);
#else
        if (fseeko(m_f, static_cast<off_t>(offset), SEEK_SET) != 0)
            fail("cannot be written", errno);
#endif
    }

  private:
    std::FILE* m_f;
    const std::string& m_folder;
};

}  // namespace

void PileArchive::moveToDisk() {
    std::string folder;
    std::FILE* file = openTemporaryFile(folder);
    if (!file)
        throw std::runtime_error("the temporary file of the books cannot be made in " + folder +
                                 " (" + reasonOf(errno) + ")");
    m_file = file;
    m_folder = folder;
    m_offsets.clear();
    m_end = 0;
    try {
        for (const Pile& pile : m_memory) write(pile.row, pile.book);
    } catch (...) {
        // The piles stay in memory, as they were.
        std::fclose(m_file);
        m_file = nullptr;
        m_offsets.clear();
        m_end = 0;
        throw;
    }
    m_memory.clear();
    m_memory.shrink_to_fit();
    m_memoryBytes = 0;
}

void PileArchive::write(const std::string& row, const std::vector<std::string>& book) {
    const FileIo io(m_file, m_folder);
    io.seekTo(m_end);
    io.writeText(row);
    io.writeNumber(book.size());
    for (const std::string& line : book) io.writeText(line);
    // A full disk shows here, while the pile is still the caller's.
    io.flush();
    m_offsets.push_back(m_end);
    m_end += sizeof(std::uint64_t) * (2 + book.size()) + row.size();
    for (const std::string& line : book) m_end += line.size();
}

void PileArchive::push(const std::string& row, const std::vector<std::string>& book) {
    if (m_file) {
        write(row, book);
        return;
    }
    const std::size_t bytes = bytesOf(row, book);
    if (m_memoryBytes + bytes > m_memoryLimit) {
        moveToDisk();
        write(row, book);
        return;
    }
    m_memory.push_back({row, book});
    m_memoryBytes += bytes;
}

void PileArchive::pop(std::string& row, std::vector<std::string>& book) {
    if (!m_file) {
        if (m_memory.empty()) throw std::logic_error("the books' archive has no pile to take back");
        row = std::move(m_memory.back().row);
        book = std::move(m_memory.back().book);
        m_memoryBytes -= bytesOf(row, book);
        m_memory.pop_back();
        return;
    }
    if (m_offsets.empty()) throw std::logic_error("the books' archive has no pile to take back");
    FileIo(m_file, m_folder).seekTo(m_offsets.back());
    read(row, book);
    // The space is written over by the next pile.
    m_end = m_offsets.back();
    m_offsets.pop_back();
}

void PileArchive::clear() {
    m_memory.clear();
    m_memoryBytes = 0;
    m_offsets.clear();
    m_end = 0;
    if (!m_file) return;
    std::fflush(m_file);
#ifdef _WIN32
    _chsize_s(_fileno(m_file), 0);
#else
    if (::ftruncate(fileno(m_file), 0) != 0)
        FileIo(m_file, m_folder).fail("cannot be emptied", errno);
#endif
}

void PileArchive::read(std::string& row, std::vector<std::string>& book) const {
    const FileIo io(m_file, m_folder);
    errno = 0;
    row = io.readText();
    book.assign(io.readNumber(), std::string());
    for (std::string& line : book) line = io.readText();
}

void PileArchive::forEach(
    const std::function<void(const std::string&, const std::vector<std::string>&)>& visit) const {
    if (!m_file) {
        for (const Pile& pile : m_memory) visit(pile.row, pile.book);
        return;
    }
    std::string row;
    std::vector<std::string> book;
    for (std::size_t i = 0; i < m_offsets.size(); ++i) {
        FileIo(m_file, m_folder).seekTo(m_offsets[i]);
        read(row, book);
        visit(row, book);
    }
}

}  // namespace pile
