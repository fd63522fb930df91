// The search bar's widgets made again with 100 buttons (3 built-ins and 97
// flagged engines over a list of 3 000 engines in 100 categories), as after
// 97 engines were flagged for the bar in place of 97 others, in the
// program's own bar attached to a tab workspace. Next to
// it: the same bar asked to rebuild when nothing changed (the check every
// tab or engine change costs), and the baseline of making 100 bare tool
// buttons in a plain tool bar, the least any rebuild of the widgets must do.
// Run offscreen: QT_QPA_PLATFORM=offscreen.
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QToolBar>
#include <QToolButton>
#include <memory>
#include <string>

#include "core/app/tolvane_doc.h"
#include "core/commands/command_router.h"
#include "core/files/setting_keys.h"
#include "core/files/settings_store.h"
#include "core/tabs/search_entry_commands.h"
#include "core/tabs/tab_workspace.h"
#include "platform/posix_env.h"
#include "support/fake_clock.h"
#include "support/fake_prompter.h"
#include "support/fake_timer.h"
#include "support/tab_fakes.h"
#include "support/temp_dir.h"
#include "ui/search/search_bar.h"

namespace {

using tolvane::CommandContext;
using tolvane::CommandId;
using tolvane::CommandRouter;
using tolvane::CSearchBar;
using tolvane::CTolvaneDoc;
using tolvane::PosixEnv;
using tolvane::SearchEntryCommands;
using tolvane::SettingsStore;
using tolvane::TabWorkspace;
namespace settings = tolvane::settings;
namespace fakes = tolvane::testing;

constexpr int kEngineButtons = 97;

std::string EngineFile() {
  std::string text = "@@SearchEngineList@@\r\n0\t100\t\t2024/01/01\r\n100\r\n";
  for (int f = 0; f < 100; ++f) {
    text += std::to_string(200 + f) + "\tCategory " + std::to_string(f) + "\t0\r\n";
  }
  text += "3000\r\n";
  for (int e = 0; e < 3000; ++e) {
    const std::string id = std::to_string(e + 1);
    text += id + "\t" + std::to_string(200 + e % 100) + "\tShop " + id + "\t\t\thttp://shop" + id +
            ".example/\t\thttp://shop" + id + ".example/?q=$0\t\t\t\t3\r\n";
  }
  return text;
}

// The document, a workspace over it and the bar attached, as the frame
// wires them.
struct World {
  fakes::TempDir dir;
  PosixEnv env{dir.path()};
  SettingsStore settings{dir / "vq_system.ini", env};
  fakes::FakeClock clock;
  CTolvaneDoc doc{dir.path(), settings, env, clock};
  fakes::FakeTimerFactory timers;
  fakes::FakePrompter prompter;
  fakes::Controls controls;
  fakes::FakeProbe probe;
  fakes::NullBoxes boxes;
  fakes::RecordingView view;
  std::unique_ptr<TabWorkspace> workspace;
  std::unique_ptr<SearchEntryCommands> commands;
  CommandRouter router;
  std::unique_ptr<CSearchBar> bar;
  int flagged = 0;

  // Flags the engines i * 30 + `offset` (offset 0 or 1) for the bar and
  // unflags the others of each pair: after a change of offset every
  // engine button shows another engine.
  void Flag(int offset) {
    for (int i = 0; i < kEngineButtons; ++i) {
      for (int o = 0; o < 2; ++o) {
        doc.engines().set_on_search_bar(static_cast<std::size_t>(i * 30 + o), o == offset);
      }
    }
    flagged = offset;
  }

  World() {
    fakes::WriteFile(dir / "vq_search.eng", EngineFile());
    if (!doc.OnNewDocument().ok()) std::abort();
    workspace = std::make_unique<TabWorkspace>(
        TabWorkspace::Services{doc.workspace_stores(), timers, prompter, clock, controls, probe,
                               boxes, boxes},
        view);
    workspace->RebuildTree();
    Flag(0);
    commands = std::make_unique<SearchEntryCommands>(
        *workspace, boxes,
        SearchEntryCommands::Stores{settings, doc.engine_folders(), doc.engines(),
                                    doc.tab_folders(), doc.tabs()});
    router.Add(*commands);
    bar = std::make_unique<CSearchBar>(settings, doc.keywords());
    tolvane::Write(settings, settings::kFindBarButtonIDs, "-1,-2,-3");
    bar->Attach({router, *commands, *workspace, doc.engine_folders(), doc.engines(),
                 doc.tab_folders(), doc.tabs(), [](CommandId) { return CommandContext{}; }});
    bar->resize(1600, 40);
    bar->show();
  }
};

// Made at the first use and ended by main while the application still
// stands: widgets must go before it.
std::unique_ptr<World>& WorldSlot() {
  static std::unique_ptr<World> world;
  return world;
}

World& TheWorld() {
  if (!WorldSlot()) WorldSlot() = std::make_unique<World>();
  return *WorldSlot();
}

void BM_RebuildSearchBarWidgets(benchmark::State& state) {
  World& world = TheWorld();
  for (auto _ : state) {
    world.Flag(1 - world.flagged);
    world.bar->Rebuild();
    QApplication::processEvents();
  }
  state.counters["buttons"] = static_cast<double>(world.bar->buttons().size());
}
BENCHMARK(BM_RebuildSearchBarWidgets)->Unit(benchmark::kMillisecond);

void BM_RebuildSearchBarUnchanged(benchmark::State& state) {
  World& world = TheWorld();
  for (auto _ : state) {
    world.bar->Rebuild();
    QApplication::processEvents();
  }
  state.counters["buttons"] = static_cast<double>(world.bar->buttons().size());
}
BENCHMARK(BM_RebuildSearchBarUnchanged)->Unit(benchmark::kMillisecond);

void BM_PlainToolButtonsBaseline(benchmark::State& state) {
  QToolBar bar;
  bar.resize(1600, 40);
  bar.show();
  std::vector<QAction*> actions;
  for (auto _ : state) {
    for (QAction* action : actions) {
      bar.removeAction(action);
      delete action;
    }
    actions.clear();
    for (int i = 0; i < kEngineButtons + 3; ++i) {
      auto* button = new QToolButton(&bar);
      button->setText(QStringLiteral("Shop %1").arg(i));
      actions.push_back(bar.addWidget(button));
    }
    QApplication::processEvents();
  }
}
BENCHMARK(BM_PlainToolButtonsBaseline)->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  benchmark::Initialize(&argc, argv);
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  WorldSlot().reset();
  return 0;
}
