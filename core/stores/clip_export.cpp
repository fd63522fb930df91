#include "core/stores/clip_export.h"

#include <algorithm>
#include <cstring>
#include <optional>
#include <system_error>
#include <vector>

#include "core/files/data_file.h"
#include "core/files/file_line_cursor.h"
#include "core/files/line_cursor.h"
#include "core/files/record_fields.h"
#include "core/files/store_type.h"
#include "core/files/string_table.h"
#include "core/text/charset_converter.h"

namespace tolvane {
namespace {

struct OldClip {
  int group_id;
  int group_key;
  std::string title;
  std::string url;
};

const std::string& Header() {
  static const std::string header = Utf8ToSjis(
      "<html>\n"
      "<head>\n"
      "<meta http-equiv=\"Content-Type\" content=\"text/html; charset=shift_jis\">\n"
      "<title>クリップページ一覧</title>\n"
      "<style type=\"text/css\">\n"
      "<!--\n"
      ".page_title {font-weight:bold;font-size:1.1em;border-bottom:1px solid #999999;"
      "margin:0 0 10px 0;}\n"
      ".clip_title {font-weight:bold;font-size:1.1em;}\n"
      ".clip_link {margin:0 0 10px 10px;}\n"
      "-->\n"
      "</style>\n"
      "</head>\n"
      "<body>\n"
      "<div class=\"page_title\">クリップページ一覧</div>");
  return header;
}

const std::string& LinkStart() {
  static const std::string start = Utf8ToSjis("・<a href=\"");
  return start;
}

}  // namespace

std::filesystem::path ClipExport::OutputPath(const std::filesystem::path& data_dir) {
  return data_dir / std::filesystem::path(u8"クリップ.html");
}

const std::string& ClipExport::ListTitle() {
  static const std::string title = Utf8ToSjis("クリップページ一覧");
  return title;
}

std::string ClipExport::EscapeHtml(std::string_view text) {
  // A byte scan is right for Shift_JIS: trail bytes are 0x40 and up, so none
  // of & < > " (0x22-0x3E) is ever part of a double-byte character, and a
  // browser reads such a byte after a stray lead byte as itself, so it must
  // be escaped there too.
  std::string out;
  out.reserve(text.size());
  for (const char c : text) {
    switch (c) {
      case '&':
        out += "&amp;";
        break;
      case '<':
        out += "&lt;";
        break;
      case '>':
        out += "&gt;";
        break;
      case '"':
        out += "&quot;";
        break;
      default:
        out += c;
    }
  }
  return out;
}

ClipExport::Status ClipExport::Format(std::string_view old_file, const EngineNameLookup& names,
                                      std::string* html) {
  LineCursor lines(old_file);
  std::string_view line;
  if (!lines.Next(&line) || line != kOldMarker) return Status::kWrongMarker;
  // The version line and a folder count that the old layout never used.
  for (int skip = 0; skip < 2; ++skip) {
    if (!lines.Next(&line)) return Status::kNoClips;
  }
  if (!lines.Next(&line)) return Status::kNoClips;
  const int count = ParseDecimalPrefix(line);
  if (count <= 0) return Status::kNoClips;

  // A short file gives what it has; the count is not trusted for memory.
  // Lines are taken whole whatever their length: cutting one would turn its
  // rest into a record of its own and shift the count.
  std::vector<OldClip> clips;
  for (int i = 0; i < count && lines.Next(&line); ++i) {
    const RecordFields fields(line);
    if (fields.size() < 4) continue;
    clips.push_back({fields.Int(0), fields.Int(1), fields.Text(2), fields.Text(3)});
  }
  std::stable_sort(clips.begin(), clips.end(),
                   [](const OldClip& a, const OldClip& b) { return a.group_key < b.group_key; });

  std::string& out = *html;
  out = Header();
  for (std::size_t i = 0; i < clips.size(); ++i) {
    const OldClip& clip = clips[i];
    if (i == 0 || clip.group_key != clips[i - 1].group_key) {
      const std::optional<std::string> name = names.EngineName(clip.group_id);
      out += "<div class=\"clip_title\">";
      out += EscapeHtml(name ? *name : LoadString(string_id::kUntitled));
      out += "</div>\n";
    }
    out += "<div class=\"clip_link\">\n";
    out += LinkStart();
    out += EscapeHtml(clip.url);
    out += "\">";
    out += EscapeHtml(clip.title.empty() ? clip.url : clip.title);
    out += "</a>\n";
    out += "</div>\n";
  }
  out += "</body>\n</html>\n";
  return Status::kExported;
}

ClipExport::Status ClipExport::Export(const std::filesystem::path& data_dir,
                                      const EngineNameLookup& names, Env& env) {
  const auto path = data_dir / StoreFileName(StoreType::kClips);
  std::error_code ec;
  if (!std::filesystem::is_regular_file(path, ec)) return Status::kNoOldFile;
  // A clip file that failed to load is rarely of the old layout: its first
  // line decides before the whole file is read, however large it is.
  {
    FileLineCursor first(path, kOldMarker.size());
    std::string_view line;
    if (!first.is_open()) return Status::kNoOldFile;
    if (!first.Next(&line) || line != kOldMarker) return Status::kWrongMarker;
  }
  std::string old_file;
  if (!ReadWholeFile(path, &old_file, nullptr, DataFile::kMaxFileBytes)) return Status::kNoOldFile;
  std::string html;
  const Status status = Format(old_file, names, &html);
  if (status != Status::kExported) return status;
  std::string error;
  if (!env.ReplaceFile(OutputPath(data_dir), html, &error)) return Status::kCannotCreate;
  return Status::kExported;
}

}  // namespace tolvane
