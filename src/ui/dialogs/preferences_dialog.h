#pragma once

#include <QDialog>

#include "game/preferences.h"

class QCheckBox;
class QDoubleSpinBox;
class QGroupBox;
class QLabel;
class QPushButton;

namespace tavrik {

class TMyTrackBar;

// Which play counters survive a restart, whether they carry over to another game, and
// the dealing speed. Apply takes effect at once and tells every window.
class TfPreferences : public QDialog {
  Q_OBJECT

 public:
  explicit TfPreferences(TPreferences& preferences, QWidget* parent = nullptr);

  // Captions and labels from the localisation.
  void ApplyTexts();
  // Copies the dialog's choices into the preferences and broadcasts the change.
  void btnApplyClick();

  QGroupBox* gbAutoSave = nullptr;
  QCheckBox *cbCredits = nullptr, *cbBalance = nullptr, *cbValue = nullptr;
  QCheckBox *cbAccuracy = nullptr, *cbHands = nullptr, *cbTime = nullptr;
  QCheckBox* cbSaveForNew = nullptr;
  QGroupBox* gbSpeed = nullptr;
  TMyTrackBar* tbSpeed = nullptr;
  QLabel *lQuick = nullptr, *lMedium = nullptr, *lSlow = nullptr;
  QGroupBox* gbWarnings = nullptr;
  QLabel* lWarningThreshold = nullptr;
  QDoubleSpinBox* seWarningThreshold = nullptr;  // coins
  QPushButton *btnOK = nullptr, *btnCancel = nullptr, *btnApply = nullptr;

 private:
  TPreferences& preferences_;
};

// Opens the dialog modally.
void RunPreferencesDialog(TPreferences& preferences, QWidget* parent = nullptr);

}  // namespace tavrik
