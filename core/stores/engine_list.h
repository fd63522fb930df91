#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "core/files/change_notifier.h"
#include "core/files/store_type.h"
#include "core/stores/category_members.h"
#include "core/stores/engine_name_lookup.h"

namespace tolvane {

class ClipList;

// What the engine properties dialog hands over when the user creates an
// engine. Text is Shift_JIS; TAB and line breaks are turned into spaces
// before the record line is built, so they can never shift its fields.
struct EngineDialogValues {
  std::string name;
  std::string tab_name;
  std::string short_name;
  std::string url;
  std::string search_url;
  std::string post_data;
  int encoding = 0;  // 0 none, 1 Shift_JIS, 2 EUC-JP, 3 UTF-8
  std::string gesture;
  std::string shortcut;
  bool on_search_bar = false;
  int icon_index = 0;  // tab rows only; engines keep 0 ("自動設定")
};

// Where the search tree's selection was when "create engine" ran: either a
// folder, or an engine (a row index) that the new engine is put next to.
struct EngineCreationPlace {
  int folder_id = 0;
  int selected_engine = -1;  // row index; when >= 0 it wins over folder_id
};

// The rows of the search engines (list type 0), or of the tabs (list type
// 7, the same record with other roles), as parallel column arrays indexed
// by row. The document owns one of each.
//
// A record line has 12 required fields (columns 0-11: Id, FolderId, Name,
// TabName, ShortName, Url, TopUrl, SearchUrl, PostData, Extra9, Extra10,
// Encoding) and 7 optional ones (12-18: FaviconKey, Archived, Order,
// Gesture, Shortcut, OnSearchBar, IconIndex). The engine list keeps columns
// 0-11 in the engine files and 12-18 as option lines in the option file;
// the tab file keeps all 19 in one line.
//
// Rows are only appended; MarkDeleted() flags a row, which keeps its index
// for the rest of the run (views and requests hold indices) and is left out
// when the file is written. Clear() before a reload is the only removal.
//
// IDs. User engines are 100000-100999, every other engine ID belongs to the
// downloaded list. In the engine list the highest ID starts at 100000 and
// only IDs up to 100999 raise it, so NextId() always lies in the user range
// or is refused. In the tab list every ID counts.
//
// References. A Url, SearchUrl or PostData value of the form
// "検索フォルダID[n]" stands for every live engine of engine folder n; in a
// tab row "検索エンジンID[n]" stands for engine n (in the engine list that
// text is plain). References always resolve against the document's engine
// list (set_engines() for the tab list; the engine list uses itself). A
// folder resolves to each engine's value followed by one TAB, for example
//   Url "検索フォルダID[12]" -> "http://a/\thttp://b/\t".
class EngineList : public CategoryMembers, public EngineNameLookup {
 public:
  static constexpr int kFirstUserEngineId = 100000;
  static constexpr int kLastUserEngineId = 100999;
  static constexpr int kArchiveFolderId = -9999;
  static constexpr int kNoOrder = 99999999;
  // Order of an engine created with a folder (not an engine) selected.
  static constexpr int kCreatedInFolderOrder = 9999;
  static constexpr int kNoFaviconImage = 64;
  static constexpr std::size_t kRequiredFields = 12;
  static constexpr std::size_t kAllFields = 19;
  static constexpr std::size_t kRequiredOptionFields = 7;

  // StoreType::kTabs makes the tab list; every other type the engine list.
  explicit EngineList(StoreType type);

  StoreType type() const { return type_; }
  // 0 for the engine list, 7 for the tab list.
  int ListType() const { return static_cast<int>(type_); }

  // The engine list references resolve against. Only the tab list needs
  // it; while null (and always for the engine list) the list uses itself.
  void set_engines(const EngineList* engines) { engines_ = engines; }
  // Deleting a tab deletes its page clips too.
  void set_clips(ClipList* clips) { clips_ = clips; }

  // Empties every column and the option-line hint; keeps the highest ID so
  // IDs are not handed out twice in a run.
  void Clear();
  // 100000 for the engine list, 0 for the tab list. Once, before loading.
  void ResetHighestId();

  // Appends the row of one record line; returns its index, or -1 (nothing
  // added) when the line has fewer than 12 fields.
  int ParseRecord(std::string_view line);
  // Overlays one option line (Id, FaviconKey, Archived, Order, Gesture,
  // Shortcut, OnSearchBar, optional IconIndex) on the row with that Id.
  // Returns that row, or -1 when the line has fewer than 7 fields or no row
  // has the Id. The search starts at the row the previous line matched and
  // wraps around, so a file in row order costs one step a line.
  int ParseOptionLine(std::string_view line);

  // Empty for a deleted row. Columns 0-11; columns 12-18 as well in the tab
  // list.
  std::string FormatRecord(std::size_t index) const;
  // Id and columns 12-18; empty for a deleted row.
  std::string FormatOptionLine(std::size_t index) const;

