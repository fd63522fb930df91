// Listing a folder of a 100 000-item store: "*" and a two-word query, in
// title order and newest-updated order, each next to two ways of ordering by
// insertion into the result array, both quadratic in the number of listed
// items: the straightforward one (walk the array to the place, insert), and
// a stronger one that finds the place by binary search.
#include <benchmark/benchmark.h>

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <string>
#include <vector>

#include "core/stores/item_filter.h"
#include "core/stores/item_folder_tree.h"
#include "core/stores/item_list.h"
#include "core/stores/item_lister.h"
#include "core/text/charset_converter.h"
#include "support/fake_clock.h"

namespace {

using tolvane::ItemFolderTree;
using tolvane::ItemList;
using tolvane::LocalTime;

constexpr int kItemCount = 100000;
constexpr LocalTime kNow{2026, 12, 7, 10, 0, 0};

struct Rng {
  std::uint32_t seed = 20261207;
  std::uint32_t operator()(std::uint32_t n) {
    seed = seed * 1103515245u + 12345u;
    return (seed >> 8) % n;
  }
};

// Shop-page titles: brand words, katakana goods, kanji, sizes and prices.
std::string Title(Rng& next) {
  static const char* const kWords[] = {
      "【送料無料】", "レディース",     "メンズ",       "バッグ",     "ショルダー",
      "本革",         "財布",           "長財布",       "スニーカー", "ランニング",
      "シューズ",     "腕時計",         "ステンレス",   "防水",       "ノートパソコン",
      "ＳＳＤ",       "ＵＳＢケーブル", "ワイヤレス",   "イヤホン",   "ぬいぐるみ",
      "キッチン",     "収納",           "ケース",       "カバー",     "限定",
      "新品",         "中古",           "ポイント10倍", "Apple",      "SONY",
      "Panasonic",    "NIKE",           "adidas",       "レザー",     "ブラック",
      "ホワイト",     "Ｍサイズ",       "Ｌサイズ",     "￥3,980",    "2026年モデル",
      "日本製",       "おしゃれ",       "かわいい",     "プレゼント", "ギフト",
      "お買い得",     "タイムセール",   "・",           "－",         "/"};
  std::string utf8;
  const std::uint32_t words = 4 + next(6);
  for (std::uint32_t w = 0; w < words; ++w) {
    if (w > 0 && next(3) == 0) utf8 += ' ';
    utf8 += kWords[next(std::size(kWords))];
  }
  return tolvane::Utf8ToSjis(utf8);
}

std::string Date(Rng& next) {
  char text[32];
  std::snprintf(text, sizeof text, "%04u/%02u/%02u %02u:%02u:%02u", 2025 + next(2), 1 + next(12),
                1 + next(28), next(24), next(60), next(60));
  return text;
}

struct Store {
  tolvane::testing::FakeClock clock{kNow};
  ItemList items{tolvane::StoreType::kHistory, clock};
  ItemFolderTree folders{tolvane::StoreType::kHistory};

