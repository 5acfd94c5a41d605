// The trainer: one copy per user, the main window, and the error report for whatever
// no operation handled.
#include <QFontDatabase>
#include <QMessageBox>
#include <iostream>

#include "app/application.h"
#include "app/exception_report.h"
#include "app/single_instance.h"
#include "game/preferences.h"
#include "ui/error_handler.h"
#include "ui/main_window.h"

int main(int argc, char** argv) {
  using namespace tavrik;
  TTavrikApplication app(argc, argv);
  QApplication::setApplicationName("Tavrik 2.0");

  TSingleInstance instance;
  if (instance.AnotherIsRunning()) return 0;

  SetErrorHandler([](const std::exception& error) {
    ShowErrorReport(error, GetPreferences(), QApplication::activeWindow());
  });
  int result = 1;
  try {
    TPreferences& preferences = GetPreferences();
    std::vector<std::string> families;
    for (const QString& family : QFontDatabase::families()) families.push_back(family.toStdString());
    preferences.ChooseFont(families);
    {
      TfTavrik20Main window(preferences);
      instance.OnActivate = [&window] {
        if (window.isMinimized()) window.showNormal();
        window.show();
        window.raise();
        window.activateWindow();
      };
      window.show();
      result = QApplication::exec();
      instance.OnActivate = nullptr;
    }
    FreePreferences();
  } catch (const std::exception& error) {
    std::cerr << "tavrik: " << error.what() << '\n';
    QMessageBox::critical(nullptr, "Tavrik 2.0", QString::fromUtf8(error.what()));
    result = 1;
  }
  SetErrorHandler(nullptr);
  return result;
}
