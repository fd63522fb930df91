// Feeds every input line to the record parsers of the stores (item folders,
// items, clips, engine and tab folders and their option lines), then checks
// that writing the records, reading what was written and writing again gives
// the same lines: what the program saves it must read back unchanged.
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "core/files/clock.h"
#include "core/stores/category_folder_tree.h"
#include "core/stores/clip_list.h"
#include "core/stores/item_folder_tree.h"
#include "core/stores/item_list.h"
#include "core/stores/item_lister.h"
#include "fuzz/fuzz_support.h"

namespace {

using namespace tolvane;
using fuzz::Check;
using fuzz::Lines;
using fuzz::Written;

class FixedClock : public Clock {
 public:
  LocalTime Now() const override { return {2026, 3, 31, 12, 0, 0}; }
};

template <typename Store, typename Parse, typename Format>
void CheckFixedPoint(const std::vector<std::string>& first, Store second, Parse parse,
                     Format format) {
  for (const auto& line : first) Check(parse(second, line) >= 0);
  Check(Written(second.size(), [&](std::size_t i) { return format(second, i); }) == first);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view text(reinterpret_cast<const char*>(data), size);
  const auto lines = Lines(text);
  FixedClock clock;

  ItemFolderTree folders(StoreType::kFavorites);
  folders.Reset();
  ItemList items(StoreType::kFavorites, clock);
  ClipList clips(1000);
  CategoryFolderTree engines(StoreType::kEngineList);
  CategoryFolderTree tabs(StoreType::kTabs);
  tabs.Reset();
  for (auto line : lines) {
    folders.ParseFolderLine(line);
    items.ParseItemLine(line);
    clips.ParseItemLine(line);
    engines.ParseFolderLine(line);
    tabs.ParseFolderLine(line);
    engines.ParseOptionLine(line);
  }

  auto folder_lines =
      Written(folders.size(), [&](std::size_t i) { return folders.FormatFolderLine(i); });
  CheckFixedPoint(
      folder_lines, ItemFolderTree(StoreType::kFavorites),
      [](ItemFolderTree& t, const std::string& l) { return t.ParseFolderLine(l); },
      [](const ItemFolderTree& t, std::size_t i) { return t.FormatFolderLine(i); });
  auto item_lines = Written(items.size(), [&](std::size_t i) { return items.FormatItemLine(i); });
  CheckFixedPoint(
      item_lines, ItemList(StoreType::kFavorites, clock),
      [](ItemList& l, const std::string& line) { return l.ParseItemLine(line); },
      [](const ItemList& l, std::size_t i) { return l.FormatItemLine(i); });
  const SaveContext context;
  auto clip_lines =
      Written(clips.size(), [&](std::size_t i) { return clips.FormatItemLine(i, context); });
  CheckFixedPoint(
      clip_lines, ClipList(1000),
      [](ClipList& c, const std::string& line) { return c.ParseItemLine(line); },
      [&](const ClipList& c, std::size_t i) { return c.FormatItemLine(i, context); });
  for (CategoryFolderTree* tree : {&engines, &tabs}) {
    auto tree_lines =
        Written(tree->size(), [&](std::size_t i) { return tree->FormatFolderLine(i); });
    CheckFixedPoint(
        tree_lines, CategoryFolderTree(tree->type()),
        [](CategoryFolderTree& t, const std::string& l) { return t.ParseFolderLine(l); },
        [](const CategoryFolderTree& t, std::size_t i) { return t.FormatFolderLine(i); });
    for (std::size_t i = 0; i < tree->size(); ++i) tree->FormatOptionLine(i);
  }

  // Whatever the folders say, listing them must stay within the items.
  for (std::size_t f = 0; f < folders.size(); ++f) {
    for (int index : ListFolder(folders, items, folders.id(f), clock.Now())) {
      Check(index >= 0 && static_cast<std::size_t>(index) < items.size());
    }
  }
  return 0;
}
