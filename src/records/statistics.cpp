#include "records/statistics.h"

#include <algorithm>
#include <cstdio>
#include <iterator>
#include <map>
#include <utility>
#include <vector>

#include "core/error.h"
#include "core/hold_pattern.h"
#include "records/error_list.h"
#include "records/logger.h"
#include "records/mistake.h"

namespace tavrik {

namespace {

// Quarter dollars per coin by CoinValueIndex ($0.25, 0.5, 1, 5, 25, 100), so that sums stay
// exact integers; an index the program never writes counts as 0.
int64_t CoinQuarters(uint8_t index) {
  static constexpr int64_t Quarters[] = {1, 2, 4, 20, 100, 400};
  return index < std::size(Quarters) ? Quarters[index] : 0;
}

// A table whose rows are fixed texts: a total row 0, then its parts indented by three
// blanks. `Keys` holds (section, key) of each row's text.
class TFixedRowsStat : public TStatistic {
 public:
  void Localize(const TTextLookup& text) override {
    TStatistic::Localize(text);
    for (size_t row = 0; row < Rows.size(); ++row) {
      Rows[row] = (row == 0 ? "" : "   ") + text(keys_[row].first, keys_[row].second);
    }
  }

 protected:
  using TKeys = std::vector<std::pair<std::string, std::string>>;
  TFixedRowsStat(const char* section, const char* key, std::vector<std::string> rows, TKeys keys)
      : keys_(std::move(keys)) {
    Section = section;
    Key = key;
    Name = key;
    for (size_t row = 0; row < rows.size(); ++row) {
      Rows.push_back((row == 0 ? "" : "   ") + rows[row]);
    }
    TotalRow = 0;
  }

 private:
  TKeys keys_;
};

class TBalanceStat final : public TFixedRowsStat {
 public:
  enum : int { TOTAL, PLAYED, WON, DOUBLED, ERRORS };
  TBalanceStat()
      : TFixedRowsStat("Statistics.Balance", "Balance",
                       {"Total", "Played", "Won", "Doubled", "Errors"},
                       {{"Statistics.Balance", "Total"},
                        {"Statistics.Balance", "Played"},
                        {"Statistics.Balance", "Win"},
                        {"Statistics.Balance", "DoubleUp"},
                        {"Statistics.Balance", "Errors"}}) {
    Columns = {"", "Coins", "%", "$"};
    Formats = {"%10.0f", "%10.5f", "%10.2f"};
  }
  void Clear() override {
    TStatistic::Clear();
    coins_ = {};
    quarters_ = {};
  }
  // Sums in integers (whole coins, quarter dollars); Finish turns them into values.
  void AddRecord(const TLogRecord& record) override {
    const int64_t value = CoinQuarters(record.CoinValueIndex);
    const auto add = [&](int row, int64_t coins) {
      coins_[row] += coins;
      quarters_[row] += coins * value;
    };
    add(PLAYED, -record.Bet);
    add(WON, record.PerfectWin);
    // In 64 bits: a damaged record may hold any 32-bit wins.
    add(ERRORS, int64_t{record.HandWin} - record.PerfectWin);
    // A lost double-up pays nothing: Win is then 0 and the hand's win is lost.
    if (record.DoubleCount > 0) add(DOUBLED, int64_t{record.Win} - record.HandWin);
  }
  void Finish(int64_t records, int64_t bet) override {
    for (int row = PLAYED; row <= ERRORS; ++row) {
      Values[0][row] = static_cast<double>(coins_[row]);
      Values[2][row] = static_cast<double>(quarters_[row]) / 4;
    }
    TStatistic::Finish(records, bet);
    const double played = Values[0][PLAYED];
    if (played == 0) return;
    for (int row = TOTAL; row <= ERRORS; ++row) Values[1][row] = -100 * Values[0][row] / played;
  }

