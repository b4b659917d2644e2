// The second click of a double click kept off a button that appeared after the first.
#include "app/qt/click_guard.h"

#include <QAbstractButton>
#include <QEvent>
#include <QGuiApplication>
#include <QMouseEvent>
#include <QStyleHints>
#include <QVariant>

namespace pile {

namespace {

// The number of presses the guard had seen when the button last appeared.
constexpr char kAppearedAfter[] = "pileAppearedAfterPress";

}  // namespace

bool ClickGuard::eventFilter(QObject* watched, QEvent* event) {
    if (!watched->isWidgetType()) return false;
    auto* button = qobject_cast<QAbstractButton*>(watched);
    switch (event->type()) {
        case QEvent::Show:
        case QEvent::EnabledChange:
            if (button && button->isEnabled() && button->isVisible())
                button->setProperty(kAppearedAfter, m_presses);
            return false;
        case QEvent::MouseButtonPress:
        case QEvent::MouseButtonDblClick: {
            // A press that a child left to its parent comes again, no longer spontaneous.
            if (!event->spontaneous()) return false;
            const auto* mouse = static_cast<QMouseEvent*>(event);
            const quint64 time = mouse->timestamp();
            const QPoint at = mouse->globalPosition().toPoint();
            const bool doubleClick = event->type() == QEvent::MouseButtonDblClick;
            // The second press of a double click may come as a press and then the double click,
            // or as the double click alone.
            if (doubleClick && m_anyPress && time == m_lastPressTime && watched == m_lastPressed) {
                m_lastWasDoubleClick = true;
                return button && m_swallowing == button;
            }
            // As for the toolkit: soon after the previous press and where it was; a press after
            // a double click begins a new one.
            const QStyleHints* hints = QGuiApplication::styleHints();
            const bool second =
                doubleClick ||
                (m_anyPress && !m_lastWasDoubleClick &&
                 time - m_lastPressTime < quint64(hints->mouseDoubleClickInterval()) &&
                 (at - m_lastPressAt).manhattanLength() <= hints->mouseDoubleClickDistance());
            const QVariant appeared = button ? button->property(kAppearedAfter) : QVariant();
            const bool appearedSince = appeared.isValid() && appeared.toULongLong() == m_presses;
            ++m_presses;
            m_lastPressTime = time;
            m_lastPressAt = at;
            m_lastPressed = watched;
            m_anyPress = true;
            m_lastWasDoubleClick = doubleClick;
            m_swallowing = second && appearedSince ? button : nullptr;
            return m_swallowing != nullptr;
        }
        case QEvent::MouseButtonRelease:
            if (!button || m_swallowing != button) return false;
            m_swallowing = nullptr;
            return true;
        default:
            return false;
    }
}

}  // namespace pile
