#pragma once

#include <functional>
#include <memory>
#include <span>
#include <string>

#include "core/app/save_failure_reporter.h"
#include "core/commands/command_router.h"
#include "core/commands/input_state.h"
#include "core/frame/address_list.h"
#include "core/search/engine_dialog.h"
#include "core/search/search_tree.h"

namespace tolvane {

class AddressBarCommands;
class AddressBarView;
class BrowserControlFactory;
class Clipboard;
class CTolvaneDoc;
class FrameCommands;
class FrameWindow;
class KeywordBoxes;
class ListShortcutOwners;
class PageCommands;
class PageCommandWindow;
class PageHistoryCommands;
class Prompter;
class ResourceProbe;
class SearchEntryCommands;
class SearchTreeCommands;
class SearchTreeSync;
class SearchTreeView;
class SideBarCommands;
class SideBarView;
class TabAreaObserver;
class TabCommands;
class TabWorkspace;
class Timer;
class TimerFactory;
class WorkspaceView;

// The core of one main window, and the one place it is put together: the
// tab workspace, every core command handler on the window's router, the
// search tree model, the typed-shortcut owners and the periodic save.
//
// The Qt side makes its platform parts first (timers, prompter, clipboard,
// resource probe), then the window core, then its widgets, which attach
// themselves (AttachAddressBar, AttachSideBar) and draw what the core
// holds. Start makes the tabs once the pages have a browser profile.
//
// A command's context is built in one place: the window reads its
// InputState once when the command is given, and ContextFor turns
// (command, source, input state) into the CommandContext. No handler asks
// the window for keys or texts afterwards.
class WindowCore {
 public:
  static constexpr int kSaveIntervalMs = 60'000;

  struct Platform {
    TimerFactory& timers;
    Prompter& prompter;
    Clipboard& clipboard;
    ResourceProbe& probe;
  };

  // The frame's commands (bars, full screen, minimise, about, exit) and the
  // page's run on `frame` and `page`, which are not called before Start.
  WindowCore(CTolvaneDoc& doc, const Platform& platform, FrameWindow& frame,
             PageCommandWindow& page);
  ~WindowCore();
  WindowCore(const WindowCore&) = delete;
  WindowCore& operator=(const WindowCore&) = delete;

  void AttachAddressBar(AddressBarView& view);
  // The side bar's page commands at once (shown as the settings say); the
  // search tree's commands once Start made the tabs. From now on every
  // change the engine list or its categories announce redraws the tree and
  // the search bar.
  void AttachSideBar(SideBarView& side_bar, SearchTreeView& search_tree);
  // The window's one reader of the input state (ContextNow).
  void set_input_reader(std::function<InputState()> reader) { read_input_ = std::move(reader); }
  // After each periodic save: what the status bar says about saving
  // (Shift_JIS; empty once a save wrote everything) and, when a failure is
  // told now, the files not written (SaveReport::Describe) for the log.
  using SaveStatus = std::function<void(const std::string& status, const std::string& told)>;
  void set_save_status(SaveStatus show) { show_save_status_ = std::move(show); }

  // Makes the tab workspace on `controls` and the commands that need it,
  // opens the first tabs (TabWorkspace::RestoreTabs) and starts the
  // periodic save.
  struct StartParams {
    BrowserControlFactory& controls;
    WorkspaceView& view;
    KeywordBoxes& boxes;
    // Told of every change of the tabs from the first one on.
    TabAreaObserver* observer = nullptr;
    bool has_argument = false;
    std::function<std::string()> start_url{};
    std::string clip_list_url{};
  };
  void Start(const StartParams& params);
  // Ends what Start made: its handlers, then the workspace with its pages,
  // before the window takes down the widgets the pages live in.
  void Finish();

