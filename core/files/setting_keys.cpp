#include "core/files/setting_keys.h"

#include <algorithm>
#include <array>

namespace tolvane {

int Read(const SettingsStore& store, const IntSetting& setting) {
  return std::clamp(store.GetInt(setting.section, setting.key, setting.default_value),
                    setting.min_value, setting.max_value);
}

int Read(const SettingsSection& section, const IntSetting& setting) {
  return std::clamp(section.GetInt(setting.key, setting.default_value), setting.min_value,
                    setting.max_value);
}

std::string Read(const SettingsStore& store, const TextSetting& setting) {
  return store.GetString(setting.section, setting.key, setting.default_value);
}

bool Write(SettingsStore& store, const IntSetting& setting, int value) {
  return store.WriteInt(setting.section, setting.key, value);
}

bool Write(SettingsStore& store, const TextSetting& setting, std::string_view value) {
  return store.WriteString(setting.section, setting.key, value);
}

namespace settings {
namespace {

constexpr std::array kIntSettings{
    &kMainStartMode,
    &kMainStartTab,
    &kMainCloseMode,
    &kMainSavePageTab,
    &kMainSavePageTabAtStartup,
    &kMainLastActiveTab,
    &kFavoriteMaxData,
    &kFavoriteTreeOpen,
    &kFavoriteTagFolder,
    &kFavoriteShowFavicon,
    &kFavoriteNewPage,
    &kFavoriteShowProperties,
    &kKeywordMaxData,
    &kKeywordTreeOpen,
    &kKeywordTagFolder,
    &kHistoryMaxData,
    &kHistoryTreeOpen,
    &kHistoryTagFolder,
    &kHistoryShowFavicon,
    &kHistoryNewPage,
    &kPageClipMaxData,
    &kPageClipAction,
    &kPageClipFocus,
    &kPageClipLink,
    &kPageClipUrl,
    &kLinkMode,
    &kSecurityPopupBlock,
    &kLoadingMode,
    &kLoadingMaxLoading,
    &kLoadingActiveCateOnly,
    &kLoadingTimeout,
    &kFindTreeTreeOpen,
    &kFindTreeShowFavicon,
    &kFindTreeHotKey,
    &kFindTreeNewPage,
    &kFindTreeAddressBarFind,
    &kFindTreeAddressBarFindEngine,
    &kFindTreeAddressBarFindEngineForSearch,
    &kFindBarFindOption1,
    &kFindBarFindOption2,
    &kFindBarFindOption3,
    &kFindBarFindOption4,
    &kFindBarFindOption5,
    &kFindBarFindOption6,
    &kFindBarShowNoText,
    &kFindBarKeywordWidth,
    &kCategoryTabMinimumSize,
    &kCategoryTabShowFavicon,
    &kPageTabMaximumSize,
    &kPageTabMinimumSize,
    &kPageTabShowFavicon,
    &kTabTreeTreeOpen,
    &kTabTreeShowFavicon,
    &kTabTreeShowPageTab,
    &kTabTreeCTabShowProperties,
    &kMultiOpenOpenMode,
    &kMultiOpenMaxOpen,
    &kMultiOpenShowConfirm,
    &kMouseGestureEnable,
    &kMouseGestureDistance,
    &kMouseGestureDistance2,
    &kToolBarShowText,
    &kToolBarIconSize,
    &kToolBarFixToolBar,
    &kUpdateEngineList,
    &kMainWindowX,
    &kMainWindowY,
    &kMainWindowCx,
    &kMainWindowCy,
    &kStatusBarShow,
    &kSideBarShow,
    &kSideBarWidth,
    &kSideBarActiveTab,
    &kToolBarSummaryNumToolBars,
    &kMruMaxNumItems,
    &kMruNumItems,
    &kAddressListMaxNumItems,
    &kAddressListNumItems,
};

constexpr std::array kTextSettings{
    &kMainStartPage,        &kMainLastActivePage,
    &kFindBarButtonIDs,     &kFindBarButtonIDsOnOptionPage,
    &kFavoriteBarButtonIDs, &kHistoryBarButtonIDs,
    &kKeywordBarButtonIDs,  &kMouseGestureCustom,
    &kShortCutCustom,       &kToolBarIcons,
    &kUpdateLastUpdate,     &kTagTags,
};

}  // namespace

std::string ToolBarInfoSection(int index) { return NumberedKey("ToolBarInfo", index); }

std::string NumberedKey(std::string_view prefix, int number) {
  std::string key(prefix);
  key += std::to_string(number);
  return key;
}

std::span<const IntSetting* const> AllIntSettings() { return kIntSettings; }
std::span<const TextSetting* const> AllTextSettings() { return kTextSettings; }

}  // namespace settings
}  // namespace tolvane
