// Where a Save put its file.
#include "app/qt/saved_note.h"

#include <QCoreApplication>
#include <QDir>
#include <QEvent>
#include <QLabel>
#include <QPointer>
#include <QScreen>
#include <QTimer>
#include <QWidget>

#include "app/qt/theme.h"

namespace pile {

namespace {

// Hides the note at the next press of a mouse button or a key anywhere in the application.
class NoteCloser : public QObject {
  public:
    explicit NoteCloser(QWidget* note) : QObject(note), m_note(note) {}

  protected:
    bool eventFilter(QObject* /*watched*/, QEvent* event) override {
        const QEvent::Type type = event->type();
        if (type == QEvent::MouseButtonPress || type == QEvent::KeyPress) {
            m_note->hide();
            QCoreApplication::instance()->removeEventFilter(this);
        }
        return false;
    }

  private:
    QWidget* m_note;
};

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
        (new NoteCloser(note))->setObjectName(QStringLiteral("savedNoteCloser"));
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
    // Not over the screen's texts for longer than the user wants it.
    QCoreApplication::instance()->installEventFilter(
        note->findChild<QObject*>(QStringLiteral("savedNoteCloser")));
}

}  // namespace pile
