#include "ui/dialogs/message_boxes.h"

#include <QMessageBox>
#include <QPushButton>

#include <zlib.h>

#include "core/data_files.h"
#include "core/version.h"
#include "ui/dialogs/preferences_texts.h"
#include "ui/widgets/text_format.h"

namespace tavrik {

bool ConfirmBox(const TPreferences& preferences, const char* menuKey, const char* messageKey,
                QWidget* parent) {
  QMessageBox box(QMessageBox::Question, Text(preferences, "Main.Menu", menuKey),
                  Text(preferences, "Main.ConfirmMessages", messageKey),
                  QMessageBox::Ok | QMessageBox::Cancel, parent);
  box.button(QMessageBox::Ok)->setText(Text(preferences, "Main.Buttons", "OK"));
  box.button(QMessageBox::Cancel)->setText(Text(preferences, "Main.Buttons", "Cancel"));
  box.setDefaultButton(QMessageBox::Cancel);
  return box.exec() == QMessageBox::Ok;
}

void ShowAboutBox(const TPreferences& preferences, QWidget* parent) {
  const QString text =
      QString(
          "<h3>%1</h3>"
          "<p>A video-poker trainer: every hold of every deal valued exactly.</p>"
          "<p>Built with Qt %2 (LGPL version 3), zlib %3 (zlib licence) and the GNU C++ "
          "library (GPL version 3 with the runtime library exception). The card art "
          "is drawn by the program's own code.</p>"
          "<p>Your hand log, settings and paytables are kept in<br><tt>%4</tt></p>")
          .arg(QString::fromUtf8(ProgramTitle), QString::fromLatin1(qVersion()),
               QString::fromLatin1(ZLIB_VERSION),
               QString::fromStdString(DataFolder().string()).toHtmlEscaped());
  QMessageBox box(QMessageBox::NoIcon, Text(preferences, "Main.Menu", "About"), text,
                  QMessageBox::Ok, parent);
  box.setTextFormat(Qt::RichText);
  box.exec();
}

}  // namespace tavrik
