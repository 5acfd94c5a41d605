#include "ui/paytables/choose_dialog.h"

#include <QBoxLayout>
#include <QListWidget>
#include <QPushButton>
#include <QShortcut>

#include "core/error.h"
#include "ui/dialogs/help_window.h"
#include "ui/dialogs/preferences_texts.h"
#include "ui/paytables/edit_dialog.h"
#include "ui/paytables/paytable_table.h"
#include "ui/paytables/return_figure.h"
#include "ui/widgets/error_handler.h"
#include "ui/widgets/gradient_label.h"

namespace tavrik {

namespace {

constexpr int HeaderHeight = 22;
constexpr int ListWidth = 200;

}  // namespace

TfChoose::TfChoose(TSelectController& controller, const TPreferences& preferences, QWidget* parent)
    : QDialog(parent), controller_(controller), preferences_(preferences) {
  setFixedSize(590, 336);
  ApplyWindowFont(this, preferences);
  setWindowTitle(QString::fromStdString(preferences.SetWindowCaption("SelectPoker")));
  const QString fontName = QString::fromStdString(preferences.FontName);

  auto* left = new QVBoxLayout();
  left->setSpacing(0);
  lPokerName = new TGradientLabel(this);
  lPokerName->setFixedHeight(HeaderHeight);
  StyleHeaderLabel(lPokerName, fontName);
  left->addWidget(lPokerName);
  PayoutGrid = new TPaytableTable(this);
  PayoutGrid->setSelectionMode(QAbstractItemView::NoSelection);
  PayoutGrid->setFocusPolicy(Qt::NoFocus);
  left->addWidget(PayoutGrid, 1);
  ReturnFigure = new TReturnFigure(preferences, this);
  ReturnFigure->setFixedHeight(30);
  left->addWidget(ReturnFigure);

  auto* right = new QVBoxLayout();
  right->setSpacing(0);
  right->setContentsMargins(0, 0, 0, 0);
  HeaderLabel = new TGradientLabel(this);
  HeaderLabel->setFixedHeight(HeaderHeight);
  HeaderLabel->setText(Text(preferences, "SelectPoker", "PokerListHeader"));
  StyleHeaderLabel(HeaderLabel, fontName);
  right->addWidget(HeaderLabel);
  PokerList = new QListWidget(this);
  right->addWidget(PokerList, 1);
  auto* column = new QWidget(this);
  column->setFixedWidth(ListWidth);
  column->setLayout(right);

  auto* top = new QHBoxLayout();
  top->setSpacing(2);
  top->addLayout(left, 1);
  top->addWidget(column);

  auto* buttons = new QHBoxLayout();
  buttons->setContentsMargins(8, 6, 8, 7);
  const auto button = [&](const char* section, const char* key) {
    auto* made = new QPushButton(Text(preferences, section, key), this);
    made->setFixedSize(80, 22);
    made->setAutoDefault(false);
    buttons->addWidget(made);
    return made;
  };
  btnPrev = button("SelectPoker", "Prev");
  btnNext = button("SelectPoker", "Next");
  btnEdit = button("SelectPoker", "Edit");
  btnAdd = button("SelectPoker", "Add");
  buttons->addStretch(1);
  btnOK = button("Main.Buttons", "OK");
  btnOK->setDefault(true);
  btnCancel = button("Main.Buttons", "Cancel");
  auto* strip = new QWidget(this);
  strip->setFixedHeight(35);
  strip->setLayout(buttons);

  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->setSpacing(0);
  layout->addLayout(top, 1);
  layout->addWidget(strip);

  for (size_t i = 0; i < controller.Descriptions().size(); ++i) {
    auto* line = new QListWidgetItem(
        " " + QString::fromStdString(controller.Descriptions()[i]->Name).toUpper(), PokerList);
    line->setData(Qt::UserRole, static_cast<int>(i));
  }
  PokerList->sortItems();
  for (int row = 0; row < PokerList->count(); ++row) {
    if (PokerList->item(row)->data(Qt::UserRole).toInt() == controller.GameListIndex) {
      PokerList->setCurrentRow(row);
    }
  }

  connect(PokerList, &QListWidget::currentRowChanged, this, [this](int row) {
    if (row < 0) return;
    Guarded([&] { controller_.ChooseGame(PokerList->item(row)->data(Qt::UserRole).toInt()); });
    Refresh();
  });
  for (QPushButton* step : {btnPrev, btnNext}) {
    const int tag = step == btnPrev ? -1 : 1;
    connect(step, &QPushButton::clicked, this, [this, tag] {
      Guarded([&] { controller_.Step(tag); });
      Refresh();
    });
  }
  connect(btnEdit, &QPushButton::clicked, this, [this] { btnEditClick(); });
  connect(btnAdd, &QPushButton::clicked, this, [this] { btnAddClick(); });
  connect(btnOK, &QPushButton::clicked, this, &QDialog::accept);
  connect(btnCancel, &QPushButton::clicked, this, &QDialog::reject);
  auto* help = new QShortcut(QKeySequence(Qt::Key_F1), this);
  connect(help, &QShortcut::activated, this,
          [this] { ShowHelpTopic(HelpPokerChoice, preferences_, this); });
  PokerList->setFocus();
  Refresh();
}

void TfChoose::Refresh() {
  const bool chosen = controller_.GameListIndex >= 0;
  if (chosen && controller_.GameType() != gridGame_) {
    gridGame_ = controller_.GameType();
    lPokerName->setText(QString::fromStdString(controller_.Description().Name).toUpper());
    PayoutGrid->SetGame(controller_.Description());
  }
  const bool shown = controller_.CanEdit();
  PayoutGrid->SetPays(shown ? &controller_.Table : nullptr);
  PayoutGrid->viewport()->update();
  if (shown) {
    ReturnFigure->Request(controller_.GameType(), controller_.Table);
  } else {
    ReturnFigure->Request(gridGame_, std::nullopt);
  }
  btnPrev->setEnabled(controller_.CanPrev());
  btnNext->setEnabled(controller_.CanNext());
  btnEdit->setEnabled(shown);
  btnOK->setEnabled(shown);
  btnAdd->setEnabled(chosen);
}

void TfChoose::btnEditClick() {
  if (!controller_.CanEdit()) return;
  TfEdit editor(controller_.Description(), controller_.Table, false, preferences_, this);
  if (editor.exec() != QDialog::Accepted) return;
  Guarded([&] { controller_.ApplyEdit(editor.Table()); });
  Refresh();
}

void TfChoose::btnAddClick() {
  if (controller_.GameListIndex < 0) return;
  TPaytable empty;
  for (auto& row : empty) row.fill(-1);
  TfEdit editor(controller_.Description(), empty, true, preferences_, this);
  if (editor.exec() != QDialog::Accepted) return;
  Guarded([&] { controller_.ApplyAdd(editor.Table()); });
  Refresh();
}

bool SelectVideoPoker(TGameEngine& engine, const TPreferences& preferences, QWidget* parent) {
  int gameType = -1;
  int payIndex = -1;
  bool changed = false;
  {
    TSelectController controller(engine);
    controller.InitFromEngine();
    TfChoose dialog(controller, preferences, parent);
    if (dialog.exec() == QDialog::Accepted) {
      gameType = controller.GameType();
      payIndex = controller.PayIndex;
    }
    changed = controller.Changed();
  }
  if (gameType != -1 && payIndex != -1) {
    engine.SelectPoker(gameType, payIndex);
    return true;
  }
  if (changed) engine.ReloadPaytable();
  return false;
}

}  // namespace tavrik
