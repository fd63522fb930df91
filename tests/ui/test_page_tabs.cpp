#include "test_page_tabs.h"

#include <QTimer>

#include "ui/base/qt_text.h"
#include "ui/browser/web_engine_control.h"

namespace tolvane::test {

TestPageTabs::TestPageTabs(QWebEngineProfile* profile)
    : env_(QStringToPath(dir_.path())),
      settings_(QStringToPath(dir_.path()) / "vq_system.ini", env_),
      history_(StoreType::kHistory, settings_, clock_),
      page_controls_(profile, &area_),
      catcher_(page_controls_) {
  area_.resize(800, 600);
}

TestPageTabs::~TestPageTabs() {
  // Hosts first: they tell the queue and the catcher they go.
  hosts_.clear();
}

void TestPageTabs::Start() {
  queue_ = std::make_unique<CLoadingQueue>(CLoadingQueue::Options::Read(settings_), timers_, *this);
  area_.show();
}

PageHost* TestPageTabs::Insert(std::size_t index) {
  PageHost::Services services{settings_, timers_, prompter_};
  services.history = &history_;
  services.queue = queue_.get();
  services.catcher = &catcher_;
  auto host = std::make_unique<PageHost>(*this, services);
  if (!host->Create()) return nullptr;
  PageHost* added = host.get();
  hosts_.insert(hosts_.begin() + static_cast<std::ptrdiff_t>(index), std::move(host));
  if (index <= selected_ && hosts_.size() > 1) ++selected_;
  return added;
}

PageHost* TestPageTabs::Add() {
  PageHost* host = Insert(hosts_.size());
  if (host != nullptr && hosts_.size() == 1) host->Show(false);
  return host;
}

PageHost* TestPageTabs::Open(const std::string& url, const std::string& post_body) {
  PageHost* host = Add();
  NavigationRequest request;
  request.url = url;
  request.post_body = post_body;
  request.title = url;
  host->QueueNavigation(request);
  return host;
}

void TestPageTabs::Select(std::size_t index) {
  if (selected_ < hosts_.size() && selected_ != index) hosts_[selected_]->Hide();
  selected_ = index;
  hosts_[index]->Show(true);
}

int TestPageTabs::IndexOf(const PageHost& host) const {
  for (std::size_t i = 0; i < hosts_.size(); ++i) {
    if (hosts_[i].get() == &host) return static_cast<int>(i);
  }
  return -1;
}

WebEngineControl* TestPageTabs::control(const PageHost& host) const {
  for (const auto& [owner, control] : controls_) {
    if (owner == &host) return host.has_control() ? control : nullptr;
  }
  return nullptr;
}

std::string TestPageTabs::Listing() const {
  std::string text = "[";
  for (std::size_t i = 0; i < hosts_.size(); ++i) {
    if (i > 0) text += ' ';
    text += "WLD"[static_cast<int>(hosts_[i]->load_state())];
    text += hosts_[i]->title();
    if (i == selected_) text += '*';
  }
  return text + "]";
}

bool TestPageTabs::AllLoaded() const {
  for (const auto& host : hosts_) {
    if (host->load_state() != LoadState::kLoaded) return false;
  }
  return true;
}

std::unique_ptr<BrowserControl> TestPageTabs::CreateBrowserControl(PageHost& host) {
  std::unique_ptr<BrowserControl> control = page_controls_.CreateBrowserControl(host);
  controls_.emplace_back(&host, static_cast<WebEngineControl*>(control.get()));
  return control;
}

PageHost* TestPageTabs::OpenPageTabAfter(PageHost& opener, const NavigationRequest& request) {
  const int at = IndexOf(opener);
  if (at < 0) return nullptr;
  PageHost* page = Insert(static_cast<std::size_t>(at) + 1);
  if (page == nullptr) return nullptr;
  Select(static_cast<std::size_t>(at) + 1);
  if (!request.url.empty()) page->QueueNavigation(request);
  return page;
}

void TestPageTabs::ClosePageTab(PageHost& host) {
  QTimer::singleShot(0, &area_, [this, gone = &host] {
    const int at = IndexOf(*gone);
    if (at >= 0) hosts_.erase(hosts_.begin() + at);
  });
}

PagePlacement::Place TestPageTabs::PlaceOf(const PageHost& host) const {
  return IndexOf(host) == static_cast<int>(selected_) ? Place::kShownPage
                                                      : Place::kSelectedCategory;
}

}  // namespace tolvane::test
