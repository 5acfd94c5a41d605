#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace tavrik {

// Why a typed hand cannot be analysed.
enum class HandTextError {
  None,
  NotACard,  // a word that names no card of the game ("J?", "JK" without jokers)
  Twice,     // a card given a second time (a third "JK" with two jokers)
  Count,     // the words name fewer or more than five cards
};

// A hand read from text.
struct THandText {
  // Card indexes (0..51 natural, 52 and 53 the jokers in the order typed) of the words
  // read before the first fault, in typed order; a card given twice is not repeated.
  std::vector<int> Cards;
  HandTextError Error = HandTextError::None;
  // The word at fault in upper case ("J?", "9D"); empty for None and Count.
  std::string Word;

  // The fault in words: "J? is not a card", "the 9D is there twice", "five cards needed";
  // empty for None.
  std::string Message() const;
};

// Reads a hand of five cards: words of rank and suit separated by blanks or commas, in
// any case ("AS kd 10h Th 9c"); the rank is 2..9, "10" or T, J, Q, K, A; the suit S, C,
// D or H; "JK" is a joker when the game has one (`jokerCount` 0..2). Stops at the first
// word that is not a card or repeats one; otherwise a count other than five is the fault.
THandText ParseHandText(std::string_view text, int jokerCount = 0);

// The words of card indexes 0..53, blank-separated ("AS TD JK"). Raises TError for an
// index out of range.
std::string HandWords(const std::vector<int>& cards);

}  // namespace tavrik
