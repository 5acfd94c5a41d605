#pragma once

#include <array>
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "core/payout.h"

namespace tavrik {

// The return of a whole game played perfectly under one paytable and bet: every deal of
// the game's deck analysed with its best hold.
struct TGameReturn {
  int GameIndex = 0;
  std::string Name;
  std::vector<std::string> CategoryNames;  // categories 0..LastCategory
  int Bet = 0;                             // coins, 1..5
  // Indexed by the cards the best hold draws (0..5) and the category: the winning draws
  // summed over every deal, each deal's draws counted once (a deal drawing k cards has
  // C(deck - 5, k) draws). DealsByDraw adds up to C(deck, 5).
  std::array<std::array<int64_t, MaxCategories>, 6> WinsByDraw{};
  std::array<int64_t, 6> DealsByDraw{};
  int64_t Classes = 0;  // deal classes analysed (deals up to suit permutation)
  int64_t Deals = 0;    // C(deck, 5)
  // Per category: the probability that a deal ends in it, and its share of the return
  // (probability times pay per coin).
  std::vector<long double> Probability, Contribution;
  long double Return = 0;        // expected pay per coin bet (1.0 gives back the bet)
  long double Variance = 0;      // variance of the pay per coin bet of one deal
  long double HitFrequency = 0;  // probability that a deal ends in a category that pays
};

// Classes of deals done so far and in all.
using TGameProgress = std::function<void(long long done, long long total)>;

// Plays every deal of game 0..8 under `table` at `bet` coins with `threads` >= 1 engines
// side by side, each on its share of the deal classes. The shares are added as integers
// once all are done, so any number of threads gives the same result to the last bit.
// `progress`, when given, is called on the calling thread about every 0.1 s while the
// engines run and once with done == total at the end. A failure of any engine is raised
// after all have stopped. Raises TError for a game, bet or thread count out of range.
TGameReturn ComputeGameReturn(int gameIndex, const TPaytable& table, int bet, int threads,
                              const TGameProgress& progress = {});

}  // namespace tavrik
