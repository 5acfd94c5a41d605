#pragma once

#include <array>
#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "core/payout.h"
#include "core/payout_storage.h"
#include "core/poker_engine.h"
#include "core/random.h"
#include "game/game_windows.h"
#include "game/ini_file.h"
#include "game/preferences.h"
#include "records/log_record.h"
#include "records/logger.h"
#include "records/money.h"
#include "records/ole_date.h"

namespace tavrik {

enum class GameState : int {
  NoRound = -1,  // no cards on the table
  Finished = 0,  // drawn and paid, not yet collected
  Dealt = 1,     // waiting for the hold
  DoubleUp = 2,  // double-up cards on the table
};

enum class GameMode : int {
  AutoHold = 0,        // the best hold is preset after each deal
  Training = 1,        // nothing held after the deal; hints allowed
  RealPlay = 2,        // nothing held; the window hides the hint
  PlayErrorHands = 3,  // the player's problem hands are dealt again
};

// The player's options (bits of the saved settings).
enum GameOption : uint8_t { ShowResultHands = 1, ShowWarnings = 2 };

// Coins a new player starts with.
inline constexpr int StartCredits = 2500;
inline constexpr int NoCard = -100;
// The hold mask that replaces all five cards (holds nothing).
inline constexpr int ReplaceAll = 31;
// Problem hands are kept as five base-60 digits of card indexes.
inline constexpr int ProblemCodeBase = 60;
// Added to the rank of a wild card in double-up, so that it beats every natural card.
inline constexpr int WildDoubleUpBonus = 100;

// A play time (day fraction) as the total "HH:MM:SS"; hours pass 24 ("26:13:05").
std::string FormatPlayTime(double days);
// A balance in dollars as whole cents, halves rounded to even; raises TError beyond 64 bits.
int64_t BalanceCents(double dollars);

// The controller of play: the round (bet, deal, hold, draw, pay, double up, collect), the
// play modes and problem hands, the hint and warning, and the play counters. It owns the
// analysis engine of the current game, the running paytable, the record of the round in
// progress and the hand log, and reaches windows only through TGameWindows.
//
// States: NoRound -Deal-> Dealt -Draw-> Finished -StartDoubleUp-> DoubleUp
// -PickDoubleCard-> Finished; Finished or DoubleUp -Deal-> Dealt (collecting first); any
// state -SelectPoker-> NoRound (collecting first). A round is logged when it is collected:
// at the next deal, a change of game, or shutdown; the settings file is written then too.
//
// Failures raise TError; Deal, Draw, Collect, SetEngine, SelectPoker, SetPayIndex, ReloadPaytable,
// LoadFromIni, SaveToIni, ShowCharts, ShowStatistics, SetupPreferences, ShowErrors,
// ClearByFilter and ClearLog add their name to the message on the way out.
class TGameEngine {
 public:
  // Creates the hand log of the data folder, tells the player through `windows` when it
  // or the paytable file cannot be read, and loads the saved game and counters from the
  // preferences' settings.
  TGameEngine(TPreferences& preferences, TGameWindows& windows);
  // The same with a hand log of the caller's.
  TGameEngine(TPreferences& preferences, TGameWindows& windows, std::unique_ptr<TLogger> logger);
  // Collects the open round and saves the settings into the preferences' settings (which
  // the preferences write to disk); failures are reported on standard error.
  ~TGameEngine();
  TGameEngine(const TGameEngine&) = delete;
  TGameEngine& operator=(const TGameEngine&) = delete;

