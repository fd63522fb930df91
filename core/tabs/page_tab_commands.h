#pragma once

#include <string>

#include "core/commands/command_handler.h"
#include "core/tabs/tab_target.h"

namespace tolvane {

// The commands on page tabs and the page shown: new and copied pages,
// reload, back, forward, stop and home, closing (user clips stay), clips,
// favorites, and moving the focus along the page row. They act on "this
// page" of the current category (TabTarget); the commands on every page of
// a row act on "this tab".
class PageTabCommands : public CommandRows<PageTabCommands> {
 public:
  explicit PageTabCommands(const TabTarget& target);

  // Opens one page as a new page tab of the current category, right after
  // this page, and selects it (whatever modifier keys the command's key
  // holds); with no category tab at all the first tab of the tab tree is
  // opened first. False when no page could be opened.
  bool OpenNewPage(const std::string& url, const std::string& caption,
                   const CommandContext& context = {});

  static const Row kRows[];

 private:
  void NewPage(const CommandContext& context);
  void DuplicatePage(const CommandContext& context);
  void Reload(const CommandContext& context);
  void Back(const CommandContext& context);
  void Forward(const CommandContext& context);
  void Stop(const CommandContext& context);
  void Home(const CommandContext& context);
  void ReloadAll(const CommandContext& context);
  void Close(const CommandContext& context);
  void CloseBeside(const CommandContext& context);
  void CloseAllOfTab(const CommandContext& context);
  void ToggleClip(const CommandContext& context);
  void ClipAll(const CommandContext& context);
  void UnclipAll(const CommandContext& context);
  void AddAllToFavorites(const CommandContext& context);
  void AddToFavorites(const CommandContext& context);
  void MoveFocus(const CommandContext& context);
  void MoveTabFocus(const CommandContext& context);

  bool HasCategory(const CommandContext& context) const;
  bool HasPages(const CommandContext& context) const;
  bool CanGoBack(const CommandContext& context) const;
  bool CanGoForward(const CommandContext& context) const;
  bool IsLoading(const CommandContext& context) const;
  bool HasAddress(const CommandContext& context) const;

  const TabTarget& target_;
};

}  // namespace tolvane
