#pragma once

#include "core/files/settings_store.h"

namespace tolvane {

// The settings the application copies once at start-up (and again when the
// option sheet closes with OK) instead of asking the file each time.
// Values are taken as stored; their users judge the ranges.
struct StartupSettings {
  bool popup_block = true;
  int link_mode = 2;          // 0 new tab, 1 same tab, 2 follow the target
  int find_tree_hot_key = 0;  // 0 Ctrl+Space ... 4 Shift+Alt
  int category_tab_minimum_size = 30;
  bool category_tab_show_favicon = true;
  int page_tab_maximum_size = 250;
  int page_tab_minimum_size = 50;
  bool page_tab_show_favicon = true;
  bool gesture_enabled = true;
  int gesture_distance = 10;         // pixels for one stroke
  int gesture_large_distance = 500;  // pixels for a large stroke
  int page_clip_link_mode = 0;       // as link_mode, inside clipped pages

  static StartupSettings Read(const SettingsStore& store);
};

}  // namespace tolvane
