// Building the pages of a batch search: a tab whose folder holds 200 shops
// in all four encodings, searched with a two-word keyword. Next to it, the
// same URLs and bodies made by plain concatenation of templates that were
// resolved and split beforehand, so the gap is the cost of resolving the
// folder and finding the placeholders.
#include <benchmark/benchmark.h>

#include <cstdlib>
#include <string>
#include <vector>

#include "core/files/store_type.h"
#include "core/search/search_requests.h"
#include "core/stores/engine_list.h"
#include "core/text/charset_converter.h"
#include "core/text/query_encoding.h"

namespace {

using tolvane::EngineList;

constexpr int kEngines = 200;

struct Lists {
  Lists() {
    engines.ResetHighestId();
    tabs.ResetHighestId();
    tabs.set_engines(&engines);
    for (int i = 0; i < kEngines; ++i) {
      const std::string host = "http://shop" + std::to_string(i) + ".example";
      // Every fourth shop takes a form post.
      const bool post = i % 4 == 3;
      const std::string search = post ? host + "/find" : host + "/search?q=$0&sub=$2&page=1";
      const std::string body = post ? "kw=$0&w1=$1&w2=$2&x=1" : "";
      engines.ParseRecord(std::to_string(i + 1) + "\t12\tShop " + std::to_string(i) + "\t\t\t" +
                          host + "/\t\t" + search + "\t" + body + "\t\t\t" + std::to_string(i % 4) +
                          "\t\t0\t" + std::to_string(kEngines - i));
    }
    const std::string folder = tolvane::Utf8ToSjis("検索フォルダID[12]");
    tabs.ParseRecord("1\t1\tShops\t\t\t" + folder + "\t\t" + folder + "\t" + folder + "\t\t\t0");
  }
  EngineList engines{tolvane::StoreType::kEngineList};
  EngineList tabs{tolvane::StoreType::kTabs};
};

const Lists& SharedLists() {
  static const Lists lists;
  return lists;
}

const tolvane::Keyword& TokyoStation() {
  static const tolvane::Keyword keyword = tolvane::Keyword::FromUtf8("東京　駅");
  return keyword;
}

void BM_BuildRequests(benchmark::State& state) {
  const Lists& lists = SharedLists();
  for (auto _ : state) {
    auto requests = tolvane::BuildRequests(lists.tabs, 0, TokyoStation());
    if (requests.size() != kEngines) std::abort();
    benchmark::DoNotOptimize(requests);
  }
  state.SetItemsProcessed(state.iterations() * kEngines);
}
BENCHMARK(BM_BuildRequests);

// One shop's templates cut at their placeholders ahead of time.
struct SplitTemplate {
  int encoding;
  std::string url_head, url_middle, url_tail;  // head $0 middle $2 tail
  std::string body_head, body_1, body_2, body_tail;
  bool post;
};

void BM_ConcatenatePreparedTemplates(benchmark::State& state) {
  std::vector<SplitTemplate> templates;
  for (int i = 0; i < kEngines; ++i) {
    const std::string host = "http://shop" + std::to_string(i) + ".example";
    if (i % 4 == 3) {
      templates.push_back({i % 4, host + "/find", "", "", "kw=", "&w1=", "&w2=", "&x=1", true});
    } else {
      templates.push_back({i % 4, host + "/search?q=", "&sub=", "&page=1", "", "", "", "", false});
    }
  }
  const std::string keyword = "\x93\x8C\x8B\x9E \x89w";  // spaces made ASCII once
  const std::string word1 = "\x93\x8C\x8B\x9E";
  const std::string word2 = "\x89w";
  for (auto _ : state) {
    std::vector<std::string> urls, bodies;
    urls.reserve(kEngines);
    bodies.reserve(kEngines);
    for (const auto& t : templates) {
      const std::string k = *tolvane::Encode(t.encoding, keyword);
      const std::string w2 = *tolvane::Encode(t.encoding, word2);
      if (t.post) {
        urls.push_back(t.url_head);
        bodies.push_back(t.body_head + k + t.body_1 + *tolvane::Encode(t.encoding, word1) +
                         t.body_2 + w2 + t.body_tail);
      } else {
        urls.push_back(t.url_head + k + t.url_middle + w2 + t.url_tail);
        bodies.emplace_back();
      }
    }
    benchmark::DoNotOptimize(urls);
    benchmark::DoNotOptimize(bodies);
  }
  state.SetItemsProcessed(state.iterations() * kEngines);
}
BENCHMARK(BM_ConcatenatePreparedTemplates);

}  // namespace

BENCHMARK_MAIN();
