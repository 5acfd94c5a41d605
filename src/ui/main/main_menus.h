#pragma once

#include <array>

#include "game/preferences.h"

class QAction;
class QMenu;
class QMenuBar;

namespace tavrik {

class TfTavrik20Main;
class TGameEngine;

// The main window's menu bar: its items, what each one asks of the window, their texts in
// the player's language, and their checks and enabled states from the game engine.
struct TMainMenus {
  // Adds the menus to the window's menu bar and connects each item to the window.
  void Create(TfTavrik20Main& window);
  // The items' texts in the player's language.
  void ApplyLanguage(const TPreferences& preferences);
  // Checks the game, mode and options played, names the player's paytable in the Game
  // menu, and enables what the engine allows now.
  void Sync(const TGameEngine& engine, const TPreferences& preferences);

  QMenu* miGame = nullptr;
  std::array<QAction*, 9> GameItems{};  // by game index
  QAction* miSelectVP = nullptr;
  QAction* miAnalyseHand = nullptr;
  QMenu* miMode = nullptr;
  std::array<QAction*, 4> ModeItems{};  // AutoHold, Training, RealPlay, PlayErrorHands
  QAction* miShowResultHands = nullptr;
  QAction* miShowWarnings = nullptr;
  QMenu* miStatistics = nullptr;
  QAction* miAllHands = nullptr;
  QAction* miShowStats = nullptr;
  QAction* miShowCharts = nullptr;
  QAction* miShowErrors = nullptr;
  QAction* miShowStrategy = nullptr;
  QAction* miResetBalance = nullptr;
  QMenu* miClearLog = nullptr;
  QAction* miClearAllRecords = nullptr;
  QAction* miClearByFilter = nullptr;
  QMenu* miPreferences = nullptr;
  QAction* miChangePreferences = nullptr;
  QAction* miSelectDeck = nullptr;
  QAction* miSelectBack = nullptr;
  QMenu* miHelp = nullptr;
  QAction* miHelpGetStart = nullptr;
  QAction* miShowHelp = nullptr;
  QAction* miAbout = nullptr;
  QAction* miQuit = nullptr;
};

}  // namespace tavrik
