#pragma once

#include <array>
#include <cstdint>
#include <cstdio>
#include <string>
#include <vector>

#include "core/wild_engine.h"

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

// Every draw of one hold counted by listing it, each final hand classified by the
// classifier of its kind.
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
    const int type = wild ? ClassifyWildHand(final) : ClassifyNaturalHand(final);
    if (wild) {
      ++(type >= 0 ? listed.Wild[type] : listed.WildWithoutType);
    } else if (type >= 0) {
      ++listed.Natural[type];
    }
  });
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
  const auto row = mask;
  for (size_t type = 0; type < NaturalHandTypeCount; ++type)
    compare(NaturalHandTypeNames[type], listed.Natural[type], engine.Count[row][type]);
  for (size_t type = 0; type < WildHandTypeCount; ++type)
    compare(WildHandTypeNames[type], listed.Wild[type], wild ? wild->WildCounts[row][type] : 0);
  return report;
}

inline std::string ReportDraw(const TPokerEngine& engine, int mask) {
  return ReportDifferences(engine, mask, ListDraws(engine, mask));
}

}  // namespace tavrik::test
