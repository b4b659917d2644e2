#include "sheets/xlsx_file.h"

#include "books/text_file.h"

#ifdef PILE_HAVE_XLSXWRITER

#include <fcntl.h>
#include <unistd.h>
#include <xlsxwriter.h>

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <map>
#include <utility>

#include "core/text_width.h"
#include "sheets/sheet_cell.h"

namespace pile {

namespace {

// Excel counts a column's width in characters of its default font; a Chinese character takes
// two, as on the fixed-pitch books.
constexpr double kMaxColumnWidth = 60;

}  // namespace

struct XlsxFile::State {
    std::size_t rowsPerSheet;
    std::string tempFolder;  // where the workbook is made, and the library keeps its own files
    std::string tempPath;
    lxw_workbook* workbook = nullptr;
    std::unique_ptr<TextFileWriter> target;

    // The sheet being written.
    lxw_worksheet* sheet = nullptr;
    std::string name;
    std::vector<std::string> headers;
    int part = 0;  // 1 for the first sheet of a name, 2 for its continuation, ...
    std::size_t rows = 0;
    std::vector<int> widths;

    lxw_format* headerFormat = nullptr;
    std::map<std::pair<int, bool>, lxw_format*> numberFormats;

    ~State() {
        if (workbook) workbook_close(workbook);
        if (!tempPath.empty()) std::remove(tempPath.c_str());
    }

