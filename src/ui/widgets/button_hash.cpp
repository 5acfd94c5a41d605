#include "ui/widgets/button_hash.h"

#include <QGuiApplication>
#include <QPainter>
#include <QPalette>

#include "ui/widgets/gradient.h"

namespace tavrik {

const QImage& TButtonHash::Face(int width, int height) {
  static const QImage none;
  if (width <= 0 || height <= 0) return none;
  const QImage* sameHeight = nullptr;
  for (const QImage& face : slots_) {
    if (face.width() == width && face.height() == height) return face;
    if (sameHeight == nullptr && face.height() == height) sameHeight = &face;
  }
  last_ = (last_ + 1) % SlotCount;
  QImage& slot = slots_[static_cast<size_t>(last_)];
  // Stretching needs three edge columns on each side.
  if (sameHeight != nullptr && sameHeight->width() > 6 && width > 6) {
    slot = Stretch(*sameHeight, width);
  } else {
    slot = Draw(width, height);
  }
  return slot;
}

QImage TButtonHash::Stretch(const QImage& source, int width) {
  constexpr int edge = 3;
  QImage face(width, source.height(), QImage::Format_RGB32);
  QPainter p(&face);
  p.setCompositionMode(QPainter::CompositionMode_Source);
  const int left = std::min(source.width() - edge, width - edge);
  p.drawImage(QPoint(0, 0), source, QRect(0, 0, left, source.height()));
  // Repeat the columns from `edge` on to fill the middle.
  const int period = source.width() - 2 * edge;
  for (int x = left; x < width - edge;) {
    const int chunk = std::min(period, width - edge - x);
    p.drawImage(QPoint(x, 0), source, QRect(edge, 0, chunk, source.height()));
    x += chunk;
  }
  p.drawImage(QPoint(width - edge, 0), source,
              QRect(source.width() - edge, 0, edge, source.height()));
  return face;
}

QImage TButtonHash::Draw(int width, int height) const {
  const QPalette palette = QGuiApplication::palette();
  const QColor face = palette.color(QPalette::Button);
  const QColor darkShadow = palette.color(QPalette::Shadow);
  QImage image(width, height, QImage::Format_RGB32);
  QPainter p(&image);
  if (pressed_) {
    image.fill(Qt::white);
  } else {
    GradientFill(p, image.rect(), Lighten(face, 45), height, 0, Lighten(face, -25));
  }
  p.setPen(darkShadow);
  p.setBrush(Qt::NoBrush);
  p.drawRoundedRect(QRect(0, 0, width - 1, height - 1), 2, 2);
  if (pressed_) {
    p.setPen(Lighten(darkShadow, 50));
    p.drawLine(2, 1, width - 3, 1);
    p.drawLine(1, 2, 1, height - 3);
    p.setPen(palette.color(QPalette::Midlight));
    p.drawLine(2, height - 2, width - 3, height - 2);
    p.drawLine(width - 2, 2, width - 2, height - 3);
  }
  for (const QPoint corner :
       {QPoint(0, 0), QPoint(width - 1, 0), QPoint(0, height - 1), QPoint(width - 1, height - 1)}) {
    image.setPixelColor(corner, face);
  }
  if (width > 1) image.setPixelColor(1, 0, palette.color(QPalette::Dark));
  if (height > 1) image.setPixelColor(0, 1, palette.color(QPalette::Dark));
  return image;
}

const QImage& ButtonFace(int width, int height, bool pressed) {
  static TButtonHash raised(false);
  static TButtonHash down(true);
  return (pressed ? down : raised).Face(width, height);
}

}  // namespace tavrik
