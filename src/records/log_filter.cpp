#include "records/log_filter.h"

#include <algorithm>
#include <bitset>
#include <cmath>
#include <ctime>
#include <utility>

#include "core/error.h"
#include "core/game_list.h"
#include "records/logger.h"
#include "records/ole_date.h"

namespace tavrik {

std::string DefaultShortDate(double oleDate) {
  const TLocalDateTime date = FromOleDate(oleDate);
  std::tm fields{};
  fields.tm_year = date.Year - 1900;
  fields.tm_mon = date.Month - 1;
  fields.tm_mday = date.Day;
  fields.tm_hour = date.Hour;
  fields.tm_min = date.Minute;
  fields.tm_sec = date.Second;
  // strftime reads the weekday and the day of the year for some formats: let mktime fill
  // them in from the calendar fields (it may move the hour at a daylight-saving gap).
  std::tm normal = fields;
  normal.tm_isdst = -1;
  if (std::mktime(&normal) != -1) {
    fields.tm_wday = normal.tm_wday;
    fields.tm_yday = normal.tm_yday;
  }
  char text[128];
  // The locale's own short date, whatever it does with the year.
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wformat-y2k"
  const size_t length = std::strftime(text, sizeof text, "%x", &fields);
#pragma GCC diagnostic pop
  return std::string(text, length);
}

double DayStart(double oleDate) {
  // Before the epoch the fraction still counts forward from midnight (-1.25 is 06:00 of
  // the day -1 starts).
  return std::trunc(oleDate);
}

TLogFilter::TLogFilter(const TLogger& logger, const TShortDateFormat& shortDate) {
  sessionStart_ = logger.SessionStart;
  fromDate_ = sessionStart_;
  GameKeys.push_back(GameKey(-1, -1));
  const size_t count = logger.RecordCount();
  if (count == 0) {
    DateTexts.emplace_back();
    DayStarts.push_back(sessionStart_);
    return;
  }
  // Games and days change rarely along the log: each record is compared with the
  // previous one, and only a change is looked up among those seen.
  std::vector<std::pair<int, int>> games;  // in order of first appearance
  std::bitset<256 * 256> seenGames;
  std::vector<double> days;  // in order of first appearance
  const uint8_t* bytes = logger.Data();
  TLogRecord record;
  int lastGame = -1;
  int lastPaytable = -1;
  double lastDay = std::nan("");
  for (size_t i = 0; i < count; ++i, bytes += TLogRecord::Size) {
    TLogRecord::DecodeKey(bytes, record);
    if (record.GameType != lastGame || record.PayIndex != lastPaytable) {
      lastGame = record.GameType;
      lastPaytable = record.PayIndex;
      auto seen = seenGames[static_cast<size_t>(lastGame * 256 + lastPaytable)];
      if (!seen) {
        seen = true;
        games.emplace_back(lastGame, lastPaytable);
      }
    }
    if (!(record.DealTime >= lastDay && record.DealTime < lastDay + 1)) {  // another day
      const double day = DayStart(record.DealTime);
      if (day != lastDay) {
        lastDay = day;
        if (std::find(days.begin(), days.end(), day) == days.end()) days.push_back(day);
      }
    }
  }
  for (const auto& [game, paytable] : games) GameKeys.push_back(GameKey(game, paytable));
  DateTexts.emplace_back();
  DayStarts.push_back(sessionStart_);
  for (auto day = days.rbegin(); day != days.rend(); ++day) {
    DateTexts.push_back(' ' + shortDate(*day));
    DayStarts.push_back(*day);
  }

  gameType_ = record.GameType;
  payIndex_ = record.PayIndex;
  modes_ = record.Mode < 8 ? static_cast<TModeSet>(1u << record.Mode) : TModeSet{0};
  if (record.DealTime < sessionStart_ && DayStarts.size() > 1) fromDate_ = DayStarts[1];
}

std::function<bool(const TLogRecord&)> TLogFilter::ClearingRule() const {
  return [gameType = gameType_, payIndex = payIndex_, modes = modes_,
          until = fromDate_](const TLogRecord& record) {
    return record.DealTime <= until && GameModeMatches(record, gameType, payIndex, modes);
  };
}

int TLogFilter::GetGameIndex() const {
  const auto key = std::find(GameKeys.begin(), GameKeys.end(), GameKey(gameType_, payIndex_));
  return key == GameKeys.end() ? -1 : static_cast<int>(key - GameKeys.begin());
}

void TLogFilter::SetGameIndex(int index) {
  RequireInRange(index, 0, static_cast<long long>(GameKeys.size()) - 1, "Game index");
  const std::string& key = GameKeys[static_cast<size_t>(index)];
  SetGame(GameFromKey(key), PaytableFromKey(key));
}

int TLogFilter::GetDateIndex() const {
  if (fromDate_ == sessionStart_) return 0;
  for (size_t i = 1; i < DayStarts.size(); ++i) {
    if (DayStarts[i] == fromDate_) return static_cast<int>(i);
  }
  return -1;
}

void TLogFilter::SetDateIndex(int index) {
  RequireInRange(index, 0, static_cast<long long>(DayStarts.size()) - 1, "Date index");
  SetFromDate(index == 0 ? sessionStart_ : DayStarts[static_cast<size_t>(index)]);
}

void TLogFilter::SetModes(TModeSet modes) {
  if (modes == modes_) return;
  modes_ = modes;
  Notify();
}

void TLogFilter::SetGame(int gameType, int payIndex) {
  if (gameType == gameType_ && payIndex == payIndex_) return;
  gameType_ = gameType;
  payIndex_ = payIndex;
  Notify();
}

void TLogFilter::SetFromDate(double fromDate) {
  if (fromDate == fromDate_) return;
  fromDate_ = fromDate;
  Notify();
}

int TLogFilter::Subscribe(std::function<void()> onChange) {
  subscribers_.emplace(nextId_, std::move(onChange));
  return nextId_++;
}

void TLogFilter::Unsubscribe(int id) {
  subscribers_.erase(id);
}

void TLogFilter::Notify() {
  // Looked up afresh after each call, so that a subscriber may unsubscribe anyone; the call
  // runs on a copy, so that it may unsubscribe itself.
  for (auto subscriber = subscribers_.begin(); subscriber != subscribers_.end();) {
    const int id = subscriber->first;
    const std::function<void()> call = subscriber->second;
    call();
    subscriber = subscribers_.upper_bound(id);
  }
}

}  // namespace tavrik
