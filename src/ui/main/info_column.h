#pragma once

#include <QWidget>

#include "game/game_engine.h"
#include "game/preferences.h"
#include "ui/widgets/mini_chart.h"

class QLabel;
class QTimer;

namespace tavrik {

class TCardButton;
class TGradientLabel;

// The info column at the right: the bankroll monitor (a mini chart of the player's and the
// perfect strategy's credits), eight caption/value rows read from the engine, and the
// Hint, Double and Deal/Draw buttons at the level of the cards. Its sizes and fonts grow with
// the window's scale.
class TInfoColumn : public QWidget {
  Q_OBJECT

 public:
  // At scale 1.
  static constexpr int BaseWidth = 142;
  static constexpr int HeaderHeight = 22;
  static constexpr int Border = 3;

  TInfoColumn(const TGameEngine& engine, const TPreferences& preferences, QWidget* parent);

  // The window's scale (1 at the initial size; header, border, chart, rows and fonts grow
  // with it) and the card row beside the column: its height, taken from the column's
  // bottom, the top of its cards within it and their height. The three buttons start two
  // pixels below the level of the card tops and share the card height.
  void SetMetrics(double scale, int blockHeight, int cardTop, int cardHeight);
  // The values, the buttons' states and the Deal/Draw text from the engine; starts the
  // play-time display once the engine's clock runs.
  void Refresh();
  void ShowPlayTime();
  // Captions, hints and fonts in the current language and window font.
  void ApplyLanguage();
  // A point of the bankroll monitor after a deal.
  void AddChartPoint(int perfectCredits, int credits);
  const TMiniChart& MiniChart() const { return miniChart_; }

  TGradientLabel* InfoLabel = nullptr;
  QLabel *CreditLabel = nullptr, *lCredit = nullptr;
  QLabel *BalanceLabel = nullptr, *lBalance = nullptr;
  QLabel *AccuracyLabel = nullptr, *lAccuracy = nullptr;
  QLabel *HandsLabel = nullptr, *lHands = nullptr;
  QLabel *TimeLabel = nullptr, *lTime = nullptr;
  QLabel *ValueLabel = nullptr, *lCoinCost = nullptr;
  QLabel *BetLabel = nullptr, *lBet = nullptr;
  QLabel *WinLabel = nullptr, *lWin = nullptr;
  // After a draw in the modes that offer hints: what the hold cost against the best one
  // ("-0.12 coins"); empty otherwise.
  QLabel *CostLabel = nullptr, *lCost = nullptr;
  // The play mode in capitals ("TRAINING") under the mini chart, always in sight.
  QLabel* lMode = nullptr;
  TCardButton* btnHint = nullptr;
  TCardButton* btnDoubleUp = nullptr;
  TCardButton* btnDeal = nullptr;

 signals:
  // The coin value was clicked (the window offers the list of values).
  void CoinValueClicked();

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;

 private:
  // Places the rows above the card row's level and the buttons beside the cards.
  void Arrange();
  // The captions, values, mode line and buttons in the column's font at the scale.
  void ApplyFonts();

  const TGameEngine& engine_;
  const TPreferences& preferences_;
  QWidget* labelPanel_ = nullptr;
  QLabel* miniChartImage_ = nullptr;
  QWidget* buttonPanel_ = nullptr;
  QTimer* timer_ = nullptr;
  TMiniChart miniChart_{130, 60};
  double scale_ = 1.0;
  int blockHeight_ = 0;
  int cardTop_ = 0;
  int cardHeight_ = 127;
};

}  // namespace tavrik
