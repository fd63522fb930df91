#include "core/frame/menu_models.h"

#include <array>

namespace tolvane {
namespace {

using Flag = MenuEntry::Flag;
using Kind = MenuEntry::Kind;

// Menu titles, and entries whose text is not their command's name: numbered
// strings 61000… (string_table.cpp).
namespace text {
constexpr int kFile = 61000;
constexpr int kEdit = 61001;
constexpr int kView = 61002;
constexpr int kTabs = 61003;
constexpr int kSearch = 61004;
constexpr int kTools = 61005;
constexpr int kHelp = 61006;
constexpr int kBars = 61007;
constexpr int kZoom = 61008;
constexpr int kTextSize = 61009;
constexpr int kEncoding = 61010;
constexpr int kPageHistory = 61011;
constexpr int kPopupBlock = 61012;
constexpr int kNewTabWithEngine = 61013;
constexpr int kTabSwitch = 61014;
constexpr int kCreateTabWithEngine = 61015;
constexpr int kSaveAs = 61100;
constexpr int kFindInPage = 61101;
constexpr int kMenuBar = 61102;
constexpr int kBack = 61103;
constexpr int kForward = 61104;
constexpr int kHome = 61105;
constexpr int kStop = 61106;
constexpr int kReload = 61107;
constexpr int kZoomIn = 61108;
constexpr int kZoomOut = 61109;
constexpr int kSource = 61110;
constexpr int kFullScreen = 61111;
constexpr int kUnclipThis = 61112;
constexpr int kUnclipAll = 61113;
constexpr int kAddFavorite = 61114;
constexpr int kDeleteEngine = 61115;
// Shared with the archive command of the search tree.
constexpr int kRestoreFromArchive = 168;
}  // namespace text

constexpr MenuEntry C(CommandId id, char key = 0, int flags = Flag::kPlain) {
  MenuEntry entry;
  entry.command = id;
  entry.key = key;
  entry.flags = flags;
  return entry;
}

constexpr MenuEntry T(CommandId id, int text_id, int flags = Flag::kPlain) {
  MenuEntry entry;
  entry.command = id;
  entry.text_id = text_id;
  entry.flags = flags;
  return entry;
}

constexpr MenuEntry Sep() {
  MenuEntry entry;
  entry.kind = Kind::kSeparator;
  return entry;
}

constexpr MenuEntry Sub(MenuId id) {
  MenuEntry entry;
  entry.kind = Kind::kSubmenu;
  entry.submenu = static_cast<int>(id);
  return entry;
}

constexpr MenuEntry List(MenuList list, int title_id, std::string_view name,
                         CommandId id = CommandId()) {
  MenuEntry entry;
  entry.kind = Kind::kList;
  entry.list = list;
  entry.text_id = title_id;
  entry.name = name;
  entry.command = id;
  return entry;
}

constexpr int kCheck = Flag::kCheck;
constexpr int kDialog = Flag::kDialog;

constexpr MenuEntry kMenuBar[] = {Sub(MenuId::kFile), Sub(MenuId::kEdit),   Sub(MenuId::kView),
                                  Sub(MenuId::kTabs), Sub(MenuId::kSearch), Sub(MenuId::kTools),
                                  Sub(MenuId::kHelp)};

constexpr MenuEntry kFile[] = {
    C(command::kOpenFile, 'O', kDialog),
    T(command::kSavePage, text::kSaveAs),
    Sep(),
    C(command::kPageSetup, 'U', kDialog),
    C(command::kPrintPreview, 'V', kDialog),
    C(command::kPrint, 'P', kDialog),
    Sep(),
    C(command::kPageProperties, 'R'),
    C(command::kWorkOffline, 'W', kCheck),
    Sep(),
    C(command::kExit, 'X'),
};

constexpr MenuEntry kEdit[] = {
    C(command::kUndo, 'U'),
    Sep(),
    C(command::kCut, 'T'),
    C(command::kCopy, 'C'),
    C(command::kPaste, 'P'),
    C(command::kDelete, 'D'),
    Sep(),
    C(command::kSelectAll, 'A'),
    Sep(),
    T(command::kFindForm, text::kFindInPage),
};

// The bands' menu is the bar toggles with the status bar's after them.
constexpr MenuEntry kBands[] = {
    C(command::kStandardButtons, 'T', kCheck),
    C(command::kAddressBarToggle, 'A', kCheck),
    C(command::kSearchBarToggle, 'K', kCheck),
    C(command::kFavoritesBarToggle, 'O', kCheck),
    C(command::kKeywordBarToggle, 'W', kCheck),
    C(command::kHistoryBarToggle, 'H', kCheck),
    T(command::kToggleMenuBar, text::kMenuBar, kCheck),
    Sep(),
    C(command::kFixBands, 'B', kCheck),
    C(command::kStatusBar, 'S', kCheck),
};
constexpr std::size_t kBarToggles = std::size(kBands) - 1;

constexpr MenuEntry kView[] = {
    Sub(MenuId::kBars),
    C(command::kStatusBar, 'S', kCheck),
    Sep(),
    T(command::kBack, text::kBack),
    T(command::kForward, text::kForward),
    T(command::kHome, text::kHome),
    List(MenuList::kPageHistory, text::kPageHistory, "pageHistoryMenu"),
    T(command::kStop, text::kStop),
    T(command::kReload, text::kReload),
    Sep(),
    Sub(MenuId::kZoom),
    Sub(MenuId::kTextSize),
    List(MenuList::kEncodings, text::kEncoding, "encodingMenu"),
    Sep(),
    T(command::kViewSource, text::kSource),
    T(command::kFullScreen, text::kFullScreen, kCheck),
};

constexpr CommandId Preset(int step) { return CommandId(command::kZoomPresetFirst.value() + step); }

// The zoom pane's menu is the view menu's zoom without the cycle.
constexpr MenuEntry kZoom[] = {
    T(command::kZoomIn, text::kZoomIn),
    T(command::kZoomOut, text::kZoomOut),
    Sep(),
    C(Preset(0), 0, kCheck),
    C(Preset(1), 0, kCheck),
    C(Preset(2), 0, kCheck),
    C(Preset(3), 0, kCheck),
    C(Preset(4), 0, kCheck),
    C(Preset(5), 0, kCheck),
    C(Preset(6), 0, kCheck),
    Sep(),
    C(command::kZoomCustom, 'C', kDialog),
    C(command::kZoomCycle, 'Y'),
};
constexpr std::size_t kZoomPaneEntries = std::size(kZoom) - 1;

constexpr CommandId TextSize(int step) {
  return CommandId(command::kTextSizeSmallest.value() + step);
}

constexpr MenuEntry kTextSize[] = {
    C(TextSize(0), 'A', kCheck), C(TextSize(1), 'S', kCheck), C(TextSize(2), 'M', kCheck),
    C(TextSize(3), 'L', kCheck), C(TextSize(4), 'G', kCheck),
};

constexpr MenuEntry kTabs[] = {
    C(command::kNewCategoryTab, 'N'),
    C(command::kDuplicateCategoryTab, 'U'),
    C(command::kCloseCategoryTab, 'C'),
    C(command::kCloseAllCategoryTabs),
    Sep(),
    C(command::kNewPageTab, 'T'),
    C(command::kDuplicatePageTab, 'D'),
    C(command::kClosePageTab, 'W'),
    C(command::kClosePageTabsRight),
    C(command::kClosePageTabsLeft),
    C(command::kCloseAllPageTabs),
    C(command::kReload, 'R'),
    C(command::kReloadAllPageTabs),
    Sep(),
    C(command::kToggleClip, 'K'),
    C(command::kClipAllTabs),
    C(command::kUnclipAllTabs),
    C(command::kAddAllTabsToFavorites),
    Sep(),
    C(command::kCategoryTabLeft),
    C(command::kCategoryTabRight),
    C(command::kCategoryTabFirst),
    C(command::kCategoryTabLast),
    C(command::kPageTabLeft),
    C(command::kPageTabRight),
    C(command::kPageTabFirst),
    C(command::kPageTabLast),
    C(command::kPreviousTab),
    C(command::kNextTab),
};

constexpr MenuEntry kSearch[] = {
    C(command::kSearch, 'S'),
    C(command::kBatchSearch, 'M'),
    C(command::kKeywordBox, 'K'),
};

constexpr MenuEntry kTools[] = {
    Sub(MenuId::kPopupBlock),
    Sep(),
    C(command::kPrivacyReport, 'V', kDialog),
    C(command::kSecurityReport, 'S', kDialog),
};

constexpr MenuEntry kPopupBlock[] = {
    C(command::kUsePopupBlock, 'U', kCheck), C(command::kDisablePopupBlock, 'D', kCheck), Sep(),
    C(command::kShowBlockedPopups, 'S'),     C(command::kAllowPopupsHere, 'A', kCheck),
};

constexpr MenuEntry kHelp[] = {C(command::kAbout, 'A', kDialog)};

constexpr MenuEntry kAddFavorite[] = {
    T(command::kAddFavorite, text::kAddFavorite),
    C(command::kAddAllTabsToFavorites, 'T'),
};

constexpr MenuEntry kSearchButton[] = {
    C(command::kSearch),
    C(command::kBatchSearch),
    C(command::kSearchSelection),
    C(command::kBatchSearchSelection),
    Sep(),
    C(command::kAddSiteSearch),
};

constexpr MenuEntry kCategoryTab[] = {
    C(command::kSearchInTab, 'S'),
    Sep(),
    C(command::kNewTabFromMenu, 'N'),
    C(command::kDuplicateCategoryTab, 'D'),
    List(MenuList::kEngines, text::kNewTabWithEngine, "engineSubmenu", command::kNewTabWithEngine),
    Sep(),
    List(MenuList::kTabSwitch, text::kTabSwitch, "tabSwitchSubmenu"),
    C(command::kTabSettings, 'I'),
    Sep(),
    C(command::kCloseCategoryTab, 'C'),
    C(command::kCloseCategoryTabsRight, 'R'),
    C(command::kCloseCategoryTabsLeft, 'L'),
    C(command::kCloseOtherCategoryTabs, 'O'),
    C(command::kCloseAllCategoryTabs, 'A'),
};

constexpr MenuEntry kPageTab[] = {
    C(command::kNewPageTab, 'N'),
    C(command::kDuplicatePageTab, 'D'),
    Sep(),
    C(command::kReloadPageTab, 'R'),
    C(command::kReloadAllPageTabs, 'A'),
    Sep(),
    C(command::kToggleClip, 'P'),
    C(command::kClipAllTabs, 'K'),
    C(command::kUnclipAllTabs, 'U'),
    C(command::kAddAllTabsToFavorites, 'F'),
    Sep(),
    C(command::kClosePageTab, 'C'),
    C(command::kClosePageTabsRight, 'G'),
    C(command::kClosePageTabsLeft, 'H'),
    C(command::kCloseOtherPageTabs, 'O'),
    C(command::kCloseAllPagesOfRow, 'W'),
};

constexpr MenuEntry kClip[] = {
    T(command::kToggleClip, text::kUnclipThis),
    T(command::kUnclipAllTabs, text::kUnclipAll),
    C(command::kClipAllTabs, 'K'),
};

constexpr MenuEntry kCreateTabWithEngine =
    List(MenuList::kEngines, text::kCreateTabWithEngine, "createTabWithEngine",
         command::kCreateTabWithEngine);

constexpr MenuEntry kTreeTab[] = {
    C(command::kSearchInTab, 'S'),
    C(command::kNewCategoryTab, 'N'),
    C(command::kCopyTreeTab, 'C'),
    Sep(),
    C(command::kCloseCategoryTab, 'L'),
    C(command::kDeleteTab, 'D'),
    Sep(),
    C(command::kTabSettings, 'I'),
    Sep(),
    kCreateTabWithEngine,
};

// In the archive closing a tab brings it back.
constexpr MenuEntry kTreeArchivedTab[] = {
    C(command::kSearchInTab, 'S'),
    C(command::kNewCategoryTab, 'N'),
    C(command::kCopyTreeTab, 'C'),
    Sep(),
    T(command::kCloseCategoryTab, text::kRestoreFromArchive),
    C(command::kDeleteTab, 'D'),
    Sep(),
    C(command::kTabSettings, 'I'),
};

constexpr MenuEntry kTreeGroup[] = {
    C(command::kNewCategoryTab, 'N'),
    Sep(),
    C(command::kDeleteAllTabs, 'A'),
    C(command::kArchiveTabGroup, 'T'),
    C(command::kDeleteGroup, 'D'),
    Sep(),
    kCreateTabWithEngine,
};

constexpr MenuEntry kTreeArchivedGroup[] = {
    C(command::kNewCategoryTab, 'N'),
    Sep(),
    C(command::kDeleteAllTabs, 'A'),
    T(command::kArchiveTabGroup, text::kRestoreFromArchive),
    C(command::kDeleteGroup, 'D'),
    Sep(),
    kCreateTabWithEngine,
};

// The archive folder is neither deleted nor archived.
constexpr MenuEntry kTreeArchiveFolder[] = {
    C(command::kNewCategoryTab, 'N'),
    Sep(),
    C(command::kDeleteAllTabs, 'A'),
};

constexpr MenuEntry kTreeRoot[] = {C(command::kNewCategoryTab, 'N')};

// The archive command of the search tree names what it does: its owner
// gives the restoring text for an archived engine or category.
constexpr MenuEntry kSearchTreeEngine[] = {
    C(command::kSearchEngineWithKeyword),
    C(command::kSearchEngineInNewTab),
    C(command::kSearchInActivePage),
    Sep(),
    C(command::kOpenEngineTopPage),
    C(command::kOpenEngineTopPageInNewTab),
    Sep(),
    C(command::kAddEngineAsTab),
    C(command::kAddFolderAsSearchTab),
    Sep(),
    C(command::kCreateEngine),
    C(command::kAddSiteSearch),
    C(command::kArchiveItem),
    T(command::kDeleteItem, text::kDeleteEngine),
    Sep(),
    C(command::kToggleSearchBar, 0, kCheck),
    Sep(),
    C(command::kEngineProperties),
};

constexpr MenuEntry kSearchTreeCategory[] = {
    C(command::kBatchSearchFolder),
    C(command::kAddFolderAsSearchTab),
    C(command::kAddEngineAsTab),
    Sep(),
    C(command::kCreateEngine),
    C(command::kAddSiteSearch),
    C(command::kArchiveItem),
    C(command::kDeleteItem),
    Sep(),
    C(command::kToggleSearchBar, 0, kCheck),
};

constexpr std::array<MenuModel, static_cast<std::size_t>(MenuId::kCount)> kModels = {{
    {"menuBar", 0, kMenuBar},
    {"fileMenu", text::kFile, kFile},
    {"editMenu", text::kEdit, kEdit},
    {"viewMenu", text::kView, kView},
    {"barsMenu", text::kBars, std::span(kBands).first(kBarToggles)},
    {"zoomMenu", text::kZoom, kZoom},
    {"textSizeMenu", text::kTextSize, kTextSize},
    {"tabMenu", text::kTabs, kTabs},
    {"searchMenu", text::kSearch, kSearch},
    {"toolsMenu", text::kTools, kTools},
    {"PopupBlock", text::kPopupBlock, kPopupBlock},
    {"helpMenu", text::kHelp, kHelp},
    {"Zoom", 0, std::span(kZoom).first(kZoomPaneEntries)},
    {"bandsMenu", 0, kBands},
    {"addMenu", 0, kAddFavorite},
    {"searchButtonMenu", 0, kSearchButton},
    {"categoryTabMenu", 0, kCategoryTab},
    {"pageTabMenu", 0, kPageTab},
    {"clipMenu", 0, kClip},
    {"tabTreeMenu", 0, kTreeTab},
    {"tabTreeMenu", 0, kTreeArchivedTab},
    {"tabTreeMenu", 0, kTreeGroup},
    {"tabTreeMenu", 0, kTreeArchivedGroup},
    {"tabTreeMenu", 0, kTreeArchiveFolder},
    {"tabTreeMenu", 0, kTreeRoot},
    {"engineMenu", 0, kSearchTreeEngine},
    {"categoryMenu", 0, kSearchTreeCategory},
}};

// The search tree's engine menu has both texts as the system writes them.
constexpr SharedAccessKey kSharedAccessKeys[] = {
    {MenuId::kSearchTreeEngine, command::kSearchEngineInNewTab, command::kArchiveItem},
};

}  // namespace

const MenuModel& Menu(MenuId id) { return kModels.at(static_cast<std::size_t>(id)); }

MenuId SubmenuOf(const MenuEntry& entry) { return static_cast<MenuId>(entry.submenu); }

MenuId TabTreeMenu(TabTreeSpot spot) {
  switch (spot) {
    case TabTreeSpot::kRoot:
      return MenuId::kTreeRoot;
    case TabTreeSpot::kGroup:
      return MenuId::kTreeGroup;
    case TabTreeSpot::kArchivedGroup:
      return MenuId::kTreeArchivedGroup;
    case TabTreeSpot::kArchiveFolder:
      return MenuId::kTreeArchiveFolder;
    case TabTreeSpot::kTab:
      return MenuId::kTreeTab;
    case TabTreeSpot::kArchivedTab:
      return MenuId::kTreeArchivedTab;
  }
  return MenuId::kTreeRoot;
}

std::span<const SharedAccessKey> SharedAccessKeys() { return kSharedAccessKeys; }

}  // namespace tolvane
