#include "core/payout_storage.h"

#include <cstdio>
#include <iostream>
#include <map>
#include <optional>

#include "core/data_files.h"
#include "core/error.h"
#include "core/game_list.h"
#include "core/text.h"

namespace tavrik {

namespace embedded {
extern const std::string_view BuiltInPaytables;
}

namespace {

constexpr int ValuesPerLine = MaxCoins * MaxCategories;
// Built-in lines shorter than this are not paytables.
constexpr size_t MinLineLength = 100;

// Section name -> its non-blank lines, from INI text with either line end. Text after a
// NUL character (padding) is ignored.
std::map<std::string, std::vector<std::string>, std::less<>> ReadSections(std::string_view text) {
  std::map<std::string, std::vector<std::string>, std::less<>> sections;
  std::vector<std::string>* current = nullptr;
  ForEachIniLine(
      text, [&](std::string_view name) { current = &sections[std::string(name)]; },
      [&](std::string_view line) {
        if (current != nullptr) current->emplace_back(line);
      });
  return sections;
}

// The line in the catalogue's own layout, or nothing when it is not a valid paytable.
std::optional<std::string> NormalisedLine(std::string_view line) {
  try {
    return FormatPaytableLine(ParsePaytableLine(line));
  } catch (const TError&) {
    return std::nullopt;
  }
}

}  // namespace

std::string FormatPaytableLine(const TPaytable& table) {
  std::string line;
  line.reserve(ValuesPerLine * 6);
  for (const auto& row : table) {
    for (const int32_t value : row) {
      // A wider value would run into its neighbour and the line would not read back.
      RequireInRange(value, -99999, 999999, "Paytable value");
      char buffer[16];
      std::snprintf(buffer, sizeof buffer, "%6d", value);
      line += buffer;
    }
  }
  return line;
}

TPaytable ParsePaytableLine(std::string_view line) {
  TPaytable table{};
  size_t position = 0;
  for (int i = 0; i < ValuesPerLine; ++i) {
    while (position < line.size() && line[position] == ' ') ++position;
    const size_t end = std::min(line.find(' ', position), line.size());
    const std::string_view number = line.substr(position, end - position);
    const auto value = ParseInt(number);
    if (!value) {
      if (number.empty()) throw TError("Paytable line has fewer than 80 numbers");
      std::string message(number);
      message.insert(0, 1, '\'');
      message.append("' is not a valid integer value");
      throw TError(std::move(message));
    }
    table[static_cast<size_t>(i / MaxCategories)][static_cast<size_t>(i % MaxCategories)] = *value;
    position = end;
  }
  return table;
}

TPayoutStorage::TPayoutStorage() : TPayoutStorage(DataFolder() / "Quelbin.dat") {}

TPayoutStorage::TPayoutStorage(std::filesystem::path file) : file_(std::move(file)) {
  LoadBuiltIn();
  LoadPlayerFile();
}

TPayoutStorage::~TPayoutStorage() {
  if (!Modified) return;
  try {
    Save();
  } catch (const std::exception& error) {
    std::cerr << "Tavrik: the paytable catalogue was not saved: " << error.what() << '\n';
  }
}

void TPayoutStorage::LoadBuiltIn() {
  const auto sections = ReadSections(embedded::BuiltInPaytables);
  for (const auto& game : GameNames()) {
    TGamePaytables entry{game.Name, {}};
    if (const auto found = sections.find(game.Name); found != sections.end()) {
      for (const auto& line : found->second) {
        if (line.size() >= MinLineLength) entry.Lines.push_back(line);
      }
    }
    Games.push_back(std::move(entry));
  }
}

// The player's paytables replace the built-in ones game by game. A line that does not
// parse keeps the built-in line of the same index (or is dropped past the built-in ones),
// so one damaged line never costs the player the rest of the catalogue.
void TPayoutStorage::LoadPlayerFile() {
  const auto content = ReadWholeFile(file_);
  if (!content) return;
  const auto sections = ReadSections(*content);
  for (auto& game : Games) {
    const auto found = sections.find(game.Name);
    if (found == sections.end()) continue;
    std::vector<std::string> lines;
    for (size_t i = 0; i < found->second.size(); ++i) {
      if (auto line = NormalisedLine(found->second[i])) {
        lines.push_back(std::move(*line));
      } else if (i < game.Lines.size()) {
        lines.push_back(game.Lines[i]);
      }
    }
    for (size_t i = lines.size(); i < game.Lines.size(); ++i) lines.push_back(game.Lines[i]);
    game.Lines = std::move(lines);
  }
}

std::vector<std::string>& TPayoutStorage::LinesOf(int game) {
  RequireInRange(game, 0, static_cast<long long>(Games.size()) - 1, "Game index");
  return Games[static_cast<size_t>(game)].Lines;
}

const std::vector<std::string>& TPayoutStorage::LinesOf(int game) const {
  return const_cast<TPayoutStorage*>(this)->LinesOf(game);
}

int TPayoutStorage::PaytableCount(int game) const {
  return static_cast<int>(LinesOf(game).size());
}

TPaytable TPayoutStorage::GetPaytable(int game, int index) const {
  const auto& lines = LinesOf(game);
  RequireInRange(index, 0, static_cast<long long>(lines.size()) - 1, "Paytable index");
  return ParsePaytableLine(lines[static_cast<size_t>(index)]);
}

int TPayoutStorage::FindPaytable(int game, const TPaytable& table) const {
  const auto& lines = LinesOf(game);
  const std::string line = FormatPaytableLine(table);
  for (size_t i = 0; i < lines.size(); ++i) {
    if (lines[i] == line) return static_cast<int>(i);
  }
  return -1;
}

void TPayoutStorage::SetPaytable(int game, int index, const TPaytable& table) {
  auto& lines = LinesOf(game);
  std::string line = FormatPaytableLine(table);
  if (index >= 0 && index < static_cast<int>(lines.size())) {
    lines[static_cast<size_t>(index)] = std::move(line);
  } else {
    lines.push_back(std::move(line));
  }
  Modified = true;
}

void TPayoutStorage::Save() {
  std::string text;
  for (const auto& game : Games) {
    text.append("[").append(game.Name).append("]\n");
    for (const auto& line : game.Lines) text.append(line).append("\n");
    text.append("\n");
  }
  if (file_.has_parent_path()) {
    std::error_code error;
    std::filesystem::create_directories(file_.parent_path(), error);
  }
  WriteFileAtomically(file_, text);
  Modified = false;
}

}  // namespace tavrik
