// Folds arbitrary bytes, parses them as a folder query and lists a small
// fixed store with it under fuzzed folder settings. Checks that folding
// never grows the text, that a term is only found where its bytes are, and
// that a listing holds each passing item once, in its sort order.
#include <fuzzer/FuzzedDataProvider.h>

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <vector>

#include "core/files/clock.h"
#include "core/stores/folder_query.h"
#include "core/stores/item_folder_tree.h"
#include "core/stores/item_list.h"
#include "core/stores/item_lister.h"
#include "core/text/text_normaliser.h"

namespace {

using tolvane::ItemFolderTree;
using tolvane::ItemList;
using tolvane::LocalTime;

constexpr LocalTime kNow{2026, 3, 31, 12, 0, 0};

void Check(bool ok) {
  if (!ok) std::abort();
}

class FixedClock : public tolvane::Clock {
 public:
  LocalTime Now() const override { return kNow; }
};

// Shift_JIS titles and tags: full-width letters, hiragana, katakana, kanji
// whose trail bytes are ASCII letters, separators, a stray lead byte.
const char* const kItemLines[] = {
    "1\tRed Bag\thttp://shop/a\t0\tbag red\t3\t2026/01/01 00:00:00\t2026/03/30 12:00:00",
    "2\t\x82\x71\x82\x85\x82\x84 shoes\thttp://shop/b\t2\tshoes\t-1\t2026/01/02 00:00:00\t"
    "2026/03/31 11:00:00",
    "3\t\x83\x70\x83\x5C\x83\x52\x83\x93\thttp://pc/c\t5\t\t0\t2026/01/03 00:00:00\t"
    "2025/03/31 12:00:00",
    "4\t\x95\x61\x89\x40 U.S.B-cable\thttp://usb/d\t0\t\x81\x40tag\t7\t2026/01/01 00:00:00\t"
    "2026/02/28 12:00:00",
    "5\t\x82\xCF\x82\xBB\x82\xB1\x82\xF1\thttp://pc/e\t1\tpc\t2\t2026/01/05 00:00:00\t"
    "2026/03/31 12:00:00\t\t0\t1",
    "6\tstray \x82\thttp://x/f\t0\t\x82\t1\t2026/01/06 00:00:00\t2026/03/31 12:00:00",
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  FuzzedDataProvider input(data, size);
  const int target = input.ConsumeIntegralInRange(-1, 5);
  const int sort_mode = input.ConsumeIntegralInRange(-1, 12);
  const bool important_first = input.ConsumeBool();
  const int importance_filter = input.ConsumeIntegralInRange(0, 8);
  const int period_filter = input.ConsumeIntegralInRange(0, 12);
  const bool trash = input.ConsumeBool();
  const std::string query = input.ConsumeRandomLengthString(64);
  const std::string text = input.ConsumeRemainingBytesAsString();

  for (const bool keep_spaces : {false, true}) {
    const std::string folded = tolvane::Normalise(text, keep_spaces);
    Check(folded.size() <= text.size());
    std::string reused = "leftover";
    tolvane::NormaliseInto(text, keep_spaces, reused);
    Check(reused == folded);
  }

  const tolvane::FolderQuery parsed(query);
  Check(parsed.matches_everything() == (query == "*"));
  for (const auto& term : parsed.terms()) {
    Check(!term.text.empty());
    if (tolvane::FolderQuery::ContainsCharacters(text, term.text)) {
      Check(text.find(term.text) != std::string::npos);
    }
  }

  FixedClock clock;
  ItemList items(tolvane::StoreType::kFavorites, clock);
  for (const char* line : kItemLines) Check(items.ParseItemLine(line) >= 0);
  items.MarkDeleted(5);
  ItemFolderTree folders(tolvane::StoreType::kFavorites);
  folders.Reset();
  const int index = folders.ParseFolderLine("20\t0\t0\tf");
  Check(index >= 0);
  const auto f = static_cast<std::size_t>(trash ? folders.Find(ItemFolderTree::kTrashId) : index);
  folders.set_query(f, query);
  folders.set_target(f, target);
  folders.set_sort_mode(f, sort_mode);
  folders.set_important_first(f, important_first);
  folders.set_importance_filter(f, importance_filter);
  folders.set_period_filter(f, period_filter);

  const std::vector<int> listed = tolvane::ListFolder(folders, items, folders.id(f), kNow);
  std::vector<bool> seen(items.size());
  for (const int i : listed) {
    Check(i >= 0 && static_cast<std::size_t>(i) < items.size());
    const auto u = static_cast<std::size_t>(i);
    Check(!seen[u] && !items.deleted(u) && items.in_trash(u) == trash);
    seen[u] = true;
  }
  if (sort_mode == tolvane::kSortTitleAscending && !important_first) {
    for (std::size_t k = 1; k < listed.size(); ++k) {
      Check(items.title(static_cast<std::size_t>(listed[k - 1])) <=
            items.title(static_cast<std::size_t>(listed[k])));
    }
  }
  if (query == "*" && !trash && importance_filter == 0 && period_filter == 0 && sort_mode >= 0 &&
      sort_mode <= 11) {
    Check(listed.size() == 4);  // every live item outside the trash
  }
  return 0;
}
