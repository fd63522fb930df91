#pragma once

#include <map>

#include "core/commands/command_id.h"
#include "ui/base/band_tool_bar.h"

class QMenu;
class QToolButton;

namespace tolvane {

class CCommandActions;
struct ToolbarOptions;

// The standard buttons band: the buttons "OptionToolBar"/"Icons" lists, each
// the action of its command, with names as "ShowText" says and icons of
// "IconSize". 戻る, 進む and 追加 open their drop-down menu from the arrow
// beside them.
class CStandardBar : public BandToolBar {
  Q_OBJECT

 public:
  struct DropDowns {
    QMenu* back = nullptr;
    QMenu* forward = nullptr;
    QMenu* add = nullptr;
  };

  CStandardBar(CCommandActions& actions, DropDowns menus, QWidget* parent = nullptr);

  // Makes the buttons afresh (at start and after the options changed).
  void Rebuild(const ToolbarOptions& options);
  // The button of a command, null when the bar does not show it.
  QToolButton* Button(CommandId id) const;

 private:
  QMenu* DropDownOf(CommandId id) const;

  CCommandActions& actions_;
  DropDowns menus_;
  std::map<int, QToolButton*> buttons_;
};

}  // namespace tolvane
