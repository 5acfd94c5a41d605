#include "core/card.h"

#include <gtest/gtest.h>

#include "core/error.h"

namespace tavrik {
namespace {

// Every natural index round trips through rank and suit and through text; a table fixes
// the numbering (rank * 13 within suits S, C, D, H) and the jokers.
TEST(Card, IndexesAndText) {
  for (int index = 0; index < FirstJokerIndex; ++index) {
    const TCard card = CardFromIndex(index);
    EXPECT_EQ(CardIndex(card.Rank, card.Suit), index);
    EXPECT_EQ(ParseCard(CardText(card)), card);
  }
  // Index, rank, suit, text.
  const std::tuple<int, int, int, const char*> cases[] = {
      {0, 0, 0, "2S"},   {12, 12, 0, "AS"}, {25, 12, 1, "AC"},  {26, 0, 2, "2D"},
      {51, 12, 3, "AH"}, {21, 8, 1, "TC"},  {52, -1, -1, "JK"}, {53, -1, -1, "JK"}};
  for (const auto& [index, rank, suit, text] : cases) {
    EXPECT_EQ(CardFromIndex(index), (TCard{rank, suit})) << index;
    EXPECT_EQ(CardText(CardFromIndex(index)), text) << index;
  }
  EXPECT_EQ(ParseCard("tD"), (TCard{8, 2}));
  EXPECT_EQ(ParseCard("jk"), TCard{});
  for (const char* bad : {"", "A", "ASX", "1S", "AX", "10S", "KJ", " AS"}) {
    EXPECT_FALSE(ParseCard(bad).has_value()) << bad;
  }
  for (const int index : {-1, 54}) EXPECT_THROW(CardFromIndex(index), TError) << index;
  for (const auto& [rank, suit] : {std::pair{13, 0}, {0, 4}, {-1, -1}}) {
    EXPECT_THROW(CardIndex(rank, suit), TError) << rank << " " << suit;
  }
}

}  // namespace
}  // namespace tavrik
