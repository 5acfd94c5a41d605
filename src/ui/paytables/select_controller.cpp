#include "ui/paytables/select_controller.h"

#include "core/error.h"

namespace tavrik {

namespace {

TPaytable EmptyTable() {
  TPaytable table;
  for (auto& row : table) row.fill(-1);
  return table;
}

}  // namespace

TSelectController::TSelectController(TGameEngine& engine) : Table(EmptyTable()), engine_(engine) {
  for (int game = 0; game < GameCount; ++game) descriptions_.push_back(CreateDescription(game));
}

void TSelectController::InitFromEngine() {
  for (size_t i = 0; i < descriptions_.size(); ++i) {
    if (descriptions_[i]->GameIndex == engine_.GameType()) GameListIndex = static_cast<int>(i);
  }
  ShowPaytable(engine_.PayIndex());
}

void TSelectController::ChooseGame(int listIndex) {
  RequireInRange(listIndex, 0, static_cast<long long>(descriptions_.size()) - 1, "Game");
  if (listIndex == GameListIndex) return;
  GameListIndex = listIndex;
  ShowPaytable(0);
}

void TSelectController::ShowPaytable(int index) {
  if (GameListIndex >= 0 && index >= 0 && index < PaytableCount()) {
    PayIndex = index;
    Table = catalogue_.GetPaytable(GameType(), index);
  } else {
    PayIndex = -1;
    Table = EmptyTable();
  }
}

bool TSelectController::CanNext() const {
  const int count = PaytableCount();
  return count > 0 && PayIndex < count - 1;
}

void TSelectController::ApplyEdit(const TPaytable& table) {
  Require(CanEdit(), "No paytable is shown");
  catalogue_.SetPaytable(GameType(), PayIndex, table);
  changed_ = true;
  catalogue_.Save();
  ShowPaytable(PayIndex);
}

void TSelectController::ApplyAdd(const TPaytable& table) {
  int index = catalogue_.FindPaytable(GameType(), table);
  if (index == -1) {
    catalogue_.SetPaytable(GameType(), -1, table);
    changed_ = true;
    catalogue_.Save();
    index = PaytableCount() - 1;
  }
  ShowPaytable(index);
}

const TPokerDescription& TSelectController::Description() const {
  Require(GameListIndex >= 0, "No game is chosen");
  return *descriptions_[static_cast<size_t>(GameListIndex)];
}

int TSelectController::GameType() const {
  return GameListIndex < 0 ? -1 : Description().GameIndex;
}

int TSelectController::PaytableCount() const {
  return GameListIndex < 0 ? 0 : catalogue_.PaytableCount(GameType());
}

}  // namespace tavrik
