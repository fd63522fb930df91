#include "core/tabs/start_plan.h"

#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

#include "core/files/settings_store.h"
#include "platform/posix_env.h"
#include "support/temp_dir.h"

namespace tolvane {
namespace {

using Item = StartPlan::Item;

TEST(StartPlanTest, ModeAndStartItemFollowTheSettingsAndTheStartUpState) {
  const struct {
    std::vector<std::pair<const char*, int>> main;  // OptionMain keys written
    bool argument;
    bool clips_failed;
    int mode;
    Item item;
    int tab_id;
    bool start_pages;
  } cases[] = {
      // SavePageTab missing reads 0 at start-up.
      {{}, false, false, 1, Item::kFirstTab, 0, true},
      {{{"StartMode", 2}}, false, false, 2, Item::kFirstTab, 0, true},
      {{{"StartMode", 0}, {"SavePageTab", 0}}, false, false, 0, Item::kNone, 0, false},
      {{{"StartMode", 4}, {"StartTab", 12}}, false, false, 4, Item::kTabId, 12, false},
      {{{"StartMode", 4}}, false, false, 4, Item::kTabId, -1, false},
      {{{"SavePageTab", 1}, {"LastActiveTab", 7}}, false, false, 3, Item::kTabId, 7, false},
      {{{"StartMode", 0}, {"SavePageTab", 1}, {"LastActiveTab", 7}},
       false,
       false,
       3,
       Item::kTabId,
       7,
       false},
      // No category tab at exit, or never written: nothing opens.
      {{{"SavePageTab", 1}, {"LastActiveTab", 0}}, false, false, 3, Item::kNone, 0, false},
      {{{"StartMode", 3}}, false, false, 3, Item::kNone, 0, false},
      // A command-line address or unreadable clips win over everything.
      {{{"StartMode", 4}, {"SavePageTab", 1}, {"StartTab", 3}},
       true,
       false,
       1,
       Item::kFirstTab,
       0,
       true},
      {{{"StartMode", 0}, {"SavePageTab", 1}}, false, true, 1, Item::kFirstTab, 0, true},
  };
  for (const auto& c : cases) {
    testing::TempDir dir;
    PosixEnv env(dir.path());
    SettingsStore settings(dir / "vq_system.ini", env);
    std::string label;
    for (const auto& [key, value] : c.main) {
      settings.WriteInt("OptionMain", key, value);
      label += std::string(key) + "=" + std::to_string(value) + " ";
    }
    SCOPED_TRACE(label + (c.argument ? "argument " : "") + (c.clips_failed ? "clips-failed" : ""));
    const StartPlan plan = StartPlan::Choose(settings, c.argument, c.clips_failed);
    EXPECT_EQ(plan.mode, c.mode);
    EXPECT_EQ(plan.item, c.item);
    EXPECT_EQ(plan.tab_id, c.tab_id);
    EXPECT_EQ(plan.start_pages, c.start_pages);
    EXPECT_EQ(plan.clip_list_page, c.clips_failed);
  }
}

}  // namespace
}  // namespace tolvane
