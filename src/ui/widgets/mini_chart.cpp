#include "ui/widgets/mini_chart.h"

#include <QPainter>
#include <algorithm>
#include <cmath>

namespace tavrik {

TMiniChart::TMiniChart(int width, int height) : image_(width, height, QImage::Format_RGB32) {
  Redraw();
}

void TMiniChart::Resize(int width, int height) {
  if (QSize(width, height) == image_.size()) return;
  image_ = QImage(width, height, QImage::Format_RGB32);
  Redraw();
}

void TMiniChart::AddPoint(int32_t perfectCredits, int32_t playerCredits) {
  if (count_ == MaxPoints) {
    std::copy(PerfectPoints.begin() + 1, PerfectPoints.end(), PerfectPoints.begin());
    std::copy(PlayerPoints.begin() + 1, PlayerPoints.end(), PlayerPoints.begin());
    count_ = MaxPoints - 1;
    minValue_ = std::min(*std::min_element(PerfectPoints.begin(), PerfectPoints.begin() + count_),
                         *std::min_element(PlayerPoints.begin(), PlayerPoints.begin() + count_));
    maxValue_ = std::max(*std::max_element(PerfectPoints.begin(), PerfectPoints.begin() + count_),
                         *std::max_element(PlayerPoints.begin(), PlayerPoints.begin() + count_));
  }
  const auto index = static_cast<size_t>(count_);
  PerfectPoints[index] = perfectCredits;
  PlayerPoints[index] = playerCredits;
  if (count_ == 0) {
    minValue_ = std::min(perfectCredits, playerCredits);
    maxValue_ = std::max(perfectCredits, playerCredits);
  } else {
    minValue_ = std::min({minValue_, perfectCredits, playerCredits});
    maxValue_ = std::max({maxValue_, perfectCredits, playerCredits});
  }
  ++count_;
  Redraw();
}

int TMiniChart::ValueY(int32_t value) const {
  // In 64 bits: credits may lie anywhere in the 32-bit range.
  int64_t range = int64_t{maxValue_} - minValue_;
  int64_t base = minValue_;
  if (range < MinRange) {
    range = MinRange;
    base = (int64_t{minValue_} + maxValue_) / 2 - MinRange / 2;
  }
  const double scale = static_cast<double>(image_.height() - 6) / static_cast<double>(range);
  return image_.height() -
         static_cast<int>(std::lround(static_cast<double>(value - base) * scale + 3));
}

void TMiniChart::Redraw() {
  image_.fill(Qt::white);
  const int width = image_.width();
  const int height = image_.height();
  // Dots, their spacing and the lines grow with the height; points spread over the width.
  const int thick = std::max(1, height / 60);
  const double step = std::max(1.0, (width - 2) / static_cast<double>(MaxPoints));
  const QRgb dot = qRgb(192, 192, 192);
  for (int y = 0; y < height; y += 10 * thick) {
    for (int x = 0; x < width; x += 2 * thick) image_.setPixel(x, y, dot);
  }
  for (int x = 0; x < width; x += 10 * thick) {
    for (int y = 0; y < height; y += 2 * thick) image_.setPixel(x, y, dot);
  }
  QPainter painter(&image_);
  painter.setPen(QPen(Qt::black, thick, Qt::SolidLine, Qt::SquareCap, Qt::MiterJoin));
  const int inset = thick / 2;
  painter.drawRect(QRect(inset, inset, width - thick, height - thick));
  const auto x = [step](int i) { return static_cast<int>(std::lround(i * step)); };
  const auto drawLine = [&](const std::array<int32_t, MaxPoints>& points, QRgb colour) {
    painter.setPen(QPen(QColor::fromRgb(colour), thick, Qt::SolidLine, Qt::SquareCap));
    if (count_ == 1) painter.drawPoint(0, ValueY(points[0]));
    for (int i = 1; i < count_; ++i) {
      painter.drawLine(x(i - 1), ValueY(points[static_cast<size_t>(i - 1)]), x(i),
                       ValueY(points[static_cast<size_t>(i)]));
    }
  };
  drawLine(PerfectPoints, PerfectColour);
  drawLine(PlayerPoints, PlayerColour);
}

}  // namespace tavrik
