#include "core/hold_pattern.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <numeric>
#include <random>
#include <sstream>
#include <string>
#include <vector>

#include "core/poker_engine.h"

namespace tavrik {
namespace {

std::vector<TCard> Cards(const std::string& text) {
  std::istringstream words(text);
  std::vector<TCard> cards;
  for (std::string word; words >> word;) cards.push_back(*ParseCard(word));
  return cards;
}

// Hand-picked holds: the dealt cards, the cards kept (in deal order), the expected key.
TEST(HoldPattern, NamesHandPickedHolds) {
  struct TCase {
    int Game;
    const char *Dealt, *Held, *Key;
  };
  const TCase cases[] = {
      {GAME_JACKS_OR_BETTER, "AS KS QS JS TS", "AS KS QS JS TS", "rf"},
      {GAME_JACKS_OR_BETTER, "AS KS QS JS 9D", "AS KS QS JS", "4rf"},
      {GAME_JACKS_OR_BETTER, "AS KS QS JS TD", "AS KS QS JS", "4rfp"},
      {GAME_JACKS_OR_BETTER, "KH QH JH 8C 3D", "KH QH JH", "3rf"},
      {GAME_JACKS_OR_BETTER, "KH QH JH 9H 3C", "KH QH JH", "3rfp"},  // flush penalty
      {GAME_JACKS_OR_BETTER, "KH QH JH AC 3C", "KH QH JH", "3rfp"},  // straight penalty
      {GAME_JACKS_OR_BETTER, "5C 6D 7H 8S KC", "5C 6D 7H 8S", "4os"},
      {GAME_JACKS_OR_BETTER, "9C TD JH QS 3C", "9C TD JH QS", "4osh2"},
      {GAME_JACKS_OR_BETTER, "7C 8D TH JS 2C", "7C 8D TH JS", "4ish1"},
      {GAME_JACKS_OR_BETTER, "JC QD KH AS 3C", "JC QD KH AS", "4ish4"},
      {GAME_JACKS_OR_BETTER, "AC 2D 3H 4S 9C", "AC 2D 3H 4S", "4ish1"},
      {GAME_JACKS_OR_BETTER, "5S 6S 7S KD 2C", "5S 6S 7S", "3sf"},
      {GAME_JACKS_OR_BETTER, "5S 6S 8S KD 2C", "5S 6S 8S", "3sfi"},
      {GAME_JACKS_OR_BETTER, "2S 3S 4S KD 9C", "2S 3S 4S", "3sfi"},  // the wheel end
      {GAME_JACKS_OR_BETTER, "9S JS QS 3D 2C", "9S JS QS", "3sfih2"},
      {GAME_JACKS_OR_BETTER, "AS 8S 5S 3S KD", "AS 8S 5S 3S", "4flh1"},
      {GAME_JACKS_OR_BETTER, "JC JD 5H 8S 2C", "JC JD", "hp"},
      {GAME_JACKS_OR_BETTER, "JC JD 5H 8S 2C", "JC JD 8S", "hp+k"},
      {GAME_JACKS_OR_BETTER, "TC TD 5H 8S 2C", "TC TD", "lp"},
      {GAME_JACKS_OR_BETTER, "TC TD 5H 5S 2C", "TC TD 5H 5S", "2p"},
      {GAME_JACKS_OR_BETTER, "3C 3D 5H 5S 3H", "3C 3D 5H 5S 3H", "fh"},
      {GAME_JACKS_OR_BETTER, "3C 3D 3S 3H 9D", "3C 3D 3S 3H 9D", "4k"},
      {GAME_JACKS_OR_BETTER, "KS QH JD 4C 7S", "KS QH JD", "ukqj"},
      {GAME_JACKS_OR_BETTER, "QS JS 4C 7D 9H", "QS JS", "sqj"},
      {GAME_JACKS_OR_BETTER, "JS 4C 7D 9H 2S", "JS", "hcj"},
      {GAME_JACKS_OR_BETTER, "KS 7C 4D 9H 2S", "KS 7C", "x2h1"},
      {GAME_JACKS_OR_BETTER, "KS 7C 4D 9H 2S", "", "de"},
      {GAME_TENS_OR_BETTER, "TC TD 5H 8S 2C", "TC TD", "hp"},
      {GAME_TENS_OR_BETTER, "TS 4C 7D 9H 2S", "TS", "hct"},
      {GAME_DOUBLE_BONUS, "AS AD 5H 8S 2C", "AS AD", "hpa"},
      {GAME_DOUBLE_BONUS, "3S 3D 5H 8S KC", "3S 3D", "lp24"},
      {GAME_DOUBLE_BONUS, "KS KD 5H 8S 2C", "KS KD", "hp"},
      {GAME_DOUBLE_BONUS, "AS AH AD 4C 7S", "AS AH AD", "3ka"},
      {GAME_BONUS_POKER, "4S 4D 5H 8S KC", "4S 4D", "lp24"},
      {GAME_ACES_AND_EIGHTS, "8S 8D 5H 3S KC", "8S 8D", "lp8a"},
      {GAME_ACES_AND_EIGHTS, "7S 7D 5H 3S KC", "7S 7D", "lp7"},
      {GAME_ACES_AND_EIGHTS, "9S 9D 5H 3S KC", "9S 9D", "lp"},
      {GAME_ACES_AND_FACES, "JS JD 5H 3S 8C", "JS JD", "hpjk"},
      {GAME_DEUCES_WILD, "2S 2H KD QD 5C", "2S 2H KD QD", "w2-4rf"},
      {GAME_DEUCES_WILD, "2S 2H 2D 2C 9S", "2S 2H 2D 2C 9S", "w4-alone"},
      {GAME_DEUCES_WILD, "2S 2H 2D 7C 9S", "2S 2H 2D", "w3-alone"},
      {GAME_DEUCES_WILD, "2S 6H 7H JD KC", "2S 6H 7H", "w1-3sf"},
      {GAME_DEUCES_WILD, "2S 5H 6H JD KC", "2S 5H 6H", "w1-3sfi"},  // 2-6 needs a deuce
      {GAME_DEUCES_WILD, "2S 3H 4H 5H 6H", "2S 3H 4H 5H 6H", "w1-sf"},
      {GAME_DEUCES_WILD, "2S 2H 7D 7C 9S", "2S 2H 7D 7C", "w2-4k"},
      {GAME_DEUCES_WILD, "3C 4D 6H 7S KC", "3C 4D 6H 7S", "w0-4is"},
      {GAME_DEUCES_WILD, "AC 3D 4H 5S KC", "AC 3D 4H 5S", "w0-4ws"},
      {GAME_DEUCES_WILD, "3C 4D 6H 9S KC", "", "w0-de"},
      {GAME_JOKER_POKER, "JK KS 5D 8H 3C", "JK KS", "w1-hp"},
      {GAME_JOKER_POKER, "JK QS JS TS 3C", "JK QS JS TS", "w1-4rf"},
      {GAME_JOKER_POKER, "JK QS JS TS KS", "JK QS JS TS KS", "w1-wrf"},
      {GAME_JOKER_POKER, "JK 7S 5D 8H 3C", "JK", "w1-alone"},
      {GAME_DOUBLE_JOKER_POKER, "JK JK AS KS 3D", "JK JK AS KS", "w2-4rf"},
      {GAME_DOUBLE_JOKER_POKER, "JK JK 9S 4D 3H", "JK JK 9S", "w2-3k"},
  };
  for (const TCase& c : cases) {
    const THoldClassifier classifier(*CreateDescription(c.Game));
    const std::vector<TCard> dealt = Cards(c.Dealt), held = Cards(c.Held);
    std::array<TCard, 5> cards;
    int mask = 0;
    size_t next = 0;
    for (size_t i = 0; i < 5; ++i) {
      cards[i] = dealt[i];
      if (next < held.size() && held[next] == dealt[i]) {
        ++next;
      } else {
        mask |= 1 << i;
      }
    }
    const THoldPattern pattern = classifier.Classify(cards, mask);
    EXPECT_EQ(classifier.Key(pattern), c.Key) << c.Dealt << " holding " << c.Held;
    EXPECT_FALSE(classifier.Text(pattern).empty());
  }
  EXPECT_EQ(NameHold(GAME_DEUCES_WILD, std::array{0, 13, 11, 10, 16}, 1 << 4).Text,
            "two deuces: 4 to a wild royal flush");
}

// Random deals in every game: every hold gets a key and a text; the pattern does not change
// when the cards change places or the suits are renamed; holding all five natural cards
// names the type the engine classifies.
TEST(HoldPattern, EveryHoldOfRandomDeals) {
  std::mt19937 random(7);
  for (int game = 0; game < GameCount; ++game) {
    const auto description = CreateDescription(game);
    const THoldClassifier classifier(*description);
    std::vector<int> deck(52 + static_cast<size_t>(description->JokerCount));
    for (int deal = 0; deal < 300; ++deal) {
      std::iota(deck.begin(), deck.end(), 0);
      std::shuffle(deck.begin(), deck.end(), random);
      const std::array<int, 5> indexes = {deck[0], deck[1], deck[2], deck[3], deck[4]};
      std::array<TCard, 5> cards, moved;
      for (size_t i = 0; i < 5; ++i) cards[i] = CardFromIndex(indexes[i]);
      // Position i goes to (i + 2) mod 5; suit s becomes 3 - s.
      for (size_t i = 0; i < 5; ++i) {
        moved[(i + 2) % 5] = cards[i];
        if (cards[i].Suit >= 0) moved[(i + 2) % 5].Suit = 3 - cards[i].Suit;
      }
      for (int mask = 0; mask < HoldMaskCount; ++mask) {
        const THoldPattern pattern = classifier.Classify(cards, mask);
        ASSERT_FALSE(classifier.Key(pattern).empty());
        ASSERT_FALSE(classifier.Text(pattern).empty());
        const int movedMask = ((mask << 2) | (mask >> 3)) & 31;
        ASSERT_EQ(classifier.Classify(moved, movedMask).Code(), pattern.Code())
            << game << " " << classifier.Key(pattern) << " mask " << mask;
      }
      if (!description->IsNatural()) continue;
      THand hand;
      for (const TCard& card : cards) hand.AddCard(card.Rank, card.Suit);
      const int type = ClassifyNaturalHand(hand);
      const THoldKind kind = classifier.Classify(cards, 0).Kind;
      const auto pays = [&](int t) {
        for (int c = 0; c <= description->LastCategory; ++c) {
          if (description->NaturalSet[static_cast<size_t>(c)].Has(t)) return true;
        }
        return false;
      };
      const THoldKind expected = type < 0                     ? THoldKind::Other
                                 : type == FLUSH_STRAIGHT_T_A ? THoldKind::RoyalFlush
                                 : type <= FLUSH_STRAIGHT     ? THoldKind::StraightFlush
                                 : type <= FOUR_OF_KIND_A     ? THoldKind::FourOfKind
                                 : type == FULL_HOUSE         ? THoldKind::FullHouse
                                 : type == FLUSH              ? THoldKind::Flush
                                 : type <= STRAIGHT_T_A       ? THoldKind::Straight
                                 : type <= THREE_OF_KIND_A    ? THoldKind::ThreeOfKind
                                 : type == TWO_PAIRS          ? THoldKind::TwoPair
                                 : pays(type)                 ? THoldKind::HighPair
                                                              : THoldKind::LowPair;
      EXPECT_EQ(kind, expected) << game << " " << hand.Print();
    }
  }
}

}  // namespace
}  // namespace tavrik
