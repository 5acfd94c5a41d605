#pragma once

#include <QColor>
#include <QImage>
#include <QRect>
#include <array>

namespace tavrik::art {

// Colours of the court figures of one suit.
struct TCourtPalette {
  QColor Robe;    // main garment
  QColor Trim;    // placket, sleeves, veil
  QColor Panel;   // background inside the frame
  QColor Emblem;  // the suit symbol on the chest
  QColor Sash;    // the band across the middle line
};

// Colours shared by every picture of a deck.
struct TPictureStyle {
  QColor Frame = QColor(0x20, 0x20, 0x20);  // outer frame line
  QColor Gold = QColor(0xD9, 0xA4, 0x1E);   // crowns, inner frame line, ornaments
  QColor Ink = QColor(0x1C, 0x1C, 0x1C);    // outlines
  QColor Skin = QColor(0xF4, 0xD3, 0xB0);
  std::array<TCourtPalette, 4> Suits;  // by suit 0..3
  std::array<QColor, 4> SuitColours;   // pip colours by suit
};

// A card-sized picture (white outside `frame`) of a jack (rank 9), queen (10) or king (11):
// a framed double-ended figure, the upper half drawn and the lower half its copy turned
// by 180 degrees.
QImage DrawCourt(QSize card, const QRect& frame, int rank, int suit, const TPictureStyle& style);

// A card-sized picture of an ace: a large ornamented suit symbol in the middle of `area`.
QImage DrawAce(QSize card, const QRect& area, int suit, const TPictureStyle& style);

// A card-sized picture of a season inside `frame`: spades winter, clubs spring, diamonds
// autumn, hearts summer.
QImage DrawSeason(QSize card, const QRect& frame, int suit, const TPictureStyle& style);

}  // namespace tavrik::art
