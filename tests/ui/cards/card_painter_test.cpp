#include "ui/cards/card_painter.h"

#include <gtest/gtest.h>

#include <QPainter>

#include "core/error.h"
#include "ui/cards/builtin_images.h"

namespace tavrik {
namespace {

constexpr int W = TCardPainter::CardWidth;
constexpr int H = TCardPainter::CardHeight;
const QColor Background(0x12, 0x34, 0x56);

QImage Small(TCardPainter& painter, bool marked, bool held, bool wild, int suit, int rank) {
  QImage image(W + 4, H + 4, QImage::Format_RGB32);
  image.fill(Qt::magenta);
  QPainter p(&image);
  painter.DrawSmallCardMarked(p, 2, marked, held, wild, suit, rank, Background, 2);
  return image;
}

// True when `image` at `at` shows `source` exactly.
bool Shows(const QImage& image, QPoint at, const QImage& source, const QRect& from) {
  return image.copy(QRect(at, from.size())) == source.copy(from);
}

TEST(CardPainter, SmallCardLayout) {
  TCardPainter painter;
  const QImage face = LoadUncompressedImage("S_FACE");
  const QImage big = LoadUncompressedImage("S_SUIT1");
  const QImage ranks = LoadUncompressedImage("S_RANKS");
  const QImage held = LoadUncompressedImage("S_HELD");
  const QImage held1 = LoadUncompressedImage("S_HELD1");
  const QImage wildMark = LoadUncompressedImage("S_WILD");
  const QImage joker = LoadUncompressedImage("S_JOKER");
  ASSERT_EQ(face.size(), QSize(W, H));
  const int bw = big.width() / 4;
  const int gw = ranks.width() / 13;
  const int gh = ranks.height() / 2;
  const int mh = held.height();

  const QImage queen = Small(painter, false, false, false, 3, 10);
  for (const QPoint at : {QPoint(2, 2), QPoint(2, H + 1), QPoint(W + 1, 2), QPoint(W + 1, H + 1)}) {
    EXPECT_EQ(queen.pixelColor(at), Background);
  }
  EXPECT_EQ(queen.pixelColor(1, 1), QColor(Qt::magenta)) << "nothing outside the card";
  EXPECT_TRUE(Shows(queen, {2 + 5, 2 + 5}, ranks, QRect(10 * gw, gh, gw, gh)));
  EXPECT_TRUE(Shows(queen, {2 + (W - bw) / 2, 2 + H - 5 - big.height()}, big,
                    QRect(3 * bw, 0, bw, big.height())));

  // Wild: glyph and wild mark (row suit / 2), no big pip.
  const QImage wild = Small(painter, false, false, true, 1, 0);
  EXPECT_TRUE(Shows(wild, {2 + 5, 2 + 5}, ranks, QRect(0, 0, gw, gh)));
  EXPECT_TRUE(
      Shows(wild, {2 + 18, 2 + 5}, wildMark, QRect(0, 0, wildMark.width(), wildMark.height() / 2)));
  const QRect bigPipArea(2 + (W - bw) / 2, 2 + H - 5 - big.height(), bw, big.height());
  EXPECT_EQ(wild.copy(bigPipArea), face.copy(bigPipArea.translated(-2, -2)));

  const QImage jokerCard = Small(painter, false, false, true, -1, -1);
  EXPECT_TRUE(Shows(jokerCard, {2 + 5, 2 + 5}, joker, joker.rect()));

  // Held marker two marker heights above the bottom, the second marker under it.
  const QImage both = Small(painter, true, true, false, 0, 4);
  EXPECT_TRUE(Shows(both, {2 + 1, 2 + H - 2 * mh - 2}, held, QRect(0, 0, W - 2, mh)));
  EXPECT_TRUE(
      Shows(both, {2 + 1, 2 + H - held1.height() - 2}, held1, QRect(0, 0, W - 2, held1.height())));
  const QImage plain = Small(painter, false, false, false, 0, 4);
  EXPECT_FALSE(Shows(plain, {2 + 1, 2 + H - 2 * mh - 2}, held, QRect(0, 0, W - 2, mh)));

  EXPECT_THROW(Small(painter, false, false, false, 4, 2), TError);
  EXPECT_THROW(Small(painter, false, false, false, 0, 13), TError);
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
