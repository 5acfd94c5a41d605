#include "app/single_instance.h"

#include <unistd.h>

#include <QLocalServer>
#include <QLocalSocket>

#include "core/data_files.h"

namespace tavrik {

namespace {

constexpr int ConnectTimeout = 500;  // milliseconds
const QByteArray ActivateMessage = "activate\n";

}  // namespace

QString TSingleInstance::DefaultName() {
  // One copy per data folder: copies with folders of their own (a second profile, tests
  // side by side) never meet.
  const QString folder = QString::fromStdString(DataFolder().string());
  return "Tavrik-" + QString::number(::getuid()) + "-" + QString::number(qHash(folder), 16);
}

TSingleInstance::TSingleInstance(QString name, QObject* parent)
    : QObject(parent), name_(std::move(name)) {}

TSingleInstance::~TSingleInstance() = default;

bool TSingleInstance::AnotherIsRunning() {
  QLocalSocket socket;
  socket.connectToServer(name_);
  if (socket.waitForConnected(ConnectTimeout)) {
    socket.write(ActivateMessage);
    socket.waitForBytesWritten(ConnectTimeout);
    socket.disconnectFromServer();
    return true;
  }
  // Nobody answers: a socket file left by a copy that crashed is removed first.
  QLocalServer::removeServer(name_);
  server_ = new QLocalServer(this);
  server_->setSocketOptions(QLocalServer::UserAccessOption);
  if (!server_->listen(name_)) return false;  // still start; only the test is lost
  connect(server_, &QLocalServer::newConnection, this, [this] {
    while (QLocalSocket* client = server_->nextPendingConnection()) {
      connect(client, &QLocalSocket::readyRead, this, [this, client] {
        if (client->readAll().contains("activate") && OnActivate) OnActivate();
      });
      connect(client, &QLocalSocket::disconnected, client, &QObject::deleteLater);
    }
  });
  return false;
}

}  // namespace tavrik
