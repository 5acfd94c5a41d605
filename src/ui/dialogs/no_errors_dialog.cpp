#include "ui/dialogs/no_errors_dialog.h"

#include <QBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>

#include "ui/dialogs/preferences_texts.h"
#include "ui/widgets/dialog_buttons.h"

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
  layout->addLayout(MakeOkCancelRow(this, Text(preferences, "Main.Buttons", "OK"),
                                    Text(preferences, "Main.Buttons", "Cancel"), btnOK, btnCancel));
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
