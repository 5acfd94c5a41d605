#include "core/card.h"

#include <cctype>

#include "core/error.h"

namespace tavrik {

TCard CardFromIndex(int index) {
  Require(index >= 0 && index <= MaxCardIndex, "Card index out of range: " + std::to_string(index));
  if (index >= FirstJokerIndex) return TCard{};
  return TCard{index % NumRanks, index / NumRanks};
}

int CardIndex(int rank, int suit) {
  Require(rank >= 0 && rank < NumRanks && suit >= 0 && suit < NumSuits,
          "Card out of range: rank " + std::to_string(rank) + ", suit " + std::to_string(suit));
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
