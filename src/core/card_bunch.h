#pragma once

#include <array>
#include <cstdint>
#include <string>

#include "core/card.h"

namespace tavrik {

// A set of cards kept as counters over ranks and suits. Wild cards (jokers and cards of
// WildRank) are counted only in WildCount and Count, never in the rank and suit counters.
// Invariant: Count == WildCount + sum(RankCount); sum(SuitCount) == sum(RankCount).
class TCardBunch {
 public:
  TCardBunch() = default;
  virtual ~TCardBunch() = default;
  TCardBunch(const TCardBunch&) = default;
  TCardBunch& operator=(const TCardBunch&) = default;

  // Fills the bunch as a full deck.
  virtual void Reset() { Fill(1); }

  // n = 1: a full deck (with JokerCount jokers and the wild rank counted as wild);
  // n = 0: empty.
  void Fill(int n);
  // Sets the number of jokers of a full deck (0..2) and refills.
  void SetJokerCount(int n);
  // Sets the wild rank (0..12, or -1 for none) and refills.
  void SetWildRank(int rank);

  // Adds delta to the counters of one card. A wild card changes WildCount only.
  // Raises TError for a natural rank or suit out of range.
  void ChangeCount(int rank, int suit, int delta) {
    if (IsWild(rank)) {
      WildCount += delta;
    } else {
      if (!IsNaturalCard(rank, suit)) ThrowBadCard(rank, suit);
      RankSuitCount[rank][suit] += delta;
      RankCount[rank] += delta;
      SuitCount[suit] += delta;
    }
    Count += delta;
  }

  // True for -1 (joker), -2 and the bunch's WildRank.
  bool IsWild(int rank) const { return rank == -1 || rank == -2 || rank == WildRank; }

  std::array<std::array<int32_t, NumSuits>, NumRanks> RankSuitCount{};
  std::array<int32_t, NumRanks> RankCount{};
  std::array<int32_t, NumSuits> SuitCount{};
  int32_t Count = 0;
  int32_t JokerCount = 0;  // jokers in a full deck: 0, 1 or 2
  int32_t WildCount = 0;   // wild cards present
  int32_t WildRank = -1;   // the wild rank (0 for deuces) or -1

 protected:
  static bool IsNaturalCard(int rank, int suit) {
    return rank >= 0 && rank < NumRanks && suit >= 0 && suit < NumSuits;
  }
  [[noreturn]] static void ThrowBadCard(int rank, int suit);
};

// The cards that can still come. The game engine removes every dealt and drawn card.
class TDeck : public TCardBunch {
 public:
  // A full natural deck.
  TDeck() { Reset(); }
  void Add(int rank, int suit) { ChangeCount(rank, suit, +1); }
  void Remove(int rank, int suit) { ChangeCount(rank, suit, -1); }
  void Refill() { Fill(1); }
};

// Up to five cards in table order (position 0 is the leftmost) with the shape statistics
// classification reads.
class THand : public TCardBunch {
 public:
  static constexpr int MaxCards = 5;

  // An empty hand.
  THand() { Reset(); }
  void Reset() override {
    Fill(0);
    Clear();
  }

  // Puts a card in position Count. A wild card is stored as (-1, -1) and changes no
  // statistics. At most five cards; a sixth raises TError.
  void AddCard(int rank, int suit) {
    if (Count >= MaxCards) ThrowTooManyCards();
    const auto position = static_cast<size_t>(Count);
    const bool wild = IsWild(rank);
    CardRank[position] = wild ? WildCard : rank;
    CardSuit[position] = wild ? WildCard : suit;
    ChangeCount(rank, suit, +1);
    if (wild) return;
    if (rank < MinRank) MinRank = rank;
    if (rank != Ace && rank > MaxRank) MaxRank = rank;
    const int k = RankCount[rank];
    --RankHistogram[k - 1];
    ++RankHistogram[k];
    const int s = SuitCount[suit];
    --SuitHistogram[s - 1];
    ++SuitHistogram[s];
  }
  // Removes every card.
  void Clear() {
    for (int position = Count - 1; position >= 0; --position) {
      ChangeCount(CardRank[position], CardSuit[position], -1);
    }
    RankHistogram = {13, 0, 0, 0, 0};
    SuitHistogram = {4, 0, 0, 0, 0, 0};
    MinRank = Ace;
    MaxRank = 0;
  }
  // The cards of `source` whose bit in `mask` is clear (bit i set = card i discarded),
  // in table order.
  void LoadHeld(const THand& source, int mask);
  // Moves the natural card at `position` to `newSuit`. Only for hands without repeated
  // (rank, suit).
  void ChangeSuit(int position, int newSuit);
  // "AS KD ## " style text: rank and suit characters and a blank per card, "## " when wild.
  std::string Print() const;

  std::array<int32_t, MaxCards> CardRank{};
  std::array<int32_t, MaxCards> CardSuit{};
  int32_t MinRank = Ace;  // lowest natural rank; 12 when empty
  int32_t MaxRank = 0;    // highest natural rank other than the ace; 0 when empty
  // Entry k: number of ranks held exactly k times. Empty: 13, 0, 0, 0, 0.
  std::array<int32_t, 5> RankHistogram{};
  // Entry k: number of suits held exactly k times. Empty: 4, 0, 0, 0, 0, 0.
  std::array<int32_t, 6> SuitHistogram{};

 private:
  [[noreturn]] static void ThrowTooManyCards();
};

}  // namespace tavrik
