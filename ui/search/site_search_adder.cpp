#include "ui/search/site_search_adder.h"

#include <QNetworkAccessManager>
#include <QNetworkReply>
#include <QNetworkRequest>
#include <QTimer>
#include <QWebEnginePage>
#include <QWebEngineProfile>
#include <QWebEngineScript>
#include <optional>
#include <string>

#include "core/files/prompter.h"
#include "core/files/string_table.h"
#include "core/search/open_search_description.h"
#include "ui/base/qt_text.h"

namespace tolvane {
namespace {

// Runs apart from the page's own scripts, so a page cannot answer for it.
const char kFindDescriptionScript[] = R"JS(
(function () {
  var links = document.querySelectorAll('link[rel]');
  for (var i = 0; i < links.length; ++i) {
    var rel = ' ' + String(links[i].rel).toLowerCase() + ' ';
    var type = String(links[i].type || '').toLowerCase();
    if (rel.indexOf(' search ') >= 0 && type === 'application/opensearchdescription+xml')
      return links[i].href;
  }
  return '';
})()
)JS";

bool Fetchable(const QUrl& url) {
  return url.isValid() &&
         (url.scheme() == QStringLiteral("http") || url.scheme() == QStringLiteral("https"));
}

}  // namespace

SiteSearchAdder::SiteSearchAdder(Prompter& prompter, Hooks hooks, QObject* parent,
                                 int total_timeout_ms)
    : QObject(parent),
      prompter_(prompter),
      hooks_(std::move(hooks)),
      network_(new QNetworkAccessManager(this)),
      total_timeout_ms_(total_timeout_ms) {}

SiteSearchAdder::~SiteSearchAdder() {
  if (reply_) reply_->abort();
}

void SiteSearchAdder::FindDescription(QWebEnginePage* page,
                                      std::function<void(const QUrl&)> found) {
  page->runJavaScript(
      QString::fromUtf8(kFindDescriptionScript), QWebEngineScript::ApplicationWorld,
      [found = std::move(found)](const QVariant& result) { found(QUrl(result.toString())); });
}

void SiteSearchAdder::AddFrom(QWebEnginePage* page, int tree_item) {
  if (busy_ || page == nullptr) return;
  busy_ = true;
  tree_item_ = tree_item;
  const QString user_agent = page->profile()->httpUserAgent();
  QPointer<SiteSearchAdder> self(this);
  FindDescription(page, [self, user_agent](const QUrl& url) {
    if (!self) return;
    if (url.isEmpty()) {
      self->Refuse(LoadString(string_id::kNoDescription));
    } else if (!Fetchable(url)) {
      self->Refuse(FormatString(string_id::kDescriptionBadUrl, {ToSjis(url.toDisplayString())}));
    } else {
      self->Fetch(url, user_agent);
    }
  });
}

void SiteSearchAdder::Fetch(const QUrl& url, const QString& user_agent) {
  QNetworkRequest request(url);
  request.setTransferTimeout(kFetchTimeoutMs);
  request.setHeader(QNetworkRequest::UserAgentHeader, user_agent);
  // A redirect could lead anywhere, a local file among them: only http and
  // https are followed, and never from https down to http.
  request.setAttribute(QNetworkRequest::RedirectPolicyAttribute,
                       QNetworkRequest::NoLessSafeRedirectPolicy);
  received_.clear();
  too_large_ = false;
  too_slow_ = false;
  reply_ = network_->get(request);
  QNetworkReply* reply = reply_;
  QTimer::singleShot(total_timeout_ms_, reply, [this, reply] {
    too_slow_ = true;
    reply->abort();
  });
  connect(reply, &QNetworkReply::metaDataChanged, this, [this, reply] {
    const QVariant length = reply->header(QNetworkRequest::ContentLengthHeader);
    if (length.isValid() && length.toLongLong() > qint64{OpenSearchDescription::kMaxBytes}) {
      too_large_ = true;
      reply->abort();
    }
  });
  connect(reply, &QNetworkReply::readyRead, this, [this, reply] {
    received_ += reply->readAll();
    if (received_.size() > qsizetype{OpenSearchDescription::kMaxBytes}) {
      too_large_ = true;
      reply->abort();
    }
  });
  connect(reply, &QNetworkReply::finished, this, [this, reply] {
    reply->deleteLater();
    if (!too_large_) received_ += reply->readAll();
    if (too_large_ || received_.size() > qsizetype{OpenSearchDescription::kMaxBytes}) {
      Refuse(LoadString(string_id::kDescriptionTooLarge));
    } else if (too_slow_) {
      Refuse(FormatString(
          string_id::kDescriptionNotFetched,
          {FormatString(string_id::kTookTooLong, {std::to_string(total_timeout_ms_ / 1000)})}));
    } else if (reply->error() != QNetworkReply::NoError) {
      Refuse(FormatString(string_id::kDescriptionNotFetched, {ToSjis(reply->errorString())}));
    } else {
      Finish(received_);
    }
  });
}

void SiteSearchAdder::Finish(const QByteArray& document) {
  const OpenSearchDescription description =
      OpenSearchDescription::Parse(std::string_view(document.constData(), document.size()));
  if (!description.ok()) {
    Refuse(description.Message());
    return;
  }
  // The dialog saves the engine itself (the engine list tells the views);
  // a full ID range is its message.
  hooks_.create(description.engine(), tree_item_);
  End();
}

void SiteSearchAdder::Refuse(const std::string& message) {
  // The box runs its own event loop: the command is over before it shows.
  End();
  prompter_.ShowWarning(message);
}

void SiteSearchAdder::End() {
  busy_ = false;
  received_.clear();
  emit finished();
}

}  // namespace tolvane
