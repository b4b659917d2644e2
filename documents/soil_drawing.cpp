// The pile in its soil.
#include "documents/soil_drawing.h"

#include <QFont>
#include <QPainter>
#include <QPainterPath>
#include <algorithm>
#include <cmath>

namespace pile::documents {

namespace {

QString text(const std::string& s) { return QString::fromUtf8(s.data(), qsizetype(s.size())); }

// Light fills that tell neighbouring layers apart.
const QColor kLayerFills[] = {QColor(0xF3, 0xE6, 0xC8), QColor(0xE4, 0xD3, 0xA8)};
const QColor kRock(0xB8, 0xB8, 0xB8);
const QColor kPile(0x9A, 0xA8, 0xB8);
const QColor kFriction(0xD0, 0x40, 0x30);

// Formula one's figure: the pile from its top through the soil above the rock into its socket,
// its width and the socket's depth to one scale.
void drawRockSocket(QPainter& painter, const QRectF& frame, const BookSoilFigure& figure,
                    double line) {
    const QRectF soil(frame.left() + frame.width() * 0.12, frame.top() + 2 * line,
                      frame.width() * 0.76, frame.height() * 0.22);
    const QRectF rock(soil.left(), soil.bottom(), soil.width(),
                      frame.bottom() - line - soil.bottom());
    painter.setPen(QPen(Qt::black, 1));
    painter.fillRect(soil, kLayerFills[0]);
    painter.fillRect(rock, QBrush(kRock, Qt::Dense5Pattern));
    painter.drawRect(soil.united(rock));
    painter.drawLine(QPointF(soil.left(), soil.bottom()), QPointF(soil.right(), soil.bottom()));
    painter.drawText(QRectF(soil.left() + 4, soil.top(), soil.width() * 0.3, soil.height()),
                     Qt::AlignLeft | Qt::AlignVCenter | Qt::TextWordWrap,
                     QStringLiteral("上覆土层"));
    painter.drawText(QRectF(rock.left() + 4, rock.top(), soil.width() * 0.3, 2 * line),
                     Qt::AlignLeft | Qt::AlignVCenter, text(figure.rockText));

    // One scale for the width and the socket: each as large as its room allows, the smaller
    // ruling; a pile too thin to see keeps two pixels.
    const double socketRoom = std::max(0.0, rock.height() - 2 * line);
    const double widthRoom = soil.width() * 0.3;
    const bool depth = figure.socket > 0 && std::isfinite(figure.socket);
    const bool across = figure.diameter > 0 && std::isfinite(figure.diameter);
    double scale = 0;
    if (depth && across)
        scale = std::min(socketRoom / figure.socket, widthRoom / figure.diameter);
    else if (depth)
        scale = socketRoom / figure.socket;
    else if (across)
        scale = widthRoom / figure.diameter;
    const double socket = depth ? std::min(socketRoom, figure.socket * scale) : 0;
    const double width =
        std::clamp(across ? figure.diameter * scale : widthRoom / 3, 2.0, widthRoom);
    const double left = soil.center().x() - width / 2;
    const double top = soil.top() + soil.height() * 0.35;
    painter.setPen(QPen(Qt::black, 1.5));
    painter.setBrush(kPile);
    painter.drawRect(QRectF(left, top, width, rock.top() + socket - top));
    painter.setBrush(Qt::NoBrush);

    // The width above the pile top, the socket's depth at its right.
    painter.setPen(QPen(Qt::black, 1));
    const double tick = line * 0.3;
    const double dimY = top - line * 0.4;
    painter.drawLine(QPointF(left, dimY), QPointF(left + width, dimY));
    painter.drawLine(QPointF(left, dimY - tick), QPointF(left, dimY + tick));
    painter.drawLine(QPointF(left + width, dimY - tick), QPointF(left + width, dimY + tick));
    painter.drawText(QRectF(soil.left(), dimY - 1.5 * line, soil.width(), line),
                     Qt::AlignHCenter | Qt::AlignVCenter, text(figure.diameterText));
    painter.drawText(QRectF(soil.left(), top, left - soil.left() - 6, line),
                     Qt::AlignRight | Qt::AlignVCenter, QStringLiteral("桩顶"));
    const double dimX = left + width + line * 0.6;
    painter.drawLine(QPointF(dimX, rock.top()), QPointF(dimX, rock.top() + socket));
    painter.drawLine(QPointF(dimX - tick, rock.top()), QPointF(dimX + tick, rock.top()));
    painter.drawLine(QPointF(dimX - tick, rock.top() + socket),
                     QPointF(dimX + tick, rock.top() + socket));
    painter.drawText(QRectF(dimX + 4, rock.top() + socket / 2 - line / 2,
                            std::max(0.0, rock.right() - dimX - 6), line),
                     Qt::AlignLeft | Qt::AlignVCenter,
                     QStringLiteral("嵌岩 hr=%1").arg(text(figure.socketText)));
}

}  // namespace

void drawPileInSoil(QPainter& painter, const QRectF& frame, const BookSoilFigure& figure) {
    painter.save();
    painter.setClipRect(frame);
    painter.setRenderHint(QPainter::Antialiasing);
    QFont font = painter.font();
    font.setPixelSize(std::max(8, int(frame.height() / 42)));
    painter.setFont(font);
    const double line = font.pixelSize() * 1.3;
    if (!figure.rockText.empty()) {
        drawRockSocket(painter, frame, figure, line);
        painter.restore();
        return;
    }

    // The soil column: from the highest of the ground, the pile top and the layer tops, down to
    // the lowest layer bottom; the rock below it takes a fifth of the height.
    double highest = std::max(figure.eg, figure.ep);
    double lowest = std::min(figure.eg, figure.ep);
    for (const BookSoilLayer& layer : figure.layers) {
        highest = std::max({highest, layer.top, layer.bottom});
        lowest = std::min({lowest, layer.top, layer.bottom});
    }
    const double span =
        highest - lowest > 0 && std::isfinite(highest - lowest) ? highest - lowest : 1;
    const QRectF column(frame.left() + frame.width() * 0.30, frame.top() + 2 * line,
                        frame.width() * 0.34, frame.height() * 0.72 - 2 * line);
    const QRectF rock(column.left(), column.bottom(), column.width(),
                      frame.bottom() - column.bottom() - line);
    const auto y = [&](double elevation) {
        const double t = std::clamp((highest - elevation) / span, 0.0, 1.0);
        return column.top() + t * column.height();
    };

    // Layers, each with its number and bottom elevation at the left.
    painter.setPen(QPen(Qt::black, 1));
    int index = 0;
    for (const BookSoilLayer& layer : figure.layers) {
        const double top = y(layer.top);
        const double bottom = y(layer.bottom);
        if (bottom > top) {
            painter.fillRect(QRectF(column.left(), top, column.width(), bottom - top),
                             kLayerFills[index % 2]);
            if (bottom - top >= line)
                painter.drawText(
                    QRectF(column.left() + 4, top, column.width() * 0.45, bottom - top),
                    Qt::AlignLeft | Qt::AlignVCenter, QStringLiteral("%1").arg(text(layer.number)));
        }
        painter.drawLine(QPointF(column.left(), bottom), QPointF(column.right(), bottom));
        painter.drawText(
            QRectF(frame.left(), bottom - line / 2, column.left() - frame.left() - 4, line),
            Qt::AlignRight | Qt::AlignVCenter,
            QStringLiteral("E%1=%2").arg(text(layer.number), text(layer.bottomText)));
        ++index;
    }
    painter.fillRect(rock, QBrush(kRock, Qt::Dense5Pattern));
    painter.drawRect(column.united(rock));
    painter.drawText(QRectF(column.left() + 4, rock.top(), column.width() / 2, line),
                     Qt::AlignLeft | Qt::AlignVCenter, QStringLiteral("基岩"));

    // Ground and pile top.
    const double ground = y(figure.eg);
    painter.setPen(QPen(Qt::darkGreen, 2));
    painter.drawLine(QPointF(column.left() - 10, ground), QPointF(column.right() + 10, ground));
    painter.drawText(QRectF(frame.left(), ground - line, column.left() - frame.left() - 4, line),
                     Qt::AlignRight | Qt::AlignVCenter,
                     QStringLiteral("Eg=%1").arg(text(figure.egText)));

    // The pile, not to scale across: from Ep down through the soil and into the rock; the socket
    // as deep as the rock band shows it, its depth written beside it.
    const double pileWidth = column.width() * 0.16;
    const double pileLeft = column.center().x() - pileWidth / 2;
    const double pileTop = y(figure.ep);
    const double socketBottom = rock.top() + rock.height() * 0.6;
    painter.setPen(QPen(Qt::black, 1.5));
    painter.setBrush(kPile);
    painter.drawRect(QRectF(pileLeft, pileTop, pileWidth, std::max(1.0, socketBottom - pileTop)));
    painter.setBrush(Qt::NoBrush);
    // Ep right of the pile top, so that it never meets the elevations at the left.
    painter.drawText(
        QRectF(pileLeft + pileWidth + 4, pileTop - line, column.right() - pileLeft, line),
        Qt::AlignLeft | Qt::AlignVCenter, QStringLiteral("Ep=%1").arg(text(figure.epText)));
    painter.drawText(
        QRectF(pileLeft + pileWidth + 4, rock.top() + 2, column.right() - pileLeft, 2 * line),
        Qt::AlignLeft | Qt::AlignTop, QStringLiteral("嵌岩 hr=%1").arg(text(figure.socketText)));

    // q_si^n beside the pile, scaled to the room right of the column.
    double largest = 0;
    for (const BookSoilLayer& layer : figure.layers)
        if (layer.pile)
            largest = std::max({largest, std::abs(layer.qTop), std::abs(layer.qBottom)});
    const double room = frame.right() - column.right() - 4;
    const double scale = largest > 0 && std::isfinite(largest) ? room * 0.55 / largest : 0;
    const double base = column.right() + 2;
    painter.setPen(QPen(kFriction, 1.2));
    painter.drawLine(QPointF(base, pileTop), QPointF(base, column.bottom()));
    painter.drawText(QRectF(base, frame.top(), room, line), Qt::AlignLeft | Qt::AlignVCenter,
                     QStringLiteral("负摩阻力 qsin (kPa)"));
    for (const BookSoilLayer& layer : figure.layers) {
        if (!layer.pile) continue;
        const double top = y(std::min(layer.pileTop, layer.top));
        const double bottom = y(layer.bottom);
        if (bottom <= top) continue;
        QPainterPath shape;
        shape.moveTo(base, top);
        shape.lineTo(base + std::abs(layer.qTop) * scale, top);
        shape.lineTo(base + std::abs(layer.qBottom) * scale, bottom);
        shape.lineTo(base, bottom);
        shape.closeSubpath();
        painter.fillPath(shape, QColor(kFriction.red(), kFriction.green(), kFriction.blue(), 70));
        painter.drawPath(shape);
        if (bottom - top >= line)
            painter.drawText(QRectF(base + room * 0.58, top, room * 0.42, bottom - top),
                             Qt::AlignLeft | Qt::AlignVCenter, text(layer.shape));
    }
    painter.restore();
}

QImage soilDrawingImage(const BookSoilFigure& figure, int width, int height) {
    QImage image(std::max(1, width), std::max(1, height), QImage::Format_RGB32);
    image.fill(Qt::white);
    QPainter painter(&image);
    drawPileInSoil(painter, QRectF(4, 4, image.width() - 8, image.height() - 8), figure);
    return image;
}

}  // namespace pile::documents
