#include "core/hold_pattern.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <numeric>
#include <random>
#include <sstream>
#include <string>
#include <vector>

#include "core/wild_engine.h"

namespace tavrik {
namespace {

// Hand-picked holds: the dealt cards, those kept in brackets, -> the expected key. The
// three-card royal draws carry a flush or a straight penalty; an inside straight flush
// includes the wheel end, and in Deuces Wild 2-6 needs the deuce.
TEST(HoldPattern, NamesHandPickedHolds) {
  const std::pair<int, std::vector<const char*>> cases[] = {
      {GAME_JACKS_OR_BETTER,
       {"[AS KS QS JS TS] -> rf",    "[AS KS QS JS] 9D -> 4rf",   "[AS KS QS JS] TD -> 4rfp",
        "[KH QH JH] 8C 3D -> 3rf",   "[KH QH JH] 9H 3C -> 3rfp",  "[KH QH JH] AC 3C -> 3rfp",
        "[5C 6D 7H 8S] KC -> 4os",   "[9C TD JH QS] 3C -> 4osh2", "[7C 8D TH JS] 2C -> 4ish1",
        "[JC QD KH AS] 3C -> 4ish4", "[AC 2D 3H 4S] 9C -> 4ish1", "[5S 6S 7S] KD 2C -> 3sf",
        "[5S 6S 8S] KD 2C -> 3sfi",  "[2S 3S 4S] KD 9C -> 3sfi",  "[9S JS QS] 3D 2C -> 3sfih2",
        "[AS 8S 5S 3S] KD -> 4flh1", "[JC JD] 5H 8S 2C -> hp",    "[JC JD] 5H [8S] 2C -> hp+k",
        "[TC TD] 5H 8S 2C -> lp",    "[TC TD 5H 5S] 2C -> 2p",    "[3C 3D 5H 5S 3H] -> fh",
        "[3C 3D 3S 3H 9D] -> 4k",    "[KS QH JD] 4C 7S -> ukqj",  "[QS JS] 4C 7D 9H -> sqj",
        "[JS] 4C 7D 9H 2S -> hcj",   "[KS 7C] 4D 9H 2S -> x2h1",  "KS 7C 4D 9H 2S -> de"}},
      {GAME_TENS_OR_BETTER, {"[TC TD] 5H 8S 2C -> hp", "[TS] 4C 7D 9H 2S -> hct"}},
      {GAME_DOUBLE_BONUS,
       {"[AS AD] 5H 8S 2C -> hpa", "[3S 3D] 5H 8S KC -> lp24", "[KS KD] 5H 8S 2C -> hp",
        "[AS AH AD] 4C 7S -> 3ka"}},
      {GAME_BONUS_POKER, {"[4S 4D] 5H 8S KC -> lp24"}},
      {GAME_ACES_AND_EIGHTS,
       {"[8S 8D] 5H 3S KC -> lp8a", "[7S 7D] 5H 3S KC -> lp7", "[9S 9D] 5H 3S KC -> lp"}},
      {GAME_ACES_AND_FACES, {"[JS JD] 5H 3S 8C -> hpjk"}},
      {GAME_DEUCES_WILD,
       {"[2S 2H KD QD] 5C -> w2-4rf", "[2S 2H 2D 2C 9S] -> w4-alone",
        "[2S 2H 2D] 7C 9S -> w3-alone", "[2S 6H 7H] JD KC -> w1-3sf", "[2S 5H 6H] JD KC -> w1-3sfi",
        "[2S 3H 4H 5H 6H] -> w1-sf", "[2S 2H 7D 7C] 9S -> w2-4k", "[3C 4D 6H 7S] KC -> w0-4is",
        "[AC 3D 4H 5S] KC -> w0-4ws", "3C 4D 6H 9S KC -> w0-de"}},
      {GAME_JOKER_POKER,
       {"[JK KS] 5D 8H 3C -> w1-hp", "[JK QS JS TS] 3C -> w1-4rf", "[JK QS JS TS KS] -> w1-wrf",
        "[JK] 7S 5D 8H 3C -> w1-alone"}},
      {GAME_DOUBLE_JOKER_POKER, {"[JK JK AS KS] 3D -> w2-4rf", "[JK JK 9S] 4D 3H -> w2-3k"}},
  };
  for (const auto& [game, holds] : cases) {
    const THoldClassifier classifier(*CreateDescription(game));
    for (const char* hold : holds) {
      std::istringstream words(hold);
      std::array<TCard, 5> cards;
      int mask = 0;
      bool held = false;
      for (size_t i = 0; i < 5; ++i) {
        std::string word;
        words >> word;
        if (word.front() == '[') held = true;
        mask |= held ? 0 : 1 << i;
        if (word.back() == ']') held = false;
        cards[i] = *ParseCard(word.substr(word.front() == '[', 2));
      }
      std::string arrow, key;
      words >> arrow >> key;
      const THoldPattern pattern = classifier.Classify(cards, mask);
      EXPECT_EQ(classifier.Key(pattern), key) << hold;
      EXPECT_FALSE(classifier.Text(pattern).empty());
    }
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
    const auto paying = CreateEngineForGame(game);  // its map of the paying types
    std::vector<int> deck(52 + static_cast<size_t>(description->JokerCount));
    for (int deal = 0; deal < 300; ++deal) {
      std::iota(deck.begin(), deck.end(), 0);
      std::shuffle(deck.begin(), deck.end(), random);
      std::array<TCard, 5> cards, moved;
      for (size_t i = 0; i < 5; ++i) cards[i] = CardFromIndex(deck[i]);
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
      const THoldKind expected = type < 0                          ? THoldKind::Other
                                 : type == FLUSH_STRAIGHT_T_A      ? THoldKind::RoyalFlush
                                 : type <= FLUSH_STRAIGHT          ? THoldKind::StraightFlush
                                 : type <= FOUR_OF_KIND_A          ? THoldKind::FourOfKind
                                 : type == FULL_HOUSE              ? THoldKind::FullHouse
                                 : type == FLUSH                   ? THoldKind::Flush
                                 : type <= STRAIGHT_T_A            ? THoldKind::Straight
                                 : type <= THREE_OF_KIND_A         ? THoldKind::ThreeOfKind
                                 : type == TWO_PAIRS               ? THoldKind::TwoPair
                                 : paying->TypeCategory[type] >= 0 ? THoldKind::HighPair
                                                                   : THoldKind::LowPair;
      EXPECT_EQ(kind, expected) << game << " " << hand.Print();
    }
  }
}

}  // namespace
}  // namespace tavrik
