#include "court_art.h"

#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QRadialGradient>
#include <cmath>
#include <numbers>

#include "deck_art.h"
#include "suit_shapes.h"

namespace tavrik::art {

namespace {

QPen InkPen(const QColor& colour, double width = 0.9) {
  QPen pen(colour);
  pen.setCosmetic(true);
  pen.setWidthF(width);
  pen.setJoinStyle(Qt::RoundJoin);
  return pen;
}

QImage WhiteCard(QSize card) {
  return NewImage(card.width(), card.height());
}

// Frame lines: dark outer line, gold inner line. Returns the area inside them.
QRect DrawFrame(QPainter& p, const QRect& frame, const TPictureStyle& style) {
  p.setRenderHint(QPainter::Antialiasing, false);
  p.setPen(style.Frame);
  p.setBrush(Qt::NoBrush);
  p.drawRect(frame.adjusted(0, 0, -1, -1));
  p.setPen(style.Gold);
  p.drawRect(frame.adjusted(1, 1, -2, -2));
  return frame.adjusted(2, 2, -2, -2);
}

QColor HairColour(int rank, int suit) {
  static const std::array<QColor, 4> king = {QColor(0xC9, 0xC4, 0xBA), QColor(0x8A, 0x5A, 0x2B),
                                             QColor(0xB0, 0x50, 0x20), QColor(0xE3, 0xC0, 0x6A)};
  static const std::array<QColor, 4> other = {QColor(0x3A, 0x2A, 0x1E), QColor(0x8A, 0x4B, 0x1E),
                                              QColor(0xB5, 0x5A, 0x1F), QColor(0xD8, 0xA8, 0x3C)};
  return (rank == 11 ? king : other)[static_cast<size_t>(suit)];
}

QPainterPath Mirrored(const QPainterPath& path) {
  // Mirror about the figure's vertical axis x = 50 of the design square.
  QTransform mirror(-1, 0, 0, 1, 100, 0);
  return mirror.map(path);
}

// The upper half of a court figure, drawn in design units: x 0..100, y 0..120, where
// y = 120 is the card's middle line.
void DrawFigure(QPainter& p, int rank, int suit, const TPictureStyle& style) {
  const TCourtPalette& pal = style.Suits[static_cast<size_t>(suit)];
  const QPen ink = InkPen(style.Ink);
  const QColor hair = HairColour(rank, suit);
  p.setPen(ink);

  // Background: the panel with a faint diamond lattice.
  p.fillRect(QRectF(0, 0, 100, 121), pal.Panel);
  p.setPen(InkPen(pal.Panel.darker(112), 0.6));
  for (int i = -120; i < 100; i += 16) {
    p.drawLine(QPointF(i, 0), QPointF(i + 120, 120));
    p.drawLine(QPointF(i + 120, 0), QPointF(i, 120));
  }
  p.setPen(ink);

  // Long hair and veil behind the head.
  if (rank == 10) {
    p.save();
    p.translate(50, 62);
    p.scale(1.15, 1.15);
    p.translate(-50, -62);
    QPainterPath veil;
    veil.moveTo(37, 28);
    veil.cubicTo(22, 40, 20, 62, 24, 78);
    veil.lineTo(36, 76);
    veil.cubicTo(34, 60, 35, 46, 41, 36);
    veil.closeSubpath();
    p.setBrush(pal.Trim);
    p.drawPath(veil);
    p.drawPath(Mirrored(veil));
    QPainterPath hairPath;
    hairPath.moveTo(38, 36);
    hairPath.cubicTo(32, 50, 33, 62, 37, 70);
    hairPath.lineTo(63, 70);
    hairPath.cubicTo(67, 62, 68, 50, 62, 36);
    hairPath.closeSubpath();
    p.setBrush(hair);
    p.drawPath(hairPath);
    p.restore();
  }

  // Weapon or staff behind the body.
  if (rank == 9) {
    p.setBrush(QColor(0x7A, 0x4E, 0x24));
    p.drawRect(QRectF(82.5, 16, 4, 106));
    QPainterPath axe;
    axe.moveTo(86.5, 20);
    axe.cubicTo(96, 20, 99, 26, 98, 36);
    axe.cubicTo(94, 32, 90, 31, 86.5, 32);
    axe.closeSubpath();
    QPainterPath spike;
    spike.moveTo(84.5, 3);
    spike.lineTo(88, 16);
    spike.lineTo(81, 16);
    spike.closeSubpath();
    p.setBrush(QColor(0xC9, 0xCE, 0xD6));
    p.drawPath(axe);
    p.drawPath(spike);
  }

  // Robe: broad shoulders narrowing to a sash at the middle line.
  QPainterPath robe;
  robe.moveTo(13, 121);
  robe.lineTo(8, 92);
  robe.cubicTo(9, 80, 22, 72, 37, 69);
  robe.lineTo(63, 69);
  robe.cubicTo(78, 72, 91, 80, 92, 92);
  robe.lineTo(87, 121);
  robe.closeSubpath();
  QLinearGradient robeShade(0, 0, 100, 0);
  robeShade.setColorAt(0, pal.Robe.darker(125));
  robeShade.setColorAt(0.5, pal.Robe.lighter(112));
  robeShade.setColorAt(1, pal.Robe.darker(125));
  p.setBrush(robeShade);
  p.drawPath(robe);

  // Placket and sash.
  p.setBrush(pal.Trim);
  p.drawRect(QRectF(42, 70, 16, 52));
  p.setPen(InkPen(style.Gold, 1.0));
  p.drawLine(QPointF(43.5, 72), QPointF(43.5, 112));
  p.drawLine(QPointF(56.5, 72), QPointF(56.5, 112));
  p.setPen(ink);
  p.setBrush(pal.Sash);
  p.drawRect(QRectF(12, 113, 76, 6));

  // The suit medallion on the chest.
  p.setBrush(Qt::white);
  p.setPen(InkPen(style.Gold, 1.2));
  p.drawEllipse(QPointF(50, 94), 9, 10);
  p.setPen(Qt::NoPen);
  p.setBrush(pal.Emblem);
  p.drawPath(SuitPath(suit, FitSuit(suit, QRectF(44, 88, 12, 12))));
  p.setPen(ink);

  // Collar.
  QPainterPath collar;
  collar.moveTo(31, 71);
  collar.cubicTo(40, 80, 60, 80, 69, 71);
  collar.lineTo(64, 66);
  collar.cubicTo(56, 72, 44, 72, 36, 66);
  collar.closeSubpath();
  p.setBrush(rank == 11 ? QColor(Qt::white) : rank == 10 ? QColor(0xF7, 0xF2, 0xE6) : style.Gold);
  p.drawPath(collar);
  if (rank == 11) {
    p.setPen(Qt::NoPen);
    p.setBrush(style.Ink);
    for (const double x : {38.0, 46.0, 54.0, 62.0}) {
      p.drawEllipse(QPointF(x, 72.5 + std::abs(x - 50) * -0.05), 1.2, 1.6);
    }
    p.setPen(ink);
  }

  // Neck, head, hair, face and headgear, drawn a little larger about the chin.
  p.save();
  p.translate(50, 62);
  p.scale(1.15, 1.15);
  p.translate(-50, -62);
  p.setBrush(style.Skin);
  p.drawRect(QRectF(44.5, 56, 11, 12));
  p.drawEllipse(QPointF(50, 44), 13.5, 15.5);

  // Hair, beard and face.
  p.setBrush(hair);
  if (rank == 11) {
    QPainterPath beard;
    beard.moveTo(38, 47);
    beard.cubicTo(38, 60, 44, 68, 50, 70);
    beard.cubicTo(56, 68, 62, 60, 62, 47);
    beard.cubicTo(58, 54, 54, 55, 50, 55);
    beard.cubicTo(46, 55, 42, 54, 38, 47);
    beard.closeSubpath();
    p.drawPath(beard);
    QPainterPath moustache;
    moustache.moveTo(43, 54);
    moustache.cubicTo(46, 51, 49, 51, 50, 53);
    moustache.cubicTo(51, 51, 54, 51, 57, 54);
    moustache.cubicTo(54, 54, 52, 55, 50, 55);
    moustache.cubicTo(48, 55, 46, 54, 43, 54);
    p.drawPath(moustache);
  } else if (rank == 9) {
    QPainterPath curls;
    curls.moveTo(37, 40);
    curls.cubicTo(35, 48, 37, 54, 40, 56);
    curls.lineTo(42, 44);
    curls.closeSubpath();
    p.drawPath(curls);
    p.drawPath(Mirrored(curls));
  }
  p.setPen(Qt::NoPen);
  p.setBrush(style.Ink);
  p.drawEllipse(QPointF(45.5, 44), 1.5, 1.1);
  p.drawEllipse(QPointF(54.5, 44), 1.5, 1.1);
  p.setPen(InkPen(style.Ink, 0.7));
  p.setBrush(Qt::NoBrush);
  p.drawLine(QPointF(43, 40.5), QPointF(47.5, 40));
  p.drawLine(QPointF(52.5, 40), QPointF(57, 40.5));
  p.drawPolyline(QPolygonF({QPointF(50, 45), QPointF(49, 50), QPointF(51, 50.5)}));
  if (rank != 11) {
    p.setPen(InkPen(QColor(0xB0, 0x30, 0x30), 0.9));
    p.drawArc(QRectF(46.5, 51.5, 7, 4), 200 * 16, 140 * 16);
  }
  p.setPen(ink);

  // Headgear.
  if (rank == 11) {
    QPainterPath crown;
    crown.moveTo(35, 33);
    crown.lineTo(35, 15);
    crown.lineTo(42.5, 24);
    crown.lineTo(50, 10);
    crown.lineTo(57.5, 24);
    crown.lineTo(65, 15);
    crown.lineTo(65, 33);
    crown.closeSubpath();
    p.setBrush(style.Gold);
    p.drawPath(crown);
    p.drawRect(QRectF(34, 29, 32, 6));
    for (const QPointF tip : {QPointF(35, 13), QPointF(50, 8), QPointF(65, 13)}) {
      p.drawEllipse(tip, 2.2, 2.2);
    }
    p.setBrush(QColor(0xC0, 0x18, 0x28));
    p.drawEllipse(QPointF(50, 32), 2.2, 2.0);
    p.setBrush(QColor(0x1E, 0x50, 0xB0));
    p.drawEllipse(QPointF(41, 32), 1.8, 1.7);
    p.drawEllipse(QPointF(59, 32), 1.8, 1.7);
  } else if (rank == 10) {
    p.setBrush(style.Gold);
    QPainterPath crown;
    crown.moveTo(38, 34);
    crown.lineTo(38, 24);
    crown.quadTo(41.5, 28, 44, 22);
    crown.quadTo(47, 28, 50, 18);
    crown.quadTo(53, 28, 56, 22);
    crown.quadTo(58.5, 28, 62, 24);
    crown.lineTo(62, 34);
    crown.closeSubpath();
    p.drawPath(crown);
    p.setBrush(Qt::white);
    for (const QPointF pearl : {QPointF(44, 21), QPointF(50, 17), QPointF(56, 21)}) {
      p.drawEllipse(pearl, 1.8, 1.8);
    }
    p.setBrush(pal.Trim);
    p.drawEllipse(QPointF(50, 30.5), 2.0, 2.0);
  } else {
    QPainterPath feather;
    feather.moveTo(58, 28);
    feather.cubicTo(66, 20, 72, 10, 80, 4);
    feather.cubicTo(78, 14, 70, 24, 61, 31);
    feather.closeSubpath();
    p.setBrush(pal.Trim.lighter(130));
    p.drawPath(feather);
    QPainterPath cap;
    cap.moveTo(34, 35);
    cap.cubicTo(32, 22, 46, 19, 56, 22);
    cap.cubicTo(66, 25, 68, 31, 66, 35);
    cap.closeSubpath();
    p.setBrush(pal.Robe);
    p.drawPath(cap);
    p.setBrush(style.Gold);
    p.drawRect(QRectF(36, 32, 28, 4));
  }

  p.restore();
  p.setPen(ink);

  // Items held in front.
  if (rank == 11) {
    QPainterPath blade;
    blade.moveTo(13, 121);
    blade.lineTo(13, 30);
    blade.lineTo(15.5, 22);
    blade.lineTo(18, 30);
    blade.lineTo(18, 121);
    blade.closeSubpath();
    p.setBrush(QColor(0xD5, 0xD9, 0xE0));
    p.drawPath(blade);
    p.setBrush(style.Gold);
    p.drawRect(QRectF(6, 84, 19, 4));
    p.drawRect(QRectF(13.5, 88, 4, 12));
    p.setBrush(style.Skin);
    p.drawEllipse(QPointF(15.5, 104), 5, 4.5);
  } else if (rank == 10) {
    p.setPen(InkPen(QColor(0x2E, 0x7D, 0x32), 1.3));
    p.drawLine(QPointF(78, 121), QPointF(79, 64));
    p.setPen(ink);
    p.setBrush(QColor(0x43, 0xA0, 0x47));
    QPainterPath leaf;
    leaf.moveTo(78.5, 86);
    leaf.quadTo(88, 80, 92, 84);
    leaf.quadTo(86, 90, 78.5, 86);
    p.drawPath(leaf);
    p.setBrush(QColor(0xE0, 0x3C, 0x5A));
    p.drawEllipse(QPointF(79, 58), 7, 7);
    p.setBrush(Qt::NoBrush);
    p.setPen(InkPen(QColor(0x90, 0x10, 0x28), 0.8));
    p.drawEllipse(QPointF(79, 58), 3.5, 3.5);
    p.setPen(ink);
    p.setBrush(style.Skin);
    p.drawEllipse(QPointF(78.5, 100), 5, 4.5);
  } else {
    p.setBrush(style.Skin);
    p.drawEllipse(QPointF(84.5, 96), 5, 4.5);
  }
}

}  // namespace

QImage DrawCourt(QSize card, const QRect& frame, int rank, int suit, const TPictureStyle& style) {
  QImage image = WhiteCard(card);
  QPainter p(&image);
  const QRect inner = DrawFrame(p, frame, style);
  const int halfHeight = (inner.height() + 1) / 2;

  QImage half = NewImage(inner.width(), halfHeight);
  {
    QPainter hp(&half);
    hp.setRenderHint(QPainter::Antialiasing, true);
    hp.scale(inner.width() / 100.0, halfHeight / 120.0);
    DrawFigure(hp, rank, suit, style);
  }
  p.drawImage(inner.topLeft(), half);
  p.drawImage(QPoint(inner.left(), inner.bottom() + 1 - halfHeight), half.mirrored(true, true));
  // The dividing line across the middle.
  p.setRenderHint(QPainter::Antialiasing, false);
  p.setPen(style.Gold);
  const int middle = inner.top() + inner.height() / 2;
  p.drawLine(inner.left(), middle, inner.right(), middle);
  return image;
}

QImage DrawAce(QSize card, const QRect& area, int suit, const TPictureStyle& style) {
  QImage image = WhiteCard(card);
  QPainter p(&image);
  p.setRenderHint(QPainter::Antialiasing, true);
  const QPointF centre = QRectF(area).center();
  const double radius = std::min(area.width(), area.height()) * 0.46;
  const QColor colour = style.SuitColours[static_cast<size_t>(suit)];

  // Ornament: a gold ring with small beads and a thin inner line.
  p.setPen(InkPen(style.Gold, 1.6));
  p.setBrush(Qt::NoBrush);
  p.drawEllipse(centre, radius, radius);
  p.setPen(InkPen(colour.lighter(160), 0.8));
  p.drawEllipse(centre, radius - 3, radius - 3);
  p.setPen(Qt::NoPen);
  p.setBrush(style.Gold);
  for (int i = 0; i < 12; ++i) {
    const double angle = i * std::numbers::pi / 6 + std::numbers::pi / 12;
    p.drawEllipse(centre + QPointF(std::cos(angle), std::sin(angle)) * radius, 1.6, 1.6);
  }

  // The symbol, with a white inner outline.
  const double size = radius * 1.25;
  const QRectF box =
      FitSuit(suit, QRectF(centre.x() - size / 2, centre.y() - size / 2, size, size));
  p.setBrush(colour);
  p.setPen(InkPen(colour.darker(140), 0.8));
  p.drawPath(SuitPath(suit, box));
  p.setBrush(Qt::NoBrush);
  p.setPen(InkPen(Qt::white, 1.0));
  const QRectF inner =
      box.adjusted(box.width() * 0.2, box.height() * 0.2, -box.width() * 0.2, -box.height() * 0.2);
  p.drawPath(SuitPath(suit, FitSuit(suit, inner)));
  return image;
}

namespace {

void DrawTree(QPainter& p, QPointF base, double height, const QColor& leaves, const QColor& trunk,
              const QPen& ink) {
  p.setPen(ink);
  p.setBrush(trunk);
  p.drawRect(
      QRectF(base.x() - height * 0.06, base.y() - height * 0.45, height * 0.12, height * 0.45));
  p.setBrush(leaves);
  p.drawEllipse(QPointF(base.x(), base.y() - height * 0.62), height * 0.3, height * 0.28);
  p.drawEllipse(QPointF(base.x() - height * 0.2, base.y() - height * 0.5), height * 0.2,
                height * 0.18);
  p.drawEllipse(QPointF(base.x() + height * 0.2, base.y() - height * 0.5), height * 0.2,
                height * 0.18);
}

void DrawPine(QPainter& p, QPointF base, double height, const QPen& ink) {
  p.setPen(ink);
  p.setBrush(QColor(0x6D, 0x4C, 0x2F));
  p.drawRect(
      QRectF(base.x() - height * 0.05, base.y() - height * 0.15, height * 0.1, height * 0.15));
  for (int tier = 0; tier < 3; ++tier) {
    const double bottom = base.y() - height * (0.12 + tier * 0.25);
    const double halfWidth = height * (0.34 - tier * 0.08);
    const double top = bottom - height * 0.38;
    QPainterPath layer;
    layer.moveTo(base.x() - halfWidth, bottom);
    layer.lineTo(base.x(), top);
    layer.lineTo(base.x() + halfWidth, bottom);
    layer.closeSubpath();
    p.setBrush(QColor(0x1F, 0x5E, 0x3A));
    p.drawPath(layer);
    QPainterPath snow;
    snow.moveTo(base.x() - halfWidth * 0.35, top + height * 0.14);
    snow.lineTo(base.x(), top);
    snow.lineTo(base.x() + halfWidth * 0.35, top + height * 0.14);
    snow.closeSubpath();
    p.setBrush(Qt::white);
    p.drawPath(snow);
  }
}

void DrawFlower(QPainter& p, QPointF head, double size, const QColor& petals, const QPen& ink) {
  p.setPen(InkPen(QColor(0x2E, 0x7D, 0x32), 1.0));
  p.drawLine(head, head + QPointF(0, size * 2.2));
  p.setPen(ink);
  p.setBrush(petals);
  for (int i = 0; i < 5; ++i) {
    const double angle = i * 2 * std::numbers::pi / 5;
    p.drawEllipse(head + QPointF(std::cos(angle), std::sin(angle)) * size * 0.6, size * 0.5,
                  size * 0.5);
  }
  p.setBrush(QColor(0xF9, 0xD3, 0x3C));
  p.drawEllipse(head, size * 0.35, size * 0.35);
}

}  // namespace

QImage DrawSeason(QSize card, const QRect& frame, int suit, const TPictureStyle& style) {
  QImage image = WhiteCard(card);
  QPainter p(&image);
  const QRectF r = DrawFrame(p, frame, style);
  p.setClipRect(r);
  p.setRenderHint(QPainter::Antialiasing, true);
  const QPen ink = InkPen(style.Ink, 0.8);
  const double w = r.width();
  const double h = r.height();
  const auto at = [&](double fx, double fy) {
    return QPointF(r.left() + fx * w, r.top() + fy * h);
  };

  struct TScene {
    QColor skyTop, skyBottom, ground, groundShade;
  };
  static const std::array<TScene, 4> scenes = {{
      {QColor(0x7F, 0xA8, 0xD8), QColor(0xE6, 0xEF, 0xF8), QColor(0xFA, 0xFC, 0xFF),
       QColor(0xC9, 0xDB, 0xEE)},
      {QColor(0x9F, 0xD4, 0xF2), QColor(0xEE, 0xF8, 0xE4), QColor(0x86, 0xC8, 0x5E),
       QColor(0x5E, 0xA8, 0x44)},
      {QColor(0xF0, 0xB0, 0x6A), QColor(0xFB, 0xEB, 0xD0), QColor(0xC8, 0x86, 0x3C),
       QColor(0xA5, 0x62, 0x28)},
      {QColor(0x4F, 0xB3, 0xEA), QColor(0xD8, 0xF0, 0xFB), QColor(0xEA, 0xC5, 0x5C),
       QColor(0xCF, 0xA2, 0x3A)},
  }};
  const TScene& scene = scenes[static_cast<size_t>(suit)];

  QLinearGradient sky(r.topLeft(), r.bottomLeft());
  sky.setColorAt(0, scene.skyTop);
  sky.setColorAt(0.7, scene.skyBottom);
  p.fillRect(r, sky);

  // Two rolling hills.
  QPainterPath far;
  far.moveTo(at(0, 0.66));
  far.cubicTo(at(0.3, 0.56), at(0.6, 0.62), at(1, 0.58));
  far.lineTo(at(1, 1));
  far.lineTo(at(0, 1));
  far.closeSubpath();
  p.setPen(ink);
  p.setBrush(scene.groundShade);
  p.drawPath(far);
  QPainterPath near;
  near.moveTo(at(0, 0.76));
  near.cubicTo(at(0.35, 0.70), at(0.7, 0.80), at(1, 0.74));
  near.lineTo(at(1, 1));
  near.lineTo(at(0, 1));
  near.closeSubpath();
  p.setBrush(scene.ground);
  p.drawPath(near);

  switch (suit) {
    case 0: {  // winter: a moon, pines and snow
      p.setPen(Qt::NoPen);
      p.setBrush(QColor(0xFF, 0xFB, 0xE8));
      p.drawEllipse(at(0.72, 0.16), w * 0.11, w * 0.11);
      p.setBrush(scene.skyTop);
      p.drawEllipse(at(0.77, 0.14), w * 0.1, w * 0.1);
      DrawPine(p, at(0.32, 0.80), h * 0.42, ink);
      DrawPine(p, at(0.74, 0.74), h * 0.28, ink);
      p.setPen(InkPen(Qt::white, 1.0));
      for (const auto& [fx, fy] : {std::pair{0.15, 0.12},
                                   {0.45, 0.08},
                                   {0.88, 0.36},
                                   {0.12, 0.44},
                                   {0.56, 0.30},
                                   {0.86, 0.56},
                                   {0.30, 0.26}}) {
        const QPointF c = at(fx, fy);
        for (int i = 0; i < 3; ++i) {
          const double angle = i * std::numbers::pi / 3;
          const QPointF d(std::cos(angle) * 2.2, std::sin(angle) * 2.2);
          p.drawLine(c - d, c + d);
        }
      }
      break;
    }
    case 1: {  // spring: a blossoming tree and flowers
      DrawTree(p, at(0.5, 0.78), h * 0.5, QColor(0xF6, 0xB8, 0xD1), QColor(0x7A, 0x52, 0x30), ink);
      p.setPen(Qt::NoPen);
      p.setBrush(Qt::white);
      for (const auto& [fx, fy] :
           {std::pair{0.40, 0.42}, {0.58, 0.36}, {0.36, 0.52}, {0.66, 0.50}, {0.50, 0.46}}) {
        p.drawEllipse(at(fx, fy), 1.6, 1.6);
      }
      DrawFlower(p, at(0.16, 0.82), w * 0.07, QColor(0xE5, 0x3E, 0x5C), ink);
      DrawFlower(p, at(0.84, 0.84), w * 0.07, QColor(0xF4, 0xC4, 0x30), ink);
      DrawFlower(p, at(0.30, 0.91), w * 0.06, QColor(0x9C, 0x6A, 0xDE), ink);
      break;
    }
    case 2: {  // autumn: a red and gold tree, falling leaves
      DrawTree(p, at(0.45, 0.80), h * 0.52, QColor(0xE0, 0x6A, 0x1C), QColor(0x6B, 0x44, 0x24),
               ink);
      p.setBrush(QColor(0xF2, 0xB1, 0x2C));
      p.drawEllipse(at(0.60, 0.50), w * 0.12, w * 0.1);
      p.setBrush(QColor(0xB8, 0x2E, 0x1A));
      p.drawEllipse(at(0.30, 0.46), w * 0.1, w * 0.09);
      for (const auto& [fx, fy] :
           {std::pair{0.78, 0.60}, {0.20, 0.66}, {0.86, 0.30}, {0.70, 0.86}, {0.12, 0.20}}) {
        p.setBrush(fy > 0.5 ? QColor(0xC8, 0x3A, 0x18) : QColor(0xE8, 0x9A, 0x1E));
        p.drawPath(SuitPath(2, QRectF(at(fx, fy) - QPointF(2.5, 3.5), QSizeF(5, 7))));
      }
      break;
    }
    default: {  // summer: the sun over a field of poppies
      const QPointF sun = at(0.5, 0.3);
      p.setPen(InkPen(QColor(0xF5, 0xA6, 0x23), 1.4));
      for (int i = 0; i < 12; ++i) {
        const double angle = i * std::numbers::pi / 6;
        const QPointF d(std::cos(angle), std::sin(angle));
        p.drawLine(sun + d * w * 0.2, sun + d * w * 0.3);
      }
      p.setPen(ink);
      QRadialGradient glow(sun, w * 0.18);
      glow.setColorAt(0, QColor(0xFF, 0xF2, 0x9C));
      glow.setColorAt(1, QColor(0xF9, 0xC8, 0x22));
      p.setBrush(glow);
      p.drawEllipse(sun, w * 0.16, w * 0.16);
      for (const auto& [fx, fy] :
           {std::pair{0.18, 0.84}, {0.42, 0.90}, {0.66, 0.83}, {0.86, 0.92}, {0.30, 0.78}}) {
        p.setPen(InkPen(QColor(0x2E, 0x7D, 0x32), 1.0));
        p.drawLine(at(fx, fy), at(fx, fy + 0.1));
        p.setPen(ink);
        p.setBrush(QColor(0xD8, 0x1E, 0x2A));
        p.drawEllipse(at(fx, fy), w * 0.05, w * 0.045);
        p.setBrush(style.Ink);
        p.drawEllipse(at(fx, fy), 1.0, 1.0);
      }
      break;
    }
  }
  return image;
}

}  // namespace tavrik::art
