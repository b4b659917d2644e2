// The looks shared by the windows.
#include "app/qt/theme.h"

#include <QFontDatabase>
#include <QGuiApplication>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QPushButton>
#include <QRadialGradient>
#include <QScreen>

#include <algorithm>

namespace pile {

GradientWindow::GradientWindow(const QSize& clientSize, QGradientStops stops)
    : QWidget(nullptr, Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint),
      m_stops(std::move(stops)) {
    setFixedSize(clientSize);
    setWindowIcon(applicationIcon());
}

void GradientWindow::centreOnScreen() {
    const QScreen* s = screen() ? screen() : QGuiApplication::primaryScreen();
    if (!s) return;
    const QRect area = s->availableGeometry();
    // A window taller or wider than the free area keeps its top left corner, and so its title
    // bar, on the screen.
    const QPoint centred = area.center() - QPoint(width() / 2, height() / 2);
    move(std::max(centred.x(), area.left()), std::max(centred.y(), area.top()));
}

void GradientWindow::paintEvent(QPaintEvent* /*event*/) {
    QPainter painter(this);
    QLinearGradient gradient(0, 0, 0, height());
    gradient.setStops(m_stops);
    painter.fillRect(rect(), gradient);
}

QGradientStops blueToWhite() {
    return {{0.0, QColor(0x1E, 0x90, 0xFF)}, {1.0, QColor(Qt::white)}};
}

QFont uiFont(int pixelSize, bool bold) {
    QFont font = QGuiApplication::font();
    font.setPixelSize(pixelSize);
    font.setBold(bold);
    return font;
}

void makeRounded(QPushButton* button, int radius, const QFont& font, const QColor& textColour) {
    button->setFont(font);
    QString style = QStringLiteral(
                        "QPushButton { border: 1px solid #8a8a8a; border-radius: %1px;"
                        " background: qlineargradient(x1:0, y1:0, x2:0, y2:1,"
                        " stop:0 #ffffff, stop:1 #dcdcdc); padding: 0px; }"
                        "QPushButton:pressed { background: #c8c8c8; }"
                        "QPushButton:disabled { color: #a0a0a0; }")
                        .arg(radius);
    if (textColour.isValid())
        style += QStringLiteral("QPushButton:enabled { color: %1; }").arg(textColour.name());
    button->setStyleSheet(style);
}

QString bookFontFamily() {
    const QStringList families = QFontDatabase::families();
    if (families.contains(QStringLiteral("SimHei"))) return QStringLiteral("SimHei");
    return QStringLiteral("AR PL UMing CN");
}

QPixmap logoStrip(const QSize& size) {
    QPixmap pixmap(size);
    pixmap.fill(Qt::transparent);
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing);
    QRadialGradient glow(QPointF(size.width() / 2.0, size.height() / 2.0), size.width() / 2.0);
    glow.setColorAt(0.0, QColor(0xFF, 0xFF, 0xFF));
    glow.setColorAt(1.0, QColor(0xD6, 0xE9, 0xFF));
    p.fillRect(pixmap.rect(), glow);
    p.setPen(QColor(0x1E, 0x5A, 0xA0));
    p.setFont(uiFont(13, true));
    p.drawText(pixmap.rect(), Qt::AlignCenter, QStringLiteral("rockpile  ·  DBJ 50-200-2014"));
    return pixmap;
}

QPixmap contactPicture(const QSize& size) {
    QPixmap pixmap(size);
    pixmap.fill(Qt::white);
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing);
    // A small grid of squares standing in for a contact code.
    const int cells = 9;
    const double cell = size.width() / double(cells + 2);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(0x30, 0x30, 0x30));
    for (int y = 0; y < cells; ++y)
        for (int x = 0; x < cells; ++x)
            if (((x * 7 + y * 11 + x * y) % 5) < 2 || (x < 3 && y < 3) || (x > 5 && y < 3) ||
                (x < 3 && y > 5))
                p.drawRect(QRectF(cell * (x + 1), cell * (y + 1), cell, cell));
    return pixmap;
}

QIcon applicationIcon() {
    QPixmap pixmap(64, 64);
    pixmap.fill(Qt::transparent);
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing);
    // Rock at the foot, soil above it, and the pile socketed into the rock.
    p.fillRect(QRect(0, 40, 64, 24), QColor(0x8B, 0x7D, 0x6B));
    p.fillRect(QRect(0, 16, 64, 24), QColor(0xD2, 0xB4, 0x8C));
    p.setBrush(QColor(0xA9, 0xA9, 0xA9));
    p.setPen(QPen(QColor(0x40, 0x40, 0x40), 2));
    p.drawRect(QRect(24, 4, 16, 52));
    return QIcon(pixmap);
}

}  // namespace pile
