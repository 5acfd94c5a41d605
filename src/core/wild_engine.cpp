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
  // The categories are ranked by the payouts of the bet being analysed, so that a wild
  // hand always pays the best category it can make under the paytable in force.
  if (Payout != nullptr) BuildWildTypeMap();
}

void TWildEngine::ResetDeal() {
  TPokerEngine::ResetDeal();
  BuildWildTypeMap();
}

void TWildEngine::BuildWildTypeMap() {
  const std::array<int32_t, MaxCategories> noPay{};
  WildTypeCategory =
      tavrik::BuildWildTypeMap(WildTypeSets, Payout != nullptr ? Payout->Pay : noPay, LastCategory);
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
  WithContext([&] { return WildMaskContext(mask); }, [&] { CountWildDraw(mask); });
}

void TWildEngine::CheckDraw1(int mask) {
  TPokerEngine::CheckDraw1(mask);
  WildCounts[static_cast<size_t>(mask)] = {};
  WithContext([&] { return WildMaskContext(mask); },
              [&] {
                Calculator.Init(Held, Deck);
                CountWildDraw(mask);
              });
}

void TWildEngine::CheckEmpty1() {
  TPokerEngine::CheckEmpty1();
  WildCounts[31] = {};
  WithContext("Error calculate wild case (CheckEmpty)", [&] {
    Held.LoadHeld(Hand, 31);
    Calculator.Init(Held, Deck);
    CountWildDrawNoNatural(31);
  });
}

void TWildEngine::SumCategories() {
  TPokerEngine::SumCategories();
  SumWildTypes();
}

void TWildEngine::ResumStraightsFlushes() {
  // Every category of a wild game may hold wild counts, so the categories are folded anew
  // from both tables rather than corrected for the seven natural straight and flush types.
  CatCount = {};
  TPokerEngine::SumCategories();
  SumWildTypes();
}

void TWildEngine::ClearCounts() {
  TPokerEngine::ClearCounts();
  Calculator.InitSuits(Deck);
  ClearWildCounts();
}

