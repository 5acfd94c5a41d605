#include "ui/cards/card_painter.h"

#include <QFontDatabase>
#include <QFontMetrics>
#include <QPainter>
#include <string>

#include "core/error.h"
#include "ui/cards/builtin_images.h"
#include "ui/cards/deck_file.h"

namespace tavrik {

namespace {

void Copy(QPainter& canvas, int x, int y, const QImage& source, const QRect& from) {
  if (from.width() <= 0 || from.height() <= 0) return;
  canvas.drawImage(QPoint(x, y), source, from);
}

constexpr std::array<const char*, 13> RankTexts = {"2", "3",  "4", "5", "6", "7", "8",
                                                   "9", "10", "J", "Q", "K", "A"};

// The window font family: "Tahoma" when installed, else the platform's default.
QFont LabelFont() {
  QFont font;
  if (QFontDatabase::hasFamily("Tahoma")) font.setFamily("Tahoma");
  font.setPointSize(8);
  return font;
}

}  // namespace

TCardPainter::TCardPainter(int scale) : scale_(scale) {
  Require(scale == 1 || scale == SmallCardTwinScale, "Small card scale out of range");
  face_ = LateImage(face_, "FACE");
  bigPips_ = LateImage(bigPips_, "SUIT1");
  smallPips_ = LateImage(smallPips_, "SUIT2");
  ranks_ = LateImage(ranks_, "RANKS");
  held_ = LateImage(held_, "HELD");
}

const QImage& TCardPainter::LateImage(QImage& image, const char* name) {
  if (image.isNull()) {
    image = LoadUncompressedImage(QString::fromLatin1("S_") + name + TwinSuffix(scale_));
  }
  return image;
}

void TCardPainter::DrawSmallCard(QPainter& canvas, const QColor& background, bool held, bool wild,
                                 int suit, int rank) {
  DrawSmallCardMarked(canvas, 0, false, held, wild, suit, rank, background, 0);
}

void TCardPainter::DrawSmallCardMarked(QPainter& canvas, int x, bool marked, bool held, bool wild,
                                       int suit, int rank, const QColor& background, int y) {
  RequireInRange(rank, -1, 12, "Card rank");
  if (rank != -1) RequireInRange(suit, 0, 3, "Card suit");
  // The card is laid out in the images' pixels from (0, 0).
  const int s = scale_;
  const int w = CardWidth * s;
  const int h = CardHeight * s;
  canvas.save();
  canvas.translate(x, y);
  canvas.scale(1.0 / s, 1.0 / s);
  // Exactly one image pixel per device pixel when the scale matches the screen.
  canvas.setRenderHint(QPainter::SmoothPixmapTransform);
  canvas.setCompositionMode(QPainter::CompositionMode_Source);
  Copy(canvas, 0, 0, face_, face_.rect());
  for (const QPoint corner :
       {QPoint(0, 0), QPoint(0, h - s), QPoint(w - s, 0), QPoint(w - s, h - s)}) {
    canvas.fillRect(QRect(corner, QSize(s, s)), background);
  }

  if (rank == -1) {
    const QImage& joker = LateImage(joker_, "JOKER");
    Copy(canvas, LeftMargin * s, TopMargin * s, joker, joker.rect());
  } else {
    const int gw = ranks_.width() / 13;
    const int gh = ranks_.height() / 2;
    const QRect glyph(rank * gw, (suit / 2) * gh, gw, gh);
    Copy(canvas, LeftMargin * s, TopMargin * s, ranks_, glyph);
    if (!wild) {
      const int bw = bigPips_.width() / 4;
      const int bh = bigPips_.height();
      Copy(canvas, (w - bw) / 2, h - BottomMargin * s - bh, bigPips_, QRect(suit * bw, 0, bw, bh));
      const int sw = smallPips_.width() / 4;
      Copy(canvas, LeftMargin * s + (gw - sw) / 2, TopMargin * s + gh + 2 * s, smallPips_,
           QRect(suit * sw, 0, sw, smallPips_.height()));
    } else {
      const QImage& mark = LateImage(wild_, "WILD");
      const int mh = mark.height() / 2;
      Copy(canvas, WildMarkX * s, TopMargin * s, mark, QRect(0, (suit / 2) * mh, mark.width(), mh));
    }
  }

  const int mh = held_.height();
  if (held) Copy(canvas, s, h - 2 * mh - 2 * s, held_, QRect(0, 0, w - 2 * s, mh));
  if (marked) {
    const QImage& second = LateImage(held1_, "HELD1");
    Copy(canvas, s, h - second.height() - 2 * s, second, QRect(0, 0, w - 2 * s, second.height()));
  }
  canvas.restore();
}

QImage TCardPainter::CardLabel(int rank, int suit, int gap) {
  Require(scale_ == 1, "Card labels are drawn at scale 1");
  RequireInRange(rank, -1, 12, "Card rank");
  if (rank != -1) RequireInRange(suit, 0, 3, "Card suit");
  const QFont font = LabelFont();
  const QFontMetrics metrics(font);
  const int textWidth = metrics.horizontalAdvance("10");
  const int sw = smallPips_.width() / 4;
  const int sh = smallPips_.height();
  QImage label(textWidth + gap + sw, sh, QImage::Format_ARGB32_Premultiplied);
  label.fill(Qt::white);
  {
    QPainter painter(&label);
    painter.setFont(font);
    painter.setPen(rank >= 0 && suit >= 2 ? QColor(0xC0, 0x10, 0x18) : QColor(Qt::black));
    if (rank == -1) {
      painter.drawText(label.rect(), Qt::AlignRight | Qt::AlignVCenter, "Jok");
    } else {
      painter.drawText(QRect(0, 0, textWidth, sh), Qt::AlignRight | Qt::AlignVCenter,
                       RankTexts[static_cast<size_t>(rank)]);
      painter.drawImage(QPoint(textWidth + gap, 1), smallPips_, QRect(suit * sw, 0, sw, sh));
    }
  }
  // White is the transparent colour.
  for (int row = 0; row < label.height(); ++row) {
    auto* line = reinterpret_cast<QRgb*>(label.scanLine(row));
    for (int col = 0; col < label.width(); ++col) {
      if ((line[col] & 0x00FFFFFFu) == 0x00FFFFFFu) line[col] = 0;
    }
  }
  return label;
}

}  // namespace tavrik
