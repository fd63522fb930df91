#include "core/tabs/tab_target.h"

#include "core/stores/category_folder_tree.h"
#include "core/tabs/tab_workspace.h"

namespace tolvane {

int TabTarget::TreeItem(const CommandContext& context) const {
  const TabTree& tree = ws_.tree();
  const int item = context.tree_item >= 0 ? context.tree_item : tree.selected();
  return item >= 0 && item < tree.size() ? item : -1;
}

int TabTarget::Category(const CommandContext& context) const {
  const TabArea& area = ws_.area();
  if (context.source == CommandSource::kTabTree) {
    const int record = Record(context);
    return record >= 0 ? area.FindByRecord(record) : -1;
  }
  if (context.category >= 0 && context.category < area.category_count()) return context.category;
  return area.current_category();
}

int TabTarget::Record(const CommandContext& context) const {
  if (context.source != CommandSource::kTabTree) return ws_.area().RecordAt(Category(context));
  const TabTree& tree = ws_.tree();
  const int item = TreeItem(context);
  if (item < 0) return -1;
  const TabTreeItem& chosen = tree.item(item);
  if (chosen.kind == TabTreeItem::Kind::kTab) return chosen.record;
  if (chosen.kind == TabTreeItem::Kind::kPage && chosen.parent >= 0) {
    return tree.item(chosen.parent).record;
  }
  return -1;
}

int TabTarget::SelectCategory(const CommandContext& context) const {
  TabArea& area = ws_.area();
  int index = Category(context);
  if (context.source == CommandSource::kTabTree && index < 0) {
    // Choosing rebuilds the tree: the tab is found again by its record.
    const int record = Record(context);
    if (record >= 0) {
      ws_.ChooseTreeItem(ws_.tree().FindTab(record));
      index = area.FindByRecord(record);
    }
  }
  if (index >= 0 && index != area.current_category()) area.SelectCategoryTab(index, true);
  return index >= 0 ? area.current_category() : -1;
}

int TabTarget::Group(const CommandContext& context) const {
  const int item = TreeItem(context);
  return item >= 0 ? ws_.tree().GroupOf(item) : -1;
}

int TabTarget::Page(const CommandContext& context) const {
  const TabArea& area = ws_.area();
  const int category = area.current_category();
  if (category < 0) return -1;
  const CCategoryTab& tab = area.category(category);
  if (context.page >= 0 && context.page < tab.page_count()) return context.page;
  return tab.current_page() < tab.page_count() ? tab.current_page() : -1;
}

PageHost* TabTarget::Host(const CommandContext& context) const {
  const int page = Page(context);
  TabArea& area = ws_.area();
  return page >= 0 ? &area.category(area.current_category()).page(page).host() : nullptr;
}

CommandContext TabTarget::InTree(const CommandContext& context) {
  CommandContext tree = context;
  tree.source = CommandSource::kTabTree;
  return tree;
}

std::optional<TabTarget::NewTabPlace> TabTarget::PlaceForNewTab(
    const CommandContext& context) const {
  const TabTree& tree = ws_.tree();
  const CommandContext in_tree = InTree(context);
  const int record = Record(in_tree);
  const int selected = TreeItem(in_tree);
  if (record >= 0) {
    const auto row = static_cast<std::size_t>(record);
    return NewTabPlace{ws_.tabs().EffectiveFolder(row), ws_.tabs().order(row)};
  }
  if (selected >= 0 && tree.item(selected).kind == TabTreeItem::Kind::kGroup) {
    return NewTabPlace{ws_.groups().id(static_cast<std::size_t>(tree.item(selected).record)),
                       EngineList::kCreatedInFolderOrder};
  }
  if (ws_.shown_group() >= 0) {
    return NewTabPlace{ws_.groups().id(static_cast<std::size_t>(ws_.shown_group())),
                       EngineList::kCreatedInFolderOrder};
  }
  const int first = ws_.FirstTabItem();
  if (first < 0) return std::nullopt;
  return NewTabPlace{
      ws_.tabs().EffectiveFolder(static_cast<std::size_t>(ws_.tree().item(first).record)),
      EngineList::kCreatedInFolderOrder};
}

}  // namespace tolvane
