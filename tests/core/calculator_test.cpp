#include "core/calculator.h"

#include <gtest/gtest.h>

#include <numeric>
#include <random>
#include <vector>

#include "core/error.h"
#include "support/hand_text.h"

namespace tavrik {
namespace {

TEST(Calculator, Binomials) {
  const std::tuple<int, int, int> cases[] = {{47, 0, 1},       {47, 1, 47},      {47, 2, 1081},
                                             {47, 3, 16215},   {47, 4, 178365},  {47, 5, 1533939},
                                             {52, 5, 2598960}, {53, 5, 2869685}, {49, 5, 1906884},
                                             {3, 4, 0},        {4, -1, 0},       {0, 0, 1}};
  for (const auto& [n, k, value] : cases) EXPECT_EQ(Binomial(n, k), value) << n << " " << k;
  EXPECT_THROW(Binomial(54, 2), TError);
  EXPECT_THROW(Binomial(20, 7), TError);
}

// Without a left-out value the formula gives Singles[0], checked below.
TEST(Calculator, CalcFormulaLeavesOutAValue) {
  std::array<int32_t, 6> row{};
  // Values 1, 2, 3, 4 with 4 left out leave 1, 2, 3: e = 6, 11, 6.
  TCalculator::CalcFormula({4, 10, 30, 100, 354, 1300}, row, 4);
  EXPECT_EQ(row, (std::array<int32_t, 6>{1, 6, 11, 6, 0, 0}));
}

// Singles[x][k] and Pairs against direct enumeration over the ranks, for random held
// hands and decks with cards missing. One calculator serves every trial, as in an engine,
// so the sums it keeps for an unchanged deck must follow every change of the deck.
TEST(Calculator, SinglesAndPairsMatchDirectCounting) {
  std::mt19937 random(17);
  TCalculator calc;
  TCalculator plain;  // the rank-by-rank form for any bunch of cards
  for (int trial = 0; trial < 200; ++trial) {
    TDeck deck;
    THand held;
    std::vector<int> cards(52);
    std::iota(cards.begin(), cards.end(), 0);
    std::shuffle(cards.begin(), cards.end(), random);
    const int heldCount = trial % 5;
    const int gone = static_cast<int>(random() % 12);
    for (int i = 0; i < heldCount + gone; ++i) {
      const TCard card = CardFromIndex(cards[i]);
      deck.Remove(card.Rank, card.Suit);
      if (i < heldCount) held.AddCard(card.Rank, card.Suit);
    }
    calc.Init(held, deck);
    plain.Init(static_cast<const TCardBunch&>(held), deck);
    EXPECT_EQ(calc.Pairs, plain.Pairs);
    EXPECT_EQ(calc.Singles, plain.Singles);
    std::vector<int> fresh;
    std::array<int32_t, 3> pairs{};
    for (int rank = 0; rank < 13; ++rank) {
      const int d = deck.RankCount[rank];
      if (held.RankCount[rank] == 0 && d > 0) fresh.push_back(d);
      const int k = 2 - held.RankCount[rank];
      if (k >= 0) pairs[k] += Binomial(d, k);
    }
    EXPECT_EQ(calc.Pairs, pairs);
    for (int x = 0; x <= 4; ++x) {
      std::vector<int> values = fresh;
      if (x > 0) {
        const auto it = std::find(values.begin(), values.end(), x);
        if (it == values.end()) continue;  // no fresh rank with that count to leave out
        values.erase(it);
      }
      // e_k by dynamic programming over the values.
      std::array<int64_t, 6> e{1, 0, 0, 0, 0, 0};
      for (const int v : values) {
        for (int k = 5; k >= 1; --k) e[k] += e[k - 1] * v;
      }
      for (int k = 0; k <= 5; ++k) {
        EXPECT_EQ(calc.Singles[x][k], e[k]) << "trial " << trial << " x " << x << " k " << k;
      }
    }
  }
}

// A deck with an impossible rank count is refused, and the sums kept for the last good deck
// stay right for it.
TEST(Calculator, RefusedDeckKeepsTheSumsOfTheLastOne) {
  const THand held = test::MakeHand("AS AC 7D");
  TDeck good;
  for (int suit = 0; suit < 4; ++suit) good.Remove(9, suit);
  TDeck bad = good;
  bad.Add(3, 0);  // five fives
  TCalculator calc, fresh;
  calc.Init(held, good);
  EXPECT_THROW(calc.Init(held, bad), TError);
  calc.Init(held, good);
  fresh.Init(held, good);
  EXPECT_EQ(calc.Pairs, fresh.Pairs);
  EXPECT_EQ(calc.Singles, fresh.Singles);
}

}  // namespace
}  // namespace tavrik
