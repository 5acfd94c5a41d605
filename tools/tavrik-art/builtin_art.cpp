#include "builtin_art.h"

#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <array>
#include <cmath>
#include <numbers>

#include "deck_art.h"
#include "suit_shapes.h"

namespace tavrik::art {

namespace {

// Around the rounded corners of a face: a neutral grey that sits well on any table.
const QColor CornerColour(0xB8, 0xB8, 0xB8);
const QColor EdgeColour(0x4A, 0x4A, 0x4A);
const QColor Black(0x00, 0x00, 0x00);
const QColor Red(0xD0, 0x00, 0x0C);
const QColor Gold(0xF2, 0xC0, 0x3A);

QImage DrawFace(int width, int height, double radius) {
  QImage face = NewImage(width, height, CornerColour);
  QPainter p(&face);
  p.setRenderHint(QPainter::Antialiasing, true);
  p.setPen(QPen(EdgeColour, 1.0));
  p.setBrush(Qt::white);
  p.drawRoundedRect(QRectF(0.5, 0.5, width - 1, height - 1), radius, radius);
  return face;
}

QFont BoldFont(const QString& file, int pixels) {
  QFont font(LoadFontFile(file));
  font.setPixelSize(pixels);
  font.setBold(true);
  return font;
}

// Text centred on `centre`, turned by `degrees`.
void DrawCentredText(QPainter& p, QPointF centre, const QString& text, const QFont& font,
                     const QColor& colour, double degrees = 0) {
  p.save();
  p.translate(centre);
  p.rotate(degrees);
  QPainterPath path;
  path.addText(0, 0, font, text);
  const QRectF box = path.boundingRect();
  p.translate(-box.center());
  p.setPen(Qt::NoPen);
  p.setBrush(colour);
  p.drawPath(path);
  p.restore();
}

QImage DrawHeldMarker() {
  QImage marker = NewImage(94, 30);
  QPainter p(&marker);
  QLinearGradient band(0, 0, 0, 30);
  band.setColorAt(0, QColor(0xFF, 0xE0, 0x6A));
  band.setColorAt(0.5, QColor(0xFF, 0xC7, 0x1E));
  band.setColorAt(1, QColor(0xE8, 0xA4, 0x00));
  p.fillRect(marker.rect(), band);
  p.setPen(QColor(0x7A, 0x50, 0x00));
  p.drawLine(0, 0, 93, 0);
  p.drawLine(0, 29, 93, 29);
  p.setRenderHint(QPainter::Antialiasing, true);
  DrawCentredText(p, QPointF(47, 15.5), "HELD", BoldFont("DejaVuSans-Bold.ttf", 19),
                  QColor(0x2A, 0x1A, 0x00));
  return marker;
}

QImage DrawWildFace() {
  QImage face = DrawFace(94, 127, 5);
  QPainter p(&face);
  p.setRenderHint(QPainter::Antialiasing, true);
  // A tall panel between the corner indexes, double-ended like a court card.
  const QRectF panel(25.5, 5.5, 43, 116);
  QLinearGradient fill(panel.topLeft(), panel.bottomLeft());
  fill.setColorAt(0, QColor(0x3B, 0x12, 0x6E));
  fill.setColorAt(0.5, QColor(0x7A, 0x2E, 0xC0));
  fill.setColorAt(1, QColor(0x3B, 0x12, 0x6E));
  p.setPen(QPen(QColor(0x2A, 0x0A, 0x4E), 1.0));
  p.setBrush(fill);
  p.drawRoundedRect(panel, 4, 4);
  p.setPen(QPen(Gold, 1.0));
  p.setBrush(Qt::NoBrush);
  p.drawRoundedRect(panel.adjusted(2, 2, -2, -2), 3, 3);

  const QPointF centre = panel.center();
  p.setPen(QPen(QColor(0x8A, 0x5A, 0x00), 1.0));
  p.setBrush(Gold);
  p.drawPath(Star(centre, 19, 8));
  p.setBrush(QColor(0xFF, 0xF3, 0xC4));
  p.setPen(Qt::NoPen);
  p.drawPath(Star(centre, 8, 3.5));

  const QFont word = BoldFont("DejaVuSansCondensed-Bold.ttf", 15);
  DrawCentredText(p, centre + QPointF(0, -36), "WILD", word, Qt::white);
  DrawCentredText(p, centre + QPointF(0, 36), "WILD", word, Qt::white, 180);
  p.setBrush(Gold);
  for (const QPointF at : {QPointF(-13, -50), QPointF(13, -50), QPointF(-13, 50), QPointF(13, 50),
                           QPointF(-14, -20), QPointF(14, 20)}) {
    p.drawPath(Star(centre + at, 3.2, 1.4));
  }
  return face;
}

QImage DrawSmallPips(int width, int height, int bottomGap) {
  QImage strip = NewImage(4 * width, height);
  QPainter p(&strip);
  p.setRenderHint(QPainter::Antialiasing, true);
  p.setPen(Qt::NoPen);
  for (int suit = 0; suit < 4; ++suit) {
    p.setBrush(suit < 2 ? Black : Red);
    const QRectF cell(suit * width + 0.5, 0.5, width - 1, height - 1 - bottomGap);
    p.drawPath(SuitPath(suit, FitSuit(suit, cell)));
  }
  return strip;
}

QImage DrawSmallRanks() {
  constexpr int w = 11;
  constexpr int h = 13;
  constexpr std::array<const char*, 13> texts = {"2", "3",  "4", "5", "6", "7", "8",
                                                 "9", "10", "J", "Q", "K", "A"};
  QImage strip = NewImage(13 * w, 2 * h);
  QPainter p(&strip);
  p.setRenderHint(QPainter::Antialiasing, true);
  const QFont font = BoldFont("DejaVuSansCondensed-Bold.ttf", 40);
  QPainterPath capital;
  capital.addText(0, 0, font, "H");
  const double scale = 10.0 / capital.boundingRect().height();
  for (int rank = 0; rank < 13; ++rank) {
    QPainterPath glyph;
    glyph.addText(0, 0, font, texts[static_cast<size_t>(rank)]);
    const QRectF box = glyph.boundingRect();
    const double xScale = std::min(scale, (w - 1.0) / box.width());
    const double overhang =
        std::max(0.0, 1.5 + (box.bottom() - capital.boundingRect().top()) * scale - (h - 1));
    for (int row = 0; row < 2; ++row) {
      p.setClipRect(QRect(rank * w, row * h, w, h));
      QTransform t;
      t.translate(rank * w + w / 2.0, row * h + 1.5 - overhang);
      t.scale(xScale, scale);
      t.translate(-box.center().x(), -capital.boundingRect().top());
      p.setPen(Qt::NoPen);
      p.setBrush(row == 0 ? Black : Red);
      p.drawPath(t.map(glyph));
    }
  }
  return strip;
}

QImage DrawSmallBand(const QColor& top, const QColor& bottom, const QString& text) {
  QImage band = NewImage(48, 9);
  QPainter p(&band);
  QLinearGradient fill(0, 0, 0, 9);
  fill.setColorAt(0, top);
  fill.setColorAt(1, bottom);
  p.fillRect(band.rect(), fill);
  p.setRenderHint(QPainter::Antialiasing, true);
  if (text.isEmpty()) {
    // A check mark.
    QPen pen(Qt::white, 1.6);
    pen.setCapStyle(Qt::RoundCap);
    p.setPen(pen);
    p.drawPolyline(QPolygonF({QPointF(19.5, 4.5), QPointF(22.5, 7), QPointF(28.5, 1.5)}));
  } else {
    DrawCentredText(p, QPointF(24, 4.5), text, BoldFont("DejaVuSansCondensed-Bold.ttf", 8),
                    Qt::white);
  }
  return band;
}

QImage DrawSmallWildMark() {
  constexpr int w = 28;
  constexpr int h = 40;
  QImage mark = NewImage(w, 2 * h);
  QPainter p(&mark);
  p.setRenderHint(QPainter::Antialiasing, true);
  const QFont font = BoldFont("DejaVuSansCondensed-Bold.ttf", 10);
  for (int row = 0; row < 2; ++row) {
    const QColor colour = row == 0 ? Black : Red;
    DrawCentredText(p, QPointF(w / 2.0, row * h + 6), "WILD", font, colour);
    p.setPen(QPen(colour, 1.0));
    p.setBrush(Gold);
    p.drawPath(Star(QPointF(w / 2.0, row * h + 25), 11, 4.6));
  }
  return mark;
}

QImage DrawSmallJoker() {
  QImage joker = NewImage(40, 40);
  QPainter p(&joker);
  p.setRenderHint(QPainter::Antialiasing, true);
  DrawCentredText(p, QPointF(20, 5), "JOKER", BoldFont("DejaVuSansCondensed-Bold.ttf", 10),
                  QColor(0x5A, 0x1E, 0x96));
  p.setPen(QPen(QColor(0x3B, 0x12, 0x6E), 1.0));
  p.setBrush(QColor(0x8A, 0x3C, 0xD0));
  p.drawPath(Star(QPointF(20, 25), 14, 6));
  p.setBrush(Gold);
  p.setPen(Qt::NoPen);
  p.drawPath(Star(QPointF(20, 25), 6, 2.6));
  return joker;
}

// The images of the small cards, at the pixel scale.
std::vector<TBuiltInImage> DrawSmallCardImages() {
  const QString suffix = TwinSuffix(PixelScale());
  return {
      {"S_FACE" + suffix, false, DrawFace(50, 68, 3)},
      {"S_SUIT1" + suffix, false, DrawSmallPips(20, 22, 0)},
      {"S_SUIT2" + suffix, false, DrawSmallPips(9, 10, 1)},
      {"S_RANKS" + suffix, false, DrawSmallRanks()},
      {"S_HELD" + suffix, false,
       DrawSmallBand(QColor(0x3A, 0x6E, 0xD0), QColor(0x1A, 0x3E, 0x90), "HELD")},
      {"S_HELD1" + suffix, false,
       DrawSmallBand(QColor(0x3C, 0xA8, 0x50), QColor(0x1E, 0x70, 0x30), "")},
      {"S_WILD" + suffix, false, DrawSmallWildMark()},
      {"S_JOKER" + suffix, false, DrawSmallJoker()},
  };
}

}  // namespace

std::vector<TBuiltInImage> DrawBuiltInImages() {
  std::vector<TBuiltInImage> images = {
      {"EMPTY", true, DrawFace(94, 127, 5)},
      {"HELD", true, DrawHeldMarker()},
      {"WILD", true, DrawWildFace()},
  };
  for (const int scale : {1, SmallCardTwinScale}) {
    SetPixelScale(scale);
    const std::vector<TBuiltInImage> small = DrawSmallCardImages();
    images.insert(images.end(), small.begin(), small.end());
  }
  // The table's face, held marker and wild face again for each twin of the art.
  for (const int scale : TwinScales) {
    SetPixelScale(scale);
    images.push_back({"EMPTY" + TwinSuffix(scale), true, DrawFace(94, 127, 5)});
    images.push_back({"HELD" + TwinSuffix(scale), true, DrawHeldMarker()});
    images.push_back({"WILD" + TwinSuffix(scale), true, DrawWildFace()});
  }
  SetPixelScale(1);
  return images;
}

}  // namespace tavrik::art
