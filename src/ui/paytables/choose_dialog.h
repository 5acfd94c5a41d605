#pragma once

#include <QDialog>

#include "game/game_engine.h"
#include "game/preferences.h"
#include "ui/paytables/select_controller.h"

class QListWidget;
class QPushButton;

namespace tavrik {

class TGradientLabel;
class TPaytableTable;
class TReturnFigure;

// The paytable chooser: the games in a list at the right, the paytables of the chosen
// game one at a time (Prev / Next) with the return of the one shown, and Add and Edit,
// which open the editor. The controller holds the state; the dialog shows it.
class TfChoose : public QDialog {
  Q_OBJECT

 public:
  // One list line per game (a blank and the name in upper case), sorted; the controller's
  // game selected and its paytable shown. `controller` must outlive the dialog.
  TfChoose(TSelectController& controller, const TPreferences& preferences,
           QWidget* parent = nullptr);

  // Shows the controller's state: name, grid, return figure and buttons.
  void Refresh();
  // The Edit and Add buttons: open the editor and apply its table on OK.
  void btnEditClick();
  void btnAddClick();

  TGradientLabel* HeaderLabel = nullptr;
  QListWidget* PokerList = nullptr;
  TGradientLabel* lPokerName = nullptr;
  TPaytableTable* PayoutGrid = nullptr;
  TReturnFigure* ReturnFigure = nullptr;
  QPushButton* btnPrev = nullptr;
  QPushButton* btnNext = nullptr;
  QPushButton* btnEdit = nullptr;
  QPushButton* btnAdd = nullptr;
  QPushButton* btnOK = nullptr;
  QPushButton* btnCancel = nullptr;

 private:
  TSelectController& controller_;
  const TPreferences& preferences_;
  int gridGame_ = -1;  // the game whose rows the grid holds
};

// Runs the chooser over the engine's game. On OK switches the engine to the chosen game
// and paytable and returns true; on Cancel returns false, after reading the current
// paytable again should the player have changed the catalogue. Call between rounds.
bool SelectVideoPoker(TGameEngine& engine, const TPreferences& preferences,
                      QWidget* parent = nullptr);

}  // namespace tavrik
