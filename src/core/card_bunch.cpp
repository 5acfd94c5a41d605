#include "core/card_bunch.h"

#include "core/error.h"

namespace tavrik {

void TCardBunch::Fill(int n) {
  WildCount = JokerCount * n;
  for (int rank = 0; rank < NumRanks; ++rank) {
    const bool wild = IsWild(rank);
    if (wild) WildCount += 4 * n;
    for (auto& counter : RankSuitCount[rank]) counter = wild ? 0 : n;
    RankCount[rank] = wild ? 0 : 4 * n;
  }
  for (auto& counter : SuitCount) counter = (WildRank == -1 ? 13 : 12) * n;
  Count = (JokerCount + 52) * n;
}

void TCardBunch::SetJokerCount(int n) {
  RequireInRange(n, 0, 2, "Joker count");
  JokerCount = n;
  Reset();
}

void TCardBunch::SetWildRank(int rank) {
  RequireInRange(rank, -1, NumRanks - 1, "Wild rank");
  WildRank = rank;
  Reset();
}

void TCardBunch::ThrowBadCard(int rank, int suit) {
  throw TError("Card out of range: rank " + std::to_string(rank) + ", suit " +
               std::to_string(suit));
}

void THand::ThrowTooManyCards() {
  throw TError("A hand holds at most five cards");
}

void THand::LoadHeld(const THand& source, int mask) {
  Clear();
  for (int position = 0; position < source.Count; ++position) {
    if ((mask & (1 << position)) == 0)
      AddCard(source.CardRank[position], source.CardSuit[position]);
  }
}

void THand::ChangeSuit(int position, int newSuit) {
  Require(position >= 0 && position < Count && CardRank[position] >= 0,
          "ChangeSuit needs a natural card");
  if (!IsNaturalCard(CardRank[position], newSuit)) ThrowBadCard(CardRank[position], newSuit);
  const int rank = CardRank[position];
  const int oldSuit = CardSuit[position];
  if (oldSuit == newSuit) return;
  RankSuitCount[rank][oldSuit] = 0;
  RankSuitCount[rank][newSuit] = 1;
  const int oldCount = SuitCount[oldSuit]--;
  --SuitHistogram[oldCount];
  ++SuitHistogram[oldCount - 1];
  const int newCount = SuitCount[newSuit]++;
  --SuitHistogram[newCount];
  ++SuitHistogram[newCount + 1];
  CardSuit[position] = newSuit;
}

std::string THand::Print() const {
  std::string text;
  for (int position = 0; position < Count; ++position) {
    if (CardRank[position] < 0) {
      text += "## ";
    } else {
      text += CardText(TCard{CardRank[position], CardSuit[position]});
      text += ' ';
    }
  }
  return text;
}

}  // namespace tavrik
