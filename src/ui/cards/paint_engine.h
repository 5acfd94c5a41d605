#pragma once

#include <QImage>
#include <QPixmap>
#include <QPoint>
#include <QRect>
#include <QString>
#include <array>
#include <filesystem>
#include <memory>
#include <set>
#include <string>
#include <string_view>
#include <vector>

#include "ui/cards/deck_file.h"

class QPainter;

namespace tavrik {

// The folder of the deck files and the backs file: "data" beside the executable.
std::filesystem::path CardDataFolder();

// `image` to be shown at `pixels` device pixels on a screen with `ratio` device pixels per
// point: smoothly scaled unless it has that size already.
QPixmap DevicePixmap(const QImage& image, QSize pixels, qreal ratio);

// The default deck, used when a requested deck cannot be loaded.
inline constexpr std::string_view DefaultDeckId = "001";

// Composes the table cards at drawing time from the blank face, the glyphs of a deck file
// (corner indexes, suit pips, pictures), a pip layout computed from the glyph sizes, and
// the held and wild overlays; composes card backs from the blank face and one back of the
// backs file.
//
// Deck glyphs are combined with the face by a bitwise AND of colours (a white glyph
// background leaves the face as it is); faces, backs and markers are copied. The painter
// handed to the drawing operations must draw on a raster image (Format_RGB32 or
// ARGB32_Premultiplied) or a widget backed by one, so that the AND works.
class TPaintEngine {
 public:
  // Loads the built-in face, held marker and wild face (raises TError when they are
  // missing). No deck is loaded yet; the deck header has its default values. With a `scale`
  // of TwinScales the engine draws from the twins of the art at that resolution: the
  // built-in images of that size, and the deck and backs files of `dataFolder`, which is
  // then the twins' folder.
  explicit TPaintEngine(std::filesystem::path dataFolder = CardDataFolder(), int scale = 1);
  virtual ~TPaintEngine() = default;
  TPaintEngine(const TPaintEngine&) = delete;
  TPaintEngine& operator=(const TPaintEngine&) = delete;

  // Builds the back image of BackIndex: the blank face with the back's area of the backs
  // file ANDed into it inside a one-pixel border. Reads the backs file each time; when it
  // cannot be read, the back is a plain drawn one and the problem is kept (TakeProblems).
  virtual void BuildBackImage();
  virtual int GetIndexX() const { return header_.IndexX; }
  virtual int GetIndexY() const { return header_.IndexY; }
  // Called after each deck load.
  virtual void LayoutChanged() {}
  // Copies the back image (built first when there is none) to the rectangle's top-left.
  virtual void DrawBack(QPainter& canvas, const QRect& rect);

  // Loads deck `id` (three digits) from "deck.<id>" in the data folder. Nothing happens
  // when `id` is the loaded deck. A deck whose file is missing or cannot be used is
  // replaced by deck "001", and that by the built-in faces (BuiltInDeck); DeckId() is then
  // "001". Never raises: a damaged file, and a missing "001", are kept as problems.
  void SetDeck(const QString& id);
  // The problems met since the last call, one message per file, each file told once in the
  // engine's life.
  std::vector<std::string> TakeProblems();
  // Selects back `index` (0 = the first back of the backs file). The back image is
  // rebuilt at the next DrawBack only when the index changes.
  void SetBack(int index);

  // Draws a card with its top-left corner at the rectangle's top-left; mirrored items are
  // placed from the rectangle's right and bottom edges, so callers pass a rectangle of
  // CardWidth x CardHeight. rank 0..12 (two .. ace) with suit 0..3 (spades, clubs,
  // diamonds, hearts), or rank -1 for a joker (suit ignored). A wild card is the wild face
  // with its corner index only. The corner index comes from the rank strip's row of the
  // suit's colour (or of the suit itself when the deck has an index row per suit); number
  // and picture cards show their suit's pip under it, mirrored as the index is. The held
  // marker covers rows 80 .. 80 + its height.
  // Raises TError for any other rank or suit.
  void DrawCard(QPainter& canvas, const QRect& rect, bool held, bool wild, int suit, int rank);

  // A CardWidth x CardHeight RGB32 image of one card, drawn by DrawCard.
  QImage CardImage(bool held, bool wild, int suit, int rank);
  // A CardWidth x CardHeight RGB32 image of the current back, drawn by DrawBack.
  QImage BackImage();

  // The engine that draws best for cards shown at `pixels` (device pixels): this one, or,
  // for cards well larger than the deck, the smallest twin at a higher resolution (showing
  // the same deck and back) that comes near that size and holds the deck. Images from any
  // of them are scaled to `pixels` smoothly.
  TPaintEngine& ForPixels(QSize pixels);
  // Pixels per unit of the card layout: 1, or one of TwinScales for a twin.
  int Scale() const { return scale_; }

  int CardWidth() const { return cardWidth_; }
  int CardHeight() const { return cardHeight_; }
  // The loaded deck; empty before the first SetDeck.
  const QString& DeckId() const { return deckId_; }
  // Whether the built-in faces are shown because no deck file could be used.
  bool UsesBuiltInDeck() const { return builtIn_; }
  int BackIndex() const { return backIndex_; }
  const TDeckHeader& Header() const { return header_; }
  // Pip position 1..15 relative to the card's top-left corner, as laid out for the
  // loaded deck.
  QPoint PipPosition(int position) const;

  // For ranks 0..8 (two .. ten): fifteen characters, a '*' at character i (1-based)
  // puts a pip at position i.
  static std::string_view PipPattern(int rank);

  // The back image for `index` from a blank face and a strip of backs, each back
  // face.width() wide; a back beyond the strip leaves the face blank.
  static QImage ComposeBack(const QImage& face, const QImage& strip, int index);

 protected:
  // Reads the deck file, checks its header and pip layout against the card, makes the
  // rotated rank strip and the flipped pip strip, lays out the pips and calls
  // LayoutChanged. Raises TError and keeps the old deck when the file cannot be read or
  // would draw off the card.
  void LoadDeck(const std::filesystem::path& path);
  const std::filesystem::path& DataFolder() const { return dataFolder_; }

 private:
  void UseDeck(TDeckImages deck);
  // Pip positions 1..15 (index 0 unused) of a deck on this engine's card.
  std::array<QPoint, 16> PipLayout(const TDeckImages& deck) const;
  void TellOnce(const std::filesystem::path& file, const std::string& message);
  void DrawPicture(QPainter& canvas, int x, int y, int right, int bottom, int suit, int rank);
  // The suit's pip under the corner index and, when `mirrored`, its upside-down twin.
  void DrawCornerPips(QPainter& canvas, int x, int y, int right, int bottom, int suit,
                      bool mirrored);

  std::filesystem::path dataFolder_;
  int scale_ = 1;
  std::array<std::unique_ptr<TPaintEngine>, TwinScales.size()> twins_;
  TDeckHeader header_;
  int cardWidth_ = 0;
  int cardHeight_ = 0;
  QImage face_;
  QImage heldMarker_;
  QImage wildFace_;
  QString deckId_;
  QImage rankStrip_;
  QImage rankStripRotated_;
  QImage pictureStrip_;
  QImage pipStrip_;
  QImage pipStripFlipped_;
  // Index 0 unused; positions 1..15.
  std::array<QPoint, 16> pipPositions_{};
  int backIndex_ = 0;
  QImage backImage_;
  std::vector<std::string> problems_;
  std::set<std::string> toldFiles_;
  bool builtIn_ = false;
};

}  // namespace tavrik
