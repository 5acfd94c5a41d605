#include "ui/dialogs/back_dialog.h"

#include <QBoxLayout>
#include <QLabel>
#include <QMouseEvent>
#include <QPainter>
#include <QPushButton>

#include "ui/cards/builtin_images.h"
#include "ui/cards/deck_file.h"
#include "ui/widgets/dialog_buttons.h"

namespace tavrik {

namespace {

// A 2-pixel outline in the highlight colour, not filled.
class TFocusBevel : public QWidget {
 public:
  explicit TFocusBevel(QWidget* parent) : QWidget(parent) {
    setAttribute(Qt::WA_TransparentForMouseEvents);
  }

 protected:
  void paintEvent(QPaintEvent* /*event*/) override {
    QPainter painter(this);
    const QColor colour = palette().color(QPalette::Highlight);
    const QRect r = rect();
    painter.fillRect(QRect(r.left(), r.top(), r.width(), 2), colour);
    painter.fillRect(QRect(r.left(), r.bottom() - 1, r.width(), 2), colour);
    painter.fillRect(QRect(r.left(), r.top(), 2, r.height()), colour);
    painter.fillRect(QRect(r.right() - 1, r.top(), 2, r.height()), colour);
  }
};

}  // namespace

TfmBackDialog::TfmBackDialog(const TTextSource& texts, const std::filesystem::path& dataFolder,
                             QWidget* parent)
    : QDialog(parent), texts_(texts) {
  const QImage face = LoadCompressedImage("EMPTY");
  const QImage strip = ReadBackStrip(dataFolder / "back.001");
  const int w = face.width();
  const int h = face.height();

  setFixedSize(545, 466);
  auto* main = new QVBoxLayout(this);
  main->setContentsMargins(0, 0, 0, 0);
  main->setSpacing(0);
  ImagesPanel = new QWidget(this);
  ImagesPanel->setAutoFillBackground(true);
  ImagesPanel->setBackgroundRole(QPalette::Base);
  main->addWidget(ImagesPanel, 1);

  FocusBevel = new TFocusBevel(ImagesPanel);
  for (int i = 0; i < BackCount; ++i) {
    auto* image = new QLabel(ImagesPanel);
    image->setGeometry((w + 10) * (i % 5) + 10, (h + 10) * (i / 5) + 10, w, h);
    // The same composition as a back on the table.
    image->setPixmap(QPixmap::fromImage(TPaintEngine::ComposeBack(face, strip, i)));
    image->setCursor(Qt::PointingHandCursor);
    image->installEventFilter(this);
    Images[static_cast<size_t>(i)] = image;
  }

  main->addWidget(MakeOkCancelStrip(this, btnOK, btnCancel));
  SelectBack(0);
}

void TfmBackDialog::ApplyTexts() {
  setWindowTitle(texts_.WindowCaption("BackDialog"));
  QFont windowFont = font();
  if (!texts_.FontName().isEmpty()) windowFont.setFamily(texts_.FontName());
  setFont(windowFont);
  btnOK->setText(texts_.GetText("Main.Buttons", "OK"));
  btnCancel->setText(texts_.GetText("Main.Buttons", "Cancel"));
}

void TfmBackDialog::SelectBack(int index) {
  if (index < 0 || index >= BackCount) return;
  selected_ = index;
  FocusBevel->setGeometry(Images[static_cast<size_t>(index)]->geometry().adjusted(-5, -5, 5, 5));
  FocusBevel->raise();
}

bool TfmBackDialog::eventFilter(QObject* watched, QEvent* event) {
  if (event->type() == QEvent::MouseButtonPress) {
    for (int i = 0; i < BackCount; ++i) {
      if (watched == Images[static_cast<size_t>(i)]) {
        SelectBack(i);
        return true;
      }
    }
  }
  return QDialog::eventFilter(watched, event);
}

int SelectBack(int currentBack, const TTextSource& texts, QWidget* parent,
               const std::filesystem::path& dataFolder) {
  TfmBackDialog dialog(texts, dataFolder, parent);
  dialog.ApplyTexts();
  dialog.SelectBack(currentBack);
  if (dialog.exec() != QDialog::Accepted) return -1;
  return dialog.Selected();
}

}  // namespace tavrik
