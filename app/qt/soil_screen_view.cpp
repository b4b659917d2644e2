// The frame both soil screens share.
#include "app/qt/soil_screen_view.h"

#include <QGroupBox>
#include <QLabel>
#include <QPushButton>

#include "app/qt/screen_widgets.h"
#include "app/qt/theme.h"

namespace pile::detail {

namespace {

constexpr int kWidth = kWindowWidth;
constexpr int kInputsY = 50;
constexpr int kRowPitch = 33;
constexpr int kRowH = 26;
// The reference group ends above the bottom row of buttons.
constexpr int kReferenceBottom = 836;
constexpr int kActionY = 846;

}  // namespace

QRect soilInputLabelRect(int row) { return QRect(10, 24 + row * kRowPitch, 200, kRowH); }
QRect soilInputFieldRect(int row) { return QRect(216, 24 + row * kRowPitch, 122, kRowH); }

SoilScreenFrame buildSoilScreenFrame(QWidget* screen, Grid& layers, const Grid& table,
                                     const Dispatch& dispatch, const SoilScreenPlaces& places) {
    SoilScreenFrame f{};
    f.title = place<QLabel>(screen, 0, 8, kWidth, 38);
    f.title->setFont(uiFont(24, true));
    f.title->setAlignment(Qt::AlignCenter);
    f.title->setStyleSheet(QStringLiteral("color: #8A2BE2;"));

    const int inputsHeight = places.inputRows * kRowPitch + 26;
    f.inputs = place<QGroupBox>(screen, 6, kInputsY, 351, inputsHeight);

    // From the bottom up: the reference group, the message and result lines, then the grid in
    // the space that is left.
    const int referenceHeight = 44 + places.tableHeight + 6 + places.noteHeight + 8;
    const int referenceY = kReferenceBottom - referenceHeight;
    const int messageY = referenceY - 2 - 36;
    const int resultY = messageY - 28;
    const int gridY = kInputsY + inputsHeight + 8;

    f.layers = new GridView(layers, dispatch, screen);
    f.layers->setGeometry(6, gridY, 351, resultY - 6 - gridY);

    f.result = place<QLabel>(screen, 10, resultY, 260, kRowH);
    f.result->setFont(uiFont(15, true));
    f.expand = new QPushButton(screen);
    f.expand->setGeometry(283, resultY, 68, kRowH);
    makeRounded(f.expand, 8, uiFont(kScreenTextPx, true));
    f.message = place<QLabel>(screen, 10, messageY, 343, 36);
    f.message->setWordWrap(true);
    f.message->setAlignment(Qt::AlignLeft | Qt::AlignTop);

    f.reference = place<QGroupBox>(screen, 6, referenceY, 351, referenceHeight);
    f.caption = place<QLabel>(f.reference, 8, 22, 335, 20);
    f.caption->setFont(uiFont(kScreenTextPx, true));
    f.table = new GridView(table, f.reference);
    f.table->setGeometry(4, 44, 343, places.tableHeight);
    f.note = place<QLabel>(f.reference, 8, 44 + places.tableHeight + 6, 335, places.noteHeight);
    f.note->setFont(uiFont(12));
    f.note->setAlignment(Qt::AlignLeft | Qt::AlignTop);

    f.back = actionButton(screen, kLeftActionX, kActionY);
    f.compute = actionButton(screen, kRightActionX, kActionY);
    return f;
}

}  // namespace pile::detail
