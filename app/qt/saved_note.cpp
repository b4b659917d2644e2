// Where a Save put its file.
#include "app/qt/saved_note.h"

#include <QDir>
#include <QLabel>
#include <QPointer>
#include <QScreen>
#include <QTimer>
#include <QWidget>

#include "app/qt/theme.h"

namespace pile {

namespace {

// Long enough to read a long path.
constexpr int kNoteMs = 8000;
constexpr int kNoteTextPx = 12;

}  // namespace

QString savedNoteText(const std::filesystem::path& path) {
    const QString file = QDir::toNativeSeparators(QString::fromStdU16String(path.u16string()));
    return QStringLiteral("已存盘：%1").arg(file);
}

void showSavedNote(QWidget* button, const std::filesystem::path& path) {
    if (!button || path.empty()) return;
    QWidget* window = button->window();
    const QString text = savedNoteText(path);
    window->setStatusTip(text);

    // One note per window, a small frameless window of its own that goes with the window; it
    // is not a tooltip, which the next move of the pointer would take away.
    auto* note = window->findChild<QLabel*>(QStringLiteral("savedNote"));
    if (!note) {
        note = new QLabel(window, Qt::ToolTip | Qt::FramelessWindowHint);
        note->setObjectName(QStringLiteral("savedNote"));
        note->setFont(uiFont(scaledLength(window, kNoteTextPx)));
        note->setStyleSheet(
            QStringLiteral("QLabel { background: #FFFFE1; color: black; border: 1px solid #767676;"
                           " padding: 3px; }"));
        note->setWordWrap(true);
        auto* timer = new QTimer(note);
        timer->setObjectName(QStringLiteral("savedNoteTimer"));
        timer->setSingleShot(true);
        QObject::connect(timer, &QTimer::timeout, note, &QWidget::hide);
    }
    // As wide as the window; the path has few spaces, so it may break after its separators
    // (zero-width spaces, in a note that is read, not copied).
    QString breakable;
    for (const QChar ch : text) {
        breakable += ch;
        if (ch == u'/' || ch == u'\\' || ch == u'_' || ch == u'(' || ch == u')')
            breakable += QChar(0x200B);
    }
    note->setText(breakable);
    note->setFixedWidth(window->width());
    note->adjustSize();
    // Under the button, or over it where the screen ends below it.
    QPoint at = window->mapToGlobal(
        QPoint(0, button->mapTo(window, QPoint(0, 0)).y() + button->height() + 2));
    const QScreen* screen = window->screen();
    if (screen && at.y() + note->height() > screen->availableGeometry().bottom())
        at.setY(button->mapToGlobal(QPoint(0, 0)).y() - 2 - note->height());
    note->move(at);
    note->show();
    note->raise();
    note->findChild<QTimer*>(QStringLiteral("savedNoteTimer"))->start(kNoteMs);
}

}  // namespace pile
