// The search bar's buttons worked out again, as after every change that may
// touch it: 100 buttons (3 built-ins, 50 stored engine and folder tokens,
// 47 flagged items appended) over 3 000 engines in 100 categories and 200
// tabs in 20 groups, then compared with the buttons shown. The baseline
// copies the same 100 finished buttons, the least any rebuild must do.
#include <benchmark/benchmark.h>

#include <string>

#include "core/search/search_bar_buttons.h"
#include "core/stores/category_folder_tree.h"
#include "core/stores/engine_list.h"

namespace {

using tolvane::CategoryFolderTree;
using tolvane::EngineList;
using tolvane::SearchBarButtons;
using tolvane::StoreType;

struct World {
  CategoryFolderTree engine_folders{StoreType::kEngineList};
  EngineList engines{StoreType::kEngineList};
  CategoryFolderTree tab_groups{StoreType::kTabs};
  EngineList tabs{StoreType::kTabs};
  std::string button_ids = "-1,-2,-3";

  World() {
    engines.ResetHighestId();
    tabs.ResetHighestId();
    for (int f = 0; f < 100; ++f) {
      engine_folders.ParseFolderLine(std::to_string(200 + f) + "\tCategory " + std::to_string(f) +
                                     "\t0\t0\t" + std::to_string(f) + (f < 20 ? "\t1" : "\t0"));
    }
    for (int e = 0; e < 3000; ++e) {
      const std::string id = std::to_string(e + 1);
      engines.ParseRecord(id + "\t" + std::to_string(200 + e % 100) + "\tShop " + id +
                          "\t\t\thttp://shop" + id + ".example/\t\thttp://shop" + id +
                          ".example/?q=$0\t\t\t\t3\t\t0\t" + std::to_string(e) + "\t\t\t" + "0");
      if (e % 3 == 0) engines.set_image_index(static_cast<std::size_t>(e), 100 + e % 50);
    }
    for (int g = 0; g < 20; ++g) {
      tab_groups.ParseFolderLine(std::to_string(g + 1) + "\tGroup\t0\t0\t" + std::to_string(g) +
                                 (g < 7 ? "\t1" : "\t0"));
    }
    for (int t = 0; t < 200; ++t) {
      tabs.ParseRecord(std::to_string(t + 1) + "\t" + std::to_string(t % 20 + 1) +
                       "\tTab\t\t\thttp://t/\t\t\t\t\t\t0\t\t0\t" + std::to_string(t) + "\t\t\t" +
                       (t % 40 == 0 ? "1" : "0") + "\t" + std::to_string(t % 51));
    }
    // Stored: 40 engines and 10 folders, all flagged. Flagged besides and
    // appended: 25 engines, 10 folders, 7 groups, 5 tabs.
    for (int i = 0; i < 40; ++i) {
      button_ids += ",EE" + std::to_string(i * 30 + 1);
      engines.set_on_search_bar(static_cast<std::size_t>(i * 30), true);
    }
    for (int i = 0; i < 10; ++i) button_ids += ",EF" + std::to_string(200 + i);
    for (int i = 0; i < 25; ++i)
      engines.set_on_search_bar(static_cast<std::size_t>(1500 + i * 30), true);
  }

  SearchBarButtons Build() const {
    return SearchBarButtons::Build(button_ids, false, {engine_folders, engines, tab_groups, tabs});
  }
};

const World& TheWorld() {
  static const World world;
  return world;
}

void BM_RebuildSearchBar(benchmark::State& state) {
  const World& world = TheWorld();
  const SearchBarButtons shown = world.Build();
  for (auto _ : state) {
    const SearchBarButtons fresh = world.Build();
    benchmark::DoNotOptimize(fresh.NeedsRebuildFrom(shown));
  }
  state.counters["buttons"] = static_cast<double>(shown.buttons().size());
}
BENCHMARK(BM_RebuildSearchBar)->Unit(benchmark::kMicrosecond);

void BM_CopyFinishedButtonsBaseline(benchmark::State& state) {
  const SearchBarButtons shown = TheWorld().Build();
  for (auto _ : state) {
    auto copy = shown.buttons();
    benchmark::DoNotOptimize(copy.data());
  }
  state.counters["buttons"] = static_cast<double>(shown.buttons().size());
}
BENCHMARK(BM_CopyFinishedButtonsBaseline)->Unit(benchmark::kMicrosecond);

}  // namespace

BENCHMARK_MAIN();
