#include "core/stores/engine_list.h"

#include <algorithm>
#include <climits>

#include "core/files/id_search.h"
#include "core/files/record_fields.h"
#include "core/files/string_table.h"
#include "core/stores/clip_list.h"
#include "core/stores/item_lister.h"

namespace tolvane {
namespace {

constexpr int kUntitledName = 138;  // "無題"

// "検索エンジンID" and "検索フォルダID" in Shift_JIS, 14 bytes each.
constexpr std::string_view kEngineReferencePrefix =
    "\x8c\x9f\x8d\xf5\x83\x47\x83\x93\x83\x57\x83\x93ID";
constexpr std::string_view kFolderReferencePrefix =
    "\x8c\x9f\x8d\xf5\x83\x74\x83\x48\x83\x8b\x83\x5f"
    "ID";

// The number of "<prefix>[n]": the text after the prefix and the "[", less
// the last character. Too short a value reads as 0.
int ReferenceNumber(std::string_view value, std::size_t prefix_size) {
  const std::size_t start = prefix_size + 1;
  if (value.size() <= start) return 0;
  return ParseDecimalPrefix(value.substr(start, value.size() - start - 1));
}

}  // namespace

EngineList::EngineList(StoreType type)
    : type_(type == StoreType::kTabs ? StoreType::kTabs : StoreType::kEngineList),
      highest_id_(InitialHighestId()) {}

int EngineList::InitialHighestId() const {
  return type_ == StoreType::kTabs ? 0 : kFirstUserEngineId;
}

void EngineList::ResetHighestId() { highest_id_ = InitialHighestId(); }

// In the engine list only user IDs count: downloaded engines numbered above
// the user range must not push NextId() out of it.
void EngineList::RaiseHighestId(int id) {
  if (type_ != StoreType::kTabs && id > kLastUserEngineId) return;
  highest_id_ = std::max(highest_id_, id);
}

void EngineList::Clear() {
  ids_.clear();
  folder_ids_.clear();
  names_.clear();
  tab_names_.clear();
  short_names_.clear();
  urls_.clear();
  top_urls_.clear();
  search_urls_.clear();
  post_data_.clear();
  extra9_.clear();
  extra10_.clear();
  encodings_.clear();
  favicon_keys_.clear();
  archived_.clear();
  orders_.clear();
  gestures_.clear();
  shortcuts_.clear();
  on_search_bar_.clear();
  icon_indices_.clear();
  image_indices_.clear();
  deleted_.clear();
  match_hint_ = 0;
}

int EngineList::ParseRecord(std::string_view line) {
  const RecordFields fields(line);
  if (fields.size() < kRequiredFields) return -1;
  const int id = fields.Int(0);
  ids_.push_back(id);
  folder_ids_.push_back(fields.Int(1));
  names_.push_back(fields.Text(2));
  tab_names_.push_back(fields.Text(3));
  short_names_.push_back(fields.Text(4));
  urls_.push_back(fields.Text(5));
  top_urls_.push_back(fields.Text(6));
  search_urls_.push_back(fields.Text(7));
  post_data_.push_back(fields.Text(8));
  extra9_.push_back(fields.Text(9));
  extra10_.push_back(fields.Text(10));
  encodings_.push_back(fields.Int(11));
  favicon_keys_.push_back(fields.Text(12));
  archived_.push_back(static_cast<std::uint8_t>(fields.Int(13, 0)));
  orders_.push_back(fields.Int(14, kNoOrder));
  gestures_.push_back(fields.Text(15));
  shortcuts_.push_back(fields.Text(16));
  on_search_bar_.push_back(static_cast<std::uint8_t>(fields.Int(17, 0)));
  icon_indices_.push_back(static_cast<std::uint16_t>(fields.Int(18, 0)));
  image_indices_.push_back(0);
  deleted_.push_back(0);
  RaiseHighestId(id);
  return static_cast<int>(ids_.size() - 1);
}

int EngineList::ParseOptionLine(std::string_view line) {
  if (ids_.empty()) return -1;
  const RecordFields fields(line);
  if (fields.size() < kRequiredOptionFields) return -1;
  const int found = FindIdFrom(ids_, fields.Int(0), match_hint_);
  if (found < 0) return -1;
  const auto i = static_cast<std::size_t>(found);
  favicon_keys_[i] = fields.Text(1);
  archived_[i] = static_cast<std::uint8_t>(fields.Int(2));
  orders_[i] = fields.Int(3);
  gestures_[i] = fields.Text(4);
  shortcuts_[i] = fields.Text(5);
  on_search_bar_[i] = static_cast<std::uint8_t>(fields.Int(6));
  icon_indices_[i] = static_cast<std::uint16_t>(fields.Int(7, 0));
  match_hint_ = i;
  return found;
}

std::string EngineList::FormatRecord(std::size_t index) const {
  if (deleted_[index]) return {};
  std::string line = std::to_string(ids_[index]);
  AppendField(line, folder_ids_[index]);
  AppendField(line, names_[index]);
  AppendField(line, tab_names_[index]);
  AppendField(line, short_names_[index]);
  AppendField(line, urls_[index]);
  AppendField(line, top_urls_[index]);
  AppendField(line, search_urls_[index]);
  AppendField(line, post_data_[index]);
  AppendField(line, extra9_[index]);
  AppendField(line, extra10_[index]);
  AppendField(line, encodings_[index]);
  if (type_ == StoreType::kEngineList) return line;
  // The tab file has no option file of its own: the option columns follow.
  const std::string options = FormatOptionLine(index);
  line.append(options, options.find('\t'));
  return line;
}

std::string EngineList::FormatOptionLine(std::size_t index) const {
  if (deleted_[index]) return {};
  std::string line = std::to_string(ids_[index]);
  AppendField(line, favicon_keys_[index]);
  AppendField(line, archived_[index]);
  AppendField(line, orders_[index]);
  AppendField(line, gestures_[index]);
  AppendField(line, shortcuts_[index]);
  AppendField(line, on_search_bar_[index]);
  AppendField(line, icon_indices_[index]);
  return line;
}

std::size_t EngineList::CountLive() const {
  return static_cast<std::size_t>(std::count(deleted_.begin(), deleted_.end(), 0));
}

std::size_t EngineList::CountLiveUserEngines() const {
  std::size_t count = 0;
  for (std::size_t i = 0; i < ids_.size(); ++i) {
    if (!deleted_[i] && IsUserEngineId(ids_[i])) ++count;
  }
  return count;
}

int EngineList::FindById(int id) const {
  const auto it = std::find(ids_.begin(), ids_.end(), id);
  return it == ids_.end() ? -1 : static_cast<int>(it - ids_.begin());
}

std::optional<int> EngineList::NextId() const {
  const int limit = type_ == StoreType::kTabs ? INT_MAX : kLastUserEngineId;
  if (highest_id_ >= limit) return std::nullopt;
  return highest_id_ + 1;
}

void EngineList::set_id(std::size_t i, int v) {
  ids_[i] = v;
  RaiseHighestId(v);
}

int EngineList::EffectiveFolder(std::size_t index) const {
  return archived_[index] ? kArchiveFolderId : folder_ids_[index];
}

std::vector<int> EngineList::ListFolder(int folder_id) const {
  return ListCategory(*this, folder_id);
}

std::string EngineList::DisplayName(std::size_t index) const {
  if (!names_[index].empty()) return names_[index];
  if (!urls_[index].empty()) return urls_[index];
  return LoadString(kUntitledName);
}

void EngineList::MarkDeleted(std::size_t index) {
  deleted_[index] = 1;
  if (type_ == StoreType::kTabs && clips_ != nullptr) clips_->MarkDeletedForTab(ids_[index]);
}

void EngineList::RemoveMembersOf(int folder_id) {
  for (std::size_t i = 0; i < ids_.size(); ++i) {
    if (!deleted_[i] && folder_ids_[i] == folder_id) MarkDeleted(i);
  }
}

void EngineList::ClearFaviconKeys() {
  for (auto& key : favicon_keys_) key.clear();
}

std::optional<std::string> EngineList::EngineName(int engine_id) const {
  const int index = FindById(engine_id);
  if (index < 0) return std::nullopt;
  return names_[static_cast<std::size_t>(index)];
}

std::optional<int> EngineList::CreateUserEngine(const EngineDialogValues& values,
                                                const EngineCreationPlace& place) {
  const auto id = NextId();
  if (!id) return std::nullopt;
  const bool beside_engine =
      place.selected_engine >= 0 && static_cast<std::size_t>(place.selected_engine) < size();
  const auto selected = static_cast<std::size_t>(place.selected_engine);
  int folder = beside_engine ? folder_ids_[selected] : place.folder_id;
  // A row filed in the archive folder itself but not flagged archived would
  // be listed under no folder at all: make it an archived top-level engine.
  bool archive = beside_engine ? archived(selected) : false;
  if (folder == kArchiveFolderId) {
    folder = 0;
    archive = true;
  }

  std::string line = std::to_string(*id);
  AppendField(line, folder);
  AppendField(line, values.name);
  AppendField(line, values.tab_name);
  AppendField(line, values.short_name);
  AppendField(line, values.url);
  AppendField(line, std::string_view());
  AppendField(line, values.search_url);
  AppendField(line, values.post_data);
  AppendField(line, std::string_view());
  AppendField(line, std::string_view());
  AppendField(line, values.encoding);
  const int index = ParseRecord(line);
  const auto row = static_cast<std::size_t>(index);
  gestures_[row] = values.gesture;
  shortcuts_[row] = values.shortcut;
  on_search_bar_[row] = values.on_search_bar ? 1 : 0;
  archived_[row] = archive ? 1 : 0;
  orders_[row] = beside_engine ? orders_[selected] : kCreatedInFolderOrder;
  changes_.Notify(StoreChange::Part::kItems);
  return index;
}

int EngineList::ReferencedFolder(std::size_t index) const {
  for (const std::string* column : {&search_urls_[index], &urls_[index]}) {
    const Reference reference = ParseReference(*column);
    if (reference.kind == ReferenceKind::kFolder) return reference.id;
    if (reference.kind == ReferenceKind::kEngine) {
      const EngineList& engines = ReferenceTarget();
      const int engine = engines.FindById(reference.id);
      if (engine >= 0) return engines.EffectiveFolder(static_cast<std::size_t>(engine));
    }
  }
  return -1;
}

std::string EngineList::EngineReference(int engine_id) {
  return std::string(kEngineReferencePrefix) + "[" + std::to_string(engine_id) + "]";
}

std::string EngineList::FolderReference(int folder_id) {
  return std::string(kFolderReferencePrefix) + "[" + std::to_string(folder_id) + "]";
}

EngineList::Reference EngineList::ParseReference(std::string_view value) const {
  if (value.starts_with(kFolderReferencePrefix)) {
    return {ReferenceKind::kFolder, ReferenceNumber(value, kFolderReferencePrefix.size())};
  }
  if (type_ == StoreType::kTabs && value.starts_with(kEngineReferencePrefix)) {
    return {ReferenceKind::kEngine, ReferenceNumber(value, kEngineReferencePrefix.size())};
  }
  return {};
}

// Unlike ListFolder, no archive condition: a reference to the archive folder
// takes every row whose effective folder it is.
const std::vector<int>& EngineList::FolderReferenceRows(int folder_id, FolderRows& cache) const {
  if (cache.listed && cache.folder_id == folder_id) return cache.rows;
  cache.folder_id = folder_id;
  cache.listed = true;
  std::vector<int>& rows = cache.rows;
  rows.clear();
  for (std::size_t i = 0; i < ids_.size(); ++i) {
    if (!deleted_[i] && EffectiveFolder(i) == folder_id) rows.push_back(static_cast<int>(i));
  }
  std::stable_sort(rows.begin(), rows.end(), [this](int a, int b) {
    return orders_[static_cast<std::size_t>(a)] < orders_[static_cast<std::size_t>(b)];
  });
  return rows;
}

// Column `column` of each row of folder reference `folder_id`, each followed
// by a TAB; called on the engine list the reference points into.
std::string EngineList::JoinFolder(int folder_id,
                                   const std::vector<std::string> EngineList::*column,
                                   FolderRows& cache) const {
  std::string joined;
  for (int row : FolderReferenceRows(folder_id, cache)) {
    joined += (this->*column)[static_cast<std::size_t>(row)];
    joined += '\t';
  }
  return joined;
}

std::string EngineList::Resolve(std::size_t index,
                                const std::vector<std::string> EngineList::*column,
                                FolderRows& cache) const {
  const std::string& value = (this->*column)[index];
  const Reference reference = ParseReference(value);
  const EngineList& engines = ReferenceTarget();
  switch (reference.kind) {
    case ReferenceKind::kNone:
      break;
    case ReferenceKind::kEngine: {
      const int row = engines.FindById(reference.id);
      return row < 0 ? std::string() : (engines.*column)[static_cast<std::size_t>(row)];
    }
    case ReferenceKind::kFolder:
      return engines.JoinFolder(reference.id, column, cache);
  }
  return value;
}

std::string EngineList::ResolveUrls(std::size_t index) const {
  FolderRows cache;
  return Resolve(index, &EngineList::urls_, cache);
}

std::string EngineList::ResolveSearchUrls(std::size_t index) const {
  FolderRows cache;
  return Resolve(index, &EngineList::search_urls_, cache);
}

std::string EngineList::ResolvePostData(std::size_t index) const {
  FolderRows cache;
  return Resolve(index, &EngineList::post_data_, cache);
}

std::string EngineList::ResolveNames(std::size_t index) const {
  FolderRows cache;
  return ResolveNames(index, cache);
}

std::vector<int> EngineList::ResolveEncodings(std::size_t index) const {
  FolderRows cache;
  return ResolveEncodings(index, cache);
}

EngineList::ResolvedRow EngineList::ResolveRow(std::size_t index) const {
  FolderRows cache;
  ResolvedRow row;
  row.urls = Resolve(index, &EngineList::urls_, cache);
  row.names = ResolveNames(index, cache);
  row.search_urls = Resolve(index, &EngineList::search_urls_, cache);
  row.post_data = Resolve(index, &EngineList::post_data_, cache);
  row.encodings = ResolveEncodings(index, cache);
  row.post_engine_ids = ResolvePostEngineIds(index, cache);
  return row;
}

// An engine reference keeps the tab's own name: the tab is named after its
// engine when it is made, and the user may rename it.
std::string EngineList::ResolveNames(std::size_t index, FolderRows& cache) const {
  if (type_ != StoreType::kTabs) return names_[index];
  const Reference reference = ParseReference(urls_[index]);
  if (reference.kind != ReferenceKind::kFolder) return names_[index];
  return ReferenceTarget().JoinFolder(reference.id, &EngineList::names_, cache);
}

// Number column `column` of the engine or each engine of the folder that
// `value` refers to; empty when it refers to none.
std::vector<int> EngineList::ReferencedNumbers(const std::string& value,
                                               const std::vector<int> EngineList::*column,
                                               FolderRows& cache) const {
  const Reference reference = ParseReference(value);
  const EngineList& engines = ReferenceTarget();
  std::vector<int> numbers;
  if (reference.kind == ReferenceKind::kEngine) {
    const int row = engines.FindById(reference.id);
    if (row >= 0) numbers.push_back((engines.*column)[static_cast<std::size_t>(row)]);
  } else if (reference.kind == ReferenceKind::kFolder) {
    for (int row : engines.FolderReferenceRows(reference.id, cache)) {
      numbers.push_back((engines.*column)[static_cast<std::size_t>(row)]);
    }
  }
  return numbers;
}

std::vector<int> EngineList::ResolveEncodings(std::size_t index, FolderRows& cache) const {
  return ReferencedNumbers(search_urls_[index], &EngineList::encodings_, cache);
}

std::vector<int> EngineList::ResolvePostEngineIds(std::size_t index, FolderRows& cache) const {
  if (type_ != StoreType::kTabs && ParseReference(post_data_[index]).kind == ReferenceKind::kNone) {
    return {ids_[index]};
  }
  return ReferencedNumbers(post_data_[index], &EngineList::ids_, cache);
}

}  // namespace tolvane
