#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace tavrik {

struct TGameName {
  std::string Name;
  int GameIndex = 0;
};

// The nine games' names with their indexes, in catalogue order. Built on first use.
const std::vector<TGameName>& GameNames();
// The name of a game index; empty when there is no such game.
std::string GameName(int gameIndex);
// The game's name in upper case ("JACKS OR BETTER"); "ALL POKERS" for a negative index.
std::string GameDisplayName(int gameIndex);

// "%3d%3d" of (game index, paytable index): six characters, each number right-aligned.
std::string GameKey(int gameIndex, int paytableIndex);
// The game index in characters 1..3 of a key, blanks trimmed; -1 when it does not convert.
int GameFromKey(std::string_view key);
// The paytable index in characters 4..6 of a key, blanks trimmed; -1 when it does not convert.
int PaytableFromKey(std::string_view key);

}  // namespace tavrik
