#include "game/ini_file.h"

#include <algorithm>
#include <charconv>

#include "core/error.h"
#include "core/text.h"

namespace tavrik {

std::optional<int64_t> ParseInt64(std::string_view text) {
  text = Trim(text);
  if (text.size() > 1 && text.front() == '+' && text[1] != '-') text.remove_prefix(1);
  int64_t value = 0;
  const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
  if (text.empty() || error != std::errc() || end != text.data() + text.size()) return {};
  return value;
}

template <class List>
auto* TIniFile::FindIn(List& sections, std::string_view name) {
  const auto found = std::find_if(sections.begin(), sections.end(),
                                  [&](const TSection& section) { return section.Name == name; });
  return found == sections.end() ? nullptr : &*found;
}

const TIniFile::TSection* TIniFile::FindSection(std::string_view name) const {
  return FindIn(sections_, name);
}

TIniFile::TSection* TIniFile::FindSection(std::string_view name) {
  return FindIn(sections_, name);
}

TIniFile TIniFile::Parse(std::string_view text) {
  TIniFile ini;
  TSection* current = nullptr;
  ForEachIniLine(
      text,
      [&](std::string_view name) {
        current = ini.FindSection(name);
        if (current == nullptr)
          current = &ini.sections_.emplace_back(TSection{std::string(name), {}});
      },
      [&](std::string_view line) {
        if (current == nullptr) return;
        // Carriage returns before the line end would read back one fewer each time the
        // file is written: they all belong to the line end.
        while (!line.empty() && line.back() == '\r') line.remove_suffix(1);
        if (Trim(line).front() == ';') {
          current->Lines.push_back({{}, std::string(line)});
        } else if (const auto equals = line.find('='); equals != std::string_view::npos) {
          const std::string_view key = Trim(line.substr(0, equals));
          if (!key.empty())
            current->Lines.push_back({std::string(key), std::string(line.substr(equals + 1))});
        }
      });
  return ini;
}

std::string TIniFile::ToText() const {
  std::string text;
  for (const TSection& section : sections_) {
    text += '[' + section.Name + "]\n";
    for (const TLine& line : section.Lines) {
      text += line.Key.empty() ? line.Text : line.Key + '=' + line.Text;
      text += '\n';
    }
    text += '\n';
  }
  return text;
}

std::optional<std::string> TIniFile::Find(std::string_view section, std::string_view key) const {
  if (const TSection* found = FindSection(section)) {
    for (const TLine& line : found->Lines) {
      if (!line.Key.empty() && line.Key == key) return line.Text;
    }
  }
  return std::nullopt;
}

std::string TIniFile::ReadString(std::string_view section, std::string_view key,
                                 std::string_view fallback) const {
  return Find(section, key).value_or(std::string(fallback));
}

int64_t TIniFile::ReadInt64(std::string_view section, std::string_view key,
                            int64_t fallback) const {
  const auto value = Find(section, key);
  return value ? ParseInt64(*value).value_or(fallback) : fallback;
}

int TIniFile::ReadInteger(std::string_view section, std::string_view key, int fallback) const {
  const int64_t value = ReadInt64(section, key, fallback);
  if (value < INT32_MIN || value > INT32_MAX) return fallback;
  return static_cast<int>(value);
}

bool TIniFile::ReadBool(std::string_view section, std::string_view key, bool fallback) const {
  return ReadInt64(section, key, fallback ? 1 : 0) != 0;
}

void TIniFile::WriteString(std::string_view section, std::string_view key, std::string_view value) {
  const auto hasLineBreak = [](std::string_view text) {
    return text.find_first_of("\r\n") != std::string_view::npos;
  };
  if (key.empty() || Trim(key) != key || key.find('=') != std::string_view::npos ||
      key.front() == ';' || key.front() == '[' || hasLineBreak(key)) {
    throw TError("Invalid settings key \"" + std::string(key) + "\"");
  }
  if (hasLineBreak(value)) {
    throw TError("Invalid value of settings key \"" + std::string(key) + "\"");
  }
  if (section.empty() || hasLineBreak(section) || section.find(']') != std::string_view::npos) {
    throw TError("Invalid settings section \"" + std::string(section) + "\"");
  }
  TSection* found = FindSection(section);
  if (found == nullptr) found = &sections_.emplace_back(TSection{std::string(section), {}});
  for (TLine& line : found->Lines) {
    if (line.Key == key) {
      line.Text = value;
      return;
    }
  }
  found->Lines.push_back({std::string(key), std::string(value)});
}

void TIniFile::WriteInteger(std::string_view section, std::string_view key, int64_t value) {
  WriteString(section, key, std::to_string(value));
}

void TIniFile::WriteBool(std::string_view section, std::string_view key, bool value) {
  WriteString(section, key, value ? "1" : "0");
}

bool TIniFile::SectionExists(std::string_view section) const {
  return FindSection(section) != nullptr;
}

void TIniFile::EraseSection(std::string_view section) {
  std::erase_if(sections_, [&](const TSection& s) { return s.Name == section; });
}

std::vector<std::string> TIniFile::Sections() const {
  std::vector<std::string> names;
  for (const TSection& section : sections_) names.push_back(section.Name);
  return names;
}

std::vector<std::string> TIniFile::Keys(std::string_view section) const {
  std::vector<std::string> keys;
  if (const TSection* found = FindSection(section)) {
    for (const TLine& line : found->Lines) {
      if (!line.Key.empty()) keys.push_back(line.Key);
    }
  }
  return keys;
}

}  // namespace tavrik
