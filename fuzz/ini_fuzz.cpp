// Parses arbitrary bytes as a settings file, edits it and checks that what
// a rewrite produces reads back the same.
#include <fuzzer/FuzzedDataProvider.h>

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <optional>
#include <string>
#include <vector>

#include "core/files/ini_document.h"

namespace {

using tolvane::IniDocument;

constexpr std::size_t kMaxNamesChecked = 64;

void Check(bool ok) {
  if (!ok) std::abort();
}

struct Probe {
  std::string section;
  std::string key;
};

// A bounded sample of the names in the document plus the fuzzer's own.
std::vector<Probe> ProbesOf(const IniDocument& doc, const Probe& extra) {
  std::vector<Probe> probes{extra};
  for (const std::string& section : doc.SectionNames()) {
    if (probes.size() >= kMaxNamesChecked) break;
    probes.push_back({section, extra.key});
    for (const std::string& key : doc.KeyNames(section)) {
      if (probes.size() >= kMaxNamesChecked) break;
      probes.push_back({section, key});
    }
  }
  return probes;
}

std::vector<std::optional<std::string>> Lookups(const IniDocument& doc,
                                                const std::vector<Probe>& probes) {
  std::vector<std::optional<std::string>> values;
  for (const Probe& p : probes) values.push_back(doc.FindValue(p.section, p.key));
  return values;
}

void CheckRoundTrip(const IniDocument& doc, const std::vector<Probe>& probes) {
  const std::string bytes = doc.Serialize();
  const IniDocument reparsed = IniDocument::Parse(bytes);
  Check(Lookups(reparsed, probes) == Lookups(doc, probes));
  Check(reparsed.Serialize() == bytes);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  FuzzedDataProvider input(data, size);
  Probe target{input.ConsumeRandomLengthString(12), input.ConsumeRandomLengthString(12)};
  const std::string value = input.ConsumeRandomLengthString(24);
  const int operation = input.ConsumeIntegralInRange(0, 3);
  const std::string text = input.ConsumeRemainingBytesAsString();

  IniDocument doc = IniDocument::Parse(text);
  const std::vector<Probe> probes = ProbesOf(doc, target);
  CheckRoundTrip(doc, probes);
  const auto before = Lookups(doc, probes);

  switch (operation) {
    case 0:
      if (doc.SetValue(target.section, target.key, value)) {
        Check(doc.FindValue(target.section, target.key) ==
              std::string(IniDocument::CleanValue(value)));
      }
      break;
    case 1:
      doc.DeleteKey(target.section, target.key);
      Check(!doc.FindValue(target.section, target.key));
      break;
    case 2:
      doc.DeleteSection(target.section);
      Check(!doc.HasSection(target.section));
      break;
    case 3:
      if (doc.ReplaceSection(target.section, {target.key + "=" + value})) {
        Check(doc.KeyNames(target.section).size() == 1);
      }
      break;
  }

  // Names the edit did not touch read as before.
  const auto after = Lookups(doc, probes);
  for (std::size_t i = 0; i < probes.size(); ++i) {
    const bool same_section = IniDocument::NamesEqual(probes[i].section, target.section);
    const bool same_key = same_section && IniDocument::NamesEqual(probes[i].key, target.key);
    const bool touched = operation == 2 || operation == 3 ? same_section : same_key;
    if (!touched) Check(after[i] == before[i]);
  }
  CheckRoundTrip(doc, probes);
  return 0;
}
