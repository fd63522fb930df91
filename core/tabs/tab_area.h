#pragma once

#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "core/browser/loading_queue.h"
#include "core/browser/page_host.h"
#include "core/browser/page_placement.h"
#include "core/browser/popup_catcher.h"
#include "core/files/observer_list.h"
#include "core/search/search_runner.h"
#include "core/tabs/category_tab.h"
#include "core/tabs/page_clip_sync.h"
#include "core/tabs/page_host_reports.h"
#include "core/tabs/resource_guard.h"
#include "core/tabs/tab_area_observer.h"
#include "core/tabs/tab_search_host.h"

namespace tolvane {

class BrowserControlFactory;
class CategoryFolderTree;
class Clipboard;
class Clock;
class ClipList;
class EngineList;
class ItemStore;
class KeywordBoxes;
class Prompter;
class ResourceProbe;
class SettingsStore;
class TabAreaView;
class TimerFactory;

// One page for AddPage.
struct AddPageParams {
  std::string url{};  // Shift_JIS; "about:blank" for an empty page
  std::string caption{};
  std::string post_body{};
  std::string headers{};
  PostedSearch search{};  // the search that posts the page
  int origin_kind = OpenPageRequest::kOriginNone;
  int origin_index = -1;
  int clip_index = -1;
  int insert_at = -1;  // -1: at the end
  bool activate = true;
  // Asked for by a command of its own (a key, a menu entry, the new-page
  // button): selected even though the command's key holds Ctrl, which
  // otherwise keeps a new page in the background.
  bool from_command = false;
  // The keys held when it was asked for (OpenPageRequest::keys).
  ModifierState keys{};
  // False: the page shows its address without loading it
  // (PageHost::HoldNavigation).
  bool load = true;
};

// The category and page tabs: a pool of every category tab opened in this
// run (shown ones in bar order, hidden ones kept loaded), the bar of the
// shown ones with its selection, and each category's page row. It opens,
// selects, closes and moves tabs, keeps page clips in step with the pages,
// runs the resource guard, and announces every change to its observers
// (TabAreaObserver). Searches talk to it through its search host
// (TabSearchHost), page hosts through its report router (PageHostReports),
// the loading queue through PagePlacement; what it must ask of the window
// goes to its TabAreaView.
//
// Indices: a "category" is an index into the bar (0..category_count()-1),
// a "page" an index into that category's page row; tab records are rows of
// the tab list. Deferred work (selecting a neighbour after a page closed)
// runs from a zero-delay timer, at most one pending per category.
class TabArea : public PagePlacement {
 public:
  struct Services {
    EngineList& tabs;
    const EngineList& engines;
    CategoryFolderTree& groups;  // the tab groups (for last-use stamps)
    ClipList& clips;
    SettingsStore& settings;
    ItemStore& keywords;
    ItemStore* history = nullptr;
    const ItemStore* favorites = nullptr;
    TimerFactory& timers;
    Prompter& prompter;
    const Clock& clock;
    BrowserControlFactory& controls;
    ResourceProbe& probe;
    KeywordBoxes& boxes;
    Clipboard& clipboard;
  };

  static constexpr const char* kBlankUrl = "about:blank";
  // The guard acts from this many page tabs on, or when the probe says the
  // process is short of room.
  static constexpr int kGuardPageCount = 250;

  TabArea(const Services& services, TabAreaView& view);
  ~TabArea() override;
  TabArea(const TabArea&) = delete;
  TabArea& operator=(const TabArea&) = delete;

  SearchRunner& search() { return search_; }
  CLoadingQueue& queue() { return *queue_; }
  PageHostReports& reports() { return reports_; }

  // Observers hear of every change from the next one on; each is added
  // once and removes itself before it goes.
  void AddObserver(TabAreaObserver& observer) { observers_.Add(observer); }
  void RemoveObserver(const TabAreaObserver& observer) { observers_.Remove(observer); }

  // ---- The category bar ----
  int category_count() const { return static_cast<int>(bar_.size()); }
  int current_category() const { return current_; }
  CCategoryTab& category(int index) { return *bar_[static_cast<std::size_t>(index)]; }
  const CCategoryTab& category(int index) const { return *bar_[static_cast<std::size_t>(index)]; }

  // Shows tab record `record` at the end of the bar (or selects it when it
  // is already shown). Returns its bar index, or -1.
  int OpenCategoryTab(int record);
  void SelectCategoryTab(int index, bool sync_tree);
  // Removes the tab from the bar. With `destroy` its pool object and pages
  // go too; otherwise they stay loaded and its pages are saved as page
  // clips (SaveClips(false)).
  void CloseCategoryTab(int index, bool destroy);
  // CloseCategoryTab(i, false) for every tab, last first.
  void HideAll();
  // Destroys the pool object of `record` (and closes its bar item).
  void DestroyPoolObject(int record);
  // Every bar item closed and every pool object destroyed (a new engine
  // list, the view going away).
  void DestroyAll();
  // Moves the bar item `from` to `to` (drag).
  void MoveCategoryTab(int from, int to);
  int FindByRecord(int record) const;  // bar index or -1
  int RecordAt(int index) const;       // record or -1
  // 2 shown, 1 only in the pool, 0 absent.
  int PoolState(int record) const;
  // The pool object of `record`, shown or hidden; null when none.
  CCategoryTab* PoolObject(int record);
  const CCategoryTab* PoolObject(int record) const;
  std::size_t pool_size() const { return pool_.size(); }
  // The tab record's names changed: its category tab takes the new captions.
  void RefreshCaption(int record);

