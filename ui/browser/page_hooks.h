#pragma once

#include <QPoint>
#include <functional>

namespace tolvane {

class EnginePage;
class FindSelectionSink;
class PageView;
class WebEngineControl;

// What the program does with the input of every page, shared by all
// controls of one factory. The frame fills it once its commands exist; a
// hook left empty leaves the engine's own behaviour.
struct PageHooks {
  // The user asked for the page's context menu at `global`.
  std::function<void(WebEngineControl& control, const QPoint& global)> context_menu;
  // Ctrl alone with the wheel over the page; true when it was used.
  std::function<bool(WebEngineControl& control, int wheel_delta)> ctrl_wheel;
  // Tab left the page's last element (`backward`: Shift+Tab its first);
  // true when it moved the focus to one of the window's bars.
  std::function<bool(WebEngineControl& control, bool backward)> leave_page;
  // Working offline: the engine may fetch nothing from the network.
  std::function<bool()> offline;
  FindSelectionSink* find_selection = nullptr;
  // A view with its engine page made ahead (SparePage), or nullptr.
  std::function<PageView*()> take_spare;
};

}  // namespace tolvane
