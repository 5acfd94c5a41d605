#pragma once

#include <array>
#include <cstdint>
#include <functional>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "core/poker_description.h"
#include "records/filter_follower.h"
#include "records/log_record.h"

namespace tavrik {

class TLogger;

// A localised text by section and key of the localisation file (the game layer hands in
// its preferences' lookup, so this layer needs nothing above it).
using TTextLookup = std::function<std::string(const std::string& section, const std::string& key)>;

// One statistics table: a title, four column headers (the first heads the row names), up
// to MaxRows named rows and three value columns computed in one pass over the selected
// records.
class TStatistic {
 public:
  static constexpr int MaxRows = 21;
  virtual ~TStatistic() = default;

  std::string Name;     // title, from section "Statistics", key `Key`
  std::string Section;  // localisation section of the headers and row names
  std::string Key;
  std::array<std::string, 4> Columns;
  std::vector<std::string> Rows;
  std::array<std::array<double, MaxRows>, 3> Values{};  // [value column][row]
  std::array<const char*, 3> Formats{};                 // printf formats per value column
  int TotalRow = -1;                                    // -1: no total row
  bool AllGames = false;

  virtual void Clear();
  // Builds the rows for one game (null: all games).
  virtual void Setup(const TPokerDescription* game);
  virtual void AddRecord(const TLogRecord& record) = 0;
  // After the pass over `records` records that bet `bet` coins in all.
  virtual void Finish(int64_t records, int64_t bet);
  virtual void Localize(const TTextLookup& text);
  // "-" for exactly 0, else the value in the column's format (blanks kept as formatted).
  std::string ValueText(int column, int row) const;
};

// The six tables in their fixed order (balance, hands count, hands frequency, hands
// payback, errors effect, error patterns), recomputed on every change of the logger's
// filter.
class TStatisticsList {
 public:
  TStatisticsList();
  ~TStatisticsList();  // unsubscribes from the filter
  TStatisticsList(const TStatisticsList&) = delete;
  TStatisticsList& operator=(const TStatisticsList&) = delete;

  // Remembers the logger and follows its filter (Filter() of the logger). The logger must
  // outlive the list. When the logger drops its filter (a record was added or removed),
  // the next Recompute follows the new one.
  void SetLogger(TLogger& logger);
  void Localize(const TTextLookup& text);
  // Switched on: recomputes now and on every filter change.
  void SetActive(bool active);
  void SetCurrent(int index);
  int Current() const { return current_; }
  int Count() const { return static_cast<int>(tables_.size()); }
  const std::string& Name(int index) const;
  const TStatistic& Table(int index) const;
  // Text of the current table's grid: row 0 the headers, rows 1.. the table rows (column
  // 0 the row name, 1..3 the value texts); empty beyond the table.
  std::string GetCell(int column, int row) const;
  // The pass over the selected records of the logger's filter; notifies. Without a logger
  // every value is 0.
  void Recompute();
  int64_t RecordCount() const { return records_; }
  int64_t CoinsBet() const { return bet_; }
  std::function<void()> OnChange;

 private:
  std::vector<std::unique_ptr<TStatistic>> tables_;
  // AddRecord on every table, in list order.
  void AddToEach(const TLogRecord& record);

  TFilterFollower follower_{[this] {
    if (active_) Recompute();
  }};
  bool active_ = false;
  int current_ = 0;
  int rowsGame_ = -2;  // game the rows were built for; -2 none yet
  int64_t records_ = 0;
  int64_t bet_ = 0;
};

// The graded errors of one best-hold pattern: how many, their expected losses summed in
// percent of the bet, and the log positions of the first few, to show as examples.
struct TPatternErrors {
  int64_t Count = 0;
  double LossPercent = 0;
  std::vector<size_t> Examples;
};
// The graded errors of the log (every record, whatever the filter) in game `game` under
// paytable `payIndex`, by the pattern key of their best hold (THoldClassifier), with up to
// `examples` examples each.
std::map<std::string, TPatternErrors> ErrorsByBestPattern(const TLogger& logger, int game,
                                                          int payIndex, size_t examples = 3);

}  // namespace tavrik
