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
  // Far beyond any screen, yet small enough that no sum of coordinates overflows.
  constexpr int64_t Limit = 1'000'000;
  const auto coordinate = [&](const char* key, int current) {
    return static_cast<int>(
        std::clamp<int64_t>(settings.ReadInt64(section, key, current), -Limit, Limit));
  };
  const int left = coordinate("Left", bounds.left());
  const int top = coordinate("Top", bounds.top());
  const int height = settings.ReadInteger(section, "Height", bounds.height());
  const int width = settings.ReadInteger(section, "Width", bounds.width());
  QList<QRect> screens;
  for (const QScreen* screen : QGuiApplication::screens()) {
    screens.append(screen->availableGeometry());
  }
  window.setGeometry(PlaceOnScreens(
      QRect(left, top, std::clamp(width, window.minimumWidth(), window.maximumWidth()),
            std::clamp(height, window.minimumHeight(), window.maximumHeight())),
      screens));
}

QRect PlaceOnScreens(const QRect& window, const QList<QRect>& screens) {
  if (screens.isEmpty()) return window;
  const auto overlap = [&](const QRect& area) {
    const QRect common = area.intersected(window);
    return common.isEmpty() ? int64_t{0} : int64_t{common.width()} * common.height();
  };
  const auto distance = [&](const QRect& area) {
    const QPoint centre = window.center();
    const int64_t dx = std::max(
        {int64_t{area.left()} - centre.x(), int64_t{0}, int64_t{centre.x()} - area.right()});
    const int64_t dy = std::max(
        {int64_t{area.top()} - centre.y(), int64_t{0}, int64_t{centre.y()} - area.bottom()});
    return dx * dx + dy * dy;
  };
  const QRect* best = &screens.front();
  for (const QRect& area : screens) {
    const int64_t most = overlap(*best);
    if (overlap(area) > most || (most == 0 && distance(area) < distance(*best))) best = &area;
  }
  const QRect& area = *best;
  const int x = std::clamp(window.left(), area.left(),
                           std::max(area.left(), area.left() + area.width() - window.width()));
  const int y = std::clamp(window.top(), area.top(),
                           std::max(area.top(), area.top() + area.height() - window.height()));
  return {x, y, window.width(), window.height()};
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
