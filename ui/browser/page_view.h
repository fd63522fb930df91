#pragma once

#include <QWebEngineView>
#include <functional>

namespace tolvane {

// The view of one page: its context menu is the program's own, made by
// whoever shows it, instead of the engine's.
class PageView : public QWebEngineView {
 public:
  using MenuHandler = std::function<void(const QPoint& global)>;

  explicit PageView(QWidget* parent = nullptr) : QWebEngineView(parent) {}
  void SetMenuHandler(MenuHandler handler) { on_menu_ = std::move(handler); }

 protected:
  void contextMenuEvent(QContextMenuEvent* event) override;

 private:
  MenuHandler on_menu_;
};

}  // namespace tolvane
