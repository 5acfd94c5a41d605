#include "ui/cards/bitmap_stream.h"

#include <zlib.h>

#include <QBuffer>
#include <algorithm>
#include <cstdint>
#include <string>

#include "core/error.h"

namespace tavrik {

QByteArray Deflate(QByteArrayView data) {
  z_stream stream{};
  if (deflateInit(&stream, Z_BEST_COMPRESSION) != Z_OK) throw TError("Cannot start compression");
  QByteArray out;
  out.resize(static_cast<qsizetype>(deflateBound(&stream, static_cast<uLong>(data.size()))));
  // zlib's interface is not const-correct; the input is only read.
  stream.next_in = reinterpret_cast<Bytef*>(const_cast<char*>(data.data()));
  stream.avail_in = static_cast<uInt>(data.size());
  stream.next_out = reinterpret_cast<Bytef*>(out.data());
  stream.avail_out = static_cast<uInt>(out.size());
  const int result = deflate(&stream, Z_FINISH);
  const auto written = static_cast<qsizetype>(stream.total_out);
  deflateEnd(&stream);
  if (result != Z_STREAM_END) throw TError("Cannot compress data");
  out.resize(written);
  return out;
}

QByteArray Inflate(QByteArrayView data, qsizetype limit) {
  z_stream stream{};
  if (inflateInit(&stream) != Z_OK) throw TError("Cannot start decompression");
  const auto fail = [&](const char* message) {
    inflateEnd(&stream);
    throw TError(message);
  };
  stream.next_in = reinterpret_cast<Bytef*>(const_cast<char*>(data.data()));
  stream.avail_in = static_cast<uInt>(data.size());
  QByteArray out;
  while (true) {
    const qsizetype before = out.size();
    if (before > limit) fail("Compressed data too large");
    // Grow geometrically, but never past one byte more than the limit.
    const qsizetype grow = std::min(std::max<qsizetype>(before, 64 * 1024), limit + 1 - before);
    out.resize(before + grow);
    stream.next_out = reinterpret_cast<Bytef*>(out.data() + before);
    stream.avail_out = static_cast<uInt>(grow);
    const int result = inflate(&stream, Z_NO_FLUSH);
    out.resize(before + grow - static_cast<qsizetype>(stream.avail_out));
    if (result == Z_STREAM_END) break;
    // Z_BUF_ERROR or unused output space with no input left: the stream is cut short.
    if (result != Z_OK || (stream.avail_in == 0 && stream.avail_out != 0)) {
      fail("Damaged compressed data");
    }
  }
  inflateEnd(&stream);
  if (out.size() > limit) throw TError("Compressed data too large");
  return out;
}

QByteArray BmpBody(const QImage& image) {
  QByteArray file;
  QBuffer buffer(&file);
  buffer.open(QIODevice::WriteOnly);
  if (image.isNull() || !image.convertToFormat(QImage::Format_RGB888).save(&buffer, "BMP")) {
    throw TError("Cannot encode bitmap");
  }
  return file.mid(2);
}

QImage ImageFromBmpBody(QByteArrayView body) {
  QByteArray file("BM");
  file.append(body);
  QImage image;
  if (!image.loadFromData(file, "BMP") || image.isNull()) throw TError("Bad bitmap data");
  return image.convertToFormat(QImage::Format_RGB32);
}

QByteArray CompressedImage(const QImage& image) {
  TByteWriter writer;
  writer.Bitmap(image);
  return Deflate(writer.Bytes());
}

QImage ImageFromCompressed(QByteArrayView data) {
  const QByteArray content = Inflate(data);
  TByteReader reader(content);
  return reader.Bitmap("image");
}

void TByteWriter::Int32(int32_t value) {
  const auto bits = static_cast<uint32_t>(value);
  for (int shift = 0; shift < 32; shift += 8) {
    bytes_.append(static_cast<char>((bits >> shift) & 0xFFu));
  }
}

void TByteWriter::Byte(uint8_t value) {
  bytes_.append(static_cast<char>(value));
}

void TByteWriter::Bitmap(const QImage& image) {
  const QByteArray body = BmpBody(image);
  Require(body.size() <= INT32_MAX, "Bitmap too large");
  Int32(static_cast<int32_t>(body.size()));
  bytes_.append(body);
}

QByteArrayView TByteReader::Take(qsizetype count, const char* what) {
  if (count < 0 || count > bytes_.size() - offset_) {
    throw TError("Unexpected end of data reading " + std::string(what) + " at offset " +
                 std::to_string(offset_));
  }
  const QByteArrayView part = bytes_.sliced(offset_, count);
  offset_ += count;
  return part;
}

int32_t TByteReader::Int32(const char* what) {
  const QByteArrayView part = Take(4, what);
  uint32_t bits = 0;
  for (int i = 3; i >= 0; --i) {
    bits = (bits << 8) | static_cast<uint8_t>(part[i]);
  }
  return static_cast<int32_t>(bits);
}

uint8_t TByteReader::Byte(const char* what) {
  return static_cast<uint8_t>(Take(1, what)[0]);
}

QImage TByteReader::Bitmap(const char* what) {
  const int32_t length = Int32(what);
  if (length < 0) throw TError("Negative bitmap length reading " + std::string(what));
  return WithContext(std::string(what), [&] { return ImageFromBmpBody(Take(length, what)); });
}

}  // namespace tavrik
