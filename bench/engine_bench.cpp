// Speed of the exact analysis: one dealt hand (all 32 holds) and the whole-game computation.
// Run: build with -DTAVRIK_BUILD_BENCH=ON, then bench/tavrik_engine_bench
//      --benchmark_repetitions=5 --benchmark_report_aggregates_only=true
#include <benchmark/benchmark.h>

#include <algorithm>
#include <filesystem>
#include <memory>
#include <numeric>
#include <random>
#include <vector>

#include "core/payout_storage.h"
#include "core/wild_engine.h"

namespace {

using namespace tavrik;

// A fixed set of random deals from a deck of `deckSize` cards (indices 52 and 53 are
// jokers), the same in every run.
std::vector<std::array<int, 5>> FixedDeals(int count, int deckSize) {
  std::mt19937 random(42);
  std::vector<std::array<int, 5>> deals;
  std::vector<int> cards(static_cast<size_t>(deckSize));
  for (int i = 0; i < count; ++i) {
    std::iota(cards.begin(), cards.end(), 0);
    std::shuffle(cards.begin(), cards.end(), random);
    deals.push_back({cards[0], cards[1], cards[2], cards[3], cards[4]});
  }
  return deals;
}

TPaytable BuiltInPaytable(int game) {
  return TPayoutStorage(std::filesystem::temp_directory_path() / "tavrik-bench-none.dat")
      .GetPaytable(game, 0);
}

// The engine of `game` on its built-in paytable at 5 coins.
std::unique_ptr<TPokerEngine> SetUp(TPayout& payout, int game) {
  auto engine = CreateEngineForGame(game);
  engine->SetPayout(&payout);
  payout.SetPay(BuiltInPaytable(game), 5);
  return engine;
}

void BM_GetTheBest(benchmark::State& state) {
  const int game = static_cast<int>(state.range(0));
  TPayout payout;
  const auto engine = SetUp(payout, game);
  const auto deals = FixedDeals(1000, engine->Deck.Count);
  size_t next = 0;
  for (auto _ : state) {
    const auto& deal = deals[next];
    next = (next + 1) % deals.size();
    engine->NewDeal();
    for (const int index : deal) {
      const TCard card = CardFromIndex(index);
      engine->Hand.AddCard(card.Rank, card.Suit);
      engine->Deck.Remove(card.Rank, card.Suit);
    }
    benchmark::DoNotOptimize(engine->GetTheBest());
  }
  state.SetLabel(engine->Name);
}
BENCHMARK(BM_GetTheBest)
    ->Arg(GAME_JACKS_OR_BETTER)
    ->Arg(GAME_DOUBLE_BONUS)
    ->Arg(GAME_DEUCES_WILD)
    ->Arg(GAME_JOKER_POKER)
    ->Arg(GAME_DOUBLE_JOKER_POKER)
    ->Unit(benchmark::kMicrosecond);

void BM_RunPermutations(benchmark::State& state) {
  const int game = static_cast<int>(state.range(0));
  TPayout payout;
  const auto engine = SetUp(payout, game);
  engine->GetHandClassCount();  // the class list is built once per process, outside the timing
  for (auto _ : state) {
    engine->RunPermutations();
    benchmark::DoNotOptimize(payout.WinsByDraw);
  }
  state.SetLabel(engine->Name);
}
// Every game: the natural ones differ only in the paytable, the wild ones in their decks.
BENCHMARK(BM_RunPermutations)
    ->DenseRange(0, GameCount - 1)
    ->Unit(benchmark::kMillisecond)
    ->Iterations(3);

}  // namespace

BENCHMARK_MAIN();
