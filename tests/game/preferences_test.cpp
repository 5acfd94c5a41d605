#include "game/preferences.h"

#include <gtest/gtest.h>

#include <fstream>

#include "core/data_files.h"
#include "support/temp_folder.h"

namespace tavrik {
namespace {

namespace fs = std::filesystem;

void WriteSettings(const TempFolder& folder, const std::string& text) {
  fs::create_directories(folder.DataFolder());
  std::ofstream(folder.DataFolder() / "Tavrik.ini", std::ios::binary) << text;
}

std::string SettingsText(const TempFolder& folder) {
  return ReadWholeFile(folder.DataFolder() / "Tavrik.ini").value_or("<missing>");
}

TEST(Preferences, BuiltInTexts) {
  TempFolder folder;
  const TPreferences preferences;
  struct Case {
    const char* section;
    const char* key;
    const char* text;
  };
  const Case cases[] = {
      {"Info", "Version", "2.0"},
      {"Main.Buttons", "Deal", "Deal"},
      {"Main.Labels", "Accuracy.Hint",
       "Playing accuracy is the theoretical percent of realized profit opportunities"},
      {"Main.Messages", "Win", "YOU WIN %d"},
      {"Main.Messages", "MsgNoErrors",
       "There are no errors belong to the current game. Please, select another playing mode:"},
      {"Main.Menu", "Statistics", "Statictics"},
      {"Main.Menu", "About", "About"},
      {"Main.ConfirmMessages", "ClearLog", "Delete all records in statistics log?"},
      {"ClearByFilter", "From", "Older then"},
      {"Options", "Dollars", "$"},
      {"Charts.ChartBalance", "LeftAxis", "Balance,%s"},
      {"Charts.ChartLossOnErrors", "LegendYour", "Real loss on errors "},
      {"Charts.ChartAccuracy", "LegendBest", ""},  // commented out
      {"Preferences", "SaveForNewGame", "Save values for new game "},
      {"Preferences", "Quick", "Fast"},
      {"Warning", "Comment", "Your expected return is $%s  (%s%% of bet) less. "},
      {"Warning", "Confirm", "Don't show this warnings "},
      {"Statistics.Balance", "Column1", ""},
      {"Statistics.Balance", "Column3", "%"},
      {"Errors", "Serious", "Seriuos errors"},
      {"DeckDialog", "016", "Amstel 1870"},
      {"DeckDialog", "002", ""},  // commented out
      {"AllHands", "Probability", "Probability,%"},
      {"Missing", "Key", ""},
      {"Main.Buttons", "deal", ""},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(std::string(c.section) + "/" + c.key);
    EXPECT_EQ(preferences.GetText(c.section, c.key), c.text);
  }
  EXPECT_EQ(preferences.Localisation.Sections().size(), 30u);
  EXPECT_EQ(preferences.Localisation.Keys("Main.Menu").size(), 26u);
  EXPECT_EQ(preferences.Localisation.Keys("DeckDialog").size(), 9u);
  EXPECT_EQ(preferences.SetWindowCaption("ClearByFilter"), "  Clear by filter");
  EXPECT_EQ(preferences.SetWindowCaption("Missing"), "  ");
}

TEST(Preferences, HintsAreWrapped) {
  TempFolder folder;
  const TPreferences preferences;
  EXPECT_EQ(preferences.GetHint("Main.Labels", "Info"),
            "Bankroll progress monitor: blue line is your\r\n"
            "bankroll, green line is bankroll of perfect\r\n"
            "strategy");
  EXPECT_EQ(preferences.GetHint("Main.Labels", "Credits"), "Current bankroll amount in coins");
  EXPECT_EQ(preferences.GetHint("Main.Labels", "Missing"), "");
}

TEST(Preferences, WrapText) {
  struct Case {
    const char* text;
    size_t width;
    const char* wrapped;
  };
  const Case cases[] = {
      {"short", 10, "short"},
      {"exactly ten", 11, "exactly ten"},
      {"one two three", 7, "one two\r\nthree"},
      {"one  two", 4, "one\r\ntwo"},
      {"well-known words", 8, "well-\r\nknown\r\nwords"},
      {"tab\tseparated", 5, "tab\r\nseparated"},
      {"a verylongwordthatdoesnotfit b", 6, "a\r\nverylongwordthatdoesnotfit\r\nb"},
      {"verylongword", 4, "verylongword"},
      {"line\r\nbreak kept here", 9, "line\r\nbreak\r\nkept here"},
      {"trailing-", 5, "trailing-"},
      {"", 5, ""},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.text);
    EXPECT_EQ(WrapText(c.text, c.width), c.wrapped);
  }
}

TEST(Preferences, GradeError) {
  struct Case {
    double lossPercent;
    TErrorGrade grade;
  };
  const Case cases[] = {
      {-5, GRADE_NONE},       {0, GRADE_NONE},      {0.00001, GRADE_NONE}, {0.0000101, GRADE_MINOR},
      {1.99, GRADE_MINOR},    {2, GRADE_MEDIUM},    {19.99, GRADE_MEDIUM}, {20, GRADE_MEDIUM},
      {20.01, GRADE_SERIOUS}, {100, GRADE_SERIOUS},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.lossPercent);
    EXPECT_EQ(TPreferences::GradeError(c.lossPercent / 100), c.grade);
  }
}

