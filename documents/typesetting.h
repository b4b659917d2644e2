// What the typeset documents share: the A4 page with its header and footer lines, the PDF
// writer's settings, and the soil figures drawn into a QTextDocument as vectors.
#pragma once

#include <QObject>
#include <QPageLayout>
#include <QRectF>
#include <QTextObjectInterface>
#include <filesystem>
#include <functional>
#include <vector>

#include "books/book_model.h"

class QFont;
class QPagedPaintDevice;
class QPainter;
class QPdfWriter;
class QTextDocument;

namespace pile::documents {

// Where a page's parts stand, in the device's pixels from the top left of the margins' area.
struct PageFrame {
    QRectF body;             // the text's page, from (0, 0)
    double bodyTop = 0;      // where the body is painted, below the header
    double paperHeight = 0;  // of the margins' area; the footer stands at its foot
    double mm = 1;           // pixels a millimetre
};

// Sets the device to A4 with the books' margins and gives the frame of its pages.
PageFrame setUpPage(QPagedPaintDevice& device, QPageLayout::Orientation orientation);

// The header (the program and the standard at the left, `right` at the right, a rule) and the
// footer "第 N 页 共 M 页" of page `page` of `pages`.
void paintPageFrame(QPainter& painter, const PageFrame& frame, const QFont& font,
                    const QString& right, int page, int pages);

// Moves each heading that a page's foot would leave alone to the next page; the numbers of
// the blocks given a page break go to `moved`.
void keepHeadingsWithNext(QTextDocument& document, double pageHeight, std::vector<int>* moved);

// Resolution, creator and title of the books' PDF files.
void setUpPdf(QPdfWriter& pdf, const QString& title);

// Writes a PDF into the file at `path` through a TextFileWriter: `paint` paints it onto the
// writer it is given, and the file is put in place once the PDF is whole. Throws
// FileWriteError; nothing of a failed save is left.
void savePdf(const std::filesystem::path& path, const QString& title,
             const std::function<void(QPdfWriter&)>& paint);

// Draws the soil figures of a book where the book's HTML has their images ("soil://N", N the
// index in `figures`), with drawPileInSoil(), so that a PDF holds them as lines and text.
class SoilFigureObject : public QObject, public QTextObjectInterface {
    Q_OBJECT
    Q_INTERFACES(QTextObjectInterface)

  public:
    SoilFigureObject();
    ~SoilFigureObject() override;

    QSizeF intrinsicSize(QTextDocument* document, int position, const QTextFormat& format) override;
    void drawObject(QPainter* painter, const QRectF& rect, QTextDocument* document, int position,
                    const QTextFormat& format) override;

    std::vector<BookSoilFigure> figures;
};

}  // namespace pile::documents
