#include "game/game_engine.h"

#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <numeric>
#include <set>

#include "core/error.h"
#include "core/game_list.h"
#include "game_test_support.h"

namespace tavrik::test {
namespace {

using Cards = std::array<int, 5>;

Cards TableCards(const TGameEngine& engine) {
  Cards cards{};
  for (int i = 0; i < 5; ++i) cards[static_cast<size_t>(i)] = engine.GetCard(i);
  return cards;
}

Cards AsCards(const std::array<uint8_t, 5>& bytes) {
  Cards cards{};
  for (size_t i = 0; i < 5; ++i) cards[i] = bytes[i];
  return cards;
}

TEST_F(GameTest, FullRoundInEveryMode) {
  const GameMode modes[] = {GameMode::AutoHold, GameMode::Training, GameMode::RealPlay};
  int32_t credits = engine->Credits;
  double balance = 0;
  size_t logged = 0;
  for (const GameMode mode : modes) {
    SCOPED_TRACE(static_cast<int>(mode));
    engine->SetMode(mode);
    engine->Deal();
    EXPECT_EQ(engine->State, GameState::Dealt);
    EXPECT_EQ(engine->Credits, credits - 5);
    const int best = engine->HandRecord.BestMask;
    EXPECT_EQ(engine->HoldMask, mode == GameMode::AutoHold ? best : 31);
    EXPECT_EQ(engine->Engine().Deck.Count, 47);
    EXPECT_EQ(TableCards(*engine), AsCards(engine->HandRecord.DealtCards));
    EXPECT_EQ(engine->HandRecord.DealtCategory,
              ReferenceWin(GAME_JACKS_OR_BETTER, 1, TableCards(*engine)) > 0 ? engine->HandCategory
                                                                             : 255);
    engine->ToggleHold(0);
    const int hold = engine->HoldMask;
    engine->Draw();
    EXPECT_EQ(engine->State, GameState::Finished);
    const TLogRecord record = engine->HandRecord;
    EXPECT_EQ(TableCards(*engine), FinalCards(record, hold));
    EXPECT_EQ(engine->Win, ReferenceWin(GAME_JACKS_OR_BETTER, 5, TableCards(*engine)));
    EXPECT_EQ(Log().size(), logged) << "a round is logged when it is collected";
    const int win = engine->Win;
    engine->Collect();
    ++logged;
    credits += win - 5;
    balance += (win - 5) * 0.25;
    EXPECT_EQ(engine->Credits, credits);
    EXPECT_DOUBLE_EQ(engine->Balance, balance);
    ASSERT_EQ(Log().size(), logged);
    const TLogRecord last = Log().back();
    EXPECT_EQ(last.Mode, static_cast<int>(mode));
    EXPECT_EQ(last.PlayerMask, hold);
    EXPECT_EQ(last.Win, win);
    EXPECT_EQ(last.EndTime, now);
    EXPECT_EQ(engine->HandsPlayed, static_cast<int>(logged));
  }

  // Problem hands: the errors among the logged rounds come back, in log order.
  std::vector<Cards> errors;
  for (const TLogRecord& record : Log()) {
    if (record.IsError() || record.HintReturn > 0) errors.push_back(AsCards(record.DealtCards));
  }
  ASSERT_FALSE(errors.empty());
  engine->SetMode(GameMode::PlayErrorHands);
  ASSERT_EQ(engine->Mode, GameMode::PlayErrorHands);
  engine->Deal();
  EXPECT_EQ(TableCards(*engine), errors[0]);
  EXPECT_EQ(engine->HoldMask, 31);
  EXPECT_EQ(engine->Engine().Deck.Count, 47);
  engine->Draw();
  engine->Deal();
  EXPECT_EQ(Log().back().Mode, 3);
}

TEST_F(GameTest, RecordsAgreeWithADirectComputation) {
  // Over many rounds with varied holds, bets and double-ups, every figure the record
  // keeps is checked against the cards alone.
  uint32_t choice = 7;
  const auto next = [&choice](uint32_t range) {
    choice = choice * 1103515245u + 12345u;
    return (choice >> 16) % range;
  };
  for (int round = 0; round < 120; ++round) {
    SCOPED_TRACE(round);
    engine->SetBet(1 + static_cast<int>(next(5)));
    engine->SetMode(next(2) == 0 ? GameMode::AutoHold : GameMode::Training);
    engine->Deal();
    if (next(3) == 0) engine->Hint();
    for (int i = 0; i < 5; ++i) {
      if (next(3) == 0) engine->ToggleHold(i);
    }
    engine->Draw();
    const TLogRecord record = engine->HandRecord;
    const int bet = record.Bet;

    std::set<int> seen;
    for (int card : AsCards(record.DealtCards)) seen.insert(card);
    for (int card : AsCards(record.DrawCards)) seen.insert(card);
    EXPECT_EQ(seen.size(), 10u) << "ten different cards";
    EXPECT_LT(*seen.rbegin(), 52);

    int maxWin = 0;
    int maxWinMask = 31;
    for (int mask = 0; mask < 32; ++mask) {
      const int win = ReferenceWin(GAME_JACKS_OR_BETTER, bet, FinalCards(record, mask));
      if (win > maxWin) {
        maxWin = win;
        maxWinMask = mask;
      }
    }
    EXPECT_EQ(record.MaxWin, maxWin);
    EXPECT_EQ(record.MaxWinMask, maxWinMask);
    EXPECT_EQ(record.PerfectWin,
              ReferenceWin(GAME_JACKS_OR_BETTER, bet, FinalCards(record, record.BestMask)));
    EXPECT_EQ(record.HandWin,
              ReferenceWin(GAME_JACKS_OR_BETTER, bet, FinalCards(record, record.PlayerMask)));
    EXPECT_EQ(record.PerfectCategory == 255, record.PerfectWin == 0);
    EXPECT_EQ(record.FinalCategory == 255, record.HandWin == 0);
    EXPECT_LE(record.HandWin, record.MaxWin);
    EXPECT_LE(record.PlayerReturn, record.BestReturn + 1e-12);
    EXPECT_EQ(record.HintReturn > 0,
              record.HintReturn == record.BestReturn && record.HintReturn > 0);
    if (engine->Win > 0 && next(2) == 0) {
      engine->StartDoubleUp();
      engine->PickDoubleCard(1 + static_cast<int>(next(4)));
    }
    now += 0.001;
  }
  engine->Collect();
  const std::vector<TLogRecord> log = Log();
  ASSERT_EQ(log.size(), 120u);
  EXPECT_EQ(engine->HandsPlayed, 120);
  // Credits and balance follow the logged wins and bets.
  int64_t net = 0;
  for (const TLogRecord& record : log) net += record.Win - record.Bet;
  EXPECT_EQ(engine->Credits, 2500 + net);
  EXPECT_NEAR(engine->Balance, static_cast<double>(net) * 0.25, 1e-9);
  int64_t perfectNet = 0;
  for (const TLogRecord& record : log) perfectNet += record.PerfectWin - record.Bet;
  EXPECT_EQ(engine->PerfectCredits, 2500 + perfectNet);
  // Accuracy is the sum of the player's returns over the sum of the best.
  double player = 0, best = 0;
  for (const TLogRecord& record : log) {
    player += record.PlayerReturn;
    best += record.BestReturn;
  }
  EXPECT_NEAR(engine->Accuracy(), player / best * 100, 1e-9);
  EXPECT_LT(engine->Accuracy(), 100);
}

TEST_F(GameTest, SeededGeneratorDealsTheSameCards) {
  engine->Deal();
  const Cards first = TableCards(*engine);
  engine->Draw();
  const auto firstDraw = engine->HandRecord.DrawCards;
  TRandom::Global().SetSeed(12345);
  engine->Deal();
  EXPECT_EQ(TableCards(*engine), first);
  engine->Draw();
  EXPECT_EQ(engine->HandRecord.DrawCards, firstDraw);
}

TEST_F(GameTest, DealtNeverDrawnCostsNothingAndLogsNothing) {
  engine->Deal();
  engine->Deal();
  EXPECT_EQ(engine->Credits, 2495);
  EXPECT_EQ(engine->PerfectCredits, 2495);
  engine->SelectPoker(GAME_TENS_OR_BETTER, 0);
  EXPECT_EQ(engine->Credits, 2500);
  EXPECT_EQ(engine->State, GameState::NoRound);
  engine->Collect();
  EXPECT_EQ(engine->Credits, 2500);
  EXPECT_TRUE(Log().empty());
  EXPECT_EQ(engine->HandsPlayed, 0);
  EXPECT_DOUBLE_EQ(engine->Balance, 0);
  EXPECT_THROW(engine->Draw(), TError) << "the refunded cards cannot be drawn to";
}

TEST_F(GameTest, RoundIsCollectedOnce) {
  engine->Deal();
  engine->Draw();
  const int win = engine->Win;
  engine->Collect();
  engine->Collect();
  EXPECT_EQ(Log().size(), 1u);
  EXPECT_EQ(engine->Credits, 2500 - 5 + win);
  EXPECT_EQ(engine->HandsPlayed, 1);
  // A problem-hands deal that stops (no problem hands, dialog cancelled) collects nothing
  // more, however often it is tried.
  engine->Logger().Clear();
  engine->Mode = GameMode::PlayErrorHands;
  windows.ModeAnswers = {-1, -1};
  engine->Deal();
  engine->Deal();
  EXPECT_EQ(Log().size(), 0u);
  EXPECT_EQ(engine->Credits, 2500 - 5 + win);
  // The engine's shutdown collects an open double-up with its current win.
  engine->Mode = GameMode::Training;
  for (uint32_t seed = 1; engine->Win == 0; ++seed) {
    TRandom::Global().SetSeed(seed);
    engine->Deal();
    engine->Hint();
    engine->Draw();
  }
  engine->StartDoubleUp();
  const size_t before = Log().size();
  const int open = engine->Win;
  engine.reset();
  TLogger logger;
  const auto log = ReadLog(logger);
  ASSERT_EQ(log.size(), before + 1);
  EXPECT_EQ(log.back().Win, open);
  EXPECT_EQ(log.back().DoubleCount, 0);
}

TEST_F(GameTest, DoubleUpWinLossAndTie) {
  bool sawWin = false, sawLoss = false, sawTie = false;
  for (uint32_t seed = 1; seed < 2000 && !(sawWin && sawLoss && sawTie); ++seed) {
    TRandom::Global().SetSeed(seed);
    engine->Deal();
    engine->Hint();
    engine->Draw();
    if (engine->Win == 0) {
      EXPECT_THROW(engine->StartDoubleUp(), TError);
      continue;
    }
    const int handWin = engine->Win;
    int doubles = 0;
    while (engine->Win > 0 && doubles < 3) {
      engine->StartDoubleUp();
      EXPECT_EQ(engine->State, GameState::DoubleUp);
      const Cards cards = TableCards(*engine);
      EXPECT_EQ(std::set<int>(cards.begin(), cards.end()).size(), 5u);
      const int pick = 1 + doubles % 4;
      const int dealer = cards[0] % 13;
      const int player = cards[static_cast<size_t>(pick)] % 13;
      const int before = engine->Win;
      engine->PickDoubleCard(pick);
      ++doubles;
      EXPECT_EQ(engine->State, GameState::Finished);
      if (player > dealer) {
        EXPECT_EQ(engine->Win, 2 * before);
        sawWin = true;
      } else if (player < dealer) {
        EXPECT_EQ(engine->Win, 0);
        sawLoss = true;
      } else {
        EXPECT_EQ(engine->Win, before);
        sawTie = true;
      }
    }
    const int finalWin = engine->Win;
    engine->Collect();
    const TLogRecord last = Log().back();
    EXPECT_EQ(last.HandWin, handWin);
    EXPECT_EQ(last.Win, finalWin);
    EXPECT_EQ(last.DoubleCount, doubles);
  }
  EXPECT_TRUE(sawWin);
  EXPECT_TRUE(sawLoss);
  EXPECT_TRUE(sawTie);
}

TEST(GameEngineRules, DoubleUpRanks) {
  TDeck natural;
  TDeck deuces;
  deuces.SetWildRank(0);
  TDeck jokers;
  jokers.SetJokerCount(2);
  jokers.SetWildRank(-1);
  const int aceOfSpades = 12, deuceOfHearts = 39, kingOfClubs = 24, joker = 52, joker2 = 53;
  struct Case {
    const TDeck* deck;
    int dealer;
    int player;
    int expected;  // sign of player - dealer
  };
  const Case cases[] = {
      {&natural, deuceOfHearts, aceOfSpades, 1},
      {&natural, aceOfSpades, kingOfClubs, -1},
      {&natural, 0, deuceOfHearts, 0},  // two deuces tie
      {&deuces, aceOfSpades, deuceOfHearts, 1},
      {&deuces, deuceOfHearts, aceOfSpades, -1},
      {&deuces, 0, deuceOfHearts, 0},  // two wild cards tie
      {&jokers, aceOfSpades, joker, 1},
      {&jokers, joker, kingOfClubs, -1},
      {&jokers, joker, joker2, 0},
      {&jokers, 0, aceOfSpades, 1},  // deuces are natural here
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(std::to_string(c.dealer) + " vs " + std::to_string(c.player));
    const int difference =
        TGameEngine::DoubleUpRank(c.player, *c.deck) - TGameEngine::DoubleUpRank(c.dealer, *c.deck);
    EXPECT_EQ((difference > 0) - (difference < 0), c.expected);
  }
}

TEST_F(GameTest, ProblemHandsCycleInLogOrder) {
  // No problem hands yet: the no-errors dialog; cancelling keeps the mode.
  windows.ModeAnswers = {-1};
  engine->SetMode(GameMode::PlayErrorHands);
  EXPECT_EQ(engine->Mode, GameMode::Training);
  // Saved as the mode of the last run: a deal asks again and, cancelled, deals nothing.
  engine->Mode = GameMode::PlayErrorHands;
  windows.ModeAnswers = {-1, -1, 2};
  engine->Deal();
  EXPECT_EQ(engine->State, GameState::NoRound);
  EXPECT_EQ(engine->Credits, 2500);
  EXPECT_EQ(TableCards(*engine), (Cards{NoCard, NoCard, NoCard, NoCard, NoCard}));
  engine->Deal();
  EXPECT_EQ(engine->Credits, 2500);
  // Picking a mode there deals in that mode at once.
  engine->Deal();
  EXPECT_EQ(engine->Mode, GameMode::RealPlay);
  EXPECT_EQ(engine->State, GameState::Dealt);
  EXPECT_EQ(engine->Credits, 2495);

  // Rounds: holding nothing is usually an error, a hint makes a problem hand too, and the
  // rounds of another game never come back here.
  std::vector<Cards> problems;
  const auto drawAndNote = [&] {
    engine->Draw();
    const TLogRecord& record = engine->HandRecord;
    if (record.IsError() || record.HintReturn > 0) problems.push_back(AsCards(record.DealtCards));
  };
  drawAndNote();
  for (int round = 1; round < 12; ++round) {
    if (round % 4 == 1) {
      engine->SelectPoker(GAME_TENS_OR_BETTER, 0);
      engine->Deal();
      engine->Draw();
      engine->SelectPoker(GAME_JACKS_OR_BETTER, 0);
    }
    engine->Deal();
    if (round == 3) engine->Hint();
    drawAndNote();
  }
  engine->Collect();
  ASSERT_GE(problems.size(), 3u);
  engine->SetMode(GameMode::PlayErrorHands);
  ASSERT_EQ(engine->Mode, GameMode::PlayErrorHands);
  // Twice round the list: after the last problem hand the first comes again.
  for (size_t i = 0; i < 2 * problems.size(); ++i) {
    SCOPED_TRACE(i);
    engine->Deal();
    EXPECT_EQ(TableCards(*engine), problems[i % problems.size()]);
    EXPECT_EQ(engine->Engine().Deck.Count, 47);
    engine->Draw();
  }
  // Leaving the mode drops the list; other games have their own.
  engine->SetMode(GameMode::Training);
  EXPECT_FALSE(engine->HasErrorHands());
}

TEST_F(GameTest, SelectPokerAndRecentGames) {
  using Keys = std::vector<std::string>;
  const std::string jacks = GameKey(GAME_JACKS_OR_BETTER, 0);
  const std::string tens = GameKey(GAME_TENS_OR_BETTER, 0);
  const std::string eights = GameKey(GAME_ACES_AND_EIGHTS, 0);
  EXPECT_EQ(engine->GameTitle(), "JACKS OR BETTER");
  engine->MRUList.clear();
  Select(GAME_TENS_OR_BETTER, 0);
  EXPECT_EQ(engine->MRUList, (Keys{jacks}));
  EXPECT_EQ(engine->CategoryName(8), "Tens or Better");
  EXPECT_EQ(engine->GetPayout(3, 1), 6);
  Select(GAME_ACES_AND_EIGHTS, 0);
  EXPECT_EQ(engine->MRUList, (Keys{tens, jacks}));
  EXPECT_EQ(engine->CategoryCount(), 11);
  Select(GAME_JACKS_OR_BETTER, 0);  // from the list: it leaves the list
  EXPECT_EQ(engine->MRUList, (Keys{eights, tens}));
  Select(GAME_JACKS_OR_BETTER, 0);  // the game being played never enters the list
  EXPECT_EQ(engine->MRUList, (Keys{eights, tens}));
  for (int game : {GAME_ACES_AND_FACES, GAME_BONUS_POKER, GAME_DOUBLE_BONUS, GAME_TENS_OR_BETTER}) {
    Select(game, 0);
  }
  EXPECT_EQ(engine->MRUList.size(), 5u);
  EXPECT_EQ(engine->MRUList.front(), GameKey(GAME_DOUBLE_BONUS, 0));

  // A game or paytable that cannot be opened changes nothing.
  const Keys before = engine->MRUList;
  engine->Deal();
  for (const auto& [game, payIndex] :
       {std::pair<int, int>{GAME_TENS_OR_BETTER, 1}, {9, 0}, {GAME_DEUCES_WILD, 0}}) {
    EXPECT_THROW(engine->SelectPoker(game, payIndex), TError);
  }
  EXPECT_EQ(engine->MRUList, before);
  EXPECT_EQ(engine->GameType(), GAME_TENS_OR_BETTER);
  EXPECT_EQ(engine->State, GameState::Dealt);

  // Restart after playing three games: the third opens, the list is the second, the first.
  engine->Collect();
  engine->MRUList.clear();
  Select(GAME_JACKS_OR_BETTER, 0);
  Select(GAME_ACES_AND_EIGHTS, 0);
  Restart();
  EXPECT_EQ(engine->GameType(), GAME_ACES_AND_EIGHTS);
  EXPECT_EQ(engine->MRUList, (Keys{jacks, tens}));
}

TEST_F(GameTest, WarningAndHint) {
  int shown = 0;
  for (uint32_t seed = 1; shown < 3 && seed < 500; ++seed) {
    TRandom::Global().SetSeed(seed);
    engine->Deal();  // Training: nothing held
    const double loss = engine->BestHoldReturn() - engine->CurrentHoldReturn();
    if (loss <= 0.01) {
      EXPECT_FALSE(engine->CheckWarning());
      continue;
    }
    ++shown;
    if (shown == 1) {
      windows.WarningAnswers.push_back({/*ApplyBest=*/false, /*StopWarnings=*/false});
      EXPECT_TRUE(engine->CheckWarning());
      EXPECT_EQ(engine->HoldMask, 31);
      EXPECT_EQ(engine->HandRecord.HintReturn, 0);
      // With the best hold taken the warning does not come.
      engine->HoldMask = engine->HandRecord.BestMask;
      EXPECT_FALSE(engine->CheckWarning());
    } else if (shown == 2) {
      windows.WarningAnswers.push_back({true, false});
      EXPECT_TRUE(engine->CheckWarning());
      EXPECT_EQ(engine->HoldMask, engine->HandRecord.BestMask);
      EXPECT_EQ(engine->HandRecord.HintReturn, engine->HandRecord.BestReturn);
      EXPECT_GT(engine->HandRecord.HintReturn, 0);
    } else {
      windows.WarningAnswers.push_back({false, true});
      EXPECT_TRUE(engine->CheckWarning());
      EXPECT_EQ(engine->Options & ShowWarnings, 0);
      EXPECT_FALSE(engine->CheckWarning()) << "switched off";
    }
    engine->Draw();
  }
  EXPECT_EQ(shown, 3);
  EXPECT_EQ(windows.Opened, (std::vector<std::string>{"warning", "warning", "warning"}));
}

TEST_F(GameTest, CreditsMayGoNegative) {
  engine->Credits = 3;
  engine->PerfectCredits = 3;
  engine->SetMode(GameMode::RealPlay);
  engine->Deal();
  EXPECT_EQ(engine->Credits, -2);
  engine->Draw();
  engine->Deal();
  EXPECT_EQ(Log().size(), 1u);
  // A counter past 32 bits raises instead of wrapping.
  engine->Collect();
  engine->Credits = std::numeric_limits<int32_t>::min() + 2;
  EXPECT_THROW(engine->Deal(), TError);
}

TEST_F(GameTest, FreshStartAndResetValues) {
  EXPECT_EQ(engine->Accuracy(), 100);
  EXPECT_EQ(engine->PlayTime(), 0);
  engine->Deal();  // starts the clock
  now += 0.25;
  EXPECT_DOUBLE_EQ(engine->PlayTime(), 0.25);
  engine->Draw();
  engine->SetBet(2);
  engine->CoinValueIndex = 3;
  engine->Deal();
  engine->Draw();
  EXPECT_LT(engine->Accuracy(), 100.0001);
  engine->ResetValues();
  EXPECT_EQ(engine->Credits, 2500);
  EXPECT_EQ(engine->Bet, 5);
  EXPECT_EQ(engine->CoinValueIndex, 0);
  EXPECT_EQ(engine->Accuracy(), 100);
  EXPECT_EQ(engine->HandsPlayed, 0);
  EXPECT_EQ(engine->PlayTime(), 0);
  engine->Deal();  // the reset bet holds for the next round
  EXPECT_EQ(engine->HandRecord.Bet, 5);
  EXPECT_EQ(engine->Credits, 2495);
}

TEST_F(GameTest, RangeChecksAndErrorContext) {
  const auto messageOf = [](const std::function<void()>& action) -> std::string {
    try {
      action();
    } catch (const TError& error) {
      return error.Message();
    }
    return "<no error>";
  };
  EXPECT_EQ(messageOf([&] { engine->Draw(); }), "There is no dealt hand to draw to\r\nDraw");
  EXPECT_EQ(messageOf([&] { engine->SelectPoker(GAME_JACKS_OR_BETTER, 7); }),
            "Paytable out of range: 7\r\nSelectPoker");
  EXPECT_THROW(engine->SetBet(0), TError);
  EXPECT_THROW(engine->SetBet(6), TError);
  EXPECT_THROW(engine->GetPayout(16, 1), TError);
  EXPECT_THROW(engine->GetCard(5), TError);
  engine->CoinValueIndex = 6;
  EXPECT_EQ(messageOf([&] { engine->Deal(); }), "Coin value out of range: 6\r\nDeal");
  engine->CoinValueIndex = 0;
  engine->Deal();
  EXPECT_THROW(engine->ToggleHold(5), TError);
  EXPECT_THROW(engine->SetBet(3), TError) << "not while a hand is dealt";
  EXPECT_THROW(engine->PickDoubleCard(1), TError);
  engine->Draw();
  EXPECT_THROW(engine->PickDoubleCard(0), TError);
}

TEST_F(GameTest, WindowsAreOpenedWithTheLogger) {
  engine->ShowStatistics();
  engine->ShowErrors();
  engine->ShowCharts();
  engine->SetupPreferences();
  EXPECT_EQ(windows.LastLogger, &engine->Logger());
  for (int round = 0; round < 6; ++round) {
    engine->SetBet(1 + round % 2);
    engine->Deal();
    engine->Draw();
  }
  engine->Collect();
  engine->ClearByFilter();  // cancelled
  EXPECT_EQ(Log().size(), 6u);
  windows.ClearRule = [](const TLogRecord& record) { return record.Bet == 2; };
  engine->ClearByFilter();
  EXPECT_EQ(Log().size(), 3u);
  EXPECT_EQ(windows.Opened, (std::vector<std::string>{"statistics", "errors", "charts",
                                                      "preferences", "clear", "clear"}));
}

TEST(GameEngineLog, UnreadableLogIsReportedOnceAndPlayGoesOn) {
  TempFolder folder;
  std::filesystem::create_directories(folder.DataFolder() / "Tavrik.log");
  TFakeWindows windows;
  {
    TPreferences preferences;
    TGameEngine engine(preferences, windows);
    engine.Deal();
    engine.Draw();
    engine.Deal();
    engine.Draw();
    EXPECT_EQ(ReadLog(engine.Logger()).size(), 1u);
  }
  EXPECT_EQ(windows.Problems.size(), 1u);
  EXPECT_TRUE(std::filesystem::is_directory(folder.DataFolder() / "Tavrik.log"));
}

TEST(GameEngineLog, KilledProgramLosesOnlyTheOpenRound) {
  TempFolder folder;
  const pid_t child = ::fork();
  ASSERT_GE(child, 0);
  if (child == 0) {
    TFakeWindows windows;
    TPreferences preferences;
    TGameEngine engine(preferences, windows);
    for (int round = 0; round < 4; ++round) {
      engine.Deal();
      engine.Draw();
    }
    ::kill(::getpid(), SIGKILL);  // no destructor runs: the fourth round is still open
    ::_exit(0);
  }
  int status = 0;
  ASSERT_EQ(::waitpid(child, &status, 0), child);
  ASSERT_TRUE(WIFSIGNALED(status));
  TLogger logger;
  EXPECT_EQ(ReadLog(logger).size(), 3u);
}

}  // namespace
}  // namespace tavrik::test
