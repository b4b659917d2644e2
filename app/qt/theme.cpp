// The looks shared by the windows.
#include "app/qt/theme.h"

#include <QAbstractScrollArea>
#include <QCoreApplication>
#include <QFontDatabase>
#include <QFontMetricsF>
#include <QGroupBox>
#include <QGuiApplication>
#include <QHeaderView>
#include <QLabel>
#include <QLayout>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QPalette>
#include <QPushButton>
#include <QRadialGradient>
#include <QRadioButton>
#include <QScreen>
#include <QStyle>
#include <QTableView>
#include <QVariant>

#include <algorithm>
#include <cmath>

namespace pile {

GradientWindow::GradientWindow(const QSize& clientSize, QGradientStops stops)
    : QWidget(nullptr, Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint),
      m_stops(std::move(stops)),
      m_designSize(clientSize) {
    setFixedSize(clientSize);
    setWindowIcon(applicationIcon());
    // A disabled text stays readable on the blue of the gradient: dark grey instead of the
    // style's light grey.
    QPalette shades = palette();
    for (QPalette::ColorRole role : {QPalette::WindowText, QPalette::Text, QPalette::ButtonText})
        shades.setColor(QPalette::Disabled, role, kDisabledText);
    setPalette(shades);
}

void GradientWindow::placeOnScreen() {
    const QScreen* s = screen() ? screen() : QGuiApplication::primaryScreen();
    if (!s) return;
    const QRect area = s->availableGeometry();
    // The frame the window system adds; before the first show it is not known yet, and a title
    // bar's height is kept free for it.
    QMargins frame(0, 0, 0, 0);
    if (isVisible()) {
        const QRect outer = frameGeometry();
        const QRect inner = geometry();
        frame = QMargins(inner.left() - outer.left(), inner.top() - outer.top(),
                         outer.right() - inner.right(), outer.bottom() - inner.bottom());
    } else if (!testAttribute(Qt::WA_DontShowOnScreen)) {
        frame.setTop(style()->pixelMetric(QStyle::PM_TitleBarHeight, nullptr, this));
    }
    const double fitWidth = double(area.width() - frame.left() - frame.right());
    const double fitHeight = double(area.height() - frame.top() - frame.bottom());
    const double fit =
        std::min({1.0, fitWidth / m_designSize.width(), fitHeight / m_designSize.height()});
    if (fit < m_scale) scaleDown(fit / m_scale);

    const int outerWidth = width() + frame.left() + frame.right();
    const int outerHeight = height() + frame.top() + frame.bottom();
    const int x = area.left() + std::max(0, (area.width() - outerWidth) / 2);
    const int y = area.top() + std::max(0, (area.height() - outerHeight) / 2);
    move(x, y);  // the position of the frame
}

namespace {

int scaledValue(int value, double factor) { return static_cast<int>(std::lround(value * factor)); }

// Scales the rectangle by its edges, so that widgets side by side stay side by side.
QRect scaledRect(const QRect& r, double factor) {
    const int left = scaledValue(r.left(), factor);
    const int top = scaledValue(r.top(), factor);
    return QRect(left, top, scaledValue(r.left() + r.width(), factor) - left,
                 scaledValue(r.top() + r.height(), factor) - top);
}

// The pixel size a widget's font has in its scaled window, before fitTextToPlace.
constexpr char kScaledPixelSize[] = "pileScaledPixelSize";

void scaleFont(QWidget* w, double factor) {
    QFont font = w->font();
    if (font.pixelSize() > 0) {
        const QVariant fitted = w->property(kScaledPixelSize);
        const int size = fitted.isValid() ? fitted.toInt() : font.pixelSize();
        font.setPixelSize(std::max(1, scaledValue(size, factor)));
        w->setProperty(kScaledPixelSize, font.pixelSize());
    } else if (font.pointSizeF() > 0)
        font.setPointSizeF(font.pointSizeF() * factor);
    w->setFont(font);
}

// Whether the widget's text fits its place in `font`.
bool textFits(const QWidget* w, const QFont& font) {
    const QFontMetrics metrics(font);
    if (const auto* label = qobject_cast<const QLabel*>(w)) {
        if (label->text().isEmpty() || !label->pixmap().isNull()) return true;
        const int flags = label->wordWrap() ? int(Qt::TextWordWrap) : 0;
        const QRect room = label->contentsRect().adjusted(label->margin(), label->margin(),
                                                          -label->margin(), -label->margin());
        const QRect needed = metrics.boundingRect(QRect(0, 0, room.width(), 100000),
                                                  flags | int(label->alignment()), label->text());
        return needed.width() <= room.width() && needed.height() <= room.height();
    }
    if (const auto* group = qobject_cast<const QGroupBox*>(w))
        return metrics.horizontalAdvance(group->title()) + 8 <= group->width();
    if (const auto* button = qobject_cast<const QPushButton*>(w))
        return button->text().isEmpty() ||
               (metrics.horizontalAdvance(button->text()) + 4 <= button->width() &&
                metrics.height() <= button->height());
    if (const auto* box = qobject_cast<const QAbstractButton*>(w)) {
        // A check box or radio button: the indicator, its spacing and the text.
        const QStyle* style = box->style();
        const bool radio = qobject_cast<const QRadioButton*>(box) != nullptr;
        const int indicator = style->pixelMetric(
            radio ? QStyle::PM_ExclusiveIndicatorWidth : QStyle::PM_IndicatorWidth, nullptr, box);
        const int spacing = style->pixelMetric(
            radio ? QStyle::PM_RadioButtonLabelSpacing : QStyle::PM_CheckBoxLabelSpacing, nullptr,
            box);
        return box->text().isEmpty() ||
               indicator + spacing + metrics.horizontalAdvance(box->text()) + 4 <= box->width();
    }
    return true;
}

void scaleHeader(QHeaderView* header, double factor) {
    header->setMinimumSectionSize(std::max(1, scaledValue(header->minimumSectionSize(), factor)));
    header->setDefaultSectionSize(std::max(1, scaledValue(header->defaultSectionSize(), factor)));
    if (header->orientation() == Qt::Horizontal)
        for (int i = 0; i < header->count(); ++i)
            header->resizeSection(i, scaledValue(header->sectionSize(i), factor));
}

// Fonts first, for the whole tree: a widget that inherits its font gets its parent's scaled
// one, and only fonts set on a widget itself are scaled again.
void scaleFonts(QWidget* w, double factor) {
    if (w->testAttribute(Qt::WA_SetFont)) scaleFont(w, factor);
    for (QObject* child : w->children())
        if (auto* c = qobject_cast<QWidget*>(child); c && !c->isWindow()) scaleFonts(c, factor);
}

void scaleGeometry(QWidget* w, double factor) {
    const bool laidOut = w->parentWidget() && w->parentWidget()->layout() &&
                         w->parentWidget()->layout()->indexOf(w) >= 0;
    const QSize minimum = w->minimumSize();
    const QSize maximum = w->maximumSize();
    const bool fixedWidth = minimum.width() == maximum.width();
    const bool fixedHeight = minimum.height() == maximum.height();
    if (fixedWidth) w->setFixedWidth(scaledValue(minimum.width(), factor));
    if (fixedHeight) w->setFixedHeight(scaledValue(minimum.height(), factor));
    if (!laidOut) w->setGeometry(scaledRect(w->geometry(), factor));
    if (auto* label = qobject_cast<QLabel*>(w); label && !label->pixmap().isNull())
        label->setScaledContents(true);
    if (auto* view = qobject_cast<QTableView*>(w)) {
        scaleHeader(view->horizontalHeader(), factor);
        scaleHeader(view->verticalHeader(), factor);
    }
    for (QObject* child : w->children()) {
        auto* c = qobject_cast<QWidget*>(child);
        // An item view's own parts (viewport, headers, scroll bars) are placed by the view.
        if (c && !c->isWindow() && !qobject_cast<QAbstractScrollArea*>(w)) scaleGeometry(c, factor);
    }
}

}  // namespace

void GradientWindow::scaleDown(double factor) {
    m_scale *= factor;
    setProperty("designScale", m_scale);
    // The window's own font is the application's unless set; set it, so that every widget
    // that inherits it is scaled with the rest.
    if (!testAttribute(Qt::WA_SetFont)) setFont(QGuiApplication::font());
    scaleFonts(this, factor);
    for (QObject* child : children())
        if (auto* c = qobject_cast<QWidget*>(child); c && !c->isWindow()) scaleGeometry(c, factor);
    setFixedSize(scaledValue(m_designSize.width(), m_scale),
                 scaledValue(m_designSize.height(), m_scale));
    const QList<QWidget*> widgets = findChildren<QWidget*>();
    for (QWidget* w : widgets) fitTextToPlace(w);
    QEvent scaled(windowScaledEvent());
    for (QWidget* w : widgets) QCoreApplication::sendEvent(w, &scaled);
}

QEvent::Type windowScaledEvent() {
    static const auto type = static_cast<QEvent::Type>(QEvent::registerEventType());
    return type;
}

void fitTextToPlace(QWidget* widget) {
    if (!widget || designScale(widget) >= 1.0) return;
    const QVariant scaled = widget->property(kScaledPixelSize);
    QFont font = widget->font();
    if (!scaled.isValid() || font.pixelSize() <= 0) return;
    // Two thirds of the scaled size at the least: a text is never shrunk out of reading.
    const int largest = scaled.toInt();
    const int smallest = std::max(6, largest * 2 / 3);
    font.setPixelSize(largest);
    while (font.pixelSize() > smallest && !textFits(widget, font))
        font.setPixelSize(font.pixelSize() - 1);
    if (font != widget->font()) widget->setFont(font);
}

double designScale(const QWidget* widget) {
    const QVariant scale = widget ? widget->window()->property("designScale") : QVariant();
    return scale.isValid() ? scale.toDouble() : 1.0;
}

int scaledLength(const QWidget* widget, int designPixels) {
    return static_cast<int>(std::lround(designPixels * designScale(widget)));
}

void GradientWindow::paintEvent(QPaintEvent* /*event*/) {
    QPainter painter(this);
    QLinearGradient gradient(0, 0, 0, height());
    gradient.setStops(m_stops);
    painter.fillRect(rect(), gradient);
}

QGradientStops blueToWhite() { return {{0.0, QColor(0x1E, 0x90, 0xFF)}, {1.0, QColor(Qt::white)}}; }

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

namespace {

// Rock at the foot, soil above it, and the pile socketed into the rock, in a square.
void drawPileIcon(QPainter& p, const QRectF& square) {
    const double u = square.width() / 64.0;
    const auto at = [&](double x, double y, double w, double h) {
        return QRectF(square.x() + x * u, square.y() + y * u, w * u, h * u);
    };
    p.fillRect(at(0, 40, 64, 24), QColor(0x8B, 0x7D, 0x6B));
    p.fillRect(at(0, 16, 64, 24), QColor(0xD2, 0xB4, 0x8C));
    p.setBrush(QColor(0xA9, 0xA9, 0xA9));
    p.setPen(QPen(QColor(0x40, 0x40, 0x40), 2 * u));
    p.drawRect(at(24, 4, 16, 52));
}

}  // namespace

QPixmap logoStrip(const QSize& size) {
    QPixmap pixmap(size);
    pixmap.fill(Qt::transparent);
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing);
    QRadialGradient glow(QPointF(size.width() / 2.0, size.height() / 2.0), size.width() / 2.0);
    glow.setColorAt(0.0, QColor(0xFF, 0xFF, 0xFF));
    glow.setColorAt(1.0, QColor(0xD6, 0xE9, 0xFF));
    p.fillRect(pixmap.rect(), glow);
    // The icon, then the name, centred together.
    const QFont font = uiFont(std::max(8, size.height() * 9 / 16), true);
    const QString name = QStringLiteral("嵌岩桩承载力计算");
    const double iconSide = size.height() - 6.0;
    const double gap = iconSide / 3;
    const double nameWidth = QFontMetricsF(font).horizontalAdvance(name);
    const double left = (size.width() - iconSide - gap - nameWidth) / 2;
    drawPileIcon(p, QRectF(left, 3, iconSide, iconSide));
    p.setPen(QColor(0x1E, 0x5A, 0xA0));
    p.setFont(font);
    p.drawText(QRectF(left + iconSide + gap, 0, nameWidth + 2, size.height()),
               Qt::AlignLeft | Qt::AlignVCenter, name);
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
    drawPileIcon(p, QRectF(0, 0, 64, 64));
    p.end();
    return QIcon(pixmap);
}

}  // namespace pile
