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
#include <QTextFrame>
#include <QUrl>
#include <algorithm>
#include <variant>

#include "books/detailed_book.h"
#include "documents/rich_text.h"
#include "documents/soil_drawing.h"

namespace pile::documents {

namespace {

// Margins of the page in mm; the header and the footer stand inside them.
constexpr double kMarginLeft = 20;
constexpr double kMarginRight = 18;
constexpr double kMarginTop = 22;
constexpr double kMarginBottom = 20;
// Text size of the books, in points.
constexpr double kFontPoints = 10;

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
    HtmlWriter(QString& html, std::vector<QImage>& images, bool firstBook, bool lastBook)
        : m_html(html), m_images(images), m_firstBook(firstBook), m_lastBook(lastBook) {}

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
        // 150 x 110 mm at 200 dots an inch.
        m_images.push_back(soilDrawingImage(b, 1181, 866));
        m_html += QStringLiteral(
                      "<p align=\"center\"><img src=\"soil://%1\" width=\"520\" "
                      "height=\"381\"/></p><p align=\"center\">桩身与土层及负摩阻力分布</p>")
                      .arg(m_images.size() - 1);
    }
    void add(const BookClosing& b) {
        m_html += QStringLiteral("<hr/>");
        if (m_lastBook)
            m_html +=
                QStringLiteral("<p>%1%2</p>").arg(htmlText(kTimeLinePrefix), htmlText(b.timeText));
    }

    QString& m_html;
    std::vector<QImage>& m_images;
    bool m_firstBook;
    bool m_lastBook;
    bool m_inValues = false;
};

QString pileOf(const BookModel& book) {
    for (const BookBlock& block : book.blocks)
        if (const auto* title = std::get_if<BookTitle>(&block)) return fromUtf8(title->pile);
    return {};
}

}  // namespace

QString bookFontFamily() {
    if (QFontDatabase::families().contains(QStringLiteral("SimHei")))
        return QStringLiteral("SimHei");
    return QStringLiteral("AR PL UMing CN");
}

BookDocument::BookDocument(const std::vector<BookModel>& books)
    : m_document(std::make_unique<QTextDocument>()) {
    // Latin letters, digits and Greek in a serif face that has them all; Chinese characters
    // fall back to the book views' font.
    QFont font;
    font.setFamilies({QStringLiteral("DejaVu Serif"), bookFontFamily()});
    font.setPointSizeF(kFontPoints);
    m_document->setDefaultFont(font);
    m_document->setDefaultStyleSheet(
        QStringLiteral("h1 { font-size: 17pt; margin-top: 0px; margin-bottom: 4px; } "
                       "h2 { font-size: 12pt; margin-top: 8px; margin-bottom: 3px; } "
                       "h3 { font-size: 10.5pt; margin-top: 5px; margin-bottom: 2px; } "
                       "p { margin-top: 1px; margin-bottom: 1px; } th { font-weight: normal; }"));
    QString html = QStringLiteral("<html><body>");
    std::vector<QImage> images;
    for (size_t i = 0; i < books.size(); ++i) {
        HtmlWriter writer(html, images, i == 0, i + 1 == books.size());
        for (const BookBlock& block : books[i].blocks) writer.write(block);
        writer.finish();
        m_piles.push_back(pileOf(books[i]));
    }
    html += QStringLiteral("</body></html>");
    for (size_t i = 0; i < images.size(); ++i)
        m_document->addResource(QTextDocument::ImageResource,
                                QUrl(QStringLiteral("soil://%1").arg(i)), images[i]);
    m_document->setHtml(html);
}

BookDocument::~BookDocument() = default;

QString BookDocument::pileRange() const {
    if (m_piles.empty()) return {};
    if (m_piles.size() == 1) return m_piles.front();
    return m_piles.front() + QStringLiteral("-") + m_piles.back();
}

