#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <vector>

#include "core/browser/page_placement.h"
#include "core/files/settings_store.h"
#include "core/files/timer.h"

namespace tolvane {

class PageHost;

// Decides which waiting pages may load, how many at once and in which
// order, so that a search opening dozens of page tabs loads only a few at a
// time. Pages enter it from PageHost::QueueNavigation and leave when their
// load ends or they are destroyed; the page being shown starts at once.
//
// Entries are kept in the order the pages were first queued (three parallel
// arrays: page, started, no-prefetch). Every change posts one scheduling pass
// (several changes before it runs share it), which fills the free slots:
//   slots  = MaxLoading in mode 2, else 1, minus the started entries;
//   choice = the waiting entry of the highest placement (shown page 4,
//            selected category 3, other category 2, hidden group 1), the
//            front-most of equals, among those allowed to start:
//            placement 4 always; others when the mode is not 0, the page's
//            origin is not in the archive folder, and (ActiveCateOnly is off
//            or the placement is above 2).
// The modes (OptionLoading, read once when the queue is made): 0 loads only
// shown pages, 1 one hidden page at a time, 2 up to MaxLoading pages at once.
class CLoadingQueue {
 public:
  struct Options {
    int mode = 1;
    int max_loading = 10;  // 1-99
    bool active_category_only = true;

    static Options Read(const SettingsStore& settings);
  };

  CLoadingQueue(const Options& options, TimerFactory& timers, const PagePlacement& placement);
  CLoadingQueue(const CLoadingQueue&) = delete;
  CLoadingQueue& operator=(const CLoadingQueue&) = delete;

  const Options& options() const { return options_; }

  // A page waits (again): appended, or set back to waiting in its place.
  void Add(PageHost* host, bool no_prefetch);
  // The page became the shown one: it starts now, slot or not.
  void Shown(PageHost* host);
  // The page's load ended or stopped.
  void Completed(PageHost* host);
  // The page is being destroyed.
  void Removed(PageHost* host);

  // One scheduling pass; normally run by the posted pass.
  void Schedule();

  std::size_t size() const { return hosts_.size(); }
  PageHost* host(std::size_t i) const { return hosts_[i]; }
  bool started(std::size_t i) const { return started_[i] != 0; }
  bool no_prefetch(std::size_t i) const { return no_prefetch_[i] != 0; }
  // Index of `host`, or -1.
  int Find(const PageHost* host) const;
  std::size_t StartedCount() const;

 private:
  void Erase(const PageHost* host);
  void PostPass();
  bool MayStart(std::size_t i, int priority) const;

  Options options_;
  const PagePlacement& placement_;
  std::unique_ptr<Timer> pass_timer_;  // null: passes run at once
  std::vector<PageHost*> hosts_;
  std::vector<std::uint8_t> started_;
  std::vector<std::uint8_t> no_prefetch_;
};

}  // namespace tolvane
