#include "ui/cards/card_painter.h"

#include <gtest/gtest.h>

#include <QPainter>

#include "core/error.h"
#include "ui/cards/builtin_images.h"
#include "ui/cards/deck_file.h"

namespace tavrik {
namespace {

constexpr int W = TCardPainter::CardWidth;
constexpr int H = TCardPainter::CardHeight;
const QColor Background(0x12, 0x34, 0x56);

// A small card drawn at (2, 2) points on an image of `painter`'s scale.
QImage Small(TCardPainter& painter, int scale, bool marked, bool held, bool wild, int suit,
             int rank) {
  QImage image((W + 4) * scale, (H + 4) * scale, QImage::Format_RGB32);
  image.setDevicePixelRatio(scale);
  image.fill(Qt::magenta);
  QPainter p(&image);
  painter.DrawSmallCardMarked(p, 2, marked, held, wild, suit, rank, Background, 2);
  return image;
}

// True when `image` at pixel `at` shows `source` exactly.
bool Shows(const QImage& image, QPoint at, const QImage& source, const QRect& from) {
  return image.copy(QRect(at, from.size())) == source.copy(from);
}

TEST(CardPainter, SmallCardLayoutAtEitherScale) {
  for (const int s : {1, SmallCardTwinScale}) {
    SCOPED_TRACE(s);
    TCardPainter painter(s);
    const auto image = [s](const char* name) {
      return LoadUncompressedImage(QString("S_") + name + TwinSuffix(s));
    };
    const QImage face = image("FACE"), big = image("SUIT1"), ranks = image("RANKS");
    const QImage held = image("HELD"), held1 = image("HELD1"), wildMark = image("WILD");
    const QImage joker = image("JOKER");
    ASSERT_EQ(face.size(), QSize(W, H) * s);
    const int bw = big.width() / 4;
    const int gw = ranks.width() / 13;
    const int gh = ranks.height() / 2;
    const int mh = held.height();
    const auto at = [s](int x, int y) { return QPoint(x, y) * s; };  // points to pixels

    const QImage queen = Small(painter, s, false, false, false, 3, 10);
    for (const QPoint corner : {at(2, 2), at(2, H + 1), at(W + 1, 2), at(W + 1, H + 1)}) {
      EXPECT_EQ(queen.pixelColor(corner), Background);
    }
    EXPECT_EQ(queen.pixelColor(at(1, 1)), QColor(Qt::magenta)) << "nothing outside the card";
    EXPECT_TRUE(Shows(queen, at(2 + 5, 2 + 5), ranks, QRect(10 * gw, gh, gw, gh)));
    EXPECT_TRUE(Shows(queen, at(2, 2 + H - 5) + QPoint((W * s - bw) / 2, -big.height()), big,
                      QRect(3 * bw, 0, bw, big.height())));

    // Wild: glyph and wild mark (row suit / 2), no big pip.
    const QImage wild = Small(painter, s, false, false, true, 1, 0);
    EXPECT_TRUE(Shows(wild, at(2 + 5, 2 + 5), ranks, QRect(0, 0, gw, gh)));
    EXPECT_TRUE(Shows(wild, at(2 + 18, 2 + 5), wildMark,
                      QRect(0, 0, wildMark.width(), wildMark.height() / 2)));
    const QRect bigPipArea(at(2, 2 + H - 5) + QPoint((W * s - bw) / 2, -big.height()),
                           QSize(bw, big.height()));
    EXPECT_EQ(wild.copy(bigPipArea), face.copy(bigPipArea.translated(-at(2, 2))));

    const QImage jokerCard = Small(painter, s, false, false, true, -1, -1);
    EXPECT_TRUE(Shows(jokerCard, at(2 + 5, 2 + 5), joker, joker.rect()));

    // Held marker two marker heights above the bottom, the second marker under it.
    const QImage both = Small(painter, s, true, true, false, 0, 4);
    const QRect band(0, 0, (W - 2) * s, mh);
    EXPECT_TRUE(Shows(both, at(2 + 1, 2 + H - 2) - QPoint(0, 2 * mh), held, band));
    EXPECT_TRUE(Shows(both, at(2 + 1, 2 + H - 2) - QPoint(0, held1.height()), held1,
                      QRect(0, 0, (W - 2) * s, held1.height())));
    const QImage plain = Small(painter, s, false, false, false, 0, 4);
    EXPECT_FALSE(Shows(plain, at(2 + 1, 2 + H - 2) - QPoint(0, 2 * mh), held, band));

    EXPECT_THROW(Small(painter, s, false, false, false, 4, 2), TError);
    EXPECT_THROW(Small(painter, s, false, false, false, 0, 13), TError);
  }
}

TEST(CardPainter, CardLabelSizeAndTransparency) {
  TCardPainter painter;
  const QImage pips = LoadUncompressedImage("S_SUIT2");
  const int pw = pips.width() / 4;
  const QImage ten = painter.CardLabel(8, 3, 2);
  const QImage jack = painter.CardLabel(9, 3, 2);
  const QImage wide = painter.CardLabel(9, 3, 6);
  EXPECT_EQ(ten.height(), pips.height());
  EXPECT_EQ(ten.width(), jack.width()) << "the text part is as wide as \"10\" for every rank";
  EXPECT_EQ(wide.width(), jack.width() + 4);
  const int textWidth = ten.width() - 2 - pw;
  // The pip sits at (T + gap, 1), opaque; white around it has alpha 0.
  for (int x = 0; x < pw; ++x) {
    const QRgb source = pips.pixel(3 * pw + x, 0);
    const QRgb shown = ten.pixel(textWidth + 2 + x, 1);
    const bool white = (source & 0xFFFFFFu) == 0xFFFFFFu;
    EXPECT_EQ(shown, white ? shown & 0xFFFFFFu : source | 0xFF000000u) << x;
  }
  EXPECT_EQ(qAlpha(ten.pixel(0, 0)), 0);
  const QImage joker = painter.CardLabel(-1, -1, 2);
  EXPECT_EQ(joker.size(), ten.size());
  const auto opaqueRightOfText = [&](const QImage& label) {
    int opaque = 0;
    for (int y = 0; y < label.height(); ++y) {
      for (int x = textWidth + 2; x < label.width(); ++x) opaque += qAlpha(label.pixel(x, y)) > 0;
    }
    return opaque;
  };
  EXPECT_GT(opaqueRightOfText(ten), opaqueRightOfText(joker)) << "a joker label has no pip";
}

}  // namespace
}  // namespace tavrik
