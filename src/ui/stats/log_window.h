#pragma once

#include <QDialog>
#include <QString>
#include <QStyledItemDelegate>
#include <initializer_list>
#include <string>

#include "game/preferences.h"
#include "ui/dialogs/help_window.h"

class QPushButton;
class QVBoxLayout;
class QWidget;

namespace tavrik {

class TGradientLabel;

// The frame the windows on the hand log share: the caption of a localisation section and
// the window font, a left column of fixed width beside a right one that takes the rest,
// a button row at the foot of the right column ending in OK, and F1 for the window's help
// page.
class TLogWindow : public QDialog {
  Q_OBJECT

 public:
  static constexpr int HeaderHeight = 22;      // the header labels over the columns
  static constexpr int LeftColumnWidth = 190;  // at least
  static constexpr int CellMargin = 10;        // grid text inset from its cell's edge

  QPushButton* btnOK = nullptr;

 protected:
  // `section` gives the caption, `help` the page F1 opens; `preferences` must outlive the
  // window.
  TLogWindow(const char* section, HelpContext help, const TPreferences& preferences,
             QWidget* parent);

  // A header label with `text` in the look of the trainer's headers.
  TGradientLabel* HeaderLabel(const QString& text);
  // New, empty columns: fill them, then call LayOutColumns.
  QVBoxLayout* NewColumn();
  // Puts the left column (at least LeftColumnWidth wide) beside the right one and closes
  // the right one with a row of `buttons` and OK.
  void LayOutColumns(QVBoxLayout* left, int leftWidth, QVBoxLayout* right,
                     std::initializer_list<QPushButton*> buttons = {});

  const TPreferences& preferences_;
};

// Paints a grid cell's text at its alignment, inset by CellMargin from the cell's edges
// (the style's own margin is a few pixels only).
class TInsetTextDelegate : public QStyledItemDelegate {
 public:
  using QStyledItemDelegate::QStyledItemDelegate;
  void paint(QPainter* painter, const QStyleOptionViewItem& option,
             const QModelIndex& index) const override;
};

// A day of the log (an OLE date) in the system's short date format, as the log windows
// list days.
std::string SystemShortDate(double oleDate);

}  // namespace tavrik
