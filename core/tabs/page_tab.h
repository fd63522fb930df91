#pragma once

#include <memory>

#include "core/browser/page_host.h"

namespace tolvane {

// One page tab: its page host, the page clip it is bound to, and where its
// page came from. Owned by the category tab whose page row shows it.
class CPageTab {
 public:
  CPageTab(int serial, std::unique_ptr<PageHost> host, int origin_kind, int origin_index,
           int clip_index)
      : serial_(serial),
        host_(std::move(host)),
        origin_kind_(origin_kind),
        origin_index_(origin_index),
        clip_index_(clip_index) {}

  // Process-wide number of the page tab; names it in the tab history.
  int serial() const { return serial_; }
  PageHost& host() { return *host_; }
  const PageHost& host() const { return *host_; }
  // Store of the row the page was opened from (OpenPageRequest origin
  // kinds) and that row, or kOriginNone / -1.
  int origin_kind() const { return origin_kind_; }
  int origin_index() const { return origin_index_; }
  // Record of the page in the clip list, or -1.
  int clip_index() const { return clip_index_; }
  void set_clip_index(int index) { clip_index_ = index; }

 private:
  int serial_;
  std::unique_ptr<PageHost> host_;
  int origin_kind_;
  int origin_index_;
  int clip_index_;
};

}  // namespace tolvane
