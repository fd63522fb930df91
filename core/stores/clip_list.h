#pragma once

#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "core/files/prompter.h"
#include "core/files/store_binding.h"
#include "core/stores/posted_search.h"

namespace tolvane {

// A page tab as the clip store sees it when the open pages of one category
// tab are saved. `clip_index` is the page tab's binding to its record (-1
// for none); SavePageTabs writes the index of a record it creates back into
// it, so the tab model copies it back into its page tab.
struct PageTabSnapshot {
  int clip_index = -1;
  std::string title;
  std::string url;
  bool selected = false;
  PostedSearch search{};  // the posted search the page shows, or none
};

// The records to reopen for one category tab.
struct TabClips {
  std::vector<std::size_t> records;  // record indices, by position (stable)
  int selected = -1;                 // place in `records` of the page to select, or -1
};

// The page clips (vq_clip.clf): pages the user pinned to a category tab
// ("clipped") and the pages that were open when the program last closed
// (unclipped, written only while OptionMain/SavePageTab is 1). Each record
// belongs to the tab record whose ID it carries and remembers its position
// among that category tab's pages.
//
// Records are addressed by index for the whole run: a page tab keeps the
// index of its record. Records are appended and marked deleted, never
// removed, except by Clear(), after which the tab model must forget every
// index it holds. The limit MaxData counts the live records only, so
// deleted rows kept for their indices never use it up in a long run. It
// refuses new clips the user makes, with the limit message; it never drops
// what is already there: every record of the file is read (a lowered limit
// leaves them until the user trims them, NeedsTrim), and the open pages
// kept by SavePageTabs always get their records.
//
// Every record reads back from its own file line unchanged: text put into a
// record has TAB, CR and LF replaced by spaces and is trimmed, as the line
// parser would see it.
//
// File line (TAB-separated): tab ID, title, URL, position (16-bit, default
// 0), active (8-bit, default 0), clipped (8-bit, default 1), e.g.
//   "12\tShop\thttp://shop.example/\t2\t1\t0"
// A page a search posted has three more: the engine ID, the charset and the
// keyword as typed in UTF-8, percent-encoded (so the field is plain ASCII):
//   "12\tShop\thttp://shop.example/s\t2\t1\t0\t503\t3\tCaf%C3%A9"
class ClipList : public StoreBinding {
 public:
  explicit ClipList(int max_data);

  int max_data() const { return max_data_; }
  // A lower limit takes effect for new clips; TrimToMaxData drops the old.
  void set_max_data(int max_data);

  // The most live records the list ever holds, whatever MaxData says: as
  // many as a store file can hold.
  static constexpr std::size_t kMaxLiveRecords = 100000;

  // StoreBinding. The file has no folder lines.
  void ResetToDefaults() override { Clear(); }
  int ParseFolderLine(std::string_view) override { return -1; }
  // Refuses (-1) a line with fewer than three fields, or any line once the
  // list holds kMaxLiveRecords live records. MaxData refuses nothing here.
  int ParseItemLine(std::string_view line) override;
  std::size_t FolderSlotCount() const override { return 0; }
  std::string FormatFolderLine(std::size_t) const override { return {}; }
  std::size_t ItemSlotCount() const override { return records_.size(); }
  // Empty for a deleted record, and for an unclipped one when
  // context.save_page_tab is 0; with save_page_tab 0 active is written as 0.
  std::string FormatItemLine(std::size_t index, const SaveContext& context) const override;

  // The number of lines FormatItemLine gives for this save_page_tab.
  std::size_t CountToWrite(int save_page_tab) const;

  // Every record, deleted ones included.
  std::size_t size() const { return records_.size(); }
  std::size_t CountLive() const { return live_; }
  // True when `clip_index` names a record that is not deleted.
  bool IsLive(int clip_index) const;

  int tab_id(std::size_t i) const { return records_[i].tab_id; }
  const std::string& title(std::size_t i) const { return records_[i].title; }
  const std::string& url(std::size_t i) const { return records_[i].url; }
  int position(std::size_t i) const { return records_[i].position; }
  bool active(std::size_t i) const { return records_[i].active != 0; }
  bool clipped(std::size_t i) const { return records_[i].clipped != 0; }
  bool deleted(std::size_t i) const { return records_[i].deleted; }
  // The posted search that sends the record's page again, or none.
  const PostedSearch& search(std::size_t i) const { return records_[i].search; }

