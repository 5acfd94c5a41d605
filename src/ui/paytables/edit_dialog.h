#pragma once

#include <QDialog>

#include "core/payout.h"
#include "core/poker_description.h"
#include "game/preferences.h"

class QPushButton;

namespace tavrik {

class TGradientLabel;
class TPaytableTable;
class TReturnFigure;

// Writes `value` (-1 empties the cell) into the cell of bet 1..5 and category 0..15. The
// 1-coin cell carries its row: when it gets a value, each bet b = 2..5 whose cell is
// empty or held b times the old 1-coin value gets b times the new one (a cell that would
// pass MaxPay is emptied instead), so a jackpot cell that was not a multiple stays.
void WritePayCell(TPaytable& table, int bet, int category, int value);
// Whether every cell of categories 0..lastCategory, for every bet, holds a pay (0 or more).
bool IsPaytableComplete(const TPaytable& table, int lastCategory);

// The paytable editor: the grid of one game's paytable with an in-place editor taking
// up to five digits. OK is enabled exactly while every pay is filled in. The return of
// the table as it stands is shown under the grid.
class TfEdit : public QDialog {
  Q_OBJECT

 public:
  // `table` holds the starting pays (-1 for an empty cell); `addMode` chooses the
  // caption. `description` must outlive the dialog.
  TfEdit(const TPokerDescription& description, const TPaytable& table, bool addMode,
         const TPreferences& preferences, QWidget* parent = nullptr);

  // The table as edited.
  const TPaytable& Table() const { return table_; }

  TGradientLabel* lPokerName = nullptr;
  TPaytableTable* PayoutGrid = nullptr;
  TReturnFigure* ReturnFigure = nullptr;
  QPushButton* btnOK = nullptr;
  QPushButton* btnCancel = nullptr;

 private:
  // The text of a pay cell was edited.
  void CellEdited(int row, int column);
  void Refresh();

  const TPokerDescription& description_;
  const TPreferences& preferences_;
  TPaytable table_;
};

}  // namespace tavrik
