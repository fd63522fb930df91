#include "core/app/tolvane_doc.h"

#include <algorithm>
#include <cctype>
#include <cstdio>
#include <cstring>
#include <memory>
#include <utility>

#include "core/browser/outside_address.h"
#include "core/files/data_file.h"
#include "core/files/setting_keys.h"
#include "core/files/string_table.h"
#include "core/files/temporary_file_name.h"
#include "core/text/charset_converter.h"
#include "core/text/cp932_tables.h"

namespace tolvane {
namespace {

constexpr std::string_view kMutexName = "Tolvane.exe";
constexpr std::size_t kMaxShortcutUrlBytes = 65535;
// A refused address is named in a message; a longer one is cut.
constexpr std::size_t kMaxRefusedBytes = 200;

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

// True when both are regular files with the same bytes, compared a block
// at a time (a damaged store may be as large as the largest one).
bool SameBytes(const std::filesystem::path& a, const std::filesystem::path& b) {
  std::error_code ec_a;
  std::error_code ec_b;
  if (!std::filesystem::is_regular_file(a, ec_a) || !std::filesystem::is_regular_file(b, ec_b) ||
      std::filesystem::file_size(a, ec_a) != std::filesystem::file_size(b, ec_b) || ec_a || ec_b) {
    return false;
  }
  std::unique_ptr<std::FILE, int (*)(std::FILE*)> file_a(std::fopen(a.c_str(), "rb"), std::fclose);
  std::unique_ptr<std::FILE, int (*)(std::FILE*)> file_b(std::fopen(b.c_str(), "rb"), std::fclose);
  if (!file_a || !file_b) return false;
  std::vector<char> block_a(1 << 16);
  std::vector<char> block_b(block_a.size());
  for (;;) {
    const std::size_t n = std::fread(block_a.data(), 1, block_a.size(), file_a.get());
    if (std::fread(block_b.data(), 1, block_b.size(), file_b.get()) != n) return false;
    if (std::memcmp(block_a.data(), block_b.data(), n) != 0) return false;
    if (n < block_a.size()) return !std::ferror(file_a.get()) && !std::ferror(file_b.get());
  }
}

DamagedCopy FindDamagedCopy(const std::filesystem::path& file) {
  constexpr int kMaxCopies = 100;
  for (int n = 1; n <= kMaxCopies; ++n) {
    std::filesystem::path candidate =
        file.string() + ".damaged" + (n == 1 ? std::string() : "." + std::to_string(n));
    std::error_code ec;
    if (!std::filesystem::exists(std::filesystem::symlink_status(candidate, ec))) {
      return {candidate, false};
    }
    if (SameBytes(file, candidate)) return {candidate, true};
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
    case Status::kCannotLock:
      return file.string() + ": the data directory cannot be locked: " + reason;
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

  if (auto taken = TakeDataDirectory(); !taken.ok()) return taken;

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

  // The engine options file is held too: read it between lock and unlock.
  // Its failure is not fatal; the unlock creates it when missing.
  Lock();
  auto too_large = LoadTolerated(StoreType::kEngineOptions);
  Unlock();
  if (too_large) return *too_large;

  const auto clip_failures = tolerated_failures_.size();
  if (too_large = LoadTolerated(StoreType::kClips); too_large) return *too_large;
  clip_load_failed_ = tolerated_failures_.size() != clip_failures;

  commands_.Load(settings_);
  stored_shortcuts_ = commands_.ShortcutsText();
  stored_gestures_ = commands_.GesturesText();
  return {};
}

std::string CTolvaneDoc::ToleratedFailureNotice() const {
  std::string notice;
  for (const DocumentOpenResult& failure : tolerated_failures_) {
    // A withheld store has its own notice (SaveFailureReporter).
    if (failure.store && IsWithheld(*failure.store)) continue;
    if (!notice.empty()) notice += "\n\n";
    notice += FormatString(string_id::kStoreLoadTolerated,
                           {Utf8ToSjis(failure.file.filename().string()),
                            Utf8ToSjis(failure.file.string() + ": " + failure.reason)});
    if (!failure.kept_as.empty()) {
      notice += "\n" + FormatString(string_id::kStoreKeptAside,
                                    {Utf8ToSjis(failure.kept_as.filename().string())});
    }
    if (failure.store == StoreType::kEngineOptions) {
      notice += "\n" + LoadString(string_id::kEngineOptionsReset);
    }
  }
  return notice;
}

bool CTolvaneDoc::SaveCommands() {
  std::string shortcuts = commands_.ShortcutsText();
  std::string gestures = commands_.GesturesText();
  if (shortcuts == stored_shortcuts_ && gestures == stored_gestures_) return true;
  if (!commands_.Save(settings_)) return false;
  stored_shortcuts_ = std::move(shortcuts);
  stored_gestures_ = std::move(gestures);
  return true;
}

DocumentOpenResult CTolvaneDoc::TakeDataDirectory() {
  DocumentOpenResult result;
  result.file = data_dir_ / kInstanceLockFile;
  // Under the mutex so that a copy in the middle of Lock()/Unlock() on
  // another directory, or of its own start, is never interleaved with ours.
  // Nothing done under it may block: the hold is taken without waiting.
  mutex_ = env_.AcquireNamedMutex(kMutexName);
  HoldRefusal refusal;
  instance_hold_ = env_.HoldFileExclusively(result.file, &refusal);
  if (instance_hold_) {
    RemoveStaleTemporaryFiles();
  } else {
    result.status = refusal.held_elsewhere ? DocumentOpenResult::Status::kHeldByAnotherCopy
                                           : DocumentOpenResult::Status::kCannotLock;
    result.reason = refusal.reason;
  }
  mutex_.reset();
  return result;
}

void CTolvaneDoc::RemoveStaleTemporaryFiles() {
  // Every file the program replaces in the data directory; their temporary
  // files are only written while the directory is held, so any left now
  // belong to a copy that was killed.
  std::vector<std::string> names{std::string(SettingsStore::kFileName),
                                 ClipExport::OutputPath(data_dir_).filename().string()};
  for (int i = 0; i < kStoreTypeCount; ++i) {
    names.emplace_back(StoreFileName(static_cast<StoreType>(i)));
  }
  std::error_code ec;
  for (std::filesystem::directory_iterator it(data_dir_, ec), end; !ec && it != end;
       it.increment(ec)) {
    const std::string file_name = it->path().filename().string();
    const bool ours = std::any_of(names.begin(), names.end(), [&](const std::string& name) {
      return IsTemporaryFileOf(file_name, name);
    });
    if (ours) env_.RemoveFile(it->path());
  }
}

std::optional<DocumentOpenResult> CTolvaneDoc::LoadTolerated(StoreType type) {
  auto result = LoadStore(type);
  if (result.ok()) return std::nullopt;
  // Past the largest store there can be, the file is no store of this
  // program: it is not copied aside (it may be gigabytes), and at start-up
  // it stops the start like any store that cannot be read.
  std::error_code ec;
  const auto size = std::filesystem::file_size(result.file, ec);
  if (size > DataFile::kMaxFileBytes && !ec) return result;
  // An empty file has nothing to keep.
  if (size == 0 && !ec) {
    tolerated_failures_.push_back(std::move(result));
    return std::nullopt;
  }
  // The next save rewrites this file from what could be read: keep the
  // damaged original beside it so nothing the user had is lost for good.
  // Without that copy the original is the only one: never write over it.
  const DamagedCopy copy = FindDamagedCopy(result.file);
  std::string error = "no free name for another damaged copy";
  if (copy.already_kept || (!copy.path.empty() && env_.CopyFile(result.file, copy.path, &error))) {
    result.kept_as = copy.path;
  } else if (!IsWithheld(type)) {
    const std::string name = copy.path.empty() ? "NAME.damaged" : copy.path.filename().string();
    withheld_.push_back({type, result.file, "could not be kept as " + name + ": " + error});
  }
  tolerated_failures_.push_back(std::move(result));
  return std::nullopt;
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
    if (saved.ok) {
      ++report.saved;
    } else {
      report.failures.push_back({type, path, saved.message});
    }
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
  engine_folders().changes().Notify(StoreChange::Part::kFolders);
  engines().changes().Notify(StoreChange::Part::kItems);
  return loaded;
}

void CTolvaneDoc::Lock() {
  mutex_ = env_.AcquireNamedMutex(kMutexName);
  hold_.reset();
}

void CTolvaneDoc::Unlock() {
  const auto options = StorePath(StoreType::kEngineOptions);
  // The hold creates a missing file empty, and an empty one reads as cut
  // short: a missing one is written whole first (a failure leaves it to
  // the hold and the next save).
  std::error_code ec;
  if (std::filesystem::symlink_status(options, ec).type() ==
      std::filesystem::file_type::not_found) {
    DataFile::Save(StoreType::kEngineOptions, options, binding(StoreType::kEngineOptions), {},
                   env_);
  }
  hold_ = env_.HoldFileExclusively(options, nullptr);
  mutex_.reset();
}

std::string CTolvaneDoc::StartUrl(const std::string& argument, std::string* refused) {
  const int start_mode = Read(settings_, settings::kMainStartMode);
  if (!argument.empty()) {
    // Shift_JIS from here on: a .url file keeps its URL that way.
    std::string address;
    OutsideAddress::Source source = OutsideAddress::Source::kArgument;
    if (EndsWithUrlSuffix(argument)) {
      SettingsStore shortcut(std::filesystem::path(argument), env_);
      address = shortcut.GetString("InternetShortcut", "URL", "");
      if (address.empty()) return {};
      if (address.size() > kMaxShortcutUrlBytes) address.resize(kMaxShortcutUrlBytes);
      source = OutsideAddress::Source::kShortcut;
    } else {
      address = Utf8ToSjis(argument);
    }
    OutsideAddress judged = JudgeOutsideAddress(
        source == OutsideAddress::Source::kShortcut ? address : argument, source);
    if (judged.refused()) {
      if (refused != nullptr)
        *refused = std::string(cp932::PrefixWithin(address, kMaxRefusedBytes));
      return {};
    }
    return judged.kind == OutsideAddress::Kind::kWeb ? address : std::move(judged.url);
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

WorkspaceStores CTolvaneDoc::workspace_stores() {
  return WorkspaceStores{
      .tabs = tabs_,
      .engines = engines_,
      .groups = tab_folders_,
      .engine_folders = engine_folders_,
      .clips = clips_,
      .settings = settings_,
      .keywords = keywords_,
      .history = history_,
      .favorites = favorites_,
      .clip_load_failed = clip_load_failed_,
  };
}

}  // namespace tolvane
