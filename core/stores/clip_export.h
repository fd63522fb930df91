#pragma once

#include <filesystem>
#include <string>
#include <string_view>

#include "core/files/env.h"
#include "core/stores/engine_name_lookup.h"

namespace tolvane {

// Rescues the clips of a clip file of the earlier layout (first line
// "@@ClipList@@"), which the store reader refuses: they are written once as
// an HTML page "クリップ.html" in the data directory, grouped under the names
// of the engines they were clipped from, and shown to the user at start-up.
// The old file is left alone; the next save replaces it in the current
// layout.
//
// Old record lines: group ID (an engine ID), group key (a number), title,
// URL, TAB-separated; lines with fewer fields are left out. The page lists
// the records by group key (stable), with a heading wherever the key
// changes. The page is Shift_JIS, LF line ends; titles, URLs and headings
// are HTML-escaped. docs/formats/clips.md shows a whole page.
class ClipExport {
 public:
  enum class Status {
    kExported,      // the page was written
    kNoOldFile,     // vq_clip.clf cannot be read, or is larger than a store file may be
    kWrongMarker,   // not a file of the earlier layout (or empty)
    kNoClips,       // its record count is missing, zero or negative
    kCannotCreate,  // the page could not be written; no partial page is left
  };

  static constexpr std::string_view kOldMarker = "@@ClipList@@";

  // "クリップ.html" in `data_dir`.
  static std::filesystem::path OutputPath(const std::filesystem::path& data_dir);
  // "クリップページ一覧" (Shift_JIS): the page's title, and the caption of
  // the page tab that shows it.
  static const std::string& ListTitle();

  // Reads `data_dir`/vq_clip.clf and writes the page through
  // Env::ReplaceFile. Stops without a word in every case but kExported.
  static Status Export(const std::filesystem::path& data_dir, const EngineNameLookup& names,
                       Env& env);

  // The page for the bytes of an old clip file; `html` is filled only with
  // kExported (never kNoOldFile or kCannotCreate).
  static Status Format(std::string_view old_file, const EngineNameLookup& names, std::string* html);

  // `text` with & < > " written as &amp; &lt; &gt; &quot;, every other byte
  // as it is.
  static std::string EscapeHtml(std::string_view text);
};

}  // namespace tolvane
