#include "ui/cards/builtin_images.h"

#include <QFile>

#include "core/error.h"
#include "ui/cards/bitmap_stream.h"

// The resources live in a static library: register them before the first look-up.
// (Q_INIT_RESOURCE declares its function in the enclosing namespace, so this stays global.)
static void RegisterArtResources() {
  static const bool registered = [] {
    Q_INIT_RESOURCE(tavrik_art);
    return true;
  }();
  (void)registered;
}

namespace tavrik {

namespace {
QByteArray ResourceBytes(const QString& name) {
  RegisterArtResources();
  QFile file(":/images/" + name);
  if (!file.open(QIODevice::ReadOnly)) {
    throw TError("Missing built-in image " + name.toStdString());
  }
  return file.readAll();
}
}  // namespace

QImage LoadCompressedImage(const QString& name) {
  return WithContext("Loading built-in image " + name.toStdString(),
                     [&] { return ImageFromCompressed(ResourceBytes(name)); });
}

QImage LoadUncompressedImage(const QString& name) {
  return WithContext("Loading built-in image " + name.toStdString(),
                     [&] { return ImageFromBmpBody(ResourceBytes(name)); });
}

}  // namespace tavrik
