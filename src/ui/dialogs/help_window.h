#pragma once

#include <QString>
#include <filesystem>

#include "game/preferences.h"

class QWidget;

namespace tavrik {

// The help contexts: every window opens its page by one of these numbers.
enum HelpContext : int {
  HelpMainWindow = 100,
  HelpStatistics = 200,
  HelpCharts = 300,
  HelpErrors = 400,
  HelpClearStatistics = 500,
  HelpPreferences = 600,
  HelpPokerChoice = 700,
  HelpPokerEdit = 800,
  HelpGettingStarted = 1000,
  HelpAllHands = 1100,
  HelpDeckDialog = 1200,
  HelpBackDialog = 1300,
  HelpWarning = 1400,
  HelpAnalyser = 1500,
  HelpStrategy = 1600,
};

// The page name of a help context (100 "main", 1000 "howtoplay", 1100 "allhands", ...);
// empty for an unknown context.
QString HelpTopic(int context);

// The page of a help context in `folder`: <folder>/<topic>.html; empty for an unknown
// context.
std::filesystem::path HelpPage(int context, const std::filesystem::path& folder);

// Shows the page of a help context in the program's help window (one window, reused),
// beside the window of `parent` and above it, wholly on the screen. Esc closes it; its
// title follows the page shown. Without the help folder beside the program it says that
// help is not installed; an unknown context does nothing.
void ShowHelpTopic(int context, const TPreferences& preferences, QWidget* parent,
                   const std::filesystem::path& folder = TPreferences::HelpFolder());

}  // namespace tavrik
