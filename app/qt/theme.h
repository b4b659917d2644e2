// The looks shared by the windows: fixed-size windows without title-bar buttons and with a
// gradient background, rounded buttons, fonts in pixel sizes, the fixed-pitch font of the book
// views, and the pictures drawn in code (logo strip, contact picture, application icon).
#pragma once

#include <QColor>
#include <QFont>
#include <QGradientStops>
#include <QIcon>
#include <QPixmap>
#include <QString>
#include <QWidget>

class QPushButton;

namespace pile {

// A top-level window of fixed client size, without title-bar buttons, whose background is a
// vertical linear gradient.
class GradientWindow : public QWidget {
public:
    GradientWindow(const QSize& clientSize, QGradientStops stops);

    // Centres the window on its screen.
    void centreOnScreen();

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QGradientStops m_stops;
};

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

// The logo strip of the input screen (pale radial gradient), the About box's contact picture
// and the application icon.
QPixmap logoStrip(const QSize& size);
QPixmap contactPicture(const QSize& size);
QIcon applicationIcon();

}  // namespace pile
