#include "ui/dialogs/deck_dialog.h"

#include <QBoxLayout>
#include <QEvent>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <algorithm>
#include <cmath>

#include "core/error.h"
#include "ui/widgets/dialog_buttons.h"
#include "ui/widgets/gradient_label.h"

namespace tavrik {

namespace {

constexpr int PreviewWidth = 94;
constexpr int PreviewHeight = 127;

QStringList FindDecks(const std::filesystem::path& folder) {
  QStringList ids;
  std::error_code error;
  for (const auto& entry : std::filesystem::directory_iterator(folder, error)) {
    const std::string name = entry.path().filename().string();
    // Only names whose identifier leads back to the file: "deck." and three characters.
    if (name.size() != 8 || name.rfind("deck.", 0) != 0) continue;
    if (!entry.is_regular_file(error)) continue;
    ids.append(QString::fromStdString(name.substr(5)));
  }
  ids.sort();
  return ids;
}

}  // namespace

TfmDeckDialog::TfmDeckDialog(const TTextSource& texts, std::filesystem::path dataFolder,
                             QWidget* parent)
    : QDialog(parent), texts_(texts), dataFolder_(std::move(dataFolder)) {
  setFixedSize(669, 463);
  auto* main = new QVBoxLayout(this);
  main->setContentsMargins(0, 0, 0, 0);
  main->setSpacing(0);
  lReason = new QLabel(this);
  lReason->setContentsMargins(8, 6, 8, 6);
  lReason->setWordWrap(true);
  lReason->hide();
  main->addWidget(lReason);
  auto* top = new QHBoxLayout();
  top->setSpacing(2);
  main->addLayout(top, 1);

  auto* left = new QVBoxLayout();
  left->setSpacing(0);
  lHeader = new TGradientLabel(this);
  lHeader->setFixedHeight(22);
  left->addWidget(lHeader);
  ImagesPanel = new QWidget(this);
  ImagesPanel->setAutoFillBackground(true);
  ImagesPanel->setBackgroundRole(QPalette::Base);
  ImagesPanel->installEventFilter(this);
  left->addWidget(ImagesPanel, 1);
  top->addLayout(left, 1);

  auto* right = new QVBoxLayout();
  right->setSpacing(0);
  lDeckList = new TGradientLabel(this);
  lDeckList->setFixedHeight(22);
  right->addWidget(lDeckList);
  lbDecks = new QListWidget(this);
  right->addWidget(lbDecks, 1);
  auto* column = new QWidget(this);
  column->setFixedWidth(169);
  column->setLayout(right);
  top->addWidget(column);

  main->addWidget(MakeOkCancelStrip(this, btnOK, btnCancel));

  for (int i = 0; i < PreviewCount; ++i) {
    auto* image = new QLabel(ImagesPanel);
    image->setFixedSize(PreviewWidth, PreviewHeight);
    image->hide();
    Images[static_cast<size_t>(i)] = image;
  }
  connect(lbDecks, &QListWidget::currentRowChanged, this, [this](int row) { Preview(row); });

  deckIds_ = FindDecks(dataFolder_);
}

void TfmDeckDialog::ApplyTexts() {
  setWindowTitle(texts_.WindowCaption("DeckDialog"));
  QFont windowFont = font();
  if (!texts_.FontName().isEmpty()) windowFont.setFamily(texts_.FontName());
  setFont(windowFont);
  lDeckList->setText(texts_.GetText("DeckDialog", "DeckList"));
  StyleHeaderLabel(lDeckList, texts_.FontName());
  StyleHeaderLabel(lHeader, texts_.FontName());
  btnOK->setText(texts_.GetText("Main.Buttons", "OK"));
  btnCancel->setText(texts_.GetText("Main.Buttons", "Cancel"));
  const QSignalBlocker blocker(lbDecks);
  const int row = lbDecks->currentRow();
  lbDecks->clear();
  for (const QString& id : deckIds_) {
    lbDecks->addItem(" " + texts_.GetText("DeckDialog", id).toUpper());
  }
  lbDecks->setCurrentRow(row);
}

void TfmDeckDialog::SetCurrent(const QString& deckId) {
  if (deckIds_.isEmpty()) return;
  const int row = std::max(0, static_cast<int>(deckIds_.indexOf(deckId)));
  if (lbDecks->currentRow() == row) {
    Preview(row);
  } else {
    lbDecks->setCurrentRow(row);  // previews through currentRowChanged
  }
}

void TfmDeckDialog::Preview(int line) {
  if (line < 0 || line >= deckIds_.size()) return;
  for (QLabel* image : Images) image->hide();
  const QString id = deckIds_[line];
  TPaintEngine engine(dataFolder_);
  engine.SetDeck(id);
  // Neither this deck nor the default one can be read: no preview.
  if (!engine.UsesBuiltInDeck()) {
    // A screen with more device pixels per point gets the previews from sharper art.
    const qreal ratio = devicePixelRatioF();
    const QSize pixels = (QSizeF(engine.CardWidth(), engine.CardHeight()) * ratio).toSize();
    TPaintEngine& art = engine.ForPixels(pixels);
    for (int i = 0; i < PreviewCount; ++i) {
      QLabel* image = Images[static_cast<size_t>(i)];
      image->setPixmap(DevicePixmap(art.CardImage(false, false, i / 5, i % 5 + 8), pixels, ratio));
      image->show();
    }
  }
  chosenId_ = id;
  QListWidgetItem* item = lbDecks->item(line);
  lHeader->setText(item != nullptr ? item->text().trimmed() : QString());
}

QPoint TfmDeckDialog::PreviewPosition(int index, QSize panel) {
  const int column = index % 5;
  const int row = index / 5;
  // Rounded to the nearest integer, halves to the even neighbour.
  const auto round = [](double value) { return static_cast<int>(std::nearbyint(value)); };
  return {round((panel.width() - 10 - PreviewWidth) * column / 4.0) + 5,
          round((panel.height() - 10 - PreviewHeight) * row / 2.0) + 5};
}

void TfmDeckDialog::PlacePreviews() {
  for (int i = 0; i < PreviewCount; ++i) {
    Images[static_cast<size_t>(i)]->move(PreviewPosition(i, ImagesPanel->size()));
  }
}

bool TfmDeckDialog::eventFilter(QObject* watched, QEvent* event) {
  if (watched == ImagesPanel && event->type() == QEvent::Resize) PlacePreviews();
  return QDialog::eventFilter(watched, event);
}

void TfmDeckDialog::SetReason(const QString& reason) {
  lReason->setText(reason);
  lReason->setVisible(!reason.isEmpty());
  setFixedHeight(463 + (reason.isEmpty() ? 0 : lReason->sizeHint().height()));
}

QString SelectDeck(const QString& currentDeckId, const TTextSource& texts, QWidget* parent,
                   const std::filesystem::path& dataFolder, const QString& reason) {
  TfmDeckDialog dialog(texts, dataFolder, parent);
  dialog.ApplyTexts();
  dialog.SetReason(reason);
  dialog.SetCurrent(currentDeckId);
  if (dialog.exec() != QDialog::Accepted) return {};
  return dialog.ChosenId();
}

}  // namespace tavrik
