// The pile in its soil, drawn once with QPainter and used by the typeset book and as a PNG:
// the layers to scale between the ground Eg and the rock, each with its number and bottom
// elevation, the pile from its top Ep into its socket in rock, and beside the pile the
// negative skin friction q_si^n used over the pile-side part of each layer, with the name of
// its diagram's shape. Formula one's figure (rockText set) is the pile socketed in rock alone.
#pragma once

#include <QImage>
#include <QRectF>

#include "books/book_model.h"

class QPainter;

namespace pile::documents {

// Draws inside `frame` only, whatever the values (equal or reversed elevations, zero or huge
// frictions, a socket of any depth).
void drawPileInSoil(QPainter& painter, const QRectF& frame, const BookSoilFigure& figure);

// The drawing as an image of `width` x `height` pixels on white.
QImage soilDrawingImage(const BookSoilFigure& figure, int width, int height);

}  // namespace pile::documents