void TWildEngine::SumWildTypes() {
  for (int type = 0; type < WildHandTypeCount; ++type) {
    const int category = WildTypeCategory[static_cast<size_t>(type)];
    if (category < 0) continue;
    for (int mask = 0; mask < HoldMaskCount; ++mask) {
      CatCount[static_cast<size_t>(mask)][static_cast<size_t>(category)] +=
          WildCounts[static_cast<size_t>(mask)][static_cast<size_t>(type)];
    }
  }
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

int TWildEngine::GetHandClassCount() const {
  return static_cast<int>(WildDealClasses(Deck.WildRank, Deck.JokerCount).size());
}

void TWildEngine::Check1(const TDealClass& deal) {
  Check(deal);
}

void TWildEngine::RunPermutations() {
  WithContext("Error calculate natural case (RunPermutations)", [&] {
    Require(Payout != nullptr, "No paytable attached");
    Payout->Reset();
    NewDeal();
    ProgressCounter = 0;
    for (const TDealClass& deal : WildDealClasses(Deck.WildRank, Deck.JokerCount)) Check(deal);
  });
}

std::string TWildEngine::ReportDraw(int mask) {
  std::array<int64_t, NaturalHandTypeCount> natural{};
  std::array<int64_t, WildHandTypeCount> wild{};
  ForEachDraw(mask, [&](const THand& final) {
    if (final.WildCount > 0) {
      ++wild[static_cast<size_t>(ClassifyWildHand(final))];
    } else {
      const int type = ClassifyNaturalHand(final);
      if (type >= 0) ++natural[static_cast<size_t>(type)];
    }
  });
  std::string report = ReportDifferences(mask, natural);
  for (int type = 0; type < WildHandTypeCount; ++type) {
    const int64_t counted = WildCounts[static_cast<size_t>(mask)][static_cast<size_t>(type)];
    if (wild[static_cast<size_t>(type)] == counted) continue;
    char line[128];
    std::snprintf(line, sizeof line, "%-20s listed %lld counted %lld\n",
                  std::string(WildHandTypeNames[static_cast<size_t>(type)]).c_str(),
                  static_cast<long long>(wild[static_cast<size_t>(type)]),
                  static_cast<long long>(counted));
    report += line;
  }
  return report;
}

void TWildEngine::CountWildDraw(int mask) {
  if (Deck.WildCount + Held.WildCount == 0) return;  // no final hand can hold a wild card
  if (Held.Count == Held.WildCount) {
    CountWildDrawNoNatural(mask);
    return;
  }
  CountWildRow(mask);
}

void TWildEngine::CountWildDrawNoNatural(int mask) {
  if (Deck.WildCount + Held.WildCount == 0) return;
  Require(Held.Count == Held.WildCount, "Natural cards held");
  CountWildRow(mask);
}

// The final hand holds w wild cards (the Wh held and w - Wh drawn from the Wd in the deck)
// and 5 - w natural cards (the Nh held and 5 - w - Nh drawn). Each type of w = 1..3 is
// counted over the natural cards drawn, then multiplied by C(Wd, w - Wh). The natural
// part is counted by shape: groups of one rank from the rank counters, hands of distinct
// ranks split into flushes (suit counters), straights (one window of five ranks per
// hand, the window that starts at its lowest card) and the rest.
void TWildEngine::CountWildRow(int mask) {
  auto& calc = Calculator;
  const int wd = Deck.WildCount, wh = Held.WildCount;
  const int nh = Held.Count - wh;
  const int nd = Deck.Count - wd;
  const int deckAces = Deck.RankCount[Ace];
  const auto wildWays = [&](int w) -> int64_t { return w >= wh ? Binomial(wd, w - wh) : 0; };
  const auto singles = [&](int k) -> int64_t { return k >= 0 ? calc.Singles[0][k] : 0; };
  std::array<int64_t, WildHandTypeCount> t{};

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
  const int k1 = 4 - nh;
  const bool heldDistinct = Held.RankHistogram[1] == nh;
  const bool heldGroup = Held.RankHistogram[3] + Held.RankHistogram[4] > 0;
  const int heldPairs = Held.RankHistogram[2];
  int64_t pair21 = 0, pair211 = 0, trips31 = 0, fours = 0;
  for (int rank = 0; rank < NumRanks; ++rank) {
    const int d = Deck.RankCount[rank];
    const int h = Held.RankCount[rank];
    if (d + h == 0) continue;      // includes the wild rank
    const int others = nh - h;     // held naturals of other ranks
    const int x = h == 0 ? d : 0;  // this rank left out of the singles when it is fresh
    if (others == 0) {
      // Every natural card of the final hand of this rank: five of a kind with 1..3 wild
      // cards, and with one wild card the four naturals that make it.
      int64_t five = 0;
      for (int w = 1; w <= 3; ++w) five += wildWays(w) * Binomial(d, 5 - w - nh);
      t[static_cast<size_t>(WILD_FIVE_2 + rank)] = five;
      fours += Binomial(d, 4 - h);
    }
    if (!heldGroup && h <= 2 && d + h >= 2 && (heldPairs == 0 || (heldPairs == 1 && h == 2))) {
      const int64_t pairWays = Binomial(d, 2 - h);
      if (others <= 1) pair21 += pairWays * calc.Singles[static_cast<size_t>(x)][1 - others];
      if (others <= 2) pair211 += pairWays * calc.Singles[static_cast<size_t>(x)][2 - others];
    }
    if (h <= 3 && d + h >= 3 && others <= 1)
      trips31 += Binomial(d, 3 - h) * calc.Singles[static_cast<size_t>(x)][1 - others];
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

  if (heldDistinct) CountWildDistinct(t);

  for (int type = WILD_3; type <= WILD_3_FLUSH_STR_T_A; ++type) t[type] *= wildWays(3);
  for (int type = WILD_2; type <= WILD_2_STRAIGHT_T_A; ++type) t[type] *= wildWays(2);
  for (int type = WILD_1; type <= WILD_1_KINGS; ++type) t[type] *= wildWays(1);
  auto& row = WildCounts[static_cast<size_t>(mask)];
  for (size_t type = 0; type < row.size(); ++type) row[type] += static_cast<uint32_t>(t[type]);
}

// The natural cards held have different ranks: the final natural cards of different ranks
// are flushes (of the held suit, or of any suit when nothing natural is held), straights,
// or neither; with one wild card the last split kings-or-aces from the rest.
void TWildEngine::CountWildDistinct(std::array<int64_t, WildHandTypeCount>& t) {
  auto& calc = Calculator;
  const int nh = Held.Count - Held.WildCount;
  const int k1 = 4 - nh, k2 = 3 - nh, k3 = 2 - nh;
  const auto singles = [&](int k) -> int64_t { return k >= 0 ? calc.Singles[0][k] : 0; };

  int firstSuit = 0, lastSuit = NumSuits - 1;
  bool flushPossible = true;
  if (nh > 0) {
    flushPossible = Held.SuitHistogram[static_cast<size_t>(nh)] == 1;
    for (int i = 0; i < Held.Count; ++i) {
      if (Held.CardRank[static_cast<size_t>(i)] >= 0) {
        firstSuit = lastSuit = Held.CardSuit[static_cast<size_t>(i)];
        break;
      }
    }
  }
  int64_t flush1 = 0, flush2 = 0, flush3 = 0;
  if (flushPossible) {
    for (int suit = firstSuit; suit <= lastSuit; ++suit) {
      const int n = Deck.SuitCount[static_cast<size_t>(suit)];
      flush1 += Binomial(n, k1);
      flush2 += Binomial(n, k2);
      flush3 += Binomial(n, k3);
    }
  }

  // Straight flushes by one, two and three wild cards and plain straights by one and two,
  // per kind (ace-low, ordinary, ten-to-ace).
  std::array<int64_t, 3> sf1{}, sf2{}, sf3{}, st1{}, st2{};
  std::array<int32_t, 6> ways{};
  // The window whose lowest rank is `low` (the ace for the ace-low window) and whose other
  // ranks are rangeLow+1..rangeHigh. The held naturals lie in it by the caller's choice.
  const auto window = [&](int low, int rangeLow, int rangeHigh, size_t kind) {
    const int h = Held.RankCount[static_cast<size_t>(low)];
    const int64_t lowWays = h > 0 ? 1 : Deck.RankCount[static_cast<size_t>(low)];
    if (lowWays == 0) return;
    const int m = nh - h;  // held naturals among the upper ranks
    calc.CalcSingleRange(rangeLow, rangeHigh, ways);
    int64_t s1 = 0, s2 = 0, s3 = 0;
    if (flushPossible) {
      for (int suit = firstSuit; suit <= lastSuit; ++suit) {
        if (h == 0 && Deck.RankSuitCount[static_cast<size_t>(low)][static_cast<size_t>(suit)] == 0)
          continue;
        const int v = calc.SuitRange(suit, rangeLow, rangeHigh);
        s1 += Binomial(v, 3 - m);
        s2 += Binomial(v, 2 - m);
        s3 += Binomial(v, 1 - m);
      }
    }
    sf1[kind] += s1;
    sf2[kind] += s2;
    sf3[kind] += s3;
    if (m <= 3) st1[kind] += lowWays * ways[static_cast<size_t>(3 - m)] - s1;
    if (m <= 2) st2[kind] += lowWays * ways[static_cast<size_t>(2 - m)] - s2;
  };
  const auto ordinaryOrTop = [&](int low) {
    if (low != Deck.WildRank) window(low, low, std::min(low + 4, Ace), low < Ten ? 1 : 2);
  };
  const bool heldAce = Held.RankCount[Ace] > 0;
  if (nh == 0) {
    window(Ace, -1, 3, 0);
    for (int low = 0; low < Ace; ++low) ordinaryOrTop(low);
  } else if (!heldAce) {
    if (Held.MaxRank - Held.MinRank <= 4) {
      if (Held.MaxRank <= 3) window(Ace, -1, 3, 0);
      for (int low = std::max(0, Held.MaxRank - 4); low <= Held.MinRank; ++low) ordinaryOrTop(low);
    }
  } else if (nh >= 2 && Held.MaxRank <= 3) {
    window(Ace, -1, 3, 0);
  } else if (Held.MinRank >= Ten) {
    if (nh == 1) window(Ace, -1, 3, 0);
    for (int low = Ten; low <= std::min(Held.MinRank, King); ++low) ordinaryOrTop(low);
  }

  int64_t sf1Sum = 0, sf2Sum = 0, sf3Sum = 0, st1Sum = 0, st2Sum = 0;
  for (size_t kind = 0; kind < 3; ++kind) {
    t[WILD_3_FLUSH_STR_A_5 + kind] = sf3[kind];
    t[WILD_2_FLUSH_STR_A_5 + kind] = sf2[kind];
    t[WILD_1_FLUSH_STR_A_5 + kind] = sf1[kind];
    t[WILD_2_STRAIGHT_A_5 + kind] = st2[kind];
    t[WILD_1_STRAIGHT_A_5 + kind] = st1[kind];
    sf1Sum += sf1[kind];
    sf2Sum += sf2[kind];
    sf3Sum += sf3[kind];
    st1Sum += st1[kind];
    st2Sum += st2[kind];
  }
  t[WILD_3_FLUSH] = flush3 - sf3Sum;
  t[WILD_2_FLUSH] = flush2 - sf2Sum;
  t[WILD_1_FLUSH] = flush1 - sf1Sum;
  t[WILD_3] = singles(k3) - flush3;
  t[WILD_2] = singles(k2) - flush2 - st2Sum;
  const int64_t rest = singles(k1) - flush1 - st1Sum;

  // Of the rest with one wild card, those with a king or an ace pair it.
  int64_t kings = 0;
  if (Held.RankCount[King] + Held.RankCount[Ace] > 0) {
    kings = rest;
  } else if (k1 >= 1) {
    const size_t k = static_cast<size_t>(k1 - 1);
    const int k0 = k1 - 1;
    const bool heldFromTen = Held.MinRank >= Ten, heldFromNine = Held.MinRank >= Nine;
    // A drawn ace with other cards 2..K, less the ten-to-ace straights and the ace-low
    // straights (the ace-low straight flushes leave with the flushes below).
    calc.CalcSingleRange(-1, King, ways);
    int64_t aces = ways[k];
    if (heldFromTen) {
      calc.CalcSingleRange(Nine, King, ways);
      aces -= ways[k];
    }
    aces = aces * Deck.RankCount[Ace] - st1[0];
    // A drawn king with other cards 2..Q, less the straights 9..K and 10..K.
    calc.CalcSingleRange(-1, Queen, ways);
    int64_t kingsNoAce = ways[k];
    if (heldFromNine) {
      calc.CalcSingleRange(Nine - 1, Queen, ways);
      kingsNoAce -= ways[k];
    }
    kingsNoAce *= Deck.RankCount[King];
    if (flushPossible) {
      for (int suit = firstSuit; suit <= lastSuit; ++suit) {
        const auto s = static_cast<size_t>(suit);
        const int aceHere = Deck.RankSuitCount[Ace][s];
        const int n = Deck.SuitCount[s];
        if (aceHere > 0) {
          aces -= Binomial(n - 1, k0);
          if (heldFromTen) aces += Binomial(calc.SuitRange(suit, Nine, King), k0);
        }
        if (Deck.RankSuitCount[King][s] > 0) {
          kingsNoAce -= Binomial(n - 1 - aceHere, k0);
          if (heldFromNine) kingsNoAce += Binomial(calc.SuitRange(suit, Nine - 1, Queen), k0);
        }
      }
    }
    kings = aces + kingsNoAce;
  }
  t[WILD_1_KINGS] = kings;
  t[WILD_1] = rest - kings;
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