int BookDocument::print(QPagedPaintDevice& device) {
    device.setPageLayout(QPageLayout(
        QPageSize(QPageSize::A4), QPageLayout::Portrait,
        QMarginsF(kMarginLeft, kMarginTop, kMarginRight, kMarginBottom), QPageLayout::Millimeter));
    const QRect paper = device.pageLayout().paintRectPixels(device.logicalDpiX());
    const double mm = device.logicalDpiY() / 25.4;
    // The body leaves room for the header and footer lines inside the margins' paint area.
    const QRectF body(0, 0, paper.width(), paper.height() - 12 * mm);
    const double headerY = 0;
    const double bodyTop = 7 * mm;

    m_document->documentLayout()->setPaintDevice(&device);
    m_document->setPageSize(body.size());
    keepHeadingsWithNext(body.height());
    const int pages = m_document->pageCount();

    // The first page of each book, from where its title was laid out.
    std::vector<std::pair<int, QString>> bookPages;
    QTextCursor title(m_document.get());
    for (const QString& pile : m_piles) {
        title = m_document->find(QStringLiteral("基桩编号"), title);
        if (title.isNull()) break;
        const QRectF rect = m_document->documentLayout()->blockBoundingRect(title.block());
        bookPages.emplace_back(int(rect.top() / body.height()), pile);
    }

    QPainter painter(&device);
    QFont small = m_document->defaultFont();
    small.setPointSizeF(8.5);
    const QString standard =
        QStringLiteral("%1    依据 DBJ 50-200-2014").arg(QString::fromUtf8(kProgramName));
    for (int page = 0; page < pages; ++page) {
        if (page > 0) device.newPage();
        QString pile;
        for (const auto& [first, name] : bookPages)
            if (first <= page) pile = name;

        painter.setFont(small);
        const QRectF header(0, headerY, body.width(), 5 * mm);
        painter.drawText(header, Qt::AlignLeft | Qt::AlignVCenter, standard);
        painter.drawText(header, Qt::AlignRight | Qt::AlignVCenter,
                         pile.isEmpty() ? QString() : QStringLiteral("基桩 %1").arg(pile));
        painter.drawLine(QPointF(0, header.bottom() + 0.5 * mm),
                         QPointF(body.width(), header.bottom() + 0.5 * mm));
        const QRectF footer(0, paper.height() - 5 * mm, body.width(), 5 * mm);
        painter.drawText(footer, Qt::AlignHCenter | Qt::AlignVCenter,
                         QStringLiteral("第 %1 页 共 %2 页").arg(page + 1).arg(pages));

        painter.save();
        painter.translate(0, bodyTop - page * body.height());
        const QRectF clip(0, page * body.height(), body.width(), body.height());
        painter.setClipRect(clip);
        QAbstractTextDocumentLayout::PaintContext context;
        context.clip = clip;
        m_document->documentLayout()->draw(&painter, context);
        painter.restore();
    }
    return pages;
}

void BookDocument::keepHeadingsWithNext(double pageHeight) {
    // A heading left alone at the foot of a page moves to the next one: the page break goes
    // before it, and the pages after it are laid out again. Each pass moves the first such
    // heading; a heading moves once.
    QAbstractTextDocumentLayout* layout = m_document->documentLayout();
    const auto page = [pageHeight](double y) { return int(y / pageHeight); };
    for (;;) {
        bool moved = false;
        QTextFrame* root = m_document->rootFrame();
        for (auto it = root->begin(); !it.atEnd() && !moved; ++it) {
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
                moved = true;
            }
        }
        if (!moved) return;
    }
}

QByteArray BookDocument::odt() {
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    QTextDocumentWriter writer(&buffer, "odf");
    writer.write(m_document.get());
    return bytes;
}

QByteArray bookPdf(const std::vector<BookModel>& books, int* pageCount) {
    BookDocument document(books);
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    {
        QPdfWriter pdf(&buffer);
        pdf.setResolution(300);
        pdf.setCreator(QString::fromUtf8(kProgramName));
        pdf.setTitle(QStringLiteral("嵌岩桩计算书 %1").arg(document.pileRange()));
        const int pages = document.print(pdf);
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
