// Speed of painting one table card (a king, held) from the art nearest its size in device
// pixels and scaling it to that size, as the card row does for every card it shows.
// Argument: the card's height in device pixels (127 is the deck's own size).
// Run: build with -DTAVRIK_BUILD_BENCH=ON, then bench/tavrik_cards_bench
//      --benchmark_repetitions=5 --benchmark_report_aggregates_only=true
#include <benchmark/benchmark.h>

#include <QGuiApplication>

#include "ui/cards/paint_engine.h"

namespace {

using namespace tavrik;

void BM_TableCard(benchmark::State& state) {
  TPaintEngine engine(TAVRIK_BENCH_DATA_DIR);
  engine.SetDeck("001");
  const int height = static_cast<int>(state.range(0));
  const QSize pixels(height * 94 / 127, height);
  for (auto _ : state) {
    TPaintEngine& art = engine.ForPixels(pixels);
    const QPixmap card = DevicePixmap(art.CardImage(true, false, 3, 11), pixels, 1.0);
    benchmark::DoNotOptimize(card.cacheKey());
  }
  state.counters["art_scale"] = engine.ForPixels(pixels).Scale();
}
BENCHMARK(BM_TableCard)->Arg(127)->Arg(254)->Arg(508)->Arg(1016)->Unit(benchmark::kMicrosecond);

}  // namespace

int main(int argc, char** argv) {
  qputenv("QT_QPA_PLATFORM", "offscreen");
  QGuiApplication app(argc, argv);
  benchmark::Initialize(&argc, argv);
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}
