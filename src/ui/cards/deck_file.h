#pragma once

#include <QImage>
#include <QString>
#include <array>
#include <cstdint>
#include <filesystem>
#include <string>

namespace tavrik {

// The header of a deck file: 57 bytes, fields in this order, integers 32-bit
// little-endian signed, flags one byte (0 = false). The initialisers are the values a
// paint engine uses before any deck is loaded.
struct TDeckHeader {
  int32_t IndexX = 5;          // x of the corner index from the card's left edge
  int32_t IndexY = 3;          // y of the corner index from the card's top edge
  int32_t PicturePipX = 1;     // x of the suit pip on picture cards
  int32_t PicturePipY = 1;     // y of the suit pip on picture cards
  int32_t PipMarginX = -5;     // added to the outer pip columns
  int32_t PipMarginY = -5;     // added to the top pip row
  bool MirrorPictures = true;  // J, Q, K get the upside-down index and the mirrored pip
  bool MirrorAce = true;       // the ace gets the upside-down index and the mirrored pip
  bool AcePictureOnly = true;  // the ace is its picture alone, without pips
  int32_t Reserved1 = 0;       // kept, not used
  int32_t Row3Shift = 0;       // added to the y of pip positions 3 and 13
  int32_t Row5Shift = 0;       // added to the y of pip positions 5, 6, 10 and 11
  uint8_t IndexPerSuit = 0;    // 1: the rank strip has a row per suit, in suit order
  int32_t AllPictures = 0;     // 1: every natural card is drawn from the picture strip
  bool MirrorNumbers = true;   // number cards (two to ten) get the upside-down index
  int32_t Reserved3 = 0;       // kept, not used
  int32_t Reserved4 = 0;
  int32_t Reserved5 = 0;

  friend bool operator==(const TDeckHeader&, const TDeckHeader&) = default;
};

inline constexpr int DeckHeaderSize = 57;

// Large tables and high-density screens draw from twins of the card art at these
// multiples of its resolution: the deck and backs files of the data folder's subfolder
// TwinFolder(scale), and the table's built-in images under their names with
// TwinSuffix(scale).
inline constexpr std::array<int, 2> TwinScales = {2, 4};
// The small cards of the warning and errors windows have one twin, at this scale.
inline constexpr int SmallCardTwinScale = 2;
// "2x" for scale 2.
std::string TwinFolder(int scale);
// "_2X" for scale 2, empty for scale 1.
QString TwinSuffix(int scale);
// Pictures per deck: J, Q, K, A in groups of four, each group in the suit order clubs,
// spades, diamonds, hearts.
inline constexpr int PictureCount = 16;

// The content of a deck file after its header: three bitmaps.
struct TDeckImages {
  TDeckHeader Header;
  // 13 rank glyphs side by side (two .. ace), two rows: black glyphs above, red below; with
  // IndexPerSuit four rows, one per suit (spades, clubs, diamonds, hearts).
  QImage RankStrip;
  // 16 card-sized pictures side by side (see PictureCount).
  QImage PictureStrip;
  // Four suit pips side by side: spades, clubs, diamonds, hearts.
  QImage PipStrip;
};

// A deck file is one zlib stream holding the header and the three bitmaps, each stored as
// a 32-bit length and the bytes of a BMP file without "BM".
QByteArray EncodeDeck(const TDeckImages& deck);
// Raises TError when the data is not a deck file.
TDeckImages DecodeDeck(QByteArrayView file);
// Raises TError naming the first header field that would put an item of the deck outside a
// card of `card` size (corner indexes, picture pips, pip margins and row shifts) or that has
// no meaning (AllPictures other than 0 or 1), and when a strip is too small to hold its
// glyphs. Pip positions are checked by the paint engine, which lays them out.
void CheckDeckHeader(const TDeckImages& deck, QSize card);
// The deck of a file; raises TError (naming the file) when it cannot be read or decoded.
TDeckImages ReadDeckFile(const std::filesystem::path& path);
void WriteDeckFile(const std::filesystem::path& path, const TDeckImages& deck);

// The backs file holds one zlib stream: a 32-bit length and a BMP without "BM", the backs
// side by side, each one card wide.
QImage ReadBackStrip(const std::filesystem::path& path);
void WriteBackFile(const std::filesystem::path& path, const QImage& strip);

}  // namespace tavrik
