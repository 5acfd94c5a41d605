#include "core/wild_classification.h"

#include <gtest/gtest.h>

#include <map>

#include "core/wild_engine.h"
#include "support/engine_fixture.h"
#include "support/wild_reference.h"

namespace tavrik {
namespace {

TEST(WildClassification, PayoutOrderDecidesSharedTypes) {
  std::array<THandTypeSet, MaxCategories> sets{};
  sets[1] = THandTypeSet{WILD_2, WILD_3};
  sets[2] = THandTypeSet{WILD_2, WILD_1};
  sets[3] = THandTypeSet{WILD_3};
  struct Case {
    std::array<int32_t, MaxCategories> pay;
    int wild2, wild3;
  };
  const Case cases[] = {
      {{}, 1, 1},                // all payouts 0: the lowest index wins
      {{0, 5, 5, 5}, 1, 1},      // equal payouts keep the lower index
      {{0, 5, 9, 1}, 2, 1},      // the higher payout wins
      {{0, 1, 9, 40}, 2, 3},     // ...whatever the index order
      {{9, 1, 2, 3, 50}, 2, 3},  // a category without these types changes nothing
  };
  for (const auto& c : cases) {
    const auto map = BuildWildTypeMap(sets, c.pay, 4);
    EXPECT_EQ(map[WILD_2], c.wild2);
    EXPECT_EQ(map[WILD_3], c.wild3);
    EXPECT_EQ(map[WILD_1], 2);
    EXPECT_EQ(map[WILD_5], -1);  // in no set: pays nothing
  }
}

// Every five-card hand of each wild deck is paid, through its fine type and the type map,
// exactly what the best substitution of its wild cards pays, at one coin and at five.
TEST(WildClassification, EveryHandPaysItsBestSubstitution) {
  for (const int game : {GAME_DEUCES_WILD, GAME_JOKER_POKER, GAME_DOUBLE_JOKER_POKER}) {
    test::TEngineFixture one(game, 1), five(game, 5);
    const TPokerDescription* description = one.description.get();
    SCOPED_TRACE(description->Name);
    const test::TWildReference reference(*description);
    for (test::TEngineFixture* f : {&one, &five}) f->Wild().BuildWildTypeMap();
    const int deckSize = 52 + description->JokerCount;
    std::map<uint64_t, uint32_t> achievable;  // by wild count, natural ranks and one suit
    int64_t hands = 0, mismatches = 0;
    std::array<int, 5> c{};
    for (c[0] = 0; c[0] < deckSize; ++c[0])
      for (c[1] = c[0] + 1; c[1] < deckSize; ++c[1])
        for (c[2] = c[1] + 1; c[2] < deckSize; ++c[2])
          for (c[3] = c[2] + 1; c[3] < deckSize; ++c[3])
            for (c[4] = c[3] + 1; c[4] < deckSize; ++c[4]) {
              THand hand;
              hand.SetWildRank(description->WildRank);
              for (size_t i = 0; i < 5; ++i) {
                const TCard card = c[i] < 52 ? CardFromIndex(c[i]) : TCard{};
                hand.AddCard(card.Rank, card.Suit);
              }
              uint64_t key = static_cast<uint64_t>(hand.WildCount);
              for (const int rank : hand.RankCount) key = key * 5 + static_cast<uint64_t>(rank);
              key = key * 2 + (hand.SuitHistogram[5 - hand.WildCount] == 1);
              const auto [found, fresh] = achievable.try_emplace(key, 0u);
              if (fresh) found->second = reference.Achievable(hand.CardRank, hand.CardSuit);
              const bool wild = hand.WildCount > 0;
              const int type = wild ? ClassifyWildHand(hand) : ClassifyNaturalHand(hand);
              for (test::TEngineFixture* f : {&one, &five}) {
                const int category = type < 0 ? -1
                                     : wild   ? f->Wild().WildTypeCategory[type]
                                              : f->engine.TypeCategory[type];
                const int32_t paid = category >= 0 ? f->payout.Pay[category] : 0;
                const int32_t best = reference.BestPay(found->second, f->payout.Pay);
                if (paid != best && ++mismatches <= 5) {
                  ADD_FAILURE() << hand.Print() << "pays " << paid << " as category " << category
                                << ", the best substitution pays " << best;
                }
              }
              ++hands;
            }
    EXPECT_EQ(hands, deckSize == 52 ? 2598960 : deckSize == 53 ? 2869685 : 3162510);
    EXPECT_EQ(mismatches, 0);
  }
}

}  // namespace
}  // namespace tavrik
