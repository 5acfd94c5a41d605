#pragma once

#include <array>
#include <cstdint>
#include <cstdio>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "core/wild_engine.h"
#include "support/engine_fixture.h"
#include "support/reference_evaluator.h"

namespace tavrik::test {

// Calls `visit` with the final hand of every draw of `mask` from engine.Deck (its wild
// cards as separate cards), the held cards of engine.Hand in table order first.
template <class Visit>
void ForEachDraw(const TPokerEngine& engine, int mask, Visit&& visit) {
  std::vector<TCard> cards;
  for (int rank = 0; rank < NumRanks; ++rank) {
    for (int suit = 0; suit < NumSuits; ++suit) {
      for (int i = 0; i < engine.Deck.RankSuitCount[rank][suit]; ++i) cards.push_back({rank, suit});
    }
  }
  for (int i = 0; i < engine.Deck.WildCount; ++i) cards.push_back(TCard{});
  THand held;
  held.SetWildRank(engine.Deck.WildRank);
  held.LoadHeld(engine.Hand, mask);
  const auto step = [&](auto&& self, const THand& current, size_t from) -> void {
    if (current.Count == 5) {
      visit(current);
      return;
    }
    for (size_t i = from; i < cards.size(); ++i) {
      THand next = current;
      next.AddCard(cards[i].Rank, cards[i].Suit);
      self(self, next, i + 1);
    }
  };
  step(step, held, 0);
}

// Every draw of one hold counted by listing it: natural final hands typed by the tests' own
// evaluator, those with a wild card by the wild classifier.
struct TListedDraws {
  std::array<int64_t, NaturalHandTypeCount> Natural{};
  std::array<int64_t, WildHandTypeCount> Wild{};
  int64_t Draws = 0;
  int64_t WildWithoutType = 0;  // final hands with a wild card the classifier left untyped
};

inline TListedDraws ListDraws(const TPokerEngine& engine, int mask) {
  TListedDraws listed;
  ForEachDraw(engine, mask, [&](const THand& final) {
    ++listed.Draws;
    const bool wild = final.WildCount > 0;
    const int type = wild ? ClassifyWildHand(final) : ReferenceType(final.CardRank, final.CardSuit);
    if (wild) {
      ++(type >= 0 ? listed.Wild[type] : listed.WildWithoutType);
    } else if (type >= 0) {
      ++listed.Natural[type];
    }
  });
  return listed;
}

using TListedHolds = std::array<TListedDraws, HoldMaskCount>;

inline TListedHolds ListEveryHold(const TPokerEngine& engine) {
  TListedHolds listed;
  for (int mask = 0; mask < HoldMaskCount; ++mask) listed[mask] = ListDraws(engine, mask);
  return listed;
}

// Lines "<type padded to 20> listed <n> counted <m>" for every natural type (and wild type,
// for a wild engine) whose listed number of draws of `mask` differs from the engine's
// count after an analysis; empty when all agree.
inline std::string ReportDifferences(const TPokerEngine& engine, int mask,
                                     const TListedDraws& listed) {
  const auto* wild = dynamic_cast<const TWildEngine*>(&engine);
  std::string report;
  const auto compare = [&](std::string_view name, int64_t listedCount, int64_t counted) {
    if (listedCount == counted) return;
    char line[128];
    std::snprintf(line, sizeof line, "%-20s listed %lld counted %lld\n", std::string(name).c_str(),
                  static_cast<long long>(listedCount), static_cast<long long>(counted));
    report += line;
  };
  for (size_t type = 0; type < NaturalHandTypeCount; ++type)
    compare(NaturalHandTypeNames[type], listed.Natural[type], engine.Count[mask][type]);
  for (size_t type = 0; type < WildHandTypeCount; ++type)
    compare(WildHandTypeNames[type], listed.Wild[type], wild ? wild->WildCounts[mask][type] : 0);
  return report;
}

// Every count of every hold of the deal `f` analysed last against the listed draws: the fine
// types, the draws, and each category, natural types placed by the game's own sets and wild
// types by the engine's map.
inline void ExpectListedCounts(TEngineFixture& f, const TListedHolds& listed) {
  const TPokerEngine& engine = f.engine;
  const auto* wild = dynamic_cast<const TWildEngine*>(&engine);
  for (int mask = 0; mask < HoldMaskCount; ++mask) {
    const TListedDraws& draws = listed[mask];
    ASSERT_EQ(draws.Draws, engine.DrawCount(mask));
    ASSERT_EQ(draws.WildWithoutType, 0);
    ASSERT_EQ(ReportDifferences(engine, mask, draws), "") << "mask " << mask;
    int64_t paying = 0;
    for (int c = 0; c <= engine.LastCategory; ++c) {
      int64_t expected = 0;
      for (int type = 0; type < NaturalHandTypeCount; ++type) {
        if (f.description->NaturalSet[c].Has(type)) expected += draws.Natural[type];
      }
      for (int type = 0; wild != nullptr && type < WildHandTypeCount; ++type) {
        if (wild->WildTypeCategory[type] == c) expected += draws.Wild[type];
      }
      ASSERT_EQ(engine.GetCategoryCount(c, mask), expected)
          << f.description->Name << " mask " << mask << " category " << c;
      paying += expected;
    }
    ASSERT_EQ(engine.GetCategoryCount(engine.LastCategory + 1, mask), draws.Draws - paying);
  }
}

}  // namespace tavrik::test
