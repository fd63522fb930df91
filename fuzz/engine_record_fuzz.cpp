// Feeds every input line to the engine list and the tab list as a record
// line and as an option line, then checks that writing the rows, reading
// what was written and writing again gives the same lines, and that the
// folder listing and the reference resolvers stay within the lists whatever
// the references say.
#include <cstddef>
#include <cstdint>
#include <set>
#include <string>
#include <string_view>
#include <vector>

#include "core/stores/clip_list.h"
#include "core/stores/engine_list.h"
#include "fuzz/fuzz_support.h"

namespace {

using namespace tolvane;
using fuzz::Check;
using fuzz::Lines;

std::vector<std::string> Records(const EngineList& list) {
  return fuzz::Written(list.size(), [&](std::size_t i) { return list.FormatRecord(i); });
}

std::vector<std::string> Options(const EngineList& list) {
  return fuzz::Written(list.size(), [&](std::size_t i) { return list.FormatOptionLine(i); });
}

bool UniqueIds(const EngineList& list) {
  std::set<int> ids;
  for (std::size_t i = 0; i < list.size(); ++i) {
    if (!ids.insert(list.id(i)).second) return false;
  }
  return true;
}

// What is written reads back into the same rows: the record lines, and (when
// every ID names one row, so each option line finds its own) the option
// lines.
void CheckFixedPoint(const EngineList& list) {
  const auto records = Records(list);
  EngineList again(list.type());
  for (const auto& line : records) Check(again.ParseRecord(line) >= 0);
  Check(Records(again) == records);
  if (!UniqueIds(again)) return;
  const auto options = Options(list);
  for (const auto& line : options) Check(again.ParseOptionLine(line) >= 0);
  Check(Options(again) == options);
}

void CheckListing(const EngineList& list, int folder_id) {
  int last_order = 0;
  bool first = true;
  for (int row : list.ListFolder(folder_id)) {
    Check(row >= 0 && static_cast<std::size_t>(row) < list.size());
    const auto i = static_cast<std::size_t>(row);
    Check(!list.deleted(i) && list.EffectiveFolder(i) == folder_id);
    Check(first || list.order(i) >= last_order);
    last_order = list.order(i);
    first = false;
  }
}

void Exercise(const EngineList& list) {
  for (std::size_t i = 0; i < list.size(); ++i) {
    const EngineList::ResolvedRow row = list.ResolveRow(i);
    Check(row.urls == list.ResolveUrls(i) && row.names == list.ResolveNames(i) &&
          row.search_urls == list.ResolveSearchUrls(i) &&
          row.post_data == list.ResolvePostData(i) && row.encodings == list.ResolveEncodings(i));
    list.DisplayName(i);
    CheckListing(list, list.folder_id(i));
    CheckListing(list, list.EffectiveFolder(i));
  }
  if (const auto next = list.NextId()) Check(list.FindById(*next) < 0);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view text(reinterpret_cast<const char*>(data), size);
  ClipList clips(1000);
  EngineList engines(StoreType::kEngineList);
  EngineList tabs(StoreType::kTabs);
  tabs.set_engines(&engines);
  tabs.set_clips(&clips);
  engines.ResetHighestId();
  tabs.ResetHighestId();
  for (auto line : Lines(text)) {
    engines.ParseRecord(line);
    tabs.ParseRecord(line);
    engines.ParseOptionLine(line);
    tabs.ParseOptionLine(line);
    clips.ParseItemLine(line);
  }
  CheckFixedPoint(engines);
  CheckFixedPoint(tabs);
  Exercise(engines);
  Exercise(tabs);

  // A user engine made beside each row, with that row's text, lands in the
  // user range or is refused; deleting every other tab keeps the lists sound.
  const std::size_t rows = engines.size();
  for (std::size_t i = 0; i < rows && i < 8; ++i) {
    EngineDialogValues values;
    values.name = engines.name(i);
    values.url = engines.url(i);
    values.search_url = engines.search_url(i);
    values.encoding = engines.encoding(i);
    const auto made = engines.CreateUserEngine(values, {engines.folder_id(i), static_cast<int>(i)});
    if (made) Check(engines.IsUserEngine(static_cast<std::size_t>(*made)));
  }
  for (std::size_t i = 0; i < tabs.size(); i += 2) tabs.MarkDeleted(i);
  CheckFixedPoint(engines);
  Exercise(tabs);
  return 0;
}
