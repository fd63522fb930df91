#include "ui/search/engine_menu.h"

#include "core/search/search_tree.h"
#include "ui/base/qt_text.h"

namespace tolvane {

void EngineMenu::Fill(QMenu& menu, const SearchTree& tree, int item) const {
  if (item >= 0 && item < tree.size()) {
    for (const int child : tree.MenuChildren(item)) {
      const SearchTreeItem& entry = tree.item(child);
      const QIcon image = icon ? icon(entry.image) : QIcon();
      if (entry.kind == SearchTreeItem::Kind::kEngine) {
        QAction* action = menu.addAction(image, ToQString(entry.text));
        if (engine) engine(*action, entry);
        continue;
      }
      QMenu* sub = menu.addMenu(image, ToQString(entry.text));
      sub->setEnabled(!tree.MenuChildren(child).empty());
      const int folder = entry.record;
      // Copies: the menu may outlive this value.
      QObject::connect(sub, &QMenu::aboutToShow, sub, [links = *this, sub, &tree, folder] {
        if (sub->isEmpty()) links.Fill(*sub, tree, tree.FindFolder(folder));
      });
    }
  }
  menu.setEnabled(!menu.isEmpty());
}

}  // namespace tolvane
