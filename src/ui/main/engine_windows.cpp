#include "ui/main/engine_windows.h"

#include <QApplication>
#include <QMessageBox>
#include <QWidget>
#include <algorithm>
#include <iostream>
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
  if (shuttingDown_) {
    std::cerr << "tavrik: " << message << '\n';
    try {
      std::string line = message;
      std::replace_if(
          line.begin(), line.end(), [](char c) { return c == '\r' || c == '\n'; }, ' ');
      TIniFile& settings = preferences_.Settings;
      settings.WriteString(NotesSection, std::to_string(settings.Keys(NotesSection).size() + 1),
                           line);
    } catch (const std::exception& error) {
      std::cerr << "tavrik: " << error.what() << '\n';
    }
  } else if (parent_.isVisible()) {
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

void TEngineWindows::TakeNotedProblems() {
  TIniFile& settings = preferences_.Settings;
  for (const std::string& key : settings.Keys(NotesSection)) {
    pendingProblems_.push_back(settings.ReadString(NotesSection, key, ""));
  }
  settings.EraseSection(NotesSection);
}

void TEngineWindows::ShowPendingProblems() {
  for (const std::string& problem : std::exchange(pendingProblems_, {})) {
    QMessageBox::warning(&parent_, parent_.windowTitle(), QString::fromStdString(problem));
  }
}

}  // namespace tavrik
