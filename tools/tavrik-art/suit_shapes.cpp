#include "suit_shapes.h"

#include <QTransform>
#include <cmath>
#include <numbers>

namespace tavrik::art {

namespace {

// Shapes fill x 0..100, y 0..100 of the design square.
QPainterPath Heart() {
  QPainterPath p;
  p.moveTo(50, 100);
  p.cubicTo(38, 84, 0, 62, 0, 30);
  p.cubicTo(0, 11, 13, 0, 27, 0);
  p.cubicTo(39, 0, 47, 8, 50, 19);
  p.cubicTo(53, 8, 61, 0, 73, 0);
  p.cubicTo(87, 0, 100, 11, 100, 30);
  p.cubicTo(100, 62, 62, 84, 50, 100);
  p.closeSubpath();
  return p;
}

QPainterPath Spade() {
  QPainterPath p;
  p.moveTo(50, 0);
  p.cubicTo(62, 18, 100, 36, 100, 60);
  p.cubicTo(100, 75, 89, 84, 76, 84);
  p.cubicTo(66, 84, 58, 79, 54, 72);
  p.cubicTo(55, 84, 60, 94, 70, 100);
  p.lineTo(30, 100);
  p.cubicTo(40, 94, 45, 84, 46, 72);
  p.cubicTo(42, 79, 34, 84, 24, 84);
  p.cubicTo(11, 84, 0, 75, 0, 60);
  p.cubicTo(0, 36, 38, 18, 50, 0);
  p.closeSubpath();
  return p;
}

QPainterPath Club() {
  QPainterPath p;
  p.setFillRule(Qt::WindingFill);
  p.addEllipse(QPointF(50, 24), 23, 23);
  p.addEllipse(QPointF(24, 60), 23, 23);
  p.addEllipse(QPointF(76, 60), 23, 23);
  // Fills the gap between the three leaves.
  QPainterPath middle;
  middle.moveTo(50, 30);
  middle.lineTo(70, 56);
  middle.lineTo(50, 70);
  middle.lineTo(30, 56);
  middle.closeSubpath();
  p.addPath(middle);
  QPainterPath stem;
  stem.moveTo(46, 55);
  stem.cubicTo(46, 80, 40, 93, 29, 100);
  stem.lineTo(71, 100);
  stem.cubicTo(60, 93, 54, 80, 54, 55);
  stem.closeSubpath();
  p.addPath(stem);
  return p.simplified();
}

QPainterPath Diamond() {
  QPainterPath p;
  p.moveTo(50, 0);
  p.quadTo(66, 27, 88, 50);
  p.quadTo(66, 73, 50, 100);
  p.quadTo(34, 73, 12, 50);
  p.quadTo(34, 27, 50, 0);
  p.closeSubpath();
  return p;
}

QPainterPath DesignShape(int suit) {
  switch (suit) {
    case 0:
      return Spade();
    case 1:
      return Club();
    case 2:
      return Diamond();
    default:
      return Heart();
  }
}

}  // namespace

double SuitAspect(int suit) {
  const QRectF bounds = DesignShape(suit).boundingRect();
  return bounds.width() / bounds.height();
}

QRectF FitSuit(int suit, const QRectF& box) {
  const double aspect = SuitAspect(suit);
  double w = box.width();
  double h = box.height();
  if (w / h > aspect) {
    w = h * aspect;
  } else {
    h = w / aspect;
  }
  return QRectF(box.center().x() - w / 2, box.center().y() - h / 2, w, h);
}

QPainterPath SuitPath(int suit, const QRectF& box) {
  const QPainterPath shape = DesignShape(suit);
  const QRectF bounds = shape.boundingRect();
  QTransform transform;
  transform.translate(box.left(), box.top());
  transform.scale(box.width() / bounds.width(), box.height() / bounds.height());
  transform.translate(-bounds.left(), -bounds.top());
  return transform.map(shape);
}

QPainterPath Star(QPointF centre, double outer, double inner, int points) {
  QPainterPath star;
  for (int i = 0; i < 2 * points; ++i) {
    const double r = i % 2 == 0 ? outer : inner;
    const double angle = -std::numbers::pi / 2 + i * std::numbers::pi / points;
    const QPointF point = centre + QPointF(std::cos(angle), std::sin(angle)) * r;
    if (i == 0) {
      star.moveTo(point);
    } else {
      star.lineTo(point);
    }
  }
  star.closeSubpath();
  return star;
}

}  // namespace tavrik::art
