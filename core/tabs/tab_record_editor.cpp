#include "core/tabs/tab_record_editor.h"

#include <algorithm>

#include "core/files/record_fields.h"
#include "core/files/string_table.h"
#include "core/stores/category_folder_tree.h"
#include "core/text/cp932_tables.h"

namespace tolvane {
namespace {

constexpr int kUntitledName = 138;  // "無題"
constexpr int kHomeName = 302;      // "ホーム"
constexpr std::size_t kShortNameChars = 3;
constexpr std::size_t kFolderShortNameBytes = 6;

// Column positions of a tab record line.
enum Column : std::size_t {
  kId,
  kFolderId,
  kName,
  kTabName,
  kShortName,
  kUrl,
  kTopUrl,
  kSearchUrl,
  kPostData,
  kEncoding = 11,
  kArchived = 13,
  kOrder = 14,
  kGesture = 15,
  kShortcut = 16,
  kOnSearchBar = 17,
  kIconIndex = 18,
};

std::size_t CharWidth(std::string_view text, std::size_t i) {
  return cp932::IsDoubleByteAt(text, i) ? 2 : 1;
}

std::string FirstChars(std::string_view text, std::size_t count) {
  std::size_t end = 0;
  for (std::size_t n = 0; n < count && end < text.size(); ++n) end += CharWidth(text, end);
  return std::string(text.substr(0, end));
}

// A tab row as record-line columns, all empty.
using Columns = std::vector<std::string>;
Columns EmptyColumns() { return Columns(EngineList::kAllFields); }

void SetReferences(Columns& columns, const std::string& reference) {
  columns[kUrl] = reference;
  columns[kSearchUrl] = reference;
  columns[kPostData] = reference;
}

// A row or group filed in the archive folder itself, but not flagged
// archived, could never leave it: closing it again would flag it and
// leave it there. It goes in as an archived member of `home` instead.
void PlaceIn(Columns& columns, std::size_t folder_column, std::size_t archived_column, int group_id,
             int home) {
  const bool archive = group_id == CategoryFolderTree::kArchiveId;
  columns[folder_column] = std::to_string(archive ? home : group_id);
  columns[archived_column] = archive ? "1" : "";
}

}  // namespace

TabRecordEditor::TabRecordEditor(EngineList& tabs, CategoryFolderTree& groups,
                                 const EngineList& engines,
                                 const CategoryFolderTree& engine_folders)
    : tabs_(tabs), groups_(groups), engines_(engines), engine_folders_(engine_folders) {}

std::optional<int> TabRecordEditor::AppendRow(const std::vector<std::string>& columns) {
  const auto id = tabs_.NextId();
  if (!id) return std::nullopt;
  std::string line = std::to_string(*id);
  for (std::size_t i = 1; i < columns.size(); ++i) AppendField(line, columns[i]);
  const int row = tabs_.ParseRecord(line);
  if (row < 0) return std::nullopt;
  tabs_.changes().Notify(StoreChange::Part::kItems);
  return row;
}

std::optional<int> TabRecordEditor::NewTab(int group_id, int order,
                                           const EngineDialogValues* dialog) {
  Columns columns = EmptyColumns();
  PlaceIn(columns, kFolderId, kArchived, group_id, CategoryFolderTree::kTopLevelId);
  columns[kOrder] = std::to_string(order);
  if (dialog == nullptr) return NewNamedTab(group_id, order, LoadString(kUntitledName));
  columns[kName] = dialog->name;
  columns[kTabName] = dialog->tab_name;
  columns[kShortName] = dialog->short_name;
  columns[kUrl] = dialog->url;
  columns[kSearchUrl] = dialog->search_url;
  columns[kPostData] = dialog->post_data;
  columns[kEncoding] = std::to_string(dialog->encoding);
  columns[kGesture] = dialog->gesture;
  columns[kShortcut] = dialog->shortcut;
  columns[kOnSearchBar] = dialog->on_search_bar ? "1" : "0";
  columns[kIconIndex] = std::to_string(dialog->icon_index);
  return AppendRow(columns);
}

std::optional<int> TabRecordEditor::NewNamedTab(int group_id, int order, const std::string& name) {
  Columns columns = EmptyColumns();
  PlaceIn(columns, kFolderId, kArchived, group_id, CategoryFolderTree::kTopLevelId);
  columns[kOrder] = std::to_string(order);
  columns[kName] = name;
  columns[kTabName] = name;
  columns[kShortName] = FirstChars(name, kShortNameChars);
  columns[kEncoding] = "0";
  return AppendRow(columns);
}

std::optional<int> TabRecordEditor::Duplicate(int record) {
  if (record < 0 || static_cast<std::size_t>(record) >= tabs_.size()) return std::nullopt;
  const auto r = static_cast<std::size_t>(record);
  if (tabs_.deleted(r)) return std::nullopt;
  Columns columns = EmptyColumns();
  // A copy of an archived tab sits beside it in the archive and, like it,
  // goes back to the tab's own group when closed there.
  PlaceIn(columns, kFolderId, kArchived, tabs_.EffectiveFolder(r), tabs_.folder_id(r));
  columns[kName] = tabs_.name(r);
  columns[kTabName] = tabs_.tab_name(r);
  columns[kShortName] = tabs_.short_name(r);
  columns[kUrl] = tabs_.url(r);
  columns[kSearchUrl] = tabs_.search_url(r);
  columns[kPostData] = tabs_.post_data(r);
  columns[kEncoding] = std::to_string(tabs_.encoding(r));
  columns[kOrder] = std::to_string(tabs_.order(r));
  return AppendRow(columns);
}

std::optional<int> TabRecordEditor::AddEngineAsTab(int engine, int group_id, int order) {
  if (engine < 0 || static_cast<std::size_t>(engine) >= engines_.size()) return std::nullopt;
  const auto e = static_cast<std::size_t>(engine);
  if (engines_.deleted(e)) return std::nullopt;
  Columns columns = EmptyColumns();
  PlaceIn(columns, kFolderId, kArchived, group_id, CategoryFolderTree::kTopLevelId);
  columns[kName] = engines_.name(e);
  columns[kTabName] = engines_.tab_name(e);
  columns[kShortName] = engines_.short_name(e);
  SetReferences(columns, EngineList::EngineReference(engines_.id(e)));
  columns[kEncoding] = std::to_string(engines_.encoding(e));
  columns[kOrder] = std::to_string(order);
  return AppendRow(columns);
}

std::optional<std::vector<int>> TabRecordEditor::AddEngineFolderAsGroup(int engine_folder_id) {
  const int folder = engine_folders_.Find(engine_folder_id);
  if (folder < 0) return std::nullopt;
  const std::string& name = engine_folders_.name(static_cast<std::size_t>(folder));
  const auto group =
      AddGroup(name, CategoryFolderTree::kTopLevelId, static_cast<int>(groups_.size()));
  if (!group) return std::nullopt;
  const int group_id = groups_.id(static_cast<std::size_t>(*group));
  std::vector<int> rows;
  for (int engine : engines_.ListFolder(engine_folder_id)) {
    const auto row = AddEngineAsTab(engine, group_id, static_cast<int>(tabs_.size()));
    if (!row) break;
    rows.push_back(*row);
  }
  return rows;
}

std::optional<int> TabRecordEditor::AddFolderAsSearchTab(int engine_folder_id, int group_id) {
  const int folder = engine_folders_.Find(engine_folder_id);
  if (folder < 0) return std::nullopt;
  const std::string& name = engine_folders_.name(static_cast<std::size_t>(folder));
  Columns columns = EmptyColumns();
  PlaceIn(columns, kFolderId, kArchived, group_id, CategoryFolderTree::kTopLevelId);
  columns[kName] = name;
  columns[kTabName] = name;
  columns[kShortName] = std::string(cp932::PrefixWithin(name, kFolderShortNameBytes));
  SetReferences(columns, EngineList::FolderReference(engine_folder_id));
  // A search resolves each engine's own encoding through the reference;
  // the row keeps that of the folder's first engine.
  const std::vector<int> members = engines_.ListFolder(engine_folder_id);
  columns[kEncoding] = std::to_string(
      members.empty() ? 0 : engines_.encoding(static_cast<std::size_t>(members.front())));
  columns[kOrder] = std::to_string(tabs_.size());
  return AppendRow(columns);
}

std::optional<TabRecordEditor::DefaultTabs> TabRecordEditor::CreateDefaultTabs() {
  // Ahead of every group the tree has numbered, so it is the first shown.
  const auto group = AddGroup(std::string(), CategoryFolderTree::kTopLevelId, -1);
  if (!group) return std::nullopt;
  DefaultTabs result;
  result.group_id = groups_.id(static_cast<std::size_t>(*group));

  Columns home = EmptyColumns();
  home[kFolderId] = std::to_string(result.group_id);
  home[kName] = LoadString(kHomeName);
  home[kOrder] = std::to_string(tabs_.size());
  const auto home_row = AppendRow(home);
  if (!home_row) return result;
  result.rows.push_back(*home_row);

  for (int engine_id : kDefaultEngineIds) {
    const auto row = AddEngineAsTab(engines_.FindById(engine_id), result.group_id,
                                    static_cast<int>(tabs_.size()));
    if (row) result.rows.push_back(*row);
  }
  return result;
}

std::optional<int> TabRecordEditor::AddGroup(const std::string& name, int parent_id, int order) {
  // A group asked for in the archive folder itself goes in as an archived
  // top-level group (see PlaceIn).
  const bool archive = parent_id == CategoryFolderTree::kArchiveId;
  return groups_.AddFolder(name, archive ? CategoryFolderTree::kTopLevelId : parent_id, order,
                           archive);
}

void TabRecordEditor::Apply(int record, const EngineDialogValues& values) {
  const auto r = static_cast<std::size_t>(record);
  // The same cleaning a new row gets from its record line.
  tabs_.set_name(r, std::string(TrimField(FieldSafe(values.name))));
  tabs_.set_tab_name(r, std::string(TrimField(FieldSafe(values.tab_name))));
  tabs_.set_short_name(r, std::string(TrimField(FieldSafe(values.short_name))));
  tabs_.set_url(r, std::string(TrimField(FieldSafe(values.url))));
  tabs_.set_search_url(r, std::string(TrimField(FieldSafe(values.search_url))));
  tabs_.set_post_data(r, std::string(TrimField(FieldSafe(values.post_data))));
  tabs_.set_encoding(r, values.encoding);
  tabs_.set_gesture(r, std::string(TrimField(FieldSafe(values.gesture))));
  tabs_.set_shortcut(r, std::string(TrimField(FieldSafe(values.shortcut))));
  tabs_.set_on_search_bar(r, values.on_search_bar);
  tabs_.set_icon_index(r, values.icon_index);
  tabs_.changes().Notify(StoreChange::Part::kItems);
}

void TabRecordEditor::ToggleArchived(int record) {
  const auto r = static_cast<std::size_t>(record);
  tabs_.set_archived(r, !tabs_.archived(r));
  tabs_.changes().Notify(StoreChange::Part::kItems);
}

void TabRecordEditor::SetArchived(const std::vector<int>& records) {
  for (int record : records) tabs_.set_archived(static_cast<std::size_t>(record), true);
  if (!records.empty()) tabs_.changes().Notify(StoreChange::Part::kItems);
}

void TabRecordEditor::MoveTab(int record, const std::vector<int>& group_records, int to) {
  std::vector<int> rows = group_records;
  const auto it = std::find(rows.begin(), rows.end(), record);
  if (it == rows.end()) return;
  rows.erase(it);
  const auto at = static_cast<std::size_t>(std::clamp(to, 0, static_cast<int>(rows.size())));
  rows.insert(rows.begin() + static_cast<std::ptrdiff_t>(at), record);
  for (std::size_t i = 0; i < rows.size(); ++i) {
    tabs_.set_order(static_cast<std::size_t>(rows[i]), static_cast<int>(i));
  }
  tabs_.changes().Notify(StoreChange::Part::kItems);
}

namespace {

// `moving` placed just before `before` in `list` (at the end when `before`
// is not there, or ahead of the first of `list` for which `last` holds).
template <typename Last>
std::vector<int> PlaceBefore(const std::vector<int>& list, int moving, int before, Last last) {
  std::vector<int> placed;
  for (int x : list) {
    if (x != moving) placed.push_back(x);
  }
  auto at = std::find(placed.begin(), placed.end(), before);
  if (at == placed.end()) at = std::find_if(placed.begin(), placed.end(), last);
  placed.insert(at, moving);
  return placed;
}

}  // namespace

void TabRecordEditor::FileTab(int record, int group_id, const std::vector<int>& group_records,
                              int before) {
  const auto r = static_cast<std::size_t>(record);
  if (group_id == CategoryFolderTree::kArchiveId) {
    tabs_.set_archived(r, true);
    tabs_.changes().Notify(StoreChange::Part::kItems);
    return;
  }
  tabs_.set_archived(r, false);
  tabs_.set_folder_id(r, group_id);
  const std::vector<int> rows =
      PlaceBefore(group_records, record, before, [](int) { return false; });
  for (std::size_t i = 0; i < rows.size(); ++i) {
    tabs_.set_order(static_cast<std::size_t>(rows[i]), static_cast<int>(i));
  }
  tabs_.changes().Notify(StoreChange::Part::kItems);
}

bool TabRecordEditor::FileGroup(int folder_index, int parent_id, const std::vector<int>& siblings,
                                int before) {
  const auto f = static_cast<std::size_t>(folder_index);
  const int id = groups_.id(f);
  if (id == CategoryFolderTree::kArchiveId || before == folder_index) return false;
  // Walk up from the new parent; the step limit ends parent cycles of a
  // damaged file.
  int up = parent_id;
  for (std::size_t steps = 0; up != CategoryFolderTree::kTopLevelId; ++steps) {
    if (up == id || up == CategoryFolderTree::kArchiveId || steps > groups_.size()) return false;
    const int index = groups_.Find(up);
    if (index < 0 || groups_.deleted(static_cast<std::size_t>(index))) return false;
    up = groups_.VisibleParent(static_cast<std::size_t>(index));
  }
  groups_.set_parent(f, parent_id);
  groups_.set_archived(f, false);
  const std::vector<int> folders = PlaceBefore(siblings, folder_index, before, [this](int g) {
    return groups_.id(static_cast<std::size_t>(g)) == CategoryFolderTree::kArchiveId;
  });
  for (std::size_t i = 0; i < folders.size(); ++i) {
    groups_.set_order(static_cast<std::size_t>(folders[i]), static_cast<int>(i));
  }
  groups_.changes().Notify(StoreChange::Part::kFolders);
  return true;
}

void TabRecordEditor::ArchiveGroup(int folder_index) {
  const auto f = static_cast<std::size_t>(folder_index);
  if (groups_.id(f) == CategoryFolderTree::kArchiveId || groups_.archived(f)) return;
  groups_.set_archived(f, true);
  groups_.changes().Notify(StoreChange::Part::kFolders);
}

void TabRecordEditor::DeleteTab(int record) {
  const auto r = static_cast<std::size_t>(record);
  if (tabs_.deleted(r)) return;
  tabs_.MarkDeleted(r);
  tabs_.changes().Notify(StoreChange::Part::kItems);
}

void TabRecordEditor::DeleteTabsOf(int group_id) {
  bool deleted = false;
  for (std::size_t i = 0; i < tabs_.size(); ++i) {
    if (tabs_.deleted(i) || tabs_.EffectiveFolder(i) != group_id) continue;
    tabs_.MarkDeleted(i);
    deleted = true;
  }
  if (deleted) tabs_.changes().Notify(StoreChange::Part::kItems);
}

bool TabRecordEditor::DeleteGroup(int folder_index) {
  const auto f = static_cast<std::size_t>(folder_index);
  if (groups_.id(f) == CategoryFolderTree::kArchiveId) return false;
  groups_.Delete(f);
  // The tabs of the group went with it.
  groups_.changes().Notify(StoreChange::Part::kFolders);
  tabs_.changes().Notify(StoreChange::Part::kItems);
  return true;
}

}  // namespace tolvane
