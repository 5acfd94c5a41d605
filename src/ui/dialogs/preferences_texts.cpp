#include "ui/dialogs/preferences_texts.h"

#include <QApplication>
#include <QWidget>
#include <cstdarg>

namespace tavrik {

void ApplyWindowFont(QWidget* window, const TPreferences& preferences) {
  if (preferences.FontName.empty()) return;
  QFont font = window->font();
  font.setFamily(QString::fromStdString(preferences.FontName));
  window->setFont(font);
}

void BroadcastPreferencesChanged() {
  for (QWidget* widget : QApplication::topLevelWidgets()) {
    QEvent changed(PreferencesChangedEvent);
    QApplication::sendEvent(widget, &changed);
  }
}

QString FormatTrimmed(const char* format, ...) {
  std::va_list values;
  va_start(values, format);
  QString text = QString::vasprintf(format, values).trimmed();
  va_end(values);
  return text;
}

}  // namespace tavrik
