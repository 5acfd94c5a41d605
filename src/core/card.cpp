#include "core/card.h"

#include <cctype>

#include "core/error.h"

namespace tavrik {

TCard CardFromIndex(int index) {
  RequireInRange(index, 0, MaxCardIndex, "Card index");
  if (index >= FirstJokerIndex) return TCard{};
  return TCard{index % NumRanks, index / NumRanks};
}

int CardIndex(int rank, int suit) {
  RequireInRange(rank, 0, NumRanks - 1, "Card rank");
  RequireInRange(suit, 0, NumSuits - 1, "Card suit");
  return suit * NumRanks + rank;
}

std::string CardText(TCard card) {
  if (card.Rank < 0) return "JK";
  return {RankChars[static_cast<size_t>(card.Rank)], SuitChars[static_cast<size_t>(card.Suit)]};
}

std::optional<TCard> ParseCard(std::string_view text) {
  if (text.size() != 2) return std::nullopt;
  const char rankChar = static_cast<char>(std::toupper(static_cast<unsigned char>(text[0])));
  const char suitChar = static_cast<char>(std::toupper(static_cast<unsigned char>(text[1])));
  if (rankChar == 'J' && suitChar == 'K') return TCard{};
  const auto rank = RankChars.find(rankChar);
  const auto suit = SuitChars.find(suitChar);
  if (rank == std::string_view::npos || suit == std::string_view::npos) return std::nullopt;
  return TCard{static_cast<int>(rank), static_cast<int>(suit)};
}

}  // namespace tavrik
