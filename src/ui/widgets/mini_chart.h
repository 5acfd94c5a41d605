#pragma once

#include <QImage>
#include <array>
#include <cstdint>

namespace tavrik {

// The bankroll monitor of the main window: the last 128 credits of the player and of the
// perfect strategy as two lines over a dotted grid. At 130 x 60 pixels a point takes one
// pixel column and the grid dots lie 10 pixels apart; a larger image stretches the lines
// over its width and widens the lines, the dots and their spacing with its height.
class TMiniChart {
 public:
  static constexpr int MaxPoints = 128;
  static constexpr int MinRange = 100;  // credits; a flatter history is centred

  // An image of `width` x `height` pixels, drawn empty.
  TMiniChart(int width, int height);

  // A new image size (in pixels, at least 130 x 60 for one pixel per point), drawn again.
  void Resize(int width, int height);
  // Appends one point to each line (the oldest is dropped when 128 are stored) and
  // redraws.
  void AddPoint(int32_t perfectCredits, int32_t playerCredits);
  // Draws the grid, the frame and both lines into Image().
  void Redraw();
  // The y pixel of a value with the current range.
  int ValueY(int32_t value) const;

  const QImage& Image() const { return image_; }
  int Count() const { return count_; }
  int32_t MinValue() const { return minValue_; }
  int32_t MaxValue() const { return maxValue_; }
  int32_t PerfectPoint(int i) const { return PerfectPoints[static_cast<size_t>(i)]; }
  int32_t PlayerPoint(int i) const { return PlayerPoints[static_cast<size_t>(i)]; }

  static constexpr QRgb PerfectColour = 0xff00aaaa;  // red 0, green 170, blue 170
  static constexpr QRgb PlayerColour = 0xff0000df;   // red 0, green 0, blue 223

  std::array<int32_t, MaxPoints> PerfectPoints{};
  std::array<int32_t, MaxPoints> PlayerPoints{};

 private:
  QImage image_;
  int count_ = 0;
  int32_t minValue_ = 0;
  int32_t maxValue_ = 0;
};

}  // namespace tavrik
