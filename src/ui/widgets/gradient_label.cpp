#include "ui/widgets/gradient_label.h"

#include <QLayout>
#include <QPainter>

#include "ui/widgets/gradient.h"

namespace tavrik {

TGradientLabel::TGradientLabel(QWidget* parent) : QLabel(parent) {
  setAttribute(Qt::WA_OpaquePaintEvent);
}

TGradientLabel* TGradientLabel::ReplaceLabel(QLabel* label) {
  if (auto* gradient = qobject_cast<TGradientLabel*>(label)) return gradient;
  QWidget* parent = label->parentWidget();
  auto* replacement = new TGradientLabel(parent);
  replacement->setObjectName(label->objectName());
  replacement->setGeometry(label->geometry());
  replacement->setAlignment(label->alignment());
  replacement->setText(label->text());
  replacement->setFont(label->font());
  replacement->setPalette(label->palette());
  replacement->setBackgroundRole(label->backgroundRole());
  replacement->setForegroundRole(label->foregroundRole());
  replacement->setSizePolicy(label->sizePolicy());
  replacement->setMinimumSize(label->minimumSize());
  replacement->setMaximumSize(label->maximumSize());
  if (parent != nullptr && parent->layout() != nullptr) {
    delete parent->layout()->replaceWidget(label, replacement);
  }
  replacement->setVisible(!label->isHidden());
  delete label;
  return replacement;
}

void TGradientLabel::paintEvent(QPaintEvent* /*event*/) {
  QPainter painter(this);
  const QColor base = palette().color(backgroundRole());
  GradientFill(painter, rect(), Lighten(base, 20), 20, 0, Lighten(base, -15));
  QFont smooth = font();
  smooth.setStyleStrategy(QFont::PreferAntialias);
  painter.setFont(smooth);
  painter.setPen(palette().color(foregroundRole()));
  painter.drawText(rect(), Qt::AlignCenter | Qt::TextSingleLine, text());
}

void StyleHeaderLabel(QLabel* label, const QString& fontName) {
  QFont font = label->font();
  if (!fontName.isEmpty()) font.setFamily(fontName);
  font.setBold(true);
  label->setFont(font);
  QPalette palette = label->palette();
  palette.setColor(label->backgroundRole(), palette.color(QPalette::Dark));
  palette.setColor(label->foregroundRole(), Qt::white);
  label->setPalette(palette);
}

}  // namespace tavrik
