#pragma once

#include <climits>
#include <span>
#include <string>
#include <string_view>

#include "core/files/settings_section.h"
#include "core/files/settings_store.h"

namespace tolvane {

// One integer key of vq_system.ini with the default its readers use. A
// count the program loops over or keeps that many of has bounds: Read gives
// the stored value clamped into them, so a hand-edited 2147483647 costs no
// more than the largest count the program can show.
struct IntSetting {
  std::string_view section;
  std::string_view key;
  int default_value;
  int min_value = INT_MIN;
  int max_value = INT_MAX;
};

// One text key; the default is Shift_JIS like every stored text.
struct TextSetting {
  std::string_view section;
  std::string_view key;
  std::string_view default_value;
};

int Read(const SettingsStore& store, const IntSetting& setting);
std::string Read(const SettingsStore& store, const TextSetting& setting);
// A setting of `section`, read from it without looking at the file again.
int Read(const SettingsSection& section, const IntSetting& setting);
bool Write(SettingsStore& store, const IntSetting& setting, int value);
bool Write(SettingsStore& store, const TextSetting& setting, std::string_view value);

// Every key of the settings file. Names are the section without "Option"
// followed by the key. Flags are 0/1; list choices store the position in the
// option page's list unless said otherwise.
namespace settings {

// The program's own start page, used when no other page is asked for.
inline constexpr std::string_view kPortalUrl = "about:blank";

// OptionMain: start and exit.
// StartMode: 0 no page, 1 kPortalUrl, 2 StartPage, 3 the pages open at exit,
// 4 the tab record StartTab.
inline constexpr IntSetting kMainStartMode{"OptionMain", "StartMode", 1};
inline constexpr TextSetting kMainStartPage{"OptionMain", "StartPage", kPortalUrl};
inline constexpr IntSetting kMainStartTab{"OptionMain", "StartTab", -1};
inline constexpr IntSetting kMainCloseMode{"OptionMain", "CloseMode", 1};
// The option page, the exit dialog and the clip writer read SavePageTab with
// default 1; the start-up tab selection reads it with default 0, so that a
// first run never tries to restore pages.
inline constexpr IntSetting kMainSavePageTab{"OptionMain", "SavePageTab", 1};
inline constexpr IntSetting kMainSavePageTabAtStartup{"OptionMain", "SavePageTab", 0};
inline constexpr IntSetting kMainLastActiveTab{"OptionMain", "LastActiveTab", -1};
inline constexpr TextSetting kMainLastActivePage{"OptionMain", "LastActivePage", kPortalUrl};

// OptionFavorite, OptionKeyword, OptionHistory: the item stores.
// MaxData: the item limit, bounded as the option page accepts it.
inline constexpr IntSetting kFavoriteMaxData{"OptionFavorite", "MaxData", 10000, 0, 99999};
inline constexpr IntSetting kFavoriteTreeOpen{"OptionFavorite", "TreeOpen", 1};
inline constexpr IntSetting kFavoriteTagFolder{"OptionFavorite", "TagFolder", 5};
inline constexpr IntSetting kFavoriteShowFavicon{"OptionFavorite", "ShowFavicon", 1};
inline constexpr IntSetting kFavoriteNewPage{"OptionFavorite", "NewPage", 0};
inline constexpr IntSetting kFavoriteShowProperties{"OptionFavorite", "ShowProperties", 1};
inline constexpr IntSetting kKeywordMaxData{"OptionKeyword", "MaxData", 1000, 0, 9999};
inline constexpr IntSetting kKeywordTreeOpen{"OptionKeyword", "TreeOpen", 1};
inline constexpr IntSetting kKeywordTagFolder{"OptionKeyword", "TagFolder", 5};
inline constexpr IntSetting kHistoryMaxData{"OptionHistory", "MaxData", 1000, 0, 99999};
inline constexpr IntSetting kHistoryTreeOpen{"OptionHistory", "TreeOpen", 1};
inline constexpr IntSetting kHistoryTagFolder{"OptionHistory", "TagFolder", 5};
inline constexpr IntSetting kHistoryShowFavicon{"OptionHistory", "ShowFavicon", 1};
inline constexpr IntSetting kHistoryNewPage{"OptionHistory", "NewPage", 0};

// OptionPageClip. Link: 0 always a new tab, 1 always the same tab, 2 follow
// the link's target.
inline constexpr IntSetting kPageClipMaxData{"OptionPageClip", "MaxData", 1000, 0, 99999};
inline constexpr IntSetting kPageClipAction{"OptionPageClip", "Action", 1};
inline constexpr IntSetting kPageClipFocus{"OptionPageClip", "Focus", 0};
inline constexpr IntSetting kPageClipLink{"OptionPageClip", "Link", 0};
inline constexpr IntSetting kPageClipUrl{"OptionPageClip", "URL", 0};

// OptionLink/Link: same values as kPageClipLink (not a list position).
inline constexpr IntSetting kLinkMode{"OptionLink", "Link", 2};
inline constexpr IntSetting kSecurityPopupBlock{"OptionSecurity", "PopupBlock", 1};

// OptionLoading: read at start-up only.
inline constexpr IntSetting kLoadingMode{"OptionLoading", "LoadingMode", 1};
// MaxLoading: pages loading at once; at least one, or nothing ever loads.
inline constexpr IntSetting kLoadingMaxLoading{"OptionLoading", "MaxLoading", 10, 1, 99};
inline constexpr IntSetting kLoadingActiveCateOnly{"OptionLoading", "ActiveCateOnly", 1};
inline constexpr IntSetting kLoadingTimeout{"OptionLoading", "LoadingTimeout", 60};  // seconds

// OptionFindTree: the search tree and the address-bar search.
inline constexpr IntSetting kFindTreeTreeOpen{"OptionFindTree", "TreeOpen", 0};
inline constexpr IntSetting kFindTreeShowFavicon{"OptionFindTree", "ShowFavicon", 1};
inline constexpr IntSetting kFindTreeHotKey{"OptionFindTree", "HotKey", 0};
inline constexpr IntSetting kFindTreeNewPage{"OptionFindTree", "NewPage", 0};
inline constexpr IntSetting kFindTreeAddressBarFind{"OptionFindTree", "AddressBarFind", 0};
// The option page offers engine 1010001 when nothing is stored; the
// address-bar search itself reads 0 (no engine) then.
inline constexpr IntSetting kFindTreeAddressBarFindEngine{"OptionFindTree", "AddressBarFindEngine",
                                                          1010001};
inline constexpr IntSetting kFindTreeAddressBarFindEngineForSearch{"OptionFindTree",
                                                                   "AddressBarFindEngine", 0};

// OptionFindBar: the search bar.
inline constexpr IntSetting kFindBarFindOption1{"OptionFindBar", "FindOption1", 1};
inline constexpr IntSetting kFindBarFindOption2{"OptionFindBar", "FindOption2", 1};
inline constexpr IntSetting kFindBarFindOption3{"OptionFindBar", "FindOption3", 0};
inline constexpr IntSetting kFindBarFindOption4{"OptionFindBar", "FindOption4", 1};
inline constexpr IntSetting kFindBarFindOption5{"OptionFindBar", "FindOption5", 0};
inline constexpr IntSetting kFindBarFindOption6{"OptionFindBar", "FindOption6", 0};
// The search bar builds its buttons from "-1" when nothing is stored; the
// option page shows an empty list then.
inline constexpr TextSetting kFindBarButtonIDs{"OptionFindBar", "ButtonIDs", "-1"};
inline constexpr TextSetting kFindBarButtonIDsOnOptionPage{"OptionFindBar", "ButtonIDs", ""};
inline constexpr IntSetting kFindBarShowNoText{"OptionFindBar", "ShowNoText", 0};
inline constexpr IntSetting kFindBarKeywordWidth{"OptionFindBar", "KeywordWidth", 250};

// Buttons of the item bars: "F<folder id>" and "E<item id>" joined by ",".
inline constexpr TextSetting kFavoriteBarButtonIDs{"OptionFavoriteBar", "ButtonIDs", ""};
inline constexpr TextSetting kHistoryBarButtonIDs{"OptionHistoryBar", "ButtonIDs", ""};
inline constexpr TextSetting kKeywordBarButtonIDs{"OptionKeywordBar", "ButtonIDs", ""};

// Tabs (sizes in pixels).
inline constexpr IntSetting kCategoryTabMinimumSize{"OptionCategoryTab", "MinimumSize", 30};
inline constexpr IntSetting kCategoryTabShowFavicon{"OptionCategoryTab", "ShowFavicon", 1};
inline constexpr IntSetting kPageTabMaximumSize{"OptionPageTab", "MaximumSize", 250};
inline constexpr IntSetting kPageTabMinimumSize{"OptionPageTab", "MinimumSize", 50};
inline constexpr IntSetting kPageTabShowFavicon{"OptionPageTab", "ShowFavicon", 1};
inline constexpr IntSetting kTabTreeTreeOpen{"OptionTabTree", "TreeOpen", 0};
inline constexpr IntSetting kTabTreeShowFavicon{"OptionTabTree", "ShowFavicon", 1};
inline constexpr IntSetting kTabTreeShowPageTab{"OptionTabTree", "ShowPageTab", 1};
inline constexpr IntSetting kTabTreeCTabShowProperties{"OptionTabTree", "CTabShowProperties", 0};

inline constexpr IntSetting kMultiOpenOpenMode{"OptionMultiOpen", "OpenMode", 1};
inline constexpr IntSetting kMultiOpenMaxOpen{"OptionMultiOpen", "MaxOpen", 20, 0, 99};
inline constexpr IntSetting kMultiOpenShowConfirm{"OptionMultiOpen", "ShowConfirm", 1};

// Gestures and shortcuts. The key is spelt "Custon" in the file.
inline constexpr IntSetting kMouseGestureEnable{"OptionMouseGesture", "Enable", 1};
inline constexpr IntSetting kMouseGestureDistance{"OptionMouseGesture", "Distance", 10};
inline constexpr IntSetting kMouseGestureDistance2{"OptionMouseGesture", "Distance2", 500};
inline constexpr TextSetting kMouseGestureCustom{"OptionMouseGesture", "Custon", ""};
inline constexpr TextSetting kShortCutCustom{"OptionShortCut", "Custon", ""};

// OptionToolBar: button order ("-1" a separator) and look.
inline constexpr TextSetting kToolBarIcons{"OptionToolBar", "Icons", "0,1,2,3,4,-1,5,13,6"};
inline constexpr IntSetting kToolBarShowText{"OptionToolBar", "ShowText", 1};
inline constexpr IntSetting kToolBarIconSize{"OptionToolBar", "IconSize", 0};
inline constexpr IntSetting kToolBarFixToolBar{"OptionToolBar", "FixToolBar", 0};

// OptionUpdate: read at start-up only.
inline constexpr IntSetting kUpdateEngineList{"OptionUpdate", "EngineList", 1};
inline constexpr TextSetting kUpdateLastUpdate{"OptionUpdate", "LastUpdate", "2000/1/1"};

// Window layout. No placement is stored while cx is 0.
inline constexpr IntSetting kMainWindowX{"MainWindow", "x", 0};
inline constexpr IntSetting kMainWindowY{"MainWindow", "y", 0};
inline constexpr IntSetting kMainWindowCx{"MainWindow", "cx", 0};
inline constexpr IntSetting kMainWindowCy{"MainWindow", "cy", 0};
inline constexpr IntSetting kStatusBarShow{"StatusBar", "Show", 1};
inline constexpr IntSetting kSideBarShow{"SideBar", "Show", 1};
inline constexpr IntSetting kSideBarWidth{"SideBar", "Width", 200};
inline constexpr IntSetting kSideBarActiveTab{"SideBar", "ActiveTab", 1};
// At most BandLayout::kMaxStoredBands sections are read.
inline constexpr IntSetting kToolBarSummaryNumToolBars{"ToolBarSummary", "NumToolBars", 0, 0, 16};
// One section per bar, "ToolBarInfo<n>" (see ToolBarInfoSection), with
// these integer keys, 0 when missing.
inline constexpr std::string_view kToolBarInfoIdKey = "ID";
inline constexpr std::string_view kToolBarInfoCxKey = "cx";
inline constexpr std::string_view kToolBarInfoStyleKey = "Style";

// The recent-page and address lists; each is rewritten as a whole section.
// MaxNumItems is only read, never written.
inline constexpr std::string_view kMruSection = "MRU";
inline constexpr std::string_view kAddressListSection = "AddressList";
// The recent pages fill the menus 34300-34399 and 34901-34999: at most 99
// entries. The address list keeps at most 100.
inline constexpr IntSetting kMruMaxNumItems{"MRU", "MaxNumItems", 30, 0, 99};
inline constexpr IntSetting kMruNumItems{"MRU", "NumItems", 0, 0, 99};
inline constexpr IntSetting kAddressListMaxNumItems{"AddressList", "MaxNumItems", 100, 0, 100};
inline constexpr IntSetting kAddressListNumItems{"AddressList", "NumItems", 0, 0, 100};
// Entry keys "URL<n>" and (MRU only) "Title<n>", see NumberedKey.
inline constexpr std::string_view kUrlKeyPrefix = "URL";
inline constexpr std::string_view kTitleKeyPrefix = "Title";

// Tag names offered by the tag dialogs, separated by spaces.
inline constexpr TextSetting kTagTags{"Tag", "Tags", ""};

// "ToolBarInfo<index>".
std::string ToolBarInfoSection(int index);
// `prefix` followed by the decimal number, e.g. "URL3".
std::string NumberedKey(std::string_view prefix, int number);

// Every setting above, for checks that walk the whole table. Keys read with
// two defaults appear once per default.
std::span<const IntSetting* const> AllIntSettings();
std::span<const TextSetting* const> AllTextSettings();

}  // namespace settings
}  // namespace tolvane
