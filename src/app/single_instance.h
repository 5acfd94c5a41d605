#pragma once

#include <QObject>
#include <QString>
#include <functional>

class QLocalServer;

namespace tavrik {

// One running copy per user and data folder: the first copy listens on a local socket
// named after both; a later copy finds it there, asks it to come to the front and ends.
class TSingleInstance : public QObject {
  Q_OBJECT

 public:
  // The socket name of the current user and data folder ("Tavrik-<uid>-<folder hash>").
  static QString DefaultName();

  explicit TSingleInstance(QString name = DefaultName(), QObject* parent = nullptr);
  ~TSingleInstance() override;

  // True when another copy runs (it has been asked to activate its window); otherwise this
  // copy starts listening and returns false.
  bool AnotherIsRunning();

  // Called when a later copy asks this one to come to the front.
  std::function<void()> OnActivate;

 private:
  QString name_;
  QLocalServer* server_ = nullptr;
};

}  // namespace tavrik
