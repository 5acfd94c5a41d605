#pragma once

#include <QFutureWatcher>
#include <QLabel>
#include <cstdint>
#include <optional>
#include <string>

#include "core/game_return.h"
#include "core/payout.h"
#include "game/preferences.h"

namespace tavrik {

// One line under a paytable: the exact return of the game played perfectly at 5 coins
// and its variance. The figure is worked out on a worker thread while the window stays
// live. A computation cannot be stopped: while one runs, the old figure is greyed and the
// newest request waits; when the running one ends, its result is shown only if nothing
// newer was asked meanwhile, and the waiting request starts.
class TReturnFigure : public QLabel {
  Q_OBJECT

 public:
  // Texts from the "SelectPoker" section: "Return" (a format with the return in percent
  // and the variance), "ReturnPending" (while the first figure is computed) and
  // "ReturnIncomplete" (while a pay is missing).
  explicit TReturnFigure(const TPreferences& preferences, QWidget* parent = nullptr);

  // Asks for the figure of game 0..8 under `table`; nothing (a pay missing) shows the
  // incomplete text at once. Asking again for the figure on show does nothing.
  void Request(int game, const std::optional<TPaytable>& table);
  // Whether a figure newer than the one on show is being computed.
  bool IsPending() const { return pending_; }
  // The computation whose figure is on show; nothing while none is.
  const std::optional<TGameReturn>& Shown() const { return shown_; }

 signals:
  // The newest figure (or its failure) is on show.
  void Updated();

 private:
  struct TJob {
    int Game = 0;
    TPaytable Table{};
    uint64_t Id = 0;
  };
  struct TOutcome {
    uint64_t Id = 0;
    std::optional<TGameReturn> Result;
    std::string Error;
  };
  void Start(const TJob& job);
  void Finished();
  void SetPending(bool pending);

  const TPreferences& preferences_;
  QFutureWatcher<TOutcome> watcher_;
  bool running_ = false;
  std::optional<TJob> waiting_;
  std::optional<TJob> latest_;  // the last request with a full table
  uint64_t latestId_ = 0;
  bool pending_ = false;
  std::optional<TGameReturn> shown_;
};

}  // namespace tavrik
