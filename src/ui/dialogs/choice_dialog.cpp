#include "ui/dialogs/choice_dialog.h"

#include <QBoxLayout>
#include <QGuiApplication>
#include <QListWidget>
#include <QPushButton>
#include <QScreen>

#include "ui/dialogs/preferences_texts.h"
#include "ui/widgets/dialog_buttons.h"

namespace tavrik {

TfmChoice::TfmChoice(const QString& title, const QStringList& items, int selected,
                     const TPreferences& preferences, QWidget* parent)
    : QDialog(parent, Qt::Tool | Qt::WindowTitleHint | Qt::CustomizeWindowHint) {
  ApplyWindowFont(this, preferences);
  setWindowTitle("  " + title);
  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(0, 0, 0, 4);
  ListBox = new QListWidget(this);
  for (const QString& item : items) ListBox->addItem(" " + item);
  if (selected >= 0 && selected < items.size()) ListBox->setCurrentRow(selected);
  layout->addWidget(ListBox);
  QHBoxLayout* buttons =
      MakeOkCancelRow(this, Text(preferences, "Main.Buttons", "OK"),
                      Text(preferences, "Main.Buttons", "Cancel"), btnOK, btnCancel);
  buttons->addStretch(1);  // centred
  layout->addLayout(buttons);
  connect(ListBox, &QListWidget::itemDoubleClicked, this, &QDialog::accept);

  // The list shows every line without empty space, within half the screen height.
  const int lineHeight = std::max(1, ListBox->sizeHintForRow(0));
  int listHeight = lineHeight * static_cast<int>(items.size()) + 2 * ListBox->frameWidth();
  const QScreen* screen = QGuiApplication::primaryScreen();
  const int limit = screen != nullptr ? screen->availableGeometry().height() / 2 : 400;
  const int rest = btnOK->sizeHint().height() + 12;
  if (listHeight + rest > limit) {
    listHeight = (limit - rest - 2 * ListBox->frameWidth()) / lineHeight * lineHeight +
                 2 * ListBox->frameWidth();
  }
  ListBox->setFixedHeight(listHeight);
  setFixedWidth(227);
  ListBox->setFocus();
}

int TfmChoice::Selected() const {
  return ListBox->currentRow();
}

int ChooseFromList(const QString& title, const QStringList& items, int selected,
                   const TPreferences& preferences, QWidget* parent) {
  TfmChoice dialog(title, items, selected, preferences, parent);
  return dialog.exec() == QDialog::Accepted ? dialog.Selected() : -1;
}

}  // namespace tavrik
