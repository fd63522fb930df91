#include "core/frame/page_context_menu.h"

#include "core/commands/command_table.h"
#include "core/files/string_table.h"
#include "core/stores/category_folder_tree.h"
#include "core/stores/engine_list.h"
#include "core/text/charset_converter.h"
#include "core/text/cp932_tables.h"

namespace tolvane {
namespace {

constexpr std::size_t kQuotedSelectionBytes = 30;

// Numbered strings of the menu.
constexpr int kKeywordInputTitle = 162;
constexpr int kSearchSelection = 163;
constexpr int kSearchTreeWithSelection = 164;
constexpr int kSearchTreeTitle = 185;
constexpr int kAddThisPage = 184;
constexpr int kBatchSearchSelection = 207;
constexpr int kFavoritesBarTitle = 208;

}  // namespace

std::string QuotedSelection(std::string_view selection) {
  const std::string_view kept = cp932::PrefixWithin(selection, kQuotedSelectionBytes);
  std::string quoted(kept);
  if (kept.size() < selection.size()) quoted += "...";
  return quoted;
}

std::vector<ContextMenuEntry> PageContextMenuEntries(const PageContextState& state) {
  using Kind = ContextMenuEntry::Kind;
  const bool selected = !state.selection.empty();
  std::vector<ContextMenuEntry> entries;
  if (state.text_field_focused) {
    entries.push_back({Kind::kKeywordInput, LoadString(kKeywordInputTitle), {}, true});
  }
  if (selected) {
    entries.push_back(
        {Kind::kItem,
         FormatString(kSearchSelection, {QuotedSelection(state.selection), state.category_name}),
         command::kSearch, state.category_searches});
  }
  entries.push_back({Kind::kSearchBarButtons, "", {}, true});
  entries.push_back({Kind::kSearchTree,
                     LoadString(selected ? kSearchTreeWithSelection : kSearchTreeTitle),
                     {},
                     true});
  if (!selected && !state.text_field_focused) {
    entries.push_back({Kind::kSeparator, "", {}, true});
    entries.push_back({Kind::kFavoritesBar, LoadString(kFavoritesBarTitle), {}, true});
    entries.push_back({Kind::kItem, LoadString(kAddThisPage), command::kAddFavorite, true});
  }
  entries.push_back({Kind::kSeparator, "", {}, true});
  return entries;
}

ContextMenuEntry BatchSearchMenuEntry(const PageContextState& state) {
  std::string text = state.selection.empty()
                         ? CommandTable::ActionName(command::kBatchSearch)
                         : FormatString(kBatchSearchSelection, {QuotedSelection(state.selection)});
  return {ContextMenuEntry::Kind::kItem, std::move(text), command::kBatchSearch,
          state.category_tab_current};
}

std::vector<ContextMenuEntry> SearchBarButtonEntries(const PageContextState& state,
                                                     const SearchBarButtons& buttons,
                                                     const SearchBarButtons::Sources& sources) {
  using Kind = SearchBarButtons::Kind;
  const auto rows = [](const EngineList& list, int folder_id, CommandId command) {
    std::vector<ContextMenuEntry> children;
    for (const int row : list.ListFolder(folder_id)) {
      children.push_back({ContextMenuEntry::Kind::kItem,
                          list.DisplayName(static_cast<std::size_t>(row)), command, true, row});
    }
    return children;
  };
  std::vector<ContextMenuEntry> entries;
  for (const SearchBarButtons::Button& button : buttons.buttons()) {
    if (entries.size() == kMaxBarButtons) break;
    const auto item = static_cast<std::size_t>(button.item);
    switch (button.token.kind) {
      case Kind::kBuiltIn:
        entries.push_back(button.command == command::kBatchSearch
                              ? BatchSearchMenuEntry(state)
                              : ContextMenuEntry{ContextMenuEntry::Kind::kItem,
                                                 CommandTable::ActionName(button.command),
                                                 button.command});
        break;
      case Kind::kEngine:
      case Kind::kTab: {
        const bool engine = button.token.kind == Kind::kEngine;
        entries.push_back({ContextMenuEntry::Kind::kItem,
                           (engine ? sources.engines : sources.tabs).DisplayName(item),
                           engine ? command::kEngineCommand : command::kTabCommand, true,
                           button.item});
        break;
      }
      case Kind::kEngineFolder:
      case Kind::kTabGroup: {
        const bool engine = button.token.kind == Kind::kEngineFolder;
        entries.push_back({ContextMenuEntry::Kind::kSubmenu,
                           (engine ? sources.engine_folders : sources.tab_groups).DisplayName(item),
                           {},
                           true,
                           -1,
                           rows(engine ? sources.engines : sources.tabs, button.token.id,
                                engine ? command::kEngineCommand : command::kTabCommand)});
        break;
      }
    }
  }
  return entries;
}

std::string DescribeContextMenu(const std::vector<ContextMenuEntry>& entries) {
  static constexpr const char* kKindNames[] = {"keywords",  "item", "buttons", "tree",
                                               "favorites", "-",    "submenu"};
  std::string text;
  for (const ContextMenuEntry& entry : entries) {
    if (!text.empty()) text += " | ";
    text += kKindNames[static_cast<int>(entry.kind)];
    if (!entry.text.empty()) text += ":" + SjisToUtf8(entry.text);
    if (entry.command.value() != 0) text += ":" + std::to_string(entry.command.value());
    if (entry.list_row >= 0) text += "@" + std::to_string(entry.list_row);
    if (!entry.enabled) text += ":off";
    if (entry.kind == ContextMenuEntry::Kind::kSubmenu) {
      text += "[" + DescribeContextMenu(entry.children) + "]";
    }
  }
  return text;
}

}  // namespace tolvane
