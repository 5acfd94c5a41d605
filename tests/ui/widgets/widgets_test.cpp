#include <gtest/gtest.h>

#include <QBoxLayout>
#include <QLabel>
#include <QPainter>
#include <QPointer>
#include <memory>

#include "ui/widgets/button_hash.h"
#include "ui/widgets/card_button.h"
#include "ui/widgets/gradient.h"
#include "ui/widgets/gradient_label.h"

namespace tavrik {
namespace {

QImage Filled(QSize size, const QRect& rect, const QColor& c1, int bands, int direction,
              const QColor& c2) {
  QImage image(size, QImage::Format_RGB32);
  image.fill(Qt::magenta);
  QPainter painter(&image);
  GradientFill(painter, rect, c1, bands, direction, c2);
  return image;
}

// Lengths of the runs of equal colour along the middle column (vertical) or row.
std::vector<int> Runs(const QImage& image, bool vertical) {
  std::vector<int> runs;
  const int length = vertical ? image.height() : image.width();
  QRgb last = 0;
  for (int i = 0; i < length; ++i) {
    const QRgb pixel =
        vertical ? image.pixel(image.width() / 2, i) : image.pixel(i, image.height() / 2);
    if (runs.empty() || pixel != last) runs.push_back(0);
    ++runs.back();
    last = pixel;
  }
  return runs;
}

TEST(GradientFill, BandSizesAndColours) {
  const QColor top(0, 100, 200);
  const QColor bottom(200, 50, 0);
  // Case, size, bands asked for, direction; length and number of the bands drawn, rows added
  // to the last band.
  const std::tuple<const char*, QSize, int, int, int, int, int> cases[] = {
      {"127 high, 20 bands", {10, 127}, 20, 0, 6, 20, 7},
      {"upwards", {10, 127}, 20, 1, 6, 20, 7},
      {"across", {127, 10}, 20, 2, 6, 20, 7},
      {"across, from the right", {127, 10}, 20, 3, 6, 20, 7},
      {"more bands than rows", {10, 12}, 40, 0, 1, 12, 0},
      {"even split", {10, 40}, 4, 0, 10, 4, 0},
  };
  for (const auto& [name, size, bands, direction, firstBand, bandCount, endRows] : cases) {
    SCOPED_TRACE(name);
    const QImage image = Filled(size, QRect(QPoint(0, 0), size), top, bands, direction, bottom);
    const std::vector<int> runs = Runs(image, direction < 2);
    // n bands of equal length, the last band merging with the rows left over.
    ASSERT_EQ(static_cast<int>(runs.size()), bandCount);
    for (int k = 0; k + 1 < bandCount; ++k) EXPECT_EQ(runs[static_cast<size_t>(k)], firstBand);
    EXPECT_EQ(runs.back(), firstBand + endRows);
    const bool fromFirst = direction == 0 || direction == 2;
    EXPECT_EQ(image.pixelColor(0, 0), fromFirst ? top : bottom);
    EXPECT_EQ(image.pixelColor(size.width() - 1, size.height() - 1), fromFirst ? bottom : top);
  }
  // Band k of n: start + (end - start) * k / (n - 1), rounded.
  const QImage image = Filled({10, 127}, QRect(0, 0, 10, 127), top, 20, 0, bottom);
  EXPECT_EQ(image.pixelColor(5, 6 * 7), QColor(0 + 74, 100 - 18, 200 - 74));  // k = 7
}

TEST(GradientFill, DegenerateCases) {
  const QImage none = Filled({8, 8}, QRect(2, 2, 0, 5), Qt::red, 10, 0, Qt::blue);
  EXPECT_EQ(none.pixelColor(2, 2), QColor(Qt::magenta));
  for (const int bands : {0, 1}) {
    const QImage plain = Filled({8, 8}, QRect(0, 0, 8, 8), Qt::red, bands, 0, Qt::blue);
    EXPECT_EQ(plain.pixelColor(0, 7), QColor(Qt::red)) << bands;
  }
  // Only the rectangle is painted.
  const QImage part = Filled({8, 8}, QRect(2, 2, 4, 4), Qt::red, 2, 0, Qt::blue);
  for (const auto& [at, colour] :
       {std::pair{1, Qt::magenta}, {2, Qt::red}, {5, Qt::blue}, {6, Qt::magenta}}) {
    EXPECT_EQ(part.pixelColor(at, at), QColor(colour)) << at;
  }
}

TEST(Lighten, AddsAndClamps) {
  EXPECT_EQ(Lighten(QColor(10, 128, 250), 20), QColor(30, 148, 255));
  EXPECT_EQ(Lighten(QColor(10, 128, 250), -15), QColor(0, 113, 235));
  EXPECT_EQ(Lighten(QColor(0, 0, 0), -5), QColor(0, 0, 0));
}

TEST(ButtonHash, SameSizeIsCachedSameHeightIsStretched) {
  TButtonHash cache(false);
  const QImage& first = cache.Face(60, 25);
  EXPECT_EQ(&cache.Face(60, 25), &first);
  EXPECT_EQ(cache.LastSlot(), 0);
  // Mark the cached face; a face of the same height must be built from it.
  QImage& marked = const_cast<QImage&>(first);
  for (int y = 0; y < 25; ++y) {
    marked.setPixelColor(1, y, Qt::magenta);
    marked.setPixelColor(10, y, Qt::cyan);
    marked.setPixelColor(58, y, Qt::yellow);
  }
  cache.Face(150, 25);
  EXPECT_EQ(cache.LastSlot(), 1);
  // Width, column, colour: the edges stay at the edges; the columns from 3 on repeat, so
  // column 10 of the source appears again one period on.
  const std::tuple<int, int, Qt::GlobalColor> columns[] = {
      {150, 1, Qt::magenta},   {150, 148, Qt::yellow}, {150, 10, Qt::cyan},
      {150, 57 + 7, Qt::cyan}, {30, 1, Qt::magenta},   {30, 28, Qt::yellow}};
  for (const auto& [width, x, colour] : columns) {
    EXPECT_EQ(cache.Face(width, 25).pixelColor(x, 12), QColor(colour)) << width << " " << x;
  }
  // An unmarked raised face stretches to exactly what drawing would give.
  TButtonHash clean(false);
  clean.Face(40, 22);
  EXPECT_EQ(clean.Face(90, 22), clean.Draw(90, 22));
}

TEST(ButtonHash, NinthSizeEvictsTheOldestSlotInTurn) {
  TButtonHash cache(true);
  for (int height = 10; height < 18; ++height) {
    const_cast<QImage&>(cache.Face(20, height)).setPixelColor(5, 5, Qt::magenta);
  }
  EXPECT_EQ(cache.LastSlot(), 7);
  // The height asked for in turn; whether the cached (marked) face came back, the slot used
  // last then. The ninth size takes slot 0 from height 10, which then takes slot 1 from
  // height 11, and so on.
  const std::tuple<int, bool, int> steps[] = {{30, false, 0}, {11, true, 0},  {10, false, 1},
                                              {12, true, 1},  {11, false, 2}, {13, true, 2}};
  for (const auto& [height, cached, slot] : steps) {
    EXPECT_EQ(cache.Face(20, height).pixelColor(5, 5) == QColor(Qt::magenta), cached) << height;
    EXPECT_EQ(cache.LastSlot(), slot) << height;
  }
  EXPECT_TRUE(cache.Face(0, 10).isNull());
}

TEST(GradientLabel, PaintsTheGradientOfItsColourAndTakesOverAPlainLabel) {
  QWidget window;
  auto* layout = new QVBoxLayout(&window);
  QPointer<QLabel> plain = new QLabel("HEADER", &window);
  plain->setObjectName("lHeader");
  plain->setAlignment(Qt::AlignRight);
  layout->addWidget(new QLabel("above", &window));
  layout->addWidget(plain);
  QPalette palette = plain->palette();
  palette.setColor(QPalette::Window, QColor(100, 120, 140));
  plain->setPalette(palette);

  TGradientLabel* header = TGradientLabel::ReplaceLabel(plain);
  EXPECT_TRUE(plain.isNull());
  EXPECT_EQ(layout->indexOf(header), 1);
  EXPECT_EQ(header->text(), "HEADER");
  EXPECT_EQ(header->objectName(), "lHeader");
  EXPECT_EQ(header->alignment(), Qt::AlignRight);
  EXPECT_EQ(TGradientLabel::ReplaceLabel(header), header);

  header->setText("");
  layout->removeWidget(header);
  // Rendered on its own: a child of a window that was never shown does not paint.
  header->setParent(nullptr);
  const std::unique_ptr<TGradientLabel> owned(header);
  header->resize(200, 127);
  QImage image(header->size(), QImage::Format_RGB32);
  image.fill(Qt::red);
  header->render(&image);
  EXPECT_EQ(image.pixelColor(100, 0), QColor(120, 140, 160));
  EXPECT_EQ(image.pixelColor(100, 126), QColor(85, 105, 125));
  EXPECT_EQ(image.pixelColor(100, 120), QColor(85, 105, 125)) << "seven end rows";
  EXPECT_NE(image.pixelColor(100, 113), QColor(85, 105, 125));
}

TEST(CardButton, PaintsItsFaceDownAndDisabled) {
  TCardButton button;
  button.setText("Deal");
  button.resize(90, 28);
  const auto render = [&] {
    QImage image(button.size(), QImage::Format_RGB32);
    button.render(&image);
    return image;
  };
  const QImage up = render();
  EXPECT_EQ(up.pixelColor(45, 2), ButtonFace(90, 28, false).pixelColor(45, 2));
  button.setDown(true);
  const QImage down = render();
  EXPECT_EQ(down.pixelColor(45, 2), QColor(Qt::white)) << "the pressed face is white";
  button.setDown(false);
  button.setEnabled(false);
  EXPECT_NE(render(), up) << "a disabled caption is engraved";
}

}  // namespace
}  // namespace tavrik
