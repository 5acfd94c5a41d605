#include "core/card.h"

#include <gtest/gtest.h>

#include "core/error.h"

namespace tavrik {
namespace {

TEST(Card, IndexConversions) {
  struct Case {
    int index;
    int rank;
    int suit;
    const char* text;
  };
  const Case cases[] = {
      {0, 0, 0, "2S"},    {12, 12, 0, "AS"},  {13, 0, 1, "2C"}, {25, 12, 1, "AC"},
      {26, 0, 2, "2D"},   {38, 12, 2, "AD"},  {39, 0, 3, "2H"}, {51, 12, 3, "AH"},
      {52, -1, -1, "JK"}, {53, -1, -1, "JK"}, {21, 8, 1, "TC"}, {48, 9, 3, "JH"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.index);
    const TCard card = CardFromIndex(c.index);
    EXPECT_EQ(card.Rank, c.rank);
    EXPECT_EQ(card.Suit, c.suit);
    EXPECT_EQ(CardText(card), c.text);
    EXPECT_EQ(ParseCard(c.text), card);
    if (c.index < FirstJokerIndex) {
      EXPECT_EQ(CardIndex(c.rank, c.suit), c.index);
    }
  }
}

TEST(Card, EveryNaturalIndexRoundTrips) {
  for (int index = 0; index < FirstJokerIndex; ++index) {
    const TCard card = CardFromIndex(index);
    EXPECT_EQ(CardIndex(card.Rank, card.Suit), index);
    EXPECT_EQ(ParseCard(CardText(card)), card);
  }
}

TEST(Card, OutOfRangeRaises) {
  EXPECT_THROW(CardFromIndex(-1), TError);
  EXPECT_THROW(CardFromIndex(54), TError);
  EXPECT_THROW(CardIndex(13, 0), TError);
  EXPECT_THROW(CardIndex(0, 4), TError);
  EXPECT_THROW(CardIndex(-1, -1), TError);
}

TEST(Card, ParseIsCaseInsensitiveAndStrict) {
  EXPECT_EQ(ParseCard("as"), (TCard{12, 0}));
  EXPECT_EQ(ParseCard("tD"), (TCard{8, 2}));
  EXPECT_EQ(ParseCard("jk"), TCard{});
  for (const char* bad : {"", "A", "ASX", "1S", "AX", "10S", "KJ", " AS"}) {
    EXPECT_FALSE(ParseCard(bad).has_value()) << bad;
  }
}

}  // namespace
}  // namespace tavrik