 private:
  std::array<int64_t, ERRORS + 1> coins_{};
  std::array<int64_t, ERRORS + 1> quarters_{};
};

class TErrorEffectStat final : public TFixedRowsStat {
 public:
  TErrorEffectStat()
      : TFixedRowsStat("Statistics.ErrorEffect", "ErrorsEffect",
                       {"All errors", "Serious errors", "Medium errors", "Minor errors"},
                       {{"Statistics.ErrorEffect", "Total"},
                        {"Errors", "Serious"},
                        {"Errors", "Medium"},
                        {"Errors", "Minor"}}) {
    Columns = {"", "Frequency", "Exp Effect", "Real Effect"};
    Formats = {"%10.5f", "%10.5f", "%10.5f"};
  }
  void AddRecord(const TLogRecord& record) override {
    // No bet, or no shortfall (most rounds): nothing to grade.
    if (record.Bet == 0 || record.PlayerReturn >= record.BestReturn) return;
    // The grade's value is its row.
    const int row = GradeError((record.BestReturn - record.PlayerReturn) / record.Bet);
    if (row == GRADE_NONE) return;
    Values[0][row] += 1;
    Values[1][row] += record.PlayerReturn - record.BestReturn;
    Values[2][row] += static_cast<double>(int64_t{record.HandWin} - record.PerfectWin);
  }
  void Finish(int64_t records, int64_t bet) override {
    TStatistic::Finish(records, bet);
    for (int row = 0; row <= GRADE_MINOR; ++row) {
      if (records > 0) Values[0][row] = 100 * Values[0][row] / static_cast<double>(records);
      for (int column : {1, 2}) {
        if (bet > 0) Values[column][row] = 100 * Values[column][row] / static_cast<double>(bet);
      }
    }
  }
};

// The graded errors grouped by the patterns of the player's hold and of the best hold
// ("suited AK -> 3 to a royal flush"): count, share of the selected hands and expected loss
// in percent of the coins bet, the costliest group first. Past MaxRows - 2 groups the rest
// share one row; the last row is the total.
class TErrorPatternStat final : public TStatistic {
 public:
  TErrorPatternStat() {
    Section = "Statistics.ErrorPatterns";
    Key = "ErrorPatterns";
    Name = "ERROR PATTERNS";
    Columns = {"Your hold -> best hold", "Errors", "% of hands", "Exp loss %"};
    Formats = {"%10.0f", "%10.5f", "%10.5f"};
    Clear();
  }
  void Clear() override {
    TStatistic::Clear();
    groups_.clear();
    Rows = {total_};
    TotalRow = 0;
  }
  void AddRecord(const TLogRecord& record) override {
    if (record.Bet == 0 || record.PlayerReturn >= record.BestReturn) return;
    if (GradeError((record.BestReturn - record.PlayerReturn) / record.Bet) == GRADE_NONE) return;
    const std::string name = NameHold(record.GameType, record.DealtCards, record.PlayerMask).Text +
                             " -> " +
                             NameHold(record.GameType, record.DealtCards, record.BestMask).Text;
    TGroup& group = groups_[name];
    group.Count += 1;
    group.Loss += record.BestReturn - record.PlayerReturn;
  }
  void Finish(int64_t records, int64_t bet) override {
    std::vector<std::pair<std::string, TGroup>> sorted(groups_.begin(), groups_.end());
    std::stable_sort(sorted.begin(), sorted.end(),
                     [](const auto& a, const auto& b) { return a.second.Loss > b.second.Loss; });
    Rows.clear();
    const size_t shown = sorted.size() < MaxRows ? sorted.size() : MaxRows - 2;
    for (size_t i = 0; i < sorted.size(); ++i) {
      const size_t row = std::min(i, shown);
      if (row == Rows.size()) Rows.push_back(row < shown ? sorted[i].first : other_);
      Values[0][row] += sorted[i].second.Count;
      Values[1][row] += sorted[i].second.Count;
      Values[2][row] += sorted[i].second.Loss;
    }
    Rows.push_back(total_);
    TotalRow = static_cast<int>(Rows.size()) - 1;
    TStatistic::Finish(records, bet);
    for (size_t row = 0; row < Rows.size(); ++row) {
      Values[1][row] = records > 0 ? 100 * Values[1][row] / static_cast<double>(records) : 0;
      Values[2][row] = bet > 0 ? 100 * Values[2][row] / static_cast<double>(bet) : 0;
    }
  }
  void Localize(const TTextLookup& text) override {
    TStatistic::Localize(text);
    other_ = text(Section, "Other");
    total_ = text(Section, "Total");
    if (!Rows.empty()) Rows.back() = total_;
  }

