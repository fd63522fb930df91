#pragma once

#include <functional>

#include "core/commands/command_handler.h"

namespace tolvane {

class PageHost;

// The entries of the page history menus (34000 + k back, 34100 + k forward,
// 34200 the shown page): each travels through the shown page's history as
// far as its place says. An entry is enabled while the page's history
// holds it; the shown page's entry only carries the radio mark.
class PageHistoryCommands : public CommandRows<PageHistoryCommands> {
 public:
  // `active_page` gives the shown page, null when none.
  explicit PageHistoryCommands(std::function<PageHost*()> active_page);

 private:
  void Travel(const CommandContext& context);
  bool HasEntry(const CommandContext& context) const;
  void Stay(const CommandContext&) {}
  bool Shown(const CommandContext& context) const;

  static const Row kRows[];

  std::function<PageHost*()> active_page_;
};

}  // namespace tolvane
