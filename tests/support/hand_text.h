#pragma once

#include <sstream>
#include <stdexcept>
#include <string>

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

}  // namespace tavrik::test
