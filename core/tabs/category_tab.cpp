#include "core/tabs/category_tab.h"

namespace tolvane {

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
