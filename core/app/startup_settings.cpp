#include "core/app/startup_settings.h"

#include "core/files/setting_keys.h"

namespace tolvane {

StartupSettings StartupSettings::Read(const SettingsStore& store) {
  using tolvane::Read;
  StartupSettings s;
  s.popup_block = Read(store, settings::kSecurityPopupBlock) != 0;
  s.link_mode = Read(store, settings::kLinkMode);
  s.find_tree_hot_key = Read(store, settings::kFindTreeHotKey);
  s.category_tab_minimum_size = Read(store, settings::kCategoryTabMinimumSize);
  s.category_tab_show_favicon = Read(store, settings::kCategoryTabShowFavicon) != 0;
  s.page_tab_maximum_size = Read(store, settings::kPageTabMaximumSize);
  s.page_tab_minimum_size = Read(store, settings::kPageTabMinimumSize);
  s.page_tab_show_favicon = Read(store, settings::kPageTabShowFavicon) != 0;
  s.gesture_enabled = Read(store, settings::kMouseGestureEnable) != 0;
  s.gesture_distance = Read(store, settings::kMouseGestureDistance);
  s.gesture_large_distance = Read(store, settings::kMouseGestureDistance2);
  s.page_clip_link_mode = Read(store, settings::kPageClipLink);
  return s;
}

}  // namespace tolvane
