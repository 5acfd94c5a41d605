#include "ui/stats/clear_log_window.h"

#include <QBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QShortcut>

#include "ui/dialogs/help_window.h"
#include "ui/dialogs/preferences_texts.h"
#include "ui/stats/options_panel.h"

namespace tavrik {

namespace {

constexpr int PanelWidth = 200;

}  // namespace

TfClearLog::TfClearLog(TLogger& logger, const TPreferences& preferences, QWidget* parent)
    : QDialog(parent), logger_(logger) {
  setObjectName("TfClearLog");
  ApplyWindowFont(this, preferences);
  setWindowTitle(QString::fromStdString(preferences.SetWindowCaption("ClearByFilter")));

  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(4, 4, 4, 8);
  layout->setSpacing(6);
  // The window takes the size its contents ask for: the panel's height sets its own.
  layout->setSizeConstraint(QLayout::SetFixedSize);
  Options = new TOptionsPanel(OptionGame | OptionDate | OptionModes, preferences, this);
  Options->setFixedWidth(PanelWidth);
  Options->lHeader->setText(Text(preferences, "ClearByFilter", "Header"));
  Options->lDate->setText(Text(preferences, "ClearByFilter", "From"));
  layout->addWidget(Options);

  auto* buttons = new QHBoxLayout();
  buttons->addStretch(1);
  btnOK = new QPushButton(Text(preferences, "Main.Buttons", "OK"), this);
  btnOK->setDefault(true);
  btnCancel = new QPushButton(Text(preferences, "Main.Buttons", "Cancel"), this);
  connect(btnOK, &QPushButton::clicked, this, &QDialog::accept);
  connect(btnCancel, &QPushButton::clicked, this, &QDialog::reject);
  buttons->addWidget(btnOK);
  buttons->addWidget(btnCancel);
  layout->addLayout(buttons);

  auto* help = new QShortcut(QKeySequence(Qt::Key_F1), this);
  connect(help, &QShortcut::activated, this,
          [this, &preferences] { ShowHelpTopic(HelpClearStatistics, preferences, this); });

  Options->SetLogger(logger);
}

TRecordPredicate TfClearLog::Choice() const {
  return logger_.Filter().ClearingRule();
}

std::optional<TRecordPredicate> ChooseRecordsToClear(TLogger& logger,
                                                     const TPreferences& preferences,
                                                     QWidget* parent) {
  TfClearLog window(logger, preferences, parent);
  if (window.exec() != QDialog::Accepted) return std::nullopt;
  return window.Choice();
}

}  // namespace tavrik
