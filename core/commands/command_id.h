#pragma once

#include <compare>

namespace tolvane {

// A command's number as the system knows it: the id a menu item, button,
// key or gesture sends, and the id of the command's numbered string
// (description, then the names shown). Kept apart from other ints so a row,
// an index or a string id cannot be passed where a command is meant.
class CommandId {
 public:
  constexpr CommandId() = default;
  constexpr explicit CommandId(int value) : value_(value) {}

  constexpr int value() const { return value_; }

  friend constexpr auto operator<=>(CommandId, CommandId) = default;

 private:
  int value_ = 0;
};

// The commands of the default command table, and the commands the dispatcher
// sends on its own.
namespace command {
// Window and view.
inline constexpr CommandId kFullScreen{32798};
inline constexpr CommandId kMinimize{59148};
inline constexpr CommandId kZoomIn{32832};
inline constexpr CommandId kZoomOut{32833};
// Web page.
inline constexpr CommandId kHome{32793};
inline constexpr CommandId kForward{32792};
inline constexpr CommandId kBack{32791};
inline constexpr CommandId kReload{32795};
inline constexpr CommandId kStop{32794};
inline constexpr CommandId kSavePage{32804};
inline constexpr CommandId kPrint{57607};
inline constexpr CommandId kViewSource{32796};
inline constexpr CommandId kFollowLink{59149};
inline constexpr CommandId kLinkMenu{59150};
// Scrolling the page.
inline constexpr CommandId kScrollUp{59160};
inline constexpr CommandId kScrollDown{59161};
inline constexpr CommandId kScrollPageUp{59162};
inline constexpr CommandId kScrollPageDown{59163};
inline constexpr CommandId kScrollTop{59164};
inline constexpr CommandId kScrollBottom{59165};
// Side bar.
inline constexpr CommandId kShowSearchTree{32785};
inline constexpr CommandId kShowTabTree{32941};
inline constexpr CommandId kShowFavoritesTree{32786};
inline constexpr CommandId kShowKeywordTree{32787};
inline constexpr CommandId kShowHistoryTree{32809};
// Favorites and clips.
inline constexpr CommandId kAddFavorite{32799};
inline constexpr CommandId kAddAllTabsToFavorites{32883};
inline constexpr CommandId kToggleClip{32890};
inline constexpr CommandId kClipAllTabs{32979};
inline constexpr CommandId kUnclipAllTabs{32980};
// Category tabs.
inline constexpr CommandId kNewCategoryTab{32953};
inline constexpr CommandId kDuplicateCategoryTab{32881};
inline constexpr CommandId kCloseCategoryTab{32884};
inline constexpr CommandId kCloseCategoryTabsRight{32973};
inline constexpr CommandId kCloseCategoryTabsLeft{32974};
inline constexpr CommandId kCloseOtherCategoryTabs{32975};
inline constexpr CommandId kCloseAllCategoryTabs{32885};
inline constexpr CommandId kCategoryTabLeft{32901};
inline constexpr CommandId kCategoryTabRight{32902};
inline constexpr CommandId kCategoryTabFirst{32917};
inline constexpr CommandId kCategoryTabLast{32916};
// Page tabs.
inline constexpr CommandId kNewPageTab{32886};
inline constexpr CommandId kDuplicatePageTab{32887};
inline constexpr CommandId kReopenClosedPageTab{32982};
inline constexpr CommandId kClosePageTab{32891};
inline constexpr CommandId kClosePageTabsRight{32892};
inline constexpr CommandId kClosePageTabsLeft{32895};
inline constexpr CommandId kCloseOtherPageTabs{32893};
inline constexpr CommandId kCloseAllPageTabs{32978};
inline constexpr CommandId kReloadAllPageTabs{32882};
inline constexpr CommandId kPageTabLeft{32903};
inline constexpr CommandId kPageTabRight{32904};
inline constexpr CommandId kPageTabFirst{32918};
inline constexpr CommandId kPageTabLast{32919};
inline constexpr CommandId kTabHistoryForward{32921};
inline constexpr CommandId kTabHistoryBack{32920};
inline constexpr CommandId kPreviousTab{32905};
inline constexpr CommandId kNextTab{32907};
// Search bar and address bar.
inline constexpr CommandId kEngineButton{32926};
inline constexpr CommandId kKeywordBox{59151};
inline constexpr CommandId kSearch{32943};
inline constexpr CommandId kBatchSearch{32842};
// The search bar's "-4" button: every category tab's own search at once.
inline constexpr CommandId kBatchCategorySearch{32942};
inline constexpr CommandId kAddressBar{59152};
// Search entry points: the tab group drop-down's tabs (34600 + i), the
// search bar's configurable buttons (34700 + i), and the commands of the
// engine and tab menus, whose entry names its list row in the context.
inline constexpr CommandId kTabGroupTabFirst{34600};
inline constexpr CommandId kTabGroupTabLast{34699};
inline constexpr CommandId kBarButtonFirst{34700};
inline constexpr CommandId kBarButtonLast{34799};
inline constexpr CommandId kNewTabWithEngine{32971};
inline constexpr CommandId kCreateTabWithEngine{32950};
inline constexpr CommandId kEngineCommand{34900};
inline constexpr CommandId kTabCommand{34901};
inline constexpr CommandId kTabButtonChoice{34902};
// Makes a user engine from the shown page's own search description.
inline constexpr CommandId kAddSiteSearch{34903};
// Find in page.
inline constexpr CommandId kFindForm{57636};
inline constexpr CommandId kFindNext{32843};
inline constexpr CommandId kFindPrevious{32897};
inline constexpr CommandId kHighlight{32844};
inline constexpr CommandId kSearchSelection{59153};
inline constexpr CommandId kBatchSearchSelection{59154};
// Fixed keys, not listed on the option pages.
inline constexpr CommandId kTabKey{32898};
inline constexpr CommandId kShiftTabKey{32899};
inline constexpr CommandId kUndo{57643};
inline constexpr CommandId kSelectAll{57642};
inline constexpr CommandId kCut{57635};
inline constexpr CommandId kCopy{57634};
inline constexpr CommandId kPaste{57637};
inline constexpr CommandId kDelete{32824};
inline constexpr CommandId kToggleMenuBar{32776};
inline constexpr CommandId kHelp{32803};
// Search with the engine or engine folder selected in the search tree: what
// a typed shortcut or gesture of an engine or folder runs.
inline constexpr CommandId kSearchSelectedEngine{59156};
// The side bar's search tree (menus on a category and on an engine).
inline constexpr CommandId kSearchEngineWithKeyword{32854};
inline constexpr CommandId kSearchEngineInNewTab{32855};
inline constexpr CommandId kOpenEngineTopPage{32853};
inline constexpr CommandId kOpenEngineTopPageInNewTab{32852};
inline constexpr CommandId kSearchInActivePage{32848};
inline constexpr CommandId kBatchSearchFolder{32850};
inline constexpr CommandId kAddFolderAsSearchTab{32952};
inline constexpr CommandId kAddEngineAsTab{32940};
inline constexpr CommandId kCreateEngine{32960};
inline constexpr CommandId kEngineProperties{32961};
inline constexpr CommandId kArchiveItem{32962};
inline constexpr CommandId kDeleteItem{32963};
inline constexpr CommandId kToggleSearchBar{32964};
// Commands of the main frame's bars, address bar and page view that the
// default command table does not list.
// Toggles of the bars (the standard buttons and the status bar toggle with
// their own child ids).
inline constexpr CommandId kStandardButtons{59392};
inline constexpr CommandId kStatusBar{59393};
inline constexpr CommandId kAddressBarToggle{32777};
inline constexpr CommandId kSearchBarToggle{32778};
inline constexpr CommandId kFavoritesBarToggle{32779};
inline constexpr CommandId kKeywordBarToggle{32780};
inline constexpr CommandId kHistoryBarToggle{32781};
// The address bar: open the typed address in the active page, or search
// with it as a keyword.
inline constexpr CommandId kNavigate{32807};
inline constexpr CommandId kAddressBarSearch{32927};
// Standard buttons not in the command table.
inline constexpr CommandId kPageClip{32812};
inline constexpr CommandId kClosePage{32806};
// Text size, smallest to largest (five steps).
inline constexpr CommandId kTextSizeSmallest{32819};
inline constexpr CommandId kTextSizeLargest{32823};
// Zoom: the cycle of the zoom pane, the presets 400 % … 50 %, the dialog.
inline constexpr CommandId kZoomCycle{32830};
inline constexpr CommandId kZoomPresetFirst{32834};
inline constexpr CommandId kZoomPresetLast{32840};
inline constexpr CommandId kZoomCustom{32841};
// The page's encodings, as the encoding menu numbers them.
inline constexpr CommandId kEncodingFirst{3609};
inline constexpr CommandId kEncodingLast{3699};
// Tab commands of the tab rows' and the tab tree's menus that the default
// command table does not list.
inline constexpr CommandId kNewTabFromMenu{32880};
inline constexpr CommandId kNewTabButton{32789};
inline constexpr CommandId kTabSettings{32981};
inline constexpr CommandId kSearchInTab{32972};
inline constexpr CommandId kReloadPageTab{32888};
inline constexpr CommandId kCloseAllPagesOfRow{32894};
inline constexpr CommandId kCopyTreeTab{32948};
inline constexpr CommandId kDeleteTab{32949};
inline constexpr CommandId kDeleteAllTabs{32954};
inline constexpr CommandId kDeleteAllTabs2{32985};
inline constexpr CommandId kDeleteGroup{32957};
// A tab group into the archive folder, or back out of it (the search
// tree's categories and engines have kArchiveItem).
inline constexpr CommandId kArchiveTabGroup{32966};
// The shown page's own commands besides those of the command table.
inline constexpr CommandId kPageSetup{57606};
inline constexpr CommandId kPrintPreview{57609};
inline constexpr CommandId kPageProperties{32773};
inline constexpr CommandId kWorkOffline{32774};
inline constexpr CommandId kPrivacyReport{32797};
inline constexpr CommandId kSecurityReport{32831};
inline constexpr CommandId kScrollTopAlt{59158};
inline constexpr CommandId kScrollBottomAlt{59159};
// Pop-ups: show the blocked ones, allow them on this page, switch blocking.
inline constexpr CommandId kShowBlockedPopups{32912};
inline constexpr CommandId kAllowPopupsHere{32913};
inline constexpr CommandId kUsePopupBlock{32914};
inline constexpr CommandId kDisablePopupBlock{32923};
// The frame's own commands: bands fixed in place (no system number: the
// number is this program's), the window's file and help commands.
inline constexpr CommandId kFixBands{32782};
inline constexpr CommandId kOpenFile{57601};
inline constexpr CommandId kExit{57665};
inline constexpr CommandId kAbout{57664};
}  // namespace command

}  // namespace tolvane
