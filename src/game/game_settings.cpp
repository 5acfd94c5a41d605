// What the game engine keeps in the settings file between runs: the game, the recently
// played games, the bet, the mode and options, and the counters the player chose to keep.
#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstdio>
#include <optional>
#include <string>

#include "core/error.h"
#include "core/game_list.h"
#include "core/text.h"
#include "game/game_engine.h"

namespace tavrik {

namespace {

constexpr std::string_view MRUSection = "MRU";
constexpr std::string_view ParamsSection = "Params";
constexpr int MRUKeys = 10;  // keys "0".."9" are read; "0" is the game being played
constexpr double SecondsPerDay = 86400;
// Limits of the saved counters (a billion coins, two billion hands, ten trillion dollars).
constexpr int64_t MaxCredits = 1'000'000'000;
constexpr int64_t MaxHands = 2'000'000'000;
constexpr int64_t MaxBalanceCents = 1'000'000'000'000'000;

// Reads "H:MM:SS" with any number of hours, and the older time-of-day form with "AM" or
// "PM" ("2:13:05 PM"); nothing for anything else.
std::optional<double> ParsePlayTime(std::string_view text) {
  text = Trim(text);
  std::optional<int64_t> hourShift;  // for the 12-hour form
  for (const auto& [suffix, shift] : {std::pair{"AM", 0}, std::pair{"PM", 12}}) {
    const std::string_view marker = suffix;
    if (text.size() > marker.size() && text.substr(text.size() - marker.size()) == marker) {
      text = Trim(text.substr(0, text.size() - marker.size()));
      hourShift = shift;
    }
  }
  const auto first = text.find(':');
  const auto second = text.find(':', first == std::string_view::npos ? first : first + 1);
  if (first == std::string_view::npos || second == std::string_view::npos) return {};
  const auto hours = ParseInt64(text.substr(0, first));
  const auto minutes = ParseInt64(text.substr(first + 1, second - first - 1));
  const auto seconds = ParseInt64(text.substr(second + 1));
  if (!hours || !minutes || !seconds || *hours < 0 || *minutes < 0 || *minutes > 59 ||
      *seconds < 0 || *seconds > 59 || *hours > 1000000000) {
    return {};
  }
  int64_t hour = *hours;
  if (hourShift) {
    if (hour < 1 || hour > 12) return {};
    hour = hour % 12 + *hourShift;
  }
  return static_cast<double>((hour * 60 + *minutes) * 60 + *seconds) / SecondsPerDay;
}

// A float with "." whatever the locale, in the shortest form that reads back exactly.
std::string FormatFloat(double value) {
  char text[64];
  const auto result = std::to_chars(text, text + sizeof text, value);
  return std::string(text, result.ptr);
}

// A float with "." or "," as the decimal separator; nothing when it is not one.
std::optional<double> ParseFloat(std::string_view text) {
  std::string normal(Trim(text));
  if (const auto comma = normal.find(','); comma != std::string::npos) normal[comma] = '.';
  if (!normal.empty() && normal.front() == '+') normal.erase(0, 1);
  double value = 0;
  const auto [end, error] = std::from_chars(normal.data(), normal.data() + normal.size(), value);
  if (normal.empty() || error != std::errc() || end != normal.data() + normal.size() ||
      !std::isfinite(value)) {
    return {};
  }
  return value;
}

double ReadFloat(const TIniFile& ini, std::string_view key, double fallback) {
  const auto text = ini.Find(ParamsSection, key);
  if (!text) return fallback;
  return ParseFloat(*text).value_or(fallback);
}

// A stored game key that names a game and paytable.
bool IsGameKey(std::string_view key) {
  return GameFromKey(key) >= 0 && PaytableFromKey(key) >= 0;
}

}  // namespace

std::string FormatPlayTime(double days) {
  const double seconds = std::isfinite(days) && days > 0 ? std::round(days * SecondsPerDay) : 0;
  const auto total = static_cast<long long>(std::min(seconds, 1e15));
  char text[40];
  std::snprintf(text, sizeof text, "%02lld:%02lld:%02lld", total / 3600, total / 60 % 60,
                total % 60);
  return text;
}

int64_t BalanceCents(double dollars) {
  // 64 bits hold any balance a player can reach.
  const double cents = std::nearbyint(dollars * 100);
  Require(std::isfinite(cents) && std::fabs(cents) < 9.2e18, "Balance out of range");
  return static_cast<int64_t>(cents);
}

void TGameEngine::LoadFromIni(const TIniFile& settings) {
  WithContext("LoadFromIni", [&] {
    mruList_.clear();
    for (int key = 0; key < MRUKeys; ++key) {
      const std::string value = settings.ReadString(MRUSection, std::to_string(key), "");
      if (IsGameKey(value) &&
          std::find(mruList_.begin(), mruList_.end(), value) == mruList_.end()) {
        mruList_.push_back(value);
      }
    }
    // The game of key "0", else the most recent one, else Jacks or better.
    std::string open = settings.ReadString(MRUSection, "0", "");
    if (open.empty() && !mruList_.empty()) open = mruList_.front();
    try {
      if (!IsGameKey(open)) throw TError("No saved game");
      SelectPoker(GameFromKey(open), PaytableFromKey(open));
    } catch (const TError&) {
      // A first start, or a saved game that cannot be opened (an unknown game or
      // paytable), opens the game players know best.
      std::erase(mruList_, open);
      SelectPoker(GAME_JACKS_OR_BETTER, 0);
    }
    if (mruList_.size() > 5) mruList_.resize(5);

    const uint8_t flags = preferences_.AutosaveFlags;
    // Counters are clamped to ranges that leave room for any number of rounds a player can
    // play, so that no round overflows them and each saves back as it was read.
    if ((flags & AUTOSAVE_CREDITS) != 0) {
      credits_ = static_cast<int32_t>(std::clamp<int64_t>(
          settings.ReadInt64(ParamsSection, "Credits", StartCredits), -MaxCredits, MaxCredits));
    }
    if ((flags & AUTOSAVE_BALANCE) != 0) {
      balance_ = static_cast<double>(std::clamp(settings.ReadInt64(ParamsSection, "Balance", 0),
                                                -MaxBalanceCents, MaxBalanceCents)) /
                 100;
    }
    if ((flags & AUTOSAVE_VALUE) != 0) {
      const int value = settings.ReadInteger(ParamsSection, "Value", 0);
      coinValueIndex_ = value >= 0 && value < static_cast<int>(CoinValues.size()) ? value : 0;
    }
    if ((flags & AUTOSAVE_ACCURACY) != 0) {
      sumPlayerReturn_ = ReadFloat(settings, "ER1", 0);
      sumPerfectReturn_ = ReadFloat(settings, "ER2", 0);
    }
    if ((flags & AUTOSAVE_HANDS) != 0) {
      handsPlayed_ = static_cast<int32_t>(
          std::clamp<int64_t>(settings.ReadInt64(ParamsSection, "Hands", 0), 0, MaxHands));
    }
    if ((flags & AUTOSAVE_TIME) != 0) {
      savedTime_ = ParsePlayTime(settings.ReadString(ParamsSection, "Time", "")).value_or(0);
    }
    const int bet = settings.ReadInteger(ParamsSection, "Bet", 5);
    SetBet(bet >= 1 && bet <= MaxCoins ? bet : 5);
    const int mode = settings.ReadInteger(ParamsSection, "Mode", 1);
    // Problem hands are loaded at the first deal.
    mode_ = mode >= 0 && mode <= 3 ? static_cast<GameMode>(mode) : GameMode::Training;
    options_ = 0;
    if (settings.ReadBool(ParamsSection, "ShowResultHands", true)) options_ |= ShowResultHands;
    if (settings.ReadBool(ParamsSection, "ShowWarnings", true)) options_ |= ShowWarnings;
    // The perfect-strategy bankroll starts from the player's on every run.
    perfectCredits_ = credits_;
  });
}

void TGameEngine::SaveToIni(TIniFile& settings) const {
  WithContext("SaveToIni", [&] {
    settings.EraseSection(MRUSection);
    settings.WriteString(MRUSection, "0", GameKey(GameType(), payIndex_));
    for (size_t i = 0; i < mruList_.size(); ++i) {
      settings.WriteString(MRUSection, std::to_string(i + 1), mruList_[i]);
    }
    const uint8_t flags = preferences_.AutosaveFlags;
    if ((flags & AUTOSAVE_CREDITS) != 0) settings.WriteInteger(ParamsSection, "Credits", credits_);
    if ((flags & AUTOSAVE_BALANCE) != 0) {
      // Clamped as at loading, so that saving never stops half-way.
      const double limit = static_cast<double>(MaxBalanceCents) / 100;
      settings.WriteInteger(ParamsSection, "Balance",
                            BalanceCents(std::clamp(balance_, -limit, limit)));
    }
    if ((flags & AUTOSAVE_VALUE) != 0) {
      settings.WriteInteger(ParamsSection, "Value", coinValueIndex_);
    }
    if ((flags & AUTOSAVE_ACCURACY) != 0) {
      settings.WriteString(ParamsSection, "ER1", FormatFloat(sumPlayerReturn_));
      settings.WriteString(ParamsSection, "ER2", FormatFloat(sumPerfectReturn_));
    }
    if ((flags & AUTOSAVE_HANDS) != 0) settings.WriteInteger(ParamsSection, "Hands", handsPlayed_);
    if ((flags & AUTOSAVE_TIME) != 0) {
      settings.WriteString(ParamsSection, "Time", FormatPlayTime(PlayTime()));
    }
    settings.WriteInteger(ParamsSection, "Bet", bet_);
    settings.WriteInteger(ParamsSection, "Mode", static_cast<int>(mode_));
    settings.WriteBool(ParamsSection, "ShowResultHands", (options_ & ShowResultHands) != 0);
    settings.WriteBool(ParamsSection, "ShowWarnings", (options_ & ShowWarnings) != 0);
  });
}

}  // namespace tavrik
