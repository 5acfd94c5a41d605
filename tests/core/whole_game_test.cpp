// The whole-game computation checked against an independent, slower method: every hold of
// every deal valued by inclusion-exclusion over the final hands that contain the held
// cards, from a table of how many five-card hands containing each smaller set of cards end
// in each category. Hands are paid by the tests' own evaluators, wild cards by their best
// substitution.
#include <gtest/gtest.h>

#include <cstdlib>
#include <functional>
#include <memory>
#include <tuple>
#include <vector>

#include "core/game_return.h"
#include "core/payout_storage.h"
#include "core/wild_engine.h"
#include "support/reference_evaluator.h"
#include "support/temp_folder.h"
#include "support/wild_reference.h"

namespace tavrik {
namespace {

__extension__ using TWide = __int128;

// C(n, k) for the deck sizes of the wild games, beyond the engine's table.
int64_t Choose(int n, int k) {
  if (k < 0 || k > n) return 0;
  int64_t result = 1;
  for (int i = 0; i < k; ++i) result = result * (n - i) / (i + 1);
  return result;
}

// Cards are numbered rank * 4 + suit for 0..51 and 52, 53 for jokers.
class TSubsetTable {
 public:
  // `category` gives the category paid for five cards (ascending numbers), or -1.
  TSubsetTable(int deckSize, int columns,
               const std::function<int(const std::array<int, 5>&)>& category)
      : columns_(columns) {
    for (int k = 0; k <= 4; ++k) {
      counts_[k].assign(static_cast<size_t>(Choose(deckSize, k)) * columns_, 0);
    }
    handCategory_.assign(static_cast<size_t>(Choose(deckSize, 5)), -1);
    std::array<int, 5> c{};
    for (c[4] = 4; c[4] < deckSize; ++c[4])
      for (c[3] = 3; c[3] < c[4]; ++c[3])
        for (c[2] = 2; c[2] < c[3]; ++c[2])
          for (c[1] = 1; c[1] < c[2]; ++c[1])
            for (c[0] = 0; c[0] < c[1]; ++c[0]) {
              const int paid = category(c);
              handCategory_[Index(c, 31)] = static_cast<int8_t>(paid);
              if (paid < 0) continue;
              for (int subset = 0; subset < 31; ++subset) {
                const int size = __builtin_popcount(static_cast<unsigned>(subset));
                ++counts_[size][static_cast<size_t>(Index(c, subset)) * columns_ + paid];
              }
            }
  }

  // Colex index of the cards of `c` (ascending) selected by `subset`.
  static int Index(const std::array<int, 5>& c, int subset) {
    int index = 0, position = 0;
    for (size_t i = 0; i < 5; ++i) {
      if ((subset >> i) & 1) index += Binomial(c[i], ++position);
    }
    return index;
  }

  // Five-card hands containing the selected cards, per category (count[c]).
  void Add(const std::array<int, 5>& c, int subset, int sign, std::vector<int64_t>& out) const {
    const int size = __builtin_popcount(static_cast<unsigned>(subset));
    if (size == 5) {
      const int paid = handCategory_[Index(c, 31)];
      if (paid >= 0) out[paid] += sign;
      return;
    }
    const size_t base = static_cast<size_t>(Index(c, subset)) * columns_;
    for (int k = 0; k < columns_; ++k) out[k] += sign * counts_[size][base + k];
  }

