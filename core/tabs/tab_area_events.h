#pragma once

#include <string>

namespace tolvane {

class PageHost;

// What the tab area tells the core around it (the tab workspace): the tab
// tree follows the tabs through it, and the tab history, the closed-page
// list and the favicon fetch will hear of pages through it.
class TabAreaEvents {
 public:
  virtual ~TabAreaEvents() = default;

  // Select the item of tab record `record` (or of its page `page` when not
  // null) without switching anything. Asked by SelectCategoryTab and
  // SelectPage with sync_tree.
  virtual void SyncTreeSelection(int record, const PageHost* page) = 0;
  // The pages of tab record `record` changed (added, closed, retitled):
  // its page items in the tab tree are out of date.
  virtual void TreePagesChanged(int record) = 0;
  // A group's category tabs were loaded or unloaded (bold marks).
  virtual void LoadedGroupsChanged() = 0;

  // The shown page `serial` of tab record `record` stops being shown
  // because another page or category tab is selected (tab history).
  virtual void PageLeft(int /*record*/, int /*serial*/, const std::string& /*url*/,
                        const std::string& /*title*/) {}
  // A loaded page is being closed: it joins the closed-page list.
  virtual void AddClosedPage(const std::string& /*url*/, const std::string& /*title*/) {}
  // A page's load ended (favicon fetch and keyword highlight start for
  // new pages).
  virtual void PageLoadEnded(PageHost& /*host*/, bool /*new_page*/) {}
};

}  // namespace tolvane