  Store() {
    Rng next;
    for (int i = 0; i < kItemCount; ++i) {
      const std::string line = "-1\t" + Title(next) + "\thttp://shop" + std::to_string(next(500)) +
                               ".example.jp/item/" + std::to_string(i) + '\t' +
                               std::to_string(next(8) == 0 ? 1 + next(5) : 0) + '\t' +
                               (next(4) == 0 ? tolvane::Utf8ToSjis("ギフト セール") : "") + '\t' +
                               std::to_string(next(50)) + '\t' + Date(next) + '\t' + Date(next);
      items.ParseItemLine(line);
    }
    folders.Reset();
  }
};

Store& TheStore() {
  static Store store;
  return store;
}

// Folder 20 with the given query and sort mode.
int Folder(const std::string& query_utf8, int sort_mode) {
  ItemFolderTree& folders = TheStore().folders;
  folders.Reset();
  const int index = folders.ParseFolderLine("20\t0\t0\tbench\t" + tolvane::Utf8ToSjis(query_utf8) +
                                            "\t0\t0\t" + std::to_string(sort_mode));
  return folders.id(static_cast<std::size_t>(index));
}

enum class Place { kWalk, kBinarySearch };

// The way the listing used to be built: filter, then insert each index
// after every index with an equal or smaller key.
std::vector<int> ListByInsertion(const ItemFolderTree& folders, const ItemList& items,
                                 int folder_id, Place place_by) {
  const auto f = static_cast<std::size_t>(folders.Find(folder_id));
  tolvane::ItemFilter filter(folders, f, kNow);
  const int mode = folders.sort_mode(f);
  const bool by_title = mode == tolvane::kSortTitleAscending;
  auto key = [&](int i) -> const std::string& {
    return by_title ? items.title(static_cast<std::size_t>(i))
                    : items.updated(static_cast<std::size_t>(i));
  };
  std::vector<int> result;
  for (std::size_t i = 0; i < items.size(); ++i) {
    if (!filter.Passes(items, i)) continue;
    const std::string& k = key(static_cast<int>(i));
    auto place = result.begin();
    if (place_by == Place::kBinarySearch) {
      place = std::upper_bound(result.begin(), result.end(), k,
                               [&](const std::string& a, int b) { return a < key(b); });
    } else {
      while (place != result.end() && !(k < key(*place))) ++place;
    }
    result.insert(place, static_cast<int>(i));
  }
  if (mode == tolvane::kSortUpdatedNewest) std::reverse(result.begin(), result.end());
  return result;
}

const char* const kTwoWords = "バッグ 本革";

void Finish(benchmark::State& state, std::size_t listed) {
  state.counters["listed"] = static_cast<double>(listed);
  state.SetItemsProcessed(static_cast<std::int64_t>(state.iterations()) * kItemCount);
}

void BM_List(benchmark::State& state, const char* query, int mode) {
  Store& store = TheStore();
  const int folder = Folder(query, mode);
  std::size_t listed = 0;
  for (auto _ : state) {
    const std::vector<int> result = tolvane::ListFolder(store.folders, store.items, folder, kNow);
    listed = result.size();
    benchmark::DoNotOptimize(result.data());
  }
  Finish(state, listed);
}

void BM_ListByInsertion(benchmark::State& state, const char* query, int mode, Place place) {
  Store& store = TheStore();
  const int folder = Folder(query, mode);
  std::vector<int> result;
  for (auto _ : state) {
    result = ListByInsertion(store.folders, store.items, folder, place);
    benchmark::DoNotOptimize(result.data());
  }
  if (result != tolvane::ListFolder(store.folders, store.items, folder, kNow)) {
    state.SkipWithError("listings differ");
    return;
  }
  Finish(state, result.size());
}

constexpr int kByTitle = tolvane::kSortTitleAscending;
constexpr int kNewest = tolvane::kSortUpdatedNewest;

BENCHMARK_CAPTURE(BM_List, all_by_title, "*", kByTitle)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_List, all_newest_first, "*", kNewest)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_List, two_words_by_title, kTwoWords, kByTitle)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_List, two_words_newest_first, kTwoWords, kNewest)
    ->Unit(benchmark::kMillisecond);

// A listing by insertion takes from a fifth of a second to twenty seconds:
// one iteration each, and the walking baseline is named Slow_ so that the
// smoke run can leave it out.
void RegisterInsertionBaselines() {
  struct Case {
    const char* name;
    const char* query;
    int mode;
  };
  const Case cases[] = {{"all_by_title", "*", kByTitle},
                        {"all_newest_first", "*", kNewest},
                        {"two_words_by_title", kTwoWords, kByTitle},
                        {"two_words_newest_first", kTwoWords, kNewest}};
  for (const auto& c : cases) {
    for (Place place : {Place::kWalk, Place::kBinarySearch}) {
      const std::string name = std::string(place == Place::kWalk ? "Slow_ListByInsertion/"
                                                                 : "BM_ListByBinaryInsertion/") +
                               c.name;
      benchmark::RegisterBenchmark(name.c_str(), BM_ListByInsertion, c.query, c.mode, place)
          ->Unit(benchmark::kMillisecond)
          ->Iterations(1);
    }
  }
}

}  // namespace

int main(int argc, char** argv) {
  benchmark::Initialize(&argc, argv);
  RegisterInsertionBaselines();
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}
