#include "ui/widgets/gradient.h"

#include <QPainter>
#include <algorithm>
#include <cmath>

namespace tavrik {

namespace {
// a * b / c rounded to the nearest integer, halves away from zero.
int MulDiv(int a, int b, int c) {
  return static_cast<int>(std::lround(static_cast<double>(a) * b / c));
}
}  // namespace

void GradientFill(QPainter& canvas, const QRect& rect, const QColor& colour1, int bands,
                  int direction, const QColor& colour2) {
  if (rect.isEmpty()) return;
  bands = std::clamp(bands, 0, 255);
  canvas.save();
  canvas.setCompositionMode(QPainter::CompositionMode_Source);
  if (bands < 2) {
    canvas.fillRect(rect, colour1.rgb());
    canvas.restore();
    return;
  }
  const bool vertical = direction == 0 || direction == 1;
  const bool fromColour1 = direction == 0 || direction == 2;
  const QColor start = (fromColour1 ? colour1 : colour2).toRgb();
  const QColor end = (fromColour1 ? colour2 : colour1).toRgb();
  const int length = vertical ? rect.height() : rect.width();
  const int n = std::max(2, std::min(bands, length));
  const int band = length / n;
  const auto part = [&](int offset, int size) {
    return vertical ? QRect(rect.left(), rect.top() + offset, rect.width(), size)
                    : QRect(rect.left() + offset, rect.top(), size, rect.height());
  };
  for (int k = 0; k < n; ++k) {
    const QColor colour(start.red() + MulDiv(end.red() - start.red(), k, n - 1),
                        start.green() + MulDiv(end.green() - start.green(), k, n - 1),
                        start.blue() + MulDiv(end.blue() - start.blue(), k, n - 1));
    if (band > 0) canvas.fillRect(part(k * band, band), colour);
  }
  const int rest = length - n * band;
  if (rest > 0) canvas.fillRect(part(n * band, rest), end);
  canvas.restore();
}

QColor Lighten(const QColor& colour, int amount) {
  const QColor rgb = colour.toRgb();
  const auto channel = [&](int value) { return std::clamp(value + amount, 0, 255); };
  return QColor(channel(rgb.red()), channel(rgb.green()), channel(rgb.blue()));
}

}  // namespace tavrik
