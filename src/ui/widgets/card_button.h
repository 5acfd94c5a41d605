#pragma once

#include <QAbstractButton>

namespace tavrik {

// A push button painted from the cached button faces: the glyph (icon) and the caption
// centred, both one pixel right and down while the button is down; a disabled caption is
// engraved (highlight colour one pixel right and down, then shadow colour in place).
class TCardButton : public QAbstractButton {
  Q_OBJECT

 public:
  explicit TCardButton(QWidget* parent = nullptr);
  QSize sizeHint() const override;

 protected:
  void paintEvent(QPaintEvent* event) override;
};

}  // namespace tavrik
