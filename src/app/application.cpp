#include "app/application.h"

#include "core/error.h"
#include "ui/widgets/error_handler.h"

namespace tavrik {

TTavrikApplication::TTavrikApplication(int& argc, char** argv) : QApplication(argc, argv) {}

bool TTavrikApplication::notify(QObject* receiver, QEvent* event) {
  try {
    return QApplication::notify(receiver, event);
  } catch (const std::exception& error) {
    HandleError(error);
  } catch (...) {
    HandleError(TError("Unknown error"));
  }
  return false;
}

}  // namespace tavrik
