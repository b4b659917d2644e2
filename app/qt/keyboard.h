// What the keyboard does on the screens, beyond Qt's defaults: Enter in a field presses the
// screen's Compute, Tab walks the screen from top to bottom, a click on a check box's caption
// ticks the box, and the focus is not left to land on whatever follows a button that went away.
#pragma once

#include <QPointer>
#include <QRect>

class QAbstractButton;
class QWidget;

namespace pile {

// Enter or Return in any edit or list of `screen` (item views excepted: Enter ends a cell's
// edit there) clicks `button` while it is shown and enabled.
void pressOnEnter(QWidget* screen, QAbstractButton* button);

// Orders the Tab chain of the widgets of `screen` by their place in the window: top to bottom,
// then left to right.
void orderTabsByPlace(QWidget* screen);

// A click on `caption` clicks `box` while the box is enabled.
void clickThrough(QWidget* caption, QAbstractButton* box);

// Notes the focused widget of `window` before an event changes the screens, and afterwards,
// when that widget has gone (hidden, disabled or deleted), gives the focus to the widget that
// took its place; failing that, a button's focus goes to the nearest button (a key meant for
// the button must not overwrite a field), anything else's to the first field of what is shown
// now: never to whatever Qt picks next in the chain, which may be the Exit button.
class FocusKeeper {
  public:
    explicit FocusKeeper(QWidget* window);
    void restore();

  private:
    QWidget* m_window;
    QPointer<QWidget> m_before;
    QRect m_place;
    bool m_wasButton = false;
};

}  // namespace pile