  void set_title(std::size_t i, std::string_view title);
  void set_url(std::size_t i, std::string_view url);
  void set_search(std::size_t i, PostedSearch search) { records_[i].search = std::move(search); }
  void set_position(std::size_t i, int position) {
    records_[i].position = static_cast<std::int16_t>(position);
  }
  void set_active(std::size_t i, bool active) { records_[i].active = active ? 1 : 0; }
  void set_clipped(std::size_t i, bool clipped) { records_[i].clipped = clipped ? 1 : 0; }
  void MarkDeleted(std::size_t i);

  // A new clip of a page of the category tab with record ID `tab_id` (0 when
  // the category has no tab record). With MaxData live records or more
  // shows the limit message and returns -1; a page without URL is not clipped either (-1, no
  // message). Otherwise returns the new record's index.
  int AddClip(int tab_id, std::string_view title, std::string_view url, Prompter& prompter);

  // Clips a page tab in place: a page tab already bound to a record has it
  // turned into a clip with the page's title and URL (no new record, so no
  // limit); one without gets a new clip as AddClip. Returns the record the
  // page tab is bound to afterwards, or -1.
  int ClipPageTab(int clip_index, int tab_id, std::string_view title, std::string_view url,
                  Prompter& prompter);

  // Releases a clip: the record stays bound to its page tab as a saved page.
  void Release(std::size_t i) { records_[i].clipped = 0; }

  // The page of a bound tab changed. With OptionPageClip/URL on, the record
  // follows the page; otherwise it keeps the page it was clipped with.
  // Returns true when the record changed.
  bool FollowPage(int clip_index, std::string_view title, std::string_view url,
                  bool follow_enabled);

  // Writes the open pages of one category tab (`pages` in bar order) into
  // the store. A page without a live record gets a new unclipped record,
  // past MaxData too: the user asked to keep the open pages (only at
  // kMaxLiveRecords is its clip_index -1); a page with one gets its
  // position and active flag, and its title and URL too when the record is
  // unclipped or `at_exit` is set (its posted search goes with them).
  void SavePageTabs(int tab_id, std::span<PageTabSnapshot> pages, bool at_exit);

  // The live records of tab `tab_id` in the order to reopen them; the page
  // to select is the last of them marked active.
  TabClips RecordsForTab(int tab_id) const;

  // A page tab bound to `clip_index` was closed by the user: a saved page
  // (unclipped) goes with it, a clip stays. Returns true when it was deleted.
  bool OnPageTabClosed(int clip_index);

  // The tab record `tab_id` was deleted: so are its pages.
  void MarkDeletedForTab(int tab_id);

  // True when there are more live records than MaxData allows (a lowered
  // limit, or open pages kept past it).
  bool NeedsTrim() const { return live_ > static_cast<std::size_t>(max_data_); }
  // Marks the oldest live records (the first live count - MaxData, in
  // index order) deleted. Returns how many were marked.
  std::size_t TrimToMaxData();

  // Empties the list; every index handed out before is void.
  void Clear() {
    records_.clear();
    live_ = 0;
  }

  // One line per record, for tests: index, tab ID, position, "*" when
  // active, "+" when clipped, "x" when deleted, title and URL, then a
  // posted search as "post" engine ID/charset and keyword (Shift_JIS, as
  // the rest), e.g.
  //   "0 12/2*+ Shop http://shop.example/"
  //   "1 12/3 Result http://shop.example/s post 503/3 shoes"
  std::string Describe() const;

 private:
  struct Record {
    int tab_id = 0;
    std::string title;
    std::string url;
    PostedSearch search;
    std::int16_t position = 0;
    std::uint8_t active = 0;
    std::uint8_t clipped = 1;
    bool deleted = false;
  };

  bool AtMaxData() const { return live_ >= static_cast<std::size_t>(max_data_); }
  // Appends a live record; -1 only at kMaxLiveRecords.
  int Append(Record record);
  void Delete(Record& record);

  int max_data_;
  std::vector<Record> records_;
  std::size_t live_ = 0;  // records not deleted
};

}  // namespace tolvane
