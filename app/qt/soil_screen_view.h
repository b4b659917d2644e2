// What the two soil screens of the formula-two window share: the title, the input group, the
// layer grid with its result line, message line and expand button, the reference table with its
// caption and note, and Back and Compute in the places of the input screen's Compute and Exit.
// Each screen (negative_friction_screen_view.h, side_resistance_screen_view.h) fills its input
// group, names the parts after its controls and binds them.
#pragma once

#include <QGroupBox>
#include <QLabel>
#include <QRect>

#include "app/model/controls.h"
#include "app/qt/grid_view.h"
#include "app/qt/screen_widgets.h"
#include "app/qt/widget_sync.h"

class QPushButton;
class QWidget;

namespace pile::detail {

// What differs between the two screens, in design pixels. The layer grid takes the height
// left between the input group and the reference table.
struct SoilScreenPlaces {
    int inputRows;    // rows of the input group
    int tableHeight;  // the reference table
    int noteHeight;   // its note
};

struct SoilScreenFrame {
    QLabel* title;
    QGroupBox* inputs;
    GridView* layers;
    QLabel* result;
    QLabel* message;
    QPushButton* expand;
    QGroupBox* reference;
    QLabel* caption;
    GridView* table;
    QLabel* note;
    QPushButton* back;
    QPushButton* compute;
};

// Builds the frame on `screen` (a page of the 363 x 915 window). The layer grid hands its
// events to `layers` through `dispatch`; the reference table is read-only.
SoilScreenFrame buildSoilScreenFrame(QWidget* screen, Grid& layers, const Grid& table,
                                     const Dispatch& dispatch, const SoilScreenPlaces& places);

// The place of the label and of the field of a row of the input group, in the group.
QRect soilInputLabelRect(int row);
QRect soilInputFieldRect(int row);

inline QLabel* soilInputLabel(QGroupBox* group, int row) {
    const QRect r = soilInputLabelRect(row);
    return place<QLabel>(group, r.x(), r.y(), r.width(), r.height());
}

template <class W>
W* soilInputField(QGroupBox* group, int row) {
    const QRect r = soilInputFieldRect(row);
    return place<W>(group, r.x(), r.y(), r.width(), r.height());
}

}  // namespace pile::detail
