#include "core/deal_classes.h"

#include <algorithm>

namespace tavrik {

namespace {

constexpr std::array<std::array<int, 4>, 24> SuitPermutations() {
  std::array<std::array<int, 4>, 24> result{};
  std::array<int, 4> p = {0, 1, 2, 3};
  int i = 0;
  do {
    result[static_cast<size_t>(i++)] = p;
  } while (std::next_permutation(p.begin(), p.end()));
  return result;
}
constexpr auto kPermutations = SuitPermutations();

// The deal as a set of card bits (bit rank * 4 + suit), after renaming suit s to perm[s].
uint64_t CardBits(const TDealClass& deal, const std::array<int, 4>& perm) {
  uint64_t bits = 0;
  for (size_t i = 0; i < 5; ++i) {
    bits |= uint64_t{1} << (deal.Rank[i] * 4 + perm[static_cast<size_t>(deal.Suit[i])]);
  }
  return bits;
}

class TClassBuilder {
 public:
  std::vector<TDealClass> Build() {
    AddRanks(0, 0);
    return std::move(classes_);
  }

 private:
  // Ranks ascending, each at most four times.
  void AddRanks(size_t position, int lowest) {
    if (position == 5) {
      seen_.clear();
      AddSuits(0, -1);
      return;
    }
    for (int rank = lowest; rank < 13; ++rank) {
      if (position >= 4 && deal_.Rank[position - 4] == rank) continue;
      deal_.Rank[position] = static_cast<int8_t>(rank);
      AddRanks(position + 1, rank);
    }
  }

  // Suits are introduced in order of first use (0, then 1, ...), and cards of equal rank
  // take different suits in ascending order, so every set of cards comes up once.
  void AddSuits(size_t position, int highestUsed) {
    if (position == 5) {
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

  // Keeps the first deal seen of each class (a class is named by the smallest card set
  // among its suit permutations).
  void Keep() {
    uint64_t smallest = ~uint64_t{0};
    int fixedBy = 0;
    const uint64_t own = CardBits(deal_, kPermutations[0]);
    for (const auto& perm : kPermutations) {
      const uint64_t image = CardBits(deal_, perm);
      smallest = std::min(smallest, image);
      if (image == own) ++fixedBy;
    }
    if (std::find(seen_.begin(), seen_.end(), smallest) != seen_.end()) return;
    seen_.push_back(smallest);
    TDealClass kept = deal_;
    kept.Weight = 24 / fixedBy;
    kept.NewRanks = seen_.size() == 1;
    classes_.push_back(kept);
  }

  TDealClass deal_;
  std::vector<uint64_t> seen_;  // classes of the current ranks
  std::vector<TDealClass> classes_;
};

}  // namespace

const std::vector<TDealClass>& NaturalDealClasses() {
  static const std::vector<TDealClass> classes = TClassBuilder().Build();
  return classes;
}

}  // namespace tavrik
