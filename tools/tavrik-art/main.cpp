// Draws the card art at build time: the deck files and the backs file into the data
// folder (and their twins at two and four times the resolution into its subfolders "2x"
// and "4x"), the built-in images and a resource list for them into the resource folder.
//
//   tavrik-art --data <folder> --resources <folder>
//
// Runs on any Qt platform; the build uses "offscreen".
#include <QFile>
#include <QGuiApplication>
#include <QTextStream>
#include <filesystem>
#include <iostream>
#include <utility>
#include <vector>

#include "back_art.h"
#include "builtin_art.h"
#include "core/data_files.h"
#include "core/error.h"
#include "deck_art.h"
#include "ui/cards/bitmap_stream.h"
#include "ui/cards/deck_file.h"

namespace {

namespace fs = std::filesystem;

void WriteBytes(const fs::path& path, const QByteArray& bytes) {
  tavrik::WriteFileAtomically(
      path, std::string_view(bytes.constData(), static_cast<size_t>(bytes.size())));
}

int Run(const fs::path& dataFolder, const fs::path& resourceFolder) {
  using namespace tavrik;
  fs::create_directories(dataFolder);
  fs::create_directories(resourceFolder);

  std::vector<std::pair<int, fs::path>> folders = {{1, dataFolder}};
  for (const int scale : TwinScales) folders.emplace_back(scale, dataFolder / TwinFolder(scale));
  for (const auto& [scale, folder] : folders) {
    fs::create_directories(folder);
    art::SetPixelScale(scale);
    for (const art::TDeckStyle& style : art::DeckStyles()) {
      WriteDeckFile(folder / ("deck." + style.Id.toStdString()), art::DrawDeck(style));
    }
    WriteBackFile(folder / "back.001", art::DrawBackStrip());
  }
  art::SetPixelScale(1);

  QString qrc;
  QTextStream list(&qrc);
  list << "<RCC>\n  <qresource prefix=\"/images\">\n";
  for (const art::TBuiltInImage& image : art::DrawBuiltInImages()) {
    const QByteArray bytes = image.Compressed ? CompressedImage(image.Image) : BmpBody(image.Image);
    WriteBytes(resourceFolder / image.Name.toStdString(), bytes);
    list << "    <file>" << image.Name << "</file>\n";
  }
  list << "  </qresource>\n</RCC>\n";
  WriteBytes(resourceFolder / "art.qrc", qrc.toUtf8());
  return 0;
}

}  // namespace

int main(int argc, char** argv) {
  QGuiApplication app(argc, argv);
  fs::path dataFolder;
  fs::path resourceFolder;
  const QStringList args = QCoreApplication::arguments();
  for (qsizetype i = 1; i + 1 < args.size(); i += 2) {
    if (args[i] == "--data") {
      dataFolder = args[i + 1].toStdString();
    } else if (args[i] == "--resources") {
      resourceFolder = args[i + 1].toStdString();
    }
  }
  if (dataFolder.empty() || resourceFolder.empty()) {
    std::cerr << "usage: tavrik-art --data <folder> --resources <folder>\n";
    return 2;
  }
  try {
    return Run(dataFolder, resourceFolder);
  } catch (const std::exception& error) {
    std::cerr << "tavrik-art: " << error.what() << "\n";
    return 1;
  }
}
