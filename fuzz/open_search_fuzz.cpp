// Feeds the input to the OpenSearch description reader. A refusal must carry
// a message; an accepted description must give an http(s) engine whose
// search holds the keyword placeholder, whose only "$" is that placeholder,
// whose values hold no TAB or line break, whose address has no user name
// before its host, whose name has no control byte, and which, made a user
// engine, writes a record line that reads back the same.
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "core/search/open_search_description.h"
#include "core/stores/engine_list.h"
#include "fuzz/fuzz_support.h"

namespace {

using namespace tolvane;
using fuzz::Check;

bool OnlyPlaceholderDollars(std::string_view text) {
  for (std::size_t at = text.find('$'); at != std::string_view::npos; at = text.find('$', at + 1)) {
    if (at + 1 >= text.size() || text[at + 1] != '0') return false;
  }
  return true;
}

bool OneField(std::string_view text) {
  return text.find_first_of("\t\r\n") == std::string_view::npos;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view input(reinterpret_cast<const char*>(data), size);
  const auto description = OpenSearchDescription::Parse(input);
  if (!description.ok()) {
    Check(!description.Message().empty());
    return 0;
  }
  const EngineDialogValues& engine = description.engine();
  Check(engine.url.starts_with("http://") || engine.url.starts_with("https://"));
  Check(engine.search_url.starts_with(engine.url.substr(0, engine.url.size() - 1)));
  Check(engine.search_url.find("$0") != std::string::npos ||
        engine.post_data.find("$0") != std::string::npos);
  Check(OnlyPlaceholderDollars(engine.search_url) && OnlyPlaceholderDollars(engine.post_data));
  Check(engine.encoding >= 1 && engine.encoding <= 3);
  Check(engine.url.find('@') == std::string::npos);
  for (const char c : engine.name) {
    Check(static_cast<unsigned char>(c) >= 0x20 && c != 0x7F);
  }
  for (const std::string* value :
       {&engine.name, &engine.url, &engine.search_url, &engine.post_data}) {
    Check(OneField(*value));
  }

  EngineList engines(StoreType::kEngineList);
  engines.ResetHighestId();
  const auto row = engines.CreateUserEngine(engine, {100, -1});
  Check(row.has_value());
  const std::string line = engines.FormatRecord(static_cast<std::size_t>(*row));
  EngineList again(StoreType::kEngineList);
  Check(again.ParseRecord(line) == 0 && again.FormatRecord(0) == line);
  Check(again.search_url(0) == engine.search_url && again.post_data(0) == engine.post_data);
  return 0;
}
