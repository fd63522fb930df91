#include "core/app/tolvane_doc.h"

#include <algorithm>
#include <cctype>
#include <utility>

#include "core/app/data_file.h"
#include "core/app/setting_keys.h"
#include "core/app/string_table.h"
#include "core/search/charset_converter.h"

namespace tolvane {
namespace {

constexpr std::string_view kMutexName = "Tolvane.exe";
constexpr std::size_t kMaxShortcutUrlBytes = 65535;

// Counts what a store accepts while a file is read into it.
class CountingBinding : public StoreBinding {
 public:
  explicit CountingBinding(StoreBinding& inner) : inner_(inner) {}
  void ResetToDefaults() override { inner_.ResetToDefaults(); }
  int ParseFolderLine(std::string_view line) override {
    int index = inner_.ParseFolderLine(line);
    if (index >= 0) ++folders;
    return index;
  }
  int ParseItemLine(std::string_view line) override {
    int index = inner_.ParseItemLine(line);
    if (index >= 0) ++items;
    return index;
  }
  std::size_t FolderSlotCount() const override { return inner_.FolderSlotCount(); }
  std::string FormatFolderLine(std::size_t index) const override {
    return inner_.FormatFolderLine(index);
  }
  std::size_t ItemSlotCount() const override { return inner_.ItemSlotCount(); }
  std::string FormatItemLine(std::size_t index, const SaveContext& context) const override {
    return inner_.FormatItemLine(index, context);
  }

  int folders = 0;
  int items = 0;

