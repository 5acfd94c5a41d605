#pragma once

#include <QTableWidget>

#include "core/payout.h"
#include "core/poker_description.h"

namespace tavrik {

// A paytable as a grid without headers or scroll bars: column 0 the category names (two
// blanks and the name in upper case), columns 1..5 the pays for bets 1..5, one row per
// paying category. Column 0 takes 40 percent of the width, the bet columns and the rows
// share the rest and the height evenly. The names column can never be selected; the pay
// cells are read-only unless the owner sets edit triggers.
class TPaytableTable : public QTableWidget {
  Q_OBJECT

 public:
  explicit TPaytableTable(QWidget* parent = nullptr);

  // One row per paying category of `description`, names filled, pays empty.
  void SetGame(const TPokerDescription& description);
  // The pays of `table` in every row (-1 shows as an empty cell); nullptr empties them.
  void SetPays(const TPaytable* table);
  // The pay cells of one row (category) from `table`.
  void SetRowPays(int row, const TPaytable& table);

  // Sizes of the columns and rows for a client area of `width` x `height`: column 0
  // round(width x 0.4), column k of the bets round((width - column 0) x k / 5) minus
  // what columns 1..k-1 got; the rows share the height the same way.
  static std::vector<int> ColumnWidths(int width);
  static std::vector<int> RowHeights(int height, int rows);

 protected:
  void resizeEvent(QResizeEvent* event) override;
  QModelIndex moveCursor(CursorAction action, Qt::KeyboardModifiers modifiers) override;

 private:
  void LayOutCells();
};

}  // namespace tavrik
