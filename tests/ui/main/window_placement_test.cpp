#include "ui/main/window_placement.h"

#include <gtest/gtest.h>

#include <QGuiApplication>
#include <QScreen>
#include <QWidget>
#include <limits>

namespace tavrik::test {
namespace {

TEST(WindowPlacement, AWindowOffEveryScreenComesBackOntoTheNearest) {
  const QRect left(0, 0, 1920, 1080);
  const QRect right(1920, 0, 1280, 1024);
  // Saved bounds, the screens' available areas, where the window goes.
  const std::tuple<QRect, QList<QRect>, QRect> cases[] = {
      {{100, 50, 676, 520}, {left}, {100, 50, 676, 520}},      // on screen: stays
      {{-5000, 40, 676, 520}, {left}, {0, 40, 676, 520}},      // far left
      {{1800, 900, 676, 520}, {left}, {1244, 560, 676, 520}},  // hanging over a corner
      {{100, -300, 676, 520}, {left}, {100, 0, 676, 520}},
      // Of two screens, the one holding most of it, else the nearest.
      {{1700, 100, 676, 520}, {left, right}, {1920, 100, 676, 520}},
      {{9000, 2000, 676, 520}, {left, right}, {3200 - 676, 1024 - 520, 676, 520}},
      {{-9000, 2000, 676, 520}, {left, right}, {0, 1080 - 520, 676, 520}},
      // Larger than the screen: its top-left corner shows.
      {{-50, -50, 734, 632}, {{0, 0, 640, 480}}, {0, 0, 734, 632}},
  };
  for (const auto& [saved, screens, placed] : cases) {
    EXPECT_EQ(PlaceOnScreens(saved, screens), placed) << saved.x() << "," << saved.y();
  }
}

TEST(WindowPlacement, PositionsAtTheIntegerLimitsLandOnTheScreen) {
  const QRect area = QGuiApplication::primaryScreen()->availableGeometry();
  for (const int64_t edge :
       {int64_t{std::numeric_limits<int32_t>::max()}, int64_t{std::numeric_limits<int32_t>::min()},
        std::numeric_limits<int64_t>::max()}) {
    QWidget window;
    window.setMinimumSize(100, 100);
    TIniFile settings;
    for (const auto& [key, value] :
         {std::pair{"Left", edge}, {"Top", -edge}, {"Width", edge}, {"Height", int64_t{200}}}) {
      settings.WriteInteger(PlacementSectionName("Test"), key, value);
    }
    LoadPlacement(window, settings, "Test");
    EXPECT_TRUE(area.intersects(window.geometry())) << edge;
  }
}

}  // namespace
}  // namespace tavrik::test
