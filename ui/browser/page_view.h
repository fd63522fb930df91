#pragma once

#include <QWebEngineView>
#include <functional>

namespace tolvane {

// The view of one page: its context menu is the program's own, made by
// whoever shows it, instead of the engine's; Tab past the page's last
// element (Shift+Tab before its first) goes where the leave handler says
// rather than to the window's next widget.
class PageView : public QWebEngineView {
 public:
  using MenuHandler = std::function<void(const QPoint& global)>;

  explicit PageView(QWidget* parent = nullptr) : QWebEngineView(parent) {}
  void SetMenuHandler(MenuHandler handler) { on_menu_ = std::move(handler); }
  // `backward` for Shift+Tab; returns true when it moved the focus.
  void SetLeaveHandler(std::function<bool(bool backward)> handler) {
    on_leave_ = std::move(handler);
  }

 protected:
  void contextMenuEvent(QContextMenuEvent* event) override;
  // The engine hands the focus on through this when the page's own focus
  // order runs out.
  bool focusNextPrevChild(bool next) override;

 private:
  MenuHandler on_menu_;
  std::function<bool(bool)> on_leave_;
};

}  // namespace tolvane
