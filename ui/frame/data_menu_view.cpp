#include "ui/frame/data_menu_view.h"

#include <QAction>
#include <QMenu>

#include "ui/base/qt_text.h"
#include "ui/sidebar/side_bar_icons.h"

namespace tolvane {
namespace {

// A title as a menu shows it: "&" is the mnemonic marker of menu texts.
QString MenuText(const std::string& text) {
  return ToQString(text).replace(QLatin1Char('&'), QStringLiteral("&&"));
}

}  // namespace

DataMenuView::DataMenuView(const ItemStore& store, Actions actions)
    : model_(store), actions_(std::move(actions)) {}

void DataMenuView::AddBarButtons(QMenu& menu, const std::vector<StoreBarButton>& buttons) const {
  for (const StoreBarButton& button : buttons) {
    if (button.kind == StoreBarButton::Kind::kFolder) {
      AddFolderMenu(menu, button.text, button.image, button.index, 0);
    } else {
      AddItem(menu, button.text, button.image, button.index);
    }
  }
}

void DataMenuView::Fill(QMenu& menu, int folder_index, std::size_t start) const {
  for (const DataMenuEntry& entry : model_.Entries(folder_index, start)) {
    switch (entry.kind) {
      case DataMenuEntry::Kind::kOpenAll: {
        QAction* action = menu.addAction(MenuText(entry.text));
        const auto open_all = actions_.open_all;
        const int folder = entry.index;
        QObject::connect(action, &QAction::triggered, &menu,
                         [open_all, folder] { open_all(folder); });
        break;
      }
      case DataMenuEntry::Kind::kFolder:
      case DataMenuEntry::Kind::kMore:
        AddFolderMenu(menu, entry.text, entry.image, entry.index, entry.start);
        break;
      case DataMenuEntry::Kind::kItem:
        AddItem(menu, entry.text, entry.image, entry.index);
        break;
      case DataMenuEntry::Kind::kSeparator:
        menu.addSeparator();
        break;
    }
  }
}

QMenu* DataMenuView::AddFolderMenu(QMenu& menu, const std::string& text, int image,
                                   int folder_index, std::size_t start) const {
  QMenu* sub = menu.addMenu(MenuText(text));
  if (start == 0) sub->setIcon(StoreTreeIcon(image));
  QObject::connect(sub, &QMenu::aboutToShow, sub, [this, sub, folder_index, start] {
    if (!sub->isEmpty()) return;
    Fill(*sub, folder_index, start);
    // An empty folder still opens, to say so, rather than leave the arrow
    // leading nowhere.
    if (sub->isEmpty()) sub->addAction(QStringLiteral("(なし)"))->setEnabled(false);
  });
  return sub;
}

void DataMenuView::AddItem(QMenu& menu, const std::string& text, int image, int item_index) const {
  QAction* action = menu.addAction(StoreTreeIcon(image), MenuText(text));
  const auto open_item = actions_.open_item;
  QObject::connect(action, &QAction::triggered, &menu,
                   [open_item, item_index] { open_item(item_index); });
}

}  // namespace tolvane
