#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QImage>
#include <cstdint>

namespace tavrik {

// Largest content a zlib stream of the program may inflate to (deck files, backs file,
// built-in images); a larger one is refused as damaged.
inline constexpr qsizetype MaxInflatedSize = 64 * 1024 * 1024;

// The whole of `data` as one zlib stream (best compression).
QByteArray Deflate(QByteArrayView data);
// The content of a zlib stream (bytes after its end are ignored). Raises TError when the
// stream is damaged or cut short, or inflates to more than `limit` bytes.
QByteArray Inflate(QByteArrayView data, qsizetype limit = MaxInflatedSize);

// A BMP file without its first two bytes "BM", the form every stored image takes. Images
// are written as 24-bit bitmaps.
QByteArray BmpBody(const QImage& image);
// The image of such bytes ("BM" is put in front before decoding), as Format_RGB32.
// Raises TError when they are not a bitmap.
QImage ImageFromBmpBody(QByteArrayView body);

// The compressed form of a built-in image: a zlib stream whose content is a 32-bit
// little-endian length L followed by L bytes of BmpBody.
QByteArray CompressedImage(const QImage& image);
// Raises TError when the data is not in that form.
QImage ImageFromCompressed(QByteArrayView data);

// Appends little-endian values and length-prefixed bitmaps to a byte array.
class TByteWriter {
 public:
  void Int32(int32_t value);
  void Byte(uint8_t value);
  // A 32-bit length and the BmpBody of the image.
  void Bitmap(const QImage& image);
  const QByteArray& Bytes() const { return bytes_; }

 private:
  QByteArray bytes_;
};

// Reads little-endian values and length-prefixed bitmaps from bytes, never past their end:
// a read beyond the end raises TError naming `what` and the offset.
class TByteReader {
 public:
  explicit TByteReader(QByteArrayView bytes) : bytes_(bytes) {}
  int32_t Int32(const char* what);
  uint8_t Byte(const char* what);
  QImage Bitmap(const char* what);
  qsizetype Offset() const { return offset_; }
  bool AtEnd() const { return offset_ == bytes_.size(); }

 private:
  QByteArrayView Take(qsizetype count, const char* what);
  QByteArrayView bytes_;
  qsizetype offset_ = 0;
};

}  // namespace tavrik
