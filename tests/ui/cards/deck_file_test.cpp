#include "ui/cards/deck_file.h"

#include <gtest/gtest.h>

#include <set>
#include <string>

#include "back_art.h"
#include "core/data_files.h"
#include "core/error.h"
#include "deck_art.h"
#include "support/message_lines.h"
#include "support/temp_folder.h"
#include "ui/cards/bitmap_stream.h"

namespace tavrik {
namespace {

const std::filesystem::path DataFolder = TAVRIK_TEST_DATA_DIR;

QImage Solid(int width, int height, QRgb colour) {
  QImage image(width, height, QImage::Format_RGB32);
  image.fill(colour);
  return image;
}

// A header whose fields tell neighbouring offsets apart, with strips of their own colour.
TDeckImages SampleDeck() {
  TDeckImages deck;
  deck.Header = TDeckHeader{7,          -2, 11, 12,   -3, 4,     false, true, false,
                            0x01020304, -6, 9,  0xAB, 1,  false, -1,    77,   0x7FFFFFFF};
  deck.RankStrip = Solid(130, 24, qRgb(10, 20, 30));
  deck.PictureStrip = Solid(16 * 94, 127, qRgb(40, 50, 60));
  deck.PipStrip = Solid(36, 9, qRgb(70, 80, 90));
  return deck;
}

// The header's 57 bytes field by field, and a round trip through a file.
TEST(DeckFile, HeaderLayoutAndRoundTrip) {
  const QByteArray content = Inflate(EncodeDeck(SampleDeck()));
  const auto int32At = [&](int offset) {
    uint32_t bits = 0;
    for (int i = 3; i >= 0; --i) bits = bits << 8 | static_cast<uint8_t>(content[offset + i]);
    return static_cast<int32_t>(bits);
  };
  const std::pair<int, int32_t> int32s[] = {
      {0, 7},   {4, -2}, {8, 11}, {12, 12}, {16, -3}, {20, 4},         {27, 0x01020304},
      {31, -6}, {35, 9}, {40, 1}, {45, -1}, {49, 77}, {53, 0x7FFFFFFF}};
  for (const auto& [offset, value] : int32s) EXPECT_EQ(int32At(offset), value) << offset;
  // MirrorPictures, MirrorAce, AcePictureOnly, IndexPerSuit, MirrorNumbers.
  const std::pair<int, uint8_t> bytes[] = {{24, 0}, {25, 1}, {26, 0}, {39, 0xAB}, {44, 0}};
  for (const auto& [offset, value] : bytes) {
    EXPECT_EQ(static_cast<uint8_t>(content[offset]), value) << offset;
  }
  // The first bitmap follows at once: its length, then a BMP without "BM".
  const int32_t length = int32At(DeckHeaderSize);
  EXPECT_EQ(ImageFromBmpBody(content.mid(DeckHeaderSize + 4, length)).size(), QSize(130, 24));

  TempFolder folder;
  const TDeckImages deck = SampleDeck();
  WriteDeckFile(folder.Path() / "deck.123", deck);
  const TDeckImages back = ReadDeckFile(folder.Path() / "deck.123");
  EXPECT_EQ(back.Header, deck.Header);
  EXPECT_EQ(back.RankStrip, deck.RankStrip);
  EXPECT_EQ(back.PictureStrip, deck.PictureStrip);
  EXPECT_EQ(back.PipStrip, deck.PipStrip);
}

TEST(DeckFile, TruncatedOrMissingFilesRaiseNamingTheFile) {
  TempFolder folder;
  const QByteArray content = Inflate(EncodeDeck(SampleDeck()));
  // Cut inside the header, right after it, and inside the last bitmap.
  for (const qsizetype keep : {qsizetype(10), qsizetype(DeckHeaderSize), content.size() - 5}) {
    const auto path = folder.Path() / "deck.999";
    const QByteArray file = Deflate(content.left(keep));
    WriteFileAtomically(path, std::string_view(file.constData(), static_cast<size_t>(file.size())));
    const std::string message = RaisedMessage([&] { ReadDeckFile(path); });
    EXPECT_NE(message.find("deck.999"), std::string::npos) << keep << ": " << message;
  }
  EXPECT_THROW(ReadDeckFile(folder.Path() / "deck.404"), TError);
  EXPECT_THROW(ReadBackStrip(folder.Path() / "back.001"), TError);
}

TEST(DeckFile, GeneratedDecksMatchTheirStylesAndUseEveryFlag) {
  // Each of the mirror flags, AllPictures, the two row shifts and the index row per suit is
  // both off and on in some deck.
  std::set<int> seen[8];
  // The darkest colour of an area: a glyph's fill.
  const auto ink = [](const QImage& image, const QRect& area) {
    QRgb darkest = qRgb(255, 255, 255);
    for (int y = area.top(); y <= area.bottom(); ++y) {
      for (int x = area.left(); x <= area.right(); ++x) {
        if (qGray(image.pixel(x, y)) < qGray(darkest)) darkest = image.pixel(x, y);
      }
    }
    return darkest;
  };
  for (const art::TDeckStyle& style : art::DeckStyles()) {
    SCOPED_TRACE(style.Id.toStdString());
    const TDeckImages deck = ReadDeckFile(DataFolder / ("deck." + style.Id.toStdString()));
    const TDeckHeader& h = deck.Header;
    EXPECT_EQ(h, style.Header);
    const int rows = h.IndexPerSuit != 0 ? 4 : 2;
    EXPECT_EQ(deck.RankStrip.size(), QSize(13 * style.RankWidth, rows * style.RankHeight));
    EXPECT_EQ(deck.PictureStrip.size(), QSize(PictureCount * 94, 127));
    EXPECT_EQ(deck.PipStrip.size(), QSize(4 * style.PipWidth, style.PipHeight));
    const int flags[] = {h.MirrorPictures, h.MirrorAce,      h.AcePictureOnly, h.MirrorNumbers,
                         h.AllPictures,    h.Row3Shift != 0, h.Row5Shift != 0, h.IndexPerSuit};
    for (size_t i = 0; i < 8; ++i) seen[i].insert(flags[i]);
    // With a row per suit every index wears its suit's pip colour.
    for (int suit = 0; suit < 4 && rows == 4; ++suit) {
      for (const int rank : {0, 8, 12}) {
        EXPECT_EQ(
            ink(deck.RankStrip, QRect(rank * style.RankWidth, suit * style.RankHeight,
                                      style.RankWidth, style.RankHeight)),
            ink(deck.PipStrip, QRect(suit * style.PipWidth, 0, style.PipWidth, style.PipHeight)))
            << "suit " << suit << " rank " << rank;
      }
    }
  }
  EXPECT_EQ(art::DeckStyles().front().Id, "001");
  for (const std::set<int>& values : seen) EXPECT_EQ(values, (std::set<int>{0, 1}));
}

TEST(DeckFile, GeneratedBacksAreFifteenDistinctCardWideImages) {
  const QImage strip = ReadBackStrip(DataFolder / "back.001");
  ASSERT_EQ(strip.size(), QSize(art::BackCount * 94, 127));
  std::set<QByteArray> seen;
  for (int i = 0; i < art::BackCount; ++i) {
    const QImage back = strip.copy(i * 94, 0, 94, 127);
    seen.insert(QByteArray(reinterpret_cast<const char*>(back.constBits()), back.sizeInBytes()));
  }
  EXPECT_EQ(seen.size(), 15u);
}

}  // namespace
}  // namespace tavrik