  // The start-up case: while set, the first category tab opened gets the
  // start page first, and the clip list page second when `clip_list_url`
  // (the file:// address of the exported clip list) is not empty.
  void SetStartPages(std::string start_url, std::string clip_list_url);
  void ClearStartPages();

  // ---- The page rows ----
  // Adds a page tab; returns its index or -1.
  int AddPage(int category, const AddPageParams& params);
  void SelectPage(int category, int page, bool remember, bool sync_tree);
  // Closes a page (deleting its saved-page clip); the neighbour is selected
  // later, and a category never stays without a page ("about:blank").
  void ClosePage(int category, int page);
  void MovePage(int category, int from, int to);
  // Writes the tab's pages into the clip list as saved pages.
  void SaveClips(CCategoryTab& tab, bool save_all);
  // SaveClips(true) for every pool object, last created first (exit).
  void SaveOpenPages();
  // A plain page becomes a user clip, a user clip a plain page. With
  // OptionPageClip/Action 1 the clip is a copy in a page tab of its own
  // after the page; a page whose copy is open already selects that copy.
  void ToggleClip(int category, int page);
  void ClipAll(int category);
  void UnclipAll(int category);
  bool IsUserClip(int category, int page) const;
  // The clip list was emptied: every page forgets its record.
  void ForgetClipIndices();

  // The shown page's host, or null.
  PageHost* ActiveHost();
  const PageHost* ActiveHost() const;
  // Finds the category and page of a host anywhere in the pool.
  struct HostPlace {
    CCategoryTab* tab = nullptr;
    int page = -1;
  };
  HostPlace Locate(const PageHost& host);

  // Opens one page as the request says (mode 0 navigates the current page
  // tab unless keys held, OptionFindTree/NewPage or a clip forbid it; 1
  // adds a page tab after it). Returns the page's index, or -1.
  int OpenPage(const OpenPageRequest& request);
  // Closes every page of the category, clips included, without keeping
  // them (a search replaces them); a blank page follows when none comes.
  void CloseAllPages(int category);

  // ---- PagePlacement ----
  Place PlaceOf(const PageHost& host) const override;

  // Runs the resource guard (also posted whenever a page finishes loading).
  void RunResourceGuard();

  // A short text of the bar for tests and debugging: one bracket per
  // category tab, "*" after the selected one, then its pages by title
  // ("*" after the current page, "+" for a user clip, "~" for a saved
  // page), e.g. "[Books*: a* b+][Music: c]"; hidden pool objects follow
  // after "|".
  std::string Describe() const;

 private:
  friend class PageHostReports;
  friend class TabSearchHost;

  struct ConstPlace {
    const CCategoryTab* tab = nullptr;
    int page = -1;
  };

  bool IsCurrent(const CCategoryTab& tab) const;
  int BarIndexOf(const CCategoryTab& tab) const;
  ConstPlace Find(const PageHost& host) const;
  PageHost::Services HostServices();
  void SetCaptions(CCategoryTab& tab) const;
  void OpenFirstPages(CCategoryTab& tab, int index);
  void OpenStartPages(CCategoryTab& tab, int index);
  int OpenClipsOf(CCategoryTab& tab);
  // The page that shows clip record `record`: its address, or its posted
  // search sent again.
  AddPageParams PageOfClip(std::size_t record) const;
  int AddPageTo(CCategoryTab& tab, const AddPageParams& params);
  void SelectPageOf(CCategoryTab& tab, int page, bool remember, bool sync_tree);
  void ShowCurrentPage(CCategoryTab& tab);
  void HideShownPage(CCategoryTab& tab, bool remember);
  void ClosePageOf(CCategoryTab& tab, int page);
  void PostNeighbourSelection(CCategoryTab& tab);
  void SelectNeighbour(CCategoryTab& tab);
  void DestroyObject(CCategoryTab& tab);
  void UnloadGroup(int group);
  void PostResourceGuard();
  // False while the current page of `category` is a clip links must not
  // replace.
  bool MayReplaceCurrentPage(int category) const;
  template <class Hook>
  void Tell(Hook&& hook) {
    observers_.Notify(hook);
  }

  const Services services_;
  TabAreaView& view_;
  ObserverList<TabAreaObserver> observers_;
  PageHostReports reports_;
  TabSearchHost search_host_;
  std::unique_ptr<CLoadingQueue> queue_;
  PopupCatcher catcher_;
  SearchRunner search_;
  PageClipSync clip_sync_;
  ResourceGuard guard_;
  std::unique_ptr<Timer> guard_timer_;
  std::vector<std::unique_ptr<CCategoryTab>> pool_;
  std::vector<CCategoryTab*> bar_;
  int current_ = -1;
  int next_serial_ = 0;
  bool start_pages_ = false;
  std::string start_url_;
  std::string clip_list_url_;
  bool opening_ = false;  // a category tab opens its first pages
};

}  // namespace tolvane
