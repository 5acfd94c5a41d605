#pragma once

#include <algorithm>
#include <numeric>
#include <random>
#include <set>
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

// The cards of `text` with each natural card moved to the suit 1 + position % 2 further on,
// wild cards ("JK") kept: the same ranks in other suits. Empty when two moved cards coincide.
inline std::string MoveSuits(const std::string& text) {
  const THand cards = MakeHand(text);
  std::string moved;
  std::set<std::pair<int, int>> distinct;
  for (int i = 0; i < cards.Count; ++i) {
    const TCard card{cards.CardRank[i], (cards.CardSuit[i] + 1 + i % 2) % 4};
    if (card.Rank >= 0 && !distinct.insert({card.Rank, card.Suit}).second) return "";
    moved += card.Rank < 0 ? "JK " : CardText(card) + " ";
  }
  return moved;
}

}  // namespace tavrik::test
