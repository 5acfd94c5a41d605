#include "core/hand_parser.h"

#include <gtest/gtest.h>

#include "core/card.h"

namespace tavrik {
namespace {

TEST(HandParser, ReadsHandsAndNamesTheFault) {
  struct Case {
    const char* text;
    int jokers;
    const char* cards;  // the cards read, as HandWords gives them
    const char* message;
  };
  const Case cases[] = {
      {"AS KS QS JS 9D", 0, "AS KS QS JS 9D", ""},
      {"as,kd , 10h\tth 9C", 0, "AS KD TH", "the TH is there twice"},  // 10 and T alike
      {"10c tc", 0, "TC", "the TC is there twice"},
      {"2H 3H 4H 5H 6H 7H", 0, "2H 3H 4H 5H 6H 7H", "five cards needed"},
      {"2H 3H", 0, "2H 3H", "five cards needed"},
      {"  ", 0, "", "five cards needed"},
      {"AS J? KS", 0, "AS", "J? is not a card"},
      {"9d 9D", 0, "9D", "the 9D is there twice"},
      {"1S", 0, "", "1S is not a card"},
      {"10", 0, "", "10 is not a card"},
      {"100S", 0, "", "100S is not a card"},
      {"AS KS QS JS JK", 0, "AS KS QS JS", "JK is not a card"},  // no jokers in the game
      {"AS KS QS JS JK", 1, "AS KS QS JS JK", ""},
      {"AS KS QS jk JK", 1, "AS KS QS JK", "the JK is there twice"},
      {"AS KS QS jk JK", 2, "AS KS QS JK JK", ""},
      {"JK JK JK", 2, "JK JK", "the JK is there twice"},
  };
  for (const Case& c : cases) {
    const THandText hand = ParseHandText(c.text, c.jokers);
    EXPECT_EQ(HandWords(hand.Cards), c.cards) << c.text;
    EXPECT_EQ(hand.Message(), c.message) << c.text;
    EXPECT_EQ(hand.Error == HandTextError::None, *c.message == 0) << c.text;
  }
  // Two jokers are two cards of their own; natural cards keep their indexes.
  EXPECT_EQ(ParseHandText("JK 2S JK AH TC", 2).Cards, (std::vector<int>{52, 0, 53, 51, 21}));
}

}  // namespace
}  // namespace tavrik