 private:
  StoreBinding& inner_;
};

bool EndsWithUrlSuffix(const std::string& argument) {
  if (argument.size() < 4) return false;
  std::string tail = argument.substr(argument.size() - 4);
  std::transform(tail.begin(), tail.end(), tail.begin(),
                 [](unsigned char c) { return static_cast<char>(std::toupper(c)); });
  return tail == ".URL";
}

// Where a damaged store file is kept aside: "NAME.damaged", or when that
// holds an earlier damaged copy with other bytes, the first free
// "NAME.damaged.N" (N from 2): a copy kept by an earlier run may be all that
// is left of the user's data, so it is never replaced. A file already kept
// with the same bytes (a store withheld in earlier runs) is not copied again.
struct DamagedCopy {
  std::filesystem::path path;  // empty: every name is taken
  bool already_kept = false;
};

DamagedCopy FindDamagedCopy(const std::filesystem::path& file) {
  constexpr int kMaxCopies = 100;
  std::string damaged;
  const bool readable = ReadWholeFile(file, &damaged);
  for (int n = 1; n <= kMaxCopies; ++n) {
    std::filesystem::path candidate =
        file.string() + ".damaged" + (n == 1 ? std::string() : "." + std::to_string(n));
    std::error_code ec;
    if (!std::filesystem::exists(std::filesystem::symlink_status(candidate, ec))) {
      return {candidate, false};
    }
    std::string kept;
    if (readable && ReadWholeFile(candidate, &kept) && kept == damaged) return {candidate, true};
  }
  return {};
}

}  // namespace

std::string DocumentOpenResult::Describe() const {
  switch (status) {
    case Status::kOpened:
      return "opened";
    case Status::kHeldByAnotherCopy:
      return file.string() + ": the data directory is in use by another running copy";
    case Status::kStoreFailed:
      return file.string() + ": " + reason;
  }
  return reason;
}

CTolvaneDoc::CTolvaneDoc(std::filesystem::path data_dir, SettingsStore& settings, Env& env,
                         const Clock& clock)
    : clock_(clock),
      data_dir_(std::move(data_dir)),
      save_dir_(data_dir_),
      settings_(settings),
      env_(env),
      favorites_(StoreType::kFavorites, settings, clock),
      keywords_(StoreType::kKeywords, settings, clock),
      history_(StoreType::kHistory, settings, clock),
      clips_(Read(settings, settings::kPageClipMaxData)),
      engine_list_file_(CategoryFileBinding::File::kEngineList, engine_folders_, engines_),
      engine_options_file_(CategoryFileBinding::File::kEngineOptions, engine_folders_, engines_),
      user_engines_file_(CategoryFileBinding::File::kUserEngines, engine_folders_, engines_),
      tab_file_(CategoryFileBinding::File::kTabs, tab_folders_, tabs_),
      bindings_{&engine_list_file_,    &favorites_, &keywords_,          &history_,
                &engine_options_file_, &clips_,     &user_engines_file_, &tab_file_} {
  engine_folders_.set_members(&engines_);
  tab_folders_.set_members(&tabs_);
  tabs_.set_engines(&engines_);
  tabs_.set_clips(&clips_);
}

CTolvaneDoc::~CTolvaneDoc() = default;

ItemStore& CTolvaneDoc::item_store(StoreType type) {
  return const_cast<ItemStore&>(std::as_const(*this).item_store(type));
}

const ItemStore& CTolvaneDoc::item_store(StoreType type) const {
  switch (type) {
    case StoreType::kKeywords:
      return keywords_;
    case StoreType::kHistory:
      return history_;
    default:
      return favorites_;
  }
}

ClipExport::Status CTolvaneDoc::ExportOldClips() {
  return ClipExport::Export(data_dir_, engines_, env_);
}

std::vector<int> CTolvaneDoc::ListFolder(StoreType type, int folder_id) const {
  return item_store(type).ListFolder(folder_id);
}

std::filesystem::path CTolvaneDoc::StorePath(StoreType type) const {
  return data_dir_ / std::string(StoreFileName(type));
}

DocumentOpenResult CTolvaneDoc::OnNewDocument() {
  load_counts_.clear();
  tolerated_failures_.clear();
  clip_load_failed_ = false;

  // Only one copy per data directory. The test and the taking of the hold run
  // under the mutex, so two copies started together cannot both pass the test
  // while the first one is between test and hold.
  const auto lock_file = StorePath(StoreType::kEngineOptions);
  std::error_code ec;
  const bool lock_file_existed = std::filesystem::exists(lock_file, ec);
  if (lock_file_existed) {
    mutex_ = env_.AcquireNamedMutex(kMutexName);
    if (env_.IsFileHeldElsewhere(lock_file)) {
      mutex_.reset();
      DocumentOpenResult held;
      held.status = DocumentOpenResult::Status::kHeldByAnotherCopy;
      held.file = lock_file;
      return held;
    }
    Unlock();
  }

  engines_.ResetHighestId();
  tabs_.ResetHighestId();
  for (StoreType type : {StoreType::kEngineList, StoreType::kFavorites, StoreType::kKeywords,
                         StoreType::kHistory, StoreType::kUserEngines, StoreType::kTabs}) {
    if (auto result = LoadStore(type); !result.ok()) return result;
  }
  AddArchiveFolder();
  // A tab file written without the archive folder would leave every tab the
  // user closes nowhere in the tab tree, with no way back.
  tab_folders_.AddArchiveFolder();

  // The engine options file doubles as the lock file: read it between lock and
  // unlock. Its failure is not fatal; the first unlock creates it when missing.
  if (lock_file_existed) Lock();
  LoadTolerated(StoreType::kEngineOptions);
  Unlock();

  const auto clip_failures = tolerated_failures_.size();
  LoadTolerated(StoreType::kClips);
  clip_load_failed_ = tolerated_failures_.size() != clip_failures;
  return {};
}

void CTolvaneDoc::LoadTolerated(StoreType type) {
  auto result = LoadStore(type);
  if (result.ok()) return;
  // The next save rewrites this file from what could be read: keep the
  // damaged original beside it so nothing the user had is lost for good.
  // Without that copy the original is the only one: never write over it.
  const DamagedCopy copy = FindDamagedCopy(result.file);
  std::string error = "no free name for another damaged copy";
  if (!copy.already_kept && (copy.path.empty() || !env_.CopyFile(result.file, copy.path, &error)) &&
      !IsWithheld(type)) {
    const std::string name = copy.path.empty() ? "NAME.damaged" : copy.path.filename().string();
    withheld_.push_back({type, result.file, "could not be kept as " + name + ": " + error});
  }
  tolerated_failures_.push_back(std::move(result));
}

DocumentOpenResult CTolvaneDoc::LoadStore(StoreType type) {
  CountingBinding counting(binding(type));
  const auto path = StorePath(type);
  auto loaded = DataFile::Load(type, path, counting);
  StoreLoadCount count{type, loaded.status != DataFileLoadResult::Status::kMissing,
                       counting.folders, counting.items};
  load_counts_.push_back(count);
  if (type == StoreType::kEngineList && loaded.ok()) engine_list_header_ = loaded.version_line;

  DocumentOpenResult result;
  if (!loaded.ok()) {
    result.status = DocumentOpenResult::Status::kStoreFailed;
    result.store = type;
    result.file = path;
    result.reason = loaded.message;
  }
  return result;
}

void CTolvaneDoc::AddArchiveFolder() { engine_folders_.AddArchiveFolder(); }

void CTolvaneDoc::ClearEngines() {
  engine_folders_.Reset();
  engines_.Clear();
}

SaveReport CTolvaneDoc::SaveAll() {
  SaveContext context;
  context.save_page_tab = Read(settings_, settings::kMainSavePageTab);

  SaveReport report;
  for (StoreType type :
       {StoreType::kEngineOptions, StoreType::kUserEngines, StoreType::kTabs, StoreType::kFavorites,
        StoreType::kKeywords, StoreType::kHistory, StoreType::kClips}) {
    const auto path = save_dir_ / std::string(StoreFileName(type));
    if (IsWithheld(type)) {
      for (const StoreSaveFailure& kept : withheld_) {
        if (kept.store == type) report.withheld.push_back(kept);
      }
      continue;
    }
    auto saved = SaveStore(type, path, context);
    if (!saved.ok) report.failures.push_back({type, path, saved.message});
  }
  return report;
}

bool CTolvaneDoc::IsWithheld(StoreType type) const {
  return std::any_of(withheld_.begin(), withheld_.end(),
                     [type](const StoreSaveFailure& kept) { return kept.store == type; });
}

DataFileSaveResult CTolvaneDoc::SaveStore(StoreType type, const std::filesystem::path& path,
                                          const SaveContext& context) {
  // The engine options file is also the lock file: rewrite it between lock
  // and unlock.
  if (type != StoreType::kEngineOptions) {
    return DataFile::Save(type, path, binding(type), context, env_);
  }
  Lock();
  auto saved = DataFile::Save(type, path, binding(type), context, env_);
  Unlock();
  return saved;
}

bool CTolvaneDoc::ReloadEngines() {
  // The user's engines and every engine's options come back from their
  // files: write what changed since the last save first, and keep the lists
  // as they are when that fails, or those changes would be lost.
  const SaveContext context;
  for (StoreType type : {StoreType::kEngineOptions, StoreType::kUserEngines}) {
    if (!IsWithheld(type) && !SaveStore(type, StorePath(type), context).ok) return false;
  }

  ClearEngines();
  const bool loaded = LoadStore(StoreType::kEngineList).ok();
  // Even without a readable new list the user's engines must be back before
  // the next save rewrites their file.
  LoadTolerated(StoreType::kUserEngines);
  AddArchiveFolder();
  Lock();
  LoadTolerated(StoreType::kEngineOptions);
  Unlock();
  return loaded;
}

void CTolvaneDoc::Lock() {
  mutex_ = env_.AcquireNamedMutex(kMutexName);
  hold_.reset();
}

void CTolvaneDoc::Unlock() {
  hold_ = env_.HoldFileExclusively(StorePath(StoreType::kEngineOptions));
  mutex_.reset();
}

std::string CTolvaneDoc::StartUrl(const std::string& argument) {
  const int start_mode = Read(settings_, settings::kMainStartMode);
  if (!argument.empty()) {
    if (EndsWithUrlSuffix(argument)) {
      SettingsStore shortcut(std::filesystem::path(argument), env_);
      std::string url = shortcut.GetString("InternetShortcut", "URL", "");
      if (url.size() > kMaxShortcutUrlBytes) url.resize(kMaxShortcutUrlBytes);
      return url;
    }
    return Utf8ToSjis(argument);
  }
  if (start_mode == 1) return std::string(settings::kPortalUrl);
  if (start_mode == 3) {
    std::string last = Read(settings_, settings::kMainLastActivePage);
    if (!last.empty()) {
      Write(settings_, settings::kMainLastActivePage, "");
      return last;
    }
  }
  return Read(settings_, settings::kMainStartPage);
}

}  // namespace tolvane