TEST(Preferences, AutosaveDigits) {
  struct Case {
    const char* digits;
    uint8_t flags;
    const char* written;
  };
  const Case cases[] = {
      {"", 0, ""},
      {"123", AUTOSAVE_CREDITS | AUTOSAVE_BALANCE | AUTOSAVE_VALUE, "123"},
      {"654321", 63, "123456"},
      {"4", AUTOSAVE_HANDS, "4"},
      {"5", AUTOSAVE_TIME, "5"},
      {"6", AUTOSAVE_ACCURACY, "6"},
      {"x1 0 7 9 1", AUTOSAVE_CREDITS, "1"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.digits);
    EXPECT_EQ(TPreferences::ParseAutosave(c.digits), c.flags);
    EXPECT_EQ(TPreferences::FormatAutosave(c.flags), c.written);
  }
}

TEST(Preferences, DefaultsWithoutSettingsFile) {
  TempFolder folder;
  const TPreferences preferences;
  EXPECT_EQ(preferences.DealSpeed(), 100);
  EXPECT_EQ(preferences.AutosaveFlags, AUTOSAVE_CREDITS | AUTOSAVE_BALANCE | AUTOSAVE_VALUE);
  EXPECT_TRUE(preferences.SaveForNewGame);
  EXPECT_TRUE(preferences.Settings.Sections().empty());
}

TEST(Preferences, ReadsItsKeys) {
  struct Case {
    const char* lines;
    int dealSpeed;
    uint8_t flags;
    bool saveForNewGame;
  };
  const Case cases[] = {
      {"DealSpeed=-5\nAutosave=\nSaveForNewGame=0\n", 0, 0, false},
      {"DealSpeed=500\nAutosave=654\n", 200, AUTOSAVE_HANDS | AUTOSAVE_TIME | AUTOSAVE_ACCURACY,
       true},
      {"DealSpeed=fast\nSaveForNewGame=7\n", 100, 7, true},
      {"DealSpeed=60\n", 60, 7, true},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.lines);
    TempFolder folder;
    WriteSettings(folder, std::string("[Preferences]\n") + c.lines);
    const TPreferences preferences;
    EXPECT_EQ(preferences.DealSpeed(), c.dealSpeed);
    EXPECT_EQ(preferences.AutosaveFlags, c.flags);
    EXPECT_EQ(preferences.SaveForNewGame, c.saveForNewGame);
  }
  TPreferences preferences;
  preferences.SetDealSpeed(-1);
  EXPECT_EQ(preferences.DealSpeed(), 0);
  preferences.SetDealSpeed(201);
  EXPECT_EQ(preferences.DealSpeed(), 200);
}

TEST(Preferences, SavesTheWholeSettingsFile) {
  TempFolder folder;
  WriteSettings(folder,
                "[MainWindow 1920#1080]\r\nLeft=12\r\n[Preferences]\r\nDealSpeed=20\r\n"
                "Extra=kept \r\n[Cards]\r\nDeck=3\r\n");
  {
    TPreferences preferences;
    preferences.AutosaveFlags = AUTOSAVE_HANDS | AUTOSAVE_CREDITS;
    preferences.SaveForNewGame = false;
    preferences.Settings.WriteString("Params", "Bet", "4");
  }
  EXPECT_EQ(SettingsText(folder),
            "[MainWindow 1920#1080]\nLeft=12\n\n"
            "[Preferences]\nDealSpeed=20\nExtra=kept \nAutosave=14\nSaveForNewGame=0\n\n"
            "[Cards]\nDeck=3\n\n"
            "[Params]\nBet=4\n\n");
  const TPreferences again;
  EXPECT_EQ(again.DealSpeed(), 20);
  EXPECT_EQ(again.AutosaveFlags, AUTOSAVE_HANDS | AUTOSAVE_CREDITS);
  EXPECT_FALSE(again.SaveForNewGame);
  EXPECT_EQ(again.Settings.Find("Params", "Bet"), "4");
}

TEST(Preferences, FontChoice) {
  TempFolder folder;
  TPreferences preferences;
  preferences.ChooseFont({"DejaVu Sans", "Tahoma"});
  EXPECT_EQ(preferences.FontName, "Tahoma");
  preferences.ChooseFont({"DejaVu Sans", "tahoma bold"});
  EXPECT_EQ(preferences.FontName, "");
}

}  // namespace
}  // namespace tavrik
