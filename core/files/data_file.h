#pragma once

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <string>
#include <string_view>

#include "core/files/env.h"
#include "core/files/store_binding.h"
#include "core/files/store_type.h"

namespace tolvane {

// Outcome of loading one store file. On failure `message` is a sentence a
// user can act on ("line 7: expected 120 item lines, the file ends after 3"),
// and `line` the 1-based line number it concerns (0 when none).
struct DataFileLoadResult {
  enum class Status {
    kLoaded,       // read to the end of its counted blocks
    kMissing,      // no such file: the store was reset to its defaults
    kCannotOpen,   // exists but cannot be opened (a directory, no permission)
    kWrongMarker,  // first line is not the store's marker
    kTruncated,    // fewer lines than the counts announce (records so far kept)
    kLineTooLong,  // a line over the reader's limits
    kBadEncoding,  // an encoded line with a character outside the alphabet
    kBadCount,     // a folder or item count that is not a number, or negative
    kTooLarge,     // larger than kMaxFileBytes: refused unread
  };
  Status status = Status::kLoaded;
  int line = 0;
  std::string message;
  std::string version_line;  // line 2 verbatim (the engine list keeps it)

  bool ok() const { return status == Status::kLoaded || status == Status::kMissing; }
};

struct DataFileSaveResult {
  bool ok = false;
  std::string message;  // why the write failed; the old file is untouched then
  // Record lines the writer left out because no reader could take them back
  // (over kMaxPlainLineBytes, or holding a line feed). The file is written
  // all the same, and `message` names them.
  std::size_t dropped_lines = 0;
};

// The common store file frame: marker, version, counted folder lines,
// counted item lines; lines optionally triplet-encoded when the version is
// not 0. Every line is written with CR LF; LF alone is accepted on reading.
// The format is described in docs/formats/data-file.md.
class DataFile {
 public:
  // Plain lines hold at most this many bytes (a 16 000-byte buffer with its
  // line feed and terminator); encoded lines at most kMaxEncodedLineBytes,
  // and their decoded form again at most kMaxPlainLineBytes, so that every
  // line read can be written back plain and read once more.
  static constexpr std::size_t kMaxPlainLineBytes = 15998;
  static constexpr std::size_t kMaxEncodedLineBytes = 63998;
  // The largest store file read: as many lines of the longest plain kind,
  // with their CR LF, as a store holds records at most (the option pages
  // accept up to 99 999 items a store). Larger files are refused unread.
  static constexpr std::uintmax_t kMaxRecords = 100000;
  static constexpr std::uintmax_t kMaxFileBytes = kMaxRecords * (kMaxPlainLineBytes + 2);

  // Loads `path` into `store`. A missing file resets the store (except the
  // engine options and user engines, which only add to the engine tree) and succeeds.
  // An empty file was cut: it fails like a short one. An
  // existing file is never cleared first: records parsed before a failure
  // stay. Only a regular file is opened, and it is read a block at a time:
  // a file whose first line is not the marker costs one block.
  static DataFileLoadResult Load(StoreType type, const std::filesystem::path& path,
                                 StoreBinding& store);

  // The same reader over bytes already in memory (the fuzz target uses it).
  static DataFileLoadResult LoadFromBytes(StoreType type, std::string_view bytes,
                                          StoreBinding& store);

  // Writes the store through Env::ReplaceFile (temporary file, sync,
  // rename). On failure the previous file is left as it was.
  static DataFileSaveResult Save(StoreType type, const std::filesystem::path& path,
                                 const StoreBinding& store, const SaveContext& context, Env& env);

  // The bytes Save would write. `dropped_lines`, when given, receives the
  // number of record lines left out (see DataFileSaveResult).
  static std::string Format(StoreType type, const StoreBinding& store, const SaveContext& context,
                            std::size_t* dropped_lines = nullptr);
};

}  // namespace tolvane
