#pragma once

#include <QString>
#include <filesystem>

#include "game/game_windows.h"
#include "game/ini_file.h"
#include "ui/cards/paint_engine.h"

class QWidget;

namespace tavrik {

class TTextSource;

// The look of the table's cards: the paint engine with the player's deck and back, read
// from and saved to the settings' "Cards" section and changed in the deck and back
// dialogs. Deck and backs files that cannot be used are reported to the windows.
class TCardLook {
 public:
  static constexpr const char* CardsSection = "Cards";

  // Loads the saved deck at once (the default deck when none is saved) and the saved back.
  TCardLook(const TIniFile& settings, const std::filesystem::path& dataFolder,
            TGameWindows& windows);
  // The deck and back, for the next start.
  void Save(TIniFile& settings) const;

  // The deck dialog, with a line over it saying why when it was not asked for, and the
  // back dialog; true when the player chose another one.
  bool ChooseDeck(const TTextSource& texts, QWidget* parent, const QString& reason = {});
  bool ChooseBack(const TTextSource& texts, QWidget* parent);
  // True once, on a first start: no deck was saved (the default one is taken).
  bool TakeFirstStart();

  TPaintEngine& Engine() { return engine_; }
  // The player's deck from the settings or the deck dialog (kept and saved even when its
  // file cannot be used); empty on a first start until the deck dialog is shown.
  const QString& DeckId() const { return deckId_; }

 private:
  void TellProblems();

  std::filesystem::path dataFolder_;
  TGameWindows& windows_;
  TPaintEngine engine_;
  QString deckId_;
};

}  // namespace tavrik
