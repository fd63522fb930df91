// The settings and the item stores tell their observers of each change that
// took effect, and of nothing else.
#include <gtest/gtest.h>

#include <string>

#include "core/files/change_notifier.h"
#include "core/files/settings_store.h"
#include "core/stores/item_store.h"
#include "platform/posix_env.h"
#include "support/fake_clock.h"
#include "support/fake_prompter.h"
#include "support/temp_dir.h"

namespace tolvane {
namespace {

// "settings Section/Key", "favorites items", "favorites folders".
class ChangeLog : public StoreObserver {
 public:
  void StoreChanged(const ChangeNotifier& store, const StoreChange& change) override {
    std::string line = &store == favorites ? "favorites" : "settings";
    if (change.part == StoreChange::Part::kSettings) {
      line += " " + change.section + "/" + change.key;
    } else {
      line += change.part == StoreChange::Part::kItems ? " items" : " folders";
    }
    text += (text.empty() ? "" : "; ") + line;
  }
  std::string Take() {
    std::string out;
    out.swap(text);
    return out;
  }

  const ChangeNotifier* favorites = nullptr;
  std::string text;
};

TEST(StoreChangesTest, ObserversHearOfEachChangeThatTookEffect) {
  testing::TempDir dir;
  PosixEnv env(dir.path());
  SettingsStore settings(dir / "vq_system.ini", env);
  testing::FakeClock clock;
  testing::FakePrompter prompter(false);
  ItemStore favorites(StoreType::kFavorites, settings, clock);
  favorites.ResetToDefaults();
  ChangeLog log;
  log.favorites = &favorites.changes();
  settings.changes().AddObserver(log);
  favorites.changes().AddObserver(log);

  settings.WriteInt("OptionMain", "CloseMode", 1);
  settings.WriteInt("OptionMain", "CloseMode", 1);  // the same bytes
  settings.DeleteKey("OptionMain", "Missing");
  settings.WriteSection("AddressList", {"url1=http://a/"});
  EXPECT_EQ(log.Take(), "settings OptionMain/CloseMode; settings AddressList/");

  const int item = favorites.AddOrCount({"A", "http://a/", -1, "tag", true}, prompter);
  favorites.AddOrCount({"A", "http://a/", -1, "", true}, prompter);
  favorites.ToggleItemTrash(static_cast<std::size_t>(item));
  favorites.DeleteItem(static_cast<std::size_t>(item), prompter);  // answered No
  favorites.Clear(prompter);                                       // answered No
  EXPECT_EQ(log.Take(), "favorites items; favorites folders; favorites items; favorites items");
  prompter.set_answer(true);
  favorites.Clear(prompter);
  EXPECT_EQ(log.Take(), "favorites items; favorites folders");

  favorites.changes().RemoveObserver(log);
  favorites.AddOrCount({"B", "http://b/", -1, "", true}, prompter);
  EXPECT_EQ(log.Take(), "");
  settings.changes().RemoveObserver(log);
}

}  // namespace
}  // namespace tolvane
