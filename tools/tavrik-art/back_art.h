#pragma once

#include <QImage>

namespace tavrik::art {

inline constexpr int BackCount = 15;

// The strip of card backs: BackCount backs of 94 x 127 side by side, each a coloured
// pattern inside a white margin.
QImage DrawBackStrip();

}  // namespace tavrik::art
