#include "game/preferences.h"

#include <algorithm>
#include <cmath>
#include <iostream>
#include <memory>

#include "core/data_files.h"

namespace tavrik {

namespace embedded {
extern const std::string_view Localisation;
}

namespace {

// Autosave digits "1".."6" in order and the flag each stands for.
constexpr uint8_t AutosaveDigitFlags[] = {AUTOSAVE_CREDITS, AUTOSAVE_BALANCE, AUTOSAVE_VALUE,
                                          AUTOSAVE_HANDS,   AUTOSAVE_TIME,    AUTOSAVE_ACCURACY};

std::unique_ptr<TPreferences>& Instance() {
  static std::unique_ptr<TPreferences> instance;
  return instance;
}

}  // namespace

const TIniFile& BuiltInLocalisation() {
  static const TIniFile localisation = TIniFile::Parse(embedded::Localisation);
  return localisation;
}

TPreferences::TPreferences() : Localisation(BuiltInLocalisation()) {
  if (const auto text = ReadWholeFile(ReadPath(SettingsFileName))) {
    Settings = TIniFile::Parse(*text);
  }
  SetDealSpeed(Settings.ReadInteger(Section, "DealSpeed", dealSpeed_));
  if (const auto digits = Settings.Find(Section, "Autosave")) {
    AutosaveFlags = ParseAutosave(*digits);
  }
  SaveForNewGame = Settings.ReadBool(Section, "SaveForNewGame", SaveForNewGame);
  // In hundredths of a coin: a whole number reads back exactly.
  SetWarningThreshold(Settings.ReadInteger(Section, "WarningCents", 1) / 100.0);
}

TPreferences::~TPreferences() {
  try {
    Save();
  } catch (const std::exception& error) {
    std::cerr << "tavrik: " << error.what() << '\n';
  }
}

void TPreferences::Save() {
  Settings.WriteInteger(Section, "DealSpeed", dealSpeed_);
  Settings.WriteString(Section, "Autosave", FormatAutosave(AutosaveFlags));
  Settings.WriteBool(Section, "SaveForNewGame", SaveForNewGame);
  Settings.WriteInteger(Section, "WarningCents",
                        static_cast<int>(std::lround(warningThreshold_ * 100)));
  WriteFileAtomically(WritePath(SettingsFileName), Settings.ToText());
}

std::string TPreferences::GetText(std::string_view section, std::string_view key) const {
  return Localisation.ReadString(section, key, "");
}

std::string TPreferences::GetHint(std::string_view section, std::string_view key) const {
  return WrapText(GetText(section, std::string(key) + ".Hint"), HintLineLength);
}

std::string TPreferences::SetWindowCaption(std::string_view section) const {
  return "  " + GetText(section, "WindowName");
}

uint8_t TPreferences::ParseAutosave(std::string_view digits) {
  uint8_t flags = 0;
  for (char digit : digits) {
    if (digit >= '1' && digit <= '6') flags |= AutosaveDigitFlags[digit - '1'];
  }
  return flags;
}

std::string TPreferences::FormatAutosave(uint8_t flags) {
  std::string digits;
  for (size_t i = 0; i < std::size(AutosaveDigitFlags); ++i) {
    if ((flags & AutosaveDigitFlags[i]) != 0) digits += static_cast<char>('1' + i);
  }
  return digits;
}

void TPreferences::SetWarningThreshold(double coins) {
  // NaN compares false both ways and becomes 0.
  const double clamped = coins > 0 ? std::min(coins, MaxWarningThreshold) : 0.0;
  warningThreshold_ = std::round(clamped * 100) / 100;
}

void TPreferences::SetDealSpeed(int milliseconds) {
  dealSpeed_ = std::clamp(milliseconds, MinDealSpeed, MaxDealSpeed);
}

void TPreferences::ChooseFont(const std::vector<std::string>& installedFamilies) {
  const bool hasTahoma = std::find(installedFamilies.begin(), installedFamilies.end(), "Tahoma") !=
                         installedFamilies.end();
  FontName = hasTahoma ? "Tahoma" : "";
}

std::filesystem::path TPreferences::HelpFolder() {
  return ProgramFolder() / "help";
}

std::string WrapText(std::string_view text, size_t width) {
  const auto isBlank = [](char c) { return c == ' ' || c == '\t'; };
  std::string wrapped;
  std::string line;
  const auto endLine = [&](std::string_view part) {
    wrapped += part;
    wrapped += "\r\n";
  };
  // Breaks `line` while it is too long: at the last break that leaves at most `width`
  // characters, else (a longer word) at the first break after it.
  const auto breakLine = [&] {
    while (line.size() > width) {
      size_t cut = std::string::npos;  // length of the line before the break
      size_t rest = 0;                 // where the next line starts
      for (size_t i = 0; i < line.size(); ++i) {
        size_t here = std::string::npos;
        if (isBlank(line[i]) && i > 0) {
          here = i;
        } else if (line[i] == '-' && i + 1 < line.size()) {
          here = i + 1;
        }
        if (here == std::string::npos) continue;
        if (here > width && cut != std::string::npos) break;
        cut = here;
        rest = i + 1;
        if (here > width) break;
      }
      if (cut == std::string::npos) return;
      const std::string_view part = std::string_view(line).substr(0, cut);
      endLine(part.substr(0, part.find_last_not_of(" \t") + 1));
      const size_t next = line.find_first_not_of(" \t", rest);
      line.erase(0, next == std::string::npos ? line.size() : next);
    }
  };
  for (size_t i = 0; i < text.size(); ++i) {
    const char c = text[i];
    if (c == '\r' || c == '\n') {
      if (c == '\r' && i + 1 < text.size() && text[i + 1] == '\n') ++i;
      breakLine();
      endLine(line);
      line.clear();
      continue;
    }
    line += c;
    if (line.size() > width) breakLine();
  }
  breakLine();
  wrapped += line;
  return wrapped;
}

TPreferences& GetPreferences() {
  auto& instance = Instance();
  if (!instance) instance = std::make_unique<TPreferences>();
  return *instance;
}

void FreePreferences() {
  Instance().reset();
}

}  // namespace tavrik
