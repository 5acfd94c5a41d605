#include "core/wild_engine.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <numeric>
#include <set>
#include <string>
#include <vector>

#include "support/draw_listing.h"
#include "support/engine_fixture.h"
#include "support/hand_text.h"
#include "support/message_lines.h"

namespace tavrik {
namespace {

constexpr int AllWildGames[] = {GAME_DEUCES_WILD, GAME_JOKER_POKER, GAME_DOUBLE_JOKER_POKER};

using test::TEngineFixture;

std::vector<std::string> HandPickedDeals(int game) {
  switch (game) {
    case GAME_DEUCES_WILD:
      return {"2S 2H 2D 2C AS", "2S 2H 2D 7C 7S", "2S 2H 5D 9C KS", "2S AS 3D 4H 5C",
              "2S 2D AH 3H 4H", "3H 4H 5H 6H 7H", "TS JS QS KS AS", "2C TS JS QS KS",
              "2C 9S TS JS QS", "AS 3D 5C 6H 9H", "2H 2C KD KS 4C", "2D 6S 6H 6C 9D"};
    case GAME_JOKER_POKER:
      return {"JK AS KS QS JS", "JK 2S 3D 4H 5C", "JK AS 2D 3C 4H", "JK KS 7D 4H 2C",
              "JK 9S TS JS QS", "JK QS QH QD QC", "AS KS QS JS TS", "JK 7C 8D 3S 3H",
              "JK AD 9C 7S 4H", "KH KD 7C 4S 2D"};
    default:
      return {"JK JK 5S 6S 7S", "JK JK AS KD 3C", "JK JK 7C 7D 2H", "JK AS 2S 3S 4S",
              "KS KH 7D 4C 2S", "JK JK TS JH 9D", "JK 8D 8S 8H 3C", "JK JK AH 4H 5H"};
  }
}

class WildEngineListing : public testing::TestWithParam<int> {};

// The heart of the engine: for hand-picked deals and seeded random deals with 0 to 4 wild
// cards, every count equals the number of listed draws.
TEST_P(WildEngineListing, CountsEqualListedDrawsForEveryMask) {
  const int game = GetParam();
  TEngineFixture f(game, 5);
  auto deals = HandPickedDeals(game);
  const int randomDeals = std::getenv("TAVRIK_EXHAUSTIVE") != nullptr ? 120 : 24;
  for (const auto& deal : test::RandomDeals(game, randomDeals, 4000u + static_cast<uint32_t>(game)))
    deals.push_back(deal);
  for (const auto& deal : deals) {
    SCOPED_TRACE(deal);
    f.Analyse(deal);
    test::ExpectListedCounts(f, test::ListEveryHold(f.engine));
    if (HasFatalFailure()) return;
  }
}

INSTANTIATE_TEST_SUITE_P(WildGames, WildEngineListing, testing::ValuesIn(AllWildGames),
                         [](const testing::TestParamInfo<int>& param) {
                           std::string name = CreateDescription(param.param)->Name;
                           std::erase(name, ' ');
                           return name;
                         });

// Over many deals of a natural and of the wild games: the chosen hold returns more than
// every lower mask and at least as much as every other, no count runs past the draws, and
// the partial recount after a change of suits gives what a full analysis gives.
TEST(Engines, ChoiceTotalsAndPartialRecount) {
  for (const int game :
       {GAME_DOUBLE_BONUS, GAME_DEUCES_WILD, GAME_JOKER_POKER, GAME_DOUBLE_JOKER_POKER}) {
    TEngineFixture full(game, 5), partial(game, 5);
    const TPokerEngine& engine = full.engine;
    const int deals = game == GAME_DOUBLE_BONUS ? 300 : 120;
    int compared = 0;
    for (const auto& deal : test::RandomDeals(game, deals, 77u + static_cast<uint32_t>(game))) {
      SCOPED_TRACE(deal);
      const std::string moved = test::MoveSuits(deal);
      const int best = full.Analyse(moved.empty() ? deal : moved);
      for (int mask = 0; mask < HoldMaskCount; ++mask) {
        const auto& counts = engine.Count[mask];
        EXPECT_LE(std::accumulate(counts.begin(), counts.end(), int64_t{0}),
                  engine.DrawCount(mask));
        EXPECT_GE(engine.GetCategoryCount(engine.LastCategory + 1, mask), 0);
        EXPECT_TRUE(mask < best ? engine.DrawReturn(mask) < engine.DrawReturn(best)
                                : engine.DrawReturn(mask) <= engine.DrawReturn(best))
            << mask;
      }
      if (moved.empty()) continue;
      partial.Analyse(deal);
      partial.Deal(moved);
      EXPECT_EQ(partial.engine.GetTheBest1(), best);
      EXPECT_EQ(partial.engine.CatCount, engine.CatCount);
      if (!full.description->IsNatural()) {
        EXPECT_EQ(partial.Wild().WildCounts, full.Wild().WildCounts);
      }
      ++compared;
    }
    EXPECT_GT(compared, deals / 2) << game;
  }
}

// A paytable edited so that a flush pays more than four of a kind: three deuces with two
// suited cards are paid as the flush they can make, whatever payouts the engine saw when
// it was installed.
TEST(WildEngine, SharedTypesFollowThePaytableInForce) {
  TEngineFixture f(GAME_DEUCES_WILD, 5);
  TPaytable edited{};
  const std::array<int32_t, 10> row = {800, 200, 25, 15, 9, 4, 3, 6, 2, 1};
  for (auto& coins : edited) std::copy(row.begin(), row.end(), coins.begin());
  f.payout.SetPay(edited, 1);
  f.Analyse("2S 2H 2D 5C TC");
  EXPECT_EQ(f.engine.GetHandCategory(), 7);
  EXPECT_EQ(f.engine.DrawReturn(0), 6.0L);
  // Three deuces with unsuited cards cannot make a flush: four of a kind, 4 coins.
  f.Analyse("2S 2H 2D 5C TD");
  EXPECT_EQ(f.engine.GetHandCategory(), 5);
  EXPECT_EQ(f.engine.DrawReturn(0), 4.0L);
}

// Every deal of each deck lies in exactly one class: the classes are in different suit
// orbits, each weighs its orbit times the choices of wild cards, and the weights add up to
// all deals with each number of wild cards.
TEST(WildEngine, DealClassesCoverEveryDealOnce) {
  struct Case {
    int game, classes;
    int64_t deals;
  };
  const Case cases[] = {{GAME_JACKS_OR_BETTER, 134459, 2598960},
                        {GAME_DEUCES_WILD, 102359, 2598960},
                        {GAME_JOKER_POKER, 150891, 2869685},
                        {GAME_DOUBLE_JOKER_POKER, 152646, 3162510}};
  for (const auto& c : cases) {
    const auto description = CreateDescription(c.game);
    SCOPED_TRACE(description->Name);
    const int wildCards = description->JokerCount + (description->WildRank >= 0 ? 4 : 0);
    const int naturalCards = 52 - (description->WildRank >= 0 ? 4 : 0);
    const auto& classes = description->IsNatural()
                              ? NaturalDealClasses()
                              : WildDealClasses(description->WildRank, description->JokerCount);
    EXPECT_EQ(CreateEngineForGame(c.game)->GetHandClassCount(), c.classes);
    EXPECT_EQ(static_cast<int>(classes.size()), c.classes);
    std::array<int64_t, 6> byWild{};
    std::set<std::pair<int, uint64_t>> orbits;
    std::array<int, 4> perm = {0, 1, 2, 3};
    for (const auto& deal : classes) {
      int wild = 0;
      uint64_t smallest = ~uint64_t{0};
      std::set<uint64_t> images;
      do {
        uint64_t bits = 0;
        for (size_t i = 0; i < 5; ++i) {
          if (deal.Rank[i] < 0) continue;
          ASSERT_NE(deal.Rank[i], description->WildRank);
          bits |= uint64_t{1} << (deal.Rank[i] * 4 + perm[deal.Suit[i]]);
        }
        images.insert(bits);
        smallest = std::min(smallest, bits);
      } while (std::next_permutation(perm.begin(), perm.end()));
      for (size_t i = 0; i < 5; ++i) wild += deal.Rank[i] < 0 ? 1 : 0;
      EXPECT_TRUE(orbits.insert({wild, smallest}).second) << "two classes in one orbit";
      EXPECT_EQ(deal.Weight, Binomial(wildCards, wild) * static_cast<int>(images.size()));
      byWild[wild] += deal.Weight;
    }
    int64_t total = 0;
    for (int wild = 0; wild <= 5; ++wild) {
      EXPECT_EQ(byWild[wild], int64_t{Binomial(wildCards, wild)} * Binomial(naturalCards, 5 - wild))
          << wild;
      total += byWild[wild];
    }
    EXPECT_EQ(total, c.deals);
  }
}

// The listing the counts are checked against does see a wrong count, natural or wild.
TEST(WildEngine, ListingReportsAWrongCount) {
  TEngineFixture f(GAME_DOUBLE_JOKER_POKER, 5);
  f.Analyse("JK JK 7C 7D 2H");
  EXPECT_EQ(test::ReportDifferences(f.engine, 28, test::ListDraws(f.engine, 28)), "");
  f.engine.Count[28][PAIRS_J] += 1;
  f.Wild().WildCounts[28][WILD_FIVE_7] += 1;
  const std::string report = test::ReportDifferences(f.engine, 28, test::ListDraws(f.engine, 28));
  EXPECT_NE(report.find("PAIRS_J              listed 0 counted 1\n"), std::string::npos) << report;
  EXPECT_NE(report.find("WILD_FIVE_7"), std::string::npos) << report;
}

TEST(WildEngine, ErrorsCarryTheirContext) {
  TEngineFixture f(GAME_JOKER_POKER, 5);
  THand four = test::MakeHand("JK AS KS QS");
  EXPECT_EQ(RaisedLines([&] { f.Wild().InternalCheckCombination(four, 1, 0, 1); }),
            (std::vector<std::string>{"A hand to classify holds five cards",
                                      "Error calculate wild case (InternalCheckCombination)"}));
  // A deck with more wild cards than any table holds.
  f.Deal("JK AS KS QS JS");
  f.engine.Deck.WildCount += 60;
  f.engine.Deck.Count += 60;
  const auto lines = RaisedLines([&] { f.engine.GetTheBest(); });
  ASSERT_EQ(lines.size(), 3u) << lines[0];
  EXPECT_EQ(lines[0].rfind("Binomial C(60, ", 0), 0u) << lines[0];
  EXPECT_TRUE(lines[0].ends_with(" is outside the table")) << lines[0];
  EXPECT_EQ(lines[1], "Error calculate wild case (CheckDraw) DrawMask=1");
  EXPECT_EQ(lines[2], "Error calculate natural case (GetTheBest)");
}

}  // namespace
}  // namespace tavrik
