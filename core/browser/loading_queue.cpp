#include "core/browser/loading_queue.h"

#include <algorithm>

#include "core/browser/page_host.h"
#include "core/files/setting_keys.h"

namespace tolvane {

CLoadingQueue::Options CLoadingQueue::Options::Read(const SettingsStore& settings) {
  Options options;
  options.mode = tolvane::Read(settings, settings::kLoadingMode);
  // Bounded by the setting: a count outside the option page's range would
  // stop or flood the loading.
  options.max_loading = tolvane::Read(settings, settings::kLoadingMaxLoading);
  options.active_category_only = tolvane::Read(settings, settings::kLoadingActiveCateOnly) != 0;
  return options;
}

CLoadingQueue::CLoadingQueue(const Options& options, TimerFactory& timers,
                             const PagePlacement& placement)
    : options_(options), placement_(placement), pass_timer_(timers.CreateTimer()) {}

int CLoadingQueue::Find(const PageHost* host) const {
  const auto it = std::find(hosts_.begin(), hosts_.end(), host);
  return it == hosts_.end() ? -1 : static_cast<int>(it - hosts_.begin());
}

std::size_t CLoadingQueue::StartedCount() const {
  return static_cast<std::size_t>(std::count(started_.begin(), started_.end(), 1));
}

void CLoadingQueue::Add(PageHost* host, bool no_prefetch) {
  if (const int i = Find(host); i >= 0) {
    started_[static_cast<std::size_t>(i)] = 0;
    no_prefetch_[static_cast<std::size_t>(i)] = no_prefetch ? 1 : 0;
  } else {
    hosts_.push_back(host);
    started_.push_back(0);
    no_prefetch_.push_back(no_prefetch ? 1 : 0);
  }
  PostPass();
}

void CLoadingQueue::Shown(PageHost* host) {
  if (const int i = Find(host); i >= 0) {
    started_[static_cast<std::size_t>(i)] = 1;
    host->StartNavigation();
  }
  PostPass();
}

void CLoadingQueue::Completed(PageHost* host) {
  Erase(host);
  PostPass();
}

void CLoadingQueue::Removed(PageHost* host) {
  Erase(host);
  PostPass();
}

void CLoadingQueue::Erase(const PageHost* host) {
  const int i = Find(host);
  if (i < 0) return;
  hosts_.erase(hosts_.begin() + i);
  started_.erase(started_.begin() + i);
  no_prefetch_.erase(no_prefetch_.begin() + i);
}

void CLoadingQueue::PostPass() {
  if (pass_timer_ == nullptr) {
    Schedule();
  } else if (!pass_timer_->active()) {
    pass_timer_->Start(0, false, [this] { Schedule(); });
  }
}

bool CLoadingQueue::MayStart(std::size_t i, int priority) const {
  if (priority == 4) return true;
  if (options_.active_category_only && priority <= 2) return false;
  return options_.mode != 0 && no_prefetch_[i] == 0;
}

void CLoadingQueue::Schedule() {
  const std::size_t slots = options_.mode == 2 ? static_cast<std::size_t>(options_.max_loading) : 1;
  std::size_t running = StartedCount();
  while (running < slots) {
    // The best entry that may start; one that may not (archived, or outside
    // the selected category) must not hold back those behind it.
    int best = -1;
    int best_priority = 0;
    for (std::size_t i = 0; i < hosts_.size(); ++i) {
      if (started_[i] != 0) continue;
      const int priority = static_cast<int>(placement_.PlaceOf(*hosts_[i]));
      if (priority > best_priority && MayStart(i, priority)) {
        best = static_cast<int>(i);
        best_priority = priority;
      }
    }
    if (best < 0) return;
    started_[static_cast<std::size_t>(best)] = 1;
    ++running;
    // Starting may end the load at once (a refused address) and take the
    // entry out of the queue; the next round recounts from the arrays.
    hosts_[static_cast<std::size_t>(best)]->StartNavigation();
    running = StartedCount();
  }
}

}  // namespace tolvane
