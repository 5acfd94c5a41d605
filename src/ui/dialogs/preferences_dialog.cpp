#include "ui/dialogs/preferences_dialog.h"

#include <QBoxLayout>
#include <QCheckBox>
#include <QDoubleSpinBox>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QShortcut>
#include <array>

#include "ui/dialogs/help_window.h"
#include "ui/dialogs/preferences_texts.h"
#include "ui/widgets/my_track_bar.h"

namespace tavrik {

TfPreferences::TfPreferences(TPreferences& preferences, QWidget* parent)
    : QDialog(parent), preferences_(preferences) {
  auto* layout = new QVBoxLayout(this);
  auto* groups = new QHBoxLayout();
  gbAutoSave = new QGroupBox(this);
  auto* autosave = new QVBoxLayout(gbAutoSave);
  for (QCheckBox** box :
       {&cbCredits, &cbBalance, &cbValue, &cbAccuracy, &cbHands, &cbTime, &cbSaveForNew}) {
    *box = new QCheckBox(gbAutoSave);
    autosave->addWidget(*box);
  }
  groups->addWidget(gbAutoSave, 3);

  gbSpeed = new QGroupBox(this);
  auto* speed = new QHBoxLayout(gbSpeed);
  tbSpeed = new TMyTrackBar(Qt::Vertical, gbSpeed);
  tbSpeed->setRange(TPreferences::MinDealSpeed, TPreferences::MaxDealSpeed);
  tbSpeed->setTickInterval(20);
  tbSpeed->setSingleStep(20);
  tbSpeed->setPageStep(20);
  tbSpeed->setInvertedAppearance(true);  // 0 at the top
  speed->addWidget(tbSpeed);
  auto* labels = new QVBoxLayout();
  lQuick = new QLabel(gbSpeed);
  lMedium = new QLabel(gbSpeed);
  lSlow = new QLabel(gbSpeed);
  labels->addWidget(lQuick);
  labels->addStretch(1);
  labels->addWidget(lMedium);
  labels->addStretch(1);
  labels->addWidget(lSlow);
  speed->addLayout(labels);
  groups->addWidget(gbSpeed, 2);
  layout->addLayout(groups);

  gbWarnings = new QGroupBox(this);
  auto* warnings = new QHBoxLayout(gbWarnings);
  lWarningThreshold = new QLabel(gbWarnings);
  lWarningThreshold->setWordWrap(true);
  seWarningThreshold = new QDoubleSpinBox(gbWarnings);
  seWarningThreshold->setRange(0, TPreferences::MaxWarningThreshold);
  seWarningThreshold->setDecimals(2);
  seWarningThreshold->setSingleStep(0.01);
  warnings->addWidget(lWarningThreshold, 1);
  warnings->addWidget(seWarningThreshold);
  layout->addWidget(gbWarnings);

  auto* buttons = new QHBoxLayout();
  buttons->addStretch(1);
  btnOK = new QPushButton(this);
  btnOK->setDefault(true);
  btnCancel = new QPushButton(this);
  btnApply = new QPushButton(this);
  buttons->addWidget(btnOK);
  buttons->addWidget(btnCancel);
  buttons->addWidget(btnApply);
  layout->addLayout(buttons);
  connect(btnOK, &QPushButton::clicked, this, [this] {
    btnApplyClick();
    accept();
  });
  connect(btnCancel, &QPushButton::clicked, this, &QDialog::reject);
  connect(btnApply, &QPushButton::clicked, this, [this] { btnApplyClick(); });
  auto* help = new QShortcut(QKeySequence(Qt::Key_F1), this);
  connect(help, &QShortcut::activated, this,
          [this] { ShowHelpTopic(HelpPreferences, preferences_, this); });

  ApplyTexts();
  const uint8_t flags = preferences_.AutosaveFlags;
  cbCredits->setChecked((flags & AUTOSAVE_CREDITS) != 0);
  cbBalance->setChecked((flags & AUTOSAVE_BALANCE) != 0);
  cbValue->setChecked((flags & AUTOSAVE_VALUE) != 0);
  cbAccuracy->setChecked((flags & AUTOSAVE_ACCURACY) != 0);
  cbHands->setChecked((flags & AUTOSAVE_HANDS) != 0);
  cbTime->setChecked((flags & AUTOSAVE_TIME) != 0);
  cbSaveForNew->setChecked(preferences_.SaveForNewGame);
  tbSpeed->setValue(preferences_.DealSpeed());
  seWarningThreshold->setValue(preferences_.WarningThreshold());
  setFixedSize(std::max(405, sizeHint().width()), std::max(216, sizeHint().height()));
}

void TfPreferences::ApplyTexts() {
  ApplyWindowFont(this, preferences_);
  setWindowTitle(QString::fromStdString(preferences_.SetWindowCaption("Preferences")));
  gbAutoSave->setTitle("  " + Text(preferences_, "Preferences", "Autosave") + "  ");
  const std::array<std::pair<QCheckBox*, const char*>, 6> boxes = {{{cbCredits, "Credits"},
                                                                    {cbBalance, "Balance"},
                                                                    {cbValue, "Value"},
                                                                    {cbAccuracy, "Accuracy"},
                                                                    {cbHands, "Hands"},
                                                                    {cbTime, "Time"}}};
  for (const auto& [box, key] : boxes) box->setText("  " + Text(preferences_, "Main.Labels", key));
  cbSaveForNew->setText("  " + Text(preferences_, "Preferences", "SaveForNewGame"));
  gbSpeed->setTitle("  " + Text(preferences_, "Preferences", "DealSpeed") + "  ");
  lQuick->setText(Text(preferences_, "Preferences", "Quick"));
  lMedium->setText(Text(preferences_, "Preferences", "Medium"));
  lSlow->setText(Text(preferences_, "Preferences", "Slow"));
  gbWarnings->setTitle("  " + Text(preferences_, "Preferences", "Warnings") + "  ");
  lWarningThreshold->setText(Text(preferences_, "Preferences", "WarningThreshold"));
  btnOK->setText(Text(preferences_, "Main.Buttons", "OK"));
  btnCancel->setText(Text(preferences_, "Main.Buttons", "Cancel"));
  btnApply->setText(Text(preferences_, "Main.Buttons", "Apply"));
}

void TfPreferences::btnApplyClick() {
  uint8_t flags = 0;
  if (cbCredits->isChecked()) flags |= AUTOSAVE_CREDITS;
  if (cbBalance->isChecked()) flags |= AUTOSAVE_BALANCE;
  if (cbValue->isChecked()) flags |= AUTOSAVE_VALUE;
  if (cbAccuracy->isChecked()) flags |= AUTOSAVE_ACCURACY;
  if (cbHands->isChecked()) flags |= AUTOSAVE_HANDS;
  if (cbTime->isChecked()) flags |= AUTOSAVE_TIME;
  preferences_.AutosaveFlags = flags;
  preferences_.SaveForNewGame = cbSaveForNew->isChecked();
  preferences_.SetDealSpeed(tbSpeed->value());
  preferences_.SetWarningThreshold(seWarningThreshold->value());
  BroadcastPreferencesChanged();
  ApplyTexts();
}

void RunPreferencesDialog(TPreferences& preferences, QWidget* parent) {
  TfPreferences dialog(preferences, parent);
  dialog.exec();
}

}  // namespace tavrik
