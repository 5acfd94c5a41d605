#include "game/preferences.h"

#include <sys/stat.h>

#include "core/data_files.h"
#include "game_test_support.h"

namespace tavrik::test {
namespace {

TEST(Preferences, BuiltInTexts) {
  TempFolder folder;
  const TPreferences preferences;
  // Section, key, text: blanks at the end kept, commented-out and unknown keys empty.
  const std::tuple<const char*, const char*, const char*> cases[] = {
      {"Charts.ChartLossOnErrors", "LegendYour", "Real loss on errors "},
      {"Charts.ChartAccuracy", "LegendBest", ""},
      {"Statistics.Balance", "Column1", ""},
      {"DeckDialog", "017", "Karte mit Jagdmotiven"},
      {"DeckDialog", "002", ""},
      {"Main.Buttons", "deal", ""},
  };
  for (const auto& [section, key, text] : cases) {
    EXPECT_EQ(preferences.GetText(section, key), text) << section << "/" << key;
  }
  EXPECT_EQ(preferences.SetWindowCaption("ClearByFilter"), "  Clear by filter");
  EXPECT_EQ(preferences.GetHint("Main.Labels", "Info"),
            "Bankroll progress monitor: the blue line is\r\n"
            "your bankroll, the teal line the bankroll of\r\n"
            "perfect strategy");
}

TEST(Preferences, WrapText) {
  const std::tuple<const char*, size_t, const char*> cases[] = {
      {"exactly ten", 11, "exactly ten"},
      {"one two three", 7, "one two\r\nthree"},
      {"one  two", 4, "one\r\ntwo"},
      {"well-known words", 8, "well-\r\nknown\r\nwords"},
      {"tab\tseparated", 5, "tab\r\nseparated"},
      {"a verylongwordthatdoesnotfit b", 6, "a\r\nverylongwordthatdoesnotfit\r\nb"},
      {"line\r\nbreak kept here", 9, "line\r\nbreak\r\nkept here"},
      {"trailing-", 5, "trailing-"},
  };
  for (const auto& [text, width, wrapped] : cases) {
    EXPECT_EQ(WrapText(text, width), wrapped) << text;
  }
}

// The digits are written back in order, each as read (what each keeps is checked with the
// engine, how they are read below).
TEST(Preferences, AutosaveDigitsAreWrittenInOrder) {
  EXPECT_EQ(TPreferences::FormatAutosave(TPreferences::ParseAutosave("654321")), "123456");
  for (const std::string digits : {"", "1", "2", "3", "4", "5", "6"}) {
    EXPECT_EQ(TPreferences::FormatAutosave(TPreferences::ParseAutosave(digits)), digits);
  }
}

TEST(Preferences, ReadsItsKeys) {
  // Settings text, deal speed, autosave flags, save for new game, warning threshold.
  const std::tuple<const char*, int, uint8_t, bool, double> cases[] = {
      {"", 100, 7, true, 0.01},        // no file at all
      {"<fifo>", 100, 7, true, 0.01},  // a FIFO is not waited on
      {"[Preferences]\nDealSpeed=-5\nAutosave=\nSaveForNewGame=0\nWarningCents=-3\n", 0, 0, false,
       0},
      {"[Preferences]\nDealSpeed=500\nAutosave=654321\nWarningCents=900\n", 200, 63, true, 5},
      {"[Preferences]\nDealSpeed=fast\nAutosave=x1 0 7 9 1\nWarningCents=25\n", 100, 1, true, 0.25},
  };
  for (const auto& [text, dealSpeed, flags, saveForNewGame, threshold] : cases) {
    SCOPED_TRACE(text);
    TempFolder folder;
    if (std::string_view(text) == "<fifo>") {
      std::filesystem::create_directories(folder.DataFolder());
      ASSERT_EQ(::mkfifo((folder.DataFolder() / "Tavrik.ini").c_str(), 0600), 0);
    } else if (*text != '\0') {
      WriteSettings(folder, text);
    }
    const TPreferences preferences;
    EXPECT_EQ(preferences.DealSpeed(), dealSpeed);
    EXPECT_EQ(preferences.AutosaveFlags, flags);
    EXPECT_EQ(preferences.SaveForNewGame, saveForNewGame);
    EXPECT_EQ(preferences.WarningThreshold(), threshold);
  }
}

TEST(Preferences, SavesTheWholeSettingsFile) {
  TempFolder folder;
  WriteSettings(folder,
                "[MainWindow 1920#1080]\r\nLeft=12\r\n[Preferences]\r\nDealSpeed=20\r\n"
                "Extra=kept \r\n");
  {
    TPreferences preferences;
    preferences.AutosaveFlags = AUTOSAVE_HANDS | AUTOSAVE_CREDITS;
    preferences.SaveForNewGame = false;
    preferences.SetDealSpeed(250);
    preferences.SetWarningThreshold(0.3749);
    preferences.Settings.WriteString("Params", "Bet", "4");
  }
  EXPECT_EQ(ReadWholeFile(folder.DataFolder() / "Tavrik.ini"),
            "[MainWindow 1920#1080]\nLeft=12\n\n"
            "[Preferences]\nDealSpeed=200\nExtra=kept \nAutosave=14\nSaveForNewGame=0\n"
            "WarningCents=37\n\n"
            "[Params]\nBet=4\n\n");
}

}  // namespace
}  // namespace tavrik::test
