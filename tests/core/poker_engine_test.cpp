#include "core/poker_engine.h"

#include <gtest/gtest.h>

#include <memory>
#include <vector>

#include "core/error.h"
#include "support/draw_listing.h"
#include "support/engine_fixture.h"
#include "support/hand_text.h"
#include "support/message_lines.h"

namespace tavrik {
namespace {

using test::TEngineFixture;

// The heart of the engine: for hand-picked and seeded random deals, every count of every
// mask equals the number of listed draws, per fine type and per category of every natural
// game.
TEST(PokerEngine, CountsEqualListedDrawsForEveryMask) {
  std::vector<std::string> deals = {
      "AS KS QS JS 9D", "JH JS 4C 7D 9S", "AS KS QS JS TS", "2H 3H 4H 5H AH", "8C 8D 8H 8S AS",
      "7D 7C 7H QS QD", "QS QH 5C 5D AS", "9C 9D 4S 4H 4C", "2C 3D 4H 5S 9C", "5C 6D 8H 9S 2S",
      "TC JC QC KC 3D", "AD 2D 3D 4D 9S", "KS QH JD TC 9S", "2S 7C 9D JH KH"};
  for (const auto& deal : test::RandomDeals(GAME_JACKS_OR_BETTER, 36, 20261206))
    deals.push_back(deal);
  std::vector<std::unique_ptr<TEngineFixture>> engines;
  for (const int game : {0, 1, 2, 4, 6, 8})
    engines.push_back(std::make_unique<TEngineFixture>(game));
  for (const auto& deal : deals) {
    SCOPED_TRACE(deal);
    engines[0]->Analyse(deal);
    const test::TListedHolds listed = test::ListEveryHold(engines[0]->engine);
    for (const auto& f : engines) {
      f->Analyse(deal);
      test::ExpectListedCounts(*f, listed);
      if (HasFatalFailure()) return;
    }
  }
}

TEST(PokerEngine, BestHoldsAndReturns) {
  struct Case {
    int game, coins;
    const char* deal;
    int best;  // -1: not checked
    double bestReturn;
    int category;
  };
  const Case cases[] = {
      {GAME_JACKS_OR_BETTER, 1, "JH JS 4C 7D 9S", 28, 1.536540, 8},
      {GAME_JACKS_OR_BETTER, 1, "AS KS QS JS TS", 0, 250.0, 0},
      {GAME_JACKS_OR_BETTER, 5, "AS KS QS JS TS", 0, 4000.0, 0},
      {GAME_TENS_OR_BETTER, 1, "TH TS 4C 7D 9S", 28, -1.0, 8},
      {GAME_JACKS_OR_BETTER, 1, "TH TS 4C 7D 9S", 28, -1.0, -1},
      // Four aces: standing pat and drawing to the kicker pay the same; pat wins the tie.
      {GAME_JACKS_OR_BETTER, 1, "AS AH AD AC KS", 0, 25.0, 2},
      {GAME_ACES_AND_EIGHTS, 1, "8S 8H 8D 8C AS", 0, 80.0, 1},
      {GAME_ACES_AND_EIGHTS, 1, "7S 7H 7D 7C KS", 0, 50.0, 2},
      // Four deuces pay on every draw as standing pat does; all wild cards and a pair make
      // five of a kind.
      {GAME_DEUCES_WILD, 5, "2S 2H 2D 2C AS", 0, 1000.0, 1},
      {GAME_DEUCES_WILD, 5, "2S 2H 2D 7C 7S", -1, -1.0, 3},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.deal);
    TEngineFixture f(c.game, c.coins);
    const int best = f.Analyse(c.deal);
    EXPECT_TRUE(c.best < 0 || best == c.best) << best;
    if (c.bestReturn >= 0) {
      EXPECT_NEAR(static_cast<double>(f.engine.DrawReturn(c.best)), c.bestReturn, 5e-7);
    }
    EXPECT_EQ(f.engine.GetHandCategory(), c.category);
  }
}

TEST(PokerEngine, ErrorsCarryTheirContext) {
  using Lines = std::vector<std::string>;
  TEngineFixture f(GAME_JACKS_OR_BETTER);
  f.Analyse("JH JS 4C 7D 9S");
  EXPECT_THROW(f.engine.GetCategoryCount(10, 0), TError);
  EXPECT_THROW(f.engine.GetCategoryCount(0, 32), TError);
  EXPECT_EQ(RaisedLines([&] { f.engine.DrawReturn(40); }),
            (Lines{"Hold mask out of range: 40", "Error calculate natural case (DrawReturn)"}));
  // Five cards of one rank cannot come from one deck: refused, not counted past the tables.
  EXPECT_EQ(
      RaisedLines([&] { f.Analyse("6H 6D 6C 6S 6H"); }),
      (Lines{"Dealt rank count out of range: 5", "Error calculate natural case (GetTheBest)"}));
  EXPECT_EQ(RaisedLines([] { TPokerEngine().RunPermutations(); }),
            (Lines{"No paytable attached", "Error calculate natural case (RunPermutations)"}));
}

}  // namespace
}  // namespace tavrik
