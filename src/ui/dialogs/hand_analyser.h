#pragma once

#include <QAbstractButton>
#include <QDialog>
#include <array>
#include <vector>

#include "core/card.h"
#include "core/payout_storage.h"
#include "game/game_engine.h"
#include "game/preferences.h"

class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QSpinBox;

namespace tavrik {

class TAllHandsTable;

// One small card of the picker: its rank and suit sign on white, framed and tinted while
// it is in the hand.
class TPickerCard : public QAbstractButton {
 public:
  static constexpr QSize CardSize{27, 36};

  // `index` 0..53; a joker for 52 and 53.
  TPickerCard(int index, QWidget* parent);
  QSize sizeHint() const override { return CardSize; }
  void SetSelected(bool selected);
  bool Selected() const { return selected_; }

 protected:
  void paintEvent(QPaintEvent* event) override;

 private:
  int index_;
  bool selected_ = false;
};

// The deck as small cards: a row per suit (spades, clubs, diamonds, hearts) from 2 to the
// ace; the game's jokers stand right of the spades and the clubs.
class TCardPicker : public QWidget {
  Q_OBJECT

 public:
  explicit TCardPicker(QWidget* parent = nullptr);
  // Shows the game's jokers, 0..2.
  void SetJokerCount(int count);
  // Marks the cards of `cards` (indexes 0..53) as in the hand, the others not.
  void SetSelected(const std::vector<int>& cards);
  // The card of index 0..53; a joker's card is hidden when the game lacks it.
  TPickerCard* Card(int index) const { return cards_.at(static_cast<size_t>(index)); }

 signals:
  void CardClicked(int index);

 private:
  std::array<TPickerCard*, MaxCardIndex + 1> cards_{};
};

// The hand analyser: a hand typed or picked, a game, one of its paytables and a bet, and
// the table of all 32 holds of that hand, best first, worked out again at every change.
class TfHandAnalyser : public QDialog {
  Q_OBJECT

 public:
  // Starts with the game, paytable and bet of `game`, and its dealt hand while a round
  // waits for its draw (an empty hand otherwise).
  TfHandAnalyser(const TGameEngine& game, const TPreferences& preferences,
                 QWidget* parent = nullptr);

  // A picker click: card 0..53 leaves the hand, or joins it when it holds fewer than five.
  void PickCard(int index);
  // Reads the hand; a good one is analysed and shown, a bad one is named under the field
  // and the last analysis stays while the game, paytable and bet are those it was made
  // with (otherwise the table is emptied).
  void Analyse();
  // Game 0..8, paytable of the catalogue, bet 1..5 shown.
  int GameType() const;
  int PayIndex() const;
  int Bet() const;

  QComboBox* cbGame = nullptr;
  QComboBox* cbPaytable = nullptr;
  QSpinBox* seBet = nullptr;
  QLineEdit* edCards = nullptr;
  QLabel* lMessage = nullptr;  // why the typed hand cannot be analysed; empty when it can
  TCardPicker* Picker = nullptr;
  QLabel* lBest = nullptr;  // the best hold and its return per coin
  TAllHandsTable* Table = nullptr;
  QPushButton* btnClose = nullptr;
  // The cards read from the field, as the picker shows them.
  std::vector<int> Picked;

 protected:
  // A window grown by a game of more categories moves back onto the screen.
  void resizeEvent(QResizeEvent* event) override;

 private:
  // The game's paytables into the list, its jokers into the picker, then Analyse.
  void GameChanged(int payIndex);

  // Game, paytable and bet.
  using TChoice = std::array<int, 3>;

  const TPreferences& preferences_;
  const TPayoutStorage catalogue_;
  int jokerCount_ = 0;
  TChoice shown_{-1, -1, -1};  // the choice the table shows
};

// Opens the analyser modally.
void ShowHandAnalyser(const TGameEngine& game, const TPreferences& preferences,
                      QWidget* parent = nullptr);

}  // namespace tavrik
