#pragma once

#include <optional>
#include <string>

#include "records/logger.h"

namespace tavrik {

class TGameEngine;
class TPreferences;

// What the player decided in the warning window.
struct TWarningOutcome {
  bool ApplyBest = false;     // take the perfect-strategy hold ("Apply")
  bool StopWarnings = false;  // "Don't show these warnings" was checked
  bool Back = false;          // back to the dealt hand to change the hold, no draw
};

// The windows the game engine opens. The interface layer implements it; the engine never
// sees a widget. Every call is modal: it returns when the window has closed.
class TGameWindows {
 public:
  virtual ~TGameWindows() = default;

  // The warning before a draw whose hold is worse than the best one. The window reads the
  // holds, cards and returns from the engine; the engine applies the outcome.
  virtual TWarningOutcome ShowWarning(const TGameEngine& engine) = 0;
  // The no-errors dialog of problem-hands mode: the mode the player picked (0 AutoHold,
  // 1 Training, 2 RealPlay), or -1 when cancelled.
  virtual int AskOtherMode() = 0;
  virtual void ShowStatistics(TLogger& logger, TPreferences& preferences) = 0;
  virtual void ShowErrors(TLogger& logger, TPreferences& preferences) = 0;
  virtual void ShowCharts(TLogger& logger, TPreferences& preferences) = 0;
  // The clear-by-filter window: on OK, the rule choosing the records to delete; nothing
  // when cancelled.
  virtual std::optional<TRecordPredicate> ChooseRecordsToClear(TLogger& logger,
                                                               TPreferences& preferences) = 0;
  virtual void SetupPreferences(TPreferences& preferences) = 0;
  // Tells the player of a problem that does not stop play (a hand log that cannot be read).
  virtual void ReportProblem(const std::string& message) = 0;
  // The engine's long work (clearing a large log) runs between SetBusy(true) and
  // SetBusy(false), which the windows show as the busy cursor. Calls come in pairs and may
  // nest; TBusyScope makes them.
  virtual void SetBusy(bool busy) = 0;
};

// Marks the windows busy while it lives.
class TBusyScope {
 public:
  explicit TBusyScope(TGameWindows& windows) : windows_(windows) { windows_.SetBusy(true); }
  ~TBusyScope() { windows_.SetBusy(false); }
  TBusyScope(const TBusyScope&) = delete;
  TBusyScope& operator=(const TBusyScope&) = delete;

 private:
  TGameWindows& windows_;
};

}  // namespace tavrik
