#pragma once

#include <string>

#include "game/ini_file.h"

class QWidget;

namespace tavrik {

// The settings section of a window's placement on the current screen: placements are kept
// per screen size, "<name> <width>#<height>".
std::string PlacementSectionName(const char* name);
// Moves and sizes `window` as saved, the size within its minimum and maximum; keys that are
// missing keep the current bounds.
void LoadPlacement(QWidget& window, const TIniFile& settings, const char* name);
void SavePlacement(const QWidget& window, TIniFile& settings, const char* name);

}  // namespace tavrik
