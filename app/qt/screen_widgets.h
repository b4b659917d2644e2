// Small helpers the screen views use to build their widgets at fixed places of the window's
// design coordinates (the calculator windows are 363 wide).
#pragma once

#include <QComboBox>
#include <QPushButton>
#include <QWidget>

#include "app/qt/theme.h"

namespace pile::detail {

// The client sizes of the calculator windows' designs: one width, two heights.
inline constexpr int kWindowWidth = 363;
inline constexpr int kFormulaOneHeight = 736;
inline constexpr int kFormulaTwoHeight = 915;

// The text size of labels, edits and lists on the screens, in pixels.
inline constexpr int kScreenTextPx = 13;

template <class W>
W* place(QWidget* parent, int x, int y, int w, int h) {
    auto* widget = new W(parent);
    widget->setGeometry(x, y, w, h);
    widget->setFont(uiFont(kScreenTextPx));
    return widget;
}

// An editable list whose value is the text as typed: no inline completion, which would turn a
// typed "12" into the item "1200" (or a depth "1.5" into "1.5d") without the user asking for it.
inline QComboBox* editableCombo(QWidget* parent, int x, int y, int w, int h) {
    auto* box = place<QComboBox>(parent, x, y, w, h);
    box->setEditable(true);
    box->setInsertPolicy(QComboBox::NoInsert);
    box->setCompleter(nullptr);
    box->setMaxVisibleItems(12);
    return box;
}

// The large rounded buttons of the bottom row (Compute, Result, Exit, Back, Save).
inline QPushButton* actionButton(QWidget* parent, int x, int y) {
    auto* button = new QPushButton(parent);
    button->setGeometry(x, y, 89, 33);
    makeRounded(button, 12, uiFont(15, true));
    return button;
}

// The two places of the bottom row: Compute (Result, Back) on the left, Exit (Save, a soil
// screen's Compute) on the right.
inline constexpr int kLeftActionX = 56;
inline constexpr int kRightActionX = 208;

}  // namespace pile::detail
