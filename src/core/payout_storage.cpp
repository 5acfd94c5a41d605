#include "core/payout_storage.h"

#include <algorithm>
#include <cstdio>
#include <iostream>
#include <map>

#include "core/data_files.h"
#include "core/error.h"
#include "core/game_list.h"
#include "core/poker_description.h"
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

bool IsBlank(char c) {
  return c == ' ' || c == '\t';
}

std::string PayRangeText(long long value) {
  return "pay " + std::to_string(value) + " is out of range (0 to " + std::to_string(MaxPay) +
         ", or -1 for a hand the game does not have)";
}

// A line of the player's file: where it stands and what it holds.
struct TFileLine {
  int LineNumber = 0;  // 1-based, in the file
  std::string Text;
};

}  // namespace

std::string FormatPaytableLine(const TPaytable& table) {
  std::string line;
  line.reserve(ValuesPerLine * 6);
  for (const auto& row : table) {
    for (const int32_t value : row) {
      if (value < -1 || value > MaxPay) throw TError("Paytable: " + PayRangeText(value));
      char buffer[16];
      std::snprintf(buffer, sizeof buffer, "%6d", value);
      line += buffer;
    }
  }
  return line;
}

TPaytable ParsePaytableLine(std::string_view line) {
  std::vector<std::string_view> numbers;
  for (size_t position = 0;;) {
    while (position < line.size() && IsBlank(line[position])) ++position;
    if (position >= line.size()) break;
    size_t end = position;
    while (end < line.size() && !IsBlank(line[end])) ++end;
    numbers.push_back(line.substr(position, end - position));
    position = end;
  }
  if (numbers.size() != ValuesPerLine) {
    throw TError("the line holds " + std::to_string(numbers.size()) + " numbers, not " +
                 std::to_string(ValuesPerLine));
  }
  TPaytable table{};
  for (size_t i = 0; i < numbers.size(); ++i) {
    const auto value = ParseInt(numbers[i]);
    if (!value) throw TError("'" + std::string(numbers[i]) + "' is not a whole number");
    if (*value < -1 || *value > MaxPay) throw TError(PayRangeText(*value));
    table[i / MaxCategories][i % MaxCategories] = *value;
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

// The player's paytables replace the built-in ones game by game. A refused line gives way
// to a built-in paytable (see the class comment), so one damaged line never costs the
// player the rest of the catalogue, nor moves the paytables after it to other indexes.
void TPayoutStorage::LoadPlayerFile() {
  const auto content = ReadWholeFile(file_);
  if (!content) return;
  const std::string fileName = file_.filename().string();
  const auto report = [&](int lineNumber, const std::string& where, const std::string& why) {
    problems_.push_back(fileName + " line " + std::to_string(lineNumber) + where + ": " + why);
  };

  // Sections by name with their lines and line numbers; the text's own view into `content`
  // gives each line's number.
  std::map<std::string, std::vector<TFileLine>, std::less<>> sections;
  std::vector<TFileLine>* current = nullptr;
  const std::string_view text(*content);
  size_t counted = 0;
  int lineNumber = 1;
  const auto numberOf = [&](std::string_view line) {
    const auto offset = static_cast<size_t>(line.data() - text.data());
    lineNumber +=
        static_cast<int>(std::count(text.begin() + static_cast<std::ptrdiff_t>(counted),
                                    text.begin() + static_cast<std::ptrdiff_t>(offset), '\n'));
    counted = offset;
    return lineNumber;
  };
  ForEachIniLine(
      text,
      [&](std::string_view name) {
        const int at = numberOf(name);
        const bool known = std::any_of(Games.begin(), Games.end(), [&](const TGamePaytables& game) {
          return game.Name == name;
        });
        if (!known) {
          report(at, "",
                 "section [" + std::string(name) + "] names no game; its lines are ignored");
        }
        current = &sections[std::string(name)];
      },
      [&](std::string_view line) {
        const int at = numberOf(line);
        if (current == nullptr) {
          report(at, "", "the line stands before any section and is ignored");
        } else {
          current->push_back({at, std::string(line)});
        }
      });

  for (size_t game = 0; game < Games.size(); ++game) {
    auto& entry = Games[game];
    const auto found = sections.find(entry.Name);
    if (found == sections.end()) continue;
    std::vector<std::string> lines;
    for (size_t i = 0; i < found->second.size(); ++i) {
      const TFileLine& line = found->second[i];
      try {
        const TPaytable table = ParsePaytableLine(line.Text);
        CheckPaytable(static_cast<int>(game), table);
        lines.push_back(FormatPaytableLine(table));
      } catch (const TError& error) {
        const size_t standIn = i < entry.Lines.size() ? i : 0;
        report(line.LineNumber,
               " (section [" + entry.Name + "], paytable " + std::to_string(i) + ")",
               std::string(error.what()) + "; the built-in paytable " + std::to_string(standIn) +
                   " stands in its place");
        lines.push_back(entry.Lines.at(standIn));
      }
    }
    for (size_t i = lines.size(); i < entry.Lines.size(); ++i) lines.push_back(entry.Lines[i]);
    entry.Lines = std::move(lines);
  }
}

std::string TPayoutStorage::ProblemReport() const {
  if (problems_.empty()) return {};
  std::string text = "Some lines of the paytable file " + file_.string() + " were not read:";
  for (const auto& problem : problems_) text.append("\n").append(problem);
  return text;
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

void TPayoutStorage::CheckPaytable(int game, const TPaytable& table) {
  FormatPaytableLine(table);  // the range of every value
  const auto description = CreateDescription(game);
  for (int coins = 1; coins <= MaxCoins; ++coins) {
    for (int category = 0; category <= description->LastCategory; ++category) {
      if (table[static_cast<size_t>(coins - 1)][static_cast<size_t>(category)] < 0) {
        throw TError(description->CategoryName[static_cast<size_t>(category)] + " has no pay at " +
                     std::to_string(coins) + " coins");
      }
    }
  }
}

void TPayoutStorage::SetPaytable(int game, int index, const TPaytable& table) {
  auto& lines = LinesOf(game);
  CheckPaytable(game, table);
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
