#include "ui/dialogs/preferences_texts.h"

#include <QApplication>
#include <QWidget>

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

QString FormatTrimmed(const char* format, double value) {
  return QString::asprintf(format, value).trimmed();
}

}  // namespace tavrik
