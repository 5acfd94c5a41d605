#include "core/wild_engine.h"

#include <algorithm>
#include <cstdio>

#include "core/error.h"

namespace tavrik {

namespace {

constexpr int Nine = 7, Ten = 8, Queen = 10, King = 11;

std::string WildMaskContext(int mask) {
  char text[64];
  std::snprintf(text, sizeof text, "Error calculate wild case (CheckDraw) DrawMask=%d", mask);
  return text;
}

}  // namespace

void TWildEngine::Prepare() {
  TPokerEngine::Prepare();
  ClearWildCounts();
  wildFolded_ = 0;
  emptyHoldKnown_ = false;
  CountDeckRanks();
  // The categories are ranked by the payouts of the bet being analysed, so that a wild
  // hand always pays the best category it can make under the paytable in force.
  if (Payout != nullptr && Payout->Pay != mapPay_) BuildWildTypeMap();
}

void TWildEngine::ResetDeal() {
  TPokerEngine::ResetDeal();
  BuildWildTypeMap();
}

void TWildEngine::BuildWildTypeMap() {
  mapPay_ = Payout != nullptr ? Payout->Pay : std::array<int32_t, MaxCategories>{};
  WildTypeCategory = tavrik::BuildWildTypeMap(WildTypeSets, mapPay_, LastCategory);
  // Types that need more wild cards than the deck has never count a draw.
  const int deckWild = Deck.JokerCount + (Deck.WildRank >= 0 ? 4 : 0);
  const auto wildNeeded = [](int type) {
    if (type == WILD_5) return 5;
    if (type <= WILD_4_WA) return 4;
    if (type <= WILD_FIVE_A) return 1;
    if (type <= WILD_3_FLUSH_STR_T_A) return 3;
    return type <= WILD_2_STRAIGHT_T_A ? 2 : 1;
  };
  gameWays_ = {deckWild >= 3 ? 1 : 0, deckWild >= 2 ? 1 : 0, deckWild >= 1 ? 1 : 0};
  paidTypeCount_ = 0;
  for (int type = 0; type < WildHandTypeCount; ++type) {
    const int category = WildTypeCategory[static_cast<size_t>(type)];
    if (category < 0 || wildNeeded(type) > deckWild) continue;
    paidType_[paidTypeCount_] = static_cast<uint8_t>(type);
    paidCategory_[paidTypeCount_] = static_cast<uint8_t>(category);
    ++paidTypeCount_;
  }
}

void TWildEngine::InternalCheckCombination(const THand& hand, int wild, int mask, uint32_t value) {
  WithContext("Error calculate wild case (InternalCheckCombination)", [&] {
    Require(wild == hand.WildCount, "Wild card count does not match the hand");
    RequireInRange(mask, 0, HoldMaskCount - 1, "Hold mask");
    const int type = ClassifyWildHand(hand);
    if (type >= 0) WildCounts[static_cast<size_t>(mask)][static_cast<size_t>(type)] = value;
  });
}

void TWildEngine::CheckCombination() {
  if (Hand.WildCount > 0) {
    InternalCheckCombination(Hand, Hand.WildCount, 0, 1);
  } else {
    TPokerEngine::CheckCombination();
  }
}

void TWildEngine::CheckEmpty() {
  TPokerEngine::CheckEmpty();
  WithContext("Error calculate wild case (CheckEmpty)", [&] { CountWildDrawNoNatural(31); });
}

void TWildEngine::CheckDraw(int mask) {
  TPokerEngine::CheckDraw(mask);
  CountWildDrawInContext(mask);
}

void TWildEngine::CountWildDrawInContext(int mask) {
  WithContext([&] { return WildMaskContext(mask); },
              [&] {
                Held.LoadHeld(Hand, mask);
                Calculator.Init(Held, Deck);
                CountWildDraw(mask);
              });
}

void TWildEngine::CheckDraw1(int mask) {
  TPokerEngine::CheckDraw1(mask);
  WithContext([&] { return WildMaskContext(mask); }, [&] { RecountWildSuits(mask); });
}

void TWildEngine::CheckEmpty1() {
  TPokerEngine::CheckEmpty1();
  WithContext("Error calculate wild case (CheckEmpty)", [&] { RecountWildSuits(31); });
}

void TWildEngine::SumCategories() {
  TPokerEngine::SumCategories();
  SumWildTypes();
}

void TWildEngine::ClearCounts() {
  TPokerEngine::ClearCounts();
  Calculator.InitSuits(Deck);
  WildCounts[0] = {};
  wildFolded_ = ~1u;
  emptyHoldKnown_ = false;
}

void TWildEngine::KeepRankPart() {
  TPokerEngine::KeepRankPart();
  for (int mask = 1; mask < HoldMaskCount; ++mask)
    UnfoldWildSuits(mask, rankCatCount_[static_cast<size_t>(mask)]);
}

void TWildEngine::UnfoldWildSuits(int mask, std::array<int64_t, MaxCategories>& categories) const {
  const auto& row = WildCounts[static_cast<size_t>(mask)];
  const auto& rankRow = WildRankCounts[static_cast<size_t>(mask)];
  // Suits change only the types from WILD_3 on; the paid types are in ascending order.
  for (size_t i = paidTypeCount_; i-- > 0 && paidType_[i] >= WILD_3;) {
    categories[paidCategory_[i]] += int64_t{rankRow[paidType_[i]]} - int64_t{row[paidType_[i]]};
  }
}

void TWildEngine::CountDeckRanks() {
  deckRanksByCount_ = 0;
  for (const int32_t d : Deck.RankCount) {
    RequireInRange(d, 0, 4, "Rank count");
    deckRanksByCount_ += uint64_t{1} << (8 * d);
  }
}

void TWildEngine::SumWildTypes() {
  for (int mask = 0; mask < HoldMaskCount; ++mask) {
    if (((wildFolded_ >> mask) & 1u) != 0) continue;
    const auto& counts = WildCounts[static_cast<size_t>(mask)];
    auto& categories = CatCount[static_cast<size_t>(mask)];
    for (size_t i = 0; i < paidTypeCount_; ++i)
      categories[paidCategory_[i]] += counts[paidType_[i]];
  }
  wildFolded_ = 0;
}

void TWildEngine::SetDescription(const TPokerDescription& description) {
  TPokerEngine::SetDescription(description);
  Deck.SetJokerCount(description.JokerCount);
  const int wildRank = std::max(description.WildRank, -1);
  Deck.SetWildRank(wildRank);
  Hand.SetWildRank(wildRank);
  Held.SetWildRank(wildRank);
  WildTypeSets = {};
  if (const auto* wild = dynamic_cast<const TWildPokerDescription*>(&description)) {
    for (int category = 0; category <= LastCategory; ++category)
      WildTypeSets[static_cast<size_t>(category)] = wild->WildSet[static_cast<size_t>(category)];
  }
  BuildWildTypeMap();
}

int TWildEngine::GetHandCategory() const {
  if (Hand.WildCount == 0) return TPokerEngine::GetHandCategory();
  for (int type = 0; type < WildHandTypeCount; ++type) {
    if (WildCounts[0][static_cast<size_t>(type)] == 1)
      return WildTypeCategory[static_cast<size_t>(type)];
  }
  return -1;
}

const std::vector<TDealClass>& TWildEngine::DealClasses() const {
  return WildDealClasses(Deck.WildRank, Deck.JokerCount);
}

void TWildEngine::CountWildDraw(int mask) {
  if (Held.Count == Held.WildCount) {
    CountWildDrawNoNatural(mask);
    return;
  }
  if (Deck.WildCount + Held.WildCount == 0) {
    // No final hand can hold a wild card, whatever the suits.
    WildRankCounts[static_cast<size_t>(mask)] = {};
    return;
  }
  CountWildRow(mask);
}

void TWildEngine::CountWildDrawNoNatural(int mask) {
  if (Deck.WildCount + Held.WildCount == 0) {
    WildRankCounts[static_cast<size_t>(mask)] = {};
    return;
  }
  Require(Held.Count == Held.WildCount, "Natural cards held");
  CountWildRow(mask);
}

// The final hand holds w wild cards (the Wh held and w - Wh drawn from the Wd in the deck)
// and 5 - w natural cards (the Nh held and 5 - w - Nh drawn). Each type of w = 1..3 is
// counted over the natural cards drawn, then multiplied by C(Wd, w - Wh). The natural
// part is counted by shape: groups of one rank from the rank counters, hands of distinct
// ranks split into flushes (suit counters), straights (one window of five ranks per
// hand, the window that starts at its lowest card) and the rest.
//
// The counts that hold for any suits of the same ranks (the rank part, as if no flush
// were possible) are kept in WildRankCounts; the suit part corrects them for flushes.
void TWildEngine::CountWildRow(int mask) {
  const THeldShape held = HeldCardsShape();
  TWildRow t{};
  CountWildRanks(t, held);
  const TWildWays ways = WildWays(Held.WildCount);
  auto& rankRow = WildRankCounts[static_cast<size_t>(mask)];
  auto& row = WildCounts[static_cast<size_t>(mask)];
  auto& categories = CatCount[static_cast<size_t>(mask)];
  const auto store = [&](size_t first, size_t end, int64_t times) {
    for (size_t type = first; type < end; ++type) {
      rankRow[type] = static_cast<uint32_t>(t[type] * times);
      row[type] += rankRow[type];
      const int32_t category = WildTypeCategory[type];
      if (category >= 0) categories[static_cast<size_t>(category)] += rankRow[type];
    }
  };
  store(0, WILD_3, 1);
  store(WILD_3, WILD_2, ways[0]);
  store(WILD_2, WILD_1, ways[1]);
  store(WILD_1, WildHandTypeCount, ways[2]);
  AddWildSuits(mask, held, ways, &categories);
  wildFolded_ |= 1u << mask;
}

TWildEngine::THeldShape TWildEngine::HeldCardsShape() const {
  THeldShape held;
  held.WildCount = Held.WildCount;
  held.Wild = Held.WildCount > 0;
  held.Natural = Held.Count - Held.WildCount;
  held.Distinct = Held.RankHistogram[1] == held.Natural;
  held.MinRank = Held.MinRank;
  held.MaxRank = Held.MaxRank;
  for (int i = 0; i < Held.Count; ++i) {
    const int rank = Held.CardRank[static_cast<size_t>(i)];
    if (rank < 0) continue;
    held.Ranks |= 1u << rank;
    // Different ranks in one suit: every natural card is of the suit of the first.
    if (Held.SuitHistogram[static_cast<size_t>(held.Natural)] == 1 && held.Suit < 0)
      held.Suit = Held.CardSuit[static_cast<size_t>(i)];
  }
  return held;
}

void TWildEngine::AddWildSuits(int mask, const THeldShape& held, const TWildWays& ways,
                               std::array<int64_t, MaxCategories>* categories) {
  if (!held.Distinct) return;
  TSuitChange counted{};
  if (held.Natural == 0) {
    ApplyWildSuits(mask, EmptyHoldSuits(held, false), ways, categories);
  } else if (CountWildSuits(counted, held, ways, -1)) {
    ApplyWildSuits(mask, counted, ways, categories);
  }
}

const TWildEngine::TSuitChange& TWildEngine::EmptyHoldSuits(const THeldShape& held,
                                                            bool sameRanks) {
  // The same for every hold of no natural card: counted once per deal.
  if (emptyHoldKnown_) return emptyHold_;
  emptyHoldKnown_ = true;
  if (!sameRanks) {
    emptyHold_ = {};
    CountWildSuits(emptyHold_, held, {1, 1, 1}, -1);
    return emptyHold_;
  }
  // A sum over the suits, each suit's share following from the positions dealt in it:
  // kept with what the suits change for held cards, as a hold of no natural card.
  emptyHold_ = {};
  for (int suit = 0; suit < NumSuits; ++suit) {
    const TSuitChange& share = SuitChange(held, suitPositions_[static_cast<size_t>(suit)], suit);
    for (size_t i = 0; i < emptyHold_.size(); ++i) emptyHold_[i] += share[i];
  }
  return emptyHold_;
}

const TWildEngine::TSuitChange& TWildEngine::SuitChange(const THeldShape& held, uint32_t part,
                                                        int suit) {
  if (suitCache_.empty()) suitCache_.resize(size_t{32} * 32);
  TSuitCacheEntry& entry = suitCache_[held.NaturalPositions * 32u + part];
  if (entry.Ranks != rankGroup_) {
    entry.Change = {};
    CountWildSuits(entry.Change, held, gameWays_, suit);
    entry.Ranks = rankGroup_;
  }
  return entry.Change;
}

void TWildEngine::ApplyWildSuits(int mask, const TSuitChange& change, const TWildWays& ways,
                                 std::array<int64_t, MaxCategories>* categories) {
  auto& row = WildCounts[static_cast<size_t>(mask)];
  const auto add = [&](size_t first, size_t end, int64_t times) {
    if (times == 0) return;
    for (size_t type = first; type < end; ++type) {
      const int64_t added = change[type - WILD_3] * times;
      row[type] += static_cast<uint32_t>(added);
      const int32_t category = WildTypeCategory[type];
      if (categories != nullptr && category >= 0)
        (*categories)[static_cast<size_t>(category)] += added;
    }
  };
  add(WILD_3, WILD_2, ways[0]);
  add(WILD_2, WILD_1, ways[1]);
  add(WILD_1, WildHandTypeCount, ways[2]);
}

// Only a hold of different ranks in one suit, or of no natural card, can make a flush;
// every other hold's row is its rank part.
void TWildEngine::RecountWildSuits(int mask) {
  const THeldShape held = HeldShape(mask);
  if (Deck.WildCount + held.WildCount == 0) return;  // the row is zero for any suits
  if (!held.Distinct || (held.Natural > 0 && held.Suit < 0)) return;
  auto& categories = CatCount[static_cast<size_t>(mask)];
  const TWildWays ways = WildWays(held.WildCount);
  if (held.Natural == 0) {
    ApplyWildSuits(mask, EmptyHoldSuits(held, true), ways, &categories);
  } else {
    ApplyWildSuits(mask, SuitChange(held, suitPart_[static_cast<size_t>(mask)], held.Suit), ways,
                   &categories);
  }
}

void TWildEngine::RestoreRankPart(int mask) {
  TPokerEngine::RestoreRankPart(mask);
  WildCounts[static_cast<size_t>(mask)] = WildRankCounts[static_cast<size_t>(mask)];
}

// The ways to draw the wild cards a final hand of 3, 2 and 1 wild cards holds beyond the
// held ones: C(Wd, w - Wh), 0 when more are held.
TWildEngine::TWildWays TWildEngine::WildWays(int heldWild) const {
  const int wd = Deck.WildCount, wh = heldWild;
  const auto wildWays = [&](int w) -> int64_t { return w >= wh ? Binomial(wd, w - wh) : 0; };
  return {wildWays(3), wildWays(2), wildWays(1)};
}

template <class Visit>
void TWildEngine::ForEachWindow(const THeldShape& held, Visit&& visit) const {
  const int nh = held.Natural;
  const auto ordinaryOrTop = [&](int low) {
    if (low != Deck.WildRank) visit(low, low, std::min(low + 4, Ace), low < Ten ? 1 : 2);
  };
  if (nh == 0) {
    visit(Ace, -1, 3, 0);
    for (int low = 0; low < Ace; ++low) ordinaryOrTop(low);
  } else if (((held.Ranks >> Ace) & 1u) == 0) {
    if (held.MaxRank - held.MinRank <= 4) {
      if (held.MaxRank <= 3) visit(Ace, -1, 3, 0);
      for (int low = std::max(0, held.MaxRank - 4); low <= held.MinRank; ++low) ordinaryOrTop(low);
    }
  } else if (nh >= 2 && held.MaxRank <= 3) {
    visit(Ace, -1, 3, 0);
  } else if (held.MinRank >= Ten) {
    if (nh == 1) visit(Ace, -1, 3, 0);
    for (int low = Ten; low <= std::min(held.MinRank, King); ++low) ordinaryOrTop(low);
  }
}

// Natural part of every type before the multiplication by the wild cards, for any suits
// of these ranks: the distinct-rank hands are split as if none were a flush.
void TWildEngine::CountWildRanks(TWildRow& t, const THeldShape& held) {
  auto& calc = Calculator;
  const int wd = Deck.WildCount, wh = Held.WildCount;
  const int nh = Held.Count - wh;
  const int nd = Deck.Count - wd;
  const int deckAces = Deck.RankCount[Ace];
  const auto wildWays = [&](int w) -> int64_t { return w >= wh ? Binomial(wd, w - wh) : 0; };
  const auto singles = [&](int k) -> int64_t { return k >= 0 ? calc.Singles[0][k] : 0; };

  if (nh == 0) t[WILD_5] = wildWays(5);
  if (nh <= 1 && wh <= 4) {
    const int64_t ways = wildWays(4);
    if (nh == 1) {
      t[Held.RankCount[Ace] == 1 ? WILD_4_A : WILD_4_WA] = ways;
    } else {
      t[WILD_4_A] = deckAces * ways;
      t[WILD_4_WA] = (nd - deckAces) * ways;
    }
  }

  // Natural cards drawn for one, two and three wild cards in the final hand.
  const int k1 = 4 - nh, k2 = 3 - nh, k3 = 2 - nh;
  const bool heldDistinct = Held.RankHistogram[1] == nh;
  const bool heldGroup = Held.RankHistogram[3] + Held.RankHistogram[4] > 0;
  const int heldPairs = Held.RankHistogram[2];
  const int64_t fiveWays1 = wildWays(1), fiveWays2 = wildWays(2), fiveWays3 = wildWays(3);
  int64_t pair21 = 0, pair211 = 0, trips31 = 0, fours = 0;
  // What one rank adds, with deck count d and held count h.
  const auto addRank = [&](int rank, int d, int h, int64_t times) {
    const int others = nh - h;                           // held naturals of other ranks
    const auto x = static_cast<size_t>(h == 0 ? d : 0);  // left out of the singles if fresh
    if (others == 0) {
      // Every natural card of the final hand of this rank: five of a kind with 1..3 wild
      // cards, and with one wild card the four naturals that make it.
      t[static_cast<size_t>(WILD_FIVE_2 + rank)] = fiveWays1 * Binomial(d, 4 - nh) +
                                                   fiveWays2 * Binomial(d, 3 - nh) +
                                                   fiveWays3 * Binomial(d, 2 - nh);
      fours += Binomial(d, 4 - h);
    }
    if (!heldGroup && h <= 2 && d + h >= 2 && (heldPairs == 0 || (heldPairs == 1 && h == 2))) {
      const int64_t pairWays = times * Binomial(d, 2 - h);
      if (others <= 1) pair21 += pairWays * calc.Singles[x][static_cast<size_t>(1 - others)];
      if (others <= 2) pair211 += pairWays * calc.Singles[x][static_cast<size_t>(2 - others)];
    }
    if (h <= 3 && d + h >= 3 && others <= 1)
      trips31 += times * Binomial(d, 3 - h) * calc.Singles[x][static_cast<size_t>(1 - others)];
  };
  if (nh == 0) {
    for (int rank = 0; rank < NumRanks; ++rank) {
      if (Deck.RankCount[static_cast<size_t>(rank)] > 0)
        addRank(rank, Deck.RankCount[static_cast<size_t>(rank)], 0, 1);
    }
  } else {
    // The held ranks one by one; the fresh ranks add the same for the same deck count
    // (none of them makes five of a kind while natural cards are held), so by deck count.
    // Fresh ranks per deck count, one byte each: the deck's ranks less the held ones.
    uint64_t freshByCount = deckRanksByCount_;
    unsigned seen = 0;
    for (int i = 0; i < Held.Count; ++i) {
      const int rank = Held.CardRank[static_cast<size_t>(i)];
      if (rank < 0 || ((seen >> rank) & 1u) != 0) continue;
      seen |= 1u << rank;
      const int d = Deck.RankCount[static_cast<size_t>(rank)];
      freshByCount -= uint64_t{1} << (8 * d);
      addRank(rank, d, Held.RankCount[static_cast<size_t>(rank)], 1);
    }
    for (int d = 2; d <= 4; ++d) {
      const auto ranks = static_cast<int64_t>((freshByCount >> (8 * d)) & 0xFF);
      if (ranks > 0) addRank(-1, d, 0, ranks);
    }
  }
  t[WILD_2_AND_2_1] = pair21;
  t[WILD_1_AND_2_1_1] = pair211;
  t[WILD_1_AND_3_1] = trips31;
  if (!heldGroup && k1 >= 0) {
    // Four natural cards: four of a kind, three and one, pair and two singles, four
    // singles, or two pairs, which is what is left.
    t[WILD_1_AND_2_2] =
        Binomial(nd, k1) - fours - trips31 - pair211 - (heldDistinct ? singles(k1) : 0);
  }
  if (!heldDistinct) return;

  // Straights by one and two wild cards, per kind (ace-low, ordinary, ten-to-ace).
  std::array<int64_t, 3> st1{}, st2{};
  std::array<int32_t, 6> ways{};
  ForEachWindow(held, [&](int low, int rangeLow, int rangeHigh, int kind) {
    const int h = Held.RankCount[static_cast<size_t>(low)];
    const int64_t lowWays = h > 0 ? 1 : Deck.RankCount[static_cast<size_t>(low)];
    if (lowWays == 0) return;
    const int m = nh - h;  // held naturals among the upper ranks
    calc.CalcSingleRange(rangeLow, rangeHigh, ways);
    if (m <= 3) st1[static_cast<size_t>(kind)] += lowWays * ways[static_cast<size_t>(3 - m)];
    if (m <= 2) st2[static_cast<size_t>(kind)] += lowWays * ways[static_cast<size_t>(2 - m)];
  });
  for (size_t kind = 0; kind < 3; ++kind) {
    t[WILD_2_STRAIGHT_A_5 + kind] = st2[kind];
    t[WILD_1_STRAIGHT_A_5 + kind] = st1[kind];
  }
  t[WILD_3] = singles(k3);
  t[WILD_2] = singles(k2) - st2[0] - st2[1] - st2[2];
  const int64_t rest = singles(k1) - st1[0] - st1[1] - st1[2];

  // Of the rest with one wild card, those with a king or an ace pair it.
  int64_t kings = 0;
  if (Held.RankCount[King] + Held.RankCount[Ace] > 0) {
    kings = rest;
  } else if (k1 >= 1) {
    const auto k = static_cast<size_t>(k1 - 1);
    // A drawn ace with other cards 2..K, less the ten-to-ace and ace-low straights.
    calc.CalcSingleRange(-1, King, ways);
    int64_t aces = ways[k];
    if (Held.MinRank >= Ten) {
      calc.CalcSingleRange(Nine, King, ways);
      aces -= ways[k];
    }
    // A drawn king with other cards 2..Q, less the straights 9..K and 10..K.
    calc.CalcSingleRange(-1, Queen, ways);
    int64_t kingsNoAce = ways[k];
    if (Held.MinRank >= Nine) {
      calc.CalcSingleRange(Nine - 1, Queen, ways);
      kingsNoAce -= ways[k];
    }
    kings = aces * deckAces - st1[0] + kingsNoAce * Deck.RankCount[King];
  }
  t[WILD_1_KINGS] = kings;
  t[WILD_1] = rest - kings;
}

// The change that suits make to the rank part when the held naturals have distinct ranks:
// the flushes (of the held suit, or of any suit when nothing natural is held) leave the
// plain types for the flush and straight-flush types. False when no flush is possible.
bool TWildEngine::CountWildSuits(TSuitChange& t, const THeldShape& held, const TWildWays& needed,
                                 int onlySuit) {
  const auto& calc = Calculator;
  const int nh = held.Natural;
  const int k1 = 4 - nh, k2 = 3 - nh, k3 = 2 - nh;
  int firstSuit = 0, lastSuit = NumSuits - 1;
  if (nh > 0) {
    if (held.Suit < 0) return false;
    firstSuit = lastSuit = held.Suit;
  } else if (onlySuit >= 0) {
    firstSuit = lastSuit = onlySuit;
  }
  const auto isHeld = [&](int rank) { return ((held.Ranks >> rank) & 1u) != 0; };
  const bool need3 = needed[0] != 0, need2 = needed[1] != 0, need1 = needed[2] != 0;
  int64_t flush1 = 0, flush2 = 0, flush3 = 0;
  for (int suit = firstSuit; suit <= lastSuit; ++suit) {
    const int n = Deck.SuitCount[static_cast<size_t>(suit)];
    if (need1) flush1 += Binomial(n, k1);
    if (need2) flush2 += Binomial(n, k2);
    if (need3) flush3 += Binomial(n, k3);
  }

  // Straight flushes by one, two and three wild cards, per kind.
  std::array<int64_t, 3> sf1{}, sf2{}, sf3{};
  ForEachWindow(held, [&](int low, int rangeLow, int rangeHigh, int kind) {
    const int h = isHeld(low) ? 1 : 0;
    const int m = nh - h;
    for (int suit = firstSuit; suit <= lastSuit; ++suit) {
      if (h == 0 && Deck.RankSuitCount[static_cast<size_t>(low)][static_cast<size_t>(suit)] == 0)
        continue;
      const int v = calc.SuitRangeInRange(suit, rangeLow, rangeHigh);
      if (need1) sf1[static_cast<size_t>(kind)] += Binomial(v, 3 - m);
      if (need2) sf2[static_cast<size_t>(kind)] += Binomial(v, 2 - m);
      if (need3) sf3[static_cast<size_t>(kind)] += Binomial(v, 1 - m);
    }
  });
  int64_t sf1Sum = 0, sf2Sum = 0, sf3Sum = 0;
  for (size_t kind = 0; kind < 3; ++kind) {
    t[WILD_3_FLUSH_STR_A_5 - WILD_3 + kind] = sf3[kind];
    t[WILD_2_FLUSH_STR_A_5 - WILD_3 + kind] = sf2[kind];
    t[WILD_1_FLUSH_STR_A_5 - WILD_3 + kind] = sf1[kind];
    t[WILD_2_STRAIGHT_A_5 - WILD_3 + kind] = -sf2[kind];
    t[WILD_1_STRAIGHT_A_5 - WILD_3 + kind] = -sf1[kind];
    sf1Sum += sf1[kind];
    sf2Sum += sf2[kind];
    sf3Sum += sf3[kind];
  }
  t[WILD_3_FLUSH - WILD_3] = flush3 - sf3Sum;
  t[WILD_2_FLUSH - WILD_3] = flush2 - sf2Sum;
  t[WILD_1_FLUSH - WILD_3] = flush1 - sf1Sum;
  t[0] = -flush3;  // WILD_3
  t[WILD_2 - WILD_3] = -flush2 + sf2Sum;
  const int64_t rest = -flush1 + sf1Sum;

  int64_t kings = 0;
  if (isHeld(King) || isHeld(Ace)) {
    kings = rest;
  } else if (k1 >= 1 && need1) {
    const int k = k1 - 1;
    // The ace-low straight flushes leave the ace part with the flushes: they are no longer
    // among the plain ace-low straights taken out of it.
    kings = sf1[0];
    for (int suit = firstSuit; suit <= lastSuit; ++suit) {
      const auto s = static_cast<size_t>(suit);
      const int aceHere = Deck.RankSuitCount[Ace][s];
      const int n = Deck.SuitCount[s];
      // Flushes with the drawn ace of this suit, and with its king but no ace; the straight
      // flushes among them already left with the straights.
      if (aceHere > 0) {
        kings -= Binomial(n - 1, k);
        if (held.MinRank >= Ten) kings += Binomial(calc.SuitRangeInRange(suit, Nine, King), k);
      }
      if (Deck.RankSuitCount[King][s] > 0) {
        kings -= Binomial(n - 1 - aceHere, k);
        if (held.MinRank >= Nine)
          kings += Binomial(calc.SuitRangeInRange(suit, Nine - 1, Queen), k);
      }
    }
  }
  t[WILD_1_KINGS - WILD_3] = kings;
  t[WILD_1 - WILD_3] = rest - kings;
  return true;
}

std::unique_ptr<TPokerEngine> CreateEngine(const TPokerDescription& description) {
  std::unique_ptr<TPokerEngine> engine;
  if (description.IsNatural()) {
    engine = std::make_unique<TPokerEngine>();
  } else {
    engine = std::make_unique<TWildEngine>();
  }
  engine->SetDescription(description);
  return engine;
}

std::unique_ptr<TPokerEngine> CreateEngineForGame(int gameIndex) {
  return CreateEngine(*CreateDescription(gameIndex));
}

}  // namespace tavrik
