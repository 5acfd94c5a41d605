#include "core/deal_classes.h"

#include <algorithm>
#include <map>
#include <mutex>
#include <utility>

#include "core/card.h"

namespace tavrik {

namespace {

// Every set of `cards` natural cards (1..5) without the rank `skippedRank` (-1: none) up to
// suit permutation; the positions from `cards` to 4 hold wild cards (rank and suit -1).
class TClassBuilder {
 public:
  TClassBuilder(int cards, int skippedRank)
      : cards_(static_cast<size_t>(cards)), skipped_(skippedRank) {
    for (size_t i = cards_; i < 5; ++i) deal_.Rank[i] = deal_.Suit[i] = -1;
  }
  std::vector<TDealClass> Build() {
    AddRanks(0, 0);
    return std::move(classes_);
  }

 private:
  // Ranks ascending, each at most four times.
  void AddRanks(size_t position, int lowest) {
    if (position == cards_) {
      seen_.clear();
      AddSuits(0, -1);
      return;
    }
    for (int rank = lowest; rank < NumRanks; ++rank) {
      if (rank == skipped_ || (position >= 4 && deal_.Rank[position - 4] == rank)) continue;
      deal_.Rank[position] = static_cast<int8_t>(rank);
      AddRanks(position + 1, rank);
    }
  }

  // Suits are introduced in order of first use (0, then 1, ...), and cards of equal rank
  // take different suits in ascending order, so every set of cards comes up once.
  void AddSuits(size_t position, int highestUsed) {
    if (position == cards_) {
      Keep();
      return;
    }
    int lowest = 0;
    if (position > 0 && deal_.Rank[position - 1] == deal_.Rank[position]) {
      lowest = deal_.Suit[position - 1] + 1;
    }
    for (int suit = lowest; suit <= std::min(highestUsed + 1, 3); ++suit) {
      deal_.Suit[position] = static_cast<int8_t>(suit);
      AddSuits(position + 1, std::max(highestUsed, suit));
    }
  }

  // Keeps the first deal seen of each class. Renaming suits permutes the ranks held in each
  // suit, so a class is named by those four sets of ranks in ascending order, and the
  // renamings that leave a deal alone are those among suits holding the same ranks.
  void Keep() {
    std::array<uint16_t, 4> ranksBySuit{};
    for (size_t i = 0; i < cards_; ++i)
      ranksBySuit[static_cast<uint8_t>(deal_.Suit[i])] |=
          static_cast<uint16_t>(1u << deal_.Rank[i]);
    std::sort(ranksBySuit.begin(), ranksBySuit.end());
    uint64_t name = 0;
    int fixedBy = 1;
    for (size_t s = 0, run = 1; s < 4; ++s) {
      name = name << 16 | ranksBySuit[s];
      run = s > 0 && ranksBySuit[s] == ranksBySuit[s - 1] ? run + 1 : 1;
      fixedBy *= static_cast<int>(run);  // run! over each run of equal sets
    }
    if (std::find(seen_.begin(), seen_.end(), name) != seen_.end()) return;
    seen_.push_back(name);
    TDealClass kept = deal_;
    kept.Weight = 24 / fixedBy;
    kept.NewRanks = seen_.size() == 1;
    classes_.push_back(kept);
  }

  size_t cards_;
  int skipped_;
  TDealClass deal_;
  std::vector<uint64_t> seen_;  // classes of the current ranks
  std::vector<TDealClass> classes_;
};

}  // namespace

const std::vector<TDealClass>& NaturalDealClasses() {
  static const std::vector<TDealClass> classes = TClassBuilder(5, -1).Build();
  return classes;
}

std::vector<TDealClass> BuildWildDealClasses(int wildRank, int jokerCount) {
  const int wildCards = jokerCount + (wildRank >= 0 ? 4 : 0);
  std::vector<TDealClass> classes;
  for (int wild = 0; wild <= std::min(wildCards, 5); ++wild) {
    // C(wildCards, wild): which of the interchangeable wild cards were dealt.
    int32_t chosen = 1;
    for (int i = 0; i < wild; ++i) chosen = chosen * (wildCards - i) / (i + 1);
    if (wild == 5) {
      TDealClass allWild;
      allWild.Rank.fill(-1);
      allWild.Suit.fill(-1);
      allWild.Weight = chosen;
      allWild.NewRanks = true;
      classes.push_back(allWild);
      continue;
    }
    for (TDealClass deal : TClassBuilder(5 - wild, wildRank).Build()) {
      deal.Weight *= chosen;
      classes.push_back(deal);
    }
  }
  return classes;
}

const std::vector<TDealClass>& WildDealClasses(int wildRank, int jokerCount) {
  static std::mutex guard;
  static std::map<std::pair<int, int>, std::vector<TDealClass>> built;
  const std::lock_guard<std::mutex> lock(guard);
  auto& classes = built[{wildRank, jokerCount}];
  if (classes.empty()) classes = BuildWildDealClasses(wildRank, jokerCount);
  return classes;
}

}  // namespace tavrik
