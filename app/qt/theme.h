// The looks shared by the windows: fixed-size windows without title-bar buttons and with a
// gradient background, rounded buttons, fonts in pixel sizes, the fixed-pitch font of the book
// views, and the pictures drawn in code (logo strip, contact picture, application icon).
#pragma once

#include <QColor>
#include <QEvent>
#include <QFont>
#include <QGradientStops>
#include <QIcon>
#include <QPixmap>
#include <QString>
#include <QWidget>

class QPushButton;

namespace pile {

// A top-level window of fixed client size, without title-bar buttons, whose background is a
// vertical linear gradient, and whose disabled texts are dark enough to read on it.
class GradientWindow : public QWidget {
  public:
    GradientWindow(const QSize& clientSize, QGradientStops stops);

    // Centres the window in the free area of its screen. A window that does not fit there,
    // its frame included, is first scaled down to fit: its places, sizes and fonts together.
    void placeOnScreen();

    // The factor by which the window is drawn smaller than its design (1 when it fits).
    double scale() const { return m_scale; }

  protected:
    void paintEvent(QPaintEvent* event) override;

  private:
    void scaleDown(double factor);

    QGradientStops m_stops;
    QSize m_designSize;
    double m_scale = 1.0;
};

// Sent to every widget of a GradientWindow once the window has been scaled: a view that sizes
// its columns and rows to their texts measures them again in the scaled fonts (fonts of whole
// pixels do not scale in proportion, so scaled widths would cut their texts).
QEvent::Type windowScaledEvent();

// In a scaled window: makes the font of a label, button, check box or group box a pixel or
// more smaller than the scaled design where its text would not fit its place otherwise (fonts
// come in whole pixels, so a scaled text can be a little wider than its scaled place), and
// gives back the scaled design size where the text fits again. Nothing in a window at its
// design size.
void fitTextToPlace(QWidget* widget);

// The scale of the window that shows `widget`: design pixels times this are pixels.
double designScale(const QWidget* widget);

// A length in design pixels as pixels of the window that shows `widget`.
int scaledLength(const QWidget* widget, int designPixels);

// The colour of a disabled text on the windows' gradient.
inline const QColor kDisabledText{0x4A, 0x4A, 0x4A};

// Dodger blue at the top to white at the bottom: the chooser and the calculator windows.
QGradientStops blueToWhite();

// The user-interface font at a size in pixels (the sizes of the design are pixel sizes).
QFont uiFont(int pixelSize, bool bold = false);

// A button with rounded corners; `textColour` invalid keeps the default.
void makeRounded(QPushButton* button, int radius, const QFont& font,
                 const QColor& textColour = QColor());

// "SimHei" where the system has it, else "AR PL UMing CN": fixed-pitch fonts in which a Chinese
// character takes exactly two Latin columns, as the books' alignment needs.
QString bookFontFamily();

// The logo strip of the input screen (the icon and the program's name on a pale radial
// gradient), the About box's contact picture and the application icon.
QPixmap logoStrip(const QSize& size);
QPixmap contactPicture(const QSize& size);
QIcon applicationIcon();

}  // namespace pile