  // The context of command `id` given from `source` with the window as
  // `input` says: the keyword it takes (the page's selection, the search
  // bar's box or the side bar's, by command, source and focus), the keys,
  // the focus, the address bar's text, and for a group's tab command the
  // group chosen in the search bar.
  CommandContext ContextFor(CommandId id, CommandSource source, const InputState& input) const;
  // ContextFor with the input state read now.
  CommandContext ContextNow(CommandId id, CommandSource source) const;
  // Runs `id` with ContextNow(id, source).
  bool Run(CommandId id, CommandSource source = CommandSource::kMenu);

  // The engine dialog for a shop's own search found on the shown page,
  // starting from `values`. The user chooses its user category; the choice
  // starts at the category of search tree item `tree_item` (the one
  // right-clicked; -1 for none), else at the user category the current
  // category tab searches (or its engine is in), else at "追加した検索".
  EngineDialog SiteSearchDialog(const EngineDialogValues& values, int tree_item) const;

  // Commands of the command table that have no handler on purpose.
  struct Unhandled {
    enum class Kind {
      kFocusedWidget,  // a key of the widget with the focus (a tree, a row)
      kWindow,         // carried out by the window's own dialogs and boxes
      kPending,        // waits for the named feature; shown disabled
    };
    CommandId id;
    Kind kind;
    const char* feature;
  };
  static std::span<const Unhandled> UnhandledCommands();

  CommandRouter& router() { return router_; }
  TabWorkspace* workspace() const { return workspace_.get(); }
  SearchTree& search_tree() { return search_tree_; }
  AddressList& address_list() { return address_list_; }
  AddressBarCommands* address_commands() const { return address_commands_.get(); }
  SideBarCommands* side_bar_commands() const { return side_bar_commands_.get(); }
  SearchTreeCommands* search_tree_commands() const { return search_tree_commands_.get(); }
  SearchEntryCommands* search_commands() const { return search_commands_.get(); }
  PageCommands* page_commands() const { return page_commands_.get(); }
  TabCommands* tab_commands() const { return tab_commands_.get(); }
  ListShortcutOwners& shortcut_owners() const { return *shortcut_owners_; }

  // The periodic save: every kSaveIntervalMs from Start. Paused while the
  // window closes (it saves then itself).
  Timer& save_timer() const { return *save_timer_; }
  void PausePeriodicSave();
  void ResumePeriodicSave();
  // One tick: writes every store; a failure goes to the status bar and, the
  // first of a streak, to a notice that does not wait for its OK, so the
  // timer goes on saving while it is up.
  void SaveNow();
  // Once the window is up: damaged stores the start went past and stores
  // withheld for the run, in one notice.
  void TellStartFailures();

 private:
  // The engine category the current category tab's search names; -1 when
  // it names none.
  int CurrentTabCategory() const;

  CTolvaneDoc& doc_;
  Platform platform_;
  FrameWindow& frame_;
  PageCommandWindow& page_window_;
  CommandRouter router_;
  AddressList address_list_;
  SearchTree search_tree_;
  SearchTreeView* search_tree_view_ = nullptr;
  std::unique_ptr<SearchTreeSync> search_tree_sync_;
  std::function<InputState()> read_input_;
  SaveStatus show_save_status_;
  SaveFailureReporter save_reporter_;
  std::unique_ptr<Timer> save_timer_;
  bool save_paused_active_ = false;
  std::unique_ptr<ListShortcutOwners> shortcut_owners_;
  std::unique_ptr<FrameCommands> frame_commands_;
  std::unique_ptr<PageHistoryCommands> history_commands_;
  std::unique_ptr<AddressBarCommands> address_commands_;
  std::unique_ptr<SideBarCommands> side_bar_commands_;
  // Made by Start; the workspace goes last of these (the handlers hold it).
  std::unique_ptr<TabWorkspace> workspace_;
  std::unique_ptr<TabCommands> tab_commands_;
  std::unique_ptr<PageCommands> page_commands_;
  std::unique_ptr<SearchEntryCommands> search_commands_;
  std::unique_ptr<SearchTreeCommands> search_tree_commands_;
};

}  // namespace tolvane
