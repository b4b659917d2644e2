// The typeset books: HTML from the blocks, laid out by QTextDocument, painted page by page.
#include "documents/book_document.h"

#include <QAbstractTextDocumentLayout>
#include <QBuffer>
#include <QFontDatabase>
#include <QGuiApplication>
#include <QPageLayout>
#include <QPageSize>
#include <QPagedPaintDevice>
#include <QPainter>
#include <QPdfWriter>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextDocumentWriter>
#include <QTextFormat>
#include <QTextFrame>
#include <QUrl>
#include <algorithm>
#include <exception>
#include <variant>

#include "books/detailed_book.h"
#include "books/text_file.h"
#include "core/program_version.h"
#include "documents/rich_text.h"
#include "documents/soil_drawing.h"
#include "documents/typesetting.h"

namespace pile::documents {

namespace {

// Margins of the page in mm; the header and the footer stand inside them.
constexpr double kMarginLeft = 20;
constexpr double kMarginRight = 18;
constexpr double kMarginTop = 22;
constexpr double kMarginBottom = 20;
// Text size of the books, in points.
constexpr double kFontPoints = 10;
// The soil figure in the text's pixels: 150 x 110 mm on the page.
constexpr int kFigureWidth = 520;
constexpr int kFigureHeight = 381;

QString fromUtf8(const std::string& s) { return QString::fromUtf8(s.data(), qsizetype(s.size())); }

QString joinedLabel(const std::vector<std::string>& lines) {
    std::string label;
    for (const std::string& line : lines) label += line;
    return richText(label);
}

const char* alignOf(CellAlign align) {
    switch (align) {
        case CellAlign::Left:
            return "left";
        case CellAlign::Centre:
            return "center";
        case CellAlign::Right:
            break;
    }
    return "right";
}

// The blocks of one book as HTML; consecutive value lines share one aligned table.
class HtmlWriter {
  public:
    HtmlWriter(QString& html, std::vector<BookSoilFigure>& figures, bool firstBook, bool lastBook)
        : m_html(html), m_figures(figures), m_firstBook(firstBook), m_lastBook(lastBook) {}

    void write(const BookBlock& block) {
        const bool value = std::holds_alternative<BookValue>(block);
        if (!value) closeValues();
        std::visit([this](const auto& b) { add(b); }, block);
    }
    void finish() { closeValues(); }

  private:
    void closeValues() {
        if (!m_inValues) return;
        m_html += QStringLiteral("</table>");
        m_inValues = false;
    }

