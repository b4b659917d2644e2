// A spreadsheet (.xlsx) written row by row in bounded memory, and put in place whole with the
// guarantees of every save (books/text_file.h): until commit() the earlier file stays as it was.
//
// Each sheet opens with a header row, frozen, over an autofilter; its columns are made as wide as
// their widest cell. A cell whose text is a number is written as that number with the decimals
// the text shows (sheets/sheet_cell.h), every other cell as its text.
#pragma once

#include <cstddef>
#include <filesystem>
#include <memory>
#include <string>
#include <vector>

namespace pile {

class XlsxFile {
  public:
    // The rows a sheet holds under its header: the format's limit.
    static constexpr std::size_t kRowsPerSheet = 1'048'575;
    // Whether this build writes spreadsheets (the Windows cross build has no library for them).
    static bool available();

    // Throws FileWriteError when the file cannot be written, or this build has no writer.
    explicit XlsxFile(const std::filesystem::path& path, std::size_t rowsPerSheet = kRowsPerSheet);
    ~XlsxFile();
    XlsxFile(const XlsxFile&) = delete;
    XlsxFile& operator=(const XlsxFile&) = delete;

    // Starts a sheet. Rows beyond rowsPerSheet go on to a sheet of the same name and a number,
    // "原始结果 (2)", with the same header.
    void startSheet(const std::string& name, const std::vector<std::string>& headers);
    void addRow(const std::vector<std::string>& cells);
    // Closes the workbook and puts the file in place; throws FileWriteError.
    void commit();

  private:
    struct State;
    std::filesystem::path m_path;
    std::unique_ptr<State> m_state;
};

}  // namespace pile
