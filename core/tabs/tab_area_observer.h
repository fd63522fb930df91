#pragma once

#include <string>

namespace tolvane {

class CCategoryTab;
class PageHost;

// What the tab area announces to any number of observers (the Qt view, the
// tab workspace's tree, and whatever else follows the tabs). Every hook is
// empty by default; observers take the ones they need. The tab area is in
// its new state when a hook runs; observers read it but do not change it
// from inside a hook.
//
// Category tabs are named by their bar index (-1: a tab only in the pool,
// its group hidden); pages by their index in their tab's page row.
class TabAreaObserver {
 public:
  virtual ~TabAreaObserver() = default;

  // A category tab joined the bar. `created`: its pool object is new, so
  // its group counts as loaded from now on.
  virtual void TabInserted(const CCategoryTab& /*tab*/, int /*index*/, bool /*created*/) {}
  // The category tab of tab record `record` left the bar (`index` -1: it
  // was only in the pool). `destroyed`: its pool object and pages are gone.
  virtual void TabRemoved(int /*record*/, int /*index*/, bool /*destroyed*/) {}
  virtual void TabMoved(int /*from*/, int /*to*/) {}
  // `follow`: chosen on the rows or by a command, so the tab tree follows;
  // false when the tree chose it.
  virtual void TabSelected(const CCategoryTab& /*tab*/, int /*index*/, bool /*follow*/) {}
  // Its captions changed (`index` -1: not in the bar).
  virtual void TabUpdated(const CCategoryTab& /*tab*/, int /*index*/) {}

  // A page tab is in its row with its address queued; it may have been
  // selected already.
  virtual void PageInserted(const CCategoryTab& /*tab*/, int /*page*/) {}
  virtual void PageRemoved(const CCategoryTab& /*tab*/, int /*page*/) {}
  virtual void PageMoved(const CCategoryTab& /*tab*/, int /*from*/, int /*to*/) {}
  // `follow` as for TabSelected; only for the category in view.
  virtual void PageSelected(const CCategoryTab& /*tab*/, int /*page*/, bool /*follow*/) {}
  // Its caption, icon, load state or clip mark changed.
  virtual void PageUpdated(const CCategoryTab& /*tab*/, int /*page*/) {}
  // A page's load ended; `new_page` is false for a stop, a time-out or a
  // repeated end of a page already recorded.
  virtual void PageLoadEnded(PageHost& /*host*/, bool /*new_page*/) {}
  // The shown page `serial` of tab record `record` stops being shown
  // because another page or category tab is selected.
  virtual void PageLeft(int /*record*/, int /*serial*/, const std::string& /*url*/,
                        const std::string& /*title*/) {}
  // A loaded page was closed by the user or a script (not unloaded with its
  // group).
  virtual void PageClosed(const std::string& /*url*/, const std::string& /*title*/) {}
};

}  // namespace tolvane
