#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "core/card.h"
#include "core/poker_description.h"

namespace tavrik {

// Kinds of hold in the vocabulary of a strategy chart, best made hands first.
enum class THoldKind : uint8_t {
  Discard,            // nothing held
  WildOnly,           // wild cards and nothing else
  RoyalFlush,         // five natural cards
  WildRoyal,          // a royal flush with wild cards
  FiveOfKind,         //
  StraightFlush,      //
  FourOfKind,         // Group: the game's class of fours the rank belongs to
  FullHouse,          //
  Flush,              //
  Straight,           //
  ThreeOfKind,        // Group as for fours
  TwoPair,            //
  HighPair,           // a pair of a rank that pays; Group as for fours
  LowPair,            // any other pair
  RoyalDraw,          // 2..4 suited cards of ten to ace
  StraightFlushDraw,  // Gaps, High
  FlushDraw,          // 3 or 4 suited cards
  StraightDraw,       // Gaps (4 cards: 0 outside, 1 inside, 2 only a deuce fills it), High
  HighCards,          // unsuited high cards, Ranks
  Other,              // none of the above: Cards, High
};

// The pattern of one hold. Equal patterns have equal Code().
struct THoldPattern {
  THoldKind Kind = THoldKind::Discard;
  uint8_t Wild = 0;   // wild cards held
  uint8_t Cards = 0;  // cards held, wild cards included
  // Draws: straight windows missed against cards of consecutive ranks (0 open, 1 inside,
  // 2 double inside, 3 more); windows holding the deuce rank count as missed.
  uint8_t Gaps = 0;
  uint8_t High = 0;     // draws: high cards held (see THoldClassifier)
  uint8_t Group = 0;    // fours, threes, pairs: index of the game's class of fours
  uint8_t Kickers = 0;  // made hands: cards held that do not belong to them
  // Royal draws: a discarded natural card of the suit or of a royal rank the draw lacks.
  bool Penalty = false;
  uint16_t Ranks = 0;  // royal draws of two cards, high cards: bit r for each rank held

  uint64_t Code() const {
    return static_cast<uint64_t>(Kind) | uint64_t{Wild} << 5 | uint64_t{Cards} << 8 |
           uint64_t{Gaps} << 11 | uint64_t{High} << 13 | uint64_t{Group} << 16 |
           uint64_t{Kickers} << 20 | uint64_t{Penalty} << 23 | uint64_t{Ranks} << 24;
  }
  friend bool operator==(const THoldPattern& a, const THoldPattern& b) {
    return a.Code() == b.Code();
  }
};

// Names the pattern of a hold in one game. "High cards" are the ranks whose pair is the
// lowest paying one (jacks to aces in Jacks or better, kings and aces in Joker Poker, none
// where no pair pays); fours, threes and pairs are told apart by the class of fours their
// rank pays as when the game pays fours by rank.
class THoldClassifier {
 public:
  explicit THoldClassifier(const TPokerDescription& game);

  // The pattern of keeping the cards of `cards` (table order; a joker, and in a deuces
  // game a deuce, is wild) whose bit in `mask` is clear (bit i set = card i replaced).
  THoldPattern Classify(const std::array<TCard, 5>& cards, int mask) const;
  // The same for card indexes 0..53 (52 and 53 jokers); raises TError for any other.
  THoldPattern Classify(const std::array<int, 5>& cardIndexes, int mask) const;

  // A short stable name for files and JSON ("4rf", "hp", "w2-4rf", "ukqj").
  std::string Key(const THoldPattern& pattern) const;
  // The pattern in English ("two deuces: 4 to a wild royal flush").
  std::string Text(const THoldPattern& pattern) const;

  bool HasWildCards() const { return wildGame_; }

 private:
  // Whether a natural card the mask replaces is of `suit` or of one of `ranks` (bit r).
  bool Discards(const std::array<TCard, 5>& cards, int mask, int suit, uint32_t ranks) const;

  bool wildGame_ = false;
  int wildRank_ = -1;       // the rank of the wild natural cards, -1 none
  uint16_t highRanks_ = 0;  // bit r: rank r is a high card
  // Per rank: the index of the class of fours it pays as; per class its key and text
  // parts (empty for the widest class, so a game with one class names none).
  std::array<uint8_t, NumRanks> group_{};
  std::vector<std::string> groupKey_, groupText_;
};

// The pattern key and text of a logged hold: game 0..8, the five dealt card indexes (0..53)
// and the replaced mask. Both empty for a game or card out of range (a damaged record).
struct THoldName {
  std::string Key, Text;
};
THoldName NameHold(int game, const std::array<int, 5>& cardIndexes, int mask);
THoldName NameHold(int game, const std::array<uint8_t, 5>& cardIndexes, int mask);

}  // namespace tavrik
