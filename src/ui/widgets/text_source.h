#pragma once

#include <QString>

namespace tavrik {

// Where a window gets its texts and font: texts by section and key of the localisation,
// and the font name every window uses. The program hands its preferences object over
// through this interface; TBuiltInTexts is the English fallback.
class TTextSource {
 public:
  virtual ~TTextSource() = default;
  // The text of `key` in `section`; empty when there is none.
  virtual QString GetText(const QString& section, const QString& key) const = 0;
  // The window font family; empty: the platform's default UI font.
  virtual QString FontName() const { return {}; }
  // A window caption: two blanks and the section's "WindowName" text.
  QString WindowCaption(const QString& section) const {
    return "  " + GetText(section, "WindowName");
  }
};

// The English texts of the deck and back dialogs: sections "DeckDialog" (caption, list
// header and the display names of the deck numbers), "BackDialog" and the "OK" and
// "Cancel" keys of "Main.Buttons".
class TBuiltInTexts : public TTextSource {
 public:
  QString GetText(const QString& section, const QString& key) const override;
};

}  // namespace tavrik
