#pragma once

#include <QEvent>
#include <QString>

#include "game/preferences.h"
#include "ui/widgets/text_source.h"

class QWidget;

namespace tavrik {

// The preferences' localisation and font as a text source for the dialogs.
class TPreferencesTexts : public TTextSource {
 public:
  explicit TPreferencesTexts(const TPreferences& preferences) : preferences_(preferences) {}
  QString GetText(const QString& section, const QString& key) const override {
    return QString::fromStdString(preferences_.GetText(section.toStdString(), key.toStdString()));
  }
  QString FontName() const override { return QString::fromStdString(preferences_.FontName); }

 private:
  const TPreferences& preferences_;
};

// The localised text of a key as a QString.
inline QString Text(const TPreferences& preferences, const char* section, const char* key) {
  return QString::fromStdString(preferences.GetText(section, key));
}

// The localised hint of a key ("key.Hint"), wrapped, with "\n" line ends.
inline QString Hint(const TPreferences& preferences, const char* section, const char* key) {
  return QString::fromStdString(preferences.GetHint(section, key)).replace("\r\n", "\n");
}

// Sets the family of a window's font to the preferences' font (the platform's default
// interface font when the name is empty).
void ApplyWindowFont(QWidget* window, const TPreferences& preferences);

// Sent to every top-level window after the preferences were applied: windows read their
// texts again.
inline constexpr QEvent::Type PreferencesChangedEvent =
    static_cast<QEvent::Type>(QEvent::User + 400);

// Sends PreferencesChangedEvent to every top-level widget.
void BroadcastPreferencesChanged();

// Values formatted with a printf format (the compiler checks the arguments), blanks
// trimmed ("%10.2f" of 1.5 is "1.50").
[[gnu::format(printf, 1, 2)]] QString FormatTrimmed(const char* format, ...);

}  // namespace tavrik
