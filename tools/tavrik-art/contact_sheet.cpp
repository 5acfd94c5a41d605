// Writes one PNG showing every card of every deck (through the paint engine, as the table
// shows them), jokers, wild and held cards, the fifteen backs and the small cards.
//
//   tavrik-contact-sheet --data <folder> --out <file.png>
#include <QGuiApplication>
#include <QPainter>
#include <filesystem>
#include <iostream>

#include "ui/cards/card_painter.h"
#include "ui/cards/paint_engine.h"

namespace {

namespace fs = std::filesystem;

constexpr int Gap = 6;
const QColor Table(0x1D, 0x6B, 0x3A);

int Run(const fs::path& dataFolder, const QString& out) {
  using namespace tavrik;
  std::vector<QString> decks;
  for (const auto& entry : fs::directory_iterator(dataFolder)) {
    const std::string name = entry.path().filename().string();
    if (name.rfind("deck.", 0) == 0) decks.push_back(QString::fromStdString(name.substr(5)));
  }
  std::sort(decks.begin(), decks.end());

  TPaintEngine engine(dataFolder);
  const int w = engine.CardWidth();
  const int h = engine.CardHeight();
  const int columns = 16;
  const int smallRows = 5;
  const int height = Gap + static_cast<int>(decks.size()) * (4 * (h + Gap) + 18) + 2 * (h + Gap) +
                     18 + smallRows * (TCardPainter::CardHeight + Gap) + 40;
  QImage sheet(Gap + columns * (w + Gap), height, QImage::Format_RGB32);
  sheet.fill(Table);
  QPainter p(&sheet);
  p.setPen(Qt::white);
  int y = Gap;
  for (const QString& deck : decks) {
    engine.SetDeck(deck);
    p.drawText(Gap, y + 12, "deck." + engine.DeckId());
    y += 18;
    for (int suit = 0; suit < 4; ++suit) {
      for (int rank = 0; rank < 13; ++rank) {
        engine.DrawCard(p, QRect(Gap + rank * (w + Gap), y, w, h), false, false, suit, rank);
      }
      const int x = Gap + 13 * (w + Gap);
      switch (suit) {
        case 0:  // a joker is the wild face alone
          engine.DrawCard(p, QRect(x, y, w, h), false, true, -1, -1);
          engine.DrawCard(p, QRect(x + w + Gap, y, w, h), false, true, 2, 0);
          engine.DrawCard(p, QRect(x + 2 * (w + Gap), y, w, h), true, true, 0, 0);
          break;
        case 1:
          engine.DrawCard(p, QRect(x, y, w, h), true, false, 3, 12);
          engine.DrawCard(p, QRect(x + w + Gap, y, w, h), true, false, 1, 11);
          engine.DrawCard(p, QRect(x + 2 * (w + Gap), y, w, h), true, false, 2, 6);
          break;
        default:
          break;
      }
      y += h + Gap;
    }
  }
  p.drawText(Gap, y + 12, "back.001");
  y += 18;
  for (int back = 0; back < 15; ++back) {
    engine.SetBack(back);
    engine.DrawBack(p, QRect(Gap + (back % 8) * (w + Gap), y + (back / 8) * (h + Gap), w, h));
  }
  y += 2 * (h + Gap);

  TCardPainter small;
  constexpr int sw = TCardPainter::CardWidth;
  constexpr int sh = TCardPainter::CardHeight;
  for (int suit = 0; suit < 4; ++suit) {
    for (int rank = 0; rank < 13; ++rank) {
      small.DrawSmallCardMarked(p, Gap + rank * (sw + Gap), false, false, false, suit, rank, Table,
                                y);
    }
    y += sh + Gap;
  }
  int x = Gap;
  small.DrawSmallCardMarked(p, x, false, false, true, -1, -1, Table, y);
  small.DrawSmallCardMarked(p, x += sw + Gap, false, false, true, 0, 0, Table, y);
  small.DrawSmallCardMarked(p, x += sw + Gap, false, false, true, 3, 0, Table, y);
  small.DrawSmallCardMarked(p, x += sw + Gap, false, true, false, 3, 12, Table, y);
  small.DrawSmallCardMarked(p, x += sw + Gap, true, true, false, 0, 8, Table, y);
  small.DrawSmallCardMarked(p, x += sw + Gap, true, false, false, 2, 4, Table, y);
  x += sw + Gap;
  for (const auto& [rank, suit] : {std::pair{8, 0}, {12, 3}, {0, 2}, {-1, -1}, {10, 1}}) {
    const QImage label = small.CardLabel(rank, suit, 2);
    p.fillRect(QRect(x, y, label.width(), label.height()), Qt::white);
    p.drawImage(x, y, label);
    x += label.width() + Gap;
  }
  p.end();
  if (!sheet.save(out, "PNG")) {
    std::cerr << "cannot write " << out.toStdString() << "\n";
    return 1;
  }
  return 0;
}

}  // namespace

int main(int argc, char** argv) {
  QGuiApplication app(argc, argv);
  fs::path dataFolder;
  QString out;
  const QStringList args = QCoreApplication::arguments();
  for (qsizetype i = 1; i + 1 < args.size(); i += 2) {
    if (args[i] == "--data") dataFolder = args[i + 1].toStdString();
    if (args[i] == "--out") out = args[i + 1];
  }
  if (dataFolder.empty() || out.isEmpty()) {
    std::cerr << "usage: tavrik-contact-sheet --data <folder> --out <file.png>\n";
    return 2;
  }
  try {
    return Run(dataFolder, out);
  } catch (const std::exception& error) {
    std::cerr << "tavrik-contact-sheet: " << error.what() << "\n";
    return 1;
  }
}
