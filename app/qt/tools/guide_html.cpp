// Turns the user guide from Markdown into the HTML page that F1 opens and the package installs:
//     rockpile_guide_html GUIDE.md OUT.html
// Pictures keep their relative addresses (screenshots/...), so the page is read from a folder
// that holds them.
#include <QFile>
#include <QGuiApplication>
#include <QTextDocument>

#include <QRegularExpression>
#include <QStringList>

#include <cstdio>

namespace {

bool isWide(QChar c) { return c.unicode() >= 0x2E80; }

// A line that starts a block of its own (a heading, a list item, a table row, a picture, a
// comment, a fence, indented code), so that the line before it does not run on into it.
bool startsBlock(const QString& line) {
    static const QRegularExpression block(QStringLiteral(R"(^\s*([#|!<>]|```|[-*+] |\d+\. ))"));
    return line.startsWith(QStringLiteral("    ")) || block.match(line).hasMatch();
}

// Markdown reads a line break inside a paragraph as a space, which between two Chinese
// characters is a stray gap; such lines are joined without one before the conversion.
QString joinWideLines(const QString& markdown) {
    const QStringList lines = markdown.split(u'\n');
    QStringList out;
    bool fenced = false;
    for (const QString& line : lines) {
        const QString trimmed = line.trimmed();
        if (!fenced && !out.isEmpty() && !trimmed.isEmpty() && !startsBlock(line)) {
            QString& previous = out.last();
            const QString before = previous.trimmed();
            if (!before.isEmpty() && !before.startsWith(u'|') &&
                !before.startsWith(QStringLiteral("```")) &&
                !previous.startsWith(QStringLiteral("    ")) &&
                (isWide(before.back()) || isWide(trimmed.front()))) {
                previous = previous.trimmed().isEmpty() ? trimmed : previous + trimmed;
                continue;
            }
        }
        if (trimmed.startsWith(QStringLiteral("```"))) fenced = !fenced;
        out.append(line);
    }
    return out.join(u'\n');
}

}  // namespace

int main(int argc, char* argv[]) {
    if (argc != 3) {
        std::fprintf(stderr, "usage: rockpile_guide_html GUIDE.md OUT.html\n");
        return 2;
    }
    // The conversion needs no screen.
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    QFile in(QString::fromLocal8Bit(argv[1]));
    if (!in.open(QIODevice::ReadOnly)) {
        std::fprintf(stderr, "rockpile_guide_html: cannot read %s\n", argv[1]);
        return 1;
    }
    QTextDocument document;
    document.setMarkdown(joinWideLines(QString::fromUtf8(in.readAll())));
    document.setMetaInformation(QTextDocument::DocumentTitle,
                                QStringLiteral("嵌岩桩承载力计算 用户手册"));
    QFile out(QString::fromLocal8Bit(argv[2]));
    if (!out.open(QIODevice::WriteOnly | QIODevice::Truncate) ||
        out.write(document.toHtml().toUtf8()) < 0 || !out.flush()) {
        std::fprintf(stderr, "rockpile_guide_html: cannot write %s\n", argv[2]);
        return 1;
    }
    return 0;
}
