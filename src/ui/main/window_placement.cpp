#include "ui/main/window_placement.h"

#include <QGuiApplication>
#include <QScreen>
#include <QWidget>
#include <algorithm>

namespace tavrik {

std::string PlacementSectionName(const char* name) {
  const QScreen* screen = QGuiApplication::primaryScreen();
  const QSize screenSize = screen != nullptr ? screen->size() : QSize(0, 0);
  return QString::asprintf("%s %d#%d", name, screenSize.width(), screenSize.height()).toStdString();
}

void LoadPlacement(QWidget& window, const TIniFile& settings, const char* name) {
  const std::string section = PlacementSectionName(name);
  const QRect bounds = window.geometry();
  const int left = settings.ReadInteger(section, "Left", bounds.left());
  const int top = settings.ReadInteger(section, "Top", bounds.top());
  const int height = settings.ReadInteger(section, "Height", bounds.height());
  const int width = settings.ReadInteger(section, "Width", bounds.width());
  window.setGeometry(left, top, std::clamp(width, window.minimumWidth(), window.maximumWidth()),
                     std::clamp(height, window.minimumHeight(), window.maximumHeight()));
}

void SavePlacement(const QWidget& window, TIniFile& settings, const char* name) {
  const std::string section = PlacementSectionName(name);
  const QRect bounds = window.geometry();
  settings.WriteInteger(section, "Left", bounds.left());
  settings.WriteInteger(section, "Top", bounds.top());
  settings.WriteInteger(section, "Height", bounds.height());
  settings.WriteInteger(section, "Width", bounds.width());
}

}  // namespace tavrik
