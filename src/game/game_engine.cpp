#include "game/game_engine.h"

#include <algorithm>
#include <iostream>
#include <limits>

#include "core/card.h"
#include "core/data_files.h"
#include "core/error.h"
#include "core/game_list.h"
#include "core/wild_engine.h"
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
  if (const std::string report = TPayoutStorage().ProblemReport(); !report.empty()) {
    windows_.ReportProblem(report);
  }
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
    const int index = static_cast<int>(random_->Next(static_cast<uint32_t>(fullDeckSize_)));
    if (usedCards_[static_cast<size_t>(index)] == 0) return TakeCard(index);
  }
}

int TGameEngine::TakeCard(int index) {
  RequireInRange(index, 0, fullDeckSize_ - 1, "Card index");
  Require(usedCards_[static_cast<size_t>(index)] == 0, "A card was dealt twice");
  usedCards_[static_cast<size_t>(index)] = 1;
  const TCard card = CardFromIndex(index);
  engine_->Deck.Remove(card.Rank, card.Suit);
  return index;
}

void TGameEngine::PlaceCard(int position, int index) {
  cards_[static_cast<size_t>(position)] = index;
  const TCard card = CardFromIndex(index);
  engine_->Hand.AddCard(card.Rank, card.Suit);
}

void TGameEngine::Deal() {
  WithContext("Deal", [&] {
    if (startTime_ == 0) startTime_ = clock_() - savedTime_;
    Collect();
    doubleCount_ = 0;
    doublePick_ = -1;
    engine_->NewDeal();
    usedCards_.fill(0);
    if (mode_ == GameMode::PlayErrorHands) {
      if (errorHands_.empty() && !LoadErrorHands()) AskOtherMode();
      if (mode_ == GameMode::PlayErrorHands && errorHands_.empty()) return;
    }
    // The analysis counts in coins for the bet of this round.
    payout_.SetPay(payouts_, bet_);
    if (mode_ == GameMode::PlayErrorHands) {
      if (errorHandIndex_ >= errorHands_.size()) errorHandIndex_ = 0;
      int32_t code = errorHands_[errorHandIndex_++];
      for (int i = 0; i < 5; ++i) {
        PlaceCard(i, TakeCard(code % ProblemCodeBase));
        code /= ProblemCodeBase;
      }
    } else {
      for (int i = 0; i < 5; ++i) PlaceCard(i, DealCard());
    }
    record_ = TLogRecord();
    for (size_t i = 0; i < 5; ++i) record_.DealtCards[i] = RecordByte(cards_[i], "card");
    record_.GameType = RecordByte(GameType(), "GameType");
    record_.PayIndex = RecordByte(payIndex_, "PayIndex");
    record_.Mode = RecordByte(static_cast<int>(mode_), "Mode");
    record_.CoinValueIndex = RecordByte(coinValueIndex_, "CoinValueIndex");
    record_.Bet = RecordByte(bet_, "Bet");
    record_.BestMask = RecordByte(engine_->GetTheBest(), "BestMask");
    UpdateHandCategory();
    record_.DealtCategory = CategoryByte(handCategory_);
    record_.BestReturn = static_cast<double>(engine_->DrawReturn(record_.BestMask));
    record_.DealTime = clock_();
    record_.HintReturn = 0;
    holdMask_ = mode_ == GameMode::AutoHold ? record_.BestMask : ReplaceAll;
    credits_ = CheckedSum(credits_, -bet_, "Credits");
    perfectCredits_ = CheckedSum(perfectCredits_, -bet_, "PerfectCredits");
    state_ = GameState::Dealt;
    roundOpen_ = true;
  });
}

