#include "ui/paytables/edit_dialog.h"

#include <QBoxLayout>
#include <QLineEdit>
#include <QPushButton>
#include <QRegularExpressionValidator>
#include <QShortcut>
#include <QSignalBlocker>
#include <QStyledItemDelegate>

#include "core/payout_storage.h"
#include "ui/dialogs/help_window.h"
#include "ui/dialogs/preferences_texts.h"
#include "ui/paytables/paytable_table.h"
#include "ui/paytables/return_figure.h"
#include "ui/widgets/dialog_buttons.h"
#include "ui/widgets/gradient_label.h"

namespace tavrik {

namespace {

// The in-place editor of a pay: up to five digits, centred.
class TPayDelegate : public QStyledItemDelegate {
 public:
  using QStyledItemDelegate::QStyledItemDelegate;
  QWidget* createEditor(QWidget* parent, const QStyleOptionViewItem& /*option*/,
                        const QModelIndex& /*index*/) const override {
    auto* editor = new QLineEdit(parent);
    editor->setValidator(new QRegularExpressionValidator(QRegularExpression("[0-9]{0,5}"), editor));
    editor->setMaxLength(5);
    editor->setAlignment(Qt::AlignCenter);
    editor->setFrame(false);
    return editor;
  }
};

int& Cell(TPaytable& table, int bet, int category) {
  return table[static_cast<size_t>(bet - 1)][static_cast<size_t>(category)];
}

}  // namespace

void WritePayCell(TPaytable& table, int bet, int category, int value) {
  const int old = Cell(table, bet, category);
  Cell(table, bet, category) = value;
  if (bet != 1 || value == -1) return;
  for (int b = 2; b <= MaxCoins; ++b) {
    int& cell = Cell(table, b, category);
    if (cell == -1 || (old != -1 && cell == b * old)) cell = b * value <= MaxPay ? b * value : -1;
  }
}

bool IsPaytableComplete(const TPaytable& table, int lastCategory) {
  for (const auto& row : table) {
    for (int category = 0; category <= lastCategory; ++category) {
      if (row[static_cast<size_t>(category)] < 0) return false;
    }
  }
  return true;
}

TfEdit::TfEdit(const TPokerDescription& description, const TPaytable& table, bool addMode,
               const TPreferences& preferences, QWidget* parent)
    : QDialog(parent), description_(description), preferences_(preferences), table_(table) {
  setFixedSize(382, 336);
  ApplyWindowFont(this, preferences);
  setWindowTitle(QString::fromStdString(
      preferences.SetWindowCaption(addMode ? "AddPokerPayout" : "EditPokerPayout")));
  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->setSpacing(0);
  lPokerName = new TGradientLabel(this);
  lPokerName->setFixedHeight(22);
  lPokerName->setText(QString::fromStdString(description.Name).toUpper());
  StyleHeaderLabel(lPokerName, QString::fromStdString(preferences.FontName));
  layout->addWidget(lPokerName);
  PayoutGrid = new TPaytableTable(this);
  PayoutGrid->setItemDelegate(new TPayDelegate(PayoutGrid));
  PayoutGrid->setEditTriggers(QAbstractItemView::DoubleClicked | QAbstractItemView::EditKeyPressed |
                              QAbstractItemView::AnyKeyPressed);
  PayoutGrid->SetGame(description);
  PayoutGrid->SetPays(&table_);
  layout->addWidget(PayoutGrid, 1);
  ReturnFigure = new TReturnFigure(preferences, this);
  ReturnFigure->setFixedHeight(30);
  layout->addWidget(ReturnFigure);
  layout->addWidget(MakeOkCancelStrip(this, btnOK, btnCancel));
  btnOK->setText(Text(preferences, "Main.Buttons", "OK"));
  btnCancel->setText(Text(preferences, "Main.Buttons", "Cancel"));
  connect(PayoutGrid, &QTableWidget::cellChanged, this,
          [this](int row, int column) { CellEdited(row, column); });
  auto* help = new QShortcut(QKeySequence(Qt::Key_F1), this);
  connect(help, &QShortcut::activated, this,
          [this] { ShowHelpTopic(HelpPokerEdit, preferences_, this); });
  PayoutGrid->setCurrentCell(0, 1);
  PayoutGrid->setFocus();
  Refresh();
}

void TfEdit::CellEdited(int row, int column) {
  if (column < 1 || column > MaxCoins) return;
  const QString text = PayoutGrid->item(row, column)->text().trimmed();
  bool converted = false;
  const int value = text.toInt(&converted);
  // An emptied cell is an empty pay; the validator lets nothing but digits through.
  WritePayCell(table_, column, row, converted && value >= 0 && value <= MaxPay ? value : -1);
  {
    const QSignalBlocker blocker(PayoutGrid);
    PayoutGrid->SetRowPays(row, table_);
  }
  PayoutGrid->viewport()->update();
  Refresh();
}

void TfEdit::Refresh() {
  const bool complete = IsPaytableComplete(table_, description_.LastCategory);
  btnOK->setEnabled(complete);
  ReturnFigure->Request(description_.GameIndex,
                        complete ? std::optional<TPaytable>(table_) : std::nullopt);
}

}  // namespace tavrik
