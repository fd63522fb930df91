#pragma once

#include <array>
#include <filesystem>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "core/app/save_report.h"
#include "core/commands/command_table.h"
#include "core/files/clock.h"
#include "core/files/data_file.h"
#include "core/files/env.h"
#include "core/files/settings_store.h"
#include "core/files/store_binding.h"
#include "core/files/store_type.h"
#include "core/stores/category_file_binding.h"
#include "core/stores/category_folder_tree.h"
#include "core/stores/clip_export.h"
#include "core/stores/clip_list.h"
#include "core/stores/engine_list.h"
#include "core/stores/item_store.h"
#include "core/tabs/workspace_stores.h"

namespace tolvane {

// Why the document could not be opened, in words a user can act on.
struct DocumentOpenResult {
  enum class Status {
    kOpened,
    kHeldByAnotherCopy,  // another running copy uses this data directory
    kCannotLock,         // the directory's lock file cannot be held (reason)
    kStoreFailed,        // a store file is damaged or unreadable
  };
  Status status = Status::kOpened;
  std::optional<StoreType> store;  // with kStoreFailed
  std::filesystem::path file;      // with kStoreFailed and the lock statuses
  std::string reason;              // what is wrong with the file (English)
  std::filesystem::path kept_as;   // a tolerated failure: where the original was kept

  bool ok() const { return status == Status::kOpened; }
  // One line naming the file and the reason, for stderr and the message box.
  std::string Describe() const;
};

// Records read from one store file at the last load.
struct StoreLoadCount {
  StoreType type;
  bool file_present = false;
  int folders = 0;
  int items = 0;
};

// The document: owns every store of the program for the whole run, loads
// them at start-up in a fixed order, writes them every 60 seconds and at
// exit, and keeps the data directory to one running copy.
//
// Each store file reaches its store through a StoreBinding. The engine list,
// the engine options and the user engines (types 0, 4, 6) share one folder
// tree and one engine list, each file through its own binding, and are read
// in that order (engine list, user engines, options) so the options apply to
// downloaded and user engines alike. The tab list resolves its references
// against the engine list and deletes a tab's page clips with the tab.
//
// Single-instance protocol: the first thing OnNewDocument does, under the
// machine-wide mutex "Tolvane.exe", is to hold the lock file
// kInstanceLockFile beside the data (Env::HoldFileExclusively); the hold
// lasts the whole run and the file is never renamed or replaced, so the
// decision does not depend on any store file. A copy that cannot take it,
// for whatever reason, opens nothing and stops. Under the same hold, the
// temporary files that a killed copy left behind are removed. Besides, the
// document holds vq_searchtree.egt exclusively, giving it up only between
// Lock() and Unlock() (under the mutex) to rewrite or re-read that file.
class CTolvaneDoc {
 public:
  CTolvaneDoc(std::filesystem::path data_dir, SettingsStore& settings, Env& env,
              const Clock& clock);
  ~CTolvaneDoc();
  CTolvaneDoc(const CTolvaneDoc&) = delete;
  CTolvaneDoc& operator=(const CTolvaneDoc&) = delete;

  // The lock file that keeps a data directory to one running copy.
  static constexpr std::string_view kInstanceLockFile = "vq_instance.lock";

  // Takes the data directory and loads every store. Never overwrites a file
  // it failed to read.
  DocumentOpenResult OnNewDocument();

  // Writes every writable store in the save order, each on its own: a write
  // that fails leaves that file as it was and the next store is still
  // written. Stores in withheld() are left untouched.
  SaveReport SaveAll();

  // After a new engine list was installed: writes the user engines and the
  // engine options (unless withheld), clears the engine tree and list and
  // reads the engine list, the user engines and the engine options again.
  // False, with the lists unchanged, when the two files cannot be written
  // first; false, with the user engines and options read back, when the new
  // engine list cannot be read.
  bool ReloadEngines();

  // The URL the first page tab opens. `argument` is the command-line
  // argument (a URL, a ".URL" Internet-shortcut file or an absolute file
  // name), as given, in the native (UTF-8) encoding; the result is
  // Shift_JIS. An argument or shortcut URL JudgeOutsideAddress refuses
  // gives an empty URL, with the address (Shift_JIS, cut) in *refused.
  std::string StartUrl(const std::string& argument, std::string* refused = nullptr);

  void Lock();
  void Unlock();
  bool holds_data_directory() const { return instance_hold_ != nullptr; }

  const std::filesystem::path& data_dir() const { return data_dir_; }
  std::filesystem::path StorePath(StoreType type) const;
  // Where SaveAll writes (the data directory unless changed; tolvanectl
  // roundtrip writes a copy elsewhere).
  void set_save_directory(std::filesystem::path dir) { save_dir_ = std::move(dir); }
  SettingsStore& settings() { return settings_; }
  const Clock& clock() const { return clock_; }

