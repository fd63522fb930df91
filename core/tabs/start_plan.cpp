#include "core/tabs/start_plan.h"

#include "core/files/setting_keys.h"

namespace tolvane {

StartPlan StartPlan::Choose(const SettingsStore& settings, bool has_argument,
                            bool clip_load_failed) {
  StartPlan plan;
  plan.mode = Read(settings, settings::kMainStartMode);
  if (has_argument || clip_load_failed) {
    plan.mode = 1;
  } else if (Read(settings, settings::kMainSavePageTabAtStartup) == 1) {
    plan.mode = 3;
  }
  plan.clip_list_page = clip_load_failed;

  if (plan.mode == 0) {
    plan.item = Item::kNone;
  } else if (plan.mode == 3 || plan.mode == 4) {
    const int id =
        Read(settings, plan.mode == 3 ? settings::kMainLastActiveTab : settings::kMainStartTab);
    // LastActiveTab is 0 when no category tab was selected at exit, -1 when
    // it was never written; neither names a tab.
    if (plan.mode == 3 && (id == 0 || id == -1)) {
      plan.item = Item::kNone;
    } else {
      plan.item = Item::kTabId;
      plan.tab_id = id;
    }
  } else {
    plan.item = Item::kFirstTab;
  }
  plan.start_pages = plan.mode == 1 || plan.mode == 2;
  return plan;
}

}  // namespace tolvane
