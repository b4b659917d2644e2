// Markup to HTML for the typeset books.
#include "documents/rich_text.h"

#include <QChar>
#include <QStringList>

namespace pile::documents {

namespace {

bool isCjk(QChar c) { return c.unicode() >= 0x2E80; }

}  // namespace

QString htmlText(std::string_view text) {
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size())).toHtmlEscaped();
}

QString richText(std::string_view markup) {
    const QString source = QString::fromUtf8(markup.data(), static_cast<qsizetype>(markup.size()));
    QString html;
    QStringList open;  // the closing tags of the marks entered
    for (qsizetype i = 0; i < source.size(); ++i) {
        const QChar c = source[i];
        const QChar next = i + 1 < source.size() ? source[i + 1] : QChar();
        if ((c == u'_' || c == u'^') && next == u'{') {
            html += c == u'_' ? QStringLiteral("<sub>") : QStringLiteral("<sup>");
            open.append(c == u'_' ? QStringLiteral("</sub>") : QStringLiteral("</sup>"));
            ++i;
        } else if (c == u'}' && !open.isEmpty()) {
            html += open.takeLast();
        } else if (c == u'^' && next.isDigit()) {
            // A unit's power: m^2.
            html += QStringLiteral("<sup>") + next + QStringLiteral("</sup>");
            ++i;
        } else if (c == u'.') {
            // A decimal point between digits; elsewhere the product of the fixed-pitch text.
            const QChar before = i > 0 ? source[i - 1] : QChar();
            html += before.isDigit() && next.isDigit() ? QStringLiteral(".") : QStringLiteral("·");
        } else if (c == u'<') {
            html += QStringLiteral("&lt;");
        } else if (c == u'>') {
            html += QStringLiteral("&gt;");
        } else if (c == u'&') {
            html += QStringLiteral("&amp;");
        } else {
            html += c;
        }
    }
    while (!open.isEmpty()) html += open.takeLast();
    return html;
}

QString captionText(std::string_view markup) {
    const QString text =
        QString::fromUtf8(markup.data(), static_cast<qsizetype>(markup.size())).trimmed();
    QString joined;
    for (qsizetype i = 0; i < text.size(); ++i) {
        if (text[i] == u' ') {
            qsizetype end = i;
            while (end < text.size() && text[end] == u' ') ++end;
            const bool between =
                i > 0 && end < text.size() && isCjk(text[i - 1]) && isCjk(text[end]);
            if (!between) joined += u' ';
            i = end - 1;
            continue;
        }
        joined += text[i];
    }
    return richText(joined.toStdString());
}

}  // namespace pile::documents