    void add(const BookTitle& b) {
        m_html += QStringLiteral("<h1 align=\"center\"%1>%2</h1>")
                      .arg(m_firstBook ? QString()
                                       : QStringLiteral(" style=\"page-break-before: always\""),
                           htmlText(b.name));
        m_html += QStringLiteral("<h2>%1. %2: %3</h2>")
                      .arg(htmlText(b.number), htmlText(b.label), htmlText(b.pile));
    }
    void add(const BookHeading& b) {
        if (b.level == 1)
            m_html += QStringLiteral("<h2>%1. %2</h2>").arg(htmlText(b.number), richText(b.text));
        else
            m_html += QStringLiteral("<h3>%1 %2</h3>").arg(htmlText(b.number), richText(b.text));
    }
    void add(const BookValue& b) {
        if (!m_inValues) {
            m_html += QStringLiteral(
                "<table width=\"100%\" cellspacing=\"0\" cellpadding=\"2\" border=\"0\">");
            m_inValues = true;
        }
        // A numbered value line opens its section: the number stands before the label, bold.
        const QString number =
            b.number.empty() ? QString() : QStringLiteral("<b>%1</b>").arg(htmlText(b.number));
        m_html += QStringLiteral(
                      "<tr><td width=\"7%\">%1</td><td width=\"63%\">%2</td>"
                      "<td width=\"18%\" align=\"right\">%3</td><td width=\"12%\">%4</td></tr>")
                      .arg(number, joinedLabel(b.labelLines), htmlText(b.value), richText(b.unit));
    }
    void add(const BookNote& b) {
        m_html += QStringLiteral("<p style=\"margin-left: 2em\">%1</p>")
                      .arg(joinedLabel(b.lines).trimmed());
    }
    void add(const BookFormula& b) {
        QString formula = richText(b.text);
        if (!b.upper.empty() || !b.lower.empty()) {
            // The limits of the sum beside its sign.
            const qsizetype sum = formula.indexOf(QChar(0x2211));
            if (sum >= 0)
                formula.insert(sum + 1, QStringLiteral("<sub>%1</sub><sup>%2</sup>")
                                            .arg(richText(b.lower), richText(b.upper)));
        }
        m_html +=
            QStringLiteral(
                "<table width=\"100%\" cellspacing=\"0\" cellpadding=\"1\" border=\"0\">"
                "<tr><td width=\"12%\"></td><td width=\"68%\"><i>%1</i></td>"
                "<td width=\"20%\" align=\"right\">%2</td></tr></table>")
                .arg(formula,
                     b.clause.empty() ? QString() : QStringLiteral("(%1)").arg(htmlText(b.clause)));
    }
    void add(const BookTable& b) {
        // Tables of one kind stand one under the other at one width: the layer number column
        // narrow, the others sharing the rest.
        const int columns = int(b.columns.size());
        const bool layers = columns > 0 && b.columns.front().width <= 2;
        const int tableWidth = std::min(90, 18 * columns + (layers ? 0 : 8));
        const int layerWidth = layers ? 8 : 0;
        const int otherWidth =
            columns > (layers ? 1 : 0) ? (100 - layerWidth) / (columns - (layers ? 1 : 0)) : 100;
        m_html += QStringLiteral(
                      "<table align=\"center\" width=\"%1%\" cellspacing=\"0\" cellpadding=\"2\" "
                      "border=\"1\" style=\"border-collapse: collapse; border-color: #000000; "
                      "margin-top: 4px; margin-bottom: 4px\"><thead><tr>")
                      .arg(tableWidth);
        for (int i = 0; i < columns; ++i) {
            const BookColumn& column = b.columns[size_t(i)];
            const QString top = captionText(column.caption1);
            const QString bottom = captionText(column.caption2);
            m_html +=
                QStringLiteral("<th align=\"center\" width=\"%1%\">%2%3%4</th>")
                    .arg(layers && i == 0 ? layerWidth : otherWidth)
                    .arg(top,
                         top.isEmpty() || bottom.isEmpty() ? QString() : QStringLiteral("<br/>"),
                         bottom);
        }
        m_html += QStringLiteral("</tr></thead>");
        for (const std::vector<std::string>& row : b.rows) {
            m_html += QStringLiteral("<tr>");
            for (size_t i = 0; i < row.size() && i < b.columns.size(); ++i)
                m_html += QStringLiteral("<td align=\"%1\">%2</td>")
                              .arg(QLatin1String(alignOf(b.columns[i].align)), htmlText(row[i]));
            m_html += QStringLiteral("</tr>");
        }
        m_html += QStringLiteral("</table>");
    }
    void add(const BookSoilFigure& b) {
        m_figures.push_back(b);
        m_html += QStringLiteral(
                      "<p align=\"center\"><img src=\"soil://%1\" width=\"%2\" "
                      "height=\"%3\"/></p><p align=\"center\">%4</p>")
                      .arg(m_figures.size() - 1)
                      .arg(kFigureWidth)
                      .arg(kFigureHeight)
                      .arg(!b.rockText.empty() ? QStringLiteral("桩身嵌岩示意")
                                               : QStringLiteral("桩身与土层及负摩阻力分布"));
    }
    void add(const BookClosing& b) {
        m_html += QStringLiteral("<hr/>");
        if (m_lastBook)
            m_html +=
                QStringLiteral("<p>%1%2</p>").arg(htmlText(kTimeLinePrefix), htmlText(b.timeText));
    }

