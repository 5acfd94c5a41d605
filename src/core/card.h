#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace tavrik {

// Ranks 0..12 are 2..A ("23456789TJQKA"); suits 0..3 are "SCDH". A joker (and, inside a
// hand, any wild card) has rank -1 and suit -1.
inline constexpr int NumRanks = 13;
inline constexpr int NumSuits = 4;
inline constexpr int Ace = 12;
inline constexpr int WildCard = -1;
inline constexpr std::string_view RankChars = "23456789TJQKA";
inline constexpr std::string_view SuitChars = "SCDH";

// Card index: 0..51 natural (rank = index mod 13, suit = index div 13), 52 and 53 jokers.
inline constexpr int FirstJokerIndex = 52;
inline constexpr int MaxCardIndex = 53;

struct TCard {
  int Rank = WildCard;
  int Suit = WildCard;
  friend bool operator==(const TCard&, const TCard&) = default;
};

// Card of an index 0..53; raises TError outside that range.
TCard CardFromIndex(int index);
// Index of a natural card (rank 0..12, suit 0..3); raises TError otherwise. Jokers have
// two indexes (52, 53) and are not converted here.
int CardIndex(int rank, int suit);

// Two-character text of a card: rank and suit character ("AS", "TD"), "JK" for a joker.
std::string CardText(TCard card);
// Parses "AS", "td", "JK" (case-insensitive); nothing for any other text.
std::optional<TCard> ParseCard(std::string_view text);

}  // namespace tavrik
