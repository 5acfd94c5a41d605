#pragma once

#include <QColor>
#include <QRect>

class QPainter;

namespace tavrik {

// Fills `rect` with `bands` solid bands running from one colour to the other (bands
// 0..255; fewer than 2 fill with colour1 alone). Direction 0: colour1 at the top to
// colour2 at the bottom; 1: the other way; 2: colour1 at the left to colour2 at the right;
// 3: the other way. n = max(2, min(bands, length)) bands of length div n pixels each; the
// length mod n pixels left at the far end take the end colour. An empty rectangle draws
// nothing.
void GradientFill(QPainter& canvas, const QRect& rect, const QColor& colour1, int bands,
                  int direction, const QColor& colour2);

// `amount` added to each of red, green and blue (negative darkens), each kept in 0..255.
QColor Lighten(const QColor& colour, int amount);

}  // namespace tavrik
