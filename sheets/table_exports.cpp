#include "sheets/table_exports.h"

#include <string_view>
#include <vector>

#include "books/book_sheets.h"
#include "books/formula_two_book.h"
#include "books/window_books.h"
#include "optimise/result_list.h"
#include "sheets/xlsx_file.h"

namespace pile {

void saveSummaryTableSheet(const std::filesystem::path& path, const WindowBooks& books) {
    XlsxFile file(path);
    file.startSheet("汇总表", summarySheetHeaders(books.layout()));
    const auto add = [&file](const std::vector<std::string>& cells) { file.addRow(cells); };
    const auto skip = [](const std::vector<std::string>&) {};
    books.forEachSheetRecord([&](std::string_view record) { forEachSheetRow(record, add, skip); });
    if (books.layout().width == formulaTwoTableLayout().width) {
        file.startSheet("土层", soilSheetHeaders());
        books.forEachSheetRecord(
            [&](std::string_view record) { forEachSheetRow(record, skip, add); });
    }
    file.commit();
}

void saveListSheet(const std::filesystem::path& path, const ResultList& list,
                   const std::string& sheetName) {
    const ListLayout& layout = list.layout();
    std::vector<ListField> fields;
    std::vector<std::string> headers;
    for (const ListColumn& column : layout.columns) {
        if (column.hidden) continue;
        fields.push_back(column.field);
        headers.emplace_back(column.header);
    }
    XlsxFile file(path);
    file.startSheet(sheetName, headers);
    std::vector<std::string> cells(fields.size());
    for (std::size_t row = 0; row < list.size(); ++row) {
        for (std::size_t c = 0; c < fields.size(); ++c) cells[c] = list.fieldText(row, fields[c]);
        file.addRow(cells);
    }
    file.commit();
}

}  // namespace pile
