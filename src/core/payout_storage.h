#pragma once

#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

#include "core/payout.h"

namespace tavrik {

// The largest pay a paytable holds: six characters per value leave room for five digits
// and the blank that keeps a value apart from its neighbour.
inline constexpr int MaxPay = 99999;

// A paytable as one text line: the 80 values row by row, each right-aligned in six
// characters. Raises TError for a value outside -1..MaxPay, which would not read back.
std::string FormatPaytableLine(const TPaytable& table);
// Reads exactly 80 blank-separated numbers row by row, each -1..MaxPay. Raises TError,
// saying why, for fewer or more numbers, one that does not convert or one out of range.
TPaytable ParsePaytableLine(std::string_view line);

// The paytable catalogue: per game, any number of paytables, the first ones built in.
// The player's catalogue is kept in Quelbin.dat: read back at creation, written whole
// (temporary file, then renamed) when the catalogue was changed.
//
// The file has a section "[game name]" per game; line i of a section is paytable i. A
// line that cannot be read (not 80 numbers, a value outside 0..MaxPay, -1 anywhere but in
// a category the game lacks) is refused with a message in Problems, and the built-in
// paytable of that index (past the built-in ones, the game's first) stands in its place,
// so the later lines keep their indexes.
class TPayoutStorage {
 public:
  struct TGamePaytables {
    std::string Name;                // the game's name
    std::vector<std::string> Lines;  // one formatted line per paytable
  };

  // Loads the catalogue: the built-in paytables, then the player's from Quelbin.dat in
  // the data folder.
  TPayoutStorage();
  // The same with the player's file at `file`.
  explicit TPayoutStorage(std::filesystem::path file);
  // Saves when modified. A failure to save is reported on standard error; call Save()
  // first to handle it.
  ~TPayoutStorage();
  TPayoutStorage(const TPayoutStorage&) = delete;
  TPayoutStorage& operator=(const TPayoutStorage&) = delete;

  // Number of paytables of a game 0..8.
  int PaytableCount(int game) const;
  // Paytable `index` of a game; raises TError when either is out of range.
  TPaytable GetPaytable(int game, int index) const;
  // Index of a paytable equal to `table` in the game's list, or -1.
  int FindPaytable(int game, const TPaytable& table) const;
  // Replaces paytable `index` when 0 <= index < PaytableCount(game), otherwise appends it
  // (-1 adds a new paytable). Sets Modified. Raises TError, changing nothing, for a table
  // the file would refuse (see CheckPaytable).
  void SetPaytable(int game, int index, const TPaytable& table);
  // Raises TError saying why, when `table` cannot be game 0..8's: a value outside
  // -1..MaxPay, or -1 (no pay) in one of the game's paying categories.
  static void CheckPaytable(int game, const TPaytable& table);

  // Writes the catalogue to the player's file (one "[name]" line per game, its paytable
  // lines, an empty line) and clears Modified. Raises TError on failure.
  void Save();
  // The player's file.
  const std::filesystem::path& File() const { return file_; }

  // Every problem of the player's file, one line each ("Quelbin.dat line 7 (section
  // [Bonus Poker], paytable 1): ..."), in file order; empty when it read cleanly.
  const std::vector<std::string>& Problems() const { return problems_; }
  // The problems as one text for the player: a first line naming the file, then one line
  // per problem; empty when there are none.
  std::string ProblemReport() const;

  std::vector<TGamePaytables> Games;
  bool Modified = false;

 private:
  void LoadBuiltIn();
  void LoadPlayerFile();
  std::vector<std::string>& LinesOf(int game);
  const std::vector<std::string>& LinesOf(int game) const;

  std::filesystem::path file_;
  std::vector<std::string> problems_;
};

}  // namespace tavrik
