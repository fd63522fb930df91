// Turns arbitrary bytes, read as an old clip file, into the clip page. No
// byte of the file may reach the page as markup: once the page's own tags
// are taken out of the part after the fixed header, no < > or " is left.
// Every kept record gives exactly one link.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <optional>
#include <string>
#include <string_view>

#include "core/stores/clip_export.h"

namespace {

using tolvane::ClipExport;

void Check(bool condition) {
  if (!condition) std::abort();
}

// Engine names come from a downloaded file: they may hold markup too.
class EchoLookup : public tolvane::EngineNameLookup {
 public:
  std::optional<std::string> EngineName(int engine_id) const override {
    if (engine_id % 3 == 0) return std::nullopt;
    return "<\"&" + std::to_string(engine_id) + ">";
  }
};

std::size_t RemoveAll(std::string& text, std::string_view piece) {
  std::size_t count = 0;
  for (std::size_t at = text.find(piece); at != std::string::npos; at = text.find(piece, at)) {
    text.erase(at, piece.size());
    ++count;
  }
  return count;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view old_file(reinterpret_cast<const char*>(data), size);
  std::string html;
  const ClipExport::Status status = ClipExport::Format(old_file, EchoLookup(), &html);
  if (status != ClipExport::Status::kExported) {
    Check(html.empty());
    return 0;
  }
  const std::string_view header_end = "<div class=\"page_title\">";
  const std::size_t body_start = html.find(header_end);
  Check(body_start != std::string::npos);
  std::string body = html.substr(html.find("</div>", body_start) + 6);
  Check(body.size() >= 16 && body.substr(body.size() - 16) == "</body>\n</html>\n");

  RemoveAll(body, "<div class=\"clip_title\">");
  const std::size_t links = RemoveAll(body, "<div class=\"clip_link\">\n");
  Check(RemoveAll(body, "<a href=\"") == links);
  Check(RemoveAll(body, "\">") == links);
  Check(RemoveAll(body, "</a>") == links);
  RemoveAll(body, "</div>");
  RemoveAll(body, "</body>\n</html>\n");
  Check(body.find_first_of("<>\"") == std::string::npos);
  return 0;
}
