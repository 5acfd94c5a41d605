#pragma once

#include "game/preferences.h"

class QWidget;

namespace tavrik {

// Asks for a confirmation captioned by the menu item `menuKey` with the text `messageKey`
// of "Main.ConfirmMessages", Cancel the default; true on OK.
bool ConfirmBox(const TPreferences& preferences, const char* menuKey, const char* messageKey,
                QWidget* parent);
// The about box: version, the libraries in the program and their licences, the data
// folder.
void ShowAboutBox(const TPreferences& preferences, QWidget* parent);

}  // namespace tavrik
