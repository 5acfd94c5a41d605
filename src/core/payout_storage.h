#pragma once

#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

#include "core/payout.h"

namespace tavrik {

// A paytable as one text line: the 80 values row by row, each right-aligned in six
// characters. Raises TError for a value that does not fit in six characters, since such
// a line would not read back.
std::string FormatPaytableLine(const TPaytable& table);
// Reads 80 blank-separated numbers row by row. Raises TError when there are fewer than 80
// or one does not convert.
TPaytable ParsePaytableLine(std::string_view line);

// The paytable catalogue: per game, any number of paytables, the first ones built in.
// The player's catalogue is kept in Quelbin.dat: read back at creation, written whole
// when the catalogue was changed.
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
  // (-1 adds a new paytable). Sets Modified.
  void SetPaytable(int game, int index, const TPaytable& table);

  // Writes the catalogue to the player's file (one "[name]" line per game, its paytable
  // lines, an empty line) and clears Modified. Raises TError on failure.
  void Save();
  // The player's file.
  const std::filesystem::path& File() const { return file_; }

  std::vector<TGamePaytables> Games;
  bool Modified = false;

 private:
  void LoadBuiltIn();
  void LoadPlayerFile();
  std::vector<std::string>& LinesOf(int game);
  const std::vector<std::string>& LinesOf(int game) const;

  std::filesystem::path file_;
};

}  // namespace tavrik
