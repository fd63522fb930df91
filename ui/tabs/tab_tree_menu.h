#pragma once

class QMenu;
class QWidget;

namespace tolvane {

// The tab tree's context menu for an item of kind `kind` (TabTreeItem::Kind
// as int); an archived tab offers to restore it instead of closing it.
// Actions carry their command ID as data.
QMenu* CreateTabTreeMenu(QWidget* parent, int kind, bool archived);

}  // namespace tolvane
