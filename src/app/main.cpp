// The trainer: one copy per user, the main window, and the error report for whatever
// no operation handled.
#include <sys/socket.h>
#include <unistd.h>

#include <QDialog>
#include <QFontDatabase>
#include <QMessageBox>
#include <QSocketNotifier>
#include <csignal>
#include <iostream>

#include "app/application.h"
#include "app/exception_report.h"
#include "app/single_instance.h"
#include "core/version.h"
#include "game/preferences.h"
#include "ui/main/main_window.h"
#include "ui/widgets/error_handler.h"

namespace {

// SIGTERM and SIGINT close the main window as the player would, so that the open round is
// logged and the settings are written: the handler only writes a byte to a socket that the
// event loop watches.
int terminationSockets[2] = {-1, -1};

void OnTerminate(int /*signal*/) {
  const char byte = 1;
  [[maybe_unused]] const ssize_t written = ::write(terminationSockets[0], &byte, 1);
}

}  // namespace

int main(int argc, char** argv) {
  using namespace tavrik;
  TTavrikApplication app(argc, argv);
  QApplication::setApplicationName(QString::fromUtf8(ProgramTitle));

  TSingleInstance instance;
  if (instance.AnotherIsRunning()) return 0;

  SetErrorHandler([](const std::exception& error) {
    ShowErrorReport(error, GetPreferences(), QApplication::activeWindow());
  });
  int result = 1;
  try {
    TPreferences& preferences = GetPreferences();
    std::vector<std::string> families;
    for (const QString& family : QFontDatabase::families())
      families.push_back(family.toStdString());
    preferences.ChooseFont(families);
    {
      TfTavrik20Main window(preferences);
      instance.OnActivate = [&window] {
        if (window.isMinimized()) window.showNormal();
        window.show();
        window.raise();
        window.activateWindow();
      };
      std::unique_ptr<QSocketNotifier> termination;
      if (::socketpair(AF_UNIX, SOCK_STREAM, 0, terminationSockets) == 0) {
        termination =
            std::make_unique<QSocketNotifier>(terminationSockets[1], QSocketNotifier::Read);
        QObject::connect(termination.get(), &QSocketNotifier::activated, &window, [&window] {
          char byte = 0;
          [[maybe_unused]] const ssize_t got = ::read(terminationSockets[1], &byte, 1);
          // Open dialogs are cancelled first; a deal waiting for one then finishes and
          // the window closes after it.
          for (QWidget* widget : QApplication::topLevelWidgets()) {
            if (auto* dialog = qobject_cast<QDialog*>(widget); dialog && dialog->isVisible()) {
              dialog->reject();
            }
          }
          window.CloseOnSignal();
        });
        std::signal(SIGTERM, OnTerminate);
        std::signal(SIGINT, OnTerminate);
      }
      window.show();
      result = QApplication::exec();
      instance.OnActivate = nullptr;
    }
    FreePreferences();
  } catch (const std::exception& error) {
    std::cerr << "tavrik: " << error.what() << '\n';
    QMessageBox::critical(nullptr, QString::fromUtf8(ProgramTitle),
                          QString::fromUtf8(error.what()));
    result = 1;
  }
  SetErrorHandler(nullptr);
  return result;
}
