// Turns the user guide from Markdown into the HTML page that F1 opens and the package installs:
//     rockpile_guide_html GUIDE.md OUT.html
// Pictures keep their relative addresses (screenshots/...), so the page is read from a folder
// that holds them.
#include <QFile>
#include <QGuiApplication>
#include <QTextDocument>

#include <cstdio>

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
    document.setMarkdown(QString::fromUtf8(in.readAll()));
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
