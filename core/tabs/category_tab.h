#pragma once

#include <memory>
#include <string>
#include <vector>

#include "core/files/timer.h"
#include "core/tabs/page_tab.h"

namespace tolvane {

// The opened form of one tab record: its captions and its row of page tabs.
// Lives in the tab area's pool from the first opening of its record until
// its group is unloaded, the tab is closed or deleted, or the engine list is
// applied anew; while its group is hidden it keeps its pages (and their
// pages keep running).
class CCategoryTab {
 public:
  explicit CCategoryTab(int record) : record_(record) {}

  // Row of the tab list. Stays valid for the run: deleted rows keep their place.
  int record() const { return record_; }

  // TabName, else the tree name (Name, Url, "無題"); the short caption is
  // ShortName, else the caption.
  const std::string& caption() const { return caption_; }
  const std::string& short_caption() const { return short_caption_; }
  void set_captions(std::string caption, std::string short_caption) {
    caption_ = std::move(caption);
    short_caption_ = std::move(short_caption);
  }

  // Whether this was the selected category tab when it was last hidden.
  bool active() const { return active_; }
  void set_active(bool active) { active_ = active; }

  // The page row.
  int page_count() const { return static_cast<int>(pages_.size()); }
  CPageTab& page(int index) { return *pages_[static_cast<std::size_t>(index)]; }
  const CPageTab& page(int index) const { return *pages_[static_cast<std::size_t>(index)]; }
  std::vector<std::unique_ptr<CPageTab>>& pages() { return pages_; }
  const std::vector<std::unique_ptr<CPageTab>>& pages() const { return pages_; }
  // Selected page, -1 = none.
  int current_page() const { return current_page_; }
  void set_current_page(int index) { current_page_ = index; }
  // Inserts `page` at `at` (the end for -1 or past it); the current page
  // stays the same tab. Returns the page's index.
  int InsertPage(int at, std::unique_ptr<CPageTab> page);
  // Takes page `index` out of the row. The current index keeps pointing at
  // the same page, or, when that page is the one taken, at its left
  // neighbour (at the page moving into slot 0 when it was the first); -1
  // once the row is empty.
  std::unique_ptr<CPageTab> TakePage(int index);
  // Moves page `from` to `to`; the current page follows.
  void MovePage(int from, int to);
  // Index of the page whose host is `host`, or -1.
  int IndexOfHost(const PageHost& host) const;
  int FindBySerial(int serial) const;

  // The posted selection of a neighbour after a page closed; at most one
  // pending per category, gone with the category.
  std::unique_ptr<Timer>& select_timer() { return select_timer_; }

 private:
  int record_;
  std::string caption_;
  std::string short_caption_;
  bool active_ = false;
  std::vector<std::unique_ptr<CPageTab>> pages_;
  int current_page_ = -1;
  std::unique_ptr<Timer> select_timer_;
};

}  // namespace tolvane