  // Starts a round: collects the previous one, takes the bet, deals five cards (problem
  // hands in PlayErrorHands mode) and analyses them. In PlayErrorHands mode without problem
  // hands it asks for another mode; when the player cancels, nothing is dealt.
  void Deal();
  // Completes the round in state Dealt: draws five replacement cards, works out the final
  // hand of the player's hold, of the best hold and the best win in hindsight, and the win.
  void Draw();
  // Closes the round: a drawn round is logged and paid; a round dealt but never drawn gives
  // the bet back and is not logged. A round is collected once; further calls do nothing.
  void Collect();
  // Flips the hold of one card (position 0..4) in state Dealt.
  void ToggleHold(int position);
  // Whether the card at position 0..4 is replaced by the player's hold / by the best hold.
  bool IsReplaced(int position) const;
  bool IsBestReplaced(int position) const;
  // Sets the best hold and marks the round as hinted (it becomes a problem hand).
  void Hint();
  // Expected coins of the player's hold and of the best hold for the dealt cards.
  double CurrentHoldReturn() const;
  double BestHoldReturn() const;
  // Before a draw: shows the warning when warnings are on, the state is Dealt and the best
  // hold returns more than the preferences' warning threshold more than the player's, then applies
  // the player's choice. Returns the player's answer, nothing when no warning was due.
  std::optional<TWarningOutcome> CheckWarning();
  // Double up (state Finished, Win > 0): five fresh cards, position 0 the dealer's.
  void StartDoubleUp();
  // Picks the card at position 1..4 against the dealer's: higher doubles the win, lower
  // loses it, equal keeps it. Wild cards beat natural ones.
  void PickDoubleCard(int position);
  // Card index at position 0..4, NoCard when none.
  int GetCard(int position) const;
  // Coins per hand 1..5, when CanChangeBet; raises TError otherwise.
  void SetBet(int bet);
  // Coins paid for category 0..15 at bet 1..5.
  int GetPayout(int category, int bet) const;
  void SetMode(GameMode mode);
  // Opens game 0..8 with paytable `payIndex` of the catalogue; the previous game goes to
  // the front of MRUList. On failure nothing changes.
  void SelectPoker(int gameType, int payIndex);
  // Reads the current paytable again from the catalogue, after the chooser changed it.
  // Game, paytable index, round and counters stay as they are.
  void ReloadPaytable();
  // Credits, balance, coin value, accuracy sums, hands and play time to their start values,
  // when CanResetCounters, after collecting a drawn round; raises TError while a hand waits
  // for its draw or a double-up card.
  void ResetValues();
  // The player's expected return as a percentage of the best: 100 while nothing was drawn.
  double Accuracy() const;
  // Play time as a day fraction.
  double PlayTime() const;
  // The game's name in upper case.
  std::string GameTitle() const;
  int CategoryCount() const;
  std::string CategoryName(int category) const;
  // Whether a rank is wild in the current game's deck.
  bool IsWild(int rank) const;
  int GameType() const;

  void ShowStatistics();
  void ShowErrors();
  void ShowCharts();
  // Opens the clear-by-filter window and deletes the records it chooses. Problem-hands
  // mode then replays only the hands that are left.
  void ClearByFilter();
  // Deletes every record of the hand log; problem-hands mode finds none afterwards.
  void ClearLog();
  void SetupPreferences();

  // Reads MRU and Params from `settings` and opens the saved game (a key that cannot be
  // opened gives game 0, paytable 0). Counters are read only when their autosave flag is
  // set.
  void LoadFromIni(const TIniFile& settings);
  // Writes MRU and Params into `settings`, counters only when their autosave flag is set.
  void SaveToIni(TIniFile& settings) const;

  // The rank a card has in double-up: 0..12 for natural cards, rank + 100 for a card wild
  // in `deck` (so a wild card beats every natural card and two wild cards tie).
  static int DoubleUpRank(int cardIndex, const TCardBunch& deck);
  // c0 + 60 c1 + 60^2 c2 + 60^3 c3 + 60^4 c4 of five card indexes.
  static int32_t ProblemHandCode(const std::array<uint8_t, 5>& cards);

