// The result files: their fixed names and the writing of a text file in code page 936.
//
// A file holds the lines in code page 936 (GBK, the ANSI code page of a Chinese Windows) on every
// platform, without a byte-order mark, every line ending in CR LF, the last one too.
#pragma once

#include <filesystem>
#include <stdexcept>
#include <string>
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

// The UTF-8 text converted to code page 936. A character the code page cannot hold, and
// each byte of malformed UTF-8, becomes "?".
std::string toAnsiCodePage(const std::string& utf8);

// Writes the lines, converted and ended with CR LF, to a temporary file beside `path` and
// renames it over `path` once it is complete. On any failure the earlier file is left as it
// was, the temporary file is removed and FileWriteError is thrown.
void writeTextFile(const std::filesystem::path& path, const std::vector<std::string>& lines);

}  // namespace pile
