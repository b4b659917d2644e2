// The summary table painted cell by cell: column widths from the widest text of each column,
// the font made smaller until the table fits the page's width (and the widest columns capped,
// their texts wrapped, past the smallest font), the rows placed on pages whole.
#include "documents/summary_document.h"

#include <QBuffer>
#include <QFontMetricsF>
#include <QPageLayout>
#include <QPagedPaintDevice>
#include <QPainter>
#include <QPdfWriter>
#include <QRegularExpression>
#include <QTextDocument>
#include <QTextDocumentWriter>
#include <algorithm>
#include <cmath>
#include <numeric>

#include "books/book_sheets.h"
#include "books/detailed_book.h"
#include "books/summary_table.h"
#include "books/window_books.h"
#include "documents/book_document.h"
#include "documents/rich_text.h"
#include "documents/typesetting.h"

namespace pile::documents {

namespace {

constexpr double kLargestPoints = 8;
constexpr double kSmallestPoints = 5;
constexpr int kFlags = Qt::AlignCenter | Qt::TextWrapAnywhere;

QString fromUtf8(const std::string& s) { return QString::fromUtf8(s.data(), qsizetype(s.size())); }

// A caption of the text table as plain text: "Ap(m^2)" is "Ap(m²)", "基    桩" is "基桩".
QString plainCaption(std::string_view markup) {
    QString html = captionText(markup);
    html.replace(QStringLiteral("<sup>2</sup>"), QStringLiteral("²"));
    html.replace(QStringLiteral("<sup>3</sup>"), QStringLiteral("³"));
    html.remove(QRegularExpression(QStringLiteral("<[^>]*>")));
    html.replace(QStringLiteral("&lt;"), QStringLiteral("<"));
    html.replace(QStringLiteral("&gt;"), QStringLiteral(">"));
    html.replace(QStringLiteral("&amp;"), QStringLiteral("&"));
    return html;
}

QFont tableFont(double points) {
    QFont font;
    font.setFamilies({QStringLiteral("DejaVu Serif"), bookFontFamily()});
    font.setPointSizeF(points);
    return font;
}

// The table's columns and rows placed on pages.
class TableLayout {
  public:
    TableLayout(const SummaryTableSource& table, const PageFrame& frame, QPaintDevice& device)
        : m_table(table), m_frame(frame), m_device(device) {
        const size_t columns = table.captions1.size();
        m_padding = 1.2 * frame.mm;
        // The widest text of each column, at the largest font and, when the table is too wide
        // for it, again at the font that it fits.
        const double room = frame.body.width() - 2 * m_padding * double(columns) - 1;
        m_font = tableFont(kLargestPoints);
        m_widths = naturalWidths(m_font);
        const double total = std::accumulate(m_widths.begin(), m_widths.end(), 0.0);
        if (total > room && total > 0) {
            const double points = std::max(kSmallestPoints, kLargestPoints * room / total * 0.97);
            m_font = tableFont(points);
            m_widths = naturalWidths(m_font);
        }
        capWidths(std::max(0.0, room));
        const QFontMetricsF metrics(m_font, &device);
        m_line = metrics.lineSpacing();
        m_noteLine = QFontMetricsF(tableFont(kLargestPoints), &device).lineSpacing();
        m_headerHeight = 2 * m_line + 2 * m_padding;
        m_rowHeight = m_line + 2 * m_padding;
        // Rows of a capped column may take more than a line.
        if (m_capped) {
            m_heights.reserve(table.rows);
            table.forEachRow([&](const std::vector<std::string>& cells) {
                double height = m_line;
                for (size_t i = 0; i < columns && i < cells.size(); ++i) {
                    const QRectF need = metrics.boundingRect(QRectF(0, 0, m_widths[i], 1e6), kFlags,
                                                             fromUtf8(cells[i]));
                    height = std::max(height, need.height());
                }
                m_heights.push_back(std::min(height + 2 * m_padding, maxRowHeight()));
            });
        }
        paginate();
    }

    int pages() const { return int(m_pageStarts.size()) + (m_footerAlone ? 1 : 0); }

