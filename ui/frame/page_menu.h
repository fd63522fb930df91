#pragma once

#include <QPointer>
#include <functional>
#include <memory>

#include "core/commands/command_context.h"
#include "core/frame/page_context_menu.h"

class QMenu;
class QWidget;

namespace tolvane {

class CommandRouter;
class ItemStore;
class WebEngineControl;

// The page's context menu: the program's entries (PageContextMenuEntries) on
// top, then the engine's own entries for the spot clicked, in Japanese, with
// links opening in a new page tab and saving going through the program.
class CPageMenu {
 public:
  // Stored keywords offered for a text field (commands 34800-34834).
  static constexpr int kMaxKeywords = 35;

  CPageMenu(CommandRouter& router, const ItemStore& keywords);

  // The menu for what the user right-clicked in `control`'s page, with
  // `state` from the tab area. Owned by the caller.
  std::unique_ptr<QMenu> Build(WebEngineControl& control, const PageContextState& state,
                               QWidget* parent) const;

  // Whether the click was in a text field, and the selection (UTF-8), as the
  // engine reported them for the last context menu of the page.
  static bool ClickedInTextField(const WebEngineControl& control);
  static std::string ClickedSelection(const WebEngineControl& control);

  // Fills the search tree's submenu: each engine searches the selection
  // (the context's keyword) with it. Unset: the submenu stays empty.
  std::function<void(QMenu& menu, const CommandContext& context)> fill_search_tree;

  // Fills the favorites bar's submenu with the bar's buttons. Unset: the
  // submenu stays empty.
  std::function<void(QMenu& menu)> fill_favorites_bar;

 private:
  void AddProgramEntries(QMenu& menu, WebEngineControl& control,
                         const PageContextState& state) const;
  void AddButton(QMenu& menu, const ContextMenuEntry& entry, const CommandContext& context) const;
  void AddCommand(QMenu& menu, const ContextMenuEntry& entry,
                  const CommandContext& menu_context) const;
  void AddEngineEntries(QMenu& menu, WebEngineControl& control) const;

  CommandRouter& router_;
  const ItemStore& keywords_;
};

}  // namespace tolvane
