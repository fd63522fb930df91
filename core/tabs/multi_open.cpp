#include "core/tabs/multi_open.h"

#include <algorithm>
#include <optional>
#include <vector>

#include "core/files/setting_keys.h"
#include "core/stores/item_store.h"
#include "core/tabs/tab_target.h"
#include "core/tabs/tab_workspace.h"

namespace tolvane {
namespace {

// The items from `first_item` on in the folder's order; empty when the
// folder does not list that item.
std::vector<int> ItemsFrom(const ItemStore& store, int folder_id, int first_item) {
  std::vector<int> listed = store.ListFolder(folder_id);
  if (first_item < 0) return listed;
  const auto start = std::find(listed.begin(), listed.end(), first_item);
  return {start, listed.end()};
}

// A new tab record named after the folder, opened and selected; its bar
// index, or -1 when it could not be made.
int OpenFolderTab(TabWorkspace& ws, const std::string& name) {
  const TabTarget target(ws);
  const std::optional<TabTarget::NewTabPlace> place = target.PlaceForNewTab({});
  if (!place) return -1;
  const std::optional<int> row = ws.editor().NewNamedTab(place->group_id, place->order, name);
  if (!row) return -1;
  ws.RebuildAndSelectTab(*row);
  TabArea& area = ws.area();
  const int category = area.FindByRecord(*row);
  if (category < 0 || category != area.current_category()) return -1;
  // The blank page the tab opened with makes way for the folder's pages.
  while (area.category(category).page_count() > 0) area.ClosePage(category, 0);
  return category;
}

}  // namespace

int MultiOpen(TabWorkspace& ws, const ItemStore& store, int folder_id, int first_item) {
  if (store.type() != StoreType::kFavorites && store.type() != StoreType::kHistory) return 0;
  const int folder = store.folders().Find(folder_id);
  if (folder < 0) return 0;
  std::vector<int> items = ItemsFrom(store, folder_id, first_item);
  if (items.empty()) return 0;

  SettingsStore& settings = ws.settings();
  MultiOpenChoice choice{.open_mode = Read(settings, settings::kMultiOpenOpenMode),
                         .max_open = Read(settings, settings::kMultiOpenMaxOpen),
                         .dont_ask_again = false};
  if (Read(settings, settings::kMultiOpenShowConfirm) == 1) {
    if (!ws.view().ConfirmMultiOpen(store.type(), choice)) return 0;
    Write(settings, settings::kMultiOpenOpenMode, choice.open_mode);
    Write(settings, settings::kMultiOpenMaxOpen, choice.max_open);
    if (choice.dont_ask_again) Write(settings, settings::kMultiOpenShowConfirm, 0);
  }
  const auto max_open = static_cast<std::size_t>(std::max(choice.max_open, 0));
  if (items.size() > max_open) items.resize(max_open);
  if (items.empty()) return 0;

  TabArea& area = ws.area();
  int category = area.current_category();
  int insert_at = 0;
  if (choice.open_mode == 1 || category < 0) {
    category = OpenFolderTab(ws, store.folders().DisplayName(static_cast<std::size_t>(folder)));
    if (category < 0) return 0;
  } else {
    insert_at = std::max(area.category(category).current_page(), -1) + 1;
  }

  const ItemList& list = store.items();
  int first_page = -1;
  int opened = 0;
  for (const int item : items) {
    const auto i = static_cast<std::size_t>(item);
    const int page = area.AddPage(category, {.url = list.url(i),
                                             .caption = list.title(i),
                                             .origin_kind = static_cast<int>(store.type()),
                                             .origin_index = item,
                                             .insert_at = insert_at + opened,
                                             .activate = false});
    if (page < 0) continue;
    if (first_page < 0) first_page = page;
    ++opened;
  }
  if (first_page >= 0) area.SelectPage(category, first_page, true, true);
  return opened;
}

}  // namespace tolvane
