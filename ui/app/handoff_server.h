#pragma once

#include <QObject>
#include <filesystem>
#include <string>

class QLocalServer;

namespace tolvane {

// The running copy's end of the hand-over (core/app/handoff.h): a local
// socket only this user may connect to. Each connection sends one argument
// and closes.
class CHandoffServer : public QObject {
  Q_OBJECT

 public:
  // Listens at `socket_path`; a socket file left by a copy that was killed
  // is replaced (the data directory's hold says no other copy uses it).
  explicit CHandoffServer(const std::filesystem::path& socket_path, QObject* parent = nullptr);
  ~CHandoffServer() override;

  bool listening() const;

  // The second copy's end: sends `message` and waits until the running copy
  // took it. False when no copy listens.
  static bool Send(const std::filesystem::path& socket_path, const std::string& message);

 signals:
  // A well-formed argument (native UTF-8) arrived.
  void argumentReceived(const std::string& argument);

 private:
  QLocalServer* server_;
  std::filesystem::path path_;
};

}  // namespace tolvane
