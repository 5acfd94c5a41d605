#pragma once

#include <cstdint>
#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

#include "game/ini_file.h"
#include "records/mistake.h"

namespace tavrik {

// Bits of TPreferences::AutosaveFlags: the play counters that survive a restart.
enum TAutosaveFlag : uint8_t {
  AUTOSAVE_CREDITS = 1,
  AUTOSAVE_BALANCE = 2,
  AUTOSAVE_VALUE = 4,  // coin value
  AUTOSAVE_ACCURACY = 8,
  AUTOSAVE_HANDS = 16,
  AUTOSAVE_TIME = 32,
};

// The built-in English localisation, parsed once; for readers that need the texts but not
// the player's settings (the command-line tool).
const TIniFile& BuiltInLocalisation();

// The player's preferences, the settings file Tavrik.ini (held whole in Settings while the
// program runs; other parts read and write their own sections there) and the interface
// texts (the built-in English localisation, looked up by section and key).
class TPreferences {
 public:
  static constexpr std::string_view SettingsFileName = "Tavrik.ini";
  static constexpr std::string_view Section = "Preferences";
  static constexpr int MinDealSpeed = 0;
  static constexpr int MaxDealSpeed = 200;
  // Hints are wrapped to lines of at most this many characters.
  static constexpr size_t HintLineLength = 45;

  // Loads the built-in localisation and the settings file from ReadPath("Tavrik.ini") (a
  // missing or unreadable file gives an empty one), and reads the "Preferences" keys.
  TPreferences();
  // Save(); a failure is reported on standard error.
  ~TPreferences();
  TPreferences(const TPreferences&) = delete;
  TPreferences& operator=(const TPreferences&) = delete;

  // Writes the "Preferences" keys into Settings, then the whole of Settings to
  // WritePath("Tavrik.ini"), replacing the file atomically. Raises TError on failure.
  void Save();

  // The localised text of a key; empty when missing.
  std::string GetText(std::string_view section, std::string_view key) const;
  // The text of key + ".Hint", wrapped to lines of at most 45 characters (a longer word
  // stays whole) at blanks, tabs and hyphens; lines are joined by "\r\n".
  std::string GetHint(std::string_view section, std::string_view key) const;
  // A window's caption: two blanks and the section's "WindowName" text.
  std::string SetWindowCaption(std::string_view section) const;

  // "Autosave" digit text <-> flags: "1" credits, "2" balance, "3" value, "4" hands,
  // "5" time, "6" accuracy; other characters are ignored. Written in ascending digit order.
  static uint8_t ParseAutosave(std::string_view digits);
  static std::string FormatAutosave(uint8_t flags);

  // Milliseconds per dealt card, 0..200.
  int DealSpeed() const { return dealSpeed_; }
  // Sets the dealing speed, clamped to 0..200.
  void SetDealSpeed(int milliseconds);

  // Coins a hold must fall short of the best one by before the warning shows (0..5, in
  // hundredths of a coin).
  static constexpr double MaxWarningThreshold = 5;
  double WarningThreshold() const { return warningThreshold_; }
  // Sets the threshold, clamped to 0..5 and rounded to hundredths.
  void SetWarningThreshold(double coins);

  // Picks the interface font from the installed font families: "Tahoma" when installed,
  // else the empty name, which stands for the platform's default interface font.
  void ChooseFont(const std::vector<std::string>& installedFamilies);

  // The folder of the help pages beside the program.
  static std::filesystem::path HelpFolder();

  TIniFile Localisation;
  TIniFile Settings;
  std::string FontName;  // empty: the platform's default interface font
  uint8_t AutosaveFlags = AUTOSAVE_CREDITS | AUTOSAVE_BALANCE | AUTOSAVE_VALUE;
  bool SaveForNewGame = true;  // false: a change of game resets the play counters

 private:
  int dealSpeed_ = 100;
  double warningThreshold_ = DefaultWarningThreshold;
};

// Wraps text to lines of at most `width` characters, breaking after hyphens and at blanks
// and tabs (which are dropped at the break); a longer word stays whole. Existing line
// breaks are kept. Lines are joined by "\r\n".
std::string WrapText(std::string_view text, size_t width);

// The one process-wide preferences object, created on first use.
TPreferences& GetPreferences();
// Destroys the process-wide object (which writes the settings file); the next
// GetPreferences creates a new one.
void FreePreferences();

}  // namespace tavrik
