#include "core/frame/side_bar_commands.h"

#include "core/files/setting_keys.h"
#include "core/files/settings_store.h"
#include "core/files/string_table.h"

namespace tolvane {
namespace {

constexpr CommandId kPageCommands[SideBarCommands::kPageCount] = {
    command::kShowSearchTree, command::kShowTabTree, command::kShowFavoritesTree,
    command::kShowKeywordTree, command::kShowHistoryTree};
constexpr int kPageNames[SideBarCommands::kPageCount] = {144, 143, 145, 146, 147};

int PageOf(CommandId id) {
  for (int page = 0; page < SideBarCommands::kPageCount; ++page) {
    if (kPageCommands[page] == id) return page;
  }
  return -1;
}

}  // namespace

SideBarCommands::SideBarCommands(SideBarView& view) : CommandRows(kRows), view_(view) {}

void SideBarCommands::Restore(const SettingsStore& settings) {
  width_ = Read(settings, settings::kSideBarWidth);
  visible_ = Read(settings, settings::kSideBarShow) != 0;
  const int page = Read(settings, settings::kSideBarActiveTab);
  page_ = page >= 0 && page < kPageCount ? page : kTabPage;
  view_.ShowSideBarPage(page_);
  view_.ShowSideBar(visible_);
}

void SideBarCommands::Save(SettingsStore& settings) const {
  Write(settings, settings::kSideBarShow, visible_ ? 1 : 0);
  Write(settings, settings::kSideBarWidth, width_);
  Write(settings, settings::kSideBarActiveTab, page_);
}

void SideBarCommands::ShowPage(int page) {
  if (page < 0 || page >= kPageCount) return;
  page_ = page;
  view_.ShowSideBarPage(page);
}

void SideBarCommands::RunPageCommand(const CommandContext& context) {
  const int page = PageOf(context.command);
  if (visible_ && page == page_) {
    visible_ = false;
    view_.ShowSideBar(false);
    return;
  }
  if (!visible_) {
    visible_ = true;
    view_.ShowSideBar(true);
  }
  ShowPage(page);
}

bool SideBarCommands::IsPageShown(const CommandContext& context) const {
  return visible_ && PageOf(context.command) == page_;
}

std::string SideBarCommands::PageName(int page) {
  return page >= 0 && page < kPageCount ? LoadString(kPageNames[page]) : std::string();
}

CommandId SideBarCommands::PageCommand(int page) {
  return page >= 0 && page < kPageCount ? kPageCommands[page] : CommandId();
}

std::string SideBarCommands::Describe() const {
  return std::string(visible_ ? "shown" : "hidden") + " page " + std::to_string(page_) + ' ' +
         PageName(page_) + " width " + std::to_string(width_);
}

}  // namespace tolvane
