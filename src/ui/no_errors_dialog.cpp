#include "ui/no_errors_dialog.h"

#include <QBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>

#include "ui/preferences_texts.h"

namespace tavrik {

TfmNoErrors::TfmNoErrors(const TPreferences& preferences, QWidget* parent) : QDialog(parent) {
  ApplyWindowFont(this, preferences);
  setWindowTitle("  " + Text(preferences, "Main.Menu", "PlayProblemHands"));
  auto* layout = new QVBoxLayout(this);
  lMessage = new QLabel(Text(preferences, "Main.Messages", "MsgNoErrors"), this);
  lMessage->setWordWrap(true);
  layout->addWidget(lMessage);
  const std::array<const char*, 3> keys = {"AutoHint", "Training", "RealPlay"};
  for (size_t i = 0; i < keys.size(); ++i) {
    rbModes[i] = new QRadioButton(Text(preferences, "Main.Menu", keys[i]), this);
    layout->addWidget(rbModes[i]);
  }
  rbModes[0]->setChecked(true);
  auto* buttons = new QHBoxLayout();
  buttons->addStretch(1);
  btnOK = new QPushButton(Text(preferences, "Main.Buttons", "OK"), this);
  btnOK->setDefault(true);
  btnCancel = new QPushButton(Text(preferences, "Main.Buttons", "Cancel"), this);
  buttons->addWidget(btnOK);
  buttons->addWidget(btnCancel);
  layout->addLayout(buttons);
  connect(btnOK, &QPushButton::clicked, this, &QDialog::accept);
  connect(btnCancel, &QPushButton::clicked, this, &QDialog::reject);
  setFixedWidth(320);
}

int TfmNoErrors::SelectedMode() const {
  for (size_t i = 0; i < rbModes.size(); ++i) {
    if (rbModes[i]->isChecked()) return static_cast<int>(i);
  }
  return 0;
}

int AskNoErrorsMode(const TPreferences& preferences, QWidget* parent) {
  TfmNoErrors dialog(preferences, parent);
  return dialog.exec() == QDialog::Accepted ? dialog.SelectedMode() : -1;
}

}  // namespace tavrik
