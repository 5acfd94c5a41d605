#include "game/game_engine.h"

#include <algorithm>
#include <iostream>
#include <limits>

#include "core/card.h"
#include "core/error.h"
#include "core/game_list.h"
#include "game/analysis_engine.h"
#include "records/mistake.h"

namespace tavrik {

namespace {

constexpr size_t MaxMRU = 5;

// value + delta for a 32-bit counter; raises TError on overflow.
int32_t CheckedSum(int32_t value, int64_t delta, std::string_view counter) {
  const int64_t sum = int64_t{value} + delta;
  if (sum < std::numeric_limits<int32_t>::min() || sum > std::numeric_limits<int32_t>::max()) {
    throw TError("Overflow of " + std::string(counter));
  }
  return static_cast<int32_t>(sum);
}

uint8_t CategoryByte(int category) {
  return category < 0 ? TLogRecord::NoCategory : RecordByte(category, "category");
}

void RequirePosition(int position, int first) {
  RequireInRange(position, first, 4, "Card position");
}

}  // namespace

TGameEngine::TGameEngine(TPreferences& preferences, TGameWindows& windows)
    : TGameEngine(preferences, windows, std::make_unique<TLogger>()) {}

TGameEngine::TGameEngine(TPreferences& preferences, TGameWindows& windows,
                         std::unique_ptr<TLogger> logger)
    : preferences_(preferences), windows_(windows), logger_(std::move(logger)) {
  if (!logger_->Problem().empty()) windows_.ReportProblem(logger_->Problem());
  LoadFromIni(preferences_.Settings);
}

TGameEngine::~TGameEngine() {
  try {
    Collect();
  } catch (const std::exception& error) {
    std::cerr << "tavrik: " << error.what() << '\n';
  }
  try {
    SaveToIni(preferences_.Settings);
  } catch (const std::exception& error) {
    std::cerr << "tavrik: " << error.what() << '\n';
  }
}

int TGameEngine::DealCard() {
  for (;;) {
    const int index = static_cast<int>(Random->Next(static_cast<uint32_t>(FullDeckSize)));
    if (UsedCards[static_cast<size_t>(index)] == 0) return TakeCard(index);
  }
}

int TGameEngine::TakeCard(int index) {
  RequireInRange(index, 0, FullDeckSize - 1, "Card index");
  Require(UsedCards[static_cast<size_t>(index)] == 0, "A card was dealt twice");
  UsedCards[static_cast<size_t>(index)] = 1;
  const TCard card = CardFromIndex(index);
  engine_->Deck.Remove(card.Rank, card.Suit);
  return index;
}

void TGameEngine::PlaceCard(int position, int index) {
  Cards[static_cast<size_t>(position)] = index;
  const TCard card = CardFromIndex(index);
  engine_->Hand.AddCard(card.Rank, card.Suit);
}

void TGameEngine::Deal() {
  WithContext("Deal", [&] {
    if (StartTime == 0) StartTime = Clock() - SavedTime;
    Collect();
    DoubleCount = 0;
    engine_->NewDeal();
    UsedCards.fill(0);
    if (Mode == GameMode::PlayErrorHands) {
      if (errorHands_.empty() && !LoadErrorHands()) AskOtherMode();
      if (Mode == GameMode::PlayErrorHands && errorHands_.empty()) return;
    }
    RequireInRange(CoinValueIndex, 0, static_cast<long long>(CoinValues.size()) - 1, "Coin value");
    // The analysis counts in coins for the bet of this round.
    payout_.SetPay(Payouts, Bet);
    if (Mode == GameMode::PlayErrorHands) {
      if (ErrorHandIndex >= errorHands_.size()) ErrorHandIndex = 0;
      int32_t code = errorHands_[ErrorHandIndex++];
      for (int i = 0; i < 5; ++i) {
        PlaceCard(i, TakeCard(code % 60));
        code /= 60;
      }
    } else {
      for (int i = 0; i < 5; ++i) PlaceCard(i, DealCard());
    }
    HandRecord = TLogRecord();
    for (size_t i = 0; i < 5; ++i) HandRecord.DealtCards[i] = RecordByte(Cards[i], "card");
    HandRecord.GameType = RecordByte(GameType(), "GameType");
    HandRecord.PayIndex = RecordByte(PayIndex, "PayIndex");
    HandRecord.Mode = RecordByte(static_cast<int>(Mode), "Mode");
    HandRecord.CoinValueIndex = RecordByte(CoinValueIndex, "CoinValueIndex");
    HandRecord.Bet = RecordByte(Bet, "Bet");
    HandRecord.BestMask = RecordByte(engine_->GetTheBest(), "BestMask");
    UpdateHandCategory();
    HandRecord.DealtCategory = CategoryByte(HandCategory);
    HandRecord.BestReturn = static_cast<double>(engine_->DrawReturn(HandRecord.BestMask));
    HandRecord.DealTime = Clock();
    HandRecord.HintReturn = 0;
    HoldMask = Mode == GameMode::AutoHold ? HandRecord.BestMask : 31;
    Credits = CheckedSum(Credits, -Bet, "Credits");
    PerfectCredits = CheckedSum(PerfectCredits, -Bet, "PerfectCredits");
    State = GameState::Dealt;
    roundOpen_ = true;
  });
}

std::array<int, 5> TGameEngine::FinalCards(int mask) const {
  std::array<int, 5> cards{};
  size_t replaced = 0;
  for (size_t i = 0; i < 5; ++i) {
    cards[i] = ((mask >> i) & 1) != 0 ? HandRecord.DrawCards[replaced++] : HandRecord.DealtCards[i];
  }
  return cards;
}

int TGameEngine::BuildFinalHand(int mask) {
  THand& hand = engine_->Hand;
  hand.Reset();
  for (const int index : FinalCards(mask)) {
    const TCard card = CardFromIndex(index);
    hand.AddCard(card.Rank, card.Suit);
  }
  return engine_->ClassifyHand();
}

int TGameEngine::PayFor(int category) const {
  if (category < 0) return 0;
  RequireInRange(category, 0, MaxCategories - 1, "Category");
  return Payouts[static_cast<size_t>(Bet - 1)][static_cast<size_t>(category)];
}

void TGameEngine::UpdateHandCategory() {
  HandCategory = engine_->GetHandCategory();
}

void TGameEngine::Draw() {
  WithContext("Draw", [&] {
    Require(State == GameState::Dealt && roundOpen_, "There is no dealt hand to draw to");
    RequireInRange(HoldMask, 0, HoldMaskCount - 1, "Hold mask");
    HandRecord.PlayerMask = RecordByte(HoldMask, "PlayerMask");
    HandRecord.PlayerReturn = CurrentHoldReturn();
    SumPlayerReturn += HandRecord.PlayerReturn;
    SumPerfectReturn += HandRecord.BestReturn;
    for (size_t k = 0; k < 5; ++k) HandRecord.DrawCards[k] = RecordByte(DealCard(), "card");

    const int perfectCategory = BuildFinalHand(HandRecord.BestMask);
    HandRecord.PerfectCategory = CategoryByte(perfectCategory);
    HandRecord.PerfectWin = PayFor(perfectCategory);

    int maxWin = 0;
    int maxWinMask = 31;
    for (int mask = 0; mask < HoldMaskCount; ++mask) {
      const int win = PayFor(BuildFinalHand(mask));
      if (win > maxWin) {
        maxWin = win;
        maxWinMask = mask;
      }
    }
    HandRecord.MaxWin = maxWin;
    HandRecord.MaxWinMask = RecordByte(maxWinMask, "MaxWinMask");

    HoldMask = HandRecord.PlayerMask;
    Cards = FinalCards(HoldMask);
    BuildFinalHand(HoldMask);
    UpdateHandCategory();
    State = GameState::Finished;
    Win = PayFor(HandCategory);
    HandRecord.HandWin = Win;
    HandRecord.FinalCategory = CategoryByte(HandCategory);
  });
}

void TGameEngine::Collect() {
  WithContext("Collect", [&] {
    if (!roundOpen_) return;
    if (State == GameState::Finished || State == GameState::DoubleUp) {
      HandRecord.DoubleCount = RecordByte(DoubleCount, "DoubleCount");
      HandRecord.Win = Win;
      HandRecord.EndTime = Clock();
      const int32_t credits = CheckedSum(Credits, Win, "Credits");
      const int32_t perfectCredits =
          CheckedSum(PerfectCredits, HandRecord.PerfectWin, "PerfectCredits");
      const int32_t hands = CheckedSum(HandsPlayed, 1, "Hands");
      Credits = credits;
      PerfectCredits = perfectCredits;
      HandsPlayed = hands;
      Balance += static_cast<double>(int64_t{Win} - HandRecord.Bet) *
                 CoinValues[HandRecord.CoinValueIndex];
      Win = 0;
      roundOpen_ = false;
      // Settled first: should writing the file fail, the record is still in the log and
      // reaches the file with the next write.
      logger_->Append(HandRecord);
    } else if (State == GameState::Dealt) {
      // Dealt, never drawn: the bet comes back and nothing is logged; the cards are void.
      Credits = CheckedSum(Credits, HandRecord.Bet, "Credits");
      PerfectCredits = CheckedSum(PerfectCredits, HandRecord.Bet, "PerfectCredits");
      roundOpen_ = false;
      State = GameState::NoRound;
    }
  });
}

void TGameEngine::ToggleHold(int position) {
  RequirePosition(position, 0);
  Require(State == GameState::Dealt, "Holds change only after a deal");
  HoldMask ^= 1 << position;
}

bool TGameEngine::IsReplaced(int position) const {
  RequirePosition(position, 0);
  return ((HoldMask >> position) & 1) != 0;
}

bool TGameEngine::IsBestReplaced(int position) const {
  RequirePosition(position, 0);
  return ((HandRecord.BestMask >> position) & 1) != 0;
}

void TGameEngine::Hint() {
  Require(State == GameState::Dealt, "A hint needs a dealt hand");
  HoldMask = HandRecord.BestMask;
  HandRecord.HintReturn = BestHoldReturn();
}

double TGameEngine::CurrentHoldReturn() const {
  return static_cast<double>(engine_->DrawReturn(HoldMask));
}

double TGameEngine::BestHoldReturn() const {
  return static_cast<double>(engine_->DrawReturn(HandRecord.BestMask));
}

bool TGameEngine::CheckWarning() {
  if ((Options & ShowWarnings) == 0 || State != GameState::Dealt) return false;
  if (!ShowsWarning(CurrentHoldReturn(), BestHoldReturn())) return false;
  const TWarningOutcome outcome = windows_.ShowWarning(*this);
  if (outcome.StopWarnings) Options = static_cast<uint8_t>(Options & ~ShowWarnings);
  if (outcome.ApplyBest) Hint();
  return true;
}

void TGameEngine::StartDoubleUp() {
  Require(State == GameState::Finished && roundOpen_ && Win > 0, "Nothing to double");
  State = GameState::DoubleUp;
  HandCategory = -1;
  HoldMask = 31;
  engine_->NewDeal();
  UsedCards.fill(0);
  for (int& card : Cards) card = DealCard();
}

int TGameEngine::DoubleUpRank(int cardIndex, const TCardBunch& deck) {
  const int rank = CardFromIndex(cardIndex).Rank;
  return deck.IsWild(rank) ? rank + 100 : rank;
}

void TGameEngine::PickDoubleCard(int position) {
  RequirePosition(position, 1);
  Require(State == GameState::DoubleUp, "No double-up cards on the table");
  ++DoubleCount;
  const int dealer = DoubleUpRank(Cards[0], engine_->Deck);
  const int player = DoubleUpRank(Cards[static_cast<size_t>(position)], engine_->Deck);
  if (player > dealer) {
    Win = CheckedSum(Win, Win, "Win");
  } else if (player < dealer) {
    Win = 0;
  }
  State = GameState::Finished;
}

int TGameEngine::GetCard(int position) const {
  RequirePosition(position, 0);
  return Cards[static_cast<size_t>(position)];
}

void TGameEngine::SetBet(int bet) {
  RequireInRange(bet, 1, MaxCoins, "Bet");
  Require(State == GameState::NoRound || State == GameState::Finished,
          "The bet changes only between rounds");
  Bet = bet;
  payout_.Reset();
  payout_.SetPay(Payouts, Bet);
}

int TGameEngine::GetPayout(int category, int bet) const {
  RequireInRange(bet, 1, MaxCoins, "Bet");
  RequireInRange(category, 0, MaxCategories - 1, "Category");
  return Payouts[static_cast<size_t>(bet - 1)][static_cast<size_t>(category)];
}

void TGameEngine::SetMode(GameMode mode) {
  if (mode == Mode) return;
  if (mode != GameMode::PlayErrorHands) {
    DropErrorHands();
    Mode = mode;
  } else if (LoadErrorHands()) {
    Mode = mode;
  } else {
    AskOtherMode();
  }
}

bool TGameEngine::CanReplay(const TLogRecord& record) const {
  std::array<bool, 61> seen{};
  for (const uint8_t card : record.DealtCards) {
    if (card >= FullDeckSize || seen[card]) return false;
    seen[card] = true;
  }
  return true;
}

bool TGameEngine::LoadErrorHands() {
  errorHands_.clear();
  ErrorHandIndex = 0;
  for (size_t i = 0; i < logger_->RecordCount(); ++i) {
    const TLogRecord record = logger_->Record(i);
    if (record.GameType == GameType() && record.PayIndex == PayIndex &&
        (IsError(record) || record.HintReturn > 0) && CanReplay(record)) {
      errorHands_.push_back(ProblemHandCode(record.DealtCards));
    }
  }
  return !errorHands_.empty();
}

void TGameEngine::DropErrorHands() {
  errorHands_.clear();
  ErrorHandIndex = 0;
}

void TGameEngine::AskOtherMode() {
  const int choice = windows_.AskOtherMode();
  if (choice >= 0 && choice <= static_cast<int>(GameMode::RealPlay)) {
    SetMode(static_cast<GameMode>(choice));
  }
}

int32_t TGameEngine::ProblemHandCode(const std::array<uint8_t, 5>& cards) {
  int32_t code = 0;
  for (size_t i = 5; i-- > 0;) code = code * 60 + cards[i];
  return code;
}

void TGameEngine::SelectPoker(int gameType, int payIndex) {
  WithContext("SelectPoker", [&] {
    std::unique_ptr<TPokerEngine> engine = CreateAnalysisEngine(gameType);
    const TPayoutStorage catalogue;
    RequireInRange(payIndex, 0, catalogue.PaytableCount(gameType) - 1, "Paytable");
    const std::string newKey = GameKey(gameType, payIndex);
    std::erase(MRUList, newKey);
    if (engine_ && PayIndex != -1) {
      const std::string currentKey = GameKey(GameType(), PayIndex);
      if (currentKey != newKey) {
        std::erase(MRUList, currentKey);
        MRUList.insert(MRUList.begin(), currentKey);
      }
    }
    if (MRUList.size() > MaxMRU) MRUList.resize(MaxMRU);
    SetEngine(std::move(engine));
    SetPayIndex(payIndex, catalogue);
    SetBet(Bet);
    if (Mode == GameMode::PlayErrorHands) LoadErrorHands();
  });
}

void TGameEngine::SetEngine(std::unique_ptr<TPokerEngine> engine) {
  WithContext("SetEngine", [&] {
    Collect();  // before anything changes, so that a failure leaves the old game in place
    engine_ = std::move(engine);
    ResetRound();
    Random->Randomize();
    engine_->SetPayout(&payout_);
    if (!preferences_.SaveForNewGame) ResetValues();
  });
}

void TGameEngine::ResetRound() {
  Collect();
  engine_->NewDeal();
  FullDeckSize = engine_->Deck.Count;
  Cards.fill(NoCard);
  State = GameState::NoRound;
}

void TGameEngine::SetPayIndex(int index, const TPayoutStorage& catalogue) {
  WithContext("SetPayIndex", [&] {
    PayIndex = index;
    if (index != -1) Payouts = catalogue.GetPaytable(GameType(), index);
  });
}

void TGameEngine::ResetValues() {
  Credits = StartCredits;
  PerfectCredits = StartCredits;
  Bet = 5;  // the analysis takes it up at the next deal
  CoinValueIndex = 0;
  Balance = 0;
  SumPlayerReturn = 0;
  SumPerfectReturn = 0;
  HandsPlayed = 0;
  SavedTime = 0;
  StartTime = 0;
}

double TGameEngine::Accuracy() const {
  return SumPerfectReturn > 0 ? SumPlayerReturn / SumPerfectReturn * 100 : 100;
}

double TGameEngine::PlayTime() const {
  return StartTime == 0 ? SavedTime : Clock() - StartTime;
}

std::string TGameEngine::GameTitle() const {
  return GameDisplayName(GameType());
}

int TGameEngine::CategoryCount() const {
  return engine_->LastCategory + 1;
}

std::string TGameEngine::CategoryName(int category) const {
  RequireInRange(category, 0, CategoryCount() - 1, "Category");
  return engine_->CategoryNames[static_cast<size_t>(category)];
}

bool TGameEngine::IsWild(int rank) const {
  return engine_->Deck.IsWild(rank);
}

int TGameEngine::GameType() const {
  return engine_->GameIndex;
}

void TGameEngine::ShowStatistics() {
  WithContext("ShowStatistics", [&] { windows_.ShowStatistics(*logger_, preferences_); });
}

void TGameEngine::ShowErrors() {
  WithContext("ShowErrors", [&] { windows_.ShowErrors(*logger_, preferences_); });
}

void TGameEngine::ShowCharts() {
  WithContext("ShowCharts", [&] { windows_.ShowCharts(*logger_, preferences_); });
}

void TGameEngine::ClearByFilter() {
  if (const auto shouldDelete = windows_.ChooseRecordsToClear(*logger_, preferences_)) {
    logger_->ClearByFilter(*shouldDelete);
  }
}

void TGameEngine::SetupPreferences() {
  WithContext("SetupPreferences", [&] { windows_.SetupPreferences(preferences_); });
}

}  // namespace tavrik
