#pragma once

#include "core/files/settings_store.h"
#include "core/stores/category_folder_tree.h"
#include "core/stores/clip_list.h"
#include "core/stores/item_store.h"
#include "core/tabs/tab_area.h"
#include "platform/posix_env.h"
#include "support/fake_clock.h"
#include "support/fake_prompter.h"
#include "support/fake_timer.h"
#include "support/search_lists.h"
#include "support/tab_fakes.h"
#include "support/temp_dir.h"

namespace tolvane::testing {

// Everything a tab area is built from, in a fresh data directory: the search
// lists, tab groups, clips, keywords, fake timers, engines and windows.
struct TabAreaParts {
  TabArea::Services Services() {
    return {lists.tabs, lists.engines, groups, clips,    settings, keywords, nullptr, nullptr,
            timers,     prompter,      clock,  controls, probe,    boxes,    boxes};
  }

  TempDir dir;
  PosixEnv env{dir.path()};
  SettingsStore settings{dir.path() / "vq_system.ini", env};
  FakeClock clock;
  FakeTimerFactory timers;
  FakePrompter prompter;
  SearchLists lists;
  CategoryFolderTree groups{StoreType::kTabs};
  ClipList clips{1000};
  ItemStore keywords{StoreType::kKeywords, settings, clock};
  Controls controls;
  FakeProbe probe;
  NullBoxes boxes;
  RecordingView view;
};

}  // namespace tolvane::testing
