#pragma once

#include <QDialog>
#include <array>

#include "game/preferences.h"

class QLabel;
class QPushButton;
class QRadioButton;

namespace tavrik {

// Asked when problem-hands mode finds no problem hand of the current game: which other
// mode to play.
class TfmNoErrors : public QDialog {
  Q_OBJECT

 public:
  explicit TfmNoErrors(const TPreferences& preferences, QWidget* parent = nullptr);

  // The checked mode: 0 auto hint, 1 training, 2 real play.
  int SelectedMode() const;

  QLabel* lMessage = nullptr;
  std::array<QRadioButton*, 3> rbModes{};
  QPushButton* btnOK = nullptr;
  QPushButton* btnCancel = nullptr;
};

// Runs the dialog modally: the mode picked on OK, -1 on Cancel.
int AskNoErrorsMode(const TPreferences& preferences, QWidget* parent = nullptr);

}  // namespace tavrik
