#include "core/poker_description.h"

#include <algorithm>

#include "core/card.h"
#include "core/error.h"
#include "core/hand_types.h"

namespace tavrik {

void THandTypeSet::Add(int type) {
  RequireInRange(type, 0, 47, "Hand type");
  Bits[static_cast<size_t>(type / 8)] =
      static_cast<uint8_t>(Bits[static_cast<size_t>(type / 8)] | (1u << (type % 8)));
}

bool THandTypeSet::Empty() const {
  return std::all_of(Bits.begin(), Bits.end(), [](uint8_t byte) { return byte == 0; });
}

namespace {

// Rank letters for readability: FourOf(r) and friends take a rank 0..12.
constexpr int Two = 0, Four = 2, Five = 3, Six = 4, Seven = 5, Eight = 6, Nine = 7, Ten = 8,
              Jack = 9, King = 11;

THandTypeSet Fours(int firstRank, int lastRank) {
  THandTypeSet set;
  set.AddRange(FOUR_OF_KIND_2 + firstRank, FOUR_OF_KIND_2 + lastRank);
  return set;
}

THandTypeSet Union(THandTypeSet a, const THandTypeSet& b) {
  for (size_t i = 0; i < a.Bits.size(); ++i)
    a.Bits[i] = static_cast<uint8_t>(a.Bits[i] | b.Bits[i]);
  return a;
}

THandTypeSet AllTrips() {
  THandTypeSet set;
  set.AddRange(THREE_OF_KIND_2, THREE_OF_KIND_A);
  return set;
}

THandTypeSet PairsFrom(int firstRank) {
  THandTypeSet set;
  set.AddRange(PAIRS_2 + firstRank, PAIRS_A);
  return set;
}

const THandTypeSet NoTypes;
const THandTypeSet RoyalTypes{FLUSH_STRAIGHT_T_A};
const THandTypeSet StraightFlushTypes{FLUSH_STRAIGHT_A_5, FLUSH_STRAIGHT};
const THandTypeSet FullHouseTypes{FULL_HOUSE};
const THandTypeSet FlushTypes{FLUSH};
const THandTypeSet StraightsTypes{STRAIGHT_A_5, STRAIGHT, STRAIGHT_T_A};
const THandTypeSet TwoPairsTypes{TWO_PAIRS};

const THandTypeSet WildRoyalTypes{WILD_3_FLUSH_STR_T_A, WILD_2_FLUSH_STR_T_A, WILD_1_FLUSH_STR_T_A};
const THandTypeSet WildStraightFlushTypes{WILD_3_FLUSH_STR_A_5, WILD_3_FLUSH_STR,
                                          WILD_2_FLUSH_STR_A_5, WILD_2_FLUSH_STR,
                                          WILD_1_FLUSH_STR_A_5, WILD_1_FLUSH_STR};
const THandTypeSet WildFourTypes{WILD_3, WILD_2_AND_2_1, WILD_1_AND_3_1};
const THandTypeSet WildFullHouseTypes{WILD_3, WILD_2_AND_2_1, WILD_1_AND_3_1, WILD_1_AND_2_2};
const THandTypeSet WildFlushTypes{WILD_3_FLUSH, WILD_2_FLUSH, WILD_1_FLUSH};
const THandTypeSet WildStraightTypes{WILD_2_STRAIGHT_A_5, WILD_2_STRAIGHT, WILD_2_STRAIGHT_T_A,
                                     WILD_1_STRAIGHT_A_5, WILD_1_STRAIGHT, WILD_1_STRAIGHT_T_A};
const THandTypeSet WildTripsTypes{WILD_2, WILD_1_AND_2_1_1};

THandTypeSet WildFives() {
  THandTypeSet set;
  set.AddRange(WILD_FIVE_2, WILD_FIVE_A);
  return set;
}

}  // namespace

void TPokerDescription::SetCategory(int index, std::string name, THandTypeSet naturalSet) {
  CategoryName[static_cast<size_t>(index)] = std::move(name);
  NaturalSet[static_cast<size_t>(index)] = naturalSet;
  LastCategory = std::max(LastCategory, index);
}

void TWildPokerDescription::SetCategory(int index, std::string name, THandTypeSet naturalSet,
                                        THandTypeSet wildSet) {
  TPokerDescription::SetCategory(index, std::move(name), naturalSet);
  WildSet[static_cast<size_t>(index)] = wildSet;
}

TJacksOrBetter::TJacksOrBetter() {
  GameIndex = GAME_JACKS_OR_BETTER;
  Name = "Jacks or better";
  SetCategory(0, "Royal Flush", RoyalTypes);
  SetCategory(1, "Straight Flush", StraightFlushTypes);
  SetCategory(2, "Four of Kind", Fours(Two, Ace));
  SetCategory(3, "Full House", FullHouseTypes);
  SetCategory(4, "Flush", FlushTypes);
  SetCategory(5, "Straight", StraightsTypes);
  SetCategory(6, "Three of Kind", AllTrips());
  SetCategory(7, "Two Pairs", TwoPairsTypes);
  SetCategory(8, "Jacks or Better", PairsFrom(Jack));
}

TTensOrBetter::TTensOrBetter() {
  GameIndex = GAME_TENS_OR_BETTER;
  Name = "Tens or better";
  SetCategory(8, "Tens or Better", PairsFrom(Ten));
}

void TPokerDescription::SetLowerCategories() {
  SetCategory(5, "Full House", FullHouseTypes);
  SetCategory(6, "Flush", FlushTypes);
  SetCategory(7, "Straight", StraightsTypes);
  SetCategory(8, "Three of Kind", AllTrips());
  SetCategory(9, "Two Pairs", TwoPairsTypes);
  SetCategory(10, "Jacks or Better", PairsFrom(Jack));
}

TAcesAndEights::TAcesAndEights() {
  GameIndex = GAME_ACES_AND_EIGHTS;
  Name = "Aces and Eights";
  SetCategory(0, "Royal Flush", RoyalTypes);
  SetCategory(1, "Four Aces or Eights", THandTypeSet{FOUR_OF_KIND_2 + Eight, FOUR_OF_KIND_A});
  SetCategory(2, "Four Sevens", THandTypeSet{FOUR_OF_KIND_2 + Seven});
  SetCategory(3, "Straight Flush", StraightFlushTypes);
  SetCategory(4, "Four of Kind", Union(Fours(Two, Six), Fours(Nine, King)));
  SetLowerCategories();
}

TDoubleBonus::TDoubleBonus() {
  GameIndex = GAME_DOUBLE_BONUS;
  Name = "Double Bonus";
  SetCategory(0, "Royal Flush", RoyalTypes);
  SetCategory(1, "Straight Flush", StraightFlushTypes);
  SetCategory(2, "Four Aces", THandTypeSet{FOUR_OF_KIND_A});
  SetCategory(3, "Four 2-4", Fours(Two, Four));
  SetCategory(4, "Four 5-K", Fours(Five, King));
  SetLowerCategories();
}

TBonusPoker::TBonusPoker() {
  GameIndex = GAME_BONUS_POKER;
  Name = "Bonus Poker";
  SetCategory(0, "Royal Flush", RoyalTypes);
  SetCategory(1, "Four Aces", THandTypeSet{FOUR_OF_KIND_A});
  SetCategory(2, "Straight Flush", StraightFlushTypes);
  SetCategory(3, "Four 2-4", Fours(Two, Four));
  SetCategory(4, "Four 5-K", Fours(Five, King));
  SetLowerCategories();
}

TAcesAndFaces::TAcesAndFaces() {
  GameIndex = GAME_ACES_AND_FACES;
  Name = "Aces and Faces";
  SetCategory(0, "Royal Flush", RoyalTypes);
  SetCategory(1, "Four Aces", THandTypeSet{FOUR_OF_KIND_A});
  SetCategory(2, "Straight Flush", StraightFlushTypes);
  SetCategory(3, "Four Faces", Fours(Jack, King));
  SetCategory(4, "Four 2-10", Fours(Two, Ten));
  SetLowerCategories();
}

TJokerWildKings::TJokerWildKings() {
  GameIndex = GAME_JOKER_POKER;
  Name = "Joker Poker";
  WildRank = -1;
  JokerCount = 1;
  SetCategory(0, "Natural Royal Flush", RoyalTypes, NoTypes);
  SetCategory(1, "Five of Kind", NoTypes, WildFives());
  SetCategory(2, "Wild Royal Flush", NoTypes, WildRoyalTypes);
  SetCategory(3, "Straight Flush", StraightFlushTypes, WildStraightFlushTypes);
  SetCategory(4, "Four of Kind", Fours(Two, Ace), WildFourTypes);
  SetCategory(5, "Full House", FullHouseTypes, WildFullHouseTypes);
  SetCategory(6, "Flush", FlushTypes, WildFlushTypes);
  SetCategory(7, "Straight", StraightsTypes, WildStraightTypes);
  SetCategory(8, "Three of Kind", AllTrips(), WildTripsTypes);
  SetCategory(9, "Two Pairs", TwoPairsTypes, THandTypeSet{WILD_1_AND_2_1_1});
  SetCategory(10, "Kings or Better", THandTypeSet{PAIRS_K, PAIRS_A}, THandTypeSet{WILD_1_KINGS});
}

TDeucesWild::TDeucesWild() {
  GameIndex = GAME_DEUCES_WILD;
  Name = "Deuces Wild";
  WildRank = Two;
  JokerCount = 0;
  SetCategory(0, "Natural Royal Flush", RoyalTypes, NoTypes);
  SetCategory(1, "Four Deuces", NoTypes, THandTypeSet{WILD_4_A, WILD_4_WA});
  SetCategory(2, "Wild Royal Flush", NoTypes, WildRoyalTypes);
  SetCategory(3, "Five of Kind", NoTypes, WildFives());
  SetCategory(4, "Straight Flush", StraightFlushTypes, WildStraightFlushTypes);
  SetCategory(5, "Four of Kind", Fours(Two, Ace),
              THandTypeSet{WILD_3, WILD_3_FLUSH, WILD_2_AND_2_1, WILD_1_AND_3_1});
  SetCategory(6, "Full House", FullHouseTypes, WildFullHouseTypes);
  SetCategory(7, "Flush", FlushTypes, WildFlushTypes);
  SetCategory(8, "Straight", StraightsTypes, WildStraightTypes);
  SetCategory(9, "Three of Kind", AllTrips(), WildTripsTypes);
}

TDoubleJokerPoker::TDoubleJokerPoker() {
  GameIndex = GAME_DOUBLE_JOKER_POKER;
  Name = "Double Joker Poker";
  WildRank = -1;
  JokerCount = 2;
  SetCategory(0, "Natural Royal Flush", RoyalTypes, NoTypes);
  SetCategory(1, "Wild Royal Flush", NoTypes, WildRoyalTypes);
  SetCategory(2, "Five of Kind", NoTypes, WildFives());
  SetCategory(3, "Straight Flush", StraightFlushTypes, WildStraightFlushTypes);
  SetCategory(4, "Four of Kind", Fours(Two, Ace), WildFourTypes);
  SetCategory(5, "Full House", FullHouseTypes, WildFullHouseTypes);
  SetCategory(6, "Flush", FlushTypes, WildFlushTypes);
  SetCategory(7, "Straight", StraightsTypes, WildStraightTypes);
  SetCategory(8, "Three of Kind", AllTrips(), WildTripsTypes);
  SetCategory(9, "Two Pairs", TwoPairsTypes, WildTripsTypes);
}

std::unique_ptr<TPokerDescription> CreateDescription(int gameIndex) {
  switch (gameIndex) {
    case GAME_ACES_AND_EIGHTS:
      return std::make_unique<TAcesAndEights>();
    case GAME_ACES_AND_FACES:
      return std::make_unique<TAcesAndFaces>();
    case GAME_BONUS_POKER:
      return std::make_unique<TBonusPoker>();
    case GAME_DEUCES_WILD:
      return std::make_unique<TDeucesWild>();
    case GAME_DOUBLE_BONUS:
      return std::make_unique<TDoubleBonus>();
    case GAME_DOUBLE_JOKER_POKER:
      return std::make_unique<TDoubleJokerPoker>();
    case GAME_JACKS_OR_BETTER:
      return std::make_unique<TJacksOrBetter>();
    case GAME_JOKER_POKER:
      return std::make_unique<TJokerWildKings>();
    case GAME_TENS_OR_BETTER:
      return std::make_unique<TTensOrBetter>();
    default:
      throw TError("Game index out of range: " + std::to_string(gameIndex));
  }
}

}  // namespace tavrik
