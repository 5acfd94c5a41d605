#pragma once

#include <QBoxLayout>
#include <QDialog>
#include <QPushButton>
#include <QString>
#include <QWidget>

namespace tavrik {

// A row of OK (the default button, accepting the dialog) and Cancel (rejecting it) after a
// stretch, so the buttons sit at the right unless the caller adds a stretch after them.
QHBoxLayout* MakeOkCancelRow(QDialog* dialog, const QString& okText, const QString& cancelText,
                             QPushButton*& ok, QPushButton*& cancel);

// The 35-pixel strip at the foot of the deck and back dialogs: that row with buttons of
// 80 x 22 each. The caller sets their texts.
QWidget* MakeOkCancelStrip(QDialog* dialog, QPushButton*& ok, QPushButton*& cancel);

}  // namespace tavrik