  TLogger& Logger() { return *logger_; }
  const TPokerEngine& Engine() const { return *engine_; }
  // Whether the problem hands of the current game and paytable are loaded.
  bool HasErrorHands() const { return !errorHands_.empty(); }

  // --- Queries -------------------------------------------------------------------------
  GameState State() const { return state_; }
  GameMode Mode() const { return mode_; }
  // Coins per hand, 1..5.
  int Bet() const { return bet_; }
  int32_t Credits() const { return credits_; }
  // The credits the perfect strategy would have from the same cards.
  int32_t PerfectCredits() const { return perfectCredits_; }
  // Dollars won or lost since the last reset.
  double Balance() const { return balance_; }
  // Coins the open round pays; 0 when none or collected.
  int32_t Win() const { return win_; }
  int32_t HandsPlayed() const { return handsPlayed_; }
  // Index 0..5 into CoinValues.
  int CoinValueIndex() const { return coinValueIndex_; }
  bool HasOption(GameOption option) const { return (options_ & option) != 0; }
  // The paying category of the cards on the table, -1 when they pay nothing.
  int HandCategory() const { return handCategory_; }
  // Bit i set: the card at position i is replaced at the draw; ReplaceAll holds nothing.
  int HoldMask() const { return holdMask_; }
  // Paytable of the catalogue the current game plays.
  int PayIndex() const { return payIndex_; }
  // The record of the round on the table (complete once drawn).
  const TLogRecord& Record() const { return record_; }
  // Double-up games played in the open round.
  int DoubleCount() const { return doubleCount_; }
  // The card position 1..4 picked in the last double-up game of the round, -1 while none
  // is picked; and how that game went: +1 won, 0 push, -1 lost.
  int DoublePick() const { return doublePick_; }
  int DoubleOutcome() const { return doubleOutcome_; }
  // Game keys, most recent first, at most 5; the game being played is not among them.
  const std::vector<std::string>& MRUList() const { return mruList_; }
  // Sums of the player's and of the best expected returns of the drawn rounds.
  double SumPlayerReturn() const { return sumPlayerReturn_; }
  double SumPerfectReturn() const { return sumPerfectReturn_; }
  // Whether the play-time clock runs (from the first deal after a reset).
  bool IsClockRunning() const { return startTime_ != 0; }

  // --- What the player may do now --------------------------------------------------------
  // Bet 1..5 is in range and no round is waiting for its draw or double-up pick.
  bool CanChangeBet(int bet) const;
  // A paid round is on the table and not yet collected.
  bool CanDoubleUp() const;
  // A dealt hand waits for its hold (the hint is offered then, but not in RealPlay).
  bool CanHint() const;
  // The deal/draw button works in every state but double-up (a card must be picked first).
  bool CanDrawOrDeal() const { return state_ != GameState::DoubleUp; }
  // Holds change while a dealt hand waits for its draw.
  bool CanHold() const { return state_ == GameState::Dealt; }
  // Double-up cards are on the table and position 1..4 may be picked (0 is the dealer's).
  bool CanPickDoubleCard(int position) const {
    return state_ == GameState::DoubleUp && position >= 1 && position <= 4;
  }
  // Whether the mode offers the hint at all (every mode but RealPlay).
  bool OffersHint() const { return mode_ != GameMode::RealPlay; }
  // Between rounds: no round open, or the last one drawn and paid.
  bool CanResetCounters() const;
  // The paytable chooser may open: between rounds, as for CanResetCounters.
  bool CanSelectPoker() const { return CanResetCounters(); }
  // Whether the card at position 0..4 shows its face: not before the first deal, and in
  // double-up only the dealer's card (position 0).
  bool IsFaceUp(int position) const;
  // Positions (bit i for position i) whose cards the last DrawOrDeal put on the table.
  int NewCards() const { return newCards_; }