 private:
  struct TGroup {
    double Count = 0;
    double Loss = 0;  // expected coins
  };
  std::map<std::string, TGroup> groups_;
  std::string other_ = "Other patterns";
  std::string total_ = "All errors";
};

// A table by paytable category: one row per category of the selected game (one row of
// all paying hands when all games are selected), then "Nothing" and "Total".
class THandStatistic : public TStatistic {
 public:
  void Setup(const TPokerDescription* game) override {
    TStatistic::Setup(game);
    categories_.clear();
    if (game != nullptr) {
      for (int c = 0; c <= game->LastCategory; ++c) {
        categories_.push_back(game->CategoryName[static_cast<size_t>(c)]);
      }
    }
    NameRows();
    const auto nothing = static_cast<uint8_t>(TotalRow - 1);
    for (size_t category = 0; category < rowOf_.size(); ++category) {
      rowOf_[category] = category < categories_.size() ? static_cast<uint8_t>(category)
                         : AllGames && category != 255 ? uint8_t{0}
                                                       : nothing;
    }
  }
  void Clear() override {
    TStatistic::Clear();
    sums_ = {};
  }
  // Columns 0 and 1 := the sums of AddSums, then the total row.
  void Finish(int64_t records, int64_t bet) override {
    for (size_t column = 0; column < sums_.size(); ++column) {
      for (size_t row = 0; row < MaxRows; ++row) {
        Values[column][row] = static_cast<double>(sums_[column][row]);
      }
    }
    TStatistic::Finish(records, bet);
  }
  void Localize(const TTextLookup& text) override {
    TStatistic::Localize(text);
    allWinHands_ = text(Section, "AllWinHands");
    nothing_ = text(Section, "Nothing");
    total_ = text(Section, "Total");
    NameRows();
  }

 protected:
  THandStatistic(const char* key, const char* format) {
    Section = "Statistics.Hands";
    Key = key;
    Name = key;
    Columns = {"Hands", "Your result", "Perfect result", "Difference"};
    Formats = {format, format, format};
    Setup(nullptr);
  }
  // Adds in integers to column 0 in the row of the player's final category and to column 1
  // in the row of the best hold's category.
  void AddSums(const TLogRecord& record, int64_t player, int64_t perfect) {
    sums_[0][rowOf_[record.FinalCategory]] += player;
    sums_[1][rowOf_[record.PerfectCategory]] += perfect;
  }
  // Column 2 := column 0 - column 1 in every row.
  void Differences() {
    for (int row = 0; row <= TotalRow; ++row) Values[2][row] = Values[0][row] - Values[1][row];
  }