  std::size_t size() const { return ids_.size(); }
  std::size_t CountLive() const;
  std::size_t CountLiveUserEngines() const;
  bool IsUserEngine(std::size_t index) const { return IsUserEngineId(ids_[index]); }
  static bool IsUserEngineId(int id) { return id >= kFirstUserEngineId && id <= kLastUserEngineId; }

  // First row with that Id, deleted rows included; -1 when none.
  int FindById(int id) const;
  int highest_id() const { return highest_id_; }
  // The Id for a new row, or nullopt when none is left: in the engine list
  // once 100999 is taken (an engine numbered 101000 would never be saved),
  // in the tab list once INT_MAX is taken.
  std::optional<int> NextId() const;

  // kArchiveFolderId when archived, else FolderId.
  int EffectiveFolder(std::size_t index) const;
  // The live rows shown under a folder, by Order, equal Orders in row order.
  // Archived rows are shown only under the archive folder.
  std::vector<int> ListFolder(int folder_id) const;
  // Name; when empty Url; when that is empty too "無題".
  std::string DisplayName(std::size_t index) const;

  // Flags the row deleted; in the tab list also deletes the tab's page clips.
  void MarkDeleted(std::size_t index);
  void ClearFaviconKeys();

  // A user engine made from the properties dialog: the next free Id, the
  // place's folder, the dialog's columns, and an Order that sorts it next to
  // the selected engine (or kCreatedInFolderOrder under a folder). Returns
  // the new row, or nullopt when no user engine Id is left. Tells the
  // list's observers, so every view of the engines shows the new one.
  std::optional<int> CreateUserEngine(const EngineDialogValues& values,
                                      const EngineCreationPlace& place);

  // Reference texts (Shift_JIS) and their reading.
  static std::string EngineReference(int engine_id);
  static std::string FolderReference(int folder_id);
  enum class ReferenceKind { kNone, kEngine, kFolder };
  struct Reference {
    ReferenceKind kind = ReferenceKind::kNone;
    int id = 0;
  };
  // What `value` refers to when it stands in a column of this list (engine
  // references only count in the tab list).
  Reference ParseReference(std::string_view value) const;

  // The engine folder row `index` searches: the folder its SearchUrl (else
  // its Url) refers to, or the folder of the engine referred to (tab list);
  // -1 when neither names one.
  int ReferencedFolder(std::size_t index) const;

  // The values a search of row `index` uses, with references resolved:
  // plain values unchanged, an engine reference to that engine's value (""
  // when there is no such engine), a folder reference to each live engine's
  // value followed by a TAB.
  std::string ResolveUrls(std::size_t index) const;
  // The tab's folder of engines named by its Url (tab list only), else Name.
  std::string ResolveNames(std::size_t index) const;
  std::string ResolveSearchUrls(std::size_t index) const;
  std::string ResolvePostData(std::size_t index) const;
  // The Encodings of the engines named by SearchUrl; empty when SearchUrl
  // is no reference (the row's own Encoding then applies) or the engine is
  // missing.
  std::vector<int> ResolveEncodings(std::size_t index) const;

  // All five of the above for one row. A folder that several columns name
  // is listed only once.
  struct ResolvedRow {
    std::string urls;
    std::string names;
    std::string search_urls;
    std::string post_data;
    std::vector<int> encodings;
    // The engine whose own PostData each element of post_data is: the
    // engine or each engine of the folder referred to, the row itself for
    // an engine's plain value; empty for a tab's own value.
    std::vector<int> post_engine_ids;
  };
  ResolvedRow ResolveRow(std::size_t index) const;

  // CategoryMembers: the folder trees list and delete through these.
  std::size_t MemberCount() const override { return size(); }
  int MemberFolderId(std::size_t index) const override { return folder_ids_[index]; }
  bool MemberArchived(std::size_t index) const override { return archived(index); }
  int MemberOrder(std::size_t index) const override { return orders_[index]; }
  bool MemberDeleted(std::size_t index) const override { return deleted(index); }
  void RemoveMembersOf(int folder_id) override;

  // EngineNameLookup: Name of the first row with that Id.
  std::optional<std::string> EngineName(int engine_id) const override;

  int id(std::size_t i) const { return ids_[i]; }
  int folder_id(std::size_t i) const { return folder_ids_[i]; }
  const std::string& name(std::size_t i) const { return names_[i]; }
  const std::string& tab_name(std::size_t i) const { return tab_names_[i]; }
  const std::string& short_name(std::size_t i) const { return short_names_[i]; }
  const std::string& url(std::size_t i) const { return urls_[i]; }
  const std::string& top_url(std::size_t i) const { return top_urls_[i]; }
  const std::string& search_url(std::size_t i) const { return search_urls_[i]; }
  const std::string& post_data(std::size_t i) const { return post_data_[i]; }
  const std::string& extra9(std::size_t i) const { return extra9_[i]; }
  const std::string& extra10(std::size_t i) const { return extra10_[i]; }
  int encoding(std::size_t i) const { return encodings_[i]; }
  const std::string& favicon_key(std::size_t i) const { return favicon_keys_[i]; }
  bool archived(std::size_t i) const { return archived_[i] != 0; }
  int order(std::size_t i) const { return orders_[i]; }
  const std::string& gesture(std::size_t i) const { return gestures_[i]; }
  const std::string& shortcut(std::size_t i) const { return shortcuts_[i]; }
  bool on_search_bar(std::size_t i) const { return on_search_bar_[i] != 0; }
  int icon_index(std::size_t i) const { return icon_indices_[i]; }
  int image_index(std::size_t i) const { return image_indices_[i]; }
  bool deleted(std::size_t i) const { return deleted_[i] != 0; }

