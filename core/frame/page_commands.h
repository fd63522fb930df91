#pragma once

#include "core/browser/browser_control.h"
#include "core/commands/command_handler.h"
#include "core/frame/page_context_menu.h"

namespace tolvane {

class EngineList;
class PageHost;
class SettingsStore;
class TabArea;

// What the page commands need of the window besides the pages.
class PageCommandWindow {
 public:
  virtual ~PageCommandWindow() = default;
  // When one of the window's own one-line fields (address bar, keyword box)
  // has the keyboard focus, runs the edit command there and returns true;
  // otherwise the command goes to the page.
  virtual bool EditFocusedField(EditCommand command) = 0;
  // Whether one of those fields has the keyboard focus: the edit commands
  // then work there even while no page is shown.
  virtual bool FieldHasFocus() const = 0;
  // A command changed the shown page's zoom (the zoom pane shows it).
  virtual void ZoomChanged() = 0;
  // The page's own keys for its focused link, whatever keys the user bound
  // the commands to: Enter (follow it) and Shift+F10 (its context menu).
  virtual void FollowFocusedLink() = 0;
  virtual void ShowFocusedLinkMenu() = 0;
};

// The commands of the shown page that the engine carries out: text size,
// zoom, edit, encoding, scrolling, the source in a page tab and the pop-up
// commands. Each is disabled while no page is shown or the page has no
// engine yet; zoom and text size also while the engine cannot tell them.
class PageCommands : public CommandRows<PageCommands> {
 public:
  PageCommands(TabArea& area, SettingsStore& settings, PageCommandWindow& window);

  // The page the commands act on (the shown one), or null.
  PageHost* ActivePage() const;
  // Opens `url` (Shift_JIS) in a page tab right of the shown page of the
  // current category tab, and shows it. False when no category tab is open.
  bool OpenInNewPageTab(const std::string& url);

 private:
  using Self = PageCommands;

  BrowserControl* Control() const;
  bool HasControl(const CommandContext&) const;
  bool HasPage(const CommandContext&) const;
  bool CanEdit(const CommandContext&) const;

  void SetTextSize(const CommandContext& context);
  bool KnowsTextSize(const CommandContext&) const;
  bool IsTextSize(const CommandContext& context) const;
  void SetZoom(const CommandContext& context);
  bool CanZoom(const CommandContext& context) const;
  bool IsZoomPreset(const CommandContext& context) const;
  void Edit(const CommandContext& context);
  void SetEncoding(const CommandContext& context);
  bool IsEncoding(const CommandContext& context) const;
  void Scroll(const CommandContext& context);
  void ViewSource(const CommandContext& context);
  bool HasAddress(const CommandContext&) const;
  void ShowBlockedPopups(const CommandContext&);
  bool HasBlockedPopups(const CommandContext&) const;
  void AllowPopupsHere(const CommandContext&);
  bool CanAllowPopupsHere(const CommandContext&) const;
  bool PopupsAllowedHere(const CommandContext&) const;
  void TogglePopupBlock(const CommandContext&);
  bool PopupBlockOn(const CommandContext&) const;
  bool PopupBlockOff(const CommandContext&) const;
  void FollowLink(const CommandContext&);
  void LinkMenu(const CommandContext&);
  bool PageHasFocus(const CommandContext& context) const;

  static constexpr Row kRows[] = {
      {command::kTextSizeSmallest, command::kTextSizeLargest, &Self::SetTextSize,
       &Self::KnowsTextSize, &Self::IsTextSize},
      {command::kZoomIn, &Self::SetZoom, &Self::CanZoom},
      {command::kZoomOut, &Self::SetZoom, &Self::CanZoom},
      {command::kZoomCycle, &Self::SetZoom, &Self::CanZoom},
      {command::kZoomPresetFirst, command::kZoomPresetLast, &Self::SetZoom, &Self::CanZoom,
       &Self::IsZoomPreset},
      {command::kCut, &Self::Edit, &Self::CanEdit},
      {command::kCopy, &Self::Edit, &Self::CanEdit},
      {command::kPaste, &Self::Edit, &Self::CanEdit},
      {command::kDelete, &Self::Edit, &Self::CanEdit},
      {command::kSelectAll, &Self::Edit, &Self::CanEdit},
      {command::kUndo, &Self::Edit, &Self::CanEdit},
      {command::kEncodingFirst, command::kEncodingLast, &Self::SetEncoding, &Self::HasControl,
       &Self::IsEncoding},
      {command::kScrollTopAlt, command::kScrollBottomAlt, &Self::Scroll, &Self::HasControl},
      {command::kScrollUp, command::kScrollBottom, &Self::Scroll, &Self::HasControl},
      {command::kViewSource, &Self::ViewSource, &Self::HasAddress},
      {command::kShowBlockedPopups, &Self::ShowBlockedPopups, &Self::HasBlockedPopups},
      {command::kAllowPopupsHere, &Self::AllowPopupsHere, &Self::CanAllowPopupsHere,
       &Self::PopupsAllowedHere},
      {command::kUsePopupBlock, &Self::TogglePopupBlock, nullptr, &Self::PopupBlockOn},
      {command::kDisablePopupBlock, &Self::TogglePopupBlock, nullptr, &Self::PopupBlockOff},
      {command::kFollowLink, &Self::FollowLink, &Self::PageHasFocus},
      {command::kLinkMenu, &Self::LinkMenu, &Self::PageHasFocus},
  };

  TabArea& area_;
  SettingsStore& settings_;
  PageCommandWindow& window_;
};

// What the page's context menu depends on, for the shown category tab of
// `area` (its record a row of `tabs`): its caption, and whether it searches
// (a SearchUrl or PostData of its own).
PageContextState PageContextStateOf(const TabArea& area, const EngineList& tabs,
                                    bool text_field_focused, std::string selection);

// The address that shows the source of `url` ("view-source:" before it).
std::string ViewSourceUrl(const std::string& url);

}  // namespace tolvane
