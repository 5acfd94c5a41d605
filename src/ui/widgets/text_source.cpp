#include "ui/widgets/text_source.h"

#include <array>

namespace tavrik {

QString TBuiltInTexts::GetText(const QString& section, const QString& key) const {
  struct TEntry {
    const char* section;
    const char* key;
    const char* text;
  };
  static constexpr std::array<TEntry, 13> entries = {{
      {"DeckDialog", "WindowName", "Select the deck"},
      {"DeckDialog", "DeckList", "DECK LIST"},
      {"DeckDialog", "001", "Large"},
      {"DeckDialog", "003", "Whist"},
      {"DeckDialog", "011", "Scat"},
      {"DeckDialog", "012", "Seasons"},
      {"DeckDialog", "015", "Historical"},
      {"DeckDialog", "016", "Amstel 1870"},
      {"DeckDialog", "017", "Karte mit Jagdmotiven"},
      {"BackDialog", "WindowName", "Select the back"},
      {"Main.Buttons", "OK", "OK"},
      {"Main.Buttons", "Cancel", "Cancel"},
      {"Main.Buttons", "Apply", "Apply"},
  }};
  for (const TEntry& entry : entries) {
    if (section == QLatin1String(entry.section) && key == QLatin1String(entry.key)) {
      return QString::fromUtf8(entry.text);
    }
  }
  return {};
}

}  // namespace tavrik
