// The platform interfaces over Qt.
#include "app/qt/qt_platform.h"

#include <QApplication>
#include <QDesktopServices>
#include <QDir>
#include <QFileDialog>
#include <QMessageBox>
#include <QPushButton>
#include <QStandardPaths>
#include <QUrl>

#include "books/text_file.h"

namespace pile {

namespace {

QString fromUtf8(const std::string& text) {
    return QString::fromUtf8(text.data(), qsizetype(text.size()));
}

// A format with every time-zone field ("t" and its longer forms) taken out, quoted literals
// left alone, and the blanks the field leaves behind trimmed.
QString withoutTimeZone(const QString& format) {
    QString out;
    bool quoted = false;
    for (QChar c : format) {
        if (c == u'\'') quoted = !quoted;
        if (!quoted && c == u't') continue;
        out += c;
    }
    return out.simplified();
}

}  // namespace

std::filesystem::path QtDocumentsFolder::documentsPath() const {
#if defined(Q_OS_UNIX) && !defined(Q_OS_MACOS)
    // The variable, where the session sets it, goes before ~/.config/user-dirs.dirs, the only
    // place Qt looks. As in that file, "$HOME" may start it; a relative path means nothing.
    QString named = qEnvironmentVariable("XDG_DOCUMENTS_DIR");
    if (named.startsWith(QLatin1String("$HOME")))
        named = QDir::homePath() + named.mid(int(QLatin1String("$HOME").size()));
    if (!named.isEmpty() && QDir::isAbsolutePath(named))
        return pathFromUtf8(QDir::cleanPath(named).toStdString());
#endif
    const QString folder = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
    if (folder.isEmpty()) return {};
    return pathFromUtf8(folder.toStdString());
}

QString calculationTimeText(const QDateTime& when, const QLocale& locale) {
    const QString text =
        locale.toString(when.date(), QLocale::ShortFormat) + u' ' +
        locale.toString(when.time(), withoutTimeZone(locale.timeFormat(QLocale::LongFormat)));
    // The time line is saved in code page 936: a locale's digits or words the code page cannot
    // hold (Arabic-Indic digits, the Korean "오후") would be saved as "???". Then the time is
    // written with ASCII digits.
    if (fitsAnsiCodePage(text.toStdString())) return text;
    return QLocale::c().toString(when, QStringLiteral("yyyy-MM-dd HH:mm:ss"));
}

std::string QtClock::timeText() const {
    return calculationTimeText(QDateTime::currentDateTime(), QLocale::system()).toStdString();
}

namespace {
// The title of the message and error boxes: the program's name, as its title label shows it.
QString boxTitle() { return QStringLiteral("嵌岩桩承载力计算"); }
}  // namespace

void QtMessageBox::showMessage(const std::string& text) {
    QMessageBox::information(QApplication::activeWindow(), boxTitle(), fromUtf8(text));
}

void QtErrorBox::showError(const std::string& text) {
    QMessageBox::critical(QApplication::activeWindow(), boxTitle(), fromUtf8(text));
}

SaveAnswer QtDialogs::askSave(const std::string& question) {
    QMessageBox box(QMessageBox::Question, boxTitle(), fromUtf8(question), QMessageBox::NoButton,
                    QApplication::activeWindow());
    QPushButton* save = box.addButton(QStringLiteral("保存"), QMessageBox::AcceptRole);
    QPushButton* discard = box.addButton(QStringLiteral("不保存"), QMessageBox::DestructiveRole);
    QPushButton* cancel = box.addButton(QStringLiteral("取消"), QMessageBox::RejectRole);
    box.setDefaultButton(save);
    box.setEscapeButton(cancel);
    box.exec();
    if (box.clickedButton() == save) return SaveAnswer::Save;
    if (box.clickedButton() == discard) return SaveAnswer::Discard;
    return SaveAnswer::Cancel;
}

namespace {
QString projectFilter() { return QStringLiteral("嵌岩桩项目 (*.rpile.json);;所有文件 (*)"); }
QString fromPath(const std::filesystem::path& path) {
    const std::u8string text = path.u8string();
    return QString::fromUtf8(reinterpret_cast<const char*>(text.data()), qsizetype(text.size()));
}
}  // namespace

std::filesystem::path QtDialogs::askOpenPath(const std::filesystem::path& folder) {
    const QString chosen =
        QFileDialog::getOpenFileName(QApplication::activeWindow(), QStringLiteral("打开项目"),
                                     fromPath(folder), projectFilter());
    return chosen.isEmpty() ? std::filesystem::path() : pathFromUtf8(chosen.toStdString());
}

std::filesystem::path QtDialogs::askSavePath(const std::filesystem::path& suggested) {
    const QString chosen =
        QFileDialog::getSaveFileName(QApplication::activeWindow(), QStringLiteral("保存项目"),
                                     fromPath(suggested), projectFilter());
    return chosen.isEmpty() ? std::filesystem::path() : pathFromUtf8(chosen.toStdString());
}

void QtUrlOpener::openUrl(const std::string& url) {
    // A failure of the desktop service is not reported.
    QDesktopServices::openUrl(QUrl(fromUtf8(url)));
}

}  // namespace pile
