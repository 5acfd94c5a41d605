#pragma once

#include <QDialog>
#include <QStringList>
#include <array>
#include <filesystem>

#include "ui/cards/paint_engine.h"
#include "ui/widgets/text_source.h"

class QLabel;
class QListWidget;
class QPushButton;

namespace tavrik {

class TGradientLabel;

// Lists the deck files of the data folder by their localised names and previews fifteen
// cards (ten to ace of spades, clubs and diamonds) of the highlighted deck.
class TfmDeckDialog : public QDialog {
  Q_OBJECT

 public:
  static constexpr int PreviewCount = 15;

  TfmDeckDialog(const TTextSource& texts, std::filesystem::path dataFolder,
                QWidget* parent = nullptr);

  // Caption, headers, buttons and one list line per deck: a blank and the deck's name
  // in upper case (only the blank when the deck has no name).
  void ApplyTexts();
  // Selects and previews the line of `deckId`, the first line when it is not listed.
  void SetCurrent(const QString& deckId);
  // One line over the dialog saying why it is shown (hidden while empty).
  void SetReason(const QString& reason);

  // The deck identifiers found, sorted: the three characters after "deck." of every file
  // named "deck." and three characters.
  const QStringList& DeckIds() const { return deckIds_; }
  // The identifier of the deck previewed last; empty before any.
  const QString& ChosenId() const { return chosenId_; }

  // Where preview i goes in a panel of that size: five columns and three rows spread
  // evenly with a 5-pixel margin.
  static QPoint PreviewPosition(int index, QSize panel);

  QLabel* lReason = nullptr;
  TGradientLabel* lDeckList = nullptr;
  TGradientLabel* lHeader = nullptr;
  QListWidget* lbDecks = nullptr;
  QWidget* ImagesPanel = nullptr;
  std::array<QLabel*, PreviewCount> Images{};
  QPushButton* btnOK = nullptr;
  QPushButton* btnCancel = nullptr;

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void Preview(int line);
  void PlacePreviews();

  const TTextSource& texts_;
  std::filesystem::path dataFolder_;
  QStringList deckIds_;
  QString chosenId_;
};

// Runs the deck dialog modally with `currentDeckId` selected and `reason` over it. Returns
// the chosen deck's identifier after OK, empty text after Cancel (or when the folder holds
// no deck).
QString SelectDeck(const QString& currentDeckId, const TTextSource& texts,
                   QWidget* parent = nullptr,
                   const std::filesystem::path& dataFolder = CardDataFolder(),
                   const QString& reason = {});

}  // namespace tavrik
