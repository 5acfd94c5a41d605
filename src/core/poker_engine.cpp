#include "core/poker_engine.h"

#include <bit>
#include <cstdio>

#include "core/error.h"

namespace tavrik {

namespace {

__extension__ using TWide = __int128;  // exact products of two 64-bit counts

constexpr const char* ContextPrefix = "Error calculate natural case ";

// The seven types whose counts depend on suits.
constexpr std::array<int, 7> SuitTypes = {
    FLUSH_STRAIGHT_A_5, FLUSH_STRAIGHT, FLUSH_STRAIGHT_T_A, FLUSH,
    STRAIGHT_A_5,       STRAIGHT,       STRAIGHT_T_A};

// The types that are not counted per rank.
constexpr std::array<int, 9> FoldedDirectly = {
    FLUSH_STRAIGHT_A_5, FLUSH_STRAIGHT, FLUSH_STRAIGHT_T_A, FLUSH,    STRAIGHT_A_5,
    STRAIGHT,           STRAIGHT_T_A,   FULL_HOUSE,         TWO_PAIRS};

template <class Row>
void ZeroSuitTypes(Row& row) {
  for (const int type : SuitTypes) row[type] = 0;
}

std::string MaskContext(const char* operation, int mask) {
  char text[64];
  std::snprintf(text, sizeof text, "%s(%s) DrawMask=%d", ContextPrefix, operation, mask);
  return text;
}

}  // namespace

int ClassifyNaturalHand(const THand& hand) {
  if (hand.RankHistogram[1] == 5) {
    int type = -1;
    const int span = hand.MaxRank - hand.MinRank;
    const bool ace = hand.RankCount[Ace] > 0;
    if (span == 4 && !ace) {
      type = STRAIGHT;
    } else if (span == 3 && ace) {
      if (hand.MinRank == 0) {
        type = STRAIGHT_A_5;
      } else if (hand.MaxRank == 11) {
        type = STRAIGHT_T_A;
      }
    }
    if (hand.SuitHistogram[5] == 1)
      type = type == -1 ? FLUSH : type - (STRAIGHT_A_5 - FLUSH_STRAIGHT_A_5);
    return type;
  }
  if (hand.RankHistogram[2] == 2) return TWO_PAIRS;
  if (hand.RankHistogram[3] == 1 && hand.RankHistogram[2] == 1) return FULL_HOUSE;
  int base = PAIRS_2, size = 2;
  if (hand.RankHistogram[4] == 1) {
    base = FOUR_OF_KIND_2;
    size = 4;
  } else if (hand.RankHistogram[3] == 1) {
    base = THREE_OF_KIND_2;
    size = 3;
  } else if (hand.RankHistogram[2] != 1) {
    return -1;
  }
  for (int rank = 0; rank < NumRanks; ++rank) {
    if (hand.RankCount[rank] == size) return base + rank;
  }
  return -1;
}

TPokerEngine::TPokerEngine() {
  TypeCategory.fill(-1);
}

void TPokerEngine::Prepare() {
  Count = {};
  CatCount = {};
  foldedMasks_ = 0;
  Calculator.InitSuits(Deck);
  PrepareHand();
  PrepareRanks();
}

void TPokerEngine::PrepareHand() {
  dealtRankCount_ = 0;
  wildPositions_ = 0;
  repeatedRanks_ = 0;
  keptRanks_[0] = 0;
  keptSuits_[0] = 0;
  for (int position = 0; position < THand::MaxCards; ++position) {
    // A position the hand has not filled keeps nothing.
    const bool present = position < Hand.Count;
    const int rank = present ? Hand.CardRank[position] : -1;
    if (rank < 0) {
      if (present) wildPositions_ |= 1u << position;
    } else {
      int group = 0;
      while (group < dealtRankCount_ && dealtRanks_[group].Rank != rank) ++group;
      if (group == dealtRankCount_) dealtRanks_[dealtRankCount_++] = {rank, 0};
      dealtRanks_[group].Positions |= 1u << position;
      RequireInRange(CardsDrawn[dealtRanks_[group].Positions], 1, 4, "Dealt rank count");
    }
    // Every hold of the positions before this one, with and without this card.
    const uint32_t bit = 1u << position;
    for (uint32_t before = 0; before < bit; ++before) {
      const uint32_t kept = before | bit;
      const bool natural = rank >= 0;
      const bool repeated = natural && ((keptRanks_[before] >> rank) & 1u) != 0;
      keptRanks_[kept] = static_cast<uint16_t>(keptRanks_[before] | (natural ? 1u << rank : 0u));
      keptSuits_[kept] =
          static_cast<uint8_t>(keptSuits_[before] | (natural ? 1u << Hand.CardSuit[position] : 0u));
      if (repeated || ((repeatedRanks_ >> before) & 1u) != 0) repeatedRanks_ |= 1u << kept;
    }
  }
}

void TPokerEngine::PrepareRanks() {
  Calculator.SetDeck(Deck);
  ranksByDeck_ = {};
  std::array<std::array<std::array<uint8_t, MaxCategories>, 5>, 3> ranks{};
  for (int rank = 0; rank < NumRanks; ++rank) {
    const int d = Deck.RankCount[rank];
    RequireInRange(d, 0, 4, "Rank count");
    ++ranksByDeck_[d];
    for (int family = 0; family < 3; ++family) {
      const int category = TypeCategory[FamilyType[family] + rank];
      if (category >= 0) ++ranks[family][d][category];
    }
  }
  freshTermCount_ = 0;
  for (int d = 1; d <= 4; ++d) {
    if (ranksByDeck_[d] == 0) continue;
    for (int family = 0; family < 3; ++family) {
      for (int category = 0; category <= LastCategory; ++category) {
        const uint8_t count = ranks[family][d][category];
        if (count == 0) continue;
        freshTerms_[freshTermCount_++] = {static_cast<uint8_t>(family), static_cast<uint8_t>(d),
                                          static_cast<uint8_t>(category), count};
      }
    }
  }
}

void TPokerEngine::ResetDeal() {
  Hand.Reset();
  Deck.Refill();
  if (Payout != nullptr) {
    Payout->LastCategory = LastCategory;
    Payout->DeckSize = Deck.Count;
  }
}

void TPokerEngine::CheckCombination() {
  WithContext("Error calculate natural case (CheckCombination)", [&] {
    const int type = ClassifyNaturalHand(Hand);
    if (type >= 0) Count[0][type] = 1;
  });
}

TPokerEngine::THeldShape TPokerEngine::HeldShape(int mask) const {
  const uint32_t keep = ~static_cast<uint32_t>(mask) & 31u;
  THeldShape held;
  held.Wild = (keep & wildPositions_) != 0;
  held.WildCount = CardsDrawn[keep & wildPositions_];
  held.NaturalPositions = keep & ~wildPositions_;
  held.Natural = CardsDrawn[keep] - held.WildCount;
  held.Distinct = ((repeatedRanks_ >> keep) & 1u) == 0;
  held.Ranks = keptRanks_[keep];
  if (held.Ranks != 0) held.MinRank = std::countr_zero(held.Ranks);
  const uint32_t belowAce = held.Ranks & ((1u << Ace) - 1);
  if (belowAce != 0) held.MaxRank = std::bit_width(belowAce) - 1;
  const uint32_t suits = keptSuits_[keep];
  if (suits != 0 && (suits & (suits - 1)) == 0) held.Suit = std::countr_zero(suits);
  return held;
}

TPokerEngine::TStraights TPokerEngine::CountStraights(const THeldShape& held, int suit) const {
  const auto deckCount = [&](int rank) -> int64_t {
    return suit < 0 ? Deck.RankCount[rank] : Deck.RankSuitCount[rank][suit];
  };
  const auto isHeld = [&](int rank) { return ((held.Ranks >> rank) & 1u) != 0; };
  TStraights result;
  const int hi = isHeld(Ace) ? Ace : held.MaxRank;
  const int lo = held.MinRank;
  if (hi - lo < 5) {
    for (int base = std::max(0, hi - 4); base <= std::min(lo, 8); ++base) {
      int64_t product = 1;
      for (int rank = base; rank < base + 5; ++rank) {
        if (!isHeld(rank)) product *= deckCount(rank);
      }
      (base == 8 ? result.Top : result.Middle) += product;
    }
  }
  if (held.MaxRank < 4) {
    result.Wheel = isHeld(Ace) ? 1 : deckCount(Ace);
    for (int rank = 0; rank < 4; ++rank) {
      if (!isHeld(rank)) result.Wheel *= deckCount(rank);
    }
  }
  result.Found = hi - lo < 5 || result.Wheel != 0;
  return result;
}

void TPokerEngine::CountStraightsFlushes(int mask, int drawn, const THeldShape& held) {
  auto& row = Count[mask];
  ZeroSuitTypes(row);
  // Every held card is of one suit (the cards are of different ranks, so never of one suit
  // twice): draws of that suit only make the flushes.
  const int suit = held.Suit;
  const bool flushPossible = suit >= 0;
  if (flushPossible) row[FLUSH] = Binomial(Deck.SuitCount[suit], drawn);
  const TStraights all = CountStraights(held, -1);
  int64_t wheel = all.Wheel, middle = all.Middle, top = all.Top;
  if (flushPossible) {
    const TStraights flush = CountStraights(held, suit);
    if (flush.Found) {
      row[FLUSH_STRAIGHT_A_5] = static_cast<int32_t>(flush.Wheel);
      row[FLUSH_STRAIGHT] = static_cast<int32_t>(flush.Middle);
      row[FLUSH_STRAIGHT_T_A] = static_cast<int32_t>(flush.Top);
      row[FLUSH] -= static_cast<int32_t>(flush.Wheel + flush.Middle + flush.Top);
      wheel -= flush.Wheel;
      middle -= flush.Middle;
      top -= flush.Top;
    }
  }
  row[STRAIGHT_A_5] = static_cast<int32_t>(wheel);
  row[STRAIGHT] = static_cast<int32_t>(middle);
  row[STRAIGHT_T_A] = static_cast<int32_t>(top);
}

const TPokerEngine::TFlushes& TPokerEngine::KeptFlushes(uint32_t heldPositions, uint32_t part,
                                                        const auto& count) {
  if (flushCache_.empty()) flushCache_.resize(size_t{32} * 32);
  TFlushCacheEntry& entry = flushCache_[heldPositions * 32u + part];
  if (entry.Ranks != rankGroup_) {
    entry.Flushes = count();
    entry.Ranks = rankGroup_;
  }
  return entry.Flushes;
}

void TPokerEngine::SetSuitTypes(int mask, const TFlushes& flushes) {
  auto& row = Count[mask];
  const auto& rankPart = rankSuitTypes_[mask];
  row[FLUSH_STRAIGHT_A_5] = flushes[0];
  row[FLUSH_STRAIGHT] = flushes[1];
  row[FLUSH_STRAIGHT_T_A] = flushes[2];
  row[FLUSH] = flushes[3] - flushes[0] - flushes[1] - flushes[2];
  row[STRAIGHT_A_5] = rankPart[4] - flushes[0];
  row[STRAIGHT] = rankPart[5] - flushes[1];
  row[STRAIGHT_T_A] = rankPart[6] - flushes[2];
}

void TPokerEngine::CheckDraw(int mask) {
  WithContext([&] { return MaskContext("CheckDraw", mask); }, [&] { CountNaturalDraw(mask); });
}

TPokerEngine::TRankDraws TPokerEngine::CountRank(const TDrawRules& rules, int d, int h) const {
  const auto& calc = Calculator;
  const int n = rules.Drawn, N = rules.Natural;
  TRankDraws result{{0, 0, 0}, 0, 0};
  // Pairs[k] while this rank is counted: its own share leaves the pair pool.
  std::array<int32_t, 3> pairs = calc.Pairs;
  if (rules.NoFours) {
    if (rules.NoThrees) {
      const int k = 2 - h;  // h <= 2 here
      const int32_t w = BinomialInRange(d, k);
      pairs[k] -= w;
      if (k <= d && k <= n && (rules.HeldPairs == 0 || (rules.HeldPairs == 1 && k == 0))) {
        const int x = h == 0 ? d : 0;
        result.Group[FamilyPair] = static_cast<int32_t>(int64_t{calc.Singles[x][n - k]} * w);
      }
    }
    const int k = 3 - h;  // h <= 3 here
    if (k <= d && k <= n) {
      const int64_t c = BinomialInRange(d, k);
      result.FullHouses = rules.FullHousePossible ? c * pairs[n - k] : int64_t{0};
      result.Group[FamilyThree] =
          static_cast<int32_t>(c * BinomialInRange(N - d, n - k) - result.FullHouses);
    }
  }
  const int k = 4 - h;
  if (k <= d && k <= n) {
    result.Group[FamilyFour] =
        static_cast<int32_t>(int64_t{BinomialInRange(d, k)} * BinomialInRange(N - d, n - k));
  }
  result.Taken =
      int64_t{result.Group[FamilyPair]} + result.Group[FamilyThree] + result.Group[FamilyFour];
  return result;
}

// Ranks the hold lacks give the same numbers for the same deck count, so each deck count is
// counted once; the held ranks (at most five) are counted one by one. The categories are
// folded here from those few numbers rather than type by type.
void TPokerEngine::CountNaturalDraw(int mask) {
  auto& row = Count[mask];
  const uint32_t keep = ~static_cast<uint32_t>(mask) & 31u;
  if ((keep & wildPositions_) != 0) return;  // every final hand holds a wild card
  auto& categories = CatCount[mask];
  foldedMasks_ |= 1u << mask;
  const int n = CardsDrawn[mask];
  std::array<THeldRank, THand::MaxCards> held{};
  int heldCount = 0;
  std::array<int, 5> histogram{};  // ranks held k times
  for (int group = 0; group < dealtRankCount_; ++group) {
    const int h = CardsDrawn[dealtRanks_[group].Positions & keep];
    if (h == 0) continue;
    held[heldCount++] = {dealtRanks_[group].Rank, h};
    ++histogram[h];
  }
  Calculator.InitHeldRanks(held.data(), heldCount, Deck);
  const TDrawRules rules{n,
                         Deck.Count - Deck.WildCount,
                         histogram[4] == 0,
                         histogram[3] == 0,
                         histogram[2],
                         histogram[1] < 3};
  int64_t total = BinomialInRange(rules.Natural, n);
  if (histogram[1] == 5 - n) {
    total -= Calculator.Singles[0][n];
    CountStraightsFlushes(mask, n, HeldShape(mask));
  } else {
    ZeroSuitTypes(row);
  }

  // By deck count, filled for the counts some rank has; a rank none of whose cards is left
  // makes nothing.
  std::array<TRankDraws, 5> fresh;
  fresh[0] = {{0, 0, 0}, 0, 0};
  int64_t taken = 0, fullHouses = 0;
  for (int d = 1; d <= 4; ++d) {
    if (ranksByDeck_[d] == 0) continue;
    fresh[d] = CountRank(rules, d, 0);
    taken += ranksByDeck_[d] * fresh[d].Taken;
    fullHouses += ranksByDeck_[d] * fresh[d].FullHouses;
  }
  for (int rank = 0; rank < NumRanks; ++rank) {
    const TRankDraws& draws = fresh[Deck.RankCount[rank]];
    for (int family = 0; family < 3; ++family) row[FamilyType[family] + rank] = draws.Group[family];
  }
  for (int i = 0; i < freshTermCount_; ++i) {
    const TFreshTerm& term = freshTerms_[i];
    categories[term.Category] += int64_t{term.Ranks} * fresh[term.Deck].Group[term.Family];
  }
  // The held ranks were counted above as if fresh: replace their numbers.
  for (int i = 0; i < heldCount; ++i) {
    const int rank = held[i].Rank;
    const int d = Deck.RankCount[rank];
    const TRankDraws draws = CountRank(rules, d, held[i].Held);
    const TRankDraws& counted = fresh[d];
    taken += draws.Taken - counted.Taken;
    fullHouses += draws.FullHouses - counted.FullHouses;
    for (int family = 0; family < 3; ++family) {
      const int type = FamilyType[family] + rank;
      row[type] = draws.Group[family];
      const int category = TypeCategory[type];
      if (category >= 0) categories[category] += draws.Group[family] - counted.Group[family];
    }
  }
  row[FULL_HOUSE] = static_cast<int32_t>(fullHouses);
  // What is left are exactly the two-pair and full-house draws.
  row[TWO_PAIRS] = static_cast<int32_t>(total - taken - fullHouses);
  for (const int type : FoldedDirectly) {
    const int category = TypeCategory[type];
    if (category >= 0) categories[category] += row[type];
  }
}

TPokerEngine::TFlushes TPokerEngine::SuitFlushes(int suit) const {
  TFlushes result{};
  result[3] = Binomial(Deck.SuitCount[suit], 5);
  uint32_t present = 0;  // bit r: the deck holds rank r of this suit
  for (int rank = 0; rank < NumRanks; ++rank)
    present |= (Deck.RankSuitCount[rank][suit] > 0 ? 1u : 0u) << rank;
  for (int base = 0; base < 8; ++base) {
    if (((present >> base) & 31u) == 31u) ++result[1];
  }
  if (((present >> 8) & 31u) == 31u) ++result[2];
  if ((present & 0x100Fu) == 0x100Fu) ++result[0];  // the ace and 2 to 5
  return result;
}

void TPokerEngine::CountEmptyStraightsFlushes() {
  auto& row = Count[31];
  ZeroSuitTypes(row);
  int64_t flushes = 0, wheelFlushes = 0, middleFlushes = 0, royals = 0;
  for (int suit = 0; suit < NumSuits; ++suit) {
    const TFlushes share = SuitFlushes(suit);
    wheelFlushes += share[0];
    middleFlushes += share[1];
    royals += share[2];
    flushes += share[3];
  }
  const auto& ranks = Deck.RankCount;
  int64_t middle = 0;
  for (int base = 0; base < 8; ++base) {
    middle += int64_t{ranks[base]} * ranks[base + 1] * ranks[base + 2] * ranks[base + 3] *
              ranks[base + 4];
  }
  const int64_t top = int64_t{ranks[8]} * ranks[9] * ranks[10] * ranks[11] * ranks[12];
  const int64_t wheel = int64_t{ranks[Ace]} * ranks[0] * ranks[1] * ranks[2] * ranks[3];
  row[FLUSH_STRAIGHT_A_5] = static_cast<int32_t>(wheelFlushes);
  row[FLUSH_STRAIGHT] = static_cast<int32_t>(middleFlushes);
  row[FLUSH_STRAIGHT_T_A] = static_cast<int32_t>(royals);
  row[FLUSH] = static_cast<int32_t>(flushes - wheelFlushes - middleFlushes - royals);
  row[STRAIGHT_A_5] = static_cast<int32_t>(wheel - wheelFlushes);
  row[STRAIGHT] = static_cast<int32_t>(middle - middleFlushes);
  row[STRAIGHT_T_A] = static_cast<int32_t>(top - royals);
}

void TPokerEngine::CheckEmpty() {
  WithContext("Error calculate natural case (CheckEmpty)", [&] {
    Held.LoadHeld(Hand, 31);
    Calculator.Init(Held, Deck);
    auto& row = Count[31];
    const auto& calc = Calculator;
    const int N = Deck.Count - Deck.WildCount;
    CountEmptyStraightsFlushes();
    int64_t total = int64_t{Binomial(N, 5)} - calc.Singles[0][5];
    int64_t fullHouses = 0;
    for (int rank = 0; rank < NumRanks; ++rank) {
      const int d = Deck.RankCount[rank];
      if (d > 1) {
        const int64_t ways = int64_t{Binomial(d, 2)} * calc.Singles[d][3];
        row[PAIRS_2 + rank] = static_cast<int32_t>(ways);
        total -= ways;
      }
      if (d > 2) {
        const int64_t fh = int64_t{Binomial(d, 3)} * (calc.Pairs[2] - Binomial(d, 2));
        fullHouses += fh;
        const int64_t ways = int64_t{Binomial(d, 3)} * Binomial(N - d, 2) - fh;
        row[THREE_OF_KIND_2 + rank] = static_cast<int32_t>(ways);
        total -= ways;
      }
      if (d > 3) {
        const int64_t ways = int64_t{Binomial(d, 4)} * (N - d);
        row[FOUR_OF_KIND_2 + rank] = static_cast<int32_t>(ways);
        total -= ways;
      }
    }
    row[FULL_HOUSE] = static_cast<int32_t>(fullHouses);
    row[TWO_PAIRS] = static_cast<int32_t>(total - fullHouses);
  });
}

void TPokerEngine::SumCategories() {
  for (int mask = 0; mask < HoldMaskCount; ++mask) {
    if ((foldedMasks_ >> mask) & 1u) continue;
    const auto& counts = Count[mask];
    auto& categories = CatCount[mask];
    for (const TTypeRun& run : TypeRuns) {
      // The draws of one mask number at most C(49, 5): a 32-bit sum cannot overflow.
      int32_t sum = 0;
      for (int type = run.First; type <= run.Last; ++type) sum += counts[type];
      categories[run.Category] += sum;
    }
  }
  foldedMasks_ = 0;
}

void TPokerEngine::FoldSuitTypes(int mask) {
  const auto& row = Count[mask];
  const auto& rankPart = rankSuitTypes_[mask];
  auto& categories = CatCount[mask];
  for (size_t i = 0; i < SuitTypes.size(); ++i) {
    const int category = TypeCategory[SuitTypes[i]];
    if (category >= 0) categories[category] += row[SuitTypes[i]] - rankPart[i];
  }
}

void TPokerEngine::KeepRankPart() {
  ++rankGroup_;
  rankCatCount_ = CatCount;
  for (int mask = 1; mask < HoldMaskCount; ++mask) {
    const auto& row = Count[mask];
    // Without flushes every straight flush is a plain straight.
    rankSuitTypes_[mask] = {0,
                            0,
                            0,
                            0,
                            row[STRAIGHT_A_5] + row[FLUSH_STRAIGHT_A_5],
                            row[STRAIGHT] + row[FLUSH_STRAIGHT],
                            row[STRAIGHT_T_A] + row[FLUSH_STRAIGHT_T_A]};
    for (size_t i = 0; i < SuitTypes.size(); ++i) {
      const int category = TypeCategory[SuitTypes[i]];
      if (category >= 0)
        rankCatCount_[mask][category] -= row[SuitTypes[i]] - rankSuitTypes_[mask][i];
    }
  }
}

void TPokerEngine::RestoreRankPart(int mask) {
  const auto& rankPart = rankSuitTypes_[mask];
  for (size_t i = 0; i < SuitTypes.size(); ++i) Count[mask][SuitTypes[i]] = rankPart[i];
  CatCount[mask] = rankCatCount_[mask];
  paySums_[mask] = rankPaySums_[mask];
}

void TPokerEngine::CheckDraw1(int mask) {
  WithContext([&] { return MaskContext("CheckDraw", mask); },
              [&] {
                const THeldShape held = HeldShape(mask);
                if (held.Wild) return;  // no natural final hand: the row is zero
                if (!held.Distinct || held.Suit < 0) return;
                // The straight flushes and flushes follow from the held cards and the
                // positions dealt in their suit: kept for the deals of the same ranks.
                SetSuitTypes(mask, KeptFlushes(held.NaturalPositions, suitPart_[mask], [&] {
                               const TStraights flush = CountStraights(held, held.Suit);
                               return TFlushes{
                                   static_cast<int32_t>(flush.Wheel),
                                   static_cast<int32_t>(flush.Middle),
                                   static_cast<int32_t>(flush.Top),
                                   Binomial(Deck.SuitCount[held.Suit], CardsDrawn[mask])};
                             }));
                FoldSuitTypes(mask);
              });
}

void TPokerEngine::CheckEmpty1() {
  WithContext("Error calculate natural case (CheckEmpty)", [&] {
    // Each suit's share follows from the positions dealt in it.
    TFlushes flushes{};
    for (int suit = 0; suit < NumSuits; ++suit) {
      const TFlushes& share =
          KeptFlushes(0, suitPositions_[suit], [&] { return SuitFlushes(suit); });
      for (size_t i = 0; i < flushes.size(); ++i) flushes[i] += share[i];
    }
    SetSuitTypes(31, flushes);
    FoldSuitTypes(31);
  });
}

void TPokerEngine::ClearCounts() {
  Count[0] = {};
  CatCount[0] = {};
  // Masks 1..31 keep their rows from the last deal; the recount changes only what suits
  // change and leaves nothing to fold.
  foldedMasks_ = ~1u;
}

void TPokerEngine::SetDescription(const TPokerDescription& description) {
  Name = description.Name;
  LastCategory = description.LastCategory;
  GameIndex = description.GameIndex;
  Require(LastCategory >= 0 && LastCategory < MaxCategories, "Category count out of range");
  CategoryNames.assign(description.CategoryName.begin(),
                       description.CategoryName.begin() + LastCategory + 1);
  TypeCategory.fill(-1);
  for (int category = 0; category <= LastCategory; ++category) {
    for (int type = 0; type < NaturalHandTypeCount; ++type) {
      if (description.NaturalSet[category].Has(type)) TypeCategory[type] = category;
    }
  }
  TypeRuns.clear();
  for (int type = 0; type < NaturalHandTypeCount; ++type) {
    const int category = TypeCategory[type];
    if (category < 0) continue;
    if (!TypeRuns.empty() && TypeRuns.back().Category == category &&
        TypeRuns.back().Last == type - 1) {
      TypeRuns.back().Last = type;
    } else {
      TypeRuns.push_back({type, type, category});
    }
  }
}

int TPokerEngine::GetHandCategory() const {
  for (int type = 0; type < NaturalHandTypeCount; ++type) {
    if (Count[0][type] == 1) return TypeCategory[type];
  }
  return -1;
}

int TPokerEngine::GetHandClassCount() const {
  return static_cast<int>(DealClasses().size());
}

const std::vector<TDealClass>& TPokerEngine::DealClasses() const {
  return NaturalDealClasses();
}

void TPokerEngine::SetPayout(TPayout* payout) {
  Payout = payout;
  if (Payout != nullptr) ResetDeal();
}

void TPokerEngine::NewDeal() {
  Hand.Reset();
  Deck.Refill();
}

int TPokerEngine::GetTheBest() {
  return WithContext("Error calculate natural case (GetTheBest)", [&] {
    Prepare();
    CheckCombination();
    for (int mask = 1; mask < 31; ++mask) CheckDraw(mask);
    CheckEmpty();
    SumCategories();
    Require(Payout != nullptr, "No paytable attached");
    for (int mask = 1; mask < HoldMaskCount; ++mask) paySums_[mask] = PaySum(CatCount[mask]);
    rankPartKept_ = false;  // kept by the first partial recount that needs it
    return ChooseBest();
  });
}

int TPokerEngine::ClassifyHand() {
  return WithContext("Error calculate natural case (ClassifyHand)", [&] {
    Prepare();
    CheckCombination();
    return GetHandCategory();
  });
}

int TPokerEngine::GetTheBest1() {
  return WithContext("Error calculate natural case (GetTheBest)", [&] {
    Require(Payout != nullptr, "No paytable attached");
    if (!rankPartKept_) {
      // The counts are still those of the full analysis.
      KeepRankPart();
      for (int mask = 1; mask < HoldMaskCount; ++mask) {
        rankPaySums_[mask] = PaySum(rankCatCount_[mask]);
        suitPart_[mask] = SuitPartOther;
      }
      rankPartKept_ = true;
    }
    ClearCounts();
    PrepareHand();
    CheckCombination();
    suitPositions_ = {};
    for (int position = 0; position < Hand.Count; ++position) {
      if (Hand.CardRank[position] >= 0)
        suitPositions_[Hand.CardSuit[position]] |= static_cast<uint8_t>(1u << position);
    }
    for (int mask = 1; mask < HoldMaskCount; ++mask) {
      // Only holds of different ranks in one suit, or of no natural card, can make a
      // flush; the deck's cards of that suit, and so the suit part, follow from the
      // positions dealt in it (the suits of a full deck are alike). A hold of no natural
      // card depends on every suit.
      const uint32_t keep = ~static_cast<uint32_t>(mask) & 31u;
      const uint32_t suits = keptSuits_[keep];
      uint8_t part = SuitPartNone;
      if (((repeatedRanks_ >> keep) & 1u) == 0 && (suits & (suits - 1)) == 0)
        part = suits == 0 ? SuitPartOther : suitPositions_[std::countr_zero(suits)];
      if (part == suitPart_[mask] && part != SuitPartOther) continue;
      if (suitPart_[mask] != SuitPartNone) RestoreRankPart(mask);
      suitPart_[mask] = part;
      if (part == SuitPartNone) continue;
      if (mask == 31) {
        CheckEmpty1();
      } else {
        CheckDraw1(mask);
      }
      paySums_[mask] = PaySum(CatCount[mask]);
    }
    SumCategories();
    return ChooseBest();
  });
}

int TPokerEngine::ChooseBest() const {
  // Returns are sum / draws; comparing sum_a * draws_b with sum_b * draws_a in 128 bits
  // decides exactly as comparing the quotients does, without a division per mask.
  std::array<int64_t, 6> draws{};  // by cards drawn
  for (int n = 0; n <= 5; ++n) draws[n] = Binomial(Deck.Count, n);
  int best = 0;
  int64_t bestSum = PaySum(CatCount[0]);
  int64_t bestDraws = draws[0];
  for (int mask = 1; mask < HoldMaskCount; ++mask) {
    const int64_t sum = paySums_[mask];
    const int64_t maskDraws = draws[CardsDrawn[mask]];
    if (TWide{sum} * bestDraws > TWide{bestSum} * maskDraws) {
      best = mask;
      bestSum = sum;
      bestDraws = maskDraws;
    }
  }
  return best;
}

int64_t TPokerEngine::PaySum(const std::array<int64_t, MaxCategories>& categories) const {
  int64_t sum = 0;
  for (int category = 0; category <= LastCategory; ++category) {
    sum += int64_t{Payout->Pay[category]} * categories[category];
  }
  return sum;
}

int64_t TPokerEngine::DrawCount(int mask) const {
  return Binomial(Deck.Count, CardsDrawn[mask]);
}

long double TPokerEngine::DrawReturn(int mask) const {
  return WithContext("Error calculate natural case (DrawReturn)", [&] {
    RequireInRange(mask, 0, HoldMaskCount - 1, "Hold mask");
    Require(Payout != nullptr, "No paytable attached");
    return static_cast<long double>(PaySum(CatCount[mask])) /
           static_cast<long double>(DrawCount(mask));
  });
}

void TPokerEngine::CheckRange(int category, int mask) const {
  RequireInRange(mask, 0, HoldMaskCount - 1, "Hold mask");
  RequireInRange(category, 0, LastCategory + 1, "Category");
}

int64_t TPokerEngine::GetCategoryCount(int category, int mask) const {
  CheckRange(category, mask);
  if (category <= LastCategory) return CatCount[mask][category];
  int64_t losing = DrawCount(mask);
  for (int c = 0; c <= LastCategory; ++c) losing -= CatCount[mask][c];
  return losing;
}

long double TPokerEngine::GetCategoryProbability(int category, int mask) const {
  return static_cast<long double>(GetCategoryCount(category, mask)) /
         static_cast<long double>(DrawCount(mask));
}

void TPokerEngine::DealClass(const TDealClass& deal) {
  Hand.Clear();
  for (size_t i = 0; i < 5; ++i) {
    Hand.AddCard(deal.Rank[i], deal.Suit[i]);
    Deck.Remove(deal.Rank[i], deal.Suit[i]);
  }
}

void TPokerEngine::ReturnClass(const TDealClass& deal) {
  for (size_t i = 0; i < 5; ++i) Deck.Add(deal.Rank[i], deal.Suit[i]);
}

void TPokerEngine::CountProgress() {
  ++ProgressCounter;
  if (ProgressCounter % 100 == 0 && OnProgress) OnProgress(ProgressCounter);
}

void TPokerEngine::AddClassResult(const TDealClass& deal, int best) {
  const int drawn = CardsDrawn[best];
  Payout->DealsByDraw[drawn] += deal.Weight;
  for (int category = 0; category <= LastCategory; ++category) {
    Payout->WinsByDraw[drawn][category] += CatCount[best][category] * deal.Weight;
  }
}

void TPokerEngine::AnalyseClass(const TDealClass& deal, const char* operation,
                                int (TPokerEngine::*analyse)()) {
  WithContext(
      [&] {
        return std::string(ContextPrefix) + "(" + operation +
               ") Progress=" + std::to_string(ProgressCounter);
      },
      [&] {
        DealClass(deal);
        AddClassResult(deal, (this->*analyse)());
        ReturnClass(deal);
        CountProgress();
      });
}

void TPokerEngine::Check(const TDealClass& deal) {
  AnalyseClass(deal, "Check", &TPokerEngine::GetTheBest);
}

void TPokerEngine::Check1(const TDealClass& deal) {
  AnalyseClass(deal, "Check1", &TPokerEngine::GetTheBest1);
}

void TPokerEngine::RunPermutations() {
  RunPermutationSlice(0, 1);
}

void TPokerEngine::RunPermutationSlice(int slice, int sliceCount) {
  WithContext("Error calculate natural case (RunPermutations)", [&] {
    Require(Payout != nullptr, "No paytable attached");
    RequireInRange(sliceCount, 1, 1 << 20, "Slice count");
    RequireInRange(slice, 0, sliceCount - 1, "Slice");
    Payout->Reset();
    NewDeal();
    ProgressCounter = 0;
    int group = -1;
    bool mine = false;
    for (const TDealClass& deal : DealClasses()) {
      if (deal.NewRanks) {
        ++group;
        mine = group % sliceCount == slice;
        if (mine) Check(deal);
      } else if (mine) {
        Check1(deal);
      }
    }
  });
}

}  // namespace tavrik
