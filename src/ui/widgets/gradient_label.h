#pragma once

#include <QLabel>

namespace tavrik {

// A label painted as one centred line of text over a vertical gradient of its background
// colour (lightened by 20 at the top, darkened by 15 at the bottom, 20 bands). The header
// lines of every window are such labels.
class TGradientLabel : public QLabel {
  Q_OBJECT

 public:
  explicit TGradientLabel(QWidget* parent = nullptr);

  // Puts a new gradient label in the place of `label` (same parent, position in its
  // layout, geometry, alignment, text, font, palette and size constraints) and deletes
  // `label`. Returns `label` itself when it already is a gradient label.
  static TGradientLabel* ReplaceLabel(QLabel* label);

 protected:
  void paintEvent(QPaintEvent* event) override;
};

// Gives a header label the window font `fontName` (the platform's default UI font when
// empty), bold, white on the button-shadow colour.
void StyleHeaderLabel(QLabel* label, const QString& fontName);

}  // namespace tavrik
