#include "core/app/window_core.h"

#include <initializer_list>
#include <utility>

#include "core/app/tolvane_doc.h"
#include "core/files/timer.h"
#include "core/frame/address_bar_commands.h"
#include "core/frame/frame_commands.h"
#include "core/frame/list_shortcut_owners.h"
#include "core/frame/page_commands.h"
#include "core/frame/page_history_commands.h"
#include "core/frame/search_tree_commands.h"
#include "core/frame/search_tree_sync.h"
#include "core/frame/side_bar_commands.h"
#include "core/search/keyword_text.h"
#include "core/stores/category_folder_tree.h"
#include "core/stores/engine_list.h"
#include "core/tabs/category_tab.h"
#include "core/tabs/search_entry_commands.h"
#include "core/tabs/tab_area.h"
#include "core/tabs/tab_commands.h"
#include "core/tabs/tab_workspace.h"

namespace tolvane {
namespace {

using Kind = WindowCore::Unhandled::Kind;

constexpr WindowCore::Unhandled kUnhandled[] = {
    // The focus ring of the window's own widgets.
    {command::kTabKey, Kind::kFocusedWidget, "Tab"},
    {command::kShiftTabKey, Kind::kFocusedWidget, "Shift+Tab"},
    {command::kPrint, Kind::kWindow, "print dialog"},
    {command::kSavePage, Kind::kWindow, "save dialog"},
    {command::kKeywordBox, Kind::kWindow, "search bar"},
    {command::kEngineButton, Kind::kWindow, "search bar"},
    {command::kFindNext, Kind::kPending, "find in page"},
    {command::kFindPrevious, Kind::kPending, "find in page"},
    {command::kHighlight, Kind::kPending, "find in page"},
    {command::kFindForm, Kind::kPending, "find in page"},
    {command::kReopenClosedPageTab, Kind::kPending, "tab history"},
    {command::kTabHistoryBack, Kind::kPending, "tab history"},
    {command::kTabHistoryForward, Kind::kPending, "tab history"},
    {command::kBatchCategorySearch, Kind::kPending, "batch category search"},
    {command::kHelp, Kind::kPending, "online help"},
};

}  // namespace

WindowCore::WindowCore(CTolvaneDoc& doc, const Platform& platform, FrameWindow& frame,
                       PageCommandWindow& page)
    : doc_(doc),
      platform_(platform),
      frame_(frame),
      page_window_(page),
      address_list_(AddressList::Read(doc.settings())),
      search_tree_(doc.engine_folders(), doc.engines(), doc.settings()),
      save_timer_(platform.timers.CreateTimer()) {
  search_tree_.Build();
  shortcut_owners_ = std::make_unique<ListShortcutOwners>(
      doc_.engine_folders(), doc_.engines(), doc_.tab_folders(), doc_.tabs(), router_,
      [this] { return ContextNow(CommandId(), CommandSource::kMenu); });
  frame_commands_ = std::make_unique<FrameCommands>(frame_, doc_.settings());
  history_commands_ = std::make_unique<PageHistoryCommands>([this]() -> PageHost* {
    return workspace_ != nullptr ? workspace_->area().ActiveHost() : nullptr;
  });
  router_.Add(*frame_commands_);
  router_.Add(*history_commands_);
}

WindowCore::~WindowCore() = default;

void WindowCore::AttachAddressBar(AddressBarView& view) {
  address_commands_ = std::make_unique<AddressBarCommands>(
      view, address_list_,
      [this]() -> TabArea* { return workspace_ != nullptr ? &workspace_->area() : nullptr; });
  router_.Add(*address_commands_);
}

void WindowCore::AttachSideBar(SideBarView& side_bar, SearchTreeView& search_tree) {
  side_bar_commands_ = std::make_unique<SideBarCommands>(side_bar);
  router_.Add(*side_bar_commands_);
  side_bar_commands_->Restore(doc_.settings());
  search_tree_view_ = &search_tree;
  search_tree_sync_ = std::make_unique<SearchTreeSync>(doc_.engines(), doc_.engine_folders(),
                                                       search_tree_, search_tree);
}

EngineDialog WindowCore::SiteSearchDialog(const EngineDialogValues& values, int tree_item) const {
  EngineCreationPlace place;
  int preferred = -1;
  if (tree_item >= 0 && tree_item < search_tree_.size()) {
    const SearchTreeItem& item = search_tree_.item(tree_item);
    if (item.kind == SearchTreeItem::Kind::kEngine) place.selected_engine = item.record;
    preferred = search_tree_.FolderIdOf(tree_item);
  }
  if (!CategoryFolderTree::IsUserId(preferred)) preferred = CurrentTabCategory();
  EngineDialog dialog = EngineDialog::ForNewEngine(doc_.engines(), place, values);
  dialog.OfferUserCategories(doc_.engine_folders(), preferred);
  return dialog;
}

int WindowCore::CurrentTabCategory() const {
  if (workspace_ == nullptr) return -1;
  const TabArea& area = workspace_->area();
  if (area.current_category() < 0) return -1;
  const auto row = static_cast<std::size_t>(area.category(area.current_category()).record());
  const EngineList& tabs = doc_.tabs();
  return row < tabs.size() && !tabs.deleted(row) ? tabs.ReferencedFolder(row) : -1;
}

void WindowCore::Start(const StartParams& params) {
  workspace_ = std::make_unique<TabWorkspace>(
      TabWorkspace::Services{doc_.workspace_stores(), platform_.timers, platform_.prompter,
                             doc_.clock(), params.controls, platform_.probe, params.boxes,
                             platform_.clipboard},
      params.view);
  if (params.observer != nullptr) workspace_->area().AddObserver(*params.observer);
  tab_commands_ = std::make_unique<TabCommands>(*workspace_);
  tab_commands_->AddTo(router_);
  page_commands_ =
      std::make_unique<PageCommands>(workspace_->area(), doc_.settings(), page_window_);
  router_.Add(*page_commands_);
  search_commands_ = std::make_unique<SearchEntryCommands>(
      *workspace_, params.boxes,
      SearchEntryCommands::Stores{doc_.settings(), doc_.engine_folders(), doc_.engines(),
                                  doc_.tab_folders(), doc_.tabs()});
  router_.Add(*search_commands_);
  if (search_tree_view_ != nullptr) {
    search_tree_commands_ = std::make_unique<SearchTreeCommands>(
        SearchTreeCommands::Lists{doc_.engines(), doc_.engine_folders(), doc_.tabs(),
                                  doc_.tab_folders()},
        search_tree_, *workspace_, *search_tree_view_);
    router_.Add(*search_tree_commands_);
  }
  shortcut_owners_->set_workspace(workspace_.get());
  workspace_->RestoreTabs(params.has_argument, params.start_url, params.clip_list_url);
  // A save before the first tabs are open would write a tab list and clips
  // that are still being set up.
  if (save_timer_ != nullptr) save_timer_->Start(kSaveIntervalMs, true, [this] { SaveNow(); });
}

void WindowCore::Finish() {
  if (save_timer_ != nullptr) save_timer_->Stop();
  shortcut_owners_->set_workspace(nullptr);
  for (CommandHandler* handler : std::initializer_list<CommandHandler*>{
           page_commands_.get(), search_commands_.get(), search_tree_commands_.get()}) {
    if (handler != nullptr) router_.Remove(*handler);
  }
  if (tab_commands_ != nullptr) tab_commands_->RemoveFrom(router_);
  search_tree_commands_.reset();
  search_commands_.reset();
  page_commands_.reset();
  tab_commands_.reset();
  workspace_.reset();
}

CommandContext WindowCore::ContextFor(CommandId id, CommandSource source,
                                      const InputState& input) const {
  CommandContext context;
  context.source = source;
  context.modifiers = input.keys;
  context.focus = input.focus;
  context.address_bar_text = input.address_bar_text;
  context.tabs_focused =
      input.focus == InputFocus::kTabTree || input.focus == InputFocus::kCategoryRow;

  const Keyword search_bar = NormaliseKeywordBoxText(input.search_bar_text);
  const Keyword side_bar = NormaliseKeywordBoxText(input.side_bar_text);
  const Keyword selection = Keyword::FromUtf8(input.selection);
  const SearchBarButtons::Button* button =
      search_commands_ != nullptr ? search_commands_->buttons().Find(id) : nullptr;
  const bool engine = id == command::kEngineCommand ||
                      (button != nullptr && button->token.kind == SearchBarButtons::Kind::kEngine);
  if (source == CommandSource::kSideBar) {
    // The side bar's box, but a new tab searches what the search bar holds.
    context.keyword = id == command::kSearchEngineInNewTab ? search_bar : side_bar;
  } else if (source == CommandSource::kSearchBar &&
             (id == command::kSearchSelection || id == command::kBatchSearchSelection)) {
    context.keyword = selection;
  } else if (source == CommandSource::kSearchBar && engine) {
    // An engine searches the side bar's keyword, after the box or the page
    // that had the focus gave it theirs.
    if (input.focus == InputFocus::kKeywordBox) {
      context.keyword = search_bar;
    } else if (input.focus == InputFocus::kPage) {
      context.keyword = selection;
    } else {
      context.keyword = side_bar;
    }
  } else {
    // The page's selection while the page had the focus, else the search
    // bar's box.
    context.keyword =
        input.focus == InputFocus::kPage && !input.selection.empty() ? selection : search_bar;
  }
  if (id >= command::kTabGroupTabFirst && id <= command::kTabGroupTabLast &&
      workspace_ != nullptr) {
    context.tree_item = workspace_->tree().FindGroup(input.group_choice);
  }
  return context;
}

CommandContext WindowCore::ContextNow(CommandId id, CommandSource source) const {
  return ContextFor(id, source, read_input_ ? read_input_() : InputState());
}

bool WindowCore::Run(CommandId id, CommandSource source) {
  return router_.Run(id, ContextNow(id, source));
}

std::span<const WindowCore::Unhandled> WindowCore::UnhandledCommands() { return kUnhandled; }

void WindowCore::PausePeriodicSave() {
  save_paused_active_ = save_timer_ != nullptr && save_timer_->active();
  if (save_timer_ != nullptr) save_timer_->Stop();
}

void WindowCore::ResumePeriodicSave() {
  if (save_paused_active_) save_timer_->Start(kSaveIntervalMs, true, [this] { SaveNow(); });
  save_paused_active_ = false;
}

void WindowCore::SaveNow() {
  const SaveReport report = doc_.SaveAll();
  const std::string message = save_reporter_.AfterPeriodicSave(report);
  if (show_save_status_) {
    show_save_status_(save_reporter_.status_text(),
                      !report.ok() && !message.empty() ? report.Describe() : std::string());
  }
  // Told without waiting: a box that waited for its OK here would hold the
  // timer, and no save would happen until someone clicked.
  if (!message.empty()) platform_.prompter.ShowNotice(message);
}

void WindowCore::TellStartFailures() {
  std::string notice = doc_.ToleratedFailureNotice();
  const std::string withheld = save_reporter_.TakeWithheldNotice(doc_.withheld());
  if (!notice.empty() && !withheld.empty()) notice += "\n\n";
  notice += withheld;
  if (!notice.empty()) platform_.prompter.ShowNotice(notice);
}

}  // namespace tolvane
