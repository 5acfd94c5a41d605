#include "game/ini_file.h"

#include <gtest/gtest.h>

#include "core/error.h"

namespace tavrik {
namespace {

using Strings = std::vector<std::string>;

TEST(IniFile, ReadsSectionsAndKeysExactly) {
  const std::string text =
      "ignored=before any section\r\n"
      "[MainWindow 1920#1080]\r\n"
      "Left = 10\r\n"
      "; a comment\r\n"
      "Caption=Play error hands \r\n"
      "[Params]\n"
      "Formula=a=b\n"
      "Left=first\n"
      "Left=second\n"
      "no equals sign\n"
      "[MainWindow 1920#1080]\n"
      "Top=20\n"
      "Right=carriage returns\r\r\r\n"
      "[After]\n"
      "Key=value\0padding=ignored\n";
  const TIniFile ini = TIniFile::Parse(std::string_view(text.data(), text.size()));
  EXPECT_EQ(ini.Sections(), (Strings{"MainWindow 1920#1080", "Params", "After"}));
  EXPECT_EQ(ini.Keys("MainWindow 1920#1080"), (Strings{"Left", "Caption", "Top", "Right"}));
  const std::tuple<const char*, const char*, std::optional<std::string>> cases[] = {
      {"MainWindow 1920#1080", "Left", " 10"},
      {"MainWindow 1920#1080", "Caption", "Play error hands "},
      {"Params", "Formula", "a=b"},
      {"Params", "Left", "first"},
      {"MainWindow 1920#1080", "Right", "carriage returns"},  // as written back
      {"After", "Key", "value"},
      {"After", "padding", std::nullopt},
      {"params", "Left", std::nullopt}};
  for (const auto& [section, key, value] : cases) {
    SCOPED_TRACE(std::string(section) + "/" + key);
    EXPECT_EQ(ini.Find(section, key), value);
  }
}

TEST(IniFile, WritesBackWhatItReadAndKeepsOrder) {
  const std::string text =
      "[Preferences]\nDealSpeed=100\n; kept comment\nSaveForNewGame=Save values for new game \n\n"
      "[MainWindow 1920#1080]\nLeft=-3\n\n";
  TIniFile ini = TIniFile::Parse(text);
  EXPECT_EQ(ini.ToText(), text);
  ini.WriteString("Preferences", "DealSpeed", "20 ");
  ini.WriteInteger("Params", "Balance", -5000000000);
  ini.WriteBool("Params", "ShowWarnings", false);
  ini.EraseSection("MainWindow 1920#1080");
  EXPECT_EQ(ini.ToText(),
            "[Preferences]\nDealSpeed=20 \n; kept comment\nSaveForNewGame=Save values for new "
            "game \n\n[Params]\nBalance=-5000000000\nShowWarnings=0\n\n");
  for (const auto& [key, value] :
       {std::pair{"", "v"}, {" k", "v"}, {"a=b", "v"}, {";k", "v"}, {"k", "line\nbreak"}}) {
    EXPECT_THROW(ini.WriteString("S", key, value), TError) << key;
  }
  EXPECT_FALSE(ini.SectionExists("S"));
}

TEST(IniFile, TypedValues) {
  const TIniFile ini =
      TIniFile::Parse("[S]\nPlain=42\nBlanks= -7 \nBig=5000000000\nText=12abc\nEmpty=\nZero=0\n");
  // Key, as 64-bit integer, as integer, as boolean (each with its fallback 99 / true).
  const std::tuple<const char*, int64_t, int, bool> cases[] = {
      {"Plain", 42, 42, true}, {"Blanks", -7, -7, true}, {"Big", 5000000000, 99, true},
      {"Text", 99, 99, true},  {"Empty", 99, 99, true},  {"Missing", 99, 99, true},
      {"Zero", 0, 0, false}};
  for (const auto& [key, asInt64, asInt, asBool] : cases) {
    SCOPED_TRACE(key);
    EXPECT_EQ(ini.ReadInt64("S", key, 99), asInt64);
    EXPECT_EQ(ini.ReadInteger("S", key, 99), asInt);
    EXPECT_EQ(ini.ReadBool("S", key, true), asBool);
  }
}

}  // namespace
}  // namespace tavrik