 private:
  void NameRows() {
    Rows = categories_;
    if (Rows.empty()) Rows.push_back(allWinHands_);
    Rows.push_back(nothing_);
    Rows.push_back(total_);
    TotalRow = static_cast<int>(Rows.size()) - 1;
  }
  std::vector<std::string> categories_;  // empty: all games
  std::string allWinHands_ = "All win hands";
  std::string nothing_ = "Nothing";
  std::string total_ = "Total";
  // The row of a category byte: its own row, row 0 with all games, the "Nothing" row for
  // 255 and for a category the game does not have.
  std::array<uint8_t, 256> rowOf_{};
  std::array<std::array<int64_t, MaxRows>, 2> sums_{};
};

class THandsCountStat final : public THandStatistic {
 public:
  THandsCountStat() : THandStatistic("HandsCount", "%10.0f") {}
  void AddRecord(const TLogRecord& record) override { AddSums(record, 1, 1); }
  void Finish(int64_t records, int64_t bet) override {
    THandStatistic::Finish(records, bet);
    Differences();
  }
};

// The same counts as shares of the selected hands, in percent.
class THandsFreqStat final : public THandStatistic {
 public:
  THandsFreqStat() : THandStatistic("HandsFreq", "%10.5f") {}
  void AddRecord(const TLogRecord& record) override { AddSums(record, 1, 1); }
  void Finish(int64_t records, int64_t bet) override {
    THandStatistic::Finish(records, bet);
    if (records == 0) return;
    for (int column : {0, 1}) {
      for (double& value : Values[static_cast<size_t>(column)]) {
        value = 100 * value / static_cast<double>(records);
      }
    }
    Differences();
  }
};

class THandsPaybackStat final : public THandStatistic {
 public:
  THandsPaybackStat() : THandStatistic("HandsPayback", "%10.5f") {}
  void AddRecord(const TLogRecord& record) override {
    AddSums(record, record.HandWin, record.PerfectWin);
  }
  void Finish(int64_t records, int64_t bet) override {
    THandStatistic::Finish(records, bet);
    if (records == 0 || bet == 0) return;
    for (int column : {0, 1}) {
      for (double& value : Values[static_cast<size_t>(column)]) {
        value = 100 * value / static_cast<double>(bet);
      }
    }
    Differences();
  }
};

}  // namespace

void TStatistic::Clear() {
  Values = {};
}

void TStatistic::Setup(const TPokerDescription* game) {
  AllGames = game == nullptr;
}

void TStatistic::Finish(int64_t /*records*/, int64_t /*bet*/) {
  if (TotalRow < 0) return;
  for (auto& column : Values) {
    double total = 0;
    for (int row = 0; row < MaxRows; ++row) {
      if (row != TotalRow) total += column[static_cast<size_t>(row)];
    }
    column[static_cast<size_t>(TotalRow)] = total;
  }
}

void TStatistic::Localize(const TTextLookup& text) {
  Name = text("Statistics", Key);
  for (size_t column = 0; column < Columns.size(); ++column) {
    Columns[column] = text(Section, "Column" + std::to_string(column + 1));
  }
}

std::string TStatistic::ValueText(int column, int row) const {
  const double value = Values.at(static_cast<size_t>(column)).at(static_cast<size_t>(row));
  if (value == 0) return "-";
  char text[64];
  // Each format is one conversion of a double, fixed by the table's class.
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wformat-nonliteral"
  std::snprintf(text, sizeof text, Formats[static_cast<size_t>(column)], value);
#pragma GCC diagnostic pop
  return text;
}

TStatisticsList::TStatisticsList() {
  tables_.push_back(std::make_unique<TBalanceStat>());
  tables_.push_back(std::make_unique<THandsCountStat>());
  tables_.push_back(std::make_unique<THandsFreqStat>());
  tables_.push_back(std::make_unique<THandsPaybackStat>());
  tables_.push_back(std::make_unique<TErrorEffectStat>());
  tables_.push_back(std::make_unique<TErrorPatternStat>());
}

TStatisticsList::~TStatisticsList() = default;

void TStatisticsList::SetLogger(TLogger& logger) {
  follower_.SetLogger(logger);
}

void TStatisticsList::Localize(const TTextLookup& text) {
  for (const auto& table : tables_) table->Localize(text);
  if (OnChange) OnChange();
}

void TStatisticsList::SetActive(bool active) {
  active_ = active;
  if (active_) Recompute();
}

void TStatisticsList::SetCurrent(int index) {
  RequireInRange(index, 0, Count() - 1, "Statistics table");
  current_ = index;
  if (OnChange) OnChange();
}

const std::string& TStatisticsList::Name(int index) const {
  return Table(index).Name;
}

const TStatistic& TStatisticsList::Table(int index) const {
  RequireInRange(index, 0, Count() - 1, "Statistics table");
  return *tables_[static_cast<size_t>(index)];
}

std::string TStatisticsList::GetCell(int column, int row) const {
  const TStatistic& table = Table(current_);
  if (column < 0 || column > 3 || row < 0 || row > static_cast<int>(table.Rows.size())) return {};
  if (row == 0) return table.Columns[static_cast<size_t>(column)];
  if (column == 0) return table.Rows[static_cast<size_t>(row - 1)];
  return table.ValueText(column - 1, row - 1);
}

void TStatisticsList::AddToEach(const TLogRecord& record) {
  // The tables' classes are known here, so the calls are direct (and inlined) in the
  // pass over a large log.
  static_cast<TBalanceStat&>(*tables_[0]).AddRecord(record);
  static_cast<THandsCountStat&>(*tables_[1]).AddRecord(record);
  static_cast<THandsFreqStat&>(*tables_[2]).AddRecord(record);
  static_cast<THandsPaybackStat&>(*tables_[3]).AddRecord(record);
  static_cast<TErrorEffectStat&>(*tables_[4]).AddRecord(record);
  static_cast<TErrorPatternStat&>(*tables_[5]).AddRecord(record);
}

void TStatisticsList::Recompute() {
  records_ = 0;
  bet_ = 0;
  const TLogFilter* filter = follower_.Follow();
  const int game = filter != nullptr ? filter->GameType() : -1;
  if (game != rowsGame_) {
    // A game the program does not know (a damaged log) gets the rows of all games.
    const auto description = game >= 0 && game < GameCount ? CreateDescription(game) : nullptr;
    for (const auto& table : tables_) table->Setup(description.get());
    rowsGame_ = game;
  }
  for (const auto& table : tables_) table->Clear();
  if (filter != nullptr) {
    // The key decides before the rest of the record is decoded.
    const uint8_t* bytes = follower_.Logger()->Data();
    const size_t count = follower_.Logger()->RecordCount();
    TLogRecord record;
    for (size_t i = 0; i < count; ++i, bytes += TLogRecord::Size) {
      TLogRecord::DecodeKey(bytes, record);
      if (!filter->Matches(record)) continue;
      TLogRecord::DecodeOutcome(bytes, record);
      // The cards and holds only for an error, which the pattern table names.
      if (record.PlayerReturn < record.BestReturn) record = TLogRecord::Deserialize(bytes);
      ++records_;
      bet_ += record.Bet;
      AddToEach(record);
    }
  }
  for (const auto& table : tables_) table->Finish(records_, bet_);
  if (OnChange) OnChange();
}

std::map<std::string, TPatternErrors> ErrorsByBestPattern(const TLogger& logger, int game,
                                                          int payIndex, size_t examples) {
  std::map<std::string, TPatternErrors> errors;
  const uint8_t* bytes = logger.Data();
  for (size_t i = 0; i < logger.RecordCount(); ++i, bytes += TLogRecord::Size) {
    TLogRecord record;
    TLogRecord::DecodeKey(bytes, record);
    if (record.GameType != game || record.PayIndex != payIndex) continue;
    record = TLogRecord::Deserialize(bytes);
    if (record.Bet == 0 || GradeOf(record) == GRADE_NONE) continue;
    TPatternErrors& pattern = errors[NameHold(game, record.DealtCards, record.BestMask).Key];
    ++pattern.Count;
    pattern.LossPercent += 100 * ErrorLoss(record);
    if (pattern.Examples.size() < examples) pattern.Examples.push_back(i);
  }
  return errors;
}

}  // namespace tavrik
