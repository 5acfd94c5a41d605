#pragma once

#include <cstdint>
#include <functional>
#include <map>
#include <string>
#include <vector>

#include "records/log_record.h"

namespace tavrik {

class TLogger;

// The locale's short date of an OLE date ("06/12/2026"); the interface layer hands in the
// system's format, the default is strftime's "%x" in the C library's current locale.
using TShortDateFormat = std::function<std::string(double oleDate)>;
// strftime "%x" of the date's local calendar day in the C library's current locale.
std::string DefaultShortDate(double oleDate);
// Midnight starting the local calendar day of an OLE date.
double DayStart(double oleDate);

// Play modes as a bit set: bit m for mode m (0 AutoHold .. 3 PlayErrorHands).
using TModeSet = uint8_t;
inline constexpr TModeSet AllModes = 0x0F;

// Which records of the hand log the statistics, errors, charts and clear-by-filter windows
// work on: one game and paytable or all, a set of play modes, and the records dealt from a
// date on (or in the current run). One filter lives in the logger while no record is
// added or removed; windows share it, so a choice made in one holds for the others.
class TLogFilter {
 public:
  // Built in one pass over the log. An empty log selects all games, modes 0..3, from
  // SessionStart on. Otherwise the selection copies the last record: its game, paytable
  // and only its mode; when it was dealt before SessionStart (nothing played in this run
  // yet), from the midnight of the latest day with records (DayStarts[1]).
  TLogFilter(const TLogger& logger, const TShortDateFormat& shortDate);
  TLogFilter(const TLogFilter&) = delete;
  TLogFilter& operator=(const TLogFilter&) = delete;

  // Game keys (GameKey of game and paytable): [0] is GameKey(-1, -1) for all games, then
  // the games of the log in order of first appearance.
  std::vector<std::string> GameKeys;
  // Day texts: [0] empty (the current run), then " " + short date of each day with
  // records, the day first seen last coming first (latest first in a log kept in time
  // order). DayStarts[i] is the OLE date of that day's midnight (DayStarts[0] =
  // SessionStart), so no text is ever parsed back into a date.
  std::vector<std::string> DateTexts;
  std::vector<double> DayStarts;

  bool Matches(const TLogRecord& record) const {
    return DateMatches(record) && GameModeMatches(record);
  }
  bool DateMatches(const TLogRecord& record) const { return record.DealTime >= fromDate_; }
  bool GameModeMatches(const TLogRecord& record) const {
    return GameModeMatches(record, gameType_, payIndex_, modes_);
  }
  // The records clearing by filter deletes: those of the selected game, paytable and modes
  // dealt at FromDate or before (so choosing a day deletes what was dealt before its
  // midnight, and choosing the current run what was dealt before it started). The rule
  // holds a copy of the selection: it outlives the filter and ignores later changes.
  std::function<bool(const TLogRecord&)> ClearingRule() const;

  // Index into GameKeys of the selected game (-1 when absent); selecting an index selects
  // that key's game and paytable and notifies when it changed. Raises TError out of range.
  int GetGameIndex() const;
  void SetGameIndex(int index);
  // 0 when the filter starts at SessionStart, else the index of FromDate's day; -1 when
  // absent. Selecting an index selects DayStarts[index] and notifies when it changed.
  int GetDateIndex() const;
  void SetDateIndex(int index);
  TModeSet Modes() const { return modes_; }
  void SetModes(TModeSet modes);
  // Any game and paytable (-1: any) and any start, listed or not; each notifies when it
  // changed the selection.
  void SetGame(int gameType, int payIndex);
  void SetFromDate(double fromDate);

  int GameType() const { return gameType_; }  // -1: any
  int PayIndex() const { return payIndex_; }  // -1: any
  double FromDate() const { return fromDate_; }
  double SessionStart() const { return sessionStart_; }

  // Called after any selection changed, in the order of subscription; a subscriber may
  // unsubscribe itself or others while called. Returns an id for Unsubscribe.
  int Subscribe(std::function<void()> onChange);
  void Unsubscribe(int id);

 private:
  static bool GameModeMatches(const TLogRecord& record, int gameType, int payIndex,
                              TModeSet modes) {
    return (gameType == -1 || record.GameType == gameType) &&
           (payIndex == -1 || record.PayIndex == payIndex) && record.Mode < 8 &&
           ((modes >> record.Mode) & 1) != 0;
  }
  void Notify();
  int gameType_ = -1;
  int payIndex_ = -1;
  TModeSet modes_ = AllModes;
  double fromDate_ = 0;
  double sessionStart_ = 0;
  std::map<int, std::function<void()>> subscribers_;
  int nextId_ = 0;
};

}  // namespace tavrik
