#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace tavrik {

// A decimal 64-bit integer with an optional sign and blanks around it; nothing when the
// text holds anything else or the number does not fit.
std::optional<int64_t> ParseInt64(std::string_view text);

// An INI text held in memory: sections in file order, each with its keys in file order.
// Section lines are "[name]" (the name is everything between the brackets, blanks and "#"
// included: "MainWindow 1920#1080"); key lines are "key=value", the key trimmed and the
// value taken exactly as it stands up to the end of the line, trailing blanks included.
// Lines starting with ";" are comments; they are kept and written back in place. Lines of
// any other form, and key lines before the first section, are ignored. Sections and keys
// are matched exactly (case counts); of repeated keys the first one holds.
class TIniFile {
 public:
  // Reads INI text with "\n" or "\r\n" line ends. Text after a NUL (padding) is ignored.
  static TIniFile Parse(std::string_view text);
  // The whole INI as text with "\n" line ends: each section's line, its lines, and an
  // empty line.
  std::string ToText() const;

  // The value of a key; nothing when the section or the key is missing.
  std::optional<std::string> Find(std::string_view section, std::string_view key) const;
  std::string ReadString(std::string_view section, std::string_view key,
                         std::string_view fallback) const;
  // A decimal integer; `fallback` when missing or not a number (blanks around it allowed).
  int64_t ReadInt64(std::string_view section, std::string_view key, int64_t fallback) const;
  int ReadInteger(std::string_view section, std::string_view key, int fallback) const;
  // "0" is false and any other integer true; `fallback` when missing or not a number.
  bool ReadBool(std::string_view section, std::string_view key, bool fallback) const;

  // Sets a key's value, adding the key at the end of its section and the section at the end
  // of the file when missing. Raises TError for a key that could not be read back (empty,
  // with "=", a line break, or blanks around it) or a value with a line break.
  void WriteString(std::string_view section, std::string_view key, std::string_view value);
  void WriteInteger(std::string_view section, std::string_view key, int64_t value);
  void WriteBool(std::string_view section, std::string_view key, bool value);

  bool SectionExists(std::string_view section) const;
  // Removes a section with all its lines.
  void EraseSection(std::string_view section);
  // Section names in file order.
  std::vector<std::string> Sections() const;
  // Key names of a section in file order (comments left out).
  std::vector<std::string> Keys(std::string_view section) const;

 private:
  struct TLine {
    std::string Key;   // empty for a comment
    std::string Text;  // the value, or the whole comment line
  };
  struct TSection {
    std::string Name;
    std::vector<TLine> Lines;
  };
  template <class List>
  static auto* FindIn(List& sections, std::string_view name);
  const TSection* FindSection(std::string_view name) const;
  TSection* FindSection(std::string_view name);

  std::vector<TSection> sections_;
};

}  // namespace tavrik
