#include "local_http_server.h"

#include <QHostAddress>
#include <QPointer>
#include <QTcpSocket>
#include <QTimer>

namespace tolvane::test {

struct LocalHttpServer::Connection {
  QByteArray buffer;
  bool parsed = false;  // a whole request has arrived
  bool open = false;    // counted in open_ until answered or dropped
};

QByteArray LocalHttpServer::Request::path() const {
  const qsizetype query = target.indexOf('?');
  return query < 0 ? target : target.left(query);
}

QByteArray LocalHttpServer::Request::header(const QByteArray& name) const {
  for (const auto& [key, value] : headers) {
    if (key.compare(name, Qt::CaseInsensitive) == 0) return value;
  }
  return {};
}

LocalHttpServer::LocalHttpServer(QObject* parent) : QObject(parent) {
  connect(&server_, &QTcpServer::newConnection, this, &LocalHttpServer::accept);
  server_.listen(QHostAddress::LocalHost, 0);
}

LocalHttpServer::~LocalHttpServer() {
  for (auto it = connections_.begin(); it != connections_.end(); ++it) {
    it.key()->disconnect(this);
    delete it.value();
  }
}

QByteArray LocalHttpServer::base() const {
  return "http://127.0.0.1:" + QByteArray::number(port());
}

QUrl LocalHttpServer::url(const QByteArray& path_and_query) const {
  return QUrl::fromEncoded(base() + path_and_query, QUrl::StrictMode);
}

void LocalHttpServer::route(const QByteArray& path, const Reply& reply) { routes_[path] = reply; }

void LocalHttpServer::page(const QByteArray& path, const QByteArray& html) {
  Reply reply;
  reply.body = html;
  route(path, reply);
}

QList<LocalHttpServer::Request> LocalHttpServer::requestsTo(const QByteArray& path) const {
  QList<Request> found;
  for (const Request& request : requests_) {
    if (request.path() == path) found.append(request);
  }
  return found;
}

void LocalHttpServer::resetCounts() {
  requests_.clear();
  max_open_ = open_;
}

void LocalHttpServer::accept() {
  while (QTcpSocket* socket = server_.nextPendingConnection()) {
    auto* connection = new Connection;
    connections_.insert(socket, connection);
    connect(socket, &QTcpSocket::readyRead, this, [this, socket] { read(socket); });
    connect(socket, &QTcpSocket::disconnected, this, [this, socket] {
      Connection* gone = connections_.take(socket);
      if (gone != nullptr) {
        closeRequest(*gone);
        delete gone;
      }
      socket->deleteLater();
    });
  }
}

void LocalHttpServer::closeRequest(Connection& connection) {
  if (!connection.open) return;
  connection.open = false;
  --open_;
}

const LocalHttpServer::Reply* LocalHttpServer::find(const QByteArray& path) const {
  if (auto it = routes_.find(path); it != routes_.end()) return &it.value();
  const Reply* best = nullptr;
  qsizetype best_length = -1;
  for (auto it = routes_.begin(); it != routes_.end(); ++it) {
    const QByteArray& key = it.key();
    if (!key.endsWith('*')) continue;
    const QByteArray prefix = key.chopped(1);
    if (path.startsWith(prefix) && prefix.size() > best_length) {
      best = &it.value();
      best_length = prefix.size();
    }
  }
  return best;
}

void LocalHttpServer::read(QTcpSocket* socket) {
  Connection* connection = connections_.value(socket);
  if (connection == nullptr || connection->parsed) return;
  connection->buffer += socket->readAll();
  const qsizetype head_end = connection->buffer.indexOf("\r\n\r\n");
  if (head_end < 0) return;

  Request request;
  const QList<QByteArray> lines = connection->buffer.left(head_end).split('\n');
  const QList<QByteArray> first = lines.value(0).trimmed().split(' ');
  request.method = first.value(0);
  request.target = first.value(1);
  for (qsizetype i = 1; i < lines.size(); ++i) {
    const qsizetype colon = lines[i].indexOf(':');
    if (colon > 0) {
      request.headers.append({lines[i].left(colon).trimmed(), lines[i].mid(colon + 1).trimmed()});
    }
  }
  const qsizetype body_length = request.header("Content-Length").toLongLong();
  const QByteArray rest = connection->buffer.mid(head_end + 4);
  if (rest.size() < body_length) return;
  request.body = rest.left(body_length);

  connection->parsed = true;
  connection->open = true;
  max_open_ = std::max(max_open_, ++open_);
  requests_.append(request);

  Reply reply;
  if (const Reply* routed = find(request.path())) {
    reply = *routed;
  } else {
    reply.status = 404;
    reply.body = "<html><head><title>404</title></head><body>not found</body></html>";
  }
  if (reply.never_answer) return;
  if (reply.delay_ms <= 0) {
    answer(socket, reply);
    return;
  }
  QPointer<QTcpSocket> guarded(socket);
  QTimer::singleShot(reply.delay_ms, this, [this, guarded, reply] {
    if (guarded) answer(guarded, reply);
  });
}

void LocalHttpServer::answer(QTcpSocket* socket, const Reply& reply) {
  QByteArray head =
      "HTTP/1.1 " + QByteArray::number(reply.status) + (reply.status == 200 ? " OK" : " Other") +
      "\r\nContent-Type: " + reply.content_type +
      "\r\nContent-Length: " + QByteArray::number(reply.body.size()) + "\r\nConnection: close\r\n";
  for (const QByteArray& line : reply.extra_headers) head += line + "\r\n";
  socket->write(head + "\r\n" + reply.body);
  if (Connection* connection = connections_.value(socket)) closeRequest(*connection);
  socket->disconnectFromHost();
}

}  // namespace tolvane::test