std::array<int, 5> TGameEngine::FinalCards(int mask) const {
  std::array<int, 5> cards{};
  size_t replaced = 0;
  for (size_t i = 0; i < 5; ++i) {
    cards[i] = ((mask >> i) & 1) != 0 ? record_.DrawCards[replaced++] : record_.DealtCards[i];
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
  return payouts_[static_cast<size_t>(bet_ - 1)][static_cast<size_t>(category)];
}

void TGameEngine::UpdateHandCategory() {
  handCategory_ = engine_->GetHandCategory();
}

void TGameEngine::Draw() {
  WithContext("Draw", [&] {
    Require(state_ == GameState::Dealt && roundOpen_, "There is no dealt hand to draw to");
    RequireInRange(holdMask_, 0, HoldMaskCount - 1, "Hold mask");
    record_.PlayerMask = RecordByte(holdMask_, "PlayerMask");
    record_.PlayerReturn = CurrentHoldReturn();
    sumPlayerReturn_ += record_.PlayerReturn;
    sumPerfectReturn_ += record_.BestReturn;
    for (size_t k = 0; k < 5; ++k) record_.DrawCards[k] = RecordByte(DealCard(), "card");

    const int perfectCategory = BuildFinalHand(record_.BestMask);
    record_.PerfectCategory = CategoryByte(perfectCategory);
    record_.PerfectWin = PayFor(perfectCategory);

    int maxWin = 0;
    int maxWinMask = ReplaceAll;
    for (int mask = 0; mask < HoldMaskCount; ++mask) {
      const int win = PayFor(BuildFinalHand(mask));
      if (win > maxWin) {
        maxWin = win;
        maxWinMask = mask;
      }
    }
    record_.MaxWin = maxWin;
    record_.MaxWinMask = RecordByte(maxWinMask, "MaxWinMask");

    holdMask_ = record_.PlayerMask;
    cards_ = FinalCards(holdMask_);
    BuildFinalHand(holdMask_);
    UpdateHandCategory();
    state_ = GameState::Finished;
    win_ = PayFor(handCategory_);
    record_.HandWin = win_;
    record_.FinalCategory = CategoryByte(handCategory_);
  });
}

void TGameEngine::Collect() {
  WithContext("Collect", [&] {
    if (!roundOpen_) return;
    if (state_ == GameState::Finished || state_ == GameState::DoubleUp) {
      record_.DoubleCount = RecordByte(doubleCount_, "DoubleCount");
      record_.Win = win_;
      record_.EndTime = clock_();
      const int32_t credits = CheckedSum(credits_, win_, "Credits");
      const int32_t perfectCredits =
          CheckedSum(perfectCredits_, record_.PerfectWin, "PerfectCredits");
      const int32_t hands = CheckedSum(handsPlayed_, 1, "Hands");
      credits_ = credits;
      perfectCredits_ = perfectCredits;
      handsPlayed_ = hands;
      balance_ +=
          static_cast<double>(int64_t{win_} - record_.Bet) * CoinValues[record_.CoinValueIndex];
      win_ = 0;
      roundOpen_ = false;
      KeepRound();
    } else if (state_ == GameState::Dealt) {
      // Dealt, never drawn: the bet comes back and nothing is logged; the cards are void.
      credits_ = CheckedSum(credits_, record_.Bet, "Credits");
      perfectCredits_ = CheckedSum(perfectCredits_, record_.Bet, "PerfectCredits");
      roundOpen_ = false;
      state_ = GameState::NoRound;
    }
  });
}

void TGameEngine::KeepRound() {
  // Settled first: should writing a file fail, the record is still in the log and the
  // counters in the settings, and both reach their files with the next write.
  std::string problems;
  try {
    logger_->Append(record_);
    logProblemTold_ = false;
  } catch (const TError&) {
    if (!logProblemTold_) {
      const std::string& reason = logger_->WriteError();
      const size_t kept = logger_->UnwrittenCount();
      problems = "The hand log cannot be written: " + reason + ". Play goes on; " +
                 std::to_string(kept) + (kept == 1 ? " hand is" : " hands are") +
                 " kept in memory and will be written when " +
                 (reason == "disk full" ? "space is free." : "writing is possible again.");
      logProblemTold_ = true;
    }
  }
  try {
    SaveToIni(preferences_.Settings);
    preferences_.Save();
    settingsProblemTold_ = false;
  } catch (const TError&) {
    if (!settingsProblemTold_) {
      if (!problems.empty()) problems += "\n\n";
      problems += "The settings file cannot be written: " + WriteFailureReason(errno) +
                  ". It is written again after the next hand.";
      settingsProblemTold_ = true;
    }
  }
  if (!problems.empty()) windows_.ReportProblem(problems);
}

void TGameEngine::ToggleHold(int position) {
  RequirePosition(position, 0);
  Require(state_ == GameState::Dealt, "Holds change only after a deal");
  holdMask_ ^= 1 << position;
}

bool TGameEngine::IsReplaced(int position) const {
  RequirePosition(position, 0);
  return ((holdMask_ >> position) & 1) != 0;
}

bool TGameEngine::IsBestReplaced(int position) const {
  RequirePosition(position, 0);
  return ((record_.BestMask >> position) & 1) != 0;
}

void TGameEngine::Hint() {
  Require(state_ == GameState::Dealt, "A hint needs a dealt hand");
  holdMask_ = record_.BestMask;
  record_.HintReturn = BestHoldReturn();
}

double TGameEngine::CurrentHoldReturn() const {
  return static_cast<double>(engine_->DrawReturn(holdMask_));
}

double TGameEngine::BestHoldReturn() const {
  return static_cast<double>(engine_->DrawReturn(record_.BestMask));
}

std::optional<TWarningOutcome> TGameEngine::CheckWarning() {
  if ((options_ & ShowWarnings) == 0 || state_ != GameState::Dealt) return std::nullopt;
  if (!ShowsWarning(CurrentHoldReturn(), BestHoldReturn(), preferences_.WarningThreshold())) {
    return std::nullopt;
  }
  const TWarningOutcome outcome = windows_.ShowWarning(*this);
  if (outcome.StopWarnings) options_ = static_cast<uint8_t>(options_ & ~ShowWarnings);
  if (outcome.ApplyBest && !outcome.Back) Hint();
  return outcome;
}

void TGameEngine::StartDoubleUp() {
  Require(state_ == GameState::Finished && roundOpen_ && win_ > 0, "Nothing to double");
  state_ = GameState::DoubleUp;
  doublePick_ = -1;
  handCategory_ = -1;
  holdMask_ = ReplaceAll;
  engine_->NewDeal();
  usedCards_.fill(0);
  for (int& card : cards_) card = DealCard();
}

int TGameEngine::DoubleUpRank(int cardIndex, const TCardBunch& deck) {
  const int rank = CardFromIndex(cardIndex).Rank;
  return deck.IsWild(rank) ? rank + WildDoubleUpBonus : rank;
}

void TGameEngine::PickDoubleCard(int position) {
  RequirePosition(position, 1);
  Require(state_ == GameState::DoubleUp, "No double-up cards on the table");
  ++doubleCount_;
  const int dealer = DoubleUpRank(cards_[0], engine_->Deck);
  const int player = DoubleUpRank(cards_[static_cast<size_t>(position)], engine_->Deck);
  if (player > dealer) {
    win_ = CheckedSum(win_, win_, "Win");
  } else if (player < dealer) {
    win_ = 0;
  }
  doublePick_ = position;
  doubleOutcome_ = (player > dealer) - (player < dealer);
  state_ = GameState::Finished;
}

int TGameEngine::GetCard(int position) const {
  RequirePosition(position, 0);
  return cards_[static_cast<size_t>(position)];
}

bool TGameEngine::CanChangeBet(int bet) const {
  return bet >= 1 && bet <= MaxCoins && CanResetCounters();
}

bool TGameEngine::CanDoubleUp() const {
  return state_ == GameState::Finished && win_ > 0;
}

bool TGameEngine::CanHint() const {
  return state_ == GameState::Dealt && OffersHint();
}

bool TGameEngine::CanResetCounters() const {
  return state_ == GameState::NoRound || state_ == GameState::Finished;
}

bool TGameEngine::IsFaceUp(int position) const {
  return GetCard(position) != NoCard && !(state_ == GameState::DoubleUp && position > 0);
}

bool TGameEngine::DrawOrDeal() {
  if (state_ == GameState::Dealt) {
    if (const auto answer = CheckWarning(); answer && answer->Back) {
      newCards_ = 0;
      return false;
    }
    Draw();
    // Without result hands the round ends unseen and the next deal follows.
    if (!HasOption(ShowResultHands)) Deal();
  } else {
    Deal();
  }
  newCards_ =
      state_ == GameState::Dealt ? ReplaceAll : (state_ == GameState::Finished ? holdMask_ : 0);
  return true;
}

void TGameEngine::ReleaseAllHolds() {
  if (state_ == GameState::Dealt) holdMask_ = ReplaceAll;
}

void TGameEngine::SetCoinValue(int index) {
  RequireInRange(index, 0, static_cast<long long>(CoinValues.size()) - 1, "Coin value");
  coinValueIndex_ = index;
}

void TGameEngine::SetOption(GameOption option, bool on) {
  options_ = static_cast<uint8_t>(on ? options_ | option : options_ & ~option);
}

void TGameEngine::SetBet(int bet) {
  RequireInRange(bet, 1, MaxCoins, "Bet");
  Require(CanResetCounters(), "The bet changes only between rounds");
  bet_ = bet;
  payout_.Reset();
  payout_.SetPay(payouts_, bet_);
}

int TGameEngine::GetPayout(int category, int bet) const {
  RequireInRange(bet, 1, MaxCoins, "Bet");
  RequireInRange(category, 0, MaxCategories - 1, "Category");
  return payouts_[static_cast<size_t>(bet - 1)][static_cast<size_t>(category)];
}

void TGameEngine::SetMode(GameMode mode) {
  if (mode == mode_) return;
  if (mode != GameMode::PlayErrorHands) {
    DropErrorHands();
    mode_ = mode;
  } else if (LoadErrorHands()) {
    mode_ = mode;
  } else {
    AskOtherMode();
  }
}

bool TGameEngine::CanReplay(const TLogRecord& record) const {
  std::array<bool, ProblemCodeBase + 1> seen{};
  for (const uint8_t card : record.DealtCards) {
    if (card >= fullDeckSize_ || seen[card]) return false;
    seen[card] = true;
  }
  return true;
}

bool TGameEngine::LoadErrorHands() {
  errorHands_.clear();
  errorHandIndex_ = 0;
  for (size_t i = 0; i < logger_->RecordCount(); ++i) {
    const TLogRecord record = logger_->Record(i);
    if (record.GameType == GameType() && record.PayIndex == payIndex_ &&
        (IsError(record) || record.HintReturn > 0) && CanReplay(record)) {
      errorHands_.push_back(ProblemHandCode(record.DealtCards));
    }
  }
  return !errorHands_.empty();
}

void TGameEngine::DropErrorHands() {
  errorHands_.clear();
  errorHandIndex_ = 0;
}

void TGameEngine::AskOtherMode() {
  const int choice = windows_.AskOtherMode();
  if (choice >= 0 && choice <= static_cast<int>(GameMode::RealPlay)) {
    SetMode(static_cast<GameMode>(choice));
  }
}

int32_t TGameEngine::ProblemHandCode(const std::array<uint8_t, 5>& cards) {
  int32_t code = 0;
  for (size_t i = 5; i-- > 0;) code = code * ProblemCodeBase + cards[i];
  return code;
}

void TGameEngine::SelectPoker(int gameType, int payIndex) {
  WithContext("SelectPoker", [&] {
    std::unique_ptr<TPokerEngine> engine = CreateEngineForGame(gameType);
    const TPayoutStorage catalogue;
    RequireInRange(payIndex, 0, catalogue.PaytableCount(gameType) - 1, "Paytable");
    const std::string newKey = GameKey(gameType, payIndex);
    std::erase(mruList_, newKey);
    if (engine_ && payIndex_ != -1) {
      const std::string currentKey = GameKey(GameType(), payIndex_);
      if (currentKey != newKey) {
        std::erase(mruList_, currentKey);
        mruList_.insert(mruList_.begin(), currentKey);
      }
    }
    if (mruList_.size() > MaxMRU) mruList_.resize(MaxMRU);
    SetEngine(std::move(engine));
    SetPayIndex(payIndex, catalogue);
    SetBet(bet_);
    if (mode_ == GameMode::PlayErrorHands) LoadErrorHands();
  });
}

void TGameEngine::SetEngine(std::unique_ptr<TPokerEngine> engine) {
  WithContext("SetEngine", [&] {
    Collect();  // before anything changes, so that a failure leaves the old game in place
    engine_ = std::move(engine);
    ResetRound();
    random_->Randomize();
    engine_->SetPayout(&payout_);
    if (!preferences_.SaveForNewGame) ResetValues();
  });
}

void TGameEngine::ResetRound() {
  Collect();
  engine_->NewDeal();
  fullDeckSize_ = engine_->Deck.Count;
  cards_.fill(NoCard);
  state_ = GameState::NoRound;
}

void TGameEngine::SetPayIndex(int index, const TPayoutStorage& catalogue) {
  WithContext("SetPayIndex", [&] {
    payIndex_ = index;
    if (index != -1) payouts_ = catalogue.GetPaytable(GameType(), index);
  });
}

void TGameEngine::ReloadPaytable() {
  WithContext("ReloadPaytable", [&] {
    const TPayoutStorage catalogue;
    SetPayIndex(payIndex_, catalogue);
    payout_.SetPay(payouts_, bet_);
  });
}

void TGameEngine::ResetValues() {
  Require(CanResetCounters(), "The counters reset only between rounds");
  Collect();  // a drawn round belongs to the session it was played in
  credits_ = StartCredits;
  perfectCredits_ = StartCredits;
  bet_ = 5;  // the analysis takes it up at the next deal
  coinValueIndex_ = 0;
  balance_ = 0;
  sumPlayerReturn_ = 0;
  sumPerfectReturn_ = 0;
  handsPlayed_ = 0;
  savedTime_ = 0;
  startTime_ = 0;
}

double TGameEngine::Accuracy() const {
  return sumPerfectReturn_ > 0 ? sumPlayerReturn_ / sumPerfectReturn_ * 100 : 100;
}

double TGameEngine::PlayTime() const {
  return startTime_ == 0 ? savedTime_ : clock_() - startTime_;
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
  WithContext("ClearByFilter", [&] {
    if (const auto shouldDelete = windows_.ChooseRecordsToClear(*logger_, preferences_)) {
      const TBusyScope busy(windows_);
      logger_->ClearByFilter(*shouldDelete);
      if (mode_ == GameMode::PlayErrorHands) LoadErrorHands();
    }
  });
}

void TGameEngine::ClearLog() {
  WithContext("ClearLog", [&] {
    logger_->Clear();
    DropErrorHands();
  });
}

void TGameEngine::SetupPreferences() {
  WithContext("SetupPreferences", [&] { windows_.SetupPreferences(preferences_); });
}

}  // namespace tavrik
