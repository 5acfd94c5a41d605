#pragma once

#include <QDialog>
#include <QStringList>

#include "game/preferences.h"

class QListWidget;
class QPushButton;

namespace tavrik {

// A small list of texts to pick one from (the coin value, for one).
class TfmChoice : public QDialog {
  Q_OBJECT

 public:
  // Caption two blanks and `title`; one line per item, each with a blank in front;
  // `selected` preselected. The dialog is as tall as the list needs, at most half the
  // screen.
  TfmChoice(const QString& title, const QStringList& items, int selected,
            const TPreferences& preferences, QWidget* parent = nullptr);

  // The selected line, -1 when none.
  int Selected() const;

  QListWidget* ListBox = nullptr;
  QPushButton* btnOK = nullptr;
  QPushButton* btnCancel = nullptr;
};

// Runs the list choice modally: the index picked on OK (or a double click), -1 on Cancel.
int ChooseFromList(const QString& title, const QStringList& items, int selected,
                   const TPreferences& preferences, QWidget* parent = nullptr);

}  // namespace tavrik
