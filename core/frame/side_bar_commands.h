#pragma once

#include <string>

#include "core/commands/command_handler.h"

namespace tolvane {

class SettingsStore;

// What the side bar commands change in the window.
class SideBarView {
 public:
  virtual ~SideBarView() = default;
  // Shows or hides the whole side bar.
  virtual void ShowSideBar(bool show) = 0;
  // Shows page `page` (tab, tree and title band) and puts the focus into
  // its tree.
  virtual void ShowSideBarPage(int page) = 0;
};

// The side bar's pages and visibility, and the five commands that pick a
// page: 32785 検索, 32941 タブ, 32786 お気に入り, 32787 キーワード, 32809 履歴
// (pages 0 to 4, in tab order). A page command shows the bar on that page;
// given while the bar already shows that page, it hides the bar instead.
//
// `SideBar` settings: Width (200), Show (1), ActiveTab (1, the tab tree);
// read by Restore, written by Save at exit.
class SideBarCommands : public CommandRows<SideBarCommands> {
 public:
  static constexpr int kPageCount = 5;
  static constexpr int kSearchPage = 0;
  static constexpr int kTabPage = 1;

  explicit SideBarCommands(SideBarView& view);

  // Reads the settings and shows the bar as they say. Page numbers out of
  // range read as the tab page.
  void Restore(const SettingsStore& settings);
  void Save(SettingsStore& settings) const;

  // show-page: the page the user picked by its tab, or a command's.
  void ShowPage(int page);
  // The bar was shown or hidden by other means (the splitter, a drag).
  void SetVisible(bool visible) { visible_ = visible; }
  void set_width(int width) { width_ = width; }

  int page() const { return page_; }
  bool visible() const { return visible_; }
  int width() const { return width_; }

  // The title band's text of a page: strings 144, 143, 145, 146, 147.
  static std::string PageName(int page);
  static CommandId PageCommand(int page);

  // "shown page 2 お気に入り width 200" or "hidden page 1 タブ width 200".
  std::string Describe() const;

 private:
  void RunPageCommand(const CommandContext& context);
  bool IsPageShown(const CommandContext& context) const;

  SideBarView& view_;
  int page_ = kTabPage;
  bool visible_ = true;
  int width_ = 200;

 public:
  static constexpr Row kRows[] = {
      {command::kShowSearchTree, &SideBarCommands::RunPageCommand, nullptr,
       &SideBarCommands::IsPageShown},
      {command::kShowTabTree, &SideBarCommands::RunPageCommand, nullptr,
       &SideBarCommands::IsPageShown},
      {command::kShowFavoritesTree, &SideBarCommands::RunPageCommand, nullptr,
       &SideBarCommands::IsPageShown},
      {command::kShowKeywordTree, &SideBarCommands::RunPageCommand, nullptr,
       &SideBarCommands::IsPageShown},
      {command::kShowHistoryTree, &SideBarCommands::RunPageCommand, nullptr,
       &SideBarCommands::IsPageShown},
  };
};

}  // namespace tolvane
