// What the keyboard does on the screens.
#include "app/qt/keyboard.h"

#include <QAbstractButton>
#include <QAbstractItemView>
#include <QComboBox>
#include <QEvent>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPushButton>
#include <QWidget>

#include <algorithm>
#include <limits>
#include <vector>

namespace pile {

namespace {

// Design pixels between the tops of two widgets of one row.
constexpr int kRowTolerance = 10;

bool insideItemView(const QWidget* widget) {
    for (const QWidget* w = widget; w; w = w->parentWidget())
        if (qobject_cast<const QAbstractItemView*>(w)) return true;
    return false;
}

// Clicks the button on Enter or Return without modifiers (the keypad's Enter carries one).
class EnterPresses : public QObject {
  public:
    EnterPresses(QObject* parent, QAbstractButton* button) : QObject(parent), m_button(button) {}

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() != QEvent::KeyPress) return false;
        const auto* key = static_cast<QKeyEvent*>(event);
        const bool enter = key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter;
        const auto modifiers = key->modifiers() & ~Qt::KeypadModifier;
        if (!enter || modifiers != Qt::NoModifier) return false;
        // An open list takes Enter as the pick of its item.
        if (auto* box = qobject_cast<QComboBox*>(watched); box && box->view()->isVisible())
            return false;
        if (!m_button || !m_button->isVisible() || !m_button->isEnabled()) return false;
        m_button->click();
        return true;
    }

  private:
    QPointer<QAbstractButton> m_button;
};

class CaptionClicks : public QObject {
  public:
    CaptionClicks(QObject* parent, QAbstractButton* box) : QObject(parent), m_box(box) {}

  protected:
    bool eventFilter(QObject* /*watched*/, QEvent* event) override {
        if (event->type() != QEvent::MouseButtonRelease) return false;
        if (static_cast<QMouseEvent*>(event)->button() != Qt::LeftButton) return false;
        if (m_box && m_box->isVisible() && m_box->isEnabled()) m_box->click();
        return false;
    }

  private:
    QPointer<QAbstractButton> m_box;
};

bool takesTab(const QWidget* w) { return (w->focusPolicy() & Qt::TabFocus) == Qt::TabFocus; }

bool canTakeFocus(const QWidget* w, const QWidget* window) {
    return takesTab(w) && w->isEnabled() && w->isVisibleTo(window);
}

QRect placeIn(const QWidget* widget, const QWidget* window) {
    return QRect(widget->mapTo(window, QPoint(0, 0)), widget->size());
}

}  // namespace

void pressOnEnter(QWidget* screen, QAbstractButton* button) {
    auto* filter = new EnterPresses(screen, button);
    const auto fields = screen->findChildren<QWidget*>();
    for (QWidget* w : fields) {
        if (insideItemView(w)) continue;
        if (qobject_cast<QLineEdit*>(w) || qobject_cast<QComboBox*>(w))
            w->installEventFilter(filter);
    }
}

void orderTabsByPlace(QWidget* screen) {
    QWidget* window = screen->window();
    std::vector<QWidget*> chain;
    for (QWidget* w : screen->findChildren<QWidget*>()) {
        // A list's own edit and an item view's parts follow their owner.
        if (!takesTab(w) || w->window() != window) continue;
        if (qobject_cast<QComboBox*>(w->parentWidget())) continue;
        if (w->parentWidget() && insideItemView(w->parentWidget())) continue;
        chain.push_back(w);
    }
    // Rows first: widgets whose tops are a few pixels apart stand in one row (the "★" button
    // sits a little lower than Compute and Exit, between them), then left to right in a row.
    const auto top = [window](const QWidget* w) { return w->mapTo(window, QPoint(0, 0)).y(); };
    const auto left = [window](const QWidget* w) { return w->mapTo(window, QPoint(0, 0)).x(); };
    std::stable_sort(chain.begin(), chain.end(),
                     [&](QWidget* a, QWidget* b) { return top(a) < top(b); });
    for (auto rowStart = chain.begin(); rowStart != chain.end();) {
        auto rowEnd = rowStart;
        while (rowEnd != chain.end() && top(*rowEnd) - top(*rowStart) < kRowTolerance) ++rowEnd;
        std::stable_sort(rowStart, rowEnd,
                         [&](QWidget* a, QWidget* b) { return left(a) < left(b); });
        rowStart = rowEnd;
    }
    for (size_t i = 1; i < chain.size(); ++i) QWidget::setTabOrder(chain[i - 1], chain[i]);
}

void clickThrough(QWidget* caption, QAbstractButton* box) {
    caption->installEventFilter(new CaptionClicks(caption, box));
}

FocusKeeper::FocusKeeper(QWidget* window) : m_window(window), m_before(window->focusWidget()) {
    if (m_before) m_place = placeIn(m_before, window);
    m_wasButton = qobject_cast<QAbstractButton*>(m_before.data()) != nullptr;
}

void FocusKeeper::restore() {
    if (!m_place.isValid()) return;
    if (m_before && canTakeFocus(m_before, m_window)) return;
    const auto widgets = m_window->findChildren<QWidget*>();
    QWidget* replacement = nullptr;
    for (QWidget* w : widgets) {
        if (canTakeFocus(w, m_window) && placeIn(w, m_window) == m_place) {
            replacement = w;
            break;
        }
    }
    if (!replacement && m_wasButton) {
        const QPoint centre = m_place.center();
        int nearest = std::numeric_limits<int>::max();
        for (QWidget* w : widgets) {
            if (!qobject_cast<QAbstractButton*>(w) || !canTakeFocus(w, m_window)) continue;
            const int distance = (placeIn(w, m_window).center() - centre).manhattanLength();
            if (distance < nearest) {
                nearest = distance;
                replacement = w;
            }
        }
    }
    if (!replacement) {
        // The first field of the shown screen in Tab order, a button only if there is no field.
        QWidget* firstButton = nullptr;
        for (QWidget* w = m_window->nextInFocusChain(); w && w != m_window;
             w = w->nextInFocusChain()) {
            if (!canTakeFocus(w, m_window)) continue;
            if (!qobject_cast<QAbstractButton*>(w)) {
                replacement = w;
                break;
            }
            if (!firstButton) firstButton = w;
        }
        if (!replacement) replacement = firstButton;
    }
    if (replacement) replacement->setFocus(Qt::OtherFocusReason);
}

}  // namespace pile
