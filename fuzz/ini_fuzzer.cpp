// The settings file: it reads, writes back unchanged in meaning, and whatever it holds the
// game starts from it, plays a round and saves without an error.
#include <deque>

#include "fuzz_support.h"
#include "game/game_engine.h"
#include "game/preferences.h"

namespace {

using namespace tavrik;

class TQuietWindows : public TGameWindows {
 public:
  TWarningOutcome ShowWarning(const TGameEngine&) override { return {}; }
  int AskOtherMode() override { return 1; }
  void ShowStatistics(TLogger&, TPreferences&) override {}
  void ShowErrors(TLogger&, TPreferences&) override {}
  void ShowCharts(TLogger&, TPreferences&) override {}
  std::optional<TRecordPredicate> ChooseRecordsToClear(TLogger&, TPreferences&) override {
    return std::nullopt;
  }
  void SetupPreferences(TPreferences&) override {}
  void ReportProblem(const std::string&) override {}
  void SetBusy(bool) override {}
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string_view text = fuzz::AsText(data, size);
  const TIniFile ini = TIniFile::Parse(text);
  const std::string written = ini.ToText();
  if (TIniFile::Parse(written).ToText() != written) __builtin_trap();

  const auto folder = fuzz::Scratch() / "data" / "Tavrik";
  fuzz::WriteFile(folder / "Tavrik.ini", text);
  TQuietWindows windows;
  TPreferences preferences;
  try {
    for (int run = 0; run < 2; ++run) {
      TGameEngine engine(
          preferences, windows,
          std::make_unique<TLogger>(folder / "Tavrik.log", TLogger::TAccess::ReadOnly));
      engine.Deal();
      engine.Draw();
      engine.Collect();
      engine.SaveToIni(preferences.Settings);  // the second run starts from what was saved
    }
    preferences.Save();
  } catch (const std::exception&) {
    __builtin_trap();  // no settings file may stop play or saving
  }
  return 0;
}
