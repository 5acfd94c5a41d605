#include "app/application.h"

#include <QTimer>
#include <QWidget>

#include "core/error.h"
#include "ui/widgets/error_handler.h"

namespace tavrik {

TTavrikApplication::TTavrikApplication(int& argc, char** argv) : QApplication(argc, argv) {}

bool TTavrikApplication::notify(QObject* receiver, QEvent* event) {
  if (event->type() == QEvent::Hide && receiver->isWidgetType()) {
    const auto* dialog = static_cast<QWidget*>(receiver);
    QWidget* below = dialog->isWindow() && dialog->isModal() && dialog->parentWidget() != nullptr
                         ? dialog->parentWidget()->window()
                         : nullptr;
    if (below != nullptr) {
      QTimer::singleShot(0, below, [below] {
        // Unless another dialog has opened meanwhile.
        const QWidget* modal = QApplication::activeModalWidget();
        if (below->isVisible() && (modal == nullptr || modal == below)) below->activateWindow();
      });
    }
  }
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
