// Fills a fuzzed template with a fuzzed keyword, encoding and page addresses.
// Checks that nothing crashes; that with encodings 1-3 no byte of 0x80 and
// above reaches the output unless the template or the addresses brought it
// (the keyword is always escaped there); that a template without "$" comes
// back unchanged; and that keyword forms kept across templates and
// encodings give what fresh ones give.
#include <fuzzer/FuzzedDataProvider.h>

#include <cstddef>
#include <cstdint>
#include <string>

#include "core/search/keyword_forms.h"
#include "core/search/search_placeholders.h"
#include "fuzz/fuzz_support.h"

namespace {

using tolvane::fuzz::Check;

bool IsAscii(const std::string& text) {
  for (char c : text) {
    if (static_cast<unsigned char>(c) >= 0x80) return false;
  }
  return true;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  FuzzedDataProvider input(data, size);
  // -1 to 5: the four encodings and a few that produce nothing.
  const int encoding = input.ConsumeIntegralInRange<int>(-1, 5);
  const bool has_page = input.ConsumeBool();
  const std::string tmpl = input.ConsumeRandomLengthString(400);
  const std::string active_url = input.ConsumeRandomLengthString(200);
  const std::string address_bar = input.ConsumeRandomLengthString(200);
  const std::string keyword = input.ConsumeRemainingBytesAsString();

  const tolvane::PageContext page{active_url, address_bar};
  const tolvane::PageContext* context = has_page ? &page : nullptr;
  const std::string out = tolvane::SubstitutePlaceholders(tmpl, encoding, keyword, context);

  if (tmpl.find('$') == std::string::npos) Check(out == tmpl);
  if (encoding >= 1 && encoding <= 3 && IsAscii(tmpl) &&
      (!has_page || (IsAscii(active_url) && IsAscii(address_bar)))) {
    Check(IsAscii(out));
  }

  tolvane::KeywordForms forms(tolvane::Keyword::FromSjis(keyword));
  for (int other = -1; other <= 4; ++other) {
    Check(tolvane::SubstitutePlaceholders(tmpl, other, forms, context) ==
          tolvane::SubstitutePlaceholders(tmpl, other, keyword, context));
  }
  Check(tolvane::SubstitutePlaceholders(tmpl, encoding, forms, context) == out);

  // The same bytes as typed text (any bytes, ill-formed UTF-8 included): a
  // UTF-8 shop's template stays ASCII, and the Shift_JIS form gives the
  // other charsets what a Shift_JIS keyword would.
  const tolvane::Keyword typed = tolvane::Keyword::FromUtf8(keyword);
  tolvane::KeywordForms typed_forms(typed);
  if (IsAscii(tmpl) && (!has_page || (IsAscii(active_url) && IsAscii(address_bar)))) {
    Check(IsAscii(tolvane::SubstitutePlaceholders(tmpl, 3, typed_forms, context)));
  }
  Check(tolvane::SubstitutePlaceholders(tmpl, 1, typed_forms, context) ==
        tolvane::SubstitutePlaceholders(tmpl, 1, typed.sjis(), context));
  return 0;
}
