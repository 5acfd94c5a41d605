#pragma once

#include <QEvent>
#include <QMainWindow>
#include <QSet>
#include <QSize>
#include <array>
#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "game/game_engine.h"
#include "game/game_windows.h"
#include "game/preferences.h"
#include "ui/cards/paint_engine.h"
#include "ui/dialogs/help_window.h"
#include "ui/dialogs/preferences_texts.h"
#include "ui/main/card_look.h"
#include "ui/main/card_row.h"
#include "ui/main/engine_windows.h"
#include "ui/main/info_column.h"
#include "ui/main/main_menus.h"
#include "ui/main/paytable_grid.h"

namespace tavrik {

class TGradientLabel;

// The main window: the game's title over the paytable grid and the card row, the info
// column at the right, and the menus. It owns the game engine and the paint engine, lays
// the widgets out (the whole table scales with the window), turns clicks, keys and menu
// choices into engine commands and redraws from the engine's queries.
class TfTavrik20Main : public QMainWindow {
  Q_OBJECT

 public:
  static constexpr QSize MinimumWindowSize{450, 440};
  static constexpr QSize InitialWindowSize{676, 520};
  // The table's area at scale 1: the initial window without its menu bar. A larger area
  // scales headers, fonts, the info column and the grid's font by the smaller of its
  // width and height ratios; the cards take what the width and 45% of the height allow.
  static constexpr QSize BaseTableSize{676, 496};
  static constexpr const char* PlacementSection = "MainWindow";

  // Creates the game engine over `preferences` (which must outlive the window) and the
  // paint engine over the deck files of `dataFolder`, reads the placement, deck and back.
  explicit TfTavrik20Main(TPreferences& preferences,
                          const std::filesystem::path& dataFolder = CardDataFolder(),
                          QWidget* parent = nullptr);
  // Collects the open round, saves the placement, deck and back, and frees the game
  // engine (which saves its settings into the preferences). Opens no window: problems go
  // to standard error and are told at the next start.
  ~TfTavrik20Main() override;
  // Closes the window as the player would, but without asking or telling anything: the
  // program ends on a signal.
  void CloseOnSignal();

  // Player actions, as the buttons, keys and menus call them. While a dealing sequence
  // runs, the play actions are ignored; each does nothing when the engine does not allow it.
  void btnDealClick();
  void btnHintClick();
  void btnDoubleUpClick();
  // A click on the card at position 0..4: a hold in state Dealt, a pick in DoubleUp.
  void ToggleCard(int position);
  // Takes bet 1..5 between rounds; returns whether it was taken.
  bool ChangeBet(int bet);
  // Game 0..8 with its first paytable.
  void SelectGame(int gameType);
  void SelectMode(GameMode mode);
  // Flips an option and updates the menu.
  void ToggleOption(GameOption option);
  void lCoinCostClick();
  void miAllHandsClick();
  void miShowStatsClick();
  // Asks for a confirmation captioned by the menu item `menuKey` with the text `messageKey`
  // of "Main.ConfirmMessages"; true on OK.
  bool Confirm(const char* menuKey, const char* messageKey);
  // Asks for a confirmation, then deletes every record of the hand log.
  void miClearAllRecordsClick();
  // The deck dialog, with a line over it saying why when it was not asked for.
  void miSelectDeckClick(const QString& reason = {});
  void miSelectBackClick();
  // The about box: version, the libraries in the program and their licences, the data
  // folder.
  void miAboutClick();
  // Between rounds, opens the paytable chooser; the grid and cards follow a new choice.
  void miSelectVPClick();
  // Asks for a confirmation, then collects a drawn round and starts a new session.
  void ResetBalance();

  void RefreshInfo();
  void ApplyLanguage();
  void ShowHelp(HelpContext context);

  TGameEngine& Engine() { return *engine_; }
  const TPreferences& Preferences() const { return preferences_; }
  TPaintEngine& PaintEngine() { return cardLook_->Engine(); }
  const TCardLook& CardLook() const { return *cardLook_; }
  // Whether a dealing sequence is under way.
  bool IsDealing() const { return CardRow->IsRunning(); }

  // Controls, by their names in the window's design.
  TGradientLabel* lPokerName = nullptr;
  TPaytableGrid* PayoutGrid = nullptr;
  TCardRow* CardRow = nullptr;
  TInfoColumn* Info = nullptr;

  TMainMenus Menus;

 protected:
  bool event(QEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;
  // Play keys act when released, and only when this window saw them pressed: a key that
  // closed a dialog or a menu never reaches the table.
  void keyReleaseEvent(QKeyEvent* event) override;
  bool eventFilter(QObject* watched, QEvent* event) override;
  // Collects the open round and writes the settings file; when that fails, the player is
  // told before the window goes.
  void closeEvent(QCloseEvent* event) override;

 private:
  void CreateControls();
  // Places the title, grid, card row and info column over the central widget's area.
  void LayOut();
  // The placement, deck and back.
  void SaveSettings();
  // Collects the round and writes every setting to the file; problems go to the windows.
  void SaveAll();
  void SyncMenus();
  void RebuildGrid();
  QString MessageText(const char* key) const;
  // The keys of play: 1..5, Space, H, D, +, = and -.
  static bool IsPlayKey(int key);

  TPreferences& preferences_;
  TPreferencesTexts texts_;
  std::filesystem::path dataFolder_;
  TEngineWindows windows_{preferences_, *this};
  std::unique_ptr<TCardLook> cardLook_;
  std::unique_ptr<TGameEngine> engine_;
  QSet<int> pressedKeys_;  // keys pressed while this window had the keyboard
  bool closingOnSignal_ = false;
};

}  // namespace tavrik
