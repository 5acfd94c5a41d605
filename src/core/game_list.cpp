#include "core/game_list.h"

#include <algorithm>
#include <cctype>
#include <cstdio>

#include "core/poker_description.h"
#include "core/text.h"

namespace tavrik {

const std::vector<TGameName>& GameNames() {
  static const std::vector<TGameName> names = [] {
    std::vector<TGameName> list;
    for (int index = 0; index < GameCount; ++index) {
      const auto description = CreateDescription(index);
      list.push_back({description->Name, description->GameIndex});
    }
    return list;
  }();
  return names;
}

std::string GameName(int gameIndex) {
  for (const auto& game : GameNames()) {
    if (game.GameIndex == gameIndex) return game.Name;
  }
  return {};
}

std::string GameDisplayName(int gameIndex) {
  if (gameIndex < 0) return "ALL POKERS";
  std::string name = GameName(gameIndex);
  std::transform(name.begin(), name.end(), name.begin(),
                 [](unsigned char c) { return static_cast<char>(std::toupper(c)); });
  return name;
}

std::string GameKey(int gameIndex, int paytableIndex) {
  char buffer[32];
  std::snprintf(buffer, sizeof buffer, "%3d%3d", gameIndex, paytableIndex);
  return buffer;
}

namespace {
int KeyPart(std::string_view key, size_t offset) {
  if (key.size() <= offset) return -1;
  return ParseInt(Trim(key.substr(offset, 3))).value_or(-1);
}
}  // namespace

int GameFromKey(std::string_view key) {
  return KeyPart(key, 0);
}
int PaytableFromKey(std::string_view key) {
  return KeyPart(key, 3);
}

}  // namespace tavrik
