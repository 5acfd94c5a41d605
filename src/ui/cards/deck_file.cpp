#include "ui/cards/deck_file.h"

#include <string>

#include "core/data_files.h"
#include "core/error.h"
#include "ui/cards/bitmap_stream.h"

namespace tavrik {

namespace {

QByteArray ReadFileOrRaise(const std::filesystem::path& path) {
  const auto content = ReadWholeFile(path);
  if (!content) throw TError("Cannot open " + path.string());
  return QByteArray(content->data(), static_cast<qsizetype>(content->size()));
}

void WriteFile(const std::filesystem::path& path, const QByteArray& bytes) {
  WriteFileAtomically(path, std::string_view(bytes.constData(), static_cast<size_t>(bytes.size())));
}

}  // namespace

QByteArray EncodeDeck(const TDeckImages& deck) {
  const TDeckHeader& h = deck.Header;
  TByteWriter writer;
  writer.Int32(h.IndexX);
  writer.Int32(h.IndexY);
  writer.Int32(h.PicturePipX);
  writer.Int32(h.PicturePipY);
  writer.Int32(h.PipMarginX);
  writer.Int32(h.PipMarginY);
  writer.Byte(h.MirrorPictures ? 1 : 0);
  writer.Byte(h.MirrorAce ? 1 : 0);
  writer.Byte(h.AcePictureOnly ? 1 : 0);
  writer.Int32(h.Reserved1);
  writer.Int32(h.Row3Shift);
  writer.Int32(h.Row5Shift);
  writer.Byte(h.IndexPerSuit);
  writer.Int32(h.AllPictures);
  writer.Byte(h.MirrorNumbers ? 1 : 0);
  writer.Int32(h.Reserved3);
  writer.Int32(h.Reserved4);
  writer.Int32(h.Reserved5);
  writer.Bitmap(deck.RankStrip);
  writer.Bitmap(deck.PictureStrip);
  writer.Bitmap(deck.PipStrip);
  return Deflate(writer.Bytes());
}

TDeckImages DecodeDeck(QByteArrayView file) {
  const QByteArray content = Inflate(file);
  TByteReader reader(content);
  TDeckImages deck;
  TDeckHeader& h = deck.Header;
  h.IndexX = reader.Int32("IndexX");
  h.IndexY = reader.Int32("IndexY");
  h.PicturePipX = reader.Int32("PicturePipX");
  h.PicturePipY = reader.Int32("PicturePipY");
  h.PipMarginX = reader.Int32("PipMarginX");
  h.PipMarginY = reader.Int32("PipMarginY");
  h.MirrorPictures = reader.Byte("MirrorPictures") != 0;
  h.MirrorAce = reader.Byte("MirrorAce") != 0;
  h.AcePictureOnly = reader.Byte("AcePictureOnly") != 0;
  h.Reserved1 = reader.Int32("header");
  h.Row3Shift = reader.Int32("Row3Shift");
  h.Row5Shift = reader.Int32("Row5Shift");
  h.IndexPerSuit = reader.Byte("IndexPerSuit");
  h.AllPictures = reader.Int32("AllPictures");
  h.MirrorNumbers = reader.Byte("MirrorNumbers") != 0;
  h.Reserved3 = reader.Int32("header");
  h.Reserved4 = reader.Int32("header");
  h.Reserved5 = reader.Int32("header");
  deck.RankStrip = reader.Bitmap("RankStrip");
  deck.PictureStrip = reader.Bitmap("PictureStrip");
  deck.PipStrip = reader.Bitmap("PipStrip");
  return deck;
}

TDeckImages ReadDeckFile(const std::filesystem::path& path) {
  return WithContext("Reading deck file " + path.string(),
                     [&] { return DecodeDeck(ReadFileOrRaise(path)); });
}

void WriteDeckFile(const std::filesystem::path& path, const TDeckImages& deck) {
  WithContext("Writing deck file " + path.string(), [&] { WriteFile(path, EncodeDeck(deck)); });
}

QImage ReadBackStrip(const std::filesystem::path& path) {
  return WithContext("Reading backs file " + path.string(), [&] {
    const QByteArray content = Inflate(ReadFileOrRaise(path));
    TByteReader reader(content);
    return reader.Bitmap("BackStrip");
  });
}

void WriteBackFile(const std::filesystem::path& path, const QImage& strip) {
  WithContext("Writing backs file " + path.string(), [&] {
    TByteWriter writer;
    writer.Bitmap(strip);
    WriteFile(path, Deflate(writer.Bytes()));
  });
}

}  // namespace tavrik
