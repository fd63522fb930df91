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
    : engine_folders_(engine_folders),
      engines_(engines),
      tab_folders_(tab_folders),
      tabs_(tabs),
      router_(router),
      context_(std::move(context)) {}

int ListShortcutOwners::OwnerCount(OwnerType type) const {
  switch (type) {
    case OwnerType::kEngineFolder:
      return static_cast<int>(engine_folders_.size());
    case OwnerType::kEngine:
      return static_cast<int>(engines_.size());
    case OwnerType::kTabFolder:
      return static_cast<int>(tab_folders_.size());
    case OwnerType::kTab:
      return static_cast<int>(tabs_.size());
    case OwnerType::kCommand:
      break;
  }
  return 0;
}

std::string_view ListShortcutOwners::OwnerField(OwnerType type, int index, MatchKind kind) const {
  const auto i = static_cast<std::size_t>(index);
  const bool typed = kind == MatchKind::kTypedShortcut;
  switch (type) {
    case OwnerType::kEngineFolder:
    case OwnerType::kTabFolder: {
      const CategoryFolderTree& tree =
          type == OwnerType::kEngineFolder ? engine_folders_ : tab_folders_;
      if (tree.deleted(i)) return {};
      return typed ? tree.shortcut(i) : tree.gesture(i);
    }
    case OwnerType::kEngine:
    case OwnerType::kTab: {
      const EngineList& list = type == OwnerType::kEngine ? engines_ : tabs_;
      if (list.deleted(i)) return {};
      return typed ? list.shortcut(i) : list.gesture(i);
    }
    case OwnerType::kCommand:
      break;
  }
  return {};
}

void ListShortcutOwners::RunOwner(OwnerType type, int index) {
  if (workspace_ == nullptr) return;
  switch (type) {
    case OwnerType::kEngineFolder:
      SearchEngineFolder(index);
      break;
    case OwnerType::kEngine: {
      TabArea& area = workspace_->area();
      area.search().SearchEngine(index, SearchKeyword(), 0, true);
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
  workspace_->area().search().SearchCurrentCategory(SearchKeyword());
}

void ListShortcutOwners::SearchTab(int record) {
  const int item = workspace_->tree().FindTab(record);
  if (item < 0) return;  // an archived tab is not in the tree
  workspace_->ChooseTreeItem(item);
  TabArea& area = workspace_->area();
  const int category = area.current_category();
  if (category < 0 || area.category(category).record() != record) return;
  area.search().SearchCurrentCategory(SearchKeyword());
}

void ListShortcutOwners::RunCommand(CommandId id) { router_.Run(id, Context()); }

}  // namespace tolvane
