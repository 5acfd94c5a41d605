#include "core/hand_parser.h"

#include <algorithm>
#include <cctype>
#include <optional>

#include "core/card.h"

namespace tavrik {

namespace {

// The card index of one upper-case word; the first joker unused in `cards` for "JK".
std::optional<int> WordIndex(const std::string& word, const std::vector<int>& cards,
                             int jokerCount) {
  // "10" is the one rank of two characters: read as T.
  const std::string shortWord =
      word.size() == 3 && word[0] == '1' && word[1] == '0' ? std::string{'T', word[2]} : word;
  const std::optional<TCard> card = ParseCard(shortWord);
  if (!card) return std::nullopt;
  if (card->Rank >= 0) return CardIndex(card->Rank, card->Suit);
  if (jokerCount == 0) return std::nullopt;
  const auto jokersUsed =
      std::count_if(cards.begin(), cards.end(), [](int index) { return index >= FirstJokerIndex; });
  // Past the last joker: the joker is given twice.
  return FirstJokerIndex + static_cast<int>(std::min<long>(jokersUsed, jokerCount - 1));
}

}  // namespace

std::string THandText::Message() const {
  switch (Error) {
    case HandTextError::NotACard:
      return Word + " is not a card";
    case HandTextError::Twice:
      return "the " + Word + " is there twice";
    case HandTextError::Count:
      return "five cards needed";
    case HandTextError::None:
      break;
  }
  return {};
}

THandText ParseHandText(std::string_view text, int jokerCount) {
  THandText hand;
  size_t at = 0;
  while (at < text.size()) {
    const auto isSeparator = [](char c) {
      return c == ',' || std::isspace(static_cast<unsigned char>(c)) != 0;
    };
    if (isSeparator(text[at])) {
      ++at;
      continue;
    }
    std::string word;
    for (; at < text.size() && !isSeparator(text[at]); ++at) {
      word += static_cast<char>(std::toupper(static_cast<unsigned char>(text[at])));
    }
    const std::optional<int> index = WordIndex(word, hand.Cards, jokerCount);
    if (!index) {
      hand.Error = HandTextError::NotACard;
      hand.Word = word;
      return hand;
    }
    if (std::find(hand.Cards.begin(), hand.Cards.end(), *index) != hand.Cards.end()) {
      hand.Error = HandTextError::Twice;
      hand.Word = word;
      return hand;
    }
    hand.Cards.push_back(*index);
  }
  if (hand.Cards.size() != 5) hand.Error = HandTextError::Count;
  return hand;
}

std::string HandWords(const std::vector<int>& cards) {
  std::string text;
  for (const int index : cards) {
    if (!text.empty()) text += ' ';
    text += CardText(CardFromIndex(index));
  }
  return text;
}

}  // namespace tavrik