    void paint(QPainter& painter, QPagedPaintDevice& device) {
        const int total = pages();
        const size_t columns = m_widths.size();
        size_t row = 0;
        int page = -1;
        double y = 0;
        double tableLeft = 0;
        const double tableWidth = std::accumulate(m_widths.begin(), m_widths.end(), 0.0) +
                                  2 * m_padding * double(columns);
        tableLeft = std::max(0.0, (m_frame.body.width() - tableWidth) / 2);
        const auto newPage = [&] {
            if (page >= 0) device.newPage();
            ++page;
            paintPageFrame(painter, m_frame, m_font, QStringLiteral("汇总表"), page + 1, total);
            y = m_frame.bodyTop;
            if (page == 0) y += paintTitle(painter, y);
        };
        const auto cellsAt = [&](double top, double height,
                                 const std::function<QString(size_t)>& text) {
            painter.setFont(m_font);
            double x = tableLeft;
            for (size_t i = 0; i < columns; ++i) {
                const double width = m_widths[i] + 2 * m_padding;
                const QRectF cell(x, top, width, height);
                painter.drawRect(cell);
                painter.save();
                painter.setClipRect(cell);
                painter.drawText(cell.adjusted(m_padding, m_padding, -m_padding, -m_padding),
                                 kFlags, text(i));
                painter.restore();
                x += width;
            }
        };
        const auto header = [&] {
            cellsAt(y, m_headerHeight, [&](size_t i) {
                const QString& top = m_table.captions1[i];
                const QString& bottom = m_table.captions2[i];
                return top.isEmpty() || bottom.isEmpty() ? top + bottom
                                                         : top + QChar(u'\n') + bottom;
            });
            y += m_headerHeight;
        };
        painter.setPen(QPen(Qt::black, 0.25 * m_frame.mm));
        size_t nextStart = 0;
        m_table.forEachRow([&](const std::vector<std::string>& cells) {
            if (nextStart < m_pageStarts.size() && row == m_pageStarts[nextStart]) {
                newPage();
                painter.setPen(QPen(Qt::black, 0.25 * m_frame.mm));
                header();
                ++nextStart;
            }
            const double height = rowHeight(row);
            cellsAt(y, height, [&cells](size_t i) {
                return i < cells.size() ? fromUtf8(cells[i]) : QString();
            });
            y += height;
            ++row;
        });
        if (m_pageStarts.empty() || m_footerAlone) newPage();
        painter.setFont(tableFont(kLargestPoints));
        y += m_noteLine * 0.5;
        painter.drawText(QRectF(tableLeft, y, m_frame.body.width() - tableLeft, m_noteLine),
                         Qt::AlignLeft | Qt::AlignVCenter, QString::fromUtf8(kStandardNoteLine));
        y += m_noteLine;
        painter.drawText(QRectF(tableLeft, y, m_frame.body.width() - tableLeft, m_noteLine),
                         Qt::AlignLeft | Qt::AlignVCenter,
                         QString::fromUtf8(kTimeLinePrefix) + fromUtf8(m_table.timeText));
    }

  private:
    std::vector<double> naturalWidths(const QFont& font) const {
        const size_t columns = m_table.captions1.size();
        std::vector<double> widths(columns, 0);
        const QFontMetricsF metrics(font, &m_device);
        for (size_t i = 0; i < columns; ++i)
            widths[i] = std::max(metrics.horizontalAdvance(m_table.captions1[i]),
                                 metrics.horizontalAdvance(m_table.captions2[i]));
        m_table.forEachRow([&](const std::vector<std::string>& cells) {
            for (size_t i = 0; i < columns && i < cells.size(); ++i)
                widths[i] = std::max(widths[i], metrics.horizontalAdvance(fromUtf8(cells[i])));
        });
        // Room for the rounding of glyph positions.
        for (double& w : widths) w = std::ceil(w * 1.02 + 1);
        return widths;
    }

    // Caps the widest columns at one width, as little as makes the table fit `room`.
    void capWidths(double room) {
        const double total = std::accumulate(m_widths.begin(), m_widths.end(), 0.0);
        if (total <= room || m_widths.empty()) return;
        std::vector<double> sorted = m_widths;
        std::sort(sorted.begin(), sorted.end());
        // The cap c with sum(min(w, c)) == room.
        double below = 0;
        double cap = room / double(sorted.size());
        for (size_t i = 0; i < sorted.size(); ++i) {
            const double c = (room - below) / double(sorted.size() - i);
            if (c <= sorted[i]) {
                cap = c;
                break;
            }
            below += sorted[i];
        }
        cap = std::max(cap, 1.0);
        for (double& w : m_widths) w = std::min(w, cap);
        m_capped = true;
    }

    double titleHeight() const { return 3.5 * m_noteLine; }
    double paintTitle(QPainter& painter, double y) const {
        QFont title = m_font;
        title.setPointSizeF(14);
        title.setBold(true);
        painter.setFont(title);
        const double height = titleHeight();
        painter.drawText(QRectF(0, y, m_frame.body.width(), height), Qt::AlignCenter,
                         QStringLiteral("%1 汇总表").arg(QString::fromUtf8(kBookName)));
        return height;
    }
    double footerHeight() const { return 2.5 * m_noteLine; }
    double maxRowHeight() const {
        return std::max(m_line,
                        m_frame.body.height() - titleHeight() - m_headerHeight - footerHeight());
    }
    double rowHeight(size_t row) const {
        return row < m_heights.size() ? m_heights[row] : m_rowHeight;
    }

