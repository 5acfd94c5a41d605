#pragma once

#include <QDialog>
#include <QPushButton>
#include <QWidget>

namespace tavrik {

// The 35-pixel strip at the foot of the deck and back dialogs: OK (the default button,
// accepting) and Cancel (rejecting), 80 x 22 each, at the right.
QWidget* MakeOkCancelStrip(QDialog* dialog, QPushButton*& ok, QPushButton*& cancel);

}  // namespace tavrik
