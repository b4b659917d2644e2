// Keeps the second click of a double click off a button that was not there at the first: a
// double click on Compute must not go on to press Result, which appears in its place, and a
// double click on Back must not press what the screen it returns to has under the pointer.
#pragma once

#include <QObject>
#include <QPoint>
#include <QPointer>

class QAbstractButton;

namespace pile {

// Watches the application's events (install it with QCoreApplication::installEventFilter). A
// press on a button that appeared (was shown or enabled) after the previous press, within the
// double-click interval and distance of it, is swallowed with the rest of its click. Any other
// click goes through.
class ClickGuard : public QObject {
  public:
    explicit ClickGuard(QObject* parent = nullptr) : QObject(parent) {}

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    // Presses seen so far, and the time stamp (milliseconds) of the latest.
    quint64 m_presses = 0;
    quint64 m_lastPressTime = 0;
    QPoint m_lastPressAt;
    bool m_anyPress = false;
    bool m_lastWasDoubleClick = false;
    QPointer<QObject> m_lastPressed;
    // The button whose click is being swallowed, until its release.
    QPointer<QAbstractButton> m_swallowing;
};

}  // namespace pile