    // The first row of each page; whether the note and time need a page of their own.
    void paginate() {
        const double bottom = m_frame.body.height();
        double y = titleHeight();
        bool open = false;
        for (size_t row = 0; row < m_table.rows; ++row) {
            const double height = rowHeight(row);
            if (!open || y + height > bottom) {
                m_pageStarts.push_back(row);
                y = (m_pageStarts.size() == 1 ? titleHeight() : 0) + m_headerHeight;
                open = true;
            }
            y += height;
        }
        m_footerAlone = open && y + footerHeight() > bottom;
    }

    const SummaryTableSource& m_table;
    PageFrame m_frame;
    QPaintDevice& m_device;
    QFont m_font;
    double m_padding = 0;
    double m_line = 0;
    double m_noteLine = 0;  // of the note and the time below the table
    double m_headerHeight = 0;
    double m_rowHeight = 0;
    bool m_capped = false;
    std::vector<double> m_widths;
    std::vector<double> m_heights;  // of each row, when a column is capped
    std::vector<size_t> m_pageStarts;
    bool m_footerAlone = false;
};

}  // namespace

SummaryTableSource summaryTableSource(const WindowBooks& books) {
    SummaryTableSource source;
    for (const SummaryColumn& column : books.layout().columns) {
        source.captions1.push_back(plainCaption(column.caption1));
        source.captions2.push_back(plainCaption(column.caption2));
    }
    source.rows = size_t(books.pileCounter());
    source.forEachRow =
        [&books](const std::function<void(const std::vector<std::string>&)>& visit) {
            books.forEachSheetRecord([&visit](std::string_view record) {
                forEachSheetRow(record, visit, [](const std::vector<std::string>&) {});
            });
        };
    // The time of the footer's last line.
    std::string last;
    books.forEachTableLine([&last](const std::string& line) { last = line; });
    const std::string prefix = kTimeLinePrefix;
    source.timeText = last.rfind(prefix, 0) == 0 ? last.substr(prefix.size()) : std::string();
    return source;
}

int printSummaryTable(QPagedPaintDevice& device, const SummaryTableSource& table) {
    const PageFrame frame = setUpPage(device, QPageLayout::Landscape);
    TableLayout layout(table, frame, device);
    QPainter painter(&device);
    layout.paint(painter, device);
    return layout.pages();
}

QByteArray summaryTablePdf(const SummaryTableSource& table, int* pageCount) {
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    {
        QPdfWriter pdf(&buffer);
        setUpPdf(pdf, QStringLiteral("嵌岩桩计算书 汇总表"));
        const int pages = printSummaryTable(pdf, table);
        if (pageCount) *pageCount = pages;
    }
    return bytes;
}

void saveSummaryTablePdf(const std::filesystem::path& path, const SummaryTableSource& table) {
    savePdf(path, QStringLiteral("嵌岩桩计算书 汇总表"),
            [&table](QPdfWriter& pdf) { printSummaryTable(pdf, table); });
}

QByteArray summaryTableOdt(const SummaryTableSource& table) {
    QString html = QStringLiteral(
                       "<html><body><h1 align=\"center\">%1 汇总表</h1>"
                       "<table border=\"1\" cellspacing=\"0\" cellpadding=\"2\" "
                       "style=\"border-collapse: collapse\"><thead><tr>")
                       .arg(QString::fromUtf8(kBookName));
    for (size_t i = 0; i < table.captions1.size(); ++i)
        html += QStringLiteral("<th>%1<br/>%2</th>")
                    .arg(table.captions1[i].toHtmlEscaped(), table.captions2[i].toHtmlEscaped());
    html += QStringLiteral("</tr></thead>");
    table.forEachRow([&html](const std::vector<std::string>& cells) {
        html += QStringLiteral("<tr>");
        for (const std::string& cell : cells)
            html += QStringLiteral("<td align=\"center\">%1</td>").arg(htmlText(cell));
        html += QStringLiteral("</tr>");
    });
    html +=
        QStringLiteral("</table><p>%1</p><p>%2%3</p></body></html>")
            .arg(htmlText(kStandardNoteLine), htmlText(kTimeLinePrefix), htmlText(table.timeText));
    QTextDocument document;
    QFont font = tableFont(8);
    document.setDefaultFont(font);
    document.setHtml(html);
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    QTextDocumentWriter writer(&buffer, "odf");
    writer.write(&document);
    return bytes;
}

}  // namespace pile::documents
