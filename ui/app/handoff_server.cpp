#include "ui/app/handoff_server.h"

#include <QLocalServer>
#include <QLocalSocket>

#include "core/app/handoff.h"
#include "ui/app/qt_text.h"

namespace tolvane {
namespace {

constexpr int kSendTimeoutMs = 3000;

}  // namespace

CHandoffServer::CHandoffServer(const std::filesystem::path& socket_path, QObject* parent)
    : QObject(parent), server_(new QLocalServer(this)), path_(socket_path) {
  server_->setSocketOptions(QLocalServer::UserAccessOption);
  QLocalServer::removeServer(PathToQString(path_));
  server_->listen(PathToQString(path_));
  connect(server_, &QLocalServer::newConnection, this, [this] {
    while (QLocalSocket* socket = server_->nextPendingConnection()) {
      connect(socket, &QLocalSocket::readyRead, socket, [socket] {
        // Past the limit the sender is not one of ours: stop listening to it.
        if (socket->bytesAvailable() > static_cast<qint64>(handoff::kMaxMessageBytes)) {
          socket->abort();
        }
      });
      connect(socket, &QLocalSocket::disconnected, this, [this, socket] {
        const QByteArray bytes = socket->readAll();
        socket->deleteLater();
        if (const auto argument = handoff::ReadMessage(bytes.toStdString())) {
          emit argumentReceived(*argument);
        }
      });
    }
  });
}

CHandoffServer::~CHandoffServer() {
  server_->close();
  QLocalServer::removeServer(PathToQString(path_));
}

bool CHandoffServer::listening() const { return server_->isListening(); }

bool CHandoffServer::Send(const std::filesystem::path& socket_path, const std::string& message) {
  QLocalSocket socket;
  socket.connectToServer(PathToQString(socket_path));
  if (!socket.waitForConnected(kSendTimeoutMs)) return false;
  socket.write(message.data(), static_cast<qint64>(message.size()));
  if (!socket.waitForBytesWritten(kSendTimeoutMs)) return false;
  socket.disconnectFromServer();
  return socket.state() == QLocalSocket::UnconnectedState ||
         socket.waitForDisconnected(kSendTimeoutMs);
}

}  // namespace tolvane