    lxw_format* numberFormat(int decimals, bool percent) {
        auto& format = numberFormats[{decimals, percent}];
        if (!format) {
            format = workbook_add_format(workbook);
            format_set_num_format(format, sheetNumberFormat(decimals, percent).c_str());
        }
        return format;
    }
};

namespace {

[[noreturn]] void fail(const std::filesystem::path& path, lxw_error error) {
    throw FileWriteError(path, std::string("Excel 文件写出失败：") + lxw_strerror(error));
}

void check(const std::filesystem::path& path, lxw_error error) {
    if (error != LXW_NO_ERROR) fail(path, error);
}

}  // namespace

bool XlsxFile::available() { return true; }

XlsxFile::XlsxFile(const std::filesystem::path& path, std::size_t rowsPerSheet)
    : m_path(path), m_state(std::make_unique<State>()) {
    State& s = *m_state;
    s.rowsPerSheet = std::max<std::size_t>(1, std::min(rowsPerSheet, kRowsPerSheet));
    // The target first: a folder that refuses the file is named before any work is done.
    s.target = std::make_unique<TextFileWriter>(path);
    // The folder TMPDIR names (else /tmp), as for the books' archive.
    const char* tmpdir = std::getenv("TMPDIR");
    s.tempFolder = tmpdir && *tmpdir ? tmpdir : "/tmp";
    std::string name = s.tempFolder + "/rockpile-sheet-XXXXXX";
    const int fd = ::mkostemp(name.data(), O_CLOEXEC);
    if (fd < 0) {
        const std::error_code error(errno, std::generic_category());
        throw FileWriteError(
            path, "临时文件无法创建 (" + s.tempFolder + ")：" + saveFailureReason(error));
    }
    ::close(fd);
    s.tempPath = name;

    lxw_workbook_options options{};
    options.constant_memory = LXW_TRUE;
    options.tmpdir = s.tempFolder.data();
    options.use_zip64 = LXW_TRUE;
    s.workbook = workbook_new_opt(s.tempPath.c_str(), &options);
    if (!s.workbook) throw FileWriteError(path, "Excel 文件无法创建");
    s.headerFormat = workbook_add_format(s.workbook);
    format_set_bold(s.headerFormat);
}

XlsxFile::~XlsxFile() = default;

namespace {

void finishSheet(const std::filesystem::path& path, lxw_worksheet* sheet, std::size_t rows,
                 const std::vector<int>& widths) {
    if (!sheet || widths.empty()) return;
    for (std::size_t c = 0; c < widths.size(); ++c) {
        const double width = std::min(kMaxColumnWidth, widths[c] + 2.0);
        check(path, worksheet_set_column(sheet, static_cast<lxw_col_t>(c),
                                         static_cast<lxw_col_t>(c), width, nullptr));
    }
    check(path, worksheet_autofilter(sheet, 0, 0, static_cast<lxw_row_t>(rows),
                                     static_cast<lxw_col_t>(widths.size() - 1)));
}

}  // namespace

void XlsxFile::startSheet(const std::string& name, const std::vector<std::string>& headers) {
    State& s = *m_state;
    finishSheet(m_path, s.sheet, s.rows, s.widths);
    const bool continues = s.sheet && name == s.name;
    s.part = continues ? s.part + 1 : 1;
    const std::string sheetName = s.part == 1 ? name : name + " (" + std::to_string(s.part) + ")";
    s.name = name;
    s.headers = headers;
    s.rows = 0;
    s.widths.assign(headers.size(), 0);
    s.sheet = workbook_add_worksheet(s.workbook, sheetName.c_str());
    if (!s.sheet) throw FileWriteError(m_path, "Excel 工作表无法创建：" + sheetName);
    for (std::size_t c = 0; c < headers.size(); ++c) {
        check(m_path, worksheet_write_string(s.sheet, 0, static_cast<lxw_col_t>(c),
                                             headers[c].c_str(), s.headerFormat));
        s.widths[c] = DisplayWidth(headers[c]);
    }
    worksheet_freeze_panes(s.sheet, 1, 0);
}

void XlsxFile::addRow(const std::vector<std::string>& cells) {
    State& s = *m_state;
    if (s.rows == s.rowsPerSheet) {
        // The same name continues: startSheet numbers the part.
        const std::string name = s.name;
        const std::vector<std::string> headers = s.headers;
        startSheet(name, headers);
    }
    const auto row = static_cast<lxw_row_t>(++s.rows);
    if (s.widths.size() < cells.size()) s.widths.resize(cells.size(), 0);
    for (std::size_t c = 0; c < cells.size(); ++c) {
        const SheetCell cell = readSheetCell(cells[c]);
        const auto col = static_cast<lxw_col_t>(c);
        if (cell.kind == SheetCell::Kind::Number)
            check(m_path, worksheet_write_number(s.sheet, row, col, cell.number,
                                                 s.numberFormat(cell.decimals, cell.percent)));
        else if (!cell.text.empty())
            check(m_path, worksheet_write_string(s.sheet, row, col, cell.text.c_str(), nullptr));
        s.widths[c] = std::max(s.widths[c], DisplayWidth(cell.text));
    }
}

void XlsxFile::commit() {
    State& s = *m_state;
    finishSheet(m_path, s.sheet, s.rows, s.widths);
    lxw_workbook* workbook = std::exchange(s.workbook, nullptr);
    check(m_path, workbook_close(workbook));
    std::FILE* made = std::fopen(s.tempPath.c_str(), "rb");
    if (!made) throw FileWriteError(m_path, "临时文件无法读取 (" + s.tempFolder + ")");
    std::string buffer(1 << 16, '\0');
    for (;;) {
        const std::size_t n = std::fread(buffer.data(), 1, buffer.size(), made);
        if (n > 0) s.target->writeBytes(std::string_view(buffer.data(), n));
        if (n < buffer.size()) break;
    }
    const bool readFailed = std::ferror(made) != 0;
    std::fclose(made);
    if (readFailed) throw FileWriteError(m_path, "临时文件无法读取 (" + s.tempFolder + ")");
    s.target->commit();
}

}  // namespace pile

#else

namespace pile {

struct XlsxFile::State {};

bool XlsxFile::available() { return false; }

XlsxFile::XlsxFile(const std::filesystem::path& path, std::size_t) : m_path(path) {
    throw FileWriteError(path, "本版本不能写出 Excel 文件");
}

XlsxFile::~XlsxFile() = default;
void XlsxFile::startSheet(const std::string&, const std::vector<std::string>&) {}
void XlsxFile::addRow(const std::vector<std::string>&) {}
void XlsxFile::commit() {}

}  // namespace pile

#endif
