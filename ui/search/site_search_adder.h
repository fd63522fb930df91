#pragma once

#include <QObject>
#include <QPointer>
#include <QUrl>
#include <functional>
#include <optional>

#include "core/stores/engine_list.h"

class QNetworkAccessManager;
class QNetworkReply;
class QWebEnginePage;

namespace tolvane {

class Prompter;

// "このサイトの検索を追加": finds the search description a page declares
// (<link rel="search" type="application/opensearchdescription+xml">),
// fetches it (http or https only, OpenSearchDescription::kMaxBytes at most,
// kFetchTimeoutMs without a byte and kTotalTimeoutMs in all), maps it to a new user engine's values
// and, once the user has checked them, creates the engine. Every refusal (no description, a failed
// fetch, a description OpenSearchDescription refuses, no user engine ID left) is told through the
// prompter and changes nothing.
class SiteSearchAdder : public QObject {
  Q_OBJECT

 public:
  static constexpr int kFetchTimeoutMs = 10'000;
  // A server that sends a byte now and then would keep the command busy
  // for as long as it likes.
  static constexpr int kTotalTimeoutMs = 30'000;

  struct Hooks {
    // Shows the values in the engine dialog for checking and saves the new
    // engine from it, at search tree item `tree_item`: its row, or nullopt
    // when the user cancelled.
    std::function<std::optional<int>(const EngineDialogValues& values, int tree_item)> create;
  };

  SiteSearchAdder(Prompter& prompter, Hooks hooks, QObject* parent = nullptr,
                  int total_timeout_ms = kTotalTimeoutMs);
  ~SiteSearchAdder() override;

  // The whole command on `page`, the new engine going where search tree
  // item `tree_item` says (-1: the tree's default place); one at a time (a
  // second call while one runs is ignored).
  void AddFrom(QWebEnginePage* page, int tree_item = -1);
  bool busy() const { return busy_; }

  // The address of the description `page` declares (absolute), or an
  // empty one; asynchronous.
  static void FindDescription(QWebEnginePage* page, std::function<void(const QUrl&)> found);

 signals:
  // The command ended, with or without an engine.
  void finished();

 private:
  void Fetch(const QUrl& url, const QString& user_agent);
  void Finish(const QByteArray& document);
  void Refuse(const std::string& message);
  void End();

  Prompter& prompter_;
  Hooks hooks_;
  QNetworkAccessManager* network_ = nullptr;
  QPointer<QNetworkReply> reply_;
  QByteArray received_;
  int tree_item_ = -1;
  // The description was cut off for its size (announced or received).
  bool too_large_ = false;
  // The fetch took longer than total_timeout_ms_.
  bool too_slow_ = false;
  int total_timeout_ms_;
  bool busy_ = false;
};

}  // namespace tolvane
