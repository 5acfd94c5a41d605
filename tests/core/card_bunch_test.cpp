#include "core/card_bunch.h"

#include <gtest/gtest.h>

#include <array>
#include <numeric>

#include "core/error.h"
#include "support/hand_text.h"

namespace tavrik {
namespace {

using test::MakeHand;

void ExpectInvariants(const TCardBunch& bunch) {
  const auto sum = [](const auto& counts) {
    return std::accumulate(counts.begin(), counts.end(), 0);
  };
  EXPECT_EQ(bunch.Count, bunch.WildCount + sum(bunch.RankCount));
  EXPECT_EQ(sum(bunch.SuitCount), sum(bunch.RankCount));
  for (int rank = 0; rank < NumRanks; ++rank) {
    EXPECT_EQ(sum(bunch.RankSuitCount[rank]), bunch.RankCount[rank]) << "rank " << rank;
  }
}

// Every counter and statistic of `hand` equals that of `expected`.
void ExpectSameHand(const THand& hand, const THand& expected) {
  const auto all = [](const THand& h) {
    return std::tie(h.Count, h.WildCount, h.RankSuitCount, h.RankCount, h.SuitCount,
                    h.RankHistogram, h.SuitHistogram, h.MinRank, h.MaxRank);
  };
  EXPECT_EQ(all(hand), all(expected)) << hand.Print() << " against " << expected.Print();
}

TEST(Deck, FullDecksOfEveryKind) {
  // Jokers, wild rank, cards, wild cards, deuces, cards per suit.
  const std::array<int, 6> cases[] = {{0, -1, 52, 0, 4, 13},   // natural
                                      {0, 0, 52, 4, 0, 12},    // deuces wild
                                      {1, -1, 53, 1, 4, 13},   // one joker
                                      {2, -1, 54, 2, 4, 13}};  // two jokers
  for (const auto& [jokers, wildRank, count, wildCount, deuces, perSuit] : cases) {
    SCOPED_TRACE(std::to_string(jokers) + " jokers, wild rank " + std::to_string(wildRank));
    TDeck deck;
    deck.SetJokerCount(jokers);
    deck.SetWildRank(wildRank);
    EXPECT_EQ(deck.Count, count);
    EXPECT_EQ(deck.WildCount, wildCount);
    EXPECT_EQ(deck.RankCount[0], deuces);
    for (int suit = 0; suit < NumSuits; ++suit) EXPECT_EQ(deck.SuitCount[suit], perSuit);
    for (int rank = 1; rank < NumRanks; ++rank) {
      EXPECT_EQ(deck.RankCount[rank], 4);
      for (int suit = 0; suit < NumSuits; ++suit) EXPECT_EQ(deck.RankSuitCount[rank][suit], 1);
    }
    ExpectInvariants(deck);

    // Dealing a hand out of the deck and refilling it.
    deck.Remove(12, 3);
    deck.Remove(0, 1);
    if (jokers > 0) deck.Remove(-1, -1);
    const int wildRemoved = (wildRank == 0 ? 1 : 0) + (jokers > 0 ? 1 : 0);
    EXPECT_EQ(deck.Count, count - (jokers > 0 ? 3 : 2));
    EXPECT_EQ(deck.RankSuitCount[12][3], 0);
    EXPECT_EQ(deck.RankCount[0], deuces == 0 ? 0 : 3);
    EXPECT_EQ(deck.WildCount, wildCount - wildRemoved);
    ExpectInvariants(deck);
    deck.Refill();
    EXPECT_EQ(deck.Count, count);
    EXPECT_EQ(deck.WildCount, wildCount);
  }
}

// Held cards loaded for every mask, and suits changed, equal the hands dealt directly.
TEST(Hand, LoadHeldAndChangeSuitMatchDirectConstruction) {
  const char* cards[] = {"KH", "2S", "KC", "9D", "TH"};
  const THand dealt = MakeHand("KH 2S KC 9D TH");
  THand held;
  for (int mask = 0; mask < 32; ++mask) {
    SCOPED_TRACE(mask);
    std::string text;  // the cards whose bit is clear
    for (int i = 0; i < 5; ++i) text += (mask >> i & 1) != 0 ? "" : std::string(cards[i]) + " ";
    held.LoadHeld(dealt, mask);  // reuses the same object, as the engines do
    ExpectSameHand(held, MakeHand(text));
  }
  // Suits changed one by one.
  THand hand = MakeHand("AS KS QS 7D 2C");
  const std::tuple<int, int, const char*> changes[] = {
      {3, 0, "AS KS QS 7S 2C"}, {4, 0, "AS KS QS 7S 2S"}, {0, 3, "AH KS QS 7S 2S"}};
  for (const auto& [position, suit, expected] : changes) {
    SCOPED_TRACE(expected);
    hand.ChangeSuit(position, suit);
    ExpectSameHand(hand, MakeHand(expected));
  }
}

TEST(Hand, WildCardsAreStoredAsJokersAndLeaveTheShapeAlone) {
  THand hand;
  hand.SetWildRank(0);  // deuces wild
  test::AddCards(hand, "2S KD JK 2H");
  ExpectSameHand(hand, MakeHand("JK KD JK JK"));
  EXPECT_EQ(hand.CardSuit[0], -1);
  ExpectInvariants(hand);

  THand held;
  held.SetWildRank(0);
  held.LoadHeld(hand, 0b0010);
  ExpectSameHand(held, MakeHand("JK JK JK"));
  hand.Clear();
  ExpectSameHand(hand, THand{});
}

// Cards out of range, and a sixth card, change nothing.
TEST(CardBunch, RefusesImpossibleCards) {
  TDeck deck;
  for (const auto& [r, s] : {std::pair{13, 0}, {5, 4}}) EXPECT_THROW(deck.Remove(r, s), TError);
  EXPECT_THROW(deck.Add(-3, 0), TError);
  EXPECT_EQ(deck.Count, 52);
  THand hand = MakeHand("AS KS QS JS TS");
  EXPECT_THROW(hand.AddCard(2, 2), TError);
  EXPECT_EQ(hand.Count, 5);
  hand.Reset();
  ExpectSameHand(hand, THand{});
}

}  // namespace
}  // namespace tavrik
