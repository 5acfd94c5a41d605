#pragma once

#include <QColor>
#include <QFont>
#include <QImage>
#include <QString>
#include <QWidget>
#include <utility>
#include <vector>

#include "game/game_engine.h"

namespace tavrik {

// The paytable: six columns (the category names, then the pay for bets 1..5), one row per
// paying category, every cell drawn from the engine's paytable. The bet's column is blue,
// the row of the hand on the table teal. A click on a bet column asks for that bet.
class TPaytableGrid : public QWidget {
  Q_OBJECT

 public:
  TPaytableGrid(const TGameEngine& engine, QWidget* parent);

  // The colour a cell is drawn with and its text.
  struct TCellLook {
    QString Text;
    QColor TextColour;
    bool Bold = false;
    int Background = 0;  // 0 plain, 1 bet column, 2 winning row
  };
  TCellLook CellLook(int column, int row) const;
  // Lays the columns and rows out for the current game and size, and picks the cells' font:
  // the widget's font at the window's scale, smaller until the rows and the longest name
  // fit.
  void Rebuild();
  // The window's scale (1 at the initial size); rebuilds when it changes.
  void SetFontScale(double scale);
  // Widths of the six columns and heights of the rows, as last laid out.
  const std::vector<int>& ColumnWidths() const { return columnWidths_; }
  const std::vector<int>& RowHeights() const { return rowHeights_; }
  const QFont& GridFont() const { return gridFont_; }
  // The column and row at a point of the grid; {-1, -1} outside.
  std::pair<int, int> CellAt(QPoint point) const;

 signals:
  // A cell of column 0..5 was clicked (column 0 is the names column).
  void ColumnClicked(int column);

 protected:
  void paintEvent(QPaintEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;

 private:
  void DrawCell(QPainter& painter, int column, int row, const QRect& cell) const;

  const TGameEngine& engine_;
  QImage betBackground_;
  QImage winBackground_;
  QImage plainBackground_;
  QFont gridFont_;
  double fontScale_ = 1.0;
  std::vector<int> columnWidths_;
  std::vector<int> rowHeights_;
};

}  // namespace tavrik
