#include "core/stores/clip_list.h"

#include <algorithm>

#include "core/files/data_file.h"
#include "core/files/record_fields.h"
#include "core/files/string_table.h"
#include "core/text/charset_converter.h"
#include "core/text/query_encoding.h"

namespace tolvane {
namespace {

// Text as the line parser would give it back: a field can hold neither TAB
// nor a line end, and loses its surrounding white space.
std::string FieldText(std::string_view text) { return std::string(TrimField(FieldSafe(text))); }

// Fields 6-8 of a clip line; none unless all three make a search.
PostedSearch SearchFields(const RecordFields& fields) {
  if (fields.size() < 9) return {};
  PostedSearch search{fields.Int(6), fields.Int(7), PercentDecode(fields.View(8))};
  if (search.encoding < kEncodingRaw || search.encoding > kEncodingUtf8) return {};
  return search.empty() ? PostedSearch{} : search;
}

}  // namespace

ClipList::ClipList(int max_data) { set_max_data(max_data); }

void ClipList::set_max_data(int max_data) { max_data_ = std::max(max_data, 0); }

int ClipList::Append(Record record) {
  if (live_ >= kMaxLiveRecords) return -1;
  records_.push_back(std::move(record));
  ++live_;
  return static_cast<int>(records_.size() - 1);
}

void ClipList::Delete(Record& record) {
  if (record.deleted) return;
  record.deleted = true;
  --live_;
}

void ClipList::MarkDeleted(std::size_t i) { Delete(records_[i]); }

int ClipList::ParseItemLine(std::string_view line) {
  const RecordFields fields(line);
  if (fields.size() < 3) return -1;
  Record record;
  record.tab_id = fields.Int(0);
  record.title = fields.Text(1);
  record.url = fields.Text(2);
  record.position = static_cast<std::int16_t>(fields.Int(3, 0));
  record.active = static_cast<std::uint8_t>(fields.Int(4, 0));
  record.clipped = static_cast<std::uint8_t>(fields.Int(5, 1));
  record.search = SearchFields(fields);
  return Append(std::move(record));
}

std::string ClipList::FormatItemLine(std::size_t index, const SaveContext& context) const {
  if (index >= records_.size()) return {};
  const Record& r = records_[index];
  const bool save_page_tabs = context.save_page_tab != 0;
  if (r.deleted || (!save_page_tabs && r.clipped == 0)) return {};
  std::string line = std::to_string(r.tab_id);
  line.append("\t").append(r.title);
  line.append("\t").append(r.url);
  line.append("\t").append(std::to_string(r.position));
  line.append("\t").append(std::to_string(save_page_tabs ? r.active : 0));
  line.append("\t").append(std::to_string(r.clipped));
  if (!r.search.empty()) {
    std::string search = "\t" + std::to_string(r.search.engine_id) + "\t" +
                         std::to_string(r.search.encoding) + "\t" + PercentEncode(r.search.keyword);
    // Past the line limit the page comes back by its address alone.
    if (line.size() + search.size() <= DataFile::kMaxPlainLineBytes) line += search;
  }
  return line;
}

std::size_t ClipList::CountToWrite(int save_page_tab) const {
  return static_cast<std::size_t>(
      std::count_if(records_.begin(), records_.end(), [save_page_tab](const Record& r) {
        return !r.deleted && (save_page_tab != 0 || r.clipped != 0);
      }));
}

bool ClipList::IsLive(int clip_index) const {
  return clip_index >= 0 && static_cast<std::size_t>(clip_index) < records_.size() &&
         !records_[static_cast<std::size_t>(clip_index)].deleted;
}

void ClipList::set_title(std::size_t i, std::string_view title) {
  records_[i].title = FieldText(title);
}

void ClipList::set_url(std::size_t i, std::string_view url) { records_[i].url = FieldText(url); }

int ClipList::AddClip(int tab_id, std::string_view title, std::string_view url,
                      Prompter& prompter) {
  if (AtMaxData()) {
    prompter.ShowStop(LoadString(string_id::kClipsLimit));
    return -1;
  }
  Record record;
  record.tab_id = tab_id;
  record.title = FieldText(title);
  record.url = FieldText(url);
  // A clip line of three fields with an empty URL would not read back.
  if (record.url.empty()) return -1;
  return Append(std::move(record));
}

int ClipList::ClipPageTab(int clip_index, int tab_id, std::string_view title, std::string_view url,
                          Prompter& prompter) {
  if (!IsLive(clip_index)) return AddClip(tab_id, title, url, prompter);
  const auto i = static_cast<std::size_t>(clip_index);
  records_[i].clipped = 1;
  set_title(i, title);
  set_url(i, url);
  return clip_index;
}

bool ClipList::FollowPage(int clip_index, std::string_view title, std::string_view url,
                          bool follow_enabled) {
  if (!follow_enabled || !IsLive(clip_index)) return false;
  const auto i = static_cast<std::size_t>(clip_index);
  const std::string old_title = records_[i].title;
  const std::string old_url = records_[i].url;
  set_title(i, title);
  set_url(i, url);
  return records_[i].title != old_title || records_[i].url != old_url;
}

void ClipList::SavePageTabs(int tab_id, std::span<PageTabSnapshot> pages, bool at_exit) {
  int position = 0;
  for (PageTabSnapshot& page : pages) {
    const std::uint8_t active = page.selected ? 1 : 0;
    if (!IsLive(page.clip_index)) {
      Record record;
      record.tab_id = tab_id;
      record.title = FieldText(page.title);
      record.url = FieldText(page.url);
      record.search = page.search;
      record.position = static_cast<std::int16_t>(position);
      record.active = active;
      record.clipped = 0;
      page.clip_index = Append(std::move(record));
    } else {
      Record& r = records_[static_cast<std::size_t>(page.clip_index)];
      r.position = static_cast<std::int16_t>(position);
      r.active = active;
      if (r.clipped == 0 || at_exit) {
        r.title = FieldText(page.title);
        r.url = FieldText(page.url);
        r.search = page.search;
      }
    }
    ++position;
  }
}

TabClips ClipList::RecordsForTab(int tab_id) const {
  TabClips clips;
  for (std::size_t i = 0; i < records_.size(); ++i) {
    if (!records_[i].deleted && records_[i].tab_id == tab_id) clips.records.push_back(i);
  }
  std::stable_sort(
      clips.records.begin(), clips.records.end(),
      [this](std::size_t a, std::size_t b) { return records_[a].position < records_[b].position; });
  for (std::size_t k = 0; k < clips.records.size(); ++k) {
    if (records_[clips.records[k]].active != 0) clips.selected = static_cast<int>(k);
  }
  return clips;
}

bool ClipList::OnPageTabClosed(int clip_index) {
  if (!IsLive(clip_index)) return false;
  Record& r = records_[static_cast<std::size_t>(clip_index)];
  if (r.clipped != 0) return false;
  Delete(r);
  return true;
}

void ClipList::MarkDeletedForTab(int tab_id) {
  for (Record& r : records_) {
    if (r.tab_id == tab_id) Delete(r);
  }
}

std::size_t ClipList::TrimToMaxData() {
  if (!NeedsTrim()) return 0;
  const std::size_t excess = live_ - static_cast<std::size_t>(max_data_);
  for (Record& r : records_) {
    if (live_ == static_cast<std::size_t>(max_data_)) break;
    Delete(r);
  }
  return excess;
}

std::string ClipList::Describe() const {
  std::string text;
  for (std::size_t i = 0; i < records_.size(); ++i) {
    const Record& r = records_[i];
    text += std::to_string(i) + " " + std::to_string(r.tab_id) + "/" + std::to_string(r.position);
    if (r.active != 0) text += '*';
    if (r.clipped != 0) text += '+';
    if (r.deleted) text += 'x';
    text += " " + r.title + " " + r.url;
    if (!r.search.empty()) {
      text += " post " + std::to_string(r.search.engine_id) + "/" +
              std::to_string(r.search.encoding) + " " + Utf8ToSjis(r.search.keyword);
    }
    text += "\n";
  }
  return text;
}

}  // namespace tolvane
