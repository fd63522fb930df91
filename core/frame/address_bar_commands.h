#pragma once

#include <functional>
#include <optional>
#include <string>
#include <string_view>

#include "core/commands/command_handler.h"

namespace tolvane {

class AddressList;
class CommandRouter;
class TabArea;

// What the address bar's commands need of the bar on screen.
class AddressBarView {
 public:
  virtual ~AddressBarView() = default;

  // Focus to the bar with its text selected.
  virtual void FocusAddressBar() = 0;
  // The bar's drop-down closes and the page area takes the focus: the go
  // action leaves the bar.
  virtual void LeaveAddressBar() = 0;
  // Asks the user for a local file; its address (Shift_JIS), empty when
  // the user cancelled.
  virtual std::string AskFileToOpen() = 0;
};

// The address a typed text opens: the text as it is when it names its
// scheme ("http://…", "about:blank", "file:///…"), a file address for an
// absolute path, else the text as a web address ("www.example.jp" →
// "http://www.example.jp"). Spaces and line breaks around it are dropped.
std::string AddressBarUrl(std::string_view text);

// The address bar's commands: open the typed address in the active page
// (32807), search with it as a keyword (32927, SearchRunner's address-bar
// search), focus the bar (59152) and open a local file (57601). The tab
// area comes and goes with the workspace; without one the page commands
// are disabled.
class AddressBarCommands : public CommandRows<AddressBarCommands> {
 public:
  AddressBarCommands(AddressBarView& view, AddressList& list, std::function<TabArea*()> area);

  // Enter or the go button: leaves the bar, adds the text the context
  // carries (CommandContext::address_bar_text) to the address list and runs
  // 32807 or 32927 on `router`. The command run, nothing for blank text.
  std::optional<CommandId> Go(CommandRouter& router, const CommandContext& context);

 private:
  void Navigate(const CommandContext& context);
  void Search(const CommandContext& context);
  void Focus(const CommandContext& context);
  void OpenFile(const CommandContext& context);
  bool HasArea(const CommandContext& context) const;
  void Open(const std::string& url, const CommandContext& context);

  static const Row kRows[];

  AddressBarView& view_;
  AddressList& list_;
  std::function<TabArea*()> area_;
};

}  // namespace tolvane
