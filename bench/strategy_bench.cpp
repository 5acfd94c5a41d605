// Speed of naming holds in strategy words: the 32 holds of a dealt hand, per game.
// Run: build with -DTAVRIK_BUILD_BENCH=ON, then bench/tavrik_strategy_bench
//      --benchmark_repetitions=5 --benchmark_report_aggregates_only=true
// The reported time is per hold (items per second counts holds).
#include <benchmark/benchmark.h>

#include <algorithm>
#include <numeric>
#include <random>
#include <vector>

#include "core/hold_pattern.h"
#include "core/poker_engine.h"

namespace {

using namespace tavrik;

void BM_ClassifyHold(benchmark::State& state) {
  const auto game = CreateDescription(static_cast<int>(state.range(0)));
  const THoldClassifier classifier(*game);
  // A fixed set of random deals, the same in every run.
  std::mt19937 random(42);
  std::vector<std::array<TCard, 5>> deals(1000);
  std::vector<int> cards(52 + static_cast<size_t>(game->JokerCount));
  for (auto& deal : deals) {
    std::iota(cards.begin(), cards.end(), 0);
    std::shuffle(cards.begin(), cards.end(), random);
    for (size_t i = 0; i < 5; ++i) deal[i] = CardFromIndex(cards[i]);
  }
  size_t next = 0;
  for (auto _ : state) {
    const auto& deal = deals[next];
    next = (next + 1) % deals.size();
    for (int mask = 0; mask < HoldMaskCount; ++mask) {
      benchmark::DoNotOptimize(classifier.Classify(deal, mask).Code());
    }
  }
  state.SetItemsProcessed(state.iterations() * HoldMaskCount);
}
BENCHMARK(BM_ClassifyHold)->DenseRange(0, 8);

}  // namespace

BENCHMARK_MAIN();
