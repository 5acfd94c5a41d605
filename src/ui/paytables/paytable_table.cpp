#include "ui/paytables/paytable_table.h"

#include <QHeaderView>
#include <cmath>

namespace tavrik {

namespace {

constexpr double NamesShare = 0.4;

// `total` shared by `parts` cells: part k ends at round(total x (k + 1) / parts).
std::vector<int> Shares(int total, int parts) {
  std::vector<int> sizes;
  int given = 0;
  for (int k = 1; k <= parts; ++k) {
    const int end = static_cast<int>(std::lround(static_cast<double>(total) * k / parts));
    sizes.push_back(end - given);
    given = end;
  }
  return sizes;
}

}  // namespace

TPaytableTable::TPaytableTable(QWidget* parent) : QTableWidget(parent) {
  setObjectName("PayoutGrid");
  setColumnCount(6);
  horizontalHeader()->hide();
  verticalHeader()->hide();
  horizontalHeader()->setMinimumSectionSize(1);
  verticalHeader()->setMinimumSectionSize(1);
  setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  setEditTriggers(NoEditTriggers);
  setSelectionMode(SingleSelection);
  setWordWrap(false);
}

std::vector<int> TPaytableTable::ColumnWidths(int width) {
  const int names = static_cast<int>(std::lround(width * NamesShare));
  std::vector<int> widths{names};
  for (const int share : Shares(width - names, 5)) widths.push_back(share);
  return widths;
}

std::vector<int> TPaytableTable::RowHeights(int height, int rows) {
  return rows > 0 ? Shares(height, rows) : std::vector<int>{};
}

void TPaytableTable::SetGame(const TPokerDescription& description) {
  clearContents();
  setRowCount(description.LastCategory + 1);
  const QBrush text = palette().text();
  const QBrush names = palette().button();
  for (int row = 0; row < rowCount(); ++row) {
    auto* name = new QTableWidgetItem(
        "  " +
        QString::fromStdString(description.CategoryName[static_cast<size_t>(row)]).toUpper());
    name->setFlags(Qt::NoItemFlags);  // never selected nor edited
    name->setForeground(text);        // drawn as enabled text all the same
    name->setBackground(names);
    setItem(row, 0, name);
    for (int column = 1; column <= 5; ++column) {
      auto* pay = new QTableWidgetItem();
      pay->setTextAlignment(Qt::AlignCenter);
      pay->setForeground(text);
      setItem(row, column, pay);
    }
  }
  LayOutCells();
}

void TPaytableTable::SetPays(const TPaytable* table) {
  for (int row = 0; row < rowCount(); ++row) {
    if (table != nullptr) {
      SetRowPays(row, *table);
    } else {
      for (int column = 1; column <= 5; ++column) item(row, column)->setText(QString());
    }
  }
}

void TPaytableTable::SetRowPays(int row, const TPaytable& table) {
  for (int column = 1; column <= 5; ++column) {
    const int pay = table[static_cast<size_t>(column - 1)][static_cast<size_t>(row)];
    item(row, column)->setText(pay < 0 ? QString() : QString::number(pay));
  }
}

void TPaytableTable::LayOutCells() {
  const QSize area = viewport()->size();
  const auto widths = ColumnWidths(area.width());
  for (int column = 0; column < 6; ++column)
    setColumnWidth(column, widths[static_cast<size_t>(column)]);
  const auto heights = RowHeights(area.height(), rowCount());
  for (int row = 0; row < rowCount(); ++row) setRowHeight(row, heights[static_cast<size_t>(row)]);
}

void TPaytableTable::resizeEvent(QResizeEvent* event) {
  QTableWidget::resizeEvent(event);
  LayOutCells();
}

// The keyboard never lands on the names column.
QModelIndex TPaytableTable::moveCursor(CursorAction action, Qt::KeyboardModifiers modifiers) {
  const QModelIndex next = QTableWidget::moveCursor(action, modifiers);
  if (next.isValid() && next.column() == 0) return model()->index(next.row(), 1);
  return next;
}

}  // namespace tavrik
