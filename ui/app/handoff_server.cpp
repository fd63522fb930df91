#include "ui/app/handoff_server.h"

#include <QLocalServer>
#include <QLocalSocket>
#include <QTimer>

#include "core/app/handoff.h"
#include "platform/peer_user.h"
#include "ui/base/qt_text.h"

namespace tolvane {
namespace {

constexpr int kSendTimeoutMs = 3000;

}  // namespace

CHandoffServer::CHandoffServer(const std::filesystem::path& socket_path, QObject* parent,
                               std::chrono::milliseconds connection_timeout)
    : QObject(parent),
      server_(new QLocalServer(this)),
      path_(socket_path),
      connection_timeout_(connection_timeout) {
  server_->setSocketOptions(QLocalServer::UserAccessOption);
  QLocalServer::removeServer(PathToQString(path_));
  server_->listen(PathToQString(path_));
  connect(server_, &QLocalServer::newConnection, this, [this] {
    while (QLocalSocket* socket = server_->nextPendingConnection()) Accept(socket);
  });
}

CHandoffServer::~CHandoffServer() {
  server_->close();
  QLocalServer::removeServer(PathToQString(path_));
}

bool CHandoffServer::listening() const { return server_->isListening(); }

void CHandoffServer::Accept(QLocalSocket* socket) {
  // Closed unread, so that what it sent so far is never taken.
  auto drop = [](QLocalSocket* dropped) {
    QObject::disconnect(dropped, &QLocalSocket::disconnected, nullptr, nullptr);
    dropped->abort();
    dropped->deleteLater();
  };
  if (open_ >= handoff::kMaxConnections ||
      !PeerIsThisUser(static_cast<int>(socket->socketDescriptor()))) {
    drop(socket);
    return;
  }
  ++open_;
  connect(socket, &QObject::destroyed, this, [this] { --open_; });
  QTimer::singleShot(connection_timeout_, socket, [socket, drop] { drop(socket); });
  connect(socket, &QLocalSocket::readyRead, socket, [socket, drop] {
    // Past the limit the sender is not one of ours: stop listening to it.
    if (socket->bytesAvailable() > static_cast<qint64>(handoff::kMaxMessageBytes)) drop(socket);
  });
  connect(socket, &QLocalSocket::disconnected, this, [this, socket] {
    const QByteArray bytes = socket->readAll();
    socket->deleteLater();
    if (const auto argument = handoff::ReadMessage(bytes.toStdString())) {
      emit argumentReceived(*argument);
    }
  });
}

bool CHandoffServer::Send(const std::filesystem::path& socket_path, const std::string& message,
                          std::string* why) {
  std::string ignored;
  if (why == nullptr) why = &ignored;
  QLocalSocket socket;
  socket.connectToServer(PathToQString(socket_path));
  if (!socket.waitForConnected(kSendTimeoutMs)) {
    *why = "no running copy listens at " + socket_path.string();
    return false;
  }
  // Whoever listens there first would otherwise receive the address.
  if (!PeerIsThisUser(static_cast<int>(socket.socketDescriptor()))) {
    socket.abort();
    *why = socket_path.string() + " belongs to another user";
    return false;
  }
  socket.write(message.data(), static_cast<qint64>(message.size()));
  if (socket.waitForBytesWritten(kSendTimeoutMs)) {
    socket.disconnectFromServer();
    if (socket.state() == QLocalSocket::UnconnectedState ||
        socket.waitForDisconnected(kSendTimeoutMs)) {
      return true;
    }
  }
  *why = "the running copy did not take it";
  return false;
}

}  // namespace tolvane
