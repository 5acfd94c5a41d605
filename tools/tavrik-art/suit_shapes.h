#pragma once

#include <QPainterPath>
#include <QRectF>

namespace tavrik::art {

// The outline of a suit symbol (0 spades, 1 clubs, 2 diamonds, 3 hearts), scaled to fill
// `box`. The shapes are drawn in a 100 x 100 design square.
QPainterPath SuitPath(int suit, const QRectF& box);

// Width / height of the suit's shape as drawn in the design square.
double SuitAspect(int suit);

// `box` shrunk to the suit's aspect ratio, centred in it.
QRectF FitSuit(int suit, const QRectF& box);

// A star of `points` points around `centre`, tips at radius `outer`, notches at `inner`,
// the first tip straight up.
QPainterPath Star(QPointF centre, double outer, double inner, int points = 5);

}  // namespace tavrik::art
