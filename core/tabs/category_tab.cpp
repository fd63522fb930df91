#include "core/tabs/category_tab.h"

#include "core/tabs/row_index.h"

namespace tolvane {

int CCategoryTab::InsertPage(int at, std::unique_ptr<CPageTab> page) {
  const int count = page_count();
  if (at < 0 || at > count) at = count;
  pages_.insert(pages_.begin() + at, std::move(page));
  if (current_page_ >= at) ++current_page_;
  return at;
}

std::unique_ptr<CPageTab> CCategoryTab::TakePage(int index) {
  std::unique_ptr<CPageTab> page = std::move(pages_[static_cast<std::size_t>(index)]);
  pages_.erase(pages_.begin() + index);
  if (current_page_ >= index && current_page_ > 0) --current_page_;
  if (pages_.empty()) current_page_ = -1;
  return page;
}

void CCategoryTab::MovePage(int from, int to) {
  std::unique_ptr<CPageTab> page = std::move(pages_[static_cast<std::size_t>(from)]);
  pages_.erase(pages_.begin() + from);
  pages_.insert(pages_.begin() + to, std::move(page));
  current_page_ = IndexAfterMove(current_page_, from, to);
}

int CCategoryTab::IndexOfHost(const PageHost& host) const {
  for (std::size_t i = 0; i < pages_.size(); ++i) {
    if (&pages_[i]->host() == &host) return static_cast<int>(i);
  }
  return -1;
}

int CCategoryTab::FindBySerial(int serial) const {
  for (std::size_t i = 0; i < pages_.size(); ++i) {
    if (pages_[i]->serial() == serial) return static_cast<int>(i);
  }
  return -1;
}

}  // namespace tolvane
