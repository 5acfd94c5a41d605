#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "game/game_windows.h"
#include "game/preferences.h"

class QWidget;

namespace tavrik {

// The windows the game engine opens, as dialogs over the main window. Problems reported
// before the main window shows wait for ShowPendingProblems.
class TEngineWindows : public TGameWindows {
 public:
  // `preferences` and `parent` must outlive this object.
  TEngineWindows(TPreferences& preferences, QWidget& parent)
      : preferences_(preferences), parent_(parent) {}

  TWarningOutcome ShowWarning(const TGameEngine& engine) override;
  int AskOtherMode() override;
  void ShowStatistics(TLogger& logger, TPreferences& preferences) override;
  void ShowErrors(TLogger& logger, TPreferences& preferences) override;
  void ShowCharts(TLogger& logger, TPreferences& preferences) override;
  std::optional<TRecordPredicate> ChooseRecordsToClear(TLogger& logger,
                                                       TPreferences& preferences) override;
  void SetupPreferences(TPreferences& preferences) override;
  // A dialog over the main window once it shows; while shutting down, standard error and
  // a note in the settings that the next start tells.
  void ReportProblem(const std::string& message) override;
  // The busy cursor over the whole application.
  void SetBusy(bool busy) override;
  // Tells the problems reported while the main window was hidden, each once.
  void ShowPendingProblems();
  // From now on no window opens: the program is ending.
  void SetShuttingDown() { shuttingDown_ = true; }
  // Takes the problems noted at the end of the last run out of the settings, to be told
  // with the pending ones.
  void TakeNotedProblems();

  static constexpr std::string_view NotesSection = "Problems";

 private:
  TPreferences& preferences_;
  QWidget& parent_;
  std::vector<std::string> pendingProblems_;
  bool shuttingDown_ = false;
};

}  // namespace tavrik
