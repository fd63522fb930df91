// The side bar's search tree filled as after start-up or any change of the
// engine list: 3 000 engines in 100 categories (and the archive folder)
// listed by the model (SearchTree::Build, each category through
// ListFolder) and drawn by the Qt tree (CSearchTreeCtrl::Rebuild), on the
// offscreen platform. The baseline fills a plain QTreeWidget with the same
// 3 101 texts, already converted, one insertion per item: the least any
// fill must do.
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QString>
#include <QTreeWidget>
#include <string>
#include <vector>

#include "core/files/settings_store.h"
#include "core/search/search_tree.h"
#include "core/stores/category_folder_tree.h"
#include "core/stores/engine_list.h"
#include "platform/posix_env.h"
#include "ui/sidebar/search_tree_ctrl.h"

namespace {

using tolvane::CategoryFolderTree;
using tolvane::EngineList;
using tolvane::SearchTree;
using tolvane::StoreType;

struct World {
  std::filesystem::path dir = std::filesystem::temp_directory_path();
  tolvane::PosixEnv env{dir};
  // Never written: the defaults are read.
  tolvane::SettingsStore settings{dir / "search_tree_bench_unused.ini", env};
  CategoryFolderTree folders{StoreType::kEngineList};
  EngineList engines{StoreType::kEngineList};
  SearchTree tree{folders, engines, settings};

  World() {
    engines.ResetHighestId();
    for (int f = 0; f < 100; ++f) {
      folders.ParseFolderLine(std::to_string(200 + f) + "\tCategory " + std::to_string(f) +
                              "\t0\t0\t" + std::to_string(f));
    }
    folders.AddArchiveFolder();
    for (int e = 0; e < 3000; ++e) {
      const std::string id = std::to_string(e + 1);
      engines.ParseRecord(id + "\t" + std::to_string(200 + e % 100) + "\tShop " + id +
                          "\t\t\thttp://shop" + id + ".example/\t\thttp://shop" + id +
                          ".example/?q=$0\t\t\t\t3\t\t0\t" + std::to_string(3000 - e));
    }
  }
};

World& TheWorld() {
  static World world;
  return world;
}

void BM_BuildModel(benchmark::State& state) {
  World& w = TheWorld();
  for (auto _ : state) {
    w.tree.Build();
    benchmark::DoNotOptimize(w.tree.size());
  }
}
BENCHMARK(BM_BuildModel)->Unit(benchmark::kMillisecond);

void BM_BuildModelAndFillWidget(benchmark::State& state) {
  World& w = TheWorld();
  tolvane::CSearchTreeCtrl widget;
  widget.resize(200, 600);
  for (auto _ : state) {
    w.tree.Build();
    widget.Rebuild(w.tree);
    benchmark::DoNotOptimize(widget.topLevelItemCount());
  }
}
BENCHMARK(BM_BuildModelAndFillWidget)->Unit(benchmark::kMillisecond);

void BM_BaselinePlainTreeWidgetFill(benchmark::State& state) {
  World& w = TheWorld();
  w.tree.Build();
  std::vector<QString> texts;
  for (int i = 0; i < w.tree.size(); ++i) {
    texts.push_back(QString::fromLatin1(w.tree.item(i).text));
  }
  QTreeWidget widget;
  widget.resize(200, 600);
  for (auto _ : state) {
    widget.clear();
    std::vector<QTreeWidgetItem*> items(texts.size());
    items[0] = new QTreeWidgetItem(&widget, QStringList(texts[0]));
    for (int i = 1; i < w.tree.size(); ++i) {
      items[static_cast<std::size_t>(i)] =
          new QTreeWidgetItem(items[static_cast<std::size_t>(w.tree.item(i).parent)],
                              QStringList(texts[static_cast<std::size_t>(i)]));
    }
    benchmark::DoNotOptimize(widget.topLevelItemCount());
  }
}
BENCHMARK(BM_BaselinePlainTreeWidgetFill)->Unit(benchmark::kMillisecond);

}  // namespace
