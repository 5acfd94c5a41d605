#pragma once

#include <QImage>
#include <QString>
#include <vector>

namespace tavrik::art {

struct TBuiltInImage {
  QString Name;     // resource name, e.g. "EMPTY"
  bool Compressed;  // stored in the compressed form
  QImage Image;
};

// The blank face, held marker and wild face (compressed form) and the small-card images
// (uncompressed form).
std::vector<TBuiltInImage> DrawBuiltInImages();

}  // namespace tavrik::art
