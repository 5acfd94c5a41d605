#include "back_art.h"

#include <QPainter>
#include <QPainterPath>
#include <array>
#include <cmath>
#include <numbers>

#include "deck_art.h"
#include "suit_shapes.h"

namespace tavrik::art {

namespace {

struct TBackColours {
  QColor Base;
  QColor Pattern;
  QColor Accent;
};

QPen Line(const QColor& colour, double width) {
  QPen pen(colour, width);
  pen.setCapStyle(Qt::FlatCap);
  pen.setJoinStyle(Qt::MiterJoin);
  return pen;
}

// The pattern of back `index` over `area` (already filled with the base colour).
void DrawPattern(QPainter& p, int index, const QRectF& area, const TBackColours& c) {
  const QPointF centre = area.center();
  switch (index) {
    case 0:
    case 1: {  // diagonal lattice with dots at the crossings
      p.setPen(Line(c.Pattern, 1.3));
      for (double d = -area.height(); d < area.width() + area.height(); d += 9) {
        p.drawLine(QPointF(area.left() + d, area.top()),
                   QPointF(area.left() + d - area.height(), area.bottom()));
        p.drawLine(QPointF(area.left() + d - area.height(), area.top()),
                   QPointF(area.left() + d, area.bottom()));
      }
      p.setPen(Qt::NoPen);
      p.setBrush(c.Accent);
      for (double y = area.top(); y < area.bottom() + 9; y += 9) {
        for (double x = area.left() + std::fmod(y - area.top(), 18.0) / 2; x < area.right() + 9;
             x += 9) {
          p.drawEllipse(QPointF(x, y), 1.3, 1.3);
        }
      }
      break;
    }
    case 2: {  // small checks
      p.setPen(Qt::NoPen);
      p.setBrush(c.Pattern);
      for (int row = 0; row * 6 < area.height() + 6; ++row) {
        for (int col = row % 2; col * 6 < area.width() + 6; col += 2) {
          p.drawRect(QRectF(area.left() + col * 6, area.top() + row * 6, 6, 6));
        }
      }
      break;
    }
    case 3: {  // concentric diamonds
      p.setBrush(Qt::NoBrush);
      for (int ring = 0; ring < 16; ++ring) {
        const double r = 4 + ring * 6;
        p.setPen(Line(ring % 2 == 0 ? c.Pattern : c.Accent, 2.0));
        QPainterPath diamond;
        diamond.moveTo(centre + QPointF(0, -r * 1.35));
        diamond.lineTo(centre + QPointF(r, 0));
        diamond.lineTo(centre + QPointF(0, r * 1.35));
        diamond.lineTo(centre + QPointF(-r, 0));
        diamond.closeSubpath();
        p.drawPath(diamond);
      }
      break;
    }
    case 4: {  // polka dots
      p.setPen(Qt::NoPen);
      for (int row = 0; row * 8 < area.height() + 8; ++row) {
        for (int col = 0; col * 8 < area.width() + 8; ++col) {
          p.setBrush((row + col) % 3 == 0 ? c.Accent : c.Pattern);
          p.drawEllipse(QPointF(area.left() + col * 8 + (row % 2) * 4, area.top() + row * 8), 2.3,
                        2.3);
        }
      }
      break;
    }
    case 5: {  // waves
      p.setBrush(Qt::NoBrush);
      for (int row = 0; row * 7 < area.height() + 7; ++row) {
        QPainterPath wave;
        const double y = area.top() + row * 7;
        wave.moveTo(area.left() - 8, y);
        for (double x = area.left() - 8; x < area.right() + 8; x += 12) {
          wave.quadTo(QPointF(x + 3, y - 4), QPointF(x + 6, y));
          wave.quadTo(QPointF(x + 9, y + 4), QPointF(x + 12, y));
        }
        p.setPen(Line(row % 2 == 0 ? c.Pattern : c.Accent, 1.6));
        p.drawPath(wave);
      }
      break;
    }
    case 6: {  // stars
      p.setPen(Qt::NoPen);
      for (int row = 0; row * 13 < area.height() + 13; ++row) {
        for (int col = 0; col * 13 < area.width() + 13; ++col) {
          const QPointF at(area.left() + 6 + col * 13 + (row % 2) * 6.5, area.top() + 6 + row * 13);
          p.setBrush((row + col) % 4 == 0 ? c.Accent : c.Pattern);
          p.drawPath(Star(at, 4.6, 1.9));
        }
      }
      break;
    }
    case 7: {  // pin stripes
      for (double x = area.left(); x < area.right(); x += 8) {
        p.fillRect(QRectF(x, area.top(), 3, area.height()), c.Pattern);
        p.fillRect(QRectF(x + 5, area.top(), 1, area.height()), c.Accent);
      }
      break;
    }
    case 8: {  // tartan
      for (double x = area.left(); x < area.right(); x += 16) {
        p.fillRect(QRectF(x, area.top(), 6, area.height()), c.Pattern);
        p.fillRect(QRectF(x + 10, area.top(), 1.5, area.height()), c.Accent);
      }
      QColor across = c.Pattern;
      across.setAlpha(150);
      for (double y = area.top(); y < area.bottom(); y += 16) {
        p.fillRect(QRectF(area.left(), y, area.width(), 6), across);
        p.fillRect(QRectF(area.left(), y + 10, area.width(), 1.5), c.Accent);
      }
      break;
    }
    case 9: {  // rosette
      p.setBrush(Qt::NoBrush);
      p.setPen(Line(c.Pattern, 1.2));
      for (int i = 0; i < 24; ++i) {
        const double angle = i * std::numbers::pi / 12;
        const QPointF d(std::cos(angle), std::sin(angle));
        p.drawEllipse(centre + d * 18, 18, 18);
      }
      p.setPen(Line(c.Accent, 1.6));
      p.drawEllipse(centre, 38, 38);
      p.drawEllipse(centre, 6, 6);
      p.setPen(Line(c.Pattern, 1.0));
      for (const QPointF corner :
           {area.topLeft(), area.topRight(), area.bottomLeft(), area.bottomRight()}) {
        for (int r = 6; r < 22; r += 5) p.drawEllipse(corner, r, r);
      }
      break;
    }
    case 10: {  // scales
      p.setPen(Line(c.Pattern, 1.3));
      for (int row = 0; row * 6 < area.height() + 12; ++row) {
        for (int col = -1; col * 12 < area.width() + 12; ++col) {
          const QPointF at(area.left() + col * 12 + (row % 2) * 6, area.top() + row * 6);
          p.setBrush(row % 4 < 2 ? c.Base : c.Base.lighter(115));
          p.drawChord(QRectF(at.x(), at.y() - 6, 12, 12), 180 * 16, 180 * 16);
        }
      }
      break;
    }
    case 11: {  // chevrons
      p.setBrush(Qt::NoBrush);
      for (int row = -2; row * 8 < area.height() + 16; ++row) {
        QPainterPath chevron;
        const double y = area.top() + row * 8;
        chevron.moveTo(area.left(), y);
        for (double x = area.left(); x < area.right() + 12; x += 12) {
          chevron.lineTo(x + 6, y + 6);
          chevron.lineTo(x + 12, y);
        }
        p.setPen(Line(row % 2 == 0 ? c.Pattern : c.Accent, 2.4));
        p.drawPath(chevron);
      }
      break;
    }
    case 12: {  // honeycomb
      p.setPen(Line(c.Pattern, 1.4));
      p.setBrush(Qt::NoBrush);
      const double r = 6;
      const double dx = r * std::sqrt(3.0);
      for (int row = 0; row * r * 1.5 < area.height() + 2 * r; ++row) {
        for (int col = -1; col * dx < area.width() + dx; ++col) {
          const QPointF at(area.left() + col * dx + (row % 2) * dx / 2, area.top() + row * r * 1.5);
          QPainterPath hex;
          for (int i = 0; i < 6; ++i) {
            const double angle = std::numbers::pi / 6 + i * std::numbers::pi / 3;
            const QPointF point = at + QPointF(std::cos(angle), std::sin(angle)) * r;
            if (i == 0) {
              hex.moveTo(point);
            } else {
              hex.lineTo(point);
            }
          }
          hex.closeSubpath();
          p.setBrush((row * 3 + col) % 5 == 0 ? c.Accent : Qt::NoBrush);
          p.drawPath(hex);
        }
      }
      break;
    }
    case 13: {  // rings with the four suits in the middle
      p.setBrush(Qt::NoBrush);
      for (int ring = 1; ring < 14; ++ring) {
        p.setPen(Line(ring % 3 == 0 ? c.Accent : c.Pattern, 1.5));
        p.drawEllipse(centre, ring * 5.0, ring * 5.0);
      }
      p.setPen(Qt::NoPen);
      p.setBrush(c.Accent);
      for (int suit = 0; suit < 4; ++suit) {
        const QPointF offset = std::array<QPointF, 4>{QPointF(0, -9), QPointF(-9, 0), QPointF(9, 0),
                                                      QPointF(0, 9)}[static_cast<size_t>(suit)];
        p.drawPath(
            SuitPath(suit, FitSuit(suit, QRectF(centre + offset - QPointF(4, 4), QSizeF(8, 8)))));
      }
      break;
    }
    default: {  // sunburst
      p.setPen(Qt::NoPen);
      for (int i = 0; i < 36; i += 2) {
        const double a0 = i * std::numbers::pi / 18;
        const double a1 = (i + 1) * std::numbers::pi / 18;
        QPainterPath ray;
        ray.moveTo(centre);
        ray.lineTo(centre + QPointF(std::cos(a0), std::sin(a0)) * 120);
        ray.lineTo(centre + QPointF(std::cos(a1), std::sin(a1)) * 120);
        ray.closeSubpath();
        p.setBrush(c.Pattern);
        p.drawPath(ray);
      }
      p.setBrush(c.Accent);
      p.drawEllipse(centre, 10, 10);
      break;
    }
  }
}

}  // namespace

QImage DrawBackStrip() {
  static const std::array<TBackColours, BackCount> colours = {{
      {QColor(0xB3, 0x1B, 0x2A), QColor(0xE8, 0x8F, 0x98), QColor(0xFF, 0xF1, 0xD6)},
      {QColor(0x1E, 0x3A, 0x8A), QColor(0x7D, 0x9C, 0xE8), QColor(0xFF, 0xF1, 0xD6)},
      {QColor(0x1F, 0x6B, 0x3A), QColor(0x15, 0x4A, 0x28), QColor(0x1F, 0x6B, 0x3A)},
      {QColor(0x5E, 0x2B, 0x8C), QColor(0xC3, 0x9B, 0xE6), QColor(0xF0, 0xC8, 0x4A)},
      {QColor(0x0E, 0x6F, 0x73), QColor(0xB5, 0xE8, 0xE6), QColor(0xF6, 0xD8, 0x6B)},
      {QColor(0x12, 0x4A, 0x9E), QColor(0x8C, 0xC4, 0xF4), QColor(0xE6, 0xF4, 0xFF)},
      {QColor(0x14, 0x22, 0x4E), QColor(0xE9, 0xC4, 0x4C), QColor(0xFF, 0xFF, 0xFF)},
      {QColor(0x7A, 0x1F, 0x3D), QColor(0xA8, 0x3C, 0x60), QColor(0xF4, 0xC6, 0xD4)},
      {QColor(0x9E, 0x1B, 0x1F), QColor(0x1E, 0x4D, 0x2B), QColor(0xF2, 0xD0, 0x5A)},
      {QColor(0x1A, 0x1A, 0x1A), QColor(0xC9, 0xA2, 0x3C), QColor(0xE8, 0xC8, 0x6A)},
      {QColor(0x0F, 0x5E, 0x86), QColor(0x9A, 0xD6, 0xEE), QColor(0x0F, 0x5E, 0x86)},
      {QColor(0xC0, 0x5A, 0x12), QColor(0x6B, 0x2E, 0x0C), QColor(0xF6, 0xC2, 0x7A)},
      {QColor(0xD3, 0x9B, 0x1C), QColor(0x7A, 0x52, 0x08), QColor(0xF7, 0xE0, 0x8C)},
      {QColor(0x4A, 0x55, 0x68), QColor(0xA9, 0xB8, 0xCF), QColor(0xF2, 0xF5, 0xFA)},
      {QColor(0xC6, 0x28, 0x28), QColor(0xEE, 0x6A, 0x1E), QColor(0xFC, 0xE2, 0x5C)},
  }};
  QImage strip = NewImage(BackCount * CardWidth, CardHeight);
  QPainter p(&strip);
  p.setRenderHint(QPainter::Antialiasing, true);
  for (int i = 0; i < BackCount; ++i) {
    const TBackColours& c = colours[static_cast<size_t>(i)];
    const QRectF panel(i * CardWidth + 4.5, 4.5, CardWidth - 9, CardHeight - 9);
    QPainterPath outline;
    outline.addRoundedRect(panel, 4, 4);
    p.save();
    p.setClipPath(outline);
    p.fillRect(panel, c.Base);
    DrawPattern(p, i, panel, c);
    p.restore();
    // A thin white line inside the edge, then the edge itself.
    p.setBrush(Qt::NoBrush);
    p.setPen(QPen(Qt::white, 1.5));
    p.drawRoundedRect(panel.adjusted(3, 3, -3, -3), 3, 3);
    p.setPen(QPen(c.Base.darker(140), 1.0));
    p.drawPath(outline);
  }
  return strip;
}

}  // namespace tavrik::art
