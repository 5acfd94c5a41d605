#pragma once

#include <QList>
#include <QRect>
#include <string>

#include "game/ini_file.h"

class QWidget;

namespace tavrik {

// The settings section of a window's placement on the current screen: placements are kept
// per screen size, "<name> <width>#<height>".
std::string PlacementSectionName(const char* name);
// Moves and sizes `window` as saved, the size within its minimum and maximum; keys that are
// missing keep the current bounds. A position off every screen is brought back onto the
// nearest one (see PlaceOnScreens).
void LoadPlacement(QWidget& window, const TIniFile& settings, const char* name);
// `window` moved onto one of `screens` (their available areas): the screen it overlaps most,
// else the one nearest to its centre. It lies whole on that screen where it fits, else its
// top-left corner is on it. Unchanged when there is no screen.
QRect PlaceOnScreens(const QRect& window, const QList<QRect>& screens);
void SavePlacement(const QWidget& window, TIniFile& settings, const char* name);

}  // namespace tavrik
