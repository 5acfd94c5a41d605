#include "ui/dialog_buttons.h"

#include <QBoxLayout>

namespace tavrik {

QWidget* MakeOkCancelStrip(QDialog* dialog, QPushButton*& ok, QPushButton*& cancel) {
  auto* bottom = new QHBoxLayout();
  bottom->setContentsMargins(8, 6, 8, 7);
  bottom->addStretch(1);
  ok = new QPushButton(dialog);
  ok->setFixedSize(80, 22);
  ok->setDefault(true);
  cancel = new QPushButton(dialog);
  cancel->setFixedSize(80, 22);
  bottom->addWidget(ok);
  bottom->addWidget(cancel);
  auto* strip = new QWidget(dialog);
  strip->setFixedHeight(35);
  strip->setLayout(bottom);
  QObject::connect(ok, &QPushButton::clicked, dialog, &QDialog::accept);
  QObject::connect(cancel, &QPushButton::clicked, dialog, &QDialog::reject);
  return strip;
}

}  // namespace tavrik
