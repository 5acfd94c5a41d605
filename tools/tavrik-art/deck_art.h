#pragma once

#include <QColor>
#include <QImage>
#include <QString>
#include <array>
#include <vector>

#include "court_art.h"
#include "ui/cards/deck_file.h"

namespace tavrik::art {

// Card size of every deck, in units of the art.
inline constexpr int CardWidth = 94;
inline constexpr int CardHeight = 127;

// Pixels per unit: 1 for the files the program ships, one of TwinScales for their twins.
// Every image of the art comes from NewImage, so that one drawing serves them all.
void SetPixelScale(int scale);
int PixelScale();
// A `colour` RGB32 image of width x height units at the pixel scale; a painter on it draws
// in units.
QImage NewImage(int width, int height, const QColor& colour = Qt::white);

// How one deck looks; DrawDeck turns it into the deck file's images.
struct TDeckStyle {
  QString Id;  // three digits, the file is "deck.<Id>"
  TDeckHeader Header;
  QString IndexFontFile;  // a font file of /usr/share/fonts
  int RankWidth = 14;     // one corner-index cell
  int RankHeight = 20;
  double GlyphHeight = 14;  // height of a capital letter or digit in pixels
  int PipWidth = 16;        // one pip cell
  int PipHeight = 18;
  double PipInset = 1.0;   // blank margin around the pip symbol
  QColor BlackIndex;       // corner index of spades and clubs
  QColor RedIndex;         // corner index of diamonds and hearts
  TPictureStyle Pictures;  // colours of pictures and pips
  QRect CourtFrame;        // frame of court and season pictures
  QRect AceArea;           // area of the ace's symbol
  bool Seasons = false;    // the picture strip holds season scenes instead of courts
};

// Every deck the program ships, the default deck "001" first.
std::vector<TDeckStyle> DeckStyles();

// The images of a deck at the pixel scale (header offsets scaled too); raises TError when a
// font cannot be loaded.
TDeckImages DrawDeck(const TDeckStyle& style);

// The family name of a font file, loading it into the application once.
QString LoadFontFile(const QString& file);

}  // namespace tavrik::art
