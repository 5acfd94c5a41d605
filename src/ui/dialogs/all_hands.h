#pragma once

#include <QDialog>
#include <QImage>
#include <QString>
#include <QStringList>
#include <array>
#include <cstdint>
#include <memory>
#include <vector>

#include "core/payout.h"
#include "core/poker_description.h"
#include "game/game_engine.h"
#include "game/preferences.h"

class QHBoxLayout;
class QPushButton;
class QRadioButton;
class QTableWidget;

namespace tavrik {

// One hold of the dealt hand: its expected return and, per paying category (the entry
// after the last category is "Nothing", the losing draws), its draw count, probability
// and share of the return.
struct THandStat {
  static constexpr int Entries = MaxCategories + 1;

  int Mask = 0;  // bit i set: card i replaced
  // Character i is '1' when card i is replaced, '0' when kept.
  QString HoldText;
  int ReplacedCount = 0;
  // The five cards, the replaced ones faded.
  QImage Picture;
  std::array<long double, Entries> CategoryProbability{};
  std::array<long double, Entries> CategoryReturn{};  // coins for the current bet
  std::array<int64_t, Entries> HitCount{};
  long double ExpectedReturn = 0;  // coins for the current bet
  int Bet = 1;                     // the current bet in coins
};

// The 32 holds of the analysed deal at `bet` coins in mask order, with pictures cut from
// `picture` (five cards one pixel apart) and its faded copy.
std::vector<THandStat> BuildHandStats(const TPokerEngine& engine, int bet, const QImage& picture);

// A copy where every pixel that is not pure white is grey: v = min(255, g / 2 + 160) with
// g the integer mean of red, green and blue.
QImage FadePicture(const QImage& picture);

// Orders two rows for sort column `sortColumn` (+k: grid column k - 1 descending, -k
// ascending) in display mode 0 counts, 1 probabilities, 2 returns. Greater than 0: b comes
// before a. Ties of the value, and the hands column itself, go by the number of replaced
// cards (more first), then by the hold text (higher first).
int CompareHandStats(const THandStat& a, const THandStat& b, int sortColumn, int displayMode);

// The text of a row's cell in grid column 1 (return) or 2.. (categories, the last one
// "Nothing") for a display mode; "- " for a zero value. Returns are in percent of the bet,
// as the warning gives them.
QString HandStatText(const THandStat& row, int column, int displayMode);

// A dealt hand apart from the one on the table (a logged round): the game, paytable and
// bet it was dealt with, its cards and the two holds to show.
struct TDealtHand {
  int GameType = 0;                         // game 0..8
  int PayIndex = 0;                         // the game's paytable in the catalogue
  int Bet = 1;                              // coins 1..5
  std::array<int, 5> Cards{0, 1, 2, 3, 4};  // card indexes 0..53 by table position
  int PlayerMask = ReplaceAll;              // the player's hold, selected at opening
  int BestMask = -1;                        // the best hold, its row in bold; -1 none
};

// An analysis engine of game 0..8 with `payout` attached (paytable `table` at `bet` coins
// 1..5) and `cards` (card indexes by table position) dealt and analysed, as the game engine
// deals them. Raises TError for a game, bet or card out of range or a card given twice.
std::unique_ptr<TPokerEngine> AnalyseHand(int game, const TPaytable& table, int bet,
                                          const std::array<int, 5>& cards, TPayout& payout);

// The table of all 32 holds of an analysed hand, a row per hold (its cards, the replaced
// ones faded, its return and per category the count, probability or return of its draws),
// with the choice of what the category columns show under it. A title click sorts.
class TAllHandsTable : public QWidget {
  Q_OBJECT

 public:
  static constexpr int RowHeight = 18;

  explicit TAllHandsTable(const TPreferences& preferences, QWidget* parent = nullptr);

  // Takes the rows from the analysed `engine` (its hand `cards` at `bet` coins), sets the
  // row of `bestMask` (-1 none) in bold, sorts and selects `selectMask`. A sort chosen
  // before stays when the game still has its column; otherwise the rows go by return,
  // best first.
  void Fill(const TPokerEngine& engine, int bet, const std::array<int, 5>& cards, int selectMask,
            int bestMask);
  // No rows; the titles of the engine's game.
  void Clear(const TPokerEngine& engine);

  // Title click on grid column `column`: sorts it descending, or flips the direction
  // when it is sorted already.
  void GridFixedCellClick(int column);
  void SetDisplayMode(int mode);
  // Sorts the rows, keeps the selected hold selected and redraws.
  void Sort();
  // The hold mask of the selected row; -1 none.
  int SelectedMask() const;

  std::vector<THandStat> Rows;
  QStringList ColumnTitles;
  int DisplayMode = 0;
  int SortColumn = 2;
  int BestMask = -1;  // the hold whose row is bold; -1 none

  QTableWidget* Grid = nullptr;
  QRadioButton* rbHands = nullptr;
  QRadioButton* rbProbability = nullptr;
  QRadioButton* rbReturn = nullptr;
  // The row of the three choices under the grid, ending in a stretch: a window may add
  // its buttons.
  QHBoxLayout* Bottom = nullptr;

 private:
  void SetTitles(const TPokerEngine& engine);
  void FillGrid();
  // The grid's least size: every column wide enough for all three modes.
  void SizeGrid();
  void SelectMask(int mask);

  const TPreferences& preferences_;
  int pictureWidth_ = 0;
};

// The modal table of all 32 holds of a dealt hand.
class TfmAllHands : public QDialog {
  Q_OBJECT

 public:
  // Fills the rows from the game's analysis of the dealt hand (state Dealt), selects the
  // player's hold and sorts by expected return, best first.
  TfmAllHands(const TGameEngine& game, const TPreferences& preferences, QWidget* parent = nullptr);
  // The same for a hand of its own, analysed afresh by its game's engine with the game's
  // paytable of the catalogue at the hand's bet; selects the player's hold and sets the
  // best hold's row in bold.
  // Raises TError for a game, paytable, bet or card out of range or a card given twice.
  TfmAllHands(const TDealtHand& hand, const TPreferences& preferences, QWidget* parent = nullptr);

  TAllHandsTable* Table = nullptr;
  QPushButton* btnOK = nullptr;

 private:
  // The table, button and help key, before the rows exist.
  void BuildControls(const TPreferences& preferences);
};

// Opens the table for the hand on the table, modally.
void ShowAllHands(const TGameEngine& game, const TPreferences& preferences,
                  QWidget* parent = nullptr);
// Opens the table for a hand of its own, modally.
void ShowAllHands(const TDealtHand& hand, const TPreferences& preferences,
                  QWidget* parent = nullptr);

}  // namespace tavrik
