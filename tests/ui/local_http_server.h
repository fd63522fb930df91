#pragma once

#include <QByteArray>
#include <QList>
#include <QMap>
#include <QObject>
#include <QPair>
#include <QTcpServer>
#include <QUrl>

class QTcpSocket;

namespace tolvane::test {

// A small HTTP/1.1 server on 127.0.0.1 (ephemeral port) for tests that drive
// the real web engine. It keeps every request exactly as it arrived (request
// line, headers, body), answers each from a table of routes and counts how
// many requests are open at once. Every answer closes its connection, so one
// connection carries one request.
class LocalHttpServer : public QObject {
  Q_OBJECT

 public:
  struct Request {
    QByteArray method;
    QByteArray target;  // as on the request line, percent escapes untouched
    QList<QPair<QByteArray, QByteArray>> headers;
    QByteArray body;

    QByteArray path() const;                          // target up to '?'
    QByteArray header(const QByteArray& name) const;  // first match, any case
  };

  struct Reply {
    int status = 200;
    QByteArray content_type = "text/html; charset=Shift_JIS";
    QByteArray body;
    QList<QByteArray> extra_headers;  // whole "Name: value" lines
    int delay_ms = 0;
    bool never_answer = false;
  };

  explicit LocalHttpServer(QObject* parent = nullptr);
  ~LocalHttpServer() override;

  bool ok() const { return server_.isListening(); }
  quint16 port() const { return server_.serverPort(); }
  // "http://127.0.0.1:<port>" + path_and_query, as bytes so escapes stay.
  QByteArray base() const;
  QUrl url(const QByteArray& path_and_query) const;

  // Routes are matched on the path only. A route ending in '*' matches every
  // path with that prefix. Unknown paths get 404.
  void route(const QByteArray& path, const Reply& reply);
  void page(const QByteArray& path, const QByteArray& html);

  const QList<Request>& requests() const { return requests_; }
  QList<Request> requestsTo(const QByteArray& path) const;
  int countTo(const QByteArray& path) const { return static_cast<int>(requestsTo(path).size()); }
  int openNow() const { return open_; }
  int maxOpen() const { return max_open_; }
  void resetCounts();

 private:
  struct Connection;
  void accept();
  void read(QTcpSocket* socket);
  void answer(QTcpSocket* socket, const Reply& reply);
  const Reply* find(const QByteArray& path) const;
  void closeRequest(Connection& connection);

  QTcpServer server_;
  QMap<QByteArray, Reply> routes_;
  QList<Request> requests_;
  QMap<QTcpSocket*, Connection*> connections_;
  int open_ = 0;
  int max_open_ = 0;
};

}  // namespace tolvane::test
