#include "ui/widgets/dialog_buttons.h"

namespace tavrik {

QHBoxLayout* MakeOkCancelRow(QDialog* dialog, const QString& okText, const QString& cancelText,
                             QPushButton*& ok, QPushButton*& cancel) {
  auto* row = new QHBoxLayout();
  row->addStretch(1);
  ok = new QPushButton(okText, dialog);
  ok->setDefault(true);
  cancel = new QPushButton(cancelText, dialog);
  row->addWidget(ok);
  row->addWidget(cancel);
  QObject::connect(ok, &QPushButton::clicked, dialog, &QDialog::accept);
  QObject::connect(cancel, &QPushButton::clicked, dialog, &QDialog::reject);
  return row;
}

QWidget* MakeOkCancelStrip(QDialog* dialog, QPushButton*& ok, QPushButton*& cancel) {
  QHBoxLayout* row = MakeOkCancelRow(dialog, QString(), QString(), ok, cancel);
  row->setContentsMargins(8, 6, 8, 7);
  ok->setFixedSize(80, 22);
  cancel->setFixedSize(80, 22);
  auto* strip = new QWidget(dialog);
  strip->setFixedHeight(35);
  strip->setLayout(row);
  return strip;
}

}  // namespace tavrik
