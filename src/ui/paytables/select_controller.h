#pragma once

#include <memory>
#include <vector>

#include "core/payout.h"
#include "core/payout_storage.h"
#include "core/poker_description.h"
#include "game/game_engine.h"

namespace tavrik {

// The state of the paytable chooser for one opening: the game chosen in the list, the
// paytable shown, and the player's catalogue it lists, adds to and edits. Every change
// of the catalogue is written to the player's file at once.
class TSelectController {
 public:
  // Loads the catalogue of the data folder and the nine game descriptions; nothing is
  // chosen yet (GameListIndex and PayIndex -1).
  explicit TSelectController(TGameEngine& engine);

  // Chooses the engine's game and shows the engine's paytable.
  void InitFromEngine();
  // Chooses the game at position 0..8 of Descriptions() and shows its paytable 0; nothing
  // happens when it is already chosen.
  void ChooseGame(int listIndex);
  // Shows paytable `index` of the chosen game; an index outside 0..PaytableCount - 1
  // shows none (PayIndex -1, every cell of Table -1).
  void ShowPaytable(int index);
  // Prev (-1) and Next (+1).
  void Step(int tag) { ShowPaytable(PayIndex + tag); }

  bool CanPrev() const { return PayIndex > 0; }
  bool CanNext() const;
  // Edit and OK need a paytable on show.
  bool CanEdit() const { return PayIndex != -1; }

  // Replaces the shown paytable by `table`, saves and shows it again.
  void ApplyEdit(const TPaytable& table);
  // Shows the paytable equal to `table` when the game has one; otherwise appends `table`,
  // saves and shows it.
  void ApplyAdd(const TPaytable& table);

  // The chosen game's description; raises TError when none is chosen.
  const TPokerDescription& Description() const;
  // The chosen game's index 0..8, -1 when none.
  int GameType() const;
  int PaytableCount() const;
  // Whether the catalogue was changed during this opening.
  bool Changed() const { return changed_; }

  TGameEngine& Engine() { return engine_; }
  TPayoutStorage& Catalogue() { return catalogue_; }
  // The game descriptions in catalogue order.
  const std::vector<std::unique_ptr<TPokerDescription>>& Descriptions() const {
    return descriptions_;
  }

  int GameListIndex = -1;  // position of the chosen game in Descriptions()
  int PayIndex = -1;       // the paytable shown, -1 when none
  TPaytable Table{};       // the paytable shown; every cell -1 when none

 private:
  TGameEngine& engine_;
  std::vector<std::unique_ptr<TPokerDescription>> descriptions_;
  TPayoutStorage catalogue_;
  bool changed_ = false;
};

}  // namespace tavrik
