#pragma once

#include <QApplication>

namespace tavrik {

// The application object: an exception that escapes any event handler is passed to the
// installed error handler (the error report) and the event loop goes on. When a modal
// dialog closes, the window below it takes the keyboard back explicitly: with no window
// manager (a kiosk, a virtual display) X would otherwise leave the keyboard to no window.
class TTavrikApplication : public QApplication {
 public:
  TTavrikApplication(int& argc, char** argv);
  bool notify(QObject* receiver, QEvent* event) override;
};

}  // namespace tavrik
