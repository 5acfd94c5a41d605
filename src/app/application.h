#pragma once

#include <QApplication>

namespace tavrik {

// The application object: an exception that escapes any event handler is passed to the
// installed error handler (the error report) and the event loop goes on.
class TTavrikApplication : public QApplication {
 public:
  TTavrikApplication(int& argc, char** argv);
  bool notify(QObject* receiver, QEvent* event) override;
};

}  // namespace tavrik
