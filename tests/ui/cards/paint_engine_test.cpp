#include "ui/cards/paint_engine.h"

#include <gtest/gtest.h>

#include <QPainter>
#include <string>

#include "core/data_files.h"
#include "core/error.h"
#include "support/temp_folder.h"
#include "ui/cards/builtin_images.h"

namespace tavrik {
namespace {

// A synthetic deck whose every item has its own colour, so that a pixel tells which
// item of which strip was drawn there. Index cells 10 x 12 in two rows (black, red) or one
// row per suit, pips 8 x 9 (upper 4 rows and
// lower 5 rows in different colours, to tell the flipped strip), pictures coloured inside
// a white margin of 20 pixels.
const auto IndexColour = [](int rank, int row) { return qRgb(rank + 1, 0x10 + 0x30 * row, 0x20); };
const auto PipTop = [](int suit) { return qRgb(0x30, 0x30, 0x40 + suit); };
const auto PipBottom = [](int suit) { return qRgb(0x30, 0x60, 0x40 + suit); };
const auto PictureColour = [](int column) { return qRgb(0x90, column * 8, 0x70); };
const auto BackColour = [](int index) { return qRgb(0x11 * (index + 1), 0x22, 0x33); };
const QRgb White = qRgb(255, 255, 255);

TDeckHeader TestHeader(int all = 0) {
  return {
      .PicturePipX = 5, .PicturePipY = 20, .PipMarginX = 0, .PipMarginY = 0, .AllPictures = all};
}

void Fill(QImage& image, const QRect& area, QRgb colour) {
  QPainter(&image).fillRect(area, QColor(colour));
}

// The pixels of the 94 x 127 `image` that differ from expected(x, y).
template <class Expected>
int Differing(const QImage& image, Expected expected) {
  int count = 0;
  for (int y = 0; y < 127; ++y) {
    for (int x = 0; x < 94; ++x) count += image.pixel(x, y) != expected(x, y);
  }
  return count;
}

// The engine told of `count` problems, the first naming `file`.
void ExpectProblems(TPaintEngine& engine, size_t count, const std::string& file) {
  const auto problems = engine.TakeProblems();
  ASSERT_EQ(problems.size(), count);
  EXPECT_NE(problems.front().find(file), std::string::npos) << problems.front();
}

TDeckImages TestDeck(const TDeckHeader& header, int pictureMargin = 20) {
  TDeckImages deck;
  deck.Header = header;
  const int rows = header.IndexPerSuit != 0 ? 4 : 2;
  deck.RankStrip = QImage(130, rows * 12, QImage::Format_RGB32);
  for (int cell = 0; cell < 13 * rows; ++cell) {
    Fill(deck.RankStrip, {cell % 13 * 10, cell / 13 * 12, 10, 12},
         IndexColour(cell % 13, cell / 13));
  }
  deck.PipStrip = QImage(32, 9, QImage::Format_RGB32);
  for (int suit = 0; suit < 4; ++suit) {
    Fill(deck.PipStrip, {suit * 8, 0, 8, 4}, PipTop(suit));
    Fill(deck.PipStrip, {suit * 8, 4, 8, 5}, PipBottom(suit));
  }
  deck.PictureStrip = QImage(16 * 94, 127, QImage::Format_RGB32);
  deck.PictureStrip.fill(Qt::white);
  const int m = pictureMargin;
  for (int column = 0; column < 16; ++column) {
    Fill(deck.PictureStrip, QRect(column * 94, 0, 94, 127).adjusted(m, m, -m, -m),
         PictureColour(column));
  }
  return deck;
}

class TCountingEngine : public TPaintEngine {
 public:
  using TPaintEngine::TPaintEngine;
  void BuildBackImage() override {
    ++Builds;
    TPaintEngine::BuildBackImage();
  }
  void LayoutChanged() override { ++Loads; }
  int Builds = 0, Loads = 0;
};

// An engine on a temporary data folder holding the synthetic deck as "001".
class PaintEngineTest : public ::testing::Test {
 protected:
  void UseDeck(const TDeckHeader& header, int pictureMargin = 20) {
    WriteDeckFile(folder_.Path() / "deck.001", TestDeck(header, pictureMargin));
    engine_ = std::make_unique<TCountingEngine>(folder_.Path());
    engine_->SetDeck("001");
  }
  QImage Card(bool held, bool wild, int suit, int rank) {
    return engine_->CardImage(held, wild, suit, rank);
  }
  TempFolder folder_;
  std::unique_ptr<TCountingEngine> engine_;
};

TEST_F(PaintEngineTest, PipPositionsOfTheDefaultDeckAndOfShiftedRows) {
  TPaintEngine engine(TAVRIK_TEST_DATA_DIR);
  engine.SetDeck("001");
  // Index cells 18 x 24 at (3, 3), pips 14 x 16, pip margins 5 and -9:
  // xL = 18 + 3 + 5 = 26, xR = 94 - 14 - 26 = 54, xC = 40; yT = 24 + 3 - 9 = 18;
  // y3 = 18 + round(109 / 6 - 8) = 28; y4 = 18 + round(109 / 4 - 8) = 37;
  // y5 = 18 + round(91 / 3 - 8) = 40; y7 = 18 + round(37.5) = 56 (half to even).
  const std::pair<int, QPoint> expected[] = {
      {1, {26, 18}},  {2, {54, 18}},  {3, {40, 28}},  {4, {40, 37}},  {5, {26, 40}},
      {6, {54, 40}},  {7, {26, 56}},  {8, {40, 56}},  {9, {54, 56}},  {10, {26, 71}},
      {11, {54, 71}}, {12, {40, 74}}, {13, {40, 83}}, {14, {26, 93}}, {15, {54, 93}}};
  for (const auto& [pos, at] : expected) EXPECT_EQ(engine.PipPosition(pos), at) << pos;
  TDeckHeader header = TestHeader();
  header.Row3Shift = 2;
  header.Row5Shift = -1;
  UseDeck(header);
  // xL = 15, xR = 71, xC = 43, yT = 15; y3 = 15 + round(14.17) + 2 = 31;
  // y4 = 15 + round(23.5) = 39; y5 = 15 + round(27.83) - 1 = 42; y7 = 15 + 44 = 59.
  const std::pair<int, QPoint> shifted[] = {
      {1, {15, 15}}, {3, {43, 31}},  {4, {43, 39}},  {5, {15, 42}},  {6, {71, 42}},
      {8, {43, 59}}, {10, {15, 76}}, {12, {43, 79}}, {13, {43, 87}}, {15, {71, 103}}};
  for (const auto& [pos, at] : shifted) EXPECT_EQ(engine_->PipPosition(pos), at) << pos;
}

TEST_F(PaintEngineTest, NumberCardsShowThePipsOfTheirPattern) {
  UseDeck(TestHeader());
  for (int rank = 0; rank <= 8; ++rank) {
    for (const int suit : {1, 2}) {
      const QImage card = Card(false, false, suit, rank);
      const std::string_view pattern = TPaintEngine::PipPattern(rank);
      for (int position = 1; position <= 15; ++position) {
        const QPoint at = engine_->PipPosition(position) + QPoint(3, 1);
        // Positions 7..15 come from the upside-down strip.
        const QRgb expected = pattern[static_cast<size_t>(position - 1)] != '*' ? White
                              : position <= 6                                   ? PipTop(suit)
                                                                                : PipBottom(suit);
        EXPECT_EQ(card.pixel(at), expected)
            << "rank " << rank << " suit " << suit << " position " << position;
      }
    }
  }
  EXPECT_THROW(TPaintEngine::PipPattern(9), TError);
  QImage canvas(94, 127, QImage::Format_RGB32);
  QPainter painter(&canvas);
  for (const auto& [suit, rank] : {std::pair{0, 13}, {0, -2}, {4, 3}, {-1, 3}}) {
    EXPECT_THROW(engine_->DrawCard(painter, canvas.rect(), false, false, suit, rank), TError)
        << suit << " " << rank;
  }
}

TEST_F(PaintEngineTest, IndexesAndPicturePipsFollowTheMirrorFlags) {
  struct TCase {
    const char* name;
    bool mirrorNumbers, mirrorPictures, mirrorAce, acePictureOnly, indexPerSuit;
    int rank, suit;
    bool secondIndex, pip, mirroredPip;
  };
  const TCase cases[] = {
      {"seven, numbers mirrored", true, true, true, true, false, 5, 0, true, true, true},
      {"seven, numbers single", false, true, true, true, false, 5, 2, false, true, false},
      {"king, pictures mirrored", true, true, true, true, false, 11, 3, true, true, true},
      {"king, pictures single", true, false, true, true, false, 11, 1, false, true, false},
      {"ace, picture only", true, true, true, true, false, 12, 0, true, false, false},
      {"ace with pips, single", true, true, false, false, false, 12, 2, false, true, false},
      {"ace with pips, mirrored", true, true, true, false, false, 12, 3, true, true, true},
      {"clubs seven, index row per suit", true, true, true, true, true, 5, 1, true, true, true},
      {"diamonds king, index row per suit", true, true, true, true, true, 11, 2, true, true, true}};
  for (const TCase& c : cases) {
    SCOPED_TRACE(c.name);
    TDeckHeader header = TestHeader();
    header.MirrorNumbers = c.mirrorNumbers;
    header.MirrorPictures = c.mirrorPictures;
    header.MirrorAce = c.mirrorAce;
    header.AcePictureOnly = c.acePictureOnly;
    header.IndexPerSuit = c.indexPerSuit ? 1 : 0;
    UseDeck(header);
    const QImage card = Card(false, false, c.suit, c.rank);
    const QRgb index = IndexColour(c.rank, c.indexPerSuit ? c.suit : c.suit / 2);
    // The index cell lies at (IndexX, IndexY); the second one ends IndexX, IndexY before
    // the right and bottom edges and comes from the turned strip.
    EXPECT_EQ(card.pixel(5 + 4, 3 + 5), index);
    EXPECT_EQ(card.pixel(94 - 10 - 5 + 4, 127 - 12 - 3 + 5), c.secondIndex ? index : White);
    EXPECT_EQ(card.pixel(5 + 3, 20 + 1), c.pip ? PipTop(c.suit) : White);
    EXPECT_EQ(card.pixel(94 - 8 - 5 + 3, 127 - 9 - 20 + 1),
              c.mirroredPip ? PipBottom(c.suit) : White);
  }
}

TEST_F(PaintEngineTest, PicturesComeFromTheirColumn) {
  // AllPictures, rank, suit, picture column. Groups of four per rank J, Q, K, A; clubs, spades,
  // diamonds, hearts within a group.
  const std::tuple<int, int, int, int> cases[] = {{0, 9, 0, 1},   {0, 9, 1, 0},   {0, 10, 1, 4},
                                                  {0, 11, 2, 10}, {0, 12, 3, 15}, {1, 5, 3, 3},
                                                  {1, 0, 0, 1},   {1, 12, 2, 2}};
  for (const auto& [allPictures, rank, suit, column] : cases) {
    UseDeck(TestHeader(allPictures));
    EXPECT_EQ(Card(false, false, suit, rank).pixel(47, 63), PictureColour(column))
        << "AllPictures " << allPictures << " rank " << rank << " suit " << suit;
  }
  // With AllPictures a seven has no pips; without, it has (position 14 lies outside the
  // picture's coloured area).
  for (const int allPictures : {0, 1}) {
    UseDeck(TestHeader(allPictures));
    const QPoint pip14 = engine_->PipPosition(14) + QPoint(3, 1);
    EXPECT_EQ(Card(false, false, 3, 5).pixel(pip14), allPictures == 1 ? White : PipBottom(3));
  }
}

TEST_F(PaintEngineTest, GlyphsAreAndedWithTheFace) {
  // Pictures without a margin cover the face's edge, which is not white.
  UseDeck(TestHeader(), 0);
  const QImage face = LoadCompressedImage("EMPTY");
  const QImage king = Card(false, false, 0, 11);  // picture column 8 + 1
  for (const QPoint at : {QPoint(0, 63), QPoint(93, 40), QPoint(47, 0)}) {
    ASSERT_NE(face.pixel(at), White);
    EXPECT_EQ(king.pixel(at), face.pixel(at) & PictureColour(9)) << at.x() << "," << at.y();
  }
}

TEST_F(PaintEngineTest, HeldMarkerCoversThirtyRowsFromRowEighty) {
  UseDeck(TestHeader());
  const QImage marker = LoadCompressedImage("HELD");
  ASSERT_EQ(marker.size(), QSize(94, 30));
  // Wild, suit, rank.
  for (const auto& [wild, suit, rank] :
       {std::tuple{false, 0, 3}, {false, 3, 10}, {true, 2, 0}, {true, -1, -1}}) {
    const QImage plain = Card(false, wild, suit, rank);
    const auto expected = [&](int x, int y) {
      const bool inMarker = y >= 80 && y < 110 && x >= 1 && x <= 92;
      return inMarker ? marker.pixel(x, y - 80) : plain.pixel(x, y);
    };
    EXPECT_EQ(Differing(Card(true, wild, suit, rank), expected), 0)
        << "wild " << wild << " rank " << rank;
  }
}

TEST_F(PaintEngineTest, WildCardsShowTheirIndexOnly) {
  UseDeck(TestHeader(1));  // not even a picture
  const QImage wildFace = LoadCompressedImage("WILD");
  EXPECT_EQ(Card(false, true, -1, -1), wildFace) << "a joker is the wild face alone";
  for (const int rank : {0, 11}) {
    const QRect index(5, 3, 10, 12), mirrored(94 - 10 - 5, 127 - 12 - 3, 10, 12);
    const auto expected = [&](int x, int y) {
      const bool inIndex = index.contains(x, y) || mirrored.contains(x, y);
      return wildFace.pixel(x, y) & (inIndex ? IndexColour(rank, 1) : White);
    };
    EXPECT_EQ(Differing(Card(false, true, 2, rank), expected), 0) << rank;
  }
}

TEST(PaintEngineDecks, MissingOrDamagedDecksFallBackToTheDefault) {
  TempFolder folder;
  const auto& path = folder.Path();
  TDeckHeader other = TestHeader();
  other.IndexX = 9;
  WriteDeckFile(path / "deck.001", TestDeck(TestHeader()));
  WriteDeckFile(path / "deck.005", TestDeck(other));
  WriteFileAtomically(path / "deck.006", "not a deck");

  // Deck asked for, deck loaded, its IndexX.
  const std::tuple<const char*, const char*, int> cases[] = {
      {"005", "005", 9}, {"404", "001", 5}, {"006", "001", 5}, {"001", "001", 5}};
  for (const auto& [request, loaded, indexX] : cases) {
    TCountingEngine engine(path);
    engine.SetDeck(request);
    EXPECT_EQ(engine.DeckId(), loaded) << request;
    EXPECT_EQ(engine.GetIndexX(), indexX) << request;
    EXPECT_EQ(engine.Loads, 1) << request;
    engine.SetDeck(request);
    EXPECT_EQ(engine.Loads, 1) << "asking again for " << request << " reloads nothing";
    EXPECT_EQ(&engine.ForPixels({400, 540}), &engine) << "a deck without a twin scales up";
  }

  // Header fields that would put an item outside the card refuse the deck, naming the
  // file and the field; the default deck is shown instead.
  const std::pair<int32_t TDeckHeader::*, int32_t> extremes[] = {
      {&TDeckHeader::IndexX, INT32_MAX},
      {&TDeckHeader::IndexY, INT32_MIN},
      {&TDeckHeader::IndexX, 85},
      {&TDeckHeader::PicturePipX, -1},
      {&TDeckHeader::PicturePipY, INT32_MAX},
      {&TDeckHeader::PipMarginX, INT32_MAX},
      {&TDeckHeader::PipMarginY, INT32_MIN + 1},
      {&TDeckHeader::PipMarginY, 110},
      {&TDeckHeader::Row3Shift, INT32_MIN},
      {&TDeckHeader::Row5Shift, 120},
      {&TDeckHeader::AllPictures, 7}};
  for (const auto& [field, value] : extremes) {
    SCOPED_TRACE(value);
    TDeckHeader header = TestHeader();
    header.*field = value;
    WriteDeckFile(path / "deck.007", TestDeck(header));
    TPaintEngine engine(path);
    engine.SetDeck("007");
    EXPECT_EQ(engine.DeckId(), "001");
    ExpectProblems(engine, 1, "deck.007");
  }

  // A damaged or missing default deck: the built-in faces, told once; a deck that loads
  // replaces them, and the engine never raises.
  WriteFileAtomically(path / "deck.001", "not a deck");
  for (const bool missing : {false, true}) {
    if (missing) std::filesystem::remove(path / "deck.001");
    TCountingEngine engine(path);
    for (const char* request : {"404", "001", "006"}) {
      ASSERT_NO_THROW(engine.SetDeck(request));
      EXPECT_EQ(engine.DeckId(), "001");
    }
    const QImage face = LoadCompressedImage("EMPTY");
    for (int card = 0; card < 52; ++card) {
      EXPECT_NE(engine.CardImage(false, false, card / 13, card % 13), face) << card;
    }
    EXPECT_TRUE(engine.UsesBuiltInDeck());
    ExpectProblems(engine, 2, "deck.001");  // deck.001 and deck.006, each once
    engine.SetDeck("005");
    EXPECT_EQ(engine.GetIndexX(), 9);
    EXPECT_FALSE(engine.UsesBuiltInDeck());
  }
}

TEST(PaintEngineBacks, BackIsTheFaceWithTheBackInsideItsEdge) {
  TempFolder folder;
  QImage strip(3 * 94, 127, QImage::Format_RGB32);
  for (int i = 0; i < 3; ++i) Fill(strip, {i * 94, 0, 94, 127}, BackColour(i));
  WriteBackFile(folder.Path() / "back.001", strip);
  TCountingEngine engine(folder.Path());
  const QImage face = LoadCompressedImage("EMPTY");
  for (const int index : {0, 2, 7}) {
    engine.SetBack(index);
    const QImage back = engine.BackImage();
    // Beyond the strip the back is the blank face.
    const QRgb inside = index < 3 ? BackColour(index) : White;
    EXPECT_EQ(back.pixel(47, 63), inside) << index;
    EXPECT_EQ(back.pixel(1, 1), face.pixel(1, 1) & inside) << index;
    for (const QPoint edge : {QPoint(0, 63), QPoint(93, 63), QPoint(47, 0), QPoint(47, 126)}) {
      EXPECT_EQ(back.pixel(edge), face.pixel(edge)) << index;
    }
  }
  EXPECT_EQ(engine.Builds, 3);
  engine.SetBack(7);
  engine.BackImage();
  EXPECT_EQ(engine.Builds, 3) << "the same index keeps the back image";

  // A damaged or missing backs file: a plain drawn back, told once.
  WriteFileAtomically(folder.Path() / "back.001", "not a backs file");
  for (const auto& data : {folder.Path(), folder.Path() / "nothing"}) {
    TPaintEngine noBacks(data);
    for (const int index : {0, 1}) {
      noBacks.SetBack(index);
      const QImage back = noBacks.BackImage();
      EXPECT_NE(back, face);
      EXPECT_EQ(back.pixel(47, 63), noBacks.BackImage().pixel(47, 63));
    }
    ExpectProblems(noBacks, 1, "back.001");
  }
}

TEST(PaintEngineDecks, EveryGeneratedDeckDrawsEveryCardAtEveryResolution) {
  TPaintEngine engine(TAVRIK_TEST_DATA_DIR);
  for (const char* id : {"001", "003", "011", "012"}) {
    engine.SetDeck(id);
    ASSERT_EQ(engine.DeckId(), id);
    // Card height asked for, scale of the art that draws it.
    for (const auto& [height, scale] : {std::pair(127, 1), std::pair(158, 1), std::pair(159, 2),
                                        std::pair(317, 2), std::pair(318, 4), std::pair(2000, 4)}) {
      TPaintEngine& art = engine.ForPixels({height * 3 / 4, height});
      ASSERT_EQ(art.Scale(), scale) << id << " " << height;
      ASSERT_EQ(art.DeckId(), id);
      ASSERT_EQ(QSize(art.CardWidth(), art.CardHeight()), scale * QSize(94, 127));
      for (int position = 1; position <= 15; ++position) {
        // A twin lays its pips out where the deck has them, at its scale.
        EXPECT_LE(
            (art.PipPosition(position) - scale * engine.PipPosition(position)).manhattanLength(),
            scale)
            << id << " " << scale << " " << position;
      }
      const QImage face = LoadCompressedImage("EMPTY" + TwinSuffix(scale));
      for (int card = 0; card < 52; ++card) {
        // Every card puts some ink on the blank face.
        EXPECT_NE(art.CardImage(false, false, card / 13, card % 13), face)
            << id << " " << scale << " " << card;
      }
    }
  }
}

}  // namespace
}  // namespace tavrik
