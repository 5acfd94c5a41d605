#include "core/game_return.h"

#include <algorithm>
#include <atomic>
#include <chrono>
#include <condition_variable>
#include <exception>
#include <memory>
#include <mutex>
#include <thread>

#include "core/calculator.h"
#include "core/error.h"
#include "core/wild_engine.h"

namespace tavrik {

namespace {

// Waits for `running` to reach zero, reporting progress every 0.1 s meanwhile.
void ReportUntilDone(std::mutex& mutex, std::condition_variable& finished, const int& running,
                     const std::atomic<long long>& done, long long total,
                     const TGameProgress& progress) {
  std::unique_lock lock(mutex);
  while (true) {
    const long long now = std::min(done.load(), total);
    lock.unlock();
    progress(now, total);
    lock.lock();
    if (finished.wait_for(lock, std::chrono::milliseconds(100), [&] { return running == 0; }))
      break;
  }
}

}  // namespace

TGameReturn ComputeGameReturn(int gameIndex, const TPaytable& table, int bet, int threads,
                              const TGameProgress& progress) {
  RequireInRange(threads, 1, 1 << 10, "Thread count");
  const auto count = static_cast<size_t>(threads);
  std::vector<std::unique_ptr<TPokerEngine>> engines;
  std::vector<TPayout> payouts(count);
  for (size_t t = 0; t < count; ++t) {
    engines.push_back(CreateEngineForGame(gameIndex));
    engines[t]->SetPayout(&payouts[t]);
    payouts[t].SetPay(table, bet);
  }
  const long long total = engines[0]->GetHandClassCount();
  std::atomic<long long> done{0};
  for (auto& engine : engines) {
    engine->OnProgress = [&done](int) { done += 100; };  // each engine reports every 100
  }

  std::mutex mutex;
  std::condition_variable finished;
  int running = threads;
  std::vector<std::exception_ptr> failures(count);
  // Declared after everything the workers use: should `progress` throw, they are joined
  // before any of it goes.
  std::vector<std::jthread> workers;
  for (size_t t = 0; t < count; ++t) {
    workers.emplace_back([&, t] {
      try {
        engines[t]->RunPermutationSlice(static_cast<int>(t), threads);
      } catch (...) {
        failures[t] = std::current_exception();
      }
      const std::lock_guard lock(mutex);
      --running;
      finished.notify_one();
    });
  }
  if (progress) ReportUntilDone(mutex, finished, running, done, total, progress);
  for (auto& worker : workers) worker.join();
  if (progress) progress(total, total);
  for (const auto& failure : failures) {
    if (failure) std::rethrow_exception(failure);
  }

  const TPokerEngine& first = *engines[0];
  TGameReturn result;
  result.GameIndex = gameIndex;
  result.Name = first.Name;
  result.CategoryNames = first.CategoryNames;
  result.Bet = bet;
  // Integer sums: the same in any order, so any number of threads gives the same bits.
  for (size_t t = 0; t < count; ++t) {
    result.Classes += engines[t]->ProgressCounter;
    for (size_t drawn = 0; drawn <= 5; ++drawn) {
      result.DealsByDraw[drawn] += payouts[t].DealsByDraw[drawn];
      for (size_t c = 0; c < MaxCategories; ++c)
        result.WinsByDraw[drawn][c] += payouts[t].WinsByDraw[drawn][c];
    }
  }
  for (const int64_t deals : result.DealsByDraw) result.Deals += deals;
  const int left = payouts[0].DeckSize - 5;
  long double square = 0;  // expected square of the pay per coin
  for (int c = 0; c <= first.LastCategory; ++c) {
    const auto category = static_cast<size_t>(c);
    long double probability = 0;
    for (int drawn = 0; drawn <= 5; ++drawn) {
      probability +=
          static_cast<long double>(result.WinsByDraw[static_cast<size_t>(drawn)][category]) /
          Binomial(left, drawn);
    }
    probability /= static_cast<long double>(result.Deals);
    const long double pay = payouts[0].Pay[category];
    const long double contribution = probability * pay / bet;
    result.Probability.push_back(probability);
    result.Contribution.push_back(contribution);
    result.Return += contribution;
    square += contribution * pay / bet;
    if (pay > 0) result.HitFrequency += probability;
  }
  result.Variance = square - result.Return * result.Return;
  return result;
}

}  // namespace tavrik
