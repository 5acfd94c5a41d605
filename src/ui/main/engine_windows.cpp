#include "ui/main/engine_windows.h"

#include <QApplication>
#include <QMessageBox>
#include <QWidget>
#include <utility>

#include "core/error.h"
#include "ui/dialogs/no_errors_dialog.h"
#include "ui/dialogs/preferences_dialog.h"
#include "ui/dialogs/warning_window.h"
#include "ui/stats/charts_window.h"
#include "ui/stats/clear_log_window.h"
#include "ui/stats/errors_window.h"
#include "ui/stats/statistics_window.h"

namespace tavrik {

TWarningOutcome TEngineWindows::ShowWarning(const TGameEngine& engine) {
  return RunWarning(engine, preferences_, &parent_);
}

int TEngineWindows::AskOtherMode() {
  return AskNoErrorsMode(preferences_, &parent_);
}

void TEngineWindows::ShowStatistics(TLogger& logger, TPreferences& preferences) {
  ShowStatisticsWindow(logger, preferences, &parent_);
}

void TEngineWindows::ShowErrors(TLogger& logger, TPreferences& preferences) {
  ShowErrorsWindow(logger, preferences, &parent_);
}

void TEngineWindows::ShowCharts(TLogger& logger, TPreferences& preferences) {
  ShowChartsWindow(logger, preferences, &parent_);
}

std::optional<TRecordPredicate> TEngineWindows::ChooseRecordsToClear(TLogger& logger,
                                                                     TPreferences& preferences) {
  return tavrik::ChooseRecordsToClear(logger, preferences, &parent_);
}

void TEngineWindows::SetupPreferences(TPreferences& preferences) {
  RunPreferencesDialog(preferences, &parent_);
}

void TEngineWindows::ReportProblem(const std::string& message) {
  if (parent_.isVisible()) {
    QMessageBox::warning(&parent_, parent_.windowTitle(), QString::fromStdString(message));
  } else {
    pendingProblems_.push_back(message);
  }
}

void TEngineWindows::SetBusy(bool busy) {
  if (busy) {
    QApplication::setOverrideCursor(Qt::WaitCursor);
  } else {
    QApplication::restoreOverrideCursor();
  }
}

void TEngineWindows::ShowPendingProblems() {
  for (const std::string& problem : std::exchange(pendingProblems_, {})) {
    QMessageBox::warning(&parent_, parent_.windowTitle(), QString::fromStdString(problem));
  }
}

}  // namespace tavrik
