#include "ui/cards/bitmap_stream.h"

#include <gtest/gtest.h>

#include <QtEndian>
#include <string>

#include "core/error.h"
#include "support/message_lines.h"

namespace tavrik {
namespace {

// A small image whose every pixel differs from its neighbours.
QImage Gradient(int width, int height) {
  QImage image(width, height, QImage::Format_RGB32);
  for (int y = 0; y < height; ++y) {
    for (int x = 0; x < width; ++x) {
      image.setPixel(x, y, qRgb(x * 7 % 256, y * 13 % 256, (x + y) * 5 % 256));
    }
  }
  return image;
}

TEST(BitmapStream, ImagesSurviveBothStoredForms) {
  for (const QSize size : {QSize(1, 1), QSize(94, 127), QSize(13, 3)}) {
    const QImage image = Gradient(size.width(), size.height());
    const QByteArray body = BmpBody(image);
    // A BMP file starts with "BM" and its 32-bit file size; the stored form drops "BM".
    ASSERT_GE(body.size(), 4);
    const QByteArray file = "BM" + body;
    const auto fileSize = static_cast<uint8_t>(file[2]) | static_cast<uint8_t>(file[3]) << 8 |
                          static_cast<uint8_t>(file[4]) << 16;
    EXPECT_EQ(static_cast<qsizetype>(fileSize), file.size());
    EXPECT_EQ(ImageFromBmpBody(body), image);
    EXPECT_EQ(ImageFromCompressed(CompressedImage(image)), image);
  }
}

TEST(BitmapStream, DamagedOrOversizedDataIsRefused) {
  const QByteArray stream = CompressedImage(Gradient(20, 20));
  const QByteArray content = Inflate(stream);
  QByteArray flipped = stream;
  flipped[flipped.size() / 2] = static_cast<char>(flipped[flipped.size() / 2] ^ 0x55);
  const std::pair<const char*, QByteArray> cases[] = {
      {"empty", QByteArray()},
      {"not zlib", QByteArray("this is not a compressed stream")},
      {"cut short", stream.left(stream.size() / 2)},
      {"flipped byte", flipped}};
  for (const auto& [name, data] : cases) EXPECT_THROW(ImageFromCompressed(data), TError) << name;
  // A length that runs past the content, and one that is negative.
  for (const int32_t length : {static_cast<int32_t>(content.size()), -1}) {
    QByteArray bad = content;
    qToLittleEndian(length, bad.data());
    EXPECT_THROW(ImageFromCompressed(Deflate(bad)), TError) << length;
  }
  // Bytes that are not a bitmap.
  EXPECT_THROW(ImageFromBmpBody(QByteArray(60, 'x')), TError);
  // Inflating stops at its limit.
  const QByteArray zeros(5000, '\0');
  EXPECT_EQ(Inflate(Deflate(zeros), 5000), zeros);
  EXPECT_NE(RaisedMessage([&] { Inflate(Deflate(zeros), 4999); }).find("too large"),
            std::string::npos);
  // Bytes after the end of the stream are ignored.
  EXPECT_EQ(Inflate(Deflate(zeros) + "tail"), zeros);
}

TEST(BitmapStream, ReaderNamesWhatItCouldNotRead) {
  TByteWriter writer;
  writer.Int32(-5);
  writer.Byte(7);
  TByteReader reader(writer.Bytes());
  EXPECT_EQ(reader.Int32("first"), -5);
  EXPECT_EQ(reader.Byte("second"), 7);
  EXPECT_TRUE(reader.AtEnd());
  EXPECT_NE(RaisedMessage([&] { reader.Int32("RankStrip"); }).find("RankStrip"), std::string::npos);
}

}  // namespace
}  // namespace tavrik
