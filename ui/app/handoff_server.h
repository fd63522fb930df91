#pragma once

#include <QObject>
#include <chrono>
#include <filesystem>
#include <string>

#include "core/app/handoff.h"

class QLocalServer;
class QLocalSocket;

namespace tolvane {

// The running copy's end of the hand-over (core/app/handoff.h): a local
// socket only this user may connect to, and whose other end is checked to
// be this user's. Each connection sends one argument and closes; one that
// has not within `connection_timeout`, and any past handoff::kMaxConnections
// open at once, is closed unread.
class CHandoffServer : public QObject {
  Q_OBJECT

 public:
  // Listens at `socket_path`; a socket file left by a copy that was killed
  // is replaced (the data directory's hold says no other copy uses it).
  explicit CHandoffServer(const std::filesystem::path& socket_path, QObject* parent = nullptr,
                          std::chrono::milliseconds connection_timeout =
                              std::chrono::milliseconds(handoff::kConnectionTimeoutMs));
  ~CHandoffServer() override;

  bool listening() const;
  // Connections open now.
  int open_connections() const { return open_; }

  // The second copy's end: sends `message` and waits until the running copy
  // took it. False, with the reason in *why, when no copy of this user
  // listens or it did not take the message.
  static bool Send(const std::filesystem::path& socket_path, const std::string& message,
                   std::string* why = nullptr);

 signals:
  // A well-formed argument (native UTF-8) arrived.
  void argumentReceived(const std::string& argument);

 private:
  void Accept(QLocalSocket* socket);

  QLocalServer* server_;
  std::filesystem::path path_;
  std::chrono::milliseconds connection_timeout_;
  int open_ = 0;
};

}  // namespace tolvane