 private:
  int columns_;
  std::array<std::vector<int32_t>, 5> counts_;
  std::vector<int8_t> handCategory_;
};

// The class's cards numbered as the table numbers them: wild cards are the jokers, or in
// Deuces Wild the deuces of the first suits (the natural cards hold no deuce there).
std::array<int, 5> NumberCards(const TDealClass& deal, int wildRank) {
  std::array<int, 5> cards{};
  int wild = 0;
  for (size_t i = 0; i < 5; ++i) {
    cards[i] = deal.Rank[i] >= 0 ? deal.Rank[i] * 4 + deal.Suit[i]
                                 : (wildRank >= 0 ? wildRank * 4 : 52) + wild++;
  }
  return cards;
}

// Every hold of every deal class valued from the table; the best hold (ties keep the lower
// mask) adds its category counts, weighted, as the engine's whole-game computation does.
TGameReturn IndependentWholeGame(const TSubsetTable& table, int columns, int deckSize,
                                 const std::array<int32_t, MaxCategories>& pay,
                                 const std::vector<TDealClass>& classes, int wildRank) {
  TGameReturn result;  // only the counts by draw are filled
  std::vector<std::vector<int64_t>> perHold(32, std::vector<int64_t>(columns));
  for (const TDealClass& deal : classes) {
    // The deal's cards ascending, and which table position each one is.
    const std::array<int, 5> numbered = NumberCards(deal, wildRank);
    std::array<std::pair<int, int>, 5> sorted{};
    for (size_t i = 0; i < 5; ++i) sorted[i] = {numbered[i], static_cast<int>(i)};
    std::sort(sorted.begin(), sorted.end());
    std::array<int, 5> cards{};
    for (size_t i = 0; i < 5; ++i) cards[i] = sorted[i].first;
    // held[s]: for the set s of sorted positions kept, final hands per category.
    for (int kept = 0; kept < 32; ++kept) {
      auto& out = perHold[kept];
      std::fill(out.begin(), out.end(), 0);
      const int others = 31 & ~kept;
      // Hands containing the kept cards and none of the discarded ones.
      for (int extra = others;; extra = (extra - 1) & others) {
        const int sign = (__builtin_popcount(static_cast<unsigned>(extra)) % 2) ? -1 : 1;
        table.Add(cards, kept | extra, sign, out);
        if (extra == 0) break;
      }
    }
    // The engine's mask (bit = table position replaced) as the set of sorted positions kept.
    const auto keptOf = [&](int mask) {
      int kept = 0;
      for (size_t i = 0; i < 5; ++i) kept |= ((mask >> sorted[i].second) & 1) == 0 ? 1 << i : 0;
      return kept;
    };
    int best = -1;
    TWide bestSum = 0, bestDraws = 1;
    for (int mask = 0; mask < 32; ++mask) {
      const auto& out = perHold[keptOf(mask)];
      TWide sum = 0;
      for (int c = 0; c < columns; ++c) sum += TWide{pay[c]} * out[c];
      const TWide draws = Choose(deckSize - 5, CardsDrawn[mask]);
      if (best < 0 || sum * bestDraws > bestSum * draws) {
        best = mask;
        bestSum = sum;
        bestDraws = draws;
      }
    }
    const int drawn = CardsDrawn[best];
    result.DealsByDraw[drawn] += deal.Weight;
    for (int c = 0; c < columns; ++c)
      result.WinsByDraw[drawn][c] += perHold[keptOf(best)][c] * deal.Weight;
  }
  return result;
}

// The category a five-card hand is paid as, by the tests' own evaluators: the natural
// evaluator through the game's natural sets, or the best substitution of the wild cards.
std::function<int(const std::array<int, 5>&)> ReferenceCategory(
    const TPokerDescription& game, const std::array<int32_t, MaxCategories>& pay) {
  auto reference = std::make_shared<test::TWildReference>(game);
  return [&game, reference, pay](const std::array<int, 5>& cards) {
    std::array<int, 5> ranks{}, suits{};
    for (size_t i = 0; i < 5; ++i) {
      const bool wild = cards[i] >= 52 || cards[i] / 4 == game.WildRank;
      ranks[i] = wild ? -1 : cards[i] / 4;
      suits[i] = wild ? -1 : cards[i] % 4;
    }
    if (game.IsNatural()) {
      const int type = test::ReferenceType(ranks, suits);
      for (int c = 0; c <= game.LastCategory && type >= 0; ++c) {
        if (game.NaturalSet[c].Has(type)) return c;
      }
      return -1;
    }
    const uint32_t achievable = reference->Achievable(ranks, suits);
    int best = -1;
    for (int c = 0; c <= game.LastCategory; ++c) {
      if (((achievable >> c) & 1u) != 0 && pay[c] > 0 && (best < 0 || pay[c] > pay[best])) best = c;
    }
    return best;
  };
}

// The whole game on one engine and on three side by side: the same to the last bit, and
// every accumulator equal to the independent count.
void CheckGame(int gameIndex) {
  TempFolder folder;
  const auto game = CreateDescription(gameIndex);
  const TPaytable paytable = TPayoutStorage(folder.Path() / "none.dat").GetPaytable(gameIndex, 0);
  std::vector<std::pair<long long, long long>> reported;
  const TGameReturn one = ComputeGameReturn(gameIndex, paytable, 5, 1);
  const TGameReturn three = ComputeGameReturn(
      gameIndex, paytable, 5, 3,
      [&](long long done, long long total) { reported.emplace_back(done, total); });
  const auto& classes =
      game->IsNatural() ? NaturalDealClasses() : WildDealClasses(game->WildRank, game->JokerCount);
  const auto classCount = static_cast<long long>(classes.size());
  EXPECT_EQ(one.Classes, classCount);
  // Progress never runs past the total (the command line's bar would overflow) and ends there.
  ASSERT_FALSE(reported.empty());
  EXPECT_EQ(reported.back(), std::make_pair(classCount, classCount));
  for (size_t i = 1; i < reported.size(); ++i) {
    EXPECT_LE(reported[i - 1].first, reported[i].first);
    EXPECT_LE(reported[i].first, classCount);
  }
  const auto results = [](const TGameReturn& r) {
    return std::tie(r.Classes, r.DealsByDraw, r.WinsByDraw, r.Probability, r.Return, r.Variance);
  };
  EXPECT_EQ(results(three), results(one));

  TPayout payout;
  payout.LastCategory = game->LastCategory;
  payout.SetPay(paytable, 5);
  const int deckSize = 52 + game->JokerCount;
  const int columns = game->LastCategory + 1;
  const TSubsetTable table(deckSize, columns, ReferenceCategory(*game, payout.Pay));
  const TGameReturn expected =
      IndependentWholeGame(table, columns, deckSize, payout.Pay, classes, game->WildRank);
  EXPECT_EQ(one.DealsByDraw, expected.DealsByDraw);
  EXPECT_EQ(one.WinsByDraw, expected.WinsByDraw);
  EXPECT_EQ(one.Deals, Choose(deckSize, 5));
  // Each deal's wins are counted over its C(deck - 5, drawn) draws.
  long double returned = 0, square = 0;
  for (int c = 0; c <= game->LastCategory; ++c) {
    long double probability = 0;
    for (size_t drawn = 0; drawn <= 5; ++drawn) {
      probability += static_cast<long double>(expected.WinsByDraw[drawn][c]) /
                     static_cast<long double>(Choose(deckSize - 5, static_cast<int>(drawn))) /
                     static_cast<long double>(Choose(deckSize, 5));
    }
    EXPECT_NEAR(static_cast<double>(one.Probability[c]), static_cast<double>(probability), 1e-15);
    returned += probability * payout.Pay[c] / 5;
    square += probability * payout.Pay[c] * payout.Pay[c] / 25;
  }
  EXPECT_NEAR(static_cast<double>(one.Return), static_cast<double>(returned), 1e-14);
  EXPECT_NEAR(static_cast<double>(one.Variance), static_cast<double>(square - returned * returned),
              1e-11);
  std::printf("%s at 5 coins returns %.6Lf%% with perfect play, variance %.4Lf\n",
              game->Name.c_str(), 100 * one.Return, one.Variance);
}

// Jacks or better and Joker Poker always; the other games take a few seconds each, with
// TAVRIK_EXHAUSTIVE=1.
TEST(WholeGame, AgreesWithInclusionExclusion) {
  const bool every = std::getenv("TAVRIK_EXHAUSTIVE") != nullptr;
  for (int game = 0; game < GameCount; ++game) {
    if (!every && game != GAME_JACKS_OR_BETTER && game != GAME_JOKER_POKER) continue;
    SCOPED_TRACE(game);
    CheckGame(game);
  }
}

}  // namespace
}  // namespace tavrik