    QString& m_html;
    std::vector<BookSoilFigure>& m_figures;
    bool m_firstBook;
    bool m_lastBook;
    bool m_inValues = false;
};

QString pileOf(const BookModel& book) {
    for (const BookBlock& block : book.blocks)
        if (const auto* title = std::get_if<BookTitle>(&block)) return fromUtf8(title->pile);
    return {};
}

void setUpDocument(QTextDocument& document) {
    // Latin letters, digits and Greek in a serif face that has them all; Chinese characters
    // fall back to the book views' font.
    QFont font;
    font.setFamilies({QStringLiteral("DejaVu Serif"), bookFontFamily()});
    font.setPointSizeF(kFontPoints);
    document.setDefaultFont(font);
    // A word longer than its cell or line (a text typed without blanks) breaks where it must.
    QTextOption option = document.defaultTextOption();
    option.setWrapMode(QTextOption::WrapAtWordBoundaryOrAnywhere);
    document.setDefaultTextOption(option);
    document.setDefaultStyleSheet(
        QStringLiteral("h1 { font-size: 17pt; margin-top: 0px; margin-bottom: 4px; } "
                       "h2 { font-size: 12pt; margin-top: 8px; margin-bottom: 3px; } "
                       "h3 { font-size: 10.5pt; margin-top: 5px; margin-bottom: 2px; } "
                       "p { margin-top: 1px; margin-bottom: 1px; } th { font-weight: normal; }"));
}

// The HTML of books; their figures go to `figures` in the order of their images.
QString booksHtml(const std::vector<const BookModel*>& books, bool lastIsLast,
                  std::vector<BookSoilFigure>& figures) {
    QString html = QStringLiteral("<html><body>");
    for (size_t i = 0; i < books.size(); ++i) {
        HtmlWriter writer(html, figures, i == 0, lastIsLast && i + 1 == books.size());
        for (const BookBlock& block : books[i]->blocks) writer.write(block);
        writer.finish();
    }
    html += QStringLiteral("</body></html>");
    return html;
}

// One book typeset on its own pages: its document, its figures drawn where their images stand.
class TypesetBook {
  public:
    TypesetBook(const BookModel& book, bool last, const PageFrame& frame, QPagedPaintDevice& device)
        : m_pile(pileOf(book)), m_frame(frame) {
        setUpDocument(m_document);
        m_document.documentLayout()->setPaintDevice(&device);
        m_document.setPageSize(frame.body.size());
        m_document.documentLayout()->registerHandler(QTextFormat::ImageObject, &m_figures);
        m_document.setHtml(booksHtml({&book}, last, m_figures.figures));
    }

    // Lays the book out, a lone heading at a page's foot moved to the next page; the blocks
    // given a page break are added to `breaks`.
    int layOut(std::vector<int>& breaks) {
        keepHeadingsWithNext(m_document, m_frame.body.height(), &breaks);
        return m_document.pageCount();
    }
    // Lays the book out with the page breaks of an earlier layOut() at once.
    int layOut(const std::vector<int>& breaks) {
        for (const int number : breaks) {
            const QTextBlock block = m_document.findBlockByNumber(number);
            if (!block.isValid()) continue;
            QTextCursor cursor(block);
            QTextBlockFormat format = block.blockFormat();
            format.setPageBreakPolicy(QTextFormat::PageBreak_AlwaysBefore);
            cursor.setBlockFormat(format);
        }
        return m_document.pageCount();
    }

    // Paints the laid-out pages as pages first+1.. of `total`.
    void paint(QPainter& painter, QPagedPaintDevice& device, bool& anyPage, int first, int total) {
        const int pages = m_document.pageCount();
        for (int page = 0; page < pages; ++page) {
            if (anyPage) device.newPage();
            anyPage = true;
            paintPageFrame(painter, m_frame, m_document.defaultFont(),
                           m_pile.isEmpty() ? QString() : QStringLiteral("基桩 %1").arg(m_pile),
                           first + page + 1, total);
            painter.save();
            const double height = m_frame.body.height();
            painter.translate(0, m_frame.bodyTop - page * height);
            const QRectF clip(0, page * height, m_frame.body.width(), height);
            painter.setClipRect(clip);
            QAbstractTextDocumentLayout::PaintContext context;
            context.clip = clip;
            m_document.documentLayout()->draw(&painter, context);
            painter.restore();
        }
    }

  private:
    QString m_pile;
    PageFrame m_frame;
    SoilFigureObject m_figures;
    QTextDocument m_document;  // after the handler it uses, so that it goes first
};

// The bytes a QPdfWriter writes, handed to a TextFileWriter as they come. A failure is kept and
// thrown once the writer has returned, never through Qt's code.
class FileDevice : public QIODevice {
  public:
    explicit FileDevice(TextFileWriter& file) : m_file(file) { open(QIODevice::WriteOnly); }
    // Written front to back, never sought.
    bool isSequential() const override { return true; }
    void rethrow() const {
        if (m_failure) std::rethrow_exception(m_failure);
    }

  protected:
    qint64 readData(char*, qint64) override { return -1; }
    qint64 writeData(const char* data, qint64 size) override {
        if (m_failure) return -1;
        try {
            m_file.writeBytes(std::string_view(data, size_t(size)));
        } catch (...) {
            m_failure = std::current_exception();
            return -1;
        }
        return size;
    }

