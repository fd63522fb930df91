#pragma once

namespace tolvane {

class SettingsStore;

// How start-up (and a new engine list) reopens the tabs.
struct StartPlan {
  enum class Item {
    kNone,      // open nothing
    kFirstTab,  // the first tab of the tab tree (made when there is none)
    kTabId,     // the tab with ID tab_id, when it exists
  };
  // 0 no page, 1 start page, 2 home page, 3 last open tabs, 4 a chosen tab.
  int mode = 1;
  Item item = Item::kFirstTab;
  int tab_id = 0;
  // The first category tab opened gets the start page (modes 1 and 2).
  bool start_pages = false;
  // The old clip file is shown as "クリップ.html" in a second page.
  bool clip_list_page = false;

  // OptionMain StartMode, with a command-line URL or unreadable clips
  // forcing mode 1 and SavePageTab (missing = 0) forcing mode 3.
  static StartPlan Choose(const SettingsStore& settings, bool has_argument, bool clip_load_failed);
};

}  // namespace tolvane
