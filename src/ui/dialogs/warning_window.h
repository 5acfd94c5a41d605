#pragma once

#include <QDialog>
#include <QString>
#include <array>

#include "game/game_engine.h"
#include "game/game_windows.h"
#include "game/preferences.h"

class QCheckBox;
class QLabel;
class QPushButton;

namespace tavrik {

class TGradientLabel;

// The figures of a warning: each return in percent of the bet (ten characters wide, five
// decimals) and in dollars ("$4.87500"), and the loss sentence.
struct TWarningTexts {
  QString MyEV, MyEVDollars, BestEV, BestEVDollars, Comment;
};

// `current` and `best`: expected coins of the player's and the best hold for the whole
// bet; `coinValue` in dollars; `commentFormat` the localised sentence with the dollars
// and the percent to fill in.
TWarningTexts MakeWarningTexts(double current, double best, int bet, double coinValue,
                               const QString& commentFormat);

// The dialog before a draw whose hold is worse than the perfect one: both holds, their
// returns, and the loss.
class TfWarning : public QDialog {
  Q_OBJECT

 public:
  // Enter applies the best hold, Esc draws with the player's, Space does nothing (it is
  // the draw key players press twice by habit).
  TfWarning(const TGameEngine& engine, const TPreferences& preferences, QWidget* parent = nullptr);

  // What the player chose when the window closed.
  TWarningOutcome Outcome() const;
  // The result with which "Back" closes the window.
  static constexpr int BackResult = 2;

  TGradientLabel* lHeader = nullptr;
  QLabel* lYourChoice = nullptr;
  std::array<QLabel*, 5> MyCards{};
  QLabel* lBestWay = nullptr;
  std::array<QLabel*, 5> BestCards{};
  QLabel *lEV1 = nullptr, *lEV2 = nullptr;
  QLabel *lMyEV = nullptr, *lMyEVDollars = nullptr;
  QLabel *lBestEV = nullptr, *lBestEVDollars = nullptr;
  QLabel* lComment = nullptr;
  QCheckBox* cbWarnings = nullptr;
  QPushButton* btnAllHands = nullptr;
  QPushButton* btnBack = nullptr;
  QPushButton* btnCancel = nullptr;
  QPushButton* btnApply = nullptr;

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;
};

// Shows the warning modally and returns the player's choice; the engine applies it.
TWarningOutcome RunWarning(const TGameEngine& engine, const TPreferences& preferences,
                           QWidget* parent = nullptr);

}  // namespace tavrik
