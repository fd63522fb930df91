#include "core/frame/list_shortcut_owners.h"

#include "core/stores/category_folder_tree.h"
#include "core/stores/engine_list.h"
#include "core/tabs/tab_workspace.h"

namespace tolvane {

ListShortcutOwners::ListShortcutOwners(const CategoryFolderTree& engine_folders,
                                       const EngineList& engines,
                                       const CategoryFolderTree& tab_folders,
                                       const EngineList& tabs, CommandRouter& router,
                                       ContextSource context)
    : StoreShortcutOwners(engine_folders, engines, tab_folders, tabs),
      router_(router),
      context_(std::move(context)) {}

void ListShortcutOwners::RunOwner(OwnerType type, int index) {
  if (workspace_ == nullptr) return;
  switch (type) {
    case OwnerType::kEngineFolder:
      SearchEngineFolder(index);
      break;
    case OwnerType::kEngine: {
      TabArea& area = workspace_->area();
      const CommandContext given = Context();
      area.search().SearchEngine(index, given.keyword.value_or(Keyword()), 0, true, given);
      workspace_->view().FocusCategoryTabs();
      break;
    }
    case OwnerType::kTabFolder:
      if (const int item = workspace_->tree().FindGroup(index); item >= 0) {
        workspace_->ChooseTreeItem(item);
      }
      break;
    case OwnerType::kTab:
      SearchTab(index);
      break;
    case OwnerType::kCommand:
      break;
  }
}

void ListShortcutOwners::SearchEngineFolder(int folder) {
  // The new tab joins the group in view; with none shown, the top level.
  const int shown = workspace_->shown_group();
  const int group_id = shown >= 0 ? tab_folders_.id(static_cast<std::size_t>(shown)) : 0;
  const std::optional<int> row = workspace_->editor().AddFolderAsSearchTab(
      engine_folders_.id(static_cast<std::size_t>(folder)), group_id);
  if (!row) return;
  workspace_->RebuildAndSelectTab(*row);
  const CommandContext given = Context();
  workspace_->area().search().SearchCurrentCategory(given.keyword.value_or(Keyword()), given);
}

void ListShortcutOwners::SearchTab(int record) {
  const int item = workspace_->tree().FindTab(record);
  if (item < 0) return;  // an archived tab is not in the tree
  workspace_->ChooseTreeItem(item);
  TabArea& area = workspace_->area();
  const int category = area.current_category();
  if (category < 0 || area.category(category).record() != record) return;
  const CommandContext given = Context();
  area.search().SearchCurrentCategory(given.keyword.value_or(Keyword()), given);
}

void ListShortcutOwners::RunCommand(CommandId id) { router_.Run(id, Context()); }

}  // namespace tolvane
