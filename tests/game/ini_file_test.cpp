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
      "\r\n"
      "[Empty]\n"
      "[Params]\n"
      "Formula=a=b\n"
      "Leading=  two blanks\n"
      "Left=first\n"
      "Left=second\n"
      "no equals sign\n"
      "=no key\n"
      "[MainWindow 1920#1080]\n"
      "Top=20\n"
      "[After]\n"
      "Key=value\0padding=ignored\n";
  const TIniFile ini = TIniFile::Parse(std::string_view(text.data(), text.size()));
  EXPECT_EQ(ini.Sections(), (Strings{"MainWindow 1920#1080", "Empty", "Params", "After"}));
  EXPECT_EQ(ini.Keys("MainWindow 1920#1080"), (Strings{"Left", "Caption", "Top"}));
  EXPECT_EQ(ini.Keys("Params"), (Strings{"Formula", "Leading", "Left", "Left"}));
  struct Case {
    const char* section;
    const char* key;
    std::optional<std::string> value;
  };
  const Case cases[] = {
      {"MainWindow 1920#1080", "Left", " 10"},
      {"MainWindow 1920#1080", "Caption", "Play error hands "},
      {"MainWindow 1920#1080", "Top", "20"},
      {"Params", "Formula", "a=b"},
      {"Params", "Leading", "  two blanks"},
      {"Params", "Left", "first"},
      {"After", "Key", "value"},
      {"After", "padding", std::nullopt},
      {"Params", "left", std::nullopt},
      {"params", "Left", std::nullopt},
      {"Missing", "Key", std::nullopt},
      {"Empty", "", std::nullopt},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(std::string(c.section) + "/" + c.key);
    EXPECT_EQ(ini.Find(c.section, c.key), c.value);
  }
}

TEST(IniFile, WritesBackWhatItRead) {
  const std::string text =
      "[Preferences]\n"
      "DealSpeed=100\n"
      "; kept comment\n"
      "SaveForNewGame=Save values for new game \n"
      "\n"
      "[MainWindow 1920#1080]\n"
      "Left=-3\n"
      "\n";
  const TIniFile ini = TIniFile::Parse(text);
  EXPECT_EQ(ini.ToText(), text);
  EXPECT_EQ(TIniFile::Parse(ini.ToText()).ToText(), text);
}

TEST(IniFile, TypedValues) {
  const TIniFile ini = TIniFile::Parse(
      "[S]\nPlain=42\nBlanks= -7 \nPlus=+5\nBig=5000000000\nText=12abc\nEmpty=\n"
      "Zero=0\nTwo=2\n");
  struct Case {
    const char* key;
    int64_t asInt64;
    int asInt;
    bool asBool;  // with fallback true
  };
  const Case cases[] = {
      {"Plain", 42, 42, true},       {"Blanks", -7, -7, true}, {"Plus", 5, 5, true},
      {"Big", 5000000000, 99, true},  // does not fit in 32 bits: the fallback
      {"Text", 99, 99, true},        {"Empty", 99, 99, true},  {"Missing", 99, 99, true},
      {"Zero", 0, 0, false},         {"Two", 2, 2, true},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.key);
    EXPECT_EQ(ini.ReadInt64("S", c.key, 99), c.asInt64);
    EXPECT_EQ(ini.ReadInteger("S", c.key, 99), c.asInt);
    EXPECT_EQ(ini.ReadBool("S", c.key, true), c.asBool);
  }
  EXPECT_FALSE(ini.ReadBool("S", "Text", false));
  EXPECT_EQ(ini.ReadString("S", "Missing", "default"), "default");
  EXPECT_EQ(ini.ReadString("S", "Empty", "default"), "");
}

TEST(IniFile, WritingKeepsOrder) {
  TIniFile ini = TIniFile::Parse("[A]\nx=1\ny=2\n[B]\nz=3\n");
  ini.WriteString("A", "x", "changed ");
  ini.WriteString("A", "w", "new");
  ini.WriteInteger("C", "big", -5000000000);
  ini.WriteBool("C", "flag", true);
  ini.WriteBool("C", "other", false);
  EXPECT_EQ(ini.ToText(),
            "[A]\nx=changed \ny=2\nw=new\n\n[B]\nz=3\n\n[C]\nbig=-5000000000\nflag=1\nother=0\n\n");
  ini.EraseSection("A");
  EXPECT_FALSE(ini.SectionExists("A"));
  EXPECT_TRUE(ini.SectionExists("B"));
  EXPECT_EQ(ini.Sections(), (Strings{"B", "C"}));
  ini.EraseSection("Missing");
  EXPECT_EQ(ini.Sections(), (Strings{"B", "C"}));
}

TEST(IniFile, RefusesWhatCouldNotBeReadBack) {
  TIniFile ini;
  const std::pair<const char*, const char*> badKeys[] = {
      {"", "v"},   {" k", "v"},  {"k ", "v"},          {"a=b", "v"},  {";k", "v"},
      {"[k", "v"}, {"k\n", "v"}, {"k", "line\nbreak"}, {"k", "cr\r"},
  };
  for (const auto& [key, value] : badKeys) {
    SCOPED_TRACE(key);
    EXPECT_THROW(ini.WriteString("S", key, value), TError);
  }
  EXPECT_THROW(ini.WriteString("a]b", "k", "v"), TError);
  EXPECT_THROW(ini.WriteString("", "k", "v"), TError);
  EXPECT_TRUE(ini.Sections().empty());
}

}  // namespace
}  // namespace tavrik
