#include "ui/frame/page_menu.h"

#include <QAction>
#include <QMenu>
#include <QWebEngineContextMenuRequest>
#include <QWebEngineView>

#include "core/commands/command_router.h"
#include "core/files/string_table.h"
#include "core/search/keyword_text.h"
#include "core/stores/item_store.h"
#include "ui/base/qt_text.h"
#include "ui/browser/dev_tools_window.h"
#include "ui/browser/web_engine_control.h"

namespace tolvane {
namespace {

// The engine's entries worth keeping, with their Japanese names; the
// engine's translations do not come with Qt here.
struct EngineEntry {
  QWebEnginePage::WebAction action;
  const char* text;
};
constexpr EngineEntry kEngineEntries[] = {
    {QWebEnginePage::Back, "戻る"},
    {QWebEnginePage::Forward, "進む"},
    {QWebEnginePage::Reload, "最新の情報に更新"},
    {QWebEnginePage::Undo, "元に戻す"},
    {QWebEnginePage::Redo, "やり直し"},
    {QWebEnginePage::Cut, "切り取り"},
    {QWebEnginePage::Copy, "コピー"},
    {QWebEnginePage::Paste, "貼り付け"},
    {QWebEnginePage::PasteAndMatchStyle, "書式なしで貼り付け"},
    {QWebEnginePage::SelectAll, "すべて選択"},
    {QWebEnginePage::OpenLinkInNewBackgroundTab, "リンクを新しいタブで開く"},
    {QWebEnginePage::DownloadLinkToDisk, "対象をファイルに保存"},
    {QWebEnginePage::CopyLinkToClipboard, "ショートカットのコピー"},
    {QWebEnginePage::CopyImageToClipboard, "画像のコピー"},
    {QWebEnginePage::CopyImageUrlToClipboard, "画像のアドレスのコピー"},
    {QWebEnginePage::DownloadImageToDisk, "名前を付けて画像を保存"},
    {QWebEnginePage::DownloadMediaToDisk, "名前を付けてメディアを保存"},
    {QWebEnginePage::CopyMediaUrlToClipboard, "メディアのアドレスのコピー"},
};

QString Text(const char* utf8) { return QString::fromUtf8(utf8); }

// Opens the inspector on what was right-clicked in `view`.
void Inspect(QWebEngineView& view) {
  QWebEnginePage* page = view.page();
  QWidget* window = page->devToolsPage() != nullptr ? QWebEngineView::forPage(page->devToolsPage())
                                                    : new DevToolsWindow(view);
  page->triggerAction(QWebEnginePage::InspectElement);
  if (window != nullptr) {
    window->show();
    window->raise();
  }
}

}  // namespace

CPageMenu::CPageMenu(CommandRouter& router, const ItemStore& keywords)
    : router_(router), keywords_(keywords) {}

bool CPageMenu::ClickedInTextField(const WebEngineControl& control) {
  const QWebEngineView* view = control.view();
  const QWebEngineContextMenuRequest* request =
      view != nullptr ? view->lastContextMenuRequest() : nullptr;
  return request != nullptr && request->isContentEditable();
}

std::string CPageMenu::ClickedSelection(const WebEngineControl& control) {
  const QWebEngineView* view = control.view();
  const QWebEngineContextMenuRequest* request =
      view != nullptr ? view->lastContextMenuRequest() : nullptr;
  return request != nullptr ? ToUtf8(request->selectedText()) : std::string();
}

std::unique_ptr<QMenu> CPageMenu::Build(WebEngineControl& control, const PageContextState& state,
                                        QWidget* parent) const {
  auto menu = std::make_unique<QMenu>(parent);
  menu->setObjectName(QStringLiteral("pageMenu"));
  AddProgramEntries(*menu, control, state);
  AddEngineEntries(*menu, control);
  return menu;
}

void CPageMenu::AddProgramEntries(QMenu& menu, WebEngineControl& control,
                                  const PageContextState& state) const {
  CommandContext context;
  context.source = CommandSource::kPageMenu;
  // The keyword as the page has it, so UTF-8 shops get every character.
  if (const std::string selection = ClickedSelection(control); !selection.empty()) {
    context.keyword = Keyword::FromUtf8(selection);
  }
  QPointer<WebEngineControl> target(&control);
  for (const ContextMenuEntry& entry : PageContextMenuEntries(state)) {
    switch (entry.kind) {
      case ContextMenuEntry::Kind::kKeywordInput: {
        QMenu* keywords = menu.addMenu(ToQString(entry.text));
        keywords->setObjectName(QStringLiteral("keywordInput"));
        const ItemList& items = keywords_.items();
        int id = kKeywordInputFirst.value();
        for (int index : RecentKeywords(keywords_, kMaxKeywords)) {
          const std::string keyword = items.title(static_cast<std::size_t>(index));
          QAction* action = keywords->addAction(ToQString(keyword));
          action->setData(id++);
          QObject::connect(action, &QAction::triggered, keywords, [target, keyword] {
            if (target != nullptr) target->PutTextInFocusedField(keyword);
          });
        }
        keywords->setEnabled(!keywords->isEmpty());
        break;
      }
      case ContextMenuEntry::Kind::kItem:
        AddCommand(menu, entry, context);
        if (entry.command == command::kAddFavorite) {
          // The shop's own search, when the page declares one.
          ContextMenuEntry site_search;
          site_search.kind = ContextMenuEntry::Kind::kItem;
          site_search.text = LoadString(string_id::kAddSiteSearch);
          site_search.command = command::kAddSiteSearch;
          site_search.enabled = true;
          AddCommand(menu, site_search, context);
        }
        break;
      case ContextMenuEntry::Kind::kSearchBarButtons:
        for (const ContextMenuEntry& button : state.bar_buttons) AddButton(menu, button, context);
        break;
      case ContextMenuEntry::Kind::kSubmenu:
        AddButton(menu, entry, context);
        break;
      case ContextMenuEntry::Kind::kSearchTree: {
        QMenu* sub = menu.addMenu(ToQString(entry.text));
        sub->setObjectName(QStringLiteral("searchTreeMenu"));
        if (fill_search_tree) fill_search_tree(*sub, context);
        sub->setEnabled(!sub->isEmpty());
        break;
      }
      case ContextMenuEntry::Kind::kFavoritesBar: {
        QMenu* sub = menu.addMenu(ToQString(entry.text));
        sub->setObjectName(QStringLiteral("favoritesBarMenu"));
        if (fill_favorites_bar) fill_favorites_bar(*sub);
        sub->setEnabled(!sub->isEmpty());
        break;
      }
      case ContextMenuEntry::Kind::kSeparator:
        menu.addSeparator();
        break;
    }
  }
}

// A folder or group button is a submenu of its engines or tabs.
void CPageMenu::AddButton(QMenu& menu, const ContextMenuEntry& entry,
                          const CommandContext& context) const {
  if (entry.kind != ContextMenuEntry::Kind::kSubmenu) {
    AddCommand(menu, entry, context);
    return;
  }
  QMenu* sub = menu.addMenu(ToQString(entry.text));
  for (const ContextMenuEntry& child : entry.children) AddCommand(*sub, child, context);
  sub->setEnabled(!sub->isEmpty());
}

void CPageMenu::AddCommand(QMenu& menu, const ContextMenuEntry& entry,
                           const CommandContext& menu_context) const {
  CommandContext context = menu_context;
  context.list_row = entry.list_row;
  QAction* action = menu.addAction(ToQString(entry.text));
  action->setData(entry.command.value());
  action->setEnabled(entry.enabled && router_.State(entry.command, context).enabled);
  CommandRouter* router = &router_;
  const CommandId id = entry.command;
  QObject::connect(action, &QAction::triggered, &menu,
                   [router, id, context] { router->Run(id, context); });
}

// The engine's menu for the spot clicked, without what the program does
// itself: a link opens in a new page tab, never a window; saving and the
// source are the program's commands.
void CPageMenu::AddEngineEntries(QMenu& menu, WebEngineControl& control) const {
  QWebEngineView* view = control.view();
  QWebEnginePage* page = control.page();
  if (view == nullptr || page == nullptr) return;
  for (const EngineEntry& entry : kEngineEntries)
    page->action(entry.action)->setText(Text(entry.text));
  // Kept with the menu: its separators and any entry of its own are its.
  QMenu* standard = view->createStandardContextMenu();
  standard->setParent(&menu, standard->windowFlags());
  QAction* new_tab = page->action(QWebEnginePage::OpenLinkInNewTab);
  QAction* new_window = page->action(QWebEnginePage::OpenLinkInNewWindow);
  QAction* save_page = page->action(QWebEnginePage::SavePage);
  QAction* view_source = page->action(QWebEnginePage::ViewSource);
  // On a link or an image the menu is about that, not the page.
  const QWebEngineContextMenuRequest* request = view->lastContextMenuRequest();
  const bool on_target =
      request != nullptr && (!request->linkUrl().isEmpty() || !request->mediaUrl().isEmpty());
  const QList<QAction*> page_entries = {
      page->action(QWebEnginePage::Back), page->action(QWebEnginePage::Forward),
      page->action(QWebEnginePage::Reload), save_page, view_source};
  CommandContext context;
  context.source = CommandSource::kPageMenu;
  for (QAction* action : standard->actions()) {
    if (action == new_window || action == page->action(QWebEnginePage::InspectElement) ||
        (on_target && page_entries.contains(action))) {
      continue;
    }
    if (action == new_tab) {
      // Reported to the page as a modifier click: always a page tab.
      menu.addAction(page->action(QWebEnginePage::OpenLinkInNewBackgroundTab));
    } else if (action == save_page || action == view_source) {
      const bool save = action == save_page;
      AddCommand(menu,
                 {ContextMenuEntry::Kind::kItem,
                  ToSjis(save ? Text("名前を付けて保存...") : Text("ソースの表示")),
                  save ? command::kSavePage : command::kViewSource, true},
                 context);
    } else if (action->isSeparator()) {
      // Entries left out leave no empty group behind.
      const QList<QAction*> so_far = menu.actions();
      if (!so_far.isEmpty() && !so_far.last()->isSeparator()) menu.addSeparator();
    } else {
      menu.addAction(action);
    }
  }
  // The engine offers its inspector only to a page that has one set up,
  // and would not show its window again once closed.
  if (!menu.actions().isEmpty() && !menu.actions().last()->isSeparator()) menu.addSeparator();
  QPointer<QWebEngineView> target(view);
  QObject::connect(menu.addAction(Text("要素の検証")), &QAction::triggered, &menu, [target] {
    if (target != nullptr) Inspect(*target);
  });
  if (!menu.actions().isEmpty() && menu.actions().last()->isSeparator()) {
    menu.removeAction(menu.actions().last());
  }
}

}  // namespace tolvane