  StoreBinding& binding(StoreType type) { return *bindings_[static_cast<int>(type)]; }

  // The favorites, keywords or history store (types 1-3).
  ItemStore& item_store(StoreType type);
  const ItemStore& item_store(StoreType type) const;
  ItemStore& favorites() { return favorites_; }
  ItemStore& keywords() { return keywords_; }
  ItemStore& history() { return history_; }
  ClipList& clips() { return clips_; }
  CategoryFolderTree& engine_folders() { return engine_folders_; }
  CategoryFolderTree& tab_folders() { return tab_folders_; }
  EngineList& engines() { return engines_; }
  const EngineList& engines() const { return engines_; }
  EngineList& tabs() { return tabs_; }
  const EngineList& tabs() const { return tabs_; }
  // The stores a window's tab workspace works on.
  WorkspaceStores workspace_stores();

  // The items a folder of the favorites, keywords or history store shows, in
  // its order.
  std::vector<int> ListFolder(StoreType type, int folder_id) const;

  bool clip_load_failed() const { return clip_load_failed_; }
  // Run once at start-up when the clip file could not be loaded: if it is
  // one of the earlier layout, its clips are written to "クリップ.html" in
  // the data directory, headed by the names of their engines.
  ClipExport::Status ExportOldClips();
  const std::string& engine_list_header() const { return engine_list_header_; }
  const std::vector<StoreLoadCount>& load_counts() const { return load_counts_; }

  // The command table of the run: its defaults with the user's keys and
  // gestures, read by OnNewDocument.
  CommandTable& commands() { return commands_; }
  const CommandTable& commands() const { return commands_; }
  // Writes the table's keys and gestures when they differ from what was
  // last read or written, so an unchanged table never overwrites what
  // another program stored meanwhile. False when a write failed.
  bool SaveCommands();
  // Loads that failed without stopping start-up (engine options, clips). The
  // damaged file was copied to "<name>.damaged" before any save replaces it
  // (an empty one has nothing to keep).
  const std::vector<DocumentOpenResult>& tolerated_failures() const { return tolerated_failures_; }
  // What the window tells once it shows about the tolerated failures
  // (Shift_JIS): each file, why, where its original was kept; empty when
  // there were none.
  std::string ToleratedFailureNotice() const;
  // Tolerated stores whose damaged file could not be copied aside: they are
  // never written in this run, so the only copy of what the user had stays.
  const std::vector<StoreSaveFailure>& withheld() const { return withheld_; }

 private:
  // Loads one store file; records the counts. Returns the reader's failure
  // as a DocumentOpenResult (kOpened when it loaded or was missing).
  DocumentOpenResult LoadStore(StoreType type);
  // Holds kInstanceLockFile and removes stale temporary files, under the
  // mutex. kOpened when the directory is now this copy's.
  DocumentOpenResult TakeDataDirectory();
  void RemoveStaleTemporaryFiles();
  // Loads a store whose failure does not stop start-up, keeping a damaged
  // file aside; returns the failure when the file is too large to be a
  // store, which stops start-up instead.
  std::optional<DocumentOpenResult> LoadTolerated(StoreType type);
  void AddArchiveFolder();
  void ClearEngines();
  bool IsWithheld(StoreType type) const;
  // Writes one store (the engine options between lock and unlock).
  DataFileSaveResult SaveStore(StoreType type, const std::filesystem::path& path,
                               const SaveContext& context);

  const Clock& clock_;
  std::filesystem::path data_dir_;
  std::filesystem::path save_dir_;
  SettingsStore& settings_;
  Env& env_;
  CategoryFolderTree engine_folders_{StoreType::kEngineList};
  EngineList engines_{StoreType::kEngineList};
  CategoryFolderTree tab_folders_{StoreType::kTabs};
  EngineList tabs_{StoreType::kTabs};
  ItemStore favorites_;
  ItemStore keywords_;
  ItemStore history_;
  ClipList clips_;
  CategoryFileBinding engine_list_file_;
  CategoryFileBinding engine_options_file_;
  CategoryFileBinding user_engines_file_;
  CategoryFileBinding tab_file_;
  std::array<StoreBinding*, kStoreTypeCount> bindings_;
  std::unique_ptr<Hold> instance_hold_;  // on kInstanceLockFile, for the run
  std::unique_ptr<Hold> hold_;           // exclusive hold on vq_searchtree.egt
  std::unique_ptr<Hold> mutex_;          // held only between Lock() and Unlock()
  bool clip_load_failed_ = false;
  std::string engine_list_header_;
  std::vector<StoreLoadCount> load_counts_;
  std::vector<DocumentOpenResult> tolerated_failures_;
  std::vector<StoreSaveFailure> withheld_;
  CommandTable commands_;
  std::string stored_shortcuts_;  // the texts last read or written
  std::string stored_gestures_;
};

}  // namespace tolvane
