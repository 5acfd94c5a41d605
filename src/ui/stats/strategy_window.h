#pragma once

#include <QDialog>

#include "core/payout.h"
#include "game/preferences.h"
#include "records/logger.h"

class QLabel;
class QPushButton;
class QTableWidget;

namespace tavrik {

class TGameEngine;

// The strategy chart of one game and paytable at one bet, derived from every deal when the
// window opens: per line the pattern, how often it is the best hold and how often its
// place is right (percent), and the player's own graded errors in the log whose best hold
// had that pattern. Below, the return of playing by the chart beside perfect play.
class TfStrategy : public QDialog {
  Q_OBJECT

 public:
  static constexpr int ColumnCount = 4;

  // `logger` must outlive the window.
  TfStrategy(const TLogger& logger, const TPreferences& preferences, int game, int payIndex,
             const TPaytable& table, int bet, QWidget* parent = nullptr);

  QLabel* lTitle = nullptr;
  QTableWidget* Grid = nullptr;
  QLabel* lReturns = nullptr;
  QPushButton* btnOK = nullptr;
};

// Runs the window for the engine's game, paytable and bet over its log.
void ShowStrategyWindow(TGameEngine& engine, const TPreferences& preferences, QWidget* parent);

}  // namespace tavrik