  // --- Commands --------------------------------------------------------------------------
  // The deal/draw button: in state Dealt, checks the warning and draws, and without result
  // hands deals the next round at once; in any other state, deals. Returns false when the
  // player went back to the dealt hand from the warning (nothing drawn, no new cards).
  bool DrawOrDeal();
  // Releases every hold in state Dealt; does nothing in other states.
  void ReleaseAllHolds();
  // Coin value index 0..5 (of CoinValues).
  void SetCoinValue(int index);
  void SetOption(GameOption option, bool on);

  // Test seams: the source of "now" (an OLE date) and the generator cards are dealt from
  // (seeded from the clock at every change of game). The generator must outlive the engine.
  void SetClock(std::function<double()> clock) { clock_ = std::move(clock); }
  void SetRandom(TRandom& random) { random_ = &random; }

 private:
  // Appends the collected round to the hand log and writes the settings file. A write that
  // fails is told to the player once (until a write succeeds again); play goes on and the
  // next round writes what is missing.
  void KeepRound();
  void SetEngine(std::unique_ptr<TPokerEngine> engine);
  void SetPayIndex(int index, const TPayoutStorage& catalogue);
  void ResetRound();
  // Draws a random card not yet used this round, removes it from the deck.
  int DealCard();
  // Marks card `index` used and removes it from the deck; raises TError for an index
  // outside the deck or a card already used.
  int TakeCard(int index);
  // Puts card `index` at `position` of the table and into the analysed hand.
  void PlaceCard(int position, int index);
  // The final hand that hold `mask` makes with the round's replacement cards.
  std::array<int, 5> FinalCards(int mask) const;
  // Puts that hand into the analysis and returns its category (-1 when it pays nothing).
  int BuildFinalHand(int mask);
  int PayFor(int category) const;
  void UpdateHandCategory();
  bool LoadErrorHands();
  void DropErrorHands();
  void AskOtherMode();
  // Whether a record's dealt cards can be dealt again in the current game.
  bool CanReplay(const TLogRecord& record) const;

  TPaytable payouts_{};  // row bet - 1, column category
  int payIndex_ = -1;
  std::array<int, 5> cards_{NoCard, NoCard, NoCard, NoCard, NoCard};
  // Cards used this round, by card index (a problem-hand code digit is below 60).
  std::array<uint8_t, ProblemCodeBase + 1> usedCards_{};
  int holdMask_ = 0;
  size_t errorHandIndex_ = 0;  // the problem hand dealt next
  GameState state_ = GameState::NoRound;
  GameMode mode_ = GameMode::Training;
  int handCategory_ = -1;
  uint8_t options_ = ShowResultHands | ShowWarnings;
  int fullDeckSize_ = 52;
  int32_t credits_ = StartCredits;
  int32_t perfectCredits_ = StartCredits;
  double balance_ = 0;  // dollars
  int bet_ = 5;
  int coinValueIndex_ = 0;
  int32_t win_ = 0;
  std::vector<std::string> mruList_;
  TLogRecord record_;
  int doubleCount_ = 0;
  int doublePick_ = -1;
  int doubleOutcome_ = 0;
  double sumPlayerReturn_ = 0;
  double sumPerfectReturn_ = 0;
  int32_t handsPlayed_ = 0;
  double savedTime_ = 0;  // day fraction carried over
  double startTime_ = 0;  // OLE date the clock was (re)started; 0 while stopped
  int newCards_ = 0;
  std::function<double()> clock_ = OleDateNow;
  TRandom* random_ = &TRandom::Global();

  TPreferences& preferences_;
  TGameWindows& windows_;
  std::unique_ptr<TLogger> logger_;
  std::unique_ptr<TPokerEngine> engine_;
  TPayout payout_;
  std::vector<int32_t> errorHands_;
  bool roundOpen_ = false;            // a dealt round waits to be collected
  bool logProblemTold_ = false;       // the player knows the log cannot be written
  bool settingsProblemTold_ = false;  // the player knows the settings cannot be written
};

}  // namespace tavrik
