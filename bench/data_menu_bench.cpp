// The page menu's favorites bar over a store of 10 000 favorites: the bar's
// buttons worked out when the menu opens (`BM_FavoritesBarButtons`), and one
// folder's level filled when its submenu opens, for "登録日順" (every
// favorite, newest first) and "五十音順" (`BM_FolderLevel`). The baseline is
// the folder's saved search alone (`BM_ListFolderOnly`), which every listing
// of the folder pays: the menu's own share is the difference.
#include <benchmark/benchmark.h>

#include <cstdint>
#include <filesystem>
#include <string>

#include "core/files/settings_store.h"
#include "core/frame/data_menu.h"
#include "core/stores/item_store.h"
#include "core/stores/store_bar.h"
#include "core/text/charset_converter.h"
#include "platform/posix_env.h"
#include "support/fake_clock.h"

namespace {

using tolvane::ItemStore;

constexpr int kFavorites = 10000;
constexpr int kRegisteredFolder = 2;  // "登録日順"
constexpr int kTitleFolder = 3;       // "五十音順"

struct Favorites {
  // Read only: the settings file is never written.
  std::filesystem::path dir = std::filesystem::temp_directory_path();
  tolvane::PosixEnv env{dir};
  tolvane::SettingsStore settings{dir / "data_menu_bench_unwritten.ini", env};
  tolvane::testing::FakeClock clock{{2026, 12, 7, 10, 0, 0}};
  ItemStore store{tolvane::StoreType::kFavorites, settings, clock};

  Favorites() {
    store.ResetToDefaults();
    const char* const kWords[] = {"レディース", "バッグ",   "本革", "スニーカー", "腕時計",
                                  "ワイヤレス", "イヤホン", "収納", "限定",       "日本製"};
    std::uint32_t seed = 20261207;
    for (int i = 0; i < kFavorites; ++i) {
      seed = seed * 1103515245u + 12345u;
      std::string title;
      for (int w = 0; w < 4; ++w) title += kWords[(seed >> (8 + 3 * w)) % 10];
      char date[32];
      std::snprintf(date, sizeof date, "2026/%02u/%02u %02u:00:00", 1 + (seed >> 4) % 12,
                    1 + (seed >> 9) % 28, (seed >> 14) % 24);
      store.ParseItemLine("-1\t" + tolvane::Utf8ToSjis(title) + "\thttp://shop" +
                          std::to_string(seed % 300) + ".example.jp/item/" + std::to_string(i) +
                          "\t0\t\t0\t" + date + "\t" + date + "\t\t" + (i % 1000 == 0 ? "1" : "0"));
    }
  }
};

Favorites& TheFavorites() {
  static Favorites favorites;
  return favorites;
}

void BM_FavoritesBarButtons(benchmark::State& state) {
  Favorites& f = TheFavorites();
  const tolvane::StoreBar bar(f.store, f.settings);
  for (auto _ : state) benchmark::DoNotOptimize(bar.Buttons());
  state.counters["buttons"] = static_cast<double>(bar.Buttons().size());
}

void BM_FolderLevel(benchmark::State& state, int folder_id) {
  Favorites& f = TheFavorites();
  const tolvane::DataMenu menu(f.store);
  const int folder = f.store.folders().Find(folder_id);
  for (auto _ : state) benchmark::DoNotOptimize(menu.Entries(folder));
}

void BM_ListFolderOnly(benchmark::State& state, int folder_id) {
  Favorites& f = TheFavorites();
  for (auto _ : state) benchmark::DoNotOptimize(f.store.ListFolder(folder_id));
}

BENCHMARK(BM_FavoritesBarButtons)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_FolderLevel, registered, kRegisteredFolder)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_ListFolderOnly, registered, kRegisteredFolder)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_FolderLevel, title, kTitleFolder)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_ListFolderOnly, title, kTitleFolder)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
