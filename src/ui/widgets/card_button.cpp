#include "ui/widgets/card_button.h"

#include <QPainter>

#include "ui/widgets/button_hash.h"

namespace tavrik {

TCardButton::TCardButton(QWidget* parent) : QAbstractButton(parent) {
  setAttribute(Qt::WA_OpaquePaintEvent);
  setFocusPolicy(Qt::NoFocus);
}

QSize TCardButton::sizeHint() const {
  const QSize text = fontMetrics().size(Qt::TextSingleLine, this->text());
  return {std::max(75, text.width() + 16), std::max(25, text.height() + 10)};
}

void TCardButton::paintEvent(QPaintEvent* /*event*/) {
  QPainter painter(this);
  const bool down = isDown() || isChecked();
  painter.drawImage(0, 0, ButtonFace(width(), height(), down));
  const int shift = down ? 1 : 0;
  if (!icon().isNull()) {
    const QPixmap glyph = icon().pixmap(iconSize(), isEnabled() ? QIcon::Normal : QIcon::Disabled);
    const QSize size = glyph.deviceIndependentSize().toSize();
    const int x = std::max(3, (width() - size.width()) / 2) + shift;
    const int y = std::max(1, (height() - size.height()) / 2) + shift;
    painter.drawPixmap(x, y, glyph);
  }
  if (text().isEmpty()) return;
  const QRect area = rect().translated(shift, shift);
  constexpr int flags = Qt::AlignCenter | Qt::TextSingleLine;
  if (isEnabled()) {
    painter.setPen(palette().color(QPalette::Active, QPalette::ButtonText));
    painter.drawText(area, flags, text());
  } else {
    painter.setPen(palette().color(QPalette::Light));
    painter.drawText(area.translated(1, 1), flags, text());
    painter.setPen(palette().color(QPalette::Dark));
    painter.drawText(area, flags, text());
  }
}

}  // namespace tavrik
