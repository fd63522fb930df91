#include "core/frame/page_context_menu.h"

#include "core/commands/command_table.h"
#include "core/files/string_table.h"
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

std::string DescribeContextMenu(const std::vector<ContextMenuEntry>& entries) {
  static constexpr const char* kKindNames[] = {"keywords", "item",      "buttons",
                                               "tree",     "favorites", "-"};
  std::string text;
  for (const ContextMenuEntry& entry : entries) {
    if (!text.empty()) text += " | ";
    text += kKindNames[static_cast<int>(entry.kind)];
    if (!entry.text.empty()) text += ":" + SjisToUtf8(entry.text);
    if (entry.command.value() != 0) text += ":" + std::to_string(entry.command.value());
    if (!entry.enabled) text += ":off";
  }
  return text;
}

}  // namespace tolvane
