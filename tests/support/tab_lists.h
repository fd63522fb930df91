#pragma once

#include <map>
#include <set>
#include <string>
#include <vector>

#include "core/files/settings_store.h"
#include "core/files/store_type.h"
#include "core/stores/category_folder_tree.h"
#include "core/stores/engine_list.h"
#include "core/tabs/tab_tree.h"
#include "core/text/charset_converter.h"
#include "platform/posix_env.h"
#include "support/temp_dir.h"

namespace tolvane::testing {

// The opened tabs as the tab tree asks about them. Page hosts are only
// compared, never used, so any distinct addresses stand in for them.
class FakeTabPages : public TabTreePages {
 public:
  std::vector<TabTreePage> PagesOf(int record) const override {
    const auto it = pages.find(record);
    return it == pages.end() ? std::vector<TabTreePage>() : it->second;
  }
  bool IsLoaded(int record) const override { return loaded.count(record) != 0; }

  // Gives tab `record` pages titled `titles` (UTF-8).
  void Open(int record, const std::vector<std::string>& titles) {
    std::vector<TabTreePage>& list = pages[record];
    list.clear();
    for (const std::string& title : titles) {
      list.push_back(
          {reinterpret_cast<const PageHost*>(&hosts[next_host++ % kHosts]), Utf8ToSjis(title)});
    }
    loaded.insert(record);
  }

  std::map<int, std::vector<TabTreePage>> pages;
  std::set<int> loaded;

 private:
  static constexpr int kHosts = 64;
  char hosts[kHosts] = {};
  int next_host = 0;
};

// A tab list with its groups and a settings file, loaded from UTF-8 record
// lines, and the tab tree over them.
struct TabLists {
  TabLists() {
    groups.Reset();  // the archive folder, index 0
    groups.set_members(&tabs);
    tabs.ResetHighestId();
    tabs.set_engines(&engines);
  }

  int Group(const std::string& line) { return groups.ParseFolderLine(Utf8ToSjis(line)); }
  int Tab(const std::string& line) { return tabs.ParseRecord(Utf8ToSjis(line)); }
  // The tree rebuilt and shown in UTF-8.
  std::string Built() {
    tree.Build(pages);
    return Shown();
  }
  std::string Shown() const { return SjisToUtf8(tree.Describe()); }

  TempDir dir;
  PosixEnv env{dir.path()};
  SettingsStore settings{dir / "vq_system.ini", env};
  EngineList engines{StoreType::kEngineList};
  CategoryFolderTree engine_folders{StoreType::kEngineList};
  CategoryFolderTree groups{StoreType::kTabs};
  EngineList tabs{StoreType::kTabs};
  FakeTabPages pages;
  TabTree tree{groups, tabs, settings};
};

}  // namespace tolvane::testing
