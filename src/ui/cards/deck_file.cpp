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

void CheckDeckHeader(const TDeckImages& deck, QSize card) {
  const TDeckHeader& h = deck.Header;
  // The rank strip holds a row per colour, or a row per suit when IndexPerSuit is 1.
  const int rankRows = h.IndexPerSuit == 1 ? 4 : 2;
  const int rw = deck.RankStrip.width() / 13;
  const int rh = deck.RankStrip.height() / rankRows;
  const int pw = deck.PipStrip.width() / 4;
  const int ph = deck.PipStrip.height();
  const auto require = [](bool ok, const std::string& what) {
    if (!ok) throw TError(what);
  };
  require(rw > 0 && rh > 0 && rw <= card.width() && rh <= card.height(),
          "The rank strip does not hold 13 x " + std::to_string(rankRows) +
              " glyphs that fit on a card");
  require(pw > 0 && ph > 0 && pw <= card.width() && ph <= card.height(),
          "The pip strip does not hold 4 pips that fit on a card");
  require(deck.PictureStrip.height() > 0 && deck.PictureStrip.width() > 0,
          "The picture strip is empty");
  const auto within = [&](const char* field, int32_t value, int low, int high) {
    require(value >= low && value <= high, std::string(field) + " is " + std::to_string(value) +
                                               "; it must be " + std::to_string(low) + " to " +
                                               std::to_string(high) + " for this deck");
  };
  within("IndexX", h.IndexX, 0, card.width() - rw);
  within("IndexY", h.IndexY, 0, card.height() - rh);
  within("PicturePipX", h.PicturePipX, 0, card.width() - pw);
  within("PicturePipY", h.PicturePipY, 0, card.height() - ph);
  within("PipMarginX", h.PipMarginX, -card.width(), card.width());
  within("PipMarginY", h.PipMarginY, -card.height(), card.height());
  within("Row3Shift", h.Row3Shift, -card.height(), card.height());
  within("Row5Shift", h.Row5Shift, -card.height(), card.height());
  within("AllPictures", h.AllPictures, 0, 1);
  within("IndexPerSuit", h.IndexPerSuit, 0, 1);
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

std::string TwinFolder(int scale) {
  return std::to_string(scale) + "x";
}

QString TwinSuffix(int scale) {
  return scale == 1 ? QString() : QString("_%1X").arg(scale);
}

}  // namespace tavrik
