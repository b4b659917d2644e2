// The calculation books typeset: the blocks of books/book_model.h as a QTextDocument (headings
// as headings, label-value lines as an aligned table with units, formulas with subscripts and
// their clause at the right margin, ruled tables), laid out on A4 portrait pages with a header
// (the program, the standard, the pile of the page) and the footer "第 N 页 共 M 页". Every book
// starts on a new page. Needs Qt GUI only: a QGuiApplication must exist (offscreen will do).
//
// Pages are made a book at a time (printBooks): each book is a QTextDocument of its own, laid
// out once to count its pages and again to paint them, so that a batch of any length takes the
// memory of one book; the soil figures are drawn as lines and text. The ODF text is one
// document of all the books (BookDocument), for the few books of a window.
#pragma once

#include <QByteArray>
#include <QString>
#include <cstddef>
#include <filesystem>
#include <functional>
#include <memory>
#include <vector>

#include "books/book_model.h"

class QPagedPaintDevice;
class QTextDocument;

namespace pile::documents {

// The program's name in the page header.
inline constexpr const char* kProgramName = "嵌岩桩承载力计算";

// Hands each book of a batch, in order, to `visit`; it may be called more than once and must
// give the same books each time.
using ForEachBook = std::function<void(const std::function<void(const BookModel&)>& visit)>;

// Lays the `count` books out on the device's pages (set to A4 portrait with the margins here),
// one at a time, and paints every page. The time line is printed after the last book only, as
// the book memo holds it. Returns the number of pages.
int printBooks(QPagedPaintDevice& device, std::size_t count, const ForEachBook& forEach);

// All the books as one document, for the ODF text.
class BookDocument {
  public:
    // The books of piles in order; the time line is printed after the last one only.
    explicit BookDocument(const std::vector<BookModel>& books);
    ~BookDocument();
    BookDocument(const BookDocument&) = delete;
    BookDocument& operator=(const BookDocument&) = delete;

    // The document as an ODF text (.odt), for Word and WPS: tables as tables, text as text.
    QByteArray odt();

    // "ZH1-ZH12", or "ZH3" for one pile: the piles of the books.
    QString pileRange() const;

    QTextDocument& document() { return *m_document; }

  private:
    std::unique_ptr<QTextDocument> m_document;
    std::vector<QString> m_piles;  // the pile of each book, "ZH3"
};

// The books as a PDF file's bytes.
QByteArray bookPdf(const std::vector<BookModel>& books, int* pageCount = nullptr);

// The books' PDF written straight into the file at `path` through a TextFileWriter
// (books/text_file.h), page by page: the earlier file stays whole until the new one is, and a
// failure throws FileWriteError with its cause. `title` names the piles ("ZH1-ZH12").
int saveBooksPdf(const std::filesystem::path& path, std::size_t count, const ForEachBook& forEach,
                 const QString& title);

// The books as an ODF text's bytes.
QByteArray bookOdt(const std::vector<BookModel>& books);

// Makes the QGuiApplication the typesetting needs when the program has none (the command line),
// on the offscreen platform when there is no display. It lives until the program ends.
void ensureGuiApplication();

// The font family of the typeset books: the one the book views use.
QString bookFontFamily();

}  // namespace pile::documents
