#pragma once

#include <QColor>
#include <QImage>

#include "ui/cards/deck_file.h"

class QPainter;

namespace tavrik {

// Draws the small cards (50 x 68 points) of the warning and errors windows from
// built-in images, in a fixed layout: rank glyph top-left with a small suit pip under it,
// a big pip at the bottom centre; wild cards show the glyph and a wild mark, jokers a
// joker picture. All parts are copied.
class TCardPainter {
 public:
  static constexpr int CardWidth = 50;
  static constexpr int CardHeight = 68;
  static constexpr int TopMargin = 5;
  static constexpr int LeftMargin = 5;
  static constexpr int BottomMargin = 5;
  static constexpr int WildMarkX = 18;

  // Loads the face, pips, rank glyphs and held marker (raises TError when missing); the
  // wild mark, joker and second marker are loaded on first use. With `scale` 2 the images
  // are the ones drawn at twice the resolution, for screens with two device pixels per
  // point; the card keeps its size in points.
  explicit TCardPainter(int scale = 1);
  // The scale that draws sharpest on a screen of `ratio` device pixels per point.
  static int ScaleFor(qreal ratio) { return ratio > 1.25 ? SmallCardTwinScale : 1; }

  // Draws a card at the painter's origin; the four corner pixels take `background` so
  // that the corners look round on it. rank -1 is a joker; otherwise rank 0..12 and
  // suit 0..3 (raises TError else).
  void DrawSmallCard(QPainter& canvas, const QColor& background, bool held, bool wild, int suit,
                     int rank);
  // The same at (x, y), in points; when `marked`, the second marker is added under the held
  // marker's place.
  void DrawSmallCardMarked(QPainter& canvas, int x, bool marked, bool held, bool wild, int suit,
                           int rank, const QColor& background, int y);

  // A label of rank text and small suit pip: "10" decides the text width T; the image is
  // T + gap + pip width wide and one pip high, the rank text right-aligned in the first T
  // pixels, the pip at (T + gap, 1). rank -1 gives "Jok" right-aligned, no pip. White is
  // transparent. Only at scale 1 (raises TError else).
  QImage CardLabel(int rank, int suit, int gap);

 private:
  const QImage& LateImage(QImage& image, const char* name);

  int scale_ = 1;
  QImage face_;
  QImage bigPips_;
  QImage smallPips_;
  QImage ranks_;
  QImage held_;
  QImage wild_;
  QImage joker_;
  QImage held1_;
};

}  // namespace tavrik
