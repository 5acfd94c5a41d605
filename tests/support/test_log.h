#pragma once

#include <cstdint>
#include <vector>

#include "records/logger.h"
#include "support/temp_folder.h"

namespace tavrik::test {

// A hand of Jacks or better at paytable 0, dealt at `dealTime`: `bet` coins of the value
// numbered `coinValueIndex`, the hand paying `handWin` and `win` after `doubles` double-ups,
// the best hold paying `perfectWin`, with the expected returns of the player's and the best
// hold.
inline TLogRecord JacksHand(int bet, int coinValueIndex, int handWin, int win, int doubles,
                            int perfectWin, double playerReturn, double bestReturn,
                            double dealTime) {
  return {.GameType = 6,
          .CoinValueIndex = static_cast<uint8_t>(coinValueIndex),
          .Bet = static_cast<uint8_t>(bet),
          .Win = win,
          .HandWin = handWin,
          .PerfectWin = perfectWin,
          .PlayerReturn = playerReturn,
          .BestReturn = bestReturn,
          .DealTime = dealTime,
          .DoubleCount = static_cast<uint8_t>(doubles)};
}

// A log in a fresh folder holding `records`, its run started at `sessionStart`.
struct TTestLog {
  TTestLog(const std::vector<TLogRecord>& records, double sessionStart)
      : logger(folder.Path() / "Tavrik.log") {
    for (const TLogRecord& record : records) logger.Append(record);
    logger.SessionStart = sessionStart;
  }
  TempFolder folder;
  TLogger logger;
};

}  // namespace tavrik::test
