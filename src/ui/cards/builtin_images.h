#pragma once

#include <QImage>
#include <QString>

#include "ui/cards/deck_file.h"

namespace tavrik {

// The images built into the program, under ":/images/<name>".
// "EMPTY" (the blank card face, 94 x 127), "HELD" (the held marker, 94 x 30) and "WILD"
// (the face of a wild card, 94 x 127) are stored in compressed form (see
// ImageFromCompressed); the small-card images "S_FACE", "S_SUIT1", "S_SUIT2", "S_RANKS",
// "S_HELD", "S_HELD1", "S_WILD" and "S_JOKER" as a BMP without "BM".
// Both raise TError when the image is missing or damaged. Images come back as RGB32.
QImage LoadCompressedImage(const QString& name);
QImage LoadUncompressedImage(const QString& name);

// The faces built into the program, for when no deck file can be read: the small cards'
// rank glyphs and suit pips, pictures that are a large pip of their suit on white.
TDeckImages BuiltInDeck();
// A plain back drawn on the blank `face`, for when the backs file cannot be read.
QImage PlainBack(const QImage& face);

}  // namespace tavrik
