#pragma once

#include <gtest/gtest.h>

#include <array>
#include <deque>
#include <fstream>
#include <functional>
#include <memory>
#include <stdexcept>
#include <string>
#include <vector>

#include "core/card.h"
#include "core/payout_storage.h"
#include "core/poker_description.h"
#include "game/game_engine.h"
#include "game/game_windows.h"
#include "game/preferences.h"
#include "support/reference_evaluator.h"
#include "support/temp_folder.h"
#include "support/wild_reference.h"

namespace tavrik::test {

// Windows that answer from a script and note what was opened. An unscripted question
// throws, which fails the test.
class TFakeWindows : public TGameWindows {
 public:
  TWarningOutcome ShowWarning(const TGameEngine&) override {
    Opened.push_back("warning");
    return Next(WarningAnswers);
  }
  int AskOtherMode() override {
    Opened.push_back("no errors");
    return Next(ModeAnswers);
  }
  void ShowStatistics(TLogger& logger, TPreferences&) override { Note("statistics", logger); }
  void ShowErrors(TLogger& logger, TPreferences&) override { Note("errors", logger); }
  void ShowCharts(TLogger& logger, TPreferences&) override { Note("charts", logger); }
  std::optional<TRecordPredicate> ChooseRecordsToClear(TLogger& logger, TPreferences&) override {
    Note("clear", logger);
    return ClearRule;
  }
  void SetupPreferences(TPreferences&) override { Opened.push_back("preferences"); }
  void ReportProblem(const std::string& message) override { Problems.push_back(message); }
  void SetBusy(bool) override {}

  // Answers still to give, first one first.
  std::deque<TWarningOutcome> WarningAnswers;
  std::deque<int> ModeAnswers;
  std::optional<TRecordPredicate> ClearRule;
  std::vector<std::string> Opened;
  std::vector<std::string> Problems;
  const TLogger* LastLogger = nullptr;

 private:
  void Note(const char* window, TLogger& logger) {
    Opened.push_back(window);
    LastLogger = &logger;
  }
  template <class T>
  static T Next(std::deque<T>& answers) {
    if (answers.empty()) throw std::logic_error("unscripted window");
    T answer = answers.front();
    answers.pop_front();
    return answer;
  }
};

// Coins five cards pay in a game, worked out without the engine: natural cards through the
// game's natural sets, hands of a wild game by the best substitution of their wild cards.
inline int ReferenceWin(int game, int bet, const std::array<int, 5>& cards) {
  const auto description = CreateDescription(game);
  std::array<int, 5> ranks{};
  std::array<int, 5> suits{};
  for (size_t i = 0; i < 5; ++i) {
    const TCard card = CardFromIndex(cards[i]);
    const bool wild = card.Rank < 0 || card.Rank == description->WildRank;
    ranks[i] = wild ? -1 : card.Rank;
    suits[i] = wild ? -1 : card.Suit;
  }
  const TPaytable table = TPayoutStorage().GetPaytable(game, 0);
  const auto& pay = table[static_cast<size_t>(bet - 1)];
  if (!description->IsNatural()) {
    const TWildReference reference(*description);
    return reference.BestPay(reference.Achievable(ranks, suits), pay);
  }
  const int type = ReferenceType(ranks, suits);
  if (type < 0) return 0;
  for (int category = 0; category <= description->LastCategory; ++category) {
    if (description->NaturalSet[static_cast<size_t>(category)].Has(type)) {
      return pay[static_cast<size_t>(category)];
    }
  }
  return 0;
}

// The final hand that hold `mask` makes with a record's replacement cards.
inline std::array<int, 5> FinalCards(const TLogRecord& record, int mask) {
  std::array<int, 5> cards{};
  size_t replaced = 0;
  for (size_t i = 0; i < 5; ++i) {
    cards[i] = ((mask >> i) & 1) != 0 ? record.DrawCards[replaced++] : record.DealtCards[i];
  }
  return cards;
}

// Saves the engine's settings, lets `change` edit them and loads them again: the way a
// test arranges counters and a saved mode that play cannot reach. Loading reopens the game,
// which seeds the generator from the clock; it is seeded as the test began.
inline void Reload(TGameEngine& engine, const std::function<void(TIniFile&)>& change) {
  TIniFile settings;
  engine.SaveToIni(settings);
  change(settings);
  engine.LoadFromIni(settings);
  TRandom::Global().SetSeed(12345);
}

// Puts `text` into the settings file of the temporary data folder.
inline void WriteSettings(const TempFolder& folder, const std::string& text) {
  std::filesystem::create_directories(folder.DataFolder());
  std::ofstream(folder.DataFolder() / "Tavrik.ini", std::ios::binary) << text;
}

inline std::vector<TLogRecord> ReadLog(const TLogger& logger) {
  std::vector<TLogRecord> records;
  for (size_t i = 0; i < logger.RecordCount(); ++i) records.push_back(logger.Record(i));
  return records;
}

// Plays `rounds` rounds as dealt and collects the last one unless told not to.
inline void PlayRounds(TGameEngine& engine, int rounds, bool collect = true) {
  for (int round = 0; round < rounds; ++round) {
    engine.Deal();
    engine.Draw();
  }
  if (collect) engine.Collect();
}

// One run of the program: preferences, then the engine, freed in the reverse order (which
// writes the settings file).
struct TRun {
  TFakeWindows windows;
  TPreferences preferences;
  TGameEngine engine{preferences, windows};
};

// A temporary data folder, the preferences, scripted windows and an engine on "Jacks or
// better" with a seeded generator and a clock the test moves.
class GameTest : public ::testing::Test {
 protected:
  GameTest() {
    engine->SetClock([this] { return now; });
    Select(GAME_JACKS_OR_BETTER, 0);
  }
  // Selects a game and seeds the generator again (a change of game seeds it from the clock).
  void Select(int game, int payIndex) {
    engine->SelectPoker(game, payIndex);
    TRandom::Global().SetSeed(12345);
  }
  // Deals with the generator seeded with `seed`.
  void Deal(uint32_t seed) {
    TRandom::Global().SetSeed(seed);
    engine->Deal();
  }
  std::vector<TLogRecord> Log() { return ReadLog(engine->Logger()); }
  // What the dealt hand's current hold gives away against the best one.
  double HoldCost() const { return engine->BestHoldReturn() - engine->CurrentHoldReturn(); }

  TempFolder folder;
  TFakeWindows windows;
  double now = 45000.5;
  TPreferences preferences;
  std::unique_ptr<TGameEngine> engine = std::make_unique<TGameEngine>(preferences, windows);
};

}  // namespace tavrik::test
