// The summary table (汇总表) typeset: a ruled table of a row a pile on A4 landscape pages, the
// column headings repeated at the top of every page, no row parted between two pages, the
// note on the standard and the calculation time below it; the same table as an ODF text. The
// cells are those of the text summary table, in its order, without the blanks that place them
// in the fixed-pitch lines.
//
// The rows are read by a visit, three times for a PDF (widths, heights, painting), so that a
// table of any length takes the memory of its column widths and row heights only.
#pragma once

#include <QByteArray>
#include <QString>
#include <cstddef>
#include <filesystem>
#include <functional>
#include <string>
#include <vector>

class QPagedPaintDevice;

namespace pile {
class WindowBooks;
}

namespace pile::documents {

struct SummaryTableSource {
    std::vector<QString> captions1;  // each column's two heading lines
    std::vector<QString> captions2;
    std::size_t rows = 0;
    // Hands each row's cells, in order, to the visit; the same rows each time.
    std::function<void(const std::function<void(const std::vector<std::string>&)>&)> forEachRow;
    std::string timeText;  // after "计算时间："
};

// The summary table of the books; it reads the books while it is used.
SummaryTableSource summaryTableSource(const WindowBooks& books);

// Lays the table out on the device's pages (A4 landscape) and paints them; returns the pages.
int printSummaryTable(QPagedPaintDevice& device, const SummaryTableSource& table);

// The table as a PDF's bytes, and written into a file through a TextFileWriter as it is made
// (throws FileWriteError).
QByteArray summaryTablePdf(const SummaryTableSource& table, int* pageCount = nullptr);
void saveSummaryTablePdf(const std::filesystem::path& path, const SummaryTableSource& table);

// The table as an ODF text's bytes: a table with a heading row, then the note and the time.
QByteArray summaryTableOdt(const SummaryTableSource& table);

}  // namespace pile::documents
