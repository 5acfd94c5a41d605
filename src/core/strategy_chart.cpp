#include "core/strategy_chart.h"

#include <algorithm>
#include <cstddef>
#include <exception>
#include <numeric>
#include <thread>
#include <unordered_map>

#include "core/deal_classes.h"
#include "core/error.h"
#include "core/wild_engine.h"

namespace tavrik {

namespace {

// What one engine learnt from its share of the deals: per deal, its weight, the pattern of
// its best hold and, for every pattern it offers, the best expected coins of a hold of it.
// Patterns are numbered in order of first sight.
struct TDealTable {
  std::vector<THoldPattern> Patterns;
  std::unordered_map<uint64_t, uint32_t> Ids;  // by THoldPattern::Code
  std::vector<uint32_t> Start{0};              // deal d: entries Start[d] .. Start[d + 1]
  std::vector<uint32_t> Pattern;
  std::vector<double> Coins;
  std::vector<int64_t> Weight;
  std::vector<uint32_t> Best;
  long double PerfectCoins = 0;  // sum of weight times the best hold's coins

  uint32_t IdOf(const THoldPattern& pattern) {
    const auto [it, added] =
        Ids.try_emplace(pattern.Code(), static_cast<uint32_t>(Patterns.size()));
    if (added) Patterns.push_back(pattern);
    return it->second;
  }
  size_t Deals() const { return Weight.size(); }
};

// Analyses every sliceCount-th group of deal classes of the same ranks, starting with
// `slice`, as the whole-game computation does.
void CollectSlice(const TPokerDescription& game, const TPaytable& table, int bet, int slice,
                  int sliceCount, TDealTable& out) {
  const auto engine = CreateEngine(game);
  TPayout payout;
  engine->SetPayout(&payout);
  payout.SetPay(table, bet);
  const THoldClassifier classifier(game);
  const auto& classes = game.IsNatural()
                            ? NaturalDealClasses()
                            : WildDealClasses(engine->Deck.WildRank, engine->Deck.JokerCount);
  engine->NewDeal();
  int group = -1;
  bool mine = false;
  std::array<uint32_t, HoldMaskCount> seen{};
  std::array<double, HoldMaskCount> coins{};
  for (const TDealClass& deal : classes) {
    if (deal.NewRanks) mine = ++group % sliceCount == slice;
    if (!mine) continue;
    std::array<TCard, 5> cards;
    engine->Hand.Clear();
    for (size_t i = 0; i < 5; ++i) {
      cards[i] = {deal.Rank[i], deal.Suit[i]};
      engine->Hand.AddCard(deal.Rank[i], deal.Suit[i]);
      engine->Deck.Remove(deal.Rank[i], deal.Suit[i]);
    }
    const int best = deal.NewRanks ? engine->GetTheBest() : engine->GetTheBest1();
    size_t offered = 0;
    for (int mask = 0; mask < HoldMaskCount; ++mask) {
      const uint32_t id = out.IdOf(classifier.Classify(cards, mask));
      const auto value = static_cast<double>(engine->DrawReturn(mask));
      if (mask == best) out.Best.push_back(id);
      const auto at =
          static_cast<size_t>(std::find(seen.begin(), seen.begin() + offered, id) - seen.begin());
      if (at == offered) {
        seen[offered] = id;
        coins[offered++] = value;
      } else {
        coins[at] = std::max(coins[at], value);
      }
    }
    for (size_t k = 0; k < offered; ++k) {
      out.Pattern.push_back(seen[k]);
      out.Coins.push_back(coins[k]);
    }
    out.Start.push_back(static_cast<uint32_t>(out.Pattern.size()));
    out.Weight.push_back(deal.Weight);
    out.PerfectCoins += static_cast<long double>(engine->DrawReturn(best)) * deal.Weight;
    for (size_t i = 0; i < 5; ++i) engine->Deck.Add(deal.Rank[i], deal.Suit[i]);
  }
}

}  // namespace

TStrategyChart DeriveStrategyChart(int gameIndex, const TPaytable& table, int bet, int threads) {
  return WithContext("Error deriving the strategy chart", [&] {
    RequireInRange(gameIndex, 0, GameCount - 1, "Game index");
    RequireInRange(bet, 1, MaxCoins, "Bet");
    RequireInRange(threads, 1, 1 << 10, "Thread count");
    const auto game = CreateDescription(gameIndex);
    const THoldClassifier classifier(*game);

    const auto count = static_cast<size_t>(threads);
    std::vector<TDealTable> parts(count);
    std::vector<std::exception_ptr> failures(count);
    {
      std::vector<std::jthread> workers;
      for (size_t t = 0; t < count; ++t) {
        workers.emplace_back([&, t] {
          try {
            CollectSlice(*game, table, bet, static_cast<int>(t), threads, parts[t]);
          } catch (...) {
            failures[t] = std::current_exception();
          }
        });
      }
    }
    for (const auto& failure : failures) {
      if (failure) std::rethrow_exception(failure);
    }

    // One numbering of the patterns over all parts.
    TDealTable all;
    std::vector<std::vector<uint32_t>> renumber(count);
    for (size_t t = 0; t < count; ++t) {
      for (const THoldPattern& pattern : parts[t].Patterns)
        renumber[t].push_back(all.IdOf(pattern));
    }
    const size_t patterns = all.Patterns.size();

    TStrategyChart chart;
    chart.GameIndex = gameIndex;
    chart.Name = game->Name;
    chart.Bet = bet;
    long double totalWeight = 0;
    std::vector<long double> bestWeight(patterns, 0), offeredWeight(patterns, 0);
    std::vector<long double> bestCoins(patterns, 0);  // weight times coins where it is best
    // beats[a * patterns + b]: weight of the deals offering a and b whose best is a.
    std::vector<long double> beats(patterns * patterns, 0);
    for (size_t t = 0; t < count; ++t) {
      const TDealTable& part = parts[t];
      chart.Classes += static_cast<int64_t>(part.Deals());
      chart.PerfectReturn += part.PerfectCoins;
      for (size_t d = 0; d < part.Deals(); ++d) {
        const auto w = static_cast<long double>(part.Weight[d]);
        const uint32_t best = renumber[t][part.Best[d]];
        totalWeight += w;
        bestWeight[best] += w;
        for (uint32_t e = part.Start[d]; e < part.Start[d + 1]; ++e) {
          const uint32_t p = renumber[t][part.Pattern[e]];
          offeredWeight[p] += w;
          if (p != best) beats[best * patterns + p] += w;
          if (p == best) bestCoins[best] += w * part.Coins[e];
        }
      }
    }
    chart.PerfectReturn /= totalWeight * bet;

    // The lines: every pattern that is the best hold of some deal. Each next line is one
    // that no line left beats; where every one is beaten (the majorities go round in a
    // circle), the one beaten by the least weight. Of equal candidates (patterns no deal
    // offers together, like a full house and a straight) the one whose deals pay more.
    std::vector<uint32_t> left, order;
    for (uint32_t p = 0; p < patterns; ++p) {
      if (bestWeight[p] > 0) left.push_back(p);
    }
    while (!left.empty()) {
      size_t pick = 0;
      long double pickDefeat = 0, pickPays = 0;
      for (size_t i = 0; i < left.size(); ++i) {
        long double defeat = 0;
        for (const uint32_t b : left) {
          defeat += std::max<long double>(
              0, beats[b * patterns + left[i]] - beats[left[i] * patterns + b]);
        }
        const long double pays = bestCoins[left[i]] / bestWeight[left[i]];
        if (i == 0 || defeat < pickDefeat || (defeat == pickDefeat && pays > pickPays)) {
          pick = i;
          pickDefeat = defeat;
          pickPays = pays;
        }
      }
      order.push_back(left[pick]);
      left.erase(left.begin() + static_cast<std::ptrdiff_t>(pick));
    }

    // Playing by the chart, and how often each line's place is right.
    constexpr size_t Unranked = ~size_t{0};
    std::vector<size_t> place(patterns, Unranked);
    for (size_t i = 0; i < order.size(); ++i) place[order[i]] = i;
    std::vector<long double> holds(patterns, 0);
    long double chartCoins = 0;
    for (size_t t = 0; t < count; ++t) {
      const TDealTable& part = parts[t];
      for (size_t d = 0; d < part.Deals(); ++d) {
        const auto w = static_cast<long double>(part.Weight[d]);
        const size_t bestPlace = place[renumber[t][part.Best[d]]];
        size_t chosen = Unranked;
        double coins = 0;
        for (uint32_t e = part.Start[d]; e < part.Start[d + 1]; ++e) {
          const size_t at = place[renumber[t][part.Pattern[e]]];
          if (at == Unranked) continue;
          if (at < chosen) {
            chosen = at;
            coins = part.Coins[e];
          }
          if (bestPlace <= at) holds[order[at]] += w;
        }
        chartCoins += w * coins;
      }
    }
    chart.ChartReturn = chartCoins / (totalWeight * bet);
    for (const uint32_t p : order) {
      TChartLine line;
      line.Pattern = all.Patterns[p];
      line.Key = classifier.Key(line.Pattern);
      line.Text = classifier.Text(line.Pattern);
      line.BestShare = static_cast<double>(bestWeight[p] / totalWeight);
      line.OrderHolds = static_cast<double>(holds[p] / offeredWeight[p]);
      chart.Lines.push_back(std::move(line));
    }
    return chart;
  });
}

}  // namespace tavrik
