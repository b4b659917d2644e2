// The result files: their fixed names and the writing of a text file in code page 936.
//
// A file holds the lines in code page 936 (GBK, the ANSI code page of a Chinese Windows) on every
// platform, without a byte-order mark, every line ending in CR LF, the last one too.
#pragma once

#include <filesystem>
#include <memory>
#include <stdexcept>
#include <string>
#include <string_view>
#include <system_error>
#include <vector>

namespace pile {

// The four files, directly in the user's Documents folder, shared by both calculators.
inline constexpr const char* kDetailedBookFileName = "嵌岩桩计算书(依据DBJ50-200-2014)_文本.txt";
inline constexpr const char* kSummaryTableFileName = "嵌岩桩计算书(依据DBJ50-200-2014)_表格.txt";
inline constexpr const char* kRawListFileName =
    "嵌岩桩优化计算原始结果(依据DBJ50-200-2014)_表格.txt";
inline constexpr const char* kFilteredListFileName =
    "嵌岩桩优化计算筛选结果(依据DBJ50-200-2014)_表格.txt";

// A file that could not be written. what() names the file and the reason.
class FileWriteError : public std::runtime_error {
  public:
    FileWriteError(const std::filesystem::path& path, const std::string& reason);
    const std::filesystem::path& path() const { return m_path; }

  private:
    std::filesystem::path m_path;
};

// A path from UTF-8 text (the file names above are UTF-8 on every platform).
std::filesystem::path pathFromUtf8(const std::string& utf8);

// Where a file of fixed name is saved: in the user's Documents folder, made when it is missing,
// or, without one, at the root of the current drive. Throws FileWriteError when the folder
// cannot be made.
std::filesystem::path fixedNameSavePath(const std::filesystem::path& documentsFolder,
                                        const std::string& utf8Name);

// The UTF-8 text converted to code page 936. A character the code page cannot hold, and
// each byte of malformed UTF-8, becomes "?".
std::string toAnsiCodePage(const std::string& utf8);

// Whether toAnsiCodePage() keeps every character of the UTF-8 text (no "?" of its own).
bool fitsAnsiCodePage(const std::string& utf8);

// Why a save failed, in the user's words: the common causes (no permission, a full disk, a
// missing folder or one that is a file, a name too long, a read-only disk) in Chinese, any other
// in the system's words.
std::string saveFailureReason(const std::error_code& error);

// A text file written line by line, each line converted and ended with CR LF, and put in place
// whole by commit(). Until then, and whenever anything fails, the earlier file stays as it was;
// a writer that goes without commit() leaves nothing behind, and on Linux neither does a
// process that dies meanwhile. A regular file is always replaced whole, by a rename: its name
// holds the earlier content or the new, never a mix, whenever the process is stopped. The file
// keeps what the user gave it: a save writes through a symbolic link to its target and keeps the
// target's permission bits and owner (where the system lets the saver give them); the other names
// of a hard-linked target keep the earlier content. A target that is not a regular file (a FIFO,
// a device) is written directly. Saves into one folder put their files in place one at a time
// (an advisory lock on the folder; on Windows the rename alone), so of two saves of one file the
// later one wins, whole. Every failure throws FileWriteError.
class TextFileWriter {
  public:
    explicit TextFileWriter(const std::filesystem::path& path);
    ~TextFileWriter();
    TextFileWriter(const TextFileWriter&) = delete;
    TextFileWriter& operator=(const TextFileWriter&) = delete;

    void writeLine(const std::string& utf8);
    // Bytes written as they are, for a file that is not text (a spreadsheet).
    void writeBytes(std::string_view bytes);
    void commit();

  private:
    void flush();

    struct State;
    std::filesystem::path m_path;
    std::unique_ptr<State> m_state;
};

// Writes the lines as one TextFileWriter does.
void writeTextFile(const std::filesystem::path& path, const std::vector<std::string>& lines);

}  // namespace pile
