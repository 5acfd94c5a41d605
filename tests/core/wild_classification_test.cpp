#include "core/wild_classification.h"

#include <gtest/gtest.h>

#include <map>
#include <memory>
#include <string>

#include "core/payout_storage.h"
#include "core/wild_engine.h"
#include "support/hand_text.h"
#include "support/temp_folder.h"
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
    const auto description = CreateDescription(game);
    SCOPED_TRACE(description->Name);
    TempFolder folder;
    const TPaytable table = TPayoutStorage(folder.Path() / "none.dat").GetPaytable(game, 0);
    const test::TWildReference reference(*description);
    TPayout payout;
    const auto owner = CreateEngineForGame(game);
    auto& engine = dynamic_cast<TWildEngine&>(*owner);
    engine.SetPayout(&payout);
    std::array<std::array<int32_t, WildHandTypeCount>, 2> wildMap{};
    std::array<std::array<int32_t, MaxCategories>, 2> pays{};
    for (int bet = 0; bet < 2; ++bet) {
      payout.SetPay(table, bet == 0 ? 1 : 5);
      engine.BuildWildTypeMap();
      wildMap[bet] = engine.WildTypeCategory;
      pays[bet] = payout.Pay;
    }
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
              std::array<int, 5> ranks{}, suits{};
              for (size_t i = 0; i < 5; ++i) {
                const TCard card = c[i] < 52 ? CardFromIndex(c[i]) : TCard{};
                hand.AddCard(card.Rank, card.Suit);
                ranks[i] = hand.CardRank[i];
                suits[i] = hand.CardSuit[i];
              }
              uint64_t key = static_cast<uint64_t>(hand.WildCount);
              for (const int rank : hand.RankCount) key = key * 5 + static_cast<uint64_t>(rank);
              key = key * 2 + (hand.SuitHistogram[5 - hand.WildCount] == 1);
              auto found = achievable.find(key);
              if (found == achievable.end())
                found = achievable.emplace(key, reference.Achievable(ranks, suits)).first;
              int wildType = -1, naturalType = -1;
              if (hand.WildCount > 0) {
                wildType = ClassifyWildHand(hand);
              } else {
                naturalType = ClassifyNaturalHand(hand);
              }
              for (size_t bet = 0; bet < 2; ++bet) {
                const int category = wildType >= 0      ? wildMap[bet][wildType]
                                     : naturalType >= 0 ? engine.TypeCategory[naturalType]
                                                        : -1;
                const int32_t paid = category >= 0 ? pays[bet][category] : 0;
                const int32_t best = reference.BestPay(found->second, pays[bet]);
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
