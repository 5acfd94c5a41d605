#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "core/hold_pattern.h"
#include "core/payout.h"

namespace tavrik {

// One line of a strategy chart.
struct TChartLine {
  THoldPattern Pattern;
  std::string Key, Text;  // THoldClassifier::Key and Text
  // Share of all deals (weighted) whose best hold has this pattern.
  double BestShare = 0;
  // Of the deals that offer a hold of this pattern, the share whose best hold's pattern is
  // this line or one above it: how often the chart's order is right about the line.
  double OrderHolds = 0;
};

// A strategy chart derived from every deal of a game: the patterns that are ever the best
// hold, best first, and what playing by it returns.
struct TStrategyChart {
  int GameIndex = 0;
  std::string Name;
  int Bet = 0;
  std::vector<TChartLine> Lines;
  long double PerfectReturn = 0;  // expected pay per coin bet with the best hold of every deal
  // Expected pay per coin bet holding, in every deal, the highest line the deal offers
  // (among holds of that pattern the best one).
  long double ChartReturn = 0;
  int64_t Classes = 0;  // deal classes analysed
};

// Derives the chart of game 0..8 under `table` at `bet` coins from every deal up to suit
// permutation, weighted, with `threads` >= 1 engines side by side. Pattern A ranks above
// pattern B when, over the deals offering holds of both, more deals (weighted) have their
// best hold in A than in B. The chart takes, line by line, a pattern that none of those
// left beats; where these majorities go round in a circle, the one beaten by the least
// weight. Raises TError for a game, bet or thread count out of range.
TStrategyChart DeriveStrategyChart(int gameIndex, const TPaytable& table, int bet, int threads);

}  // namespace tavrik
