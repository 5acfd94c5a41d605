#include "ui/cards/builtin_images.h"

#include <QFile>
#include <QPainter>

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

TDeckImages BuiltInDeck() {
  TDeckImages deck;
  deck.RankStrip = LoadUncompressedImage("S_RANKS");
  deck.PipStrip = LoadUncompressedImage("S_SUIT1");
  // The picture pip under the corner index; the pips clear of the index column.
  deck.Header.PicturePipY = deck.Header.IndexY + deck.RankStrip.height() / 2 + 2;
  deck.Header.PipMarginX = 4;
  deck.Header.PipMarginY = 2;
  const QImage face = LoadCompressedImage("EMPTY");
  deck.PictureStrip = QImage(PictureCount * face.width(), face.height(), QImage::Format_RGB32);
  deck.PictureStrip.fill(Qt::white);
  QPainter painter(&deck.PictureStrip);
  const int pw = deck.PipStrip.width() / 4;
  const int ph = deck.PipStrip.height();
  // Columns run clubs, spades, diamonds, hearts; the pip strip spades, clubs, ...
  constexpr int ColumnSuit[] = {1, 0, 2, 3};
  for (int column = 0; column < PictureCount; ++column) {
    const QRect target(column * face.width() + (face.width() - 2 * pw) / 2,
                       (face.height() - 2 * ph) / 2, 2 * pw, 2 * ph);
    painter.drawImage(target, deck.PipStrip, QRect(ColumnSuit[column % 4] * pw, 0, pw, ph));
  }
  return deck;
}

QImage PlainBack(const QImage& face) {
  QImage back = face.convertToFormat(QImage::Format_RGB32);
  QPainter painter(&back);
  const QRect inside = back.rect().adjusted(4, 4, -4, -4);
  painter.fillRect(inside, QColor(0x1E, 0x3C, 0x78));
  painter.setPen(QColor(0xC8, 0xD2, 0xE6));
  painter.drawRect(inside.adjusted(4, 4, -5, -5));
  return back;
}

}  // namespace tavrik
