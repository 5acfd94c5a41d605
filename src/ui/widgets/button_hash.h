#pragma once

#include <QImage>
#include <array>

namespace tavrik {

// A cache of eight button faces of one state (raised or pressed). A face of a new size is
// stretched from a cached face of the same height when there is one, otherwise drawn;
// it takes the slot after the one used last (after slot 7 comes slot 0).
class TButtonHash {
 public:
  static constexpr int SlotCount = 8;

  explicit TButtonHash(bool pressed) : pressed_(pressed) {}

  // The face of that size, owned by the cache: valid until the cache puts another face in
  // its slot. An empty size gives an empty image.
  const QImage& Face(int width, int height);
  // The slot used last, -1 before the first face.
  int LastSlot() const { return last_; }

  // Raised face: gradient from the button colour lightened by 45 to it darkened by 25, one
  // band per row; pressed face: white with an inner line at the top and left. Both have a
  // rounded outline in the dark shadow colour.
  QImage Draw(int width, int height) const;

 private:
  static QImage Stretch(const QImage& source, int width);

  bool pressed_;
  std::array<QImage, SlotCount> slots_;
  int last_ = -1;
};

// The face of the program's two caches (one raised, one pressed), created on first use.
const QImage& ButtonFace(int width, int height, bool pressed);

}  // namespace tavrik
