#pragma once

#include <QDialog>
#include <array>
#include <filesystem>

#include "ui/cards/paint_engine.h"
#include "ui/widgets/text_source.h"

class QLabel;
class QPushButton;

namespace tavrik {

// Shows the fifteen backs of the backs file, each on the blank face, five in a row; a
// click selects one and a highlight frame surrounds the selected back.
class TfmBackDialog : public QDialog {
  Q_OBJECT

 public:
  static constexpr int BackCount = 15;

  // Reads the blank face and the backs file; raises TError when the backs file cannot
  // be read.
  TfmBackDialog(const TTextSource& texts, const std::filesystem::path& dataFolder,
                QWidget* parent = nullptr);

  void ApplyTexts();
  // Selects back `index` (0..14) and places the frame 5 pixels outside its image.
  void SelectBack(int index);
  int Selected() const { return selected_; }

  QWidget* ImagesPanel = nullptr;
  std::array<QLabel*, BackCount> Images{};
  QWidget* FocusBevel = nullptr;
  QPushButton* btnOK = nullptr;
  QPushButton* btnCancel = nullptr;

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  const TTextSource& texts_;
  int selected_ = 0;
};

// Runs the back dialog modally with `currentBack` selected. Returns the selected back
// after OK, -1 after Cancel.
int SelectBack(int currentBack, const TTextSource& texts, QWidget* parent = nullptr,
               const std::filesystem::path& dataFolder = CardDataFolder());

}  // namespace tavrik
