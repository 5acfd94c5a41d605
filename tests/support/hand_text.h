#pragma once

#include <algorithm>
#include <numeric>
#include <random>
#include <sstream>
#include <stdexcept>
#include <string>
#include <vector>

#include "core/card.h"
#include "core/card_bunch.h"

namespace tavrik::test {

// Adds the cards of a text such as "AS KD JK" to `hand`, in order.
inline void AddCards(THand& hand, const std::string& text) {
  std::istringstream words(text);
  std::string word;
  while (words >> word) {
    const auto card = ParseCard(word);
    if (!card) throw std::invalid_argument("bad card text " + word);
    hand.AddCard(card->Rank, card->Suit);
  }
}

inline THand MakeHand(const std::string& text) {
  THand hand;
  AddCards(hand, text);
  return hand;
}

// Five different natural cards drawn at random, as text ("7D AS 2C 9H KD ").
inline std::string RandomDealText(std::mt19937& random) {
  std::vector<int> cards(52);
  std::iota(cards.begin(), cards.end(), 0);
  std::shuffle(cards.begin(), cards.end(), random);
  std::string text;
  for (size_t i = 0; i < 5; ++i) text += CardText(CardFromIndex(cards[i])) + " ";
  return text;
}

}  // namespace tavrik::test
