#include "game/game_engine.h"

#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <random>
#include <set>

#include "core/error.h"
#include "core/game_list.h"
#include "game_test_support.h"
#include "records/mistake.h"
#include "support/message_lines.h"

namespace tavrik::test {
namespace {

using Cards = std::array<int, 5>;

Cards TableCards(const TGameEngine& engine) {
  Cards cards{};
  for (int i = 0; i < 5; ++i) cards[static_cast<size_t>(i)] = engine.GetCard(i);
  return cards;
}

Cards AsCards(const std::array<uint8_t, 5>& bytes) {
  return {bytes[0], bytes[1], bytes[2], bytes[3], bytes[4]};
}

TEST_F(GameTest, RoundsAgreeWithADirectComputation) {
  // Rounds of a natural and the three wild games, in each mode, with varied holds, bets,
  // hints and chains of double-ups; every figure the record keeps is checked against the
  // cards alone, a wild card paying its best substitution.
  std::mt19937 choices(7);
  const auto next = [&choices](uint32_t range) { return static_cast<uint32_t>(choices() % range); };
  std::vector<std::array<int, 3>> expected;  // logged hand win, win and double-ups
  std::set<int> doubleOutcomes;              // -1 loss, 0 tie, 1 win
  for (const int game :
       {GAME_JACKS_OR_BETTER, GAME_DEUCES_WILD, GAME_JOKER_POKER, GAME_DOUBLE_JOKER_POKER}) {
    Select(game, 0);
    for (int round = 0; round < 60; ++round) {
      SCOPED_TRACE(std::to_string(game) + " round " + std::to_string(round));
      const auto mode = static_cast<GameMode>(round % 3);  // auto-hold, training, real play
      engine->SetMode(mode);
      engine->SetBet(1 + static_cast<int>(next(5)));
      engine->Deal();
      EXPECT_EQ(Log().size(), expected.size()) << "the previous round is logged";
      EXPECT_EQ(engine->HoldMask(), mode == GameMode::AutoHold ? engine->Record().BestMask : 31);
      EXPECT_EQ(engine->Engine().Deck.Count, 52 + CreateDescription(game)->JokerCount - 5);
      if (next(4) == 0) engine->Hint();
      for (int i = 0; i < 5; ++i) {
        if (next(3) == 0) engine->ToggleHold(i);
      }
      const int hold = engine->HoldMask();
      engine->Draw();
      const TLogRecord record = engine->Record();
      const int bet = record.Bet;
      EXPECT_EQ(record.Mode, static_cast<int>(mode));
      EXPECT_EQ(record.PlayerMask, hold);
      EXPECT_EQ(TableCards(*engine), FinalCards(record, hold));

      std::set<int> seen(record.DealtCards.begin(), record.DealtCards.end());
      seen.insert(record.DrawCards.begin(), record.DrawCards.end());
      EXPECT_EQ(seen.size(), 10u) << "ten different cards";
      int maxWin = 0, maxWinMask = 31;
      for (int mask = 0; mask < 32; ++mask) {
        const int win = ReferenceWin(game, bet, FinalCards(record, mask));
        if (win > maxWin) std::tie(maxWin, maxWinMask) = std::pair(win, mask);
      }
      EXPECT_EQ(record.MaxWin, maxWin);
      EXPECT_EQ(record.MaxWinMask, maxWinMask);
      EXPECT_EQ(record.PerfectWin, ReferenceWin(game, bet, FinalCards(record, record.BestMask)));
      EXPECT_EQ(engine->Win(), ReferenceWin(game, bet, FinalCards(record, hold)));
      EXPECT_EQ(record.HandWin, engine->Win());
      EXPECT_EQ(record.FinalCategory == 255, record.HandWin == 0);
      EXPECT_LE(record.PlayerReturn, record.BestReturn + 1e-12);
      EXPECT_TRUE(record.HintReturn == 0 || record.HintReturn == record.BestReturn);
      // Double-up: the dealer's card against the picked one, wild cards ranking highest.
      const int handWin = engine->Win();
      int doubles = 0;
      for (const uint32_t wanted = next(4); engine->Win() > 0 && doubles < static_cast<int>(wanted);
           ++doubles) {
        engine->StartDoubleUp();
        const Cards cards = TableCards(*engine);
        EXPECT_EQ(std::set<int>(cards.begin(), cards.end()).size(), 5u);
        const int pick = 1 + static_cast<int>(next(4));
        const int difference =
            TGameEngine::DoubleUpRank(cards[static_cast<size_t>(pick)], engine->Engine().Deck) -
            TGameEngine::DoubleUpRank(cards[0], engine->Engine().Deck);
        const int sign = (difference > 0) - (difference < 0), before = engine->Win();
        engine->PickDoubleCard(pick);
        EXPECT_EQ(engine->State(), GameState::Finished);
        EXPECT_EQ(engine->Win(), sign > 0 ? 2 * before : sign < 0 ? 0 : before);
        EXPECT_EQ(engine->DoubleOutcome(), sign);
        doubleOutcomes.insert(sign);
        EXPECT_EQ(engine->DoublePick(), pick);
      }
      expected.push_back({handWin, engine->Win(), doubles});
      now += 0.001;
    }
  }
  engine->Collect();
  const std::vector<TLogRecord> log = Log();
  ASSERT_EQ(log.size(), expected.size());
  EXPECT_EQ(log.back().EndTime, now);
  EXPECT_EQ(engine->HandsPlayed(), static_cast<int>(log.size()));
  EXPECT_EQ(doubleOutcomes.size(), 3u);
  // Credits, balance and accuracy follow the logged rounds.
  int64_t net = 0, perfectNet = 0;
  double player = 0, best = 0;
  for (size_t i = 0; i < log.size(); ++i) {
    const TLogRecord& record = log[i];
    EXPECT_EQ((std::array<int, 3>{record.HandWin, record.Win, record.DoubleCount}), expected[i])
        << i;
    net += record.Win - record.Bet;
    perfectNet += record.PerfectWin - record.Bet;
    player += record.PlayerReturn;
    best += record.BestReturn;
  }
  EXPECT_EQ(engine->Credits(), 2500 + net);
  EXPECT_EQ(engine->PerfectCredits(), 2500 + perfectNet);
  EXPECT_NEAR(engine->Balance(), static_cast<double>(net) * 0.25, 1e-9);
  EXPECT_NEAR(engine->Accuracy(), player / best * 100, 1e-9);
}

TEST_F(GameTest, RoundIsCollectedOnce) {
  // Dealt, never drawn: the bet comes back and nothing is logged.
  engine->Deal();
  engine->Deal();
  EXPECT_EQ(engine->Credits(), 2495);
  engine->SelectPoker(GAME_TENS_OR_BETTER, 0);
  engine->Collect();
  EXPECT_EQ(engine->Credits(), 2500);
  EXPECT_EQ(engine->PerfectCredits(), 2500);
  EXPECT_TRUE(Log().empty());
  EXPECT_THROW(engine->Draw(), TError) << "the refunded cards cannot be drawn to";

  PlayRounds(*engine, 1, false);
  const int win = engine->Win();
  engine->Collect();
  engine->Collect();
  EXPECT_EQ(Log().size(), 1u);
  EXPECT_EQ(engine->Credits(), 2495 + win);

  // Shutdown collects an open double-up with its current win.
  for (uint32_t seed = 1; engine->Win() == 0; ++seed) {
    Deal(seed);
    engine->Hint();
    engine->Draw();
  }
  engine->StartDoubleUp();
  const int open = engine->Win();
  const size_t logged = Log().size();
  engine.reset();
  TLogger logger;
  const auto log = ReadLog(logger);
  ASSERT_EQ(log.size(), logged + 1);
  EXPECT_EQ(log.back().Win, open);
}

TEST_F(GameTest, WhatThePlayerMayDoInEachState) {
  // Bet 3 allowed, double-up, hint, reset, faces shown (bit i: position i).
  using Row = std::tuple<bool, bool, bool, bool, int>;
  const auto allowed = [this] {
    int faces = 0;
    for (int i = 0; i < 5; ++i) faces |= engine->IsFaceUp(i) ? 1 << i : 0;
    return Row{engine->CanChangeBet(3), engine->CanDoubleUp(), engine->CanHint(),
               engine->CanResetCounters(), faces};
  };
  EXPECT_EQ(allowed(), Row(true, false, false, true, 0)) << "no round";
  for (uint32_t seed = 1; engine->Win() == 0; ++seed) {
    Deal(seed);
    EXPECT_EQ(allowed(), Row(false, false, true, false, 31)) << "dealt";
    engine->ToggleHold(0);
    engine->ReleaseAllHolds();  // Esc: nothing held, whatever was
    EXPECT_EQ(engine->HoldMask(), ReplaceAll);
    engine->Hint();
    engine->DrawOrDeal();
    EXPECT_EQ(engine->NewCards(), engine->HoldMask()) << "the replaced cards are new";
  }
  EXPECT_EQ(allowed(), Row(true, true, false, true, 31)) << "won";
  const int held = engine->HoldMask();
  engine->ReleaseAllHolds();
  EXPECT_EQ(engine->HoldMask(), held) << "holds change only while dealt";
  engine->StartDoubleUp();
  EXPECT_EQ(allowed(), Row(false, false, false, false, 1)) << "double-up: the dealer's card only";
  engine->SetMode(GameMode::RealPlay);
  engine->DrawOrDeal();
  EXPECT_EQ(allowed(), Row(false, false, false, false, 31)) << "real play offers no hint";
  EXPECT_EQ(engine->NewCards(), ReplaceAll);
  engine->Draw();
  EXPECT_FALSE(engine->CanChangeBet(0) || engine->CanChangeBet(6));
  // Without result hands the draw deals the next round at once.
  engine->SetOption(ShowResultHands, false);
  engine->SetOption(ShowWarnings, false);
  engine->Deal();
  const size_t logged = Log().size();
  engine->DrawOrDeal();
  EXPECT_EQ(engine->State(), GameState::Dealt);
  EXPECT_EQ(Log().size(), logged + 1) << "the drawn round is logged";
}

TEST(GameEngineRules, WildCardsInDoubleUp) {
  TDeck natural;
  TDeck deuces;
  deuces.SetWildRank(0);
  TDeck jokers;
  jokers.SetJokerCount(2);
  const int ace = 12, deuce = 39, king = 24, joker = 52, joker2 = 53;
  // Deck, dealer's card, player's card, sign of the player's advantage.
  const std::tuple<const TDeck*, int, int, int> cases[] = {
      {&natural, deuce, ace, 1},  {&natural, 0, deuce, 0},     {&deuces, ace, deuce, 1},
      {&deuces, deuce, ace, -1},  {&deuces, 0, deuce, 0},      {&jokers, ace, joker, 1},
      {&jokers, joker, king, -1}, {&jokers, joker, joker2, 0}, {&jokers, 0, ace, 1},
  };
  for (const auto& [deck, dealer, player, sign] : cases) {
    const int difference =
        TGameEngine::DoubleUpRank(player, *deck) - TGameEngine::DoubleUpRank(dealer, *deck);
    EXPECT_EQ((difference > 0) - (difference < 0), sign) << dealer << " vs " << player;
  }
}

TEST_F(GameTest, ProblemHandsCycleInLogOrder) {
  // No problem hands: the no-errors dialog; cancelling keeps the mode.
  windows.ModeAnswers = {-1};
  engine->SetMode(GameMode::PlayErrorHands);
  EXPECT_EQ(engine->Mode(), GameMode::Training);
  // Saved as the mode of the last run: a deal asks, and cancelled it deals and collects
  // nothing.
  Reload(*engine, [](TIniFile& settings) { settings.WriteInteger("Params", "Mode", 3); });
  windows.ModeAnswers = {-1, 2};
  engine->Deal();
  EXPECT_EQ(engine->State(), GameState::NoRound);
  EXPECT_EQ(TableCards(*engine), (Cards{NoCard, NoCard, NoCard, NoCard, NoCard}));
  EXPECT_EQ(engine->Credits(), 2500);
  EXPECT_TRUE(Log().empty());
  // Picking a mode there deals in that mode at once.
  engine->Deal();
  EXPECT_EQ(engine->Mode(), GameMode::RealPlay);
  EXPECT_EQ(engine->Credits(), 2495);

  // Holding nothing is often an error, a hint makes a problem hand too, and the rounds of
  // another game never come back here.
  std::vector<Cards> problems;
  for (int round = 0; round < 12; ++round) {
    if (round > 0) {
      if (round % 4 == 1) {
        engine->SelectPoker(GAME_TENS_OR_BETTER, 0);
        PlayRounds(*engine, 1, false);
        engine->SelectPoker(GAME_JACKS_OR_BETTER, 0);
      }
      engine->Deal();
      if (round == 3) engine->Hint();
    }
    engine->Draw();
    const TLogRecord& record = engine->Record();
    if (IsError(record) || record.HintReturn > 0) problems.push_back(AsCards(record.DealtCards));
  }
  ASSERT_GE(problems.size(), 3u);
  engine->Collect();  // the list is read from the log
  engine->SetMode(GameMode::PlayErrorHands);
  // Twice round the list: after the last problem hand the first comes again.
  for (size_t i = 0; i < 2 * problems.size(); ++i) {
    engine->Deal();
    EXPECT_EQ(TableCards(*engine), problems[i % problems.size()]) << i;
    EXPECT_EQ(engine->Engine().Deck.Count, 47);
    engine->Draw();
  }
  engine->Collect();
  EXPECT_EQ(Log().back().Mode, 3);

  // Clearing the log takes cleared hands out of the replay at once.
  const Cards first = problems.front();
  windows.ClearRule = [&first](const TLogRecord& record) {
    return AsCards(record.DealtCards) == first;
  };
  engine->ClearByFilter();
  for (size_t i = 1; i < problems.size(); ++i) {
    engine->Deal();
    EXPECT_NE(TableCards(*engine), first) << i;
    engine->Draw();
  }
  engine->Collect();
  engine->ClearLog();
  windows.ModeAnswers = {1};
  engine->Deal();
  EXPECT_EQ(engine->Mode(), GameMode::Training) << "nothing left to replay";
  EXPECT_FALSE(engine->HasErrorHands());
}

TEST_F(GameTest, SelectPokerAndRecentGames) {
  using Keys = std::vector<std::string>;
  const std::string jacks = GameKey(GAME_JACKS_OR_BETTER, 0);
  const std::string tens = GameKey(GAME_TENS_OR_BETTER, 0);
  const std::string eights = GameKey(GAME_ACES_AND_EIGHTS, 0);
  Select(GAME_TENS_OR_BETTER, 0);
  EXPECT_EQ(engine->MRUList(), (Keys{jacks}));
  EXPECT_EQ(engine->GameTitle(), "TENS OR BETTER");
  EXPECT_EQ(engine->CategoryName(8), "Tens or Better");
  Select(GAME_ACES_AND_EIGHTS, 0);
  EXPECT_EQ(engine->MRUList(), (Keys{tens, jacks}));
  Select(GAME_JACKS_OR_BETTER, 0);  // from the list: it leaves the list
  EXPECT_EQ(engine->MRUList(), (Keys{eights, tens}));
  Select(GAME_JACKS_OR_BETTER, 0);  // the game being played never enters the list
  EXPECT_EQ(engine->MRUList(), (Keys{eights, tens}));
  for (int game : {GAME_ACES_AND_FACES, GAME_BONUS_POKER, GAME_DOUBLE_BONUS, GAME_TENS_OR_BETTER}) {
    Select(game, 0);
  }
  EXPECT_EQ(engine->MRUList().size(), 5u);
}

TEST_F(GameTest, WarningBeforeAWorseHold) {
  // The player's answers in turn: keep the hold, take the best one, stop the warnings.
  windows.WarningAnswers = {{false, false}, {true, false}, {false, true}};
  int shown = 0;
  for (uint32_t seed = 1; seed < 500; ++seed) {
    Deal(seed);  // Training: nothing held
    const bool worse = HoldCost() > 0.01;
    if (!worse || shown == 3) {
      EXPECT_FALSE(engine->CheckWarning()) << "stopped: " << (shown == 3);
      if (worse) break;
      continue;
    }
    ASSERT_TRUE(engine->CheckWarning());
    ++shown;
    EXPECT_EQ(engine->HoldMask(), shown == 2 ? engine->Record().BestMask : 31);
    EXPECT_EQ(engine->Record().HintReturn, shown == 2 ? engine->Record().BestReturn : 0);
    EXPECT_EQ(engine->HasOption(ShowWarnings), shown < 3);
    engine->Hint();
    EXPECT_FALSE(engine->CheckWarning()) << "the best hold is never warned about";
  }
  EXPECT_EQ(shown, 3);
  EXPECT_TRUE(windows.WarningAnswers.empty());
  // The player's threshold decides.
  engine->SetOption(ShowWarnings, true);
  preferences.SetWarningThreshold(5);
  int quiet = 0;
  for (uint32_t seed = 1; seed < 20; ++seed) {
    Deal(seed);
    const double cost = HoldCost();
    if (cost > 5) windows.WarningAnswers.push_back({});
    quiet += cost > 0.01 && cost <= 5;
    EXPECT_EQ(engine->CheckWarning().has_value(), cost > 5) << cost;
  }
  EXPECT_GT(quiet, 0) << "holds the default threshold would warn about";
}

TEST_F(GameTest, BackFromTheWarningKeepsTheDealtHand) {
  windows.WarningAnswers = {{.Back = true}, {.StopWarnings = true, .Back = true}};
  for (uint32_t seed = 1; engine->State() != GameState::Dealt || HoldCost() <= 0.01; ++seed) {
    Deal(seed);
    engine->ToggleHold(0);
  }
  // Back from the warning, state, cards, hold (to be changed), new cards, credits and hint
  // are as dealt.
  const auto table = [this] {
    return std::tuple(static_cast<int>(engine->State()), TableCards(*engine), engine->HoldMask(),
                      engine->NewCards(), engine->Credits(), engine->Record().HintReturn);
  };
  const auto dealt = table();
  for (int answer = 0; answer < 2; ++answer) {
    EXPECT_FALSE(engine->DrawOrDeal());
    EXPECT_EQ(table(), dealt);
  }
  EXPECT_FALSE(engine->HasOption(ShowWarnings)) << "the box is honoured on the way back";
  EXPECT_TRUE(engine->DrawOrDeal()) << "no warning any more: it draws";
  EXPECT_EQ(engine->State(), GameState::Finished);
  EXPECT_EQ(engine->Record().PlayerMask, 30);
}

TEST_F(GameTest, CountersAndReset) {
  Reload(*engine, [](TIniFile& settings) { settings.WriteInteger("Params", "Credits", 3); });
  engine->Deal();  // starts the clock; nothing compares the credits with the bet
  EXPECT_EQ(engine->Credits(), -2);
  now += 0.25;
  EXPECT_DOUBLE_EQ(engine->PlayTime(), 0.25);
  EXPECT_THROW(engine->ResetValues(), TError) << "not while a hand waits for its draw";
  engine->Draw();
  engine->SetBet(2);
  engine->SetCoinValue(3);
  engine->ResetValues();
  EXPECT_EQ(Log().size(), 1u) << "the drawn round is logged in the session it was played in";
  EXPECT_EQ(engine->Credits(), 2500);
  EXPECT_EQ(engine->Bet(), 5);
  EXPECT_EQ(engine->CoinValueIndex(), 0);
  EXPECT_EQ(engine->Accuracy(), 100);
  EXPECT_EQ(engine->PlayTime(), 0);
  engine->Deal();  // the reset bet holds for the next round
  EXPECT_EQ(engine->Record().Bet, 5);
  EXPECT_EQ(engine->Credits(), 2495) << "nothing of the old round reaches the new session";
  EXPECT_EQ(engine->Engine().Payout->Pay[0], 4000);
  // Saved credits near the 32-bit limit are clamped, so that a round never overflows them.
  engine->Draw();
  Reload(*engine, [](TIniFile& settings) {
    settings.WriteInteger("Params", "Credits", std::numeric_limits<int32_t>::min() + 2);
  });
  engine->Deal();
  EXPECT_EQ(engine->Credits(), -1'000'000'005);
}

TEST_F(GameTest, RangeChecksAndErrorContext) {
  using Lines = std::vector<std::string>;
  EXPECT_EQ(RaisedLines([&] { engine->Draw(); }),
            (Lines{"There is no dealt hand to draw to", "Draw"}));
  EXPECT_EQ(RaisedLines([&] { engine->SelectPoker(GAME_JACKS_OR_BETTER, 7); }),
            (Lines{"Paytable out of range: 7", "SelectPoker"}));
  EXPECT_EQ(RaisedLines([&] { engine->SetCoinValue(6); }), (Lines{"Coin value out of range: 6"}));
  using Actions = std::vector<std::function<void()>>;
  for (const auto& action :
       Actions{[&] { engine->SetBet(6); }, [&] { engine->GetPayout(16, 1); },
               [&] { engine->GetCard(5); }, [&] { engine->PickDoubleCard(1); }}) {
    EXPECT_THROW(action(), TError);
  }
  // While a hand is dealt the bet stays; a game or paytable that cannot be opened changes
  // nothing.
  Select(GAME_TENS_OR_BETTER, 0);
  engine->Deal();
  for (const auto& action : Actions{[&] { engine->ToggleHold(5); }, [&] { engine->SetBet(3); },
                                    [&] { engine->SelectPoker(GAME_TENS_OR_BETTER, 1); },
                                    [&] { engine->SelectPoker(9, 0); },
                                    [&] { engine->SelectPoker(GAME_DEUCES_WILD, 1); }}) {
    EXPECT_THROW(action(), TError);
  }
  EXPECT_EQ(engine->MRUList(), std::vector<std::string>{GameKey(GAME_JACKS_OR_BETTER, 0)});
  EXPECT_EQ(engine->State(), GameState::Dealt);
}

TEST_F(GameTest, WindowsAreOpenedWithTheLogger) {
  engine->ShowStatistics();
  engine->ShowErrors();
  engine->ShowCharts();
  engine->SetupPreferences();
  EXPECT_EQ(windows.LastLogger, &engine->Logger());
  for (const int bet : {1, 2, 1, 2}) {
    engine->SetBet(bet);
    PlayRounds(*engine, 1);
  }
  engine->ClearByFilter();  // cancelled
  EXPECT_EQ(Log().size(), 4u);
  windows.ClearRule = [](const TLogRecord& record) { return record.Bet == 2; };
  engine->ClearByFilter();
  EXPECT_EQ(Log().size(), 2u);
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
    PlayRounds(engine, 2);
    EXPECT_EQ(ReadLog(engine.Logger()).size(), 2u);
  }
  EXPECT_EQ(windows.Problems.size(), 1u);
}

TEST(GameEngineLog, KilledProgramLosesOnlyTheOpenRound) {
  TempFolder folder;
  const pid_t child = ::fork();
  ASSERT_GE(child, 0);
  if (child == 0) {
    TRun run;
    PlayRounds(run.engine, 4, false);
    ::kill(::getpid(), SIGKILL);  // no destructor runs: the fourth round is still open
    ::_exit(1);
  }
  int status = 0;
  ASSERT_EQ(::waitpid(child, &status, 0), child);
  ASSERT_TRUE(WIFSIGNALED(status));
  TLogger logger;
  EXPECT_EQ(ReadLog(logger).size(), 3u);
}

}  // namespace
}  // namespace tavrik::test
