#pragma once

#include <algorithm>
#include <random>
#include <set>
#include <sstream>
#include <stdexcept>
#include <string>
#include <vector>

#include "core/card.h"
#include "core/card_bunch.h"
#include "core/poker_description.h"

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

// Random deals of a game's deck with 0, 1, 2, ... wild cards in turn.
inline std::vector<std::string> RandomDeals(int game, int count, uint32_t seed) {
  const auto description = CreateDescription(game);
  std::vector<std::string> wild, natural;
  for (int card = 0; card < 52; ++card) {
    (card % 13 == description->WildRank ? wild : natural).push_back(CardText(CardFromIndex(card)));
  }
  for (int joker = 0; joker < description->JokerCount; ++joker) wild.push_back("JK");
  std::mt19937 random(seed);
  std::vector<std::string> deals;
  for (int i = 0; i < count; ++i) {
    const size_t wildDealt = i % (std::min<size_t>(wild.size(), 4) + 1);
    std::shuffle(wild.begin(), wild.end(), random);
    std::shuffle(natural.begin(), natural.end(), random);
    std::vector<std::string> cards(wild.begin(), wild.begin() + static_cast<long>(wildDealt));
    cards.insert(cards.end(), natural.begin(), natural.begin() + static_cast<long>(5 - wildDealt));
    std::shuffle(cards.begin(), cards.end(), random);
    std::string text;
    for (const auto& card : cards) text += card + " ";
    deals.push_back(text);
  }
  return deals;
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