  // Raises the highest ID by the list's rule, so NextId() never hands out a
  // used one.
  void set_id(std::size_t i, int v);
  void set_folder_id(std::size_t i, int v) { folder_ids_[i] = v; }
  void set_name(std::size_t i, std::string v) { names_[i] = std::move(v); }
  void set_tab_name(std::size_t i, std::string v) { tab_names_[i] = std::move(v); }
  void set_short_name(std::size_t i, std::string v) { short_names_[i] = std::move(v); }
  void set_url(std::size_t i, std::string v) { urls_[i] = std::move(v); }
  void set_top_url(std::size_t i, std::string v) { top_urls_[i] = std::move(v); }
  void set_search_url(std::size_t i, std::string v) { search_urls_[i] = std::move(v); }
  void set_post_data(std::size_t i, std::string v) { post_data_[i] = std::move(v); }
  void set_extra9(std::size_t i, std::string v) { extra9_[i] = std::move(v); }
  void set_extra10(std::size_t i, std::string v) { extra10_[i] = std::move(v); }
  void set_encoding(std::size_t i, int v) { encodings_[i] = v; }
  void set_favicon_key(std::size_t i, std::string v) { favicon_keys_[i] = std::move(v); }
  void set_archived(std::size_t i, bool v) { archived_[i] = v ? 1 : 0; }
  void set_order(std::size_t i, int v) { orders_[i] = v; }
  void set_gesture(std::size_t i, std::string v) { gestures_[i] = std::move(v); }
  void set_shortcut(std::size_t i, std::string v) { shortcuts_[i] = std::move(v); }
  void set_on_search_bar(std::size_t i, bool v) { on_search_bar_[i] = v ? 1 : 0; }
  // The stored column is 16 bits wide; the low bits are kept.
  void set_icon_index(std::size_t i, int v) { icon_indices_[i] = static_cast<std::uint16_t>(v); }
  void set_image_index(std::size_t i, int v) { image_indices_[i] = v; }

  // Told after each edit of the rows (a tab record editor's, a dialog's),
  // not while the file is read.
  ChangeNotifier& changes() { return changes_; }

 private:
  int InitialHighestId() const;
  void RaiseHighestId(int id);
  const EngineList& ReferenceTarget() const { return engines_ ? *engines_ : *this; }
  // The rows of the folder last listed while one row is resolved.
  struct FolderRows {
    int folder_id = 0;
    bool listed = false;
    std::vector<int> rows;
  };
  // Live engine-list rows of folder reference `folder_id`, by Order; kept
  // in `cache` for the row's other columns.
  const std::vector<int>& FolderReferenceRows(int folder_id, FolderRows& cache) const;
  std::string JoinFolder(int folder_id, const std::vector<std::string> EngineList::*column,
                         FolderRows& cache) const;
  // Column `column` of row `index`, with its reference resolved.
  std::string Resolve(std::size_t index, const std::vector<std::string> EngineList::*column,
                      FolderRows& cache) const;
  std::string ResolveNames(std::size_t index, FolderRows& cache) const;
  std::vector<int> ResolveEncodings(std::size_t index, FolderRows& cache) const;
  std::vector<int> ResolvePostEngineIds(std::size_t index, FolderRows& cache) const;
  std::vector<int> ReferencedNumbers(const std::string& value,
                                     const std::vector<int> EngineList::*column,
                                     FolderRows& cache) const;

  StoreType type_;
  const EngineList* engines_ = nullptr;
  ClipList* clips_ = nullptr;
  int highest_id_;
  std::size_t match_hint_ = 0;

  std::vector<int> ids_;
  std::vector<int> folder_ids_;
  std::vector<std::string> names_;
  std::vector<std::string> tab_names_;
  std::vector<std::string> short_names_;
  std::vector<std::string> urls_;
  std::vector<std::string> top_urls_;
  std::vector<std::string> search_urls_;
  std::vector<std::string> post_data_;
  std::vector<std::string> extra9_;
  std::vector<std::string> extra10_;
  std::vector<int> encodings_;
  std::vector<std::string> favicon_keys_;
  std::vector<std::uint8_t> archived_;
  std::vector<int> orders_;
  std::vector<std::string> gestures_;
  std::vector<std::string> shortcuts_;
  std::vector<std::uint8_t> on_search_bar_;
  std::vector<std::uint16_t> icon_indices_;
  std::vector<int> image_indices_;
  std::vector<std::uint8_t> deleted_;
  ChangeNotifier changes_;
};

}  // namespace tolvane
