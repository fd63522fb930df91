// Reads arbitrary bytes as a settings file holding a favorites bar's
// ButtonIDs, over a favorites store with flagged, unflagged, deleted and
// trashed folders and items, and checks that every folder and item shown
// has one button, carries the bar flag, is neither deleted nor in the trash,
// that texts are cut whole within 30 bytes, and that the order written
// reads back as the same buttons.
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <set>
#include <string>
#include <string_view>

#include "core/files/setting_keys.h"
#include "core/stores/item_store.h"
#include "core/stores/store_bar.h"
#include "core/text/cp932_tables.h"
#include "fuzz_support.h"
#include "settings_file.h"

namespace {

using tolvane::fuzz::Check;

class FixedClock : public tolvane::Clock {
 public:
  tolvane::LocalTime Now() const override { return {2026, 12, 7, 10, 0, 0}; }
};

template <typename List>
bool OnBar(const List& list, std::size_t i) {
  return list.bar_flag(i) && !list.deleted(i) && !list.in_trash(i);
}

void Fill(tolvane::ItemStore& store) {
  store.ResetToDefaults();
  tolvane::ItemFolderTree& folders = store.folders();
  folders.set_bar_flag(static_cast<std::size_t>(folders.Find(3)), false);
  folders.ToggleTrash(static_cast<std::size_t>(folders.Find(4)));
  tolvane::ItemList& items = store.items();
  items.ParseItemLine("7\tseven\thttp://s/7\t0\t\t0\t\t\t\t1");
  items.MarkDeleted(
      static_cast<std::size_t>(items.ParseItemLine("8\teight\thttp://s/8\t0\t\t0\t\t\t\t1")));
  items.ParseItemLine("9\tnine\thttp://s/9");
  items.SetInTrash(
      static_cast<std::size_t>(items.ParseItemLine("10\tten\thttp://s/10\t0\t\t0\t\t\t\t1")), true);
  // 29 single bytes, then a double-byte character over bytes 30 and 31.
  items.ParseItemLine("11\t" + std::string(29, 'b') +
                      "\x93\x8c\x8b\x9e\thttp://s/11\t0\t\t0\t\t\t\t1");
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  static tolvane::fuzz::SettingsFile file("store_bar_fuzz");
  static FixedClock clock;
  const std::string_view bytes(reinterpret_cast<const char*>(data), size);
  tolvane::SettingsStore& settings = file.Holding(bytes);
  tolvane::ItemStore store(tolvane::StoreType::kFavorites, settings, clock);
  Fill(store);
  const tolvane::ItemFolderTree& folders = store.folders();
  const tolvane::ItemList& items = store.items();

  tolvane::StoreBar bar(store, settings);
  const std::vector<tolvane::StoreBarButton> buttons = bar.Buttons();
  std::set<std::string> tokens;
  for (const tolvane::StoreBarButton& button : buttons) {
    Check(tokens.insert(button.token).second);
    Check(button.text.size() <= tolvane::StoreBar::kMaxTextBytes &&
          tolvane::cp932::PrefixWithin(button.text, tolvane::StoreBar::kMaxTextBytes).size() ==
              button.text.size());
    const auto i = static_cast<std::size_t>(button.index);
    if (button.kind == tolvane::StoreBarButton::Kind::kFolder) {
      Check(i < folders.size() && OnBar(folders, i) &&
            button.token == "F" + std::to_string(folders.id(i)));
    } else {
      Check(i < items.size() && OnBar(items, i) &&
            button.token == "E" + std::to_string(items.id(i)));
    }
  }
  std::size_t shown = 0;
  for (std::size_t i = 0; i < folders.size(); ++i) shown += OnBar(folders, i) ? 1 : 0;
  for (std::size_t i = 0; i < items.size(); ++i) shown += OnBar(items, i) ? 1 : 0;
  Check(buttons.size() == std::min(shown, tolvane::StoreBar::kMaxButtons));

  // A file the settings store cannot rewrite is left as it is; otherwise
  // the order written starts with the buttons' and gives them again.
  bar.SaveOrder();
  std::string joined;
  for (const tolvane::StoreBarButton& button : buttons) {
    joined += (joined.empty() ? "" : ",") + button.token;
  }
  const std::string stored = Read(settings, tolvane::settings::kFavoriteBarButtonIDs);
  if (stored == joined ||
      (buttons.size() == tolvane::StoreBar::kMaxButtons && stored.starts_with(joined + ","))) {
    Check(tolvane::StoreBar::Describe(bar.Buttons()) == tolvane::StoreBar::Describe(buttons));
  }
  return 0;
}
