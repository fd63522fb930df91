#include "core/stores/item_lister.h"

#include <algorithm>
#include <array>
#include <cstdint>
#include <cstring>
#include <iterator>
#include <string>
#include <string_view>
#include <utility>

#include "core/stores/category_folder_tree.h"
#include "core/stores/category_members.h"
#include "core/stores/item_filter.h"
#include "core/stores/item_folder_tree.h"
#include "core/stores/item_list.h"

namespace tolvane {
namespace {

enum class KeyField { kUpdated, kRegistered, kTitle, kUrl, kCount, kImportance };

struct ModeSpec {
  KeyField field;
  bool descending;
};

// Indexed by ItemSortMode.
constexpr ModeSpec kModes[] = {
    {KeyField::kUpdated, true},     {KeyField::kUpdated, false},   {KeyField::kRegistered, true},
    {KeyField::kRegistered, false}, {KeyField::kTitle, false},     {KeyField::kTitle, true},
    {KeyField::kUrl, false},        {KeyField::kUrl, true},        {KeyField::kCount, true},
    {KeyField::kCount, false},      {KeyField::kImportance, true}, {KeyField::kImportance, false},
};

using TextGetter = const std::string& (ItemList::*)(std::size_t) const;

TextGetter TextOf(KeyField field) {
  switch (field) {
    case KeyField::kUpdated:
      return &ItemList::updated;
    case KeyField::kRegistered:
      return &ItemList::registered;
    case KeyField::kTitle:
      return &ItemList::title;
    case KeyField::kUrl:
      return &ItemList::url;
    default:
      return nullptr;
  }
}

// An item's key reduced to two words that order like the key: the first 16
// bytes of a text, big-endian and zero-padded, or a number with its sign
// bit flipped. The words are sorted without touching the items again; texts
// that agree in their first 16 bytes are then compared from there on,
// through the view kept in the key (the items do not change while listed).
struct SortKey {
  std::uint64_t high;
  std::uint64_t low;
  const char* text;
  std::size_t text_size;
  int index;
};

constexpr std::size_t kWordBytes = 16;

std::uint64_t BigEndianWord(const std::string& s, std::size_t offset) {
  unsigned char bytes[8] = {};
  const std::size_t available = offset < s.size() ? s.size() - offset : 0;
  if (available >= 8) {
    std::memcpy(bytes, s.data() + offset, 8);
  } else if (available > 0) {
    std::memcpy(bytes, s.data() + offset, available);
  }
  std::uint64_t word = 0;
  for (const unsigned char b : bytes) word = word << 8 | b;
  return word;
}

bool SameWords(const SortKey& a, const SortKey& b) { return a.high == b.high && a.low == b.low; }

// Byte `d` of the key, 0 the least significant byte of `low`.
unsigned Digit(const SortKey& k, int d) {
  const std::uint64_t word = d < 8 ? k.low : k.high;
  return static_cast<unsigned>(word >> (8 * (d % 8))) & 0xFF;
}

// Stable sort of [first, last) by (high, low): least significant byte first,
// one counting pass per byte, skipping bytes that all keys share (the year
// of a date, the high bytes of a count). Linear in the number of keys; a
// comparison sort of 100 000 keys costs several times more in mispredicted
// branches.
void SortByWords(SortKey* first, SortKey* last, std::vector<SortKey>& scratch) {
  constexpr std::ptrdiff_t kSmall = 64;
  const std::ptrdiff_t n = last - first;
  if (n <= kSmall) {
    std::stable_sort(first, last, [](const SortKey& a, const SortKey& b) {
      return a.high != b.high ? a.high < b.high : a.low < b.low;
    });
    return;
  }
  std::vector<std::array<std::uint32_t, 256>> counts(16);
  for (const SortKey* k = first; k != last; ++k) {
    for (int d = 0; d < 16; ++d) ++counts[static_cast<std::size_t>(d)][Digit(*k, d)];
  }
  scratch.resize(std::max(scratch.size(), static_cast<std::size_t>(n)));
  SortKey* from = first;
  SortKey* to = scratch.data();
  for (int d = 0; d < 16; ++d) {
    std::array<std::uint32_t, 256>& count = counts[static_cast<std::size_t>(d)];
    if (count[Digit(*from, d)] == static_cast<std::uint32_t>(n)) continue;
    std::uint32_t next = 0;
    for (std::uint32_t& c : count) next += std::exchange(c, next);
    for (const SortKey* k = from; k != from + n; ++k) to[count[Digit(*k, d)]++] = *k;
    std::swap(from, to);
  }
  if (from != first) std::copy(from, from + n, first);
}

// Orders each run of text keys with equal words by the rest of the text.
void SortTextTies(std::vector<SortKey>& keys) {
  const auto rest = [](const SortKey& k) {
    return std::string_view(k.text, k.text_size)
        .substr(std::min<std::size_t>(kWordBytes, k.text_size));
  };
  for (auto run = keys.begin(); run != keys.end();) {
    auto run_end = run + 1;
    while (run_end != keys.end() && SameWords(*run_end, *run)) ++run_end;
    if (run_end - run > 1) {
      std::stable_sort(run, run_end, [&](const SortKey& a, const SortKey& b) {
        // Equal words: both texts agree in their first 16 bytes, except
        // that a shorter one may end in padding where the other has zeros.
        if (a.text_size <= kWordBytes || b.text_size <= kWordBytes)
          return a.text_size < b.text_size;
        return rest(a) < rest(b);
      });
    }
    run = run_end;
  }
}

}  // namespace

std::vector<int> ListFolder(const ItemFolderTree& folders, const ItemList& items, int folder_id,
                            const LocalTime& now) {
  const int folder = folders.Find(folder_id);
  if (folder < 0) return {};
  const auto f = static_cast<std::size_t>(folder);
  const int mode = folders.sort_mode(f);
  if (mode < 0 || mode >= static_cast<int>(std::size(kModes))) return {};
  ItemFilter filter(folders, f, now);
  if (filter.lists_nothing()) return {};

  const ModeSpec spec = kModes[mode];
  const TextGetter text = TextOf(spec.field);
  std::vector<SortKey> keys;
  for (std::size_t i = 0; i < items.size(); ++i) {
    if (!filter.Passes(items, i)) continue;
    SortKey key{0, 0, nullptr, 0, static_cast<int>(i)};
    if (text != nullptr) {
      const std::string& s = (items.*text)(i);
      key.high = BigEndianWord(s, 0);
      key.low = BigEndianWord(s, 8);
      key.text = s.data();
      key.text_size = s.size();
    } else {
      const int number = spec.field == KeyField::kCount ? items.count(i) : items.importance(i);
      key.high = static_cast<std::uint64_t>(static_cast<std::int64_t>(number)) ^ (1ULL << 63);
    }
    keys.push_back(key);
  }
  std::vector<SortKey> scratch;
  SortByWords(keys.data(), keys.data() + keys.size(), scratch);
  if (text != nullptr) SortTextTies(keys);

  std::vector<int> result;
  result.reserve(keys.size());
  for (const SortKey& key : keys) result.push_back(key.index);
  if (spec.descending) std::reverse(result.begin(), result.end());
  if (folders.important_first(f)) {
    std::stable_partition(result.begin(), result.end(), [&items](int i) {
      return items.importance(static_cast<std::size_t>(i)) > 0;
    });
  }
  return result;
}

std::vector<int> ListCategory(const CategoryMembers& members, int folder_id) {
  const bool archive = folder_id == CategoryFolderTree::kArchiveId;
  std::vector<int> result;
  for (std::size_t i = 0; i < members.MemberCount(); ++i) {
    if (members.MemberDeleted(i) || members.MemberArchived(i) != archive) continue;
    if (!archive && members.MemberFolderId(i) != folder_id) continue;
    result.push_back(static_cast<int>(i));
  }
  std::stable_sort(result.begin(), result.end(), [&members](int a, int b) {
    return members.MemberOrder(static_cast<std::size_t>(a)) <
           members.MemberOrder(static_cast<std::size_t>(b));
  });
  return result;
}

}  // namespace tolvane
