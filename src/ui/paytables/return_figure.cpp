#include "ui/paytables/return_figure.h"

#include <QThread>
#include <QtConcurrent/QtConcurrentRun>
#include <algorithm>

#include "ui/dialogs/preferences_texts.h"
#include "ui/widgets/text_format.h"

namespace tavrik {

namespace {

constexpr int FigureBet = 5;

}  // namespace

TReturnFigure::TReturnFigure(const TPreferences& preferences, QWidget* parent)
    : QLabel(parent), preferences_(preferences) {
  setObjectName("ReturnFigure");
  setAlignment(Qt::AlignCenter);
  setWordWrap(true);  // a long translation takes two lines rather than being cut
  connect(&watcher_, &QFutureWatcher<TOutcome>::finished, this, [this] { Finished(); });
}

void TReturnFigure::Request(int game, const std::optional<TPaytable>& table) {
  if (!table) {
    latest_.reset();
    waiting_.reset();
    ++latestId_;  // a running computation's result is stale now
    shown_.reset();
    setText(Text(preferences_, "SelectPoker", "ReturnIncomplete"));
    SetPending(false);
    return;
  }
  if (latest_ && latest_->Game == game && latest_->Table == *table) return;
  const TJob job{game, *table, ++latestId_};
  latest_ = job;
  if (!shown_) setText(Text(preferences_, "SelectPoker", "ReturnPending"));
  SetPending(true);
  if (running_) {
    waiting_ = job;
  } else {
    Start(job);
  }
}

void TReturnFigure::Start(const TJob& job) {
  running_ = true;
  const int threads = std::max(1, QThread::idealThreadCount());
  watcher_.setFuture(QtConcurrent::run([job, threads] {
    TOutcome outcome{job.Id, std::nullopt, {}};
    try {
      outcome.Result = ComputeGameReturn(job.Game, job.Table, FigureBet, threads);
    } catch (const std::exception& error) {
      outcome.Error = error.what();
    }
    return outcome;
  }));
}

void TReturnFigure::Finished() {
  running_ = false;
  const TOutcome outcome = watcher_.result();
  if (outcome.Id == latestId_) {
    shown_ = outcome.Result;
    if (outcome.Result) {
      setText(
          FormatText(Text(preferences_, "SelectPoker", "Return"),
                     {QString::asprintf("%.4f", static_cast<double>(outcome.Result->Return * 100)),
                      QString::asprintf("%.2f", static_cast<double>(outcome.Result->Variance))}));
    } else {
      setText(QString::fromStdString(outcome.Error).section('\n', 0, 0));
    }
    SetPending(false);
    emit Updated();
  }
  if (waiting_) Start(*std::exchange(waiting_, std::nullopt));
}

void TReturnFigure::SetPending(bool pending) {
  pending_ = pending;
  setEnabled(!pending);  // the old figure greyed until the new one is there
}

}  // namespace tavrik
