// The whole-game computation checked against an independent, slower method: every hold of
// every deal valued by inclusion-exclusion over the final hands that contain the held
// cards, from a table of how many five-card hands containing each smaller set of cards end
// in each category.
#include <gtest/gtest.h>

#include <cstdlib>
#include <vector>

#include "core/payout_storage.h"
#include "core/poker_engine.h"
#include "support/reference_evaluator.h"
#include "support/temp_folder.h"

namespace tavrik {
namespace {

__extension__ using TWide = __int128;

class TSubsetTable {
 public:
  // Category per type by the description's sets, looked up by the test's own evaluator.
  explicit TSubsetTable(const TPokerDescription& game) : columns_(game.LastCategory + 1) {
    std::array<int, NaturalHandTypeCount> category{};
    category.fill(-1);
    for (int c = 0; c <= game.LastCategory; ++c) {
      for (int type = 0; type < NaturalHandTypeCount; ++type) {
        if (game.NaturalSet[c].Has(type)) category[type] = c;
      }
    }
    for (int k = 0; k <= 4; ++k) {
      counts_[k].assign(static_cast<size_t>(Binomial(52, k)) * static_cast<size_t>(columns_), 0);
    }
    handCategory_.assign(static_cast<size_t>(Binomial(52, 5)), -1);
    std::array<int, 5> c{}, ranks{}, suits{};
    for (c[4] = 4; c[4] < 52; ++c[4])
      for (c[3] = 3; c[3] < c[4]; ++c[3])
        for (c[2] = 2; c[2] < c[3]; ++c[2])
          for (c[1] = 1; c[1] < c[2]; ++c[1])
            for (c[0] = 0; c[0] < c[1]; ++c[0]) {
              for (size_t i = 0; i < 5; ++i) {
                ranks[i] = c[i] / 4;
                suits[i] = c[i] % 4;
              }
              const int type = test::ReferenceType(ranks, suits);
              const int paid = type < 0 ? -1 : category[static_cast<size_t>(type)];
              handCategory_[static_cast<size_t>(Index(c, 31))] = static_cast<int8_t>(paid);
              if (paid < 0) continue;
              for (int subset = 0; subset < 31; ++subset) {
                const int size = __builtin_popcount(static_cast<unsigned>(subset));
                ++counts_[size]
                         [static_cast<size_t>(Index(c, subset)) * static_cast<size_t>(columns_) +
                          static_cast<size_t>(paid)];
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
      const int paid = handCategory_[static_cast<size_t>(Index(c, 31))];
      if (paid >= 0) out[static_cast<size_t>(paid)] += sign;
      return;
    }
    const size_t base = static_cast<size_t>(Index(c, subset)) * static_cast<size_t>(columns_);
    for (int k = 0; k < columns_; ++k)
      out[static_cast<size_t>(k)] += sign * counts_[size][base + static_cast<size_t>(k)];
  }

 private:
  int columns_;
  std::array<std::vector<int32_t>, 5> counts_;
  std::vector<int8_t> handCategory_;
};

struct TWholeGame {
  std::array<std::array<int64_t, MaxCategories>, 6> WinsByDraw{};
  std::array<int64_t, 6> DealsByDraw{};
};

TWholeGame IndependentWholeGame(const TPokerDescription& game,
                                const std::array<int32_t, MaxCategories>& pay) {
  const TSubsetTable table(game);
  const int columns = game.LastCategory + 1;
  TWholeGame result;
  std::vector<std::vector<int64_t>> perHold(32, std::vector<int64_t>(static_cast<size_t>(columns)));
  for (const TDealClass& deal : NaturalDealClasses()) {
    // The deal's cards ascending, and which table position each one is.
    std::array<std::pair<int, int>, 5> sorted{};
    for (size_t i = 0; i < 5; ++i)
      sorted[i] = {deal.Rank[i] * 4 + deal.Suit[i], static_cast<int>(i)};
    std::sort(sorted.begin(), sorted.end());
    std::array<int, 5> cards{};
    for (size_t i = 0; i < 5; ++i) cards[i] = sorted[i].first;
    // held[s]: for the set s of sorted positions kept, final hands per category.
    for (int kept = 0; kept < 32; ++kept) {
      auto& out = perHold[static_cast<size_t>(kept)];
      std::fill(out.begin(), out.end(), 0);
      const int others = 31 & ~kept;
      // Hands containing the kept cards and none of the discarded ones.
      for (int extra = others;; extra = (extra - 1) & others) {
        const int sign = (__builtin_popcount(static_cast<unsigned>(extra)) % 2) ? -1 : 1;
        table.Add(cards, kept | extra, sign, out);
        if (extra == 0) break;
      }
    }
    int best = -1;
    TWide bestSum = 0, bestDraws = 1;
    for (int mask = 0; mask < 32; ++mask) {  // the engine's mask: bit = table position replaced
      int kept = 0;
      for (size_t i = 0; i < 5; ++i) {
        if (((mask >> sorted[i].second) & 1) == 0) kept |= 1 << i;
      }
      const auto& out = perHold[static_cast<size_t>(kept)];
      TWide sum = 0;
      for (int c = 0; c < columns; ++c)
        sum += TWide{pay[static_cast<size_t>(c)]} * out[static_cast<size_t>(c)];
      const TWide draws = Binomial(47, CardsDrawn[mask]);
      if (best < 0 || sum * bestDraws > bestSum * draws) {
        best = mask;
        bestSum = sum;
        bestDraws = draws;
      }
    }
    int kept = 0;
    for (size_t i = 0; i < 5; ++i) {
      if (((best >> sorted[i].second) & 1) == 0) kept |= 1 << i;
    }
    const int drawn = CardsDrawn[best];
    result.DealsByDraw[static_cast<size_t>(drawn)] += deal.Weight;
    for (int c = 0; c < columns; ++c) {
      result.WinsByDraw[static_cast<size_t>(drawn)][static_cast<size_t>(c)] +=
          perHold[static_cast<size_t>(kept)][static_cast<size_t>(c)] * deal.Weight;
    }
  }
  return result;
}

void CheckGame(int gameIndex) {
  TempFolder folder;
  const auto game = CreateDescription(gameIndex);
  TPayout payout;
  TPokerEngine engine;
  engine.SetDescription(*game);
  engine.SetPayout(&payout);
  payout.SetPay(TPayoutStorage(folder.Path() / "none.dat").GetPaytable(gameIndex, 0), 5);
  int progressCalls = 0;
  engine.OnProgress = [&](int) { ++progressCalls; };
  engine.RunPermutations();
  EXPECT_EQ(engine.ProgressCounter, 134459);
  EXPECT_EQ(progressCalls, 134459 / 100);

  const TWholeGame expected = IndependentWholeGame(*game, payout.Pay);
  int64_t deals = 0;
  long double returned = 0;
  for (int drawn = 0; drawn <= 5; ++drawn) {
    EXPECT_EQ(payout.DealsByDraw[drawn], expected.DealsByDraw[static_cast<size_t>(drawn)]) << drawn;
    deals += payout.DealsByDraw[drawn];
    for (int c = 0; c <= game->LastCategory; ++c) {
      EXPECT_EQ(payout.WinsByDraw[drawn][c],
                expected.WinsByDraw[static_cast<size_t>(drawn)][static_cast<size_t>(c)])
          << "drawn " << drawn << " category " << c;
      // Each deal's wins are counted over its C(47, drawn) draws.
      returned += static_cast<long double>(payout.Pay[c]) * payout.WinsByDraw[drawn][c] /
                  Binomial(47, drawn) / 2598960.0L / 5.0L;
    }
  }
  EXPECT_EQ(deals, 2598960);

  // Three slices on three engines add up to the same accumulators.
  TPayout sum;
  for (int slice = 0; slice < 3; ++slice) {
    TPayout part;
    TPokerEngine sliceEngine;
    sliceEngine.SetDescription(*game);
    sliceEngine.SetPayout(&part);
    part.Pay = payout.Pay;
    sliceEngine.RunPermutationSlice(slice, 3);
    EXPECT_GT(sliceEngine.ProgressCounter, 30000);
    for (int drawn = 0; drawn <= 5; ++drawn) {
      sum.DealsByDraw[drawn] += part.DealsByDraw[drawn];
      for (int c = 0; c < MaxCategories; ++c) sum.WinsByDraw[drawn][c] += part.WinsByDraw[drawn][c];
    }
  }
  EXPECT_EQ(sum.DealsByDraw, payout.DealsByDraw);
  EXPECT_EQ(sum.WinsByDraw, payout.WinsByDraw);
  std::printf("%s at 5 coins returns %.6Lf%% with perfect play\n", game->Name.c_str(),
              100 * returned);
}

TEST(WholeGame, JacksOrBetterAgreesWithInclusionExclusion) {
  CheckGame(GAME_JACKS_OR_BETTER);
}

// The other natural games take a few seconds each; run with TAVRIK_EXHAUSTIVE=1.
TEST(WholeGame, EveryNaturalGameAgreesWithInclusionExclusion) {
  if (std::getenv("TAVRIK_EXHAUSTIVE") == nullptr) GTEST_SKIP() << "set TAVRIK_EXHAUSTIVE=1";
  for (const int game : {GAME_ACES_AND_EIGHTS, GAME_ACES_AND_FACES, GAME_BONUS_POKER,
                         GAME_DOUBLE_BONUS, GAME_TENS_OR_BETTER}) {
    SCOPED_TRACE(game);
    CheckGame(game);
  }
}

}  // namespace
}  // namespace tavrik
