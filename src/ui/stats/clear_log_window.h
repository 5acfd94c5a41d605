#pragma once

#include <QDialog>
#include <optional>

#include "game/preferences.h"
#include "records/logger.h"

class QPushButton;

namespace tavrik {

class TOptionsPanel;

// The clear-by-filter window: the options panel (game, date, modes) over the logger's
// shared filter, headed "DELETE RECORDS", and OK and Cancel. OK chooses the records of the
// selected game and modes dealt at the chosen date or before. Modal; the window's height
// follows the panel.
class TfClearLog : public QDialog {
  Q_OBJECT

 public:
  // `logger` and `preferences` must outlive the window; no record may be added while it
  // lives.
  TfClearLog(TLogger& logger, const TPreferences& preferences, QWidget* parent = nullptr);

  // The filter's clearing rule as it stands now (a copy of the choice).
  TRecordPredicate Choice() const;

  TOptionsPanel* Options = nullptr;
  QPushButton* btnOK = nullptr;
  QPushButton* btnCancel = nullptr;

 private:
  TLogger& logger_;
};

// Runs the window modally: the rule choosing the records to delete on OK, nothing when
// cancelled.
std::optional<TRecordPredicate> ChooseRecordsToClear(TLogger& logger,
                                                     const TPreferences& preferences,
                                                     QWidget* parent);

}  // namespace tavrik
