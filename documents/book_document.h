// The calculation books typeset: the blocks of books/book_model.h as a QTextDocument (headings
// as headings, label-value lines as an aligned table with units, formulas with subscripts and
// their clause at the right margin, ruled tables), laid out on A4 portrait pages with a header
// (the program, the standard, the pile of the page) and the footer "第 N 页 共 M 页". Every book
// starts on a new page. Needs Qt GUI only: a QGuiApplication must exist (offscreen will do).
#pragma once

#include <QByteArray>
#include <QString>
#include <memory>
#include <vector>

#include "books/book_model.h"

class QPagedPaintDevice;
class QTextDocument;

namespace pile::documents {

// The program's name in the page header.
inline constexpr const char* kProgramName = "嵌岩桩承载力计算";

class BookDocument {
  public:
    // The books of piles in order; the time line is printed after the last one only, as the
    // book memo holds it.
    explicit BookDocument(const std::vector<BookModel>& books);
    ~BookDocument();
    BookDocument(const BookDocument&) = delete;
    BookDocument& operator=(const BookDocument&) = delete;

    // Lays the books out on the device's pages (set to A4 portrait with the margins here) and
    // paints every page. Returns the number of pages.
    int print(QPagedPaintDevice& device);

    // The document as an ODF text (.odt), for Word and WPS: tables as tables, text as text.
    QByteArray odt();

    // "ZH1-ZH12", or "ZH3" for one pile: the piles of the books.
    QString pileRange() const;

    QTextDocument& document() { return *m_document; }

  private:
    void keepHeadingsWithNext(double pageHeight);

    std::unique_ptr<QTextDocument> m_document;
    std::vector<QString> m_piles;  // the pile of each book, "ZH3"
};

// The books as a PDF file's bytes.
QByteArray bookPdf(const std::vector<BookModel>& books, int* pageCount = nullptr);

// The books as an ODF text's bytes.
QByteArray bookOdt(const std::vector<BookModel>& books);

// Makes the QGuiApplication the typesetting needs when the program has none (the command line),
// on the offscreen platform when there is no display. It lives until the program ends.
void ensureGuiApplication();

// The font family of the typeset books: the one the book views use.
QString bookFontFamily();

}  // namespace pile::documents