  private:
    TextFileWriter& m_file;
    std::exception_ptr m_failure;
};

}  // namespace

QString bookFontFamily() {
    if (QFontDatabase::families().contains(QStringLiteral("SimHei")))
        return QStringLiteral("SimHei");
    return QStringLiteral("AR PL UMing CN");
}

SoilFigureObject::SoilFigureObject() = default;
SoilFigureObject::~SoilFigureObject() = default;

QSizeF SoilFigureObject::intrinsicSize(QTextDocument* document, int, const QTextFormat& format) {
    // The size in the pixels of a 96-dpi screen, as images are sized, on the device laid out for.
    const QTextImageFormat image = format.toImageFormat();
    const QPaintDevice* device = document ? document->documentLayout()->paintDevice() : nullptr;
    const double scale = device ? device->logicalDpiX() / 96.0 : 1.0;
    return QSizeF(image.width() * scale, image.height() * scale);
}

void SoilFigureObject::drawObject(QPainter* painter, const QRectF& rect, QTextDocument*, int,
                                  const QTextFormat& format) {
    const QString name = format.toImageFormat().name();
    bool ok = false;
    const qsizetype index = name.mid(name.indexOf(QStringLiteral("://")) + 3).toLongLong(&ok);
    if (!ok || index < 0 || size_t(index) >= figures.size()) return;
    drawPileInSoil(*painter, rect, figures[size_t(index)]);
}

PageFrame setUpPage(QPagedPaintDevice& device, QPageLayout::Orientation orientation) {
    device.setPageLayout(QPageLayout(
        QPageSize(QPageSize::A4), orientation,
        QMarginsF(kMarginLeft, kMarginTop, kMarginRight, kMarginBottom), QPageLayout::Millimeter));
    const QRect paper = device.pageLayout().paintRectPixels(device.logicalDpiX());
    PageFrame frame;
    frame.mm = device.logicalDpiY() / 25.4;
    // The body leaves room for the header and footer lines inside the margins' paint area.
    frame.body = QRectF(0, 0, paper.width(), paper.height() - 12 * frame.mm);
    frame.bodyTop = 7 * frame.mm;
    frame.paperHeight = paper.height();
    return frame;
}

void paintPageFrame(QPainter& painter, const PageFrame& frame, const QFont& font,
                    const QString& right, int page, int pages) {
    QFont small = font;
    small.setPointSizeF(8.5);
    small.setBold(false);
    painter.setFont(small);
    painter.setPen(Qt::black);
    const double mm = frame.mm;
    const QRectF header(0, 0, frame.body.width(), 5 * mm);
    painter.drawText(
        header, Qt::AlignLeft | Qt::AlignVCenter,
        QStringLiteral("%1    依据 DBJ 50-200-2014").arg(QString::fromUtf8(kProgramName)));
    painter.drawText(header, Qt::AlignRight | Qt::AlignVCenter, right);
    painter.drawLine(QPointF(0, header.bottom() + 0.5 * mm),
                     QPointF(frame.body.width(), header.bottom() + 0.5 * mm));
    const QRectF footer(0, frame.paperHeight - 5 * mm, frame.body.width(), 5 * mm);
    painter.drawText(footer, Qt::AlignHCenter | Qt::AlignVCenter,
                     QStringLiteral("第 %1 页 共 %2 页").arg(page).arg(pages));
}

void keepHeadingsWithNext(QTextDocument& document, double pageHeight, std::vector<int>* moved) {
    // A heading left alone at the foot of a page moves to the next one: the page break goes
    // before it, and the pages after it are laid out again. Each pass moves the first such
    // heading; a heading moves once.
    QAbstractTextDocumentLayout* layout = document.documentLayout();
    const auto page = [pageHeight](double y) { return int(y / pageHeight); };
    for (;;) {
        bool movedOne = false;
        QTextFrame* root = document.rootFrame();
        for (auto it = root->begin(); !it.atEnd() && !movedOne; ++it) {
            const QTextBlock block = it.currentBlock();
            if (!block.isValid() || block.blockFormat().headingLevel() == 0 ||
                block.blockFormat().pageBreakPolicy() & QTextFormat::PageBreak_AlwaysBefore)
                continue;
            auto next = it;
            ++next;
            if (next.atEnd()) break;
            const QRectF heading = layout->blockBoundingRect(block);
            const QRectF following = next.currentFrame()
                                         ? layout->frameBoundingRect(next.currentFrame())
                                         : layout->blockBoundingRect(next.currentBlock());
            // The following part starts on a later page, or its first line does not fit.
            const double firstLine = next.currentFrame() ? 40 : 0;
            if (page(heading.top()) != page(following.top() + firstLine)) {
                QTextCursor cursor(block);
                QTextBlockFormat format = block.blockFormat();
                format.setPageBreakPolicy(QTextFormat::PageBreak_AlwaysBefore);
                cursor.setBlockFormat(format);
                if (moved) moved->push_back(block.blockNumber());
                movedOne = true;
            }
        }
        if (!movedOne) return;
    }
}

int printBooks(QPagedPaintDevice& device, std::size_t count, const ForEachBook& forEach) {
    const PageFrame frame = setUpPage(device, QPageLayout::Portrait);
    // First each book's pages and the page breaks that keep its headings with what they head;
    // then the books again, laid out at once with those breaks, and painted.
    std::vector<int> pages;
    std::vector<std::vector<int>> breaks;
    pages.reserve(count);
    breaks.reserve(count);
    forEach([&](const BookModel& book) {
        TypesetBook typeset(book, pages.size() + 1 == count, frame, device);
        breaks.emplace_back();
        pages.push_back(typeset.layOut(breaks.back()));
    });
    int total = 0;
    for (const int n : pages) total += n;

    QPainter painter(&device);
    bool anyPage = false;
    size_t index = 0;
    int first = 0;
    forEach([&](const BookModel& book) {
        if (index >= pages.size()) return;
        TypesetBook typeset(book, index + 1 == count, frame, device);
        typeset.layOut(breaks[index]);
        typeset.paint(painter, device, anyPage, first, total);
        first += pages[index];
        ++index;
    });
    return total;
}

BookDocument::BookDocument(const std::vector<BookModel>& books)
    : m_document(std::make_unique<QTextDocument>()) {
    setUpDocument(*m_document);
    std::vector<const BookModel*> pointers;
    for (const BookModel& book : books) {
        pointers.push_back(&book);
        m_piles.push_back(pileOf(book));
    }
    std::vector<BookSoilFigure> figures;
    const QString html = booksHtml(pointers, true, figures);
    // The ODF text carries the figures as images: 150 x 110 mm at 200 dots an inch.
    for (size_t i = 0; i < figures.size(); ++i)
        m_document->addResource(QTextDocument::ImageResource,
                                QUrl(QStringLiteral("soil://%1").arg(i)),
                                soilDrawingImage(figures[i], 1181, 866));
    m_document->setHtml(html);
}

BookDocument::~BookDocument() = default;

QString BookDocument::pileRange() const {
    if (m_piles.empty()) return {};
    if (m_piles.size() == 1) return m_piles.front();
    return m_piles.front() + QStringLiteral("-") + m_piles.back();
}

QByteArray BookDocument::odt() {
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    QTextDocumentWriter writer(&buffer, "odf");
    writer.write(m_document.get());
    return bytes;
}

void setUpPdf(QPdfWriter& pdf, const QString& title) {
    pdf.setResolution(300);
    // The document's properties name the program and the build that wrote it; the pages do not.
    pdf.setCreator(QString::fromUtf8(kProgramName) + QStringLiteral(" (rockpile ") +
                   QString::fromStdString(ProgramVersionText()) + u')');
    pdf.setTitle(title);
}

void savePdf(const std::filesystem::path& path, const QString& title,
             const std::function<void(QPdfWriter&)>& paint) {
    TextFileWriter file(path);
    FileDevice device(file);
    {
        QPdfWriter pdf(&device);
        setUpPdf(pdf, title);
        paint(pdf);
    }
    device.rethrow();
    file.commit();
}

int saveBooksPdf(const std::filesystem::path& path, std::size_t count, const ForEachBook& forEach,
                 const QString& title) {
    int pages = 0;
    savePdf(path, QStringLiteral("嵌岩桩计算书 %1").arg(title),
            [&](QPdfWriter& pdf) { pages = printBooks(pdf, count, forEach); });
    return pages;
}

QByteArray bookPdf(const std::vector<BookModel>& books, int* pageCount) {
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    {
        QPdfWriter pdf(&buffer);
        const QString first = books.empty() ? QString() : pileOf(books.front());
        const QString last = books.empty() ? QString() : pileOf(books.back());
        setUpPdf(pdf, QStringLiteral("嵌岩桩计算书 %1")
                          .arg(first == last ? first : first + QStringLiteral("-") + last));
        const int pages = printBooks(pdf, books.size(), [&books](const auto& visit) {
            for (const BookModel& book : books) visit(book);
        });
        if (pageCount) *pageCount = pages;
    }
    return bytes;
}

QByteArray bookOdt(const std::vector<BookModel>& books) { return BookDocument(books).odt(); }

void ensureGuiApplication() {
    if (QGuiApplication::instance()) return;
    // Without a display the offscreen platform lays out and paints as well.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM") && qEnvironmentVariableIsEmpty("DISPLAY") &&
        qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    static int argc = 1;
    static char name[] = "pilecalc";
    static char* argv[] = {name, nullptr};
    static QGuiApplication application(argc, argv);
}

}  // namespace pile::documents
