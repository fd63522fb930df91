#include "core/files/data_file.h"

#include <cerrno>
#include <climits>
#include <cstdio>
#include <cstring>
#include <system_error>

#include "core/files/file_line_cursor.h"
#include "core/files/line_cursor.h"
#include "core/files/record_fields.h"
#include "core/files/triplet_encoding.h"

namespace tolvane {
namespace {

using Status = DataFileLoadResult::Status;

// A short printable rendering of a line for messages.
std::string Quote(std::string_view text) {
  constexpr std::size_t kShown = 40;
  std::string quoted = "\"";
  for (std::size_t i = 0; i < text.size() && i < kShown; ++i) {
    const unsigned char c = static_cast<unsigned char>(text[i]);
    quoted += (c >= 0x20 && c < 0x7f) ? static_cast<char>(c) : '?';
  }
  if (text.size() > kShown) quoted += "...";
  return quoted + "\"";
}

std::string LinePrefix(long long line) { return "line " + std::to_string(line) + ": "; }

// A line's length. A file cursor stops reading a line past every limit, so
// the true length of such a line is not known.
std::string Length(std::size_t size) {
  constexpr std::size_t kCut = DataFile::kMaxEncodedLineBytes + 2;
  return size >= kCut ? "over " + std::to_string(kCut - 1) : std::to_string(size);
}

// Reads from a LineCursor (bytes in memory) or a FileLineCursor (a file a
// block at a time); both hand out lines the same way.
template <typename Cursor>
class Reader {
 public:
  Reader(StoreType type, StoreBinding& store) : type_(type), store_(store) {}

  DataFileLoadResult Run(Cursor& lines) {
    std::string_view marker_line;
    if (!lines.Next(&marker_line)) {
      return Fail(Status::kTruncated, 1,
                  "the file is empty; line 1 should be the marker " + Quote(StoreMarker(type_)));
    }
    if (marker_line != StoreMarker(type_)) return WrongMarker(marker_line);
    if (WasCut(lines)) return result_;

    std::string_view version_line;
    if (!lines.Next(&version_line)) {
      return Fail(Status::kTruncated, 2, "the file ends after the marker, before the version line");
    }
    if (version_line.size() > DataFile::kMaxPlainLineBytes) {
      TooLong(2, version_line.size());
      return result_;
    }
    if (WasCut(lines)) return result_;
    result_.version_line.assign(version_line);
    // An empty version line counts as version 1, so its body is encoded.
    const RecordFields version_fields(version_line);
    encoded_ = version_fields.empty() || ParseDecimalPrefix(version_fields[0]) != 0;

    // Clip files carry no folders: their folder lines are read and ignored.
    const bool wants_folders = type_ != StoreType::kClips;
    if (!ReadBlock(lines, "folder", wants_folders, &StoreBinding::ParseFolderLine)) return result_;
    if (!ReadBlock(lines, "item", true, &StoreBinding::ParseItemLine)) return result_;
    return result_;  // lines after the last item are ignored
  }

 private:
  using Parser = int (StoreBinding::*)(std::string_view);

  // Reads a count line and the lines it announces, handing each to `parse`.
  bool ReadBlock(Cursor& lines, const char* what, bool use_lines, Parser parse) {
    std::string_view line;
    if (!NextRecordLine(lines, &line)) {
      if (failed_) return false;
      Fail(Status::kTruncated, lines.number() + 1,
           std::string("the file ends before the ") + what + " count");
      return false;
    }
    const long long count_line = lines.number();
    bool had_digits = false;
    const int count = ParseDecimalPrefix(line, &had_digits);
    if (!had_digits) {
      Fail(Status::kBadCount, count_line,
           std::string("the ") + what + " count " + Quote(line) + " is not a number");
      return false;
    }
    if (count < 0) {
      Fail(Status::kBadCount, count_line,
           std::string("the ") + what + " count " + std::to_string(count) + " is negative");
      return false;
    }
    // The count is only trusted as far as the lines go: nothing is reserved by it.
    for (int i = 0; i < count; ++i) {
      if (!NextRecordLine(lines, &line)) {
        if (failed_) return false;
        Fail(Status::kTruncated, lines.number() + 1,
             "expected " + std::to_string(count) + " " + what + " lines after line " +
                 std::to_string(count_line) + ", the file ends after " + std::to_string(i));
        return false;
      }
      if (use_lines) (store_.*parse)(line);  // a rejected line is skipped
    }
    return true;
  }

  // The next line from line 3 on, decoded when the file is encoded. False
  // at the end of the file, or with failed_ set when the line is unusable.
  bool NextRecordLine(Cursor& lines, std::string_view* line) {
    std::string_view raw;
    if (!lines.Next(&raw)) return false;
    if (!encoded_) {
      if (raw.size() > DataFile::kMaxPlainLineBytes) return TooLong(lines.number(), raw.size());
      if (WasCut(lines)) return false;
      *line = raw;
      return true;
    }
    if (raw.size() > DataFile::kMaxEncodedLineBytes) {
      Fail(Status::kLineTooLong, lines.number(),
           "the encoded line is " + Length(raw.size()) + " characters long, more than the " +
               std::to_string(DataFile::kMaxEncodedLineBytes) + " an encoded line may hold");
      return false;
    }
    std::size_t bad = 0;
    if (!TripletEncoding::Decode(raw, &decoded_, &bad)) {
      char byte[8];
      std::snprintf(byte, sizeof byte, "0x%02X", static_cast<unsigned char>(raw[bad]));
      Fail(Status::kBadEncoding, lines.number(),
           "character " + std::to_string(bad + 1) + " of the encoded line (byte " + byte +
               ") is not one the line encoding uses; the file is damaged");
      return false;
    }
    if (decoded_.size() > DataFile::kMaxPlainLineBytes) {
      Fail(Status::kLineTooLong, lines.number(),
           "the encoded line decodes to " + std::to_string(decoded_.size()) +
               " bytes, more than the " + std::to_string(DataFile::kMaxPlainLineBytes) +
               " a line may hold");
      return false;
    }
    // Checked last, as for a plain line: an encoded body reads like the plain one.
    if (WasCut(lines)) return false;
    *line = decoded_;
    return true;
  }

  // The program ends every line it writes with CR LF: a line the reader
  // needs that has no line end was cut off with the rest of the file, and
  // the file is as short as one whose counted lines are missing. The
  // downloaded engine list is read whole without a final line end.
  bool WasCut(const Cursor& lines) {
    if (lines.ended() || type_ == StoreType::kEngineList) return false;
    Fail(Status::kTruncated, lines.number(),
         "the file ends inside this line, before its line end: the file was cut short");
    return true;
  }

  DataFileLoadResult WrongMarker(std::string_view found) {
    std::string message = "expected the marker " + Quote(StoreMarker(type_)) + ", found ";
    if (found.empty()) {
      message += "an empty line";
    } else {
      message += Quote(found);
      for (int i = 0; i < kStoreTypeCount; ++i) {
        const auto other = static_cast<StoreType>(i);
        if (found == StoreMarker(other)) {
          message += " (the marker of " + std::string(StoreFileName(other)) + ")";
        }
      }
    }
    return Fail(Status::kWrongMarker, 1, message);
  }

  bool TooLong(long long line, std::size_t size) {
    Fail(Status::kLineTooLong, line,
         "the line is " + Length(size) + " bytes long, more than the " +
             std::to_string(DataFile::kMaxPlainLineBytes) + " a line may hold");
    return false;
  }

  DataFileLoadResult Fail(Status status, long long line, const std::string& what) {
    failed_ = true;
    result_.status = status;
    result_.line = line > INT_MAX ? INT_MAX : static_cast<int>(line);
    result_.message = LinePrefix(line) + what;
    return result_;
  }

  StoreType type_;
  StoreBinding& store_;
  DataFileLoadResult result_;
  bool encoded_ = false;
  bool failed_ = false;
  std::string decoded_;  // reused for every encoded line
};

bool IsWritableLine(std::string_view line) {
  return line.size() <= DataFile::kMaxPlainLineBytes && line.find('\n') == std::string_view::npos;
}

}  // namespace

DataFileLoadResult DataFile::Load(StoreType type, const std::filesystem::path& path,
                                  StoreBinding& store) {
  DataFileLoadResult result;
  std::error_code ec;
  const auto link_status = std::filesystem::symlink_status(path, ec);
  if (link_status.type() == std::filesystem::file_type::not_found) {
    // Options and user engines only add to the engine tree: nothing to reset.
    if (type != StoreType::kEngineOptions && type != StoreType::kUserEngines) {
      store.ResetToDefaults();
    }
    result.status = Status::kMissing;
    return result;
  }
  auto cannot_open = [&](const std::string& why) {
    result.status = Status::kCannotOpen;
    result.message = "the file cannot be opened: " + why;
    return result;
  };
  if (ec) return cannot_open(ec.message());
  const auto status = std::filesystem::status(path, ec);
  if (status.type() == std::filesystem::file_type::not_found) {
    return cannot_open("it is a link to a file that does not exist");
  }
  if (ec) return cannot_open(ec.message());
  if (status.type() == std::filesystem::file_type::directory) {
    return cannot_open("it is a directory");
  }
  if (status.type() != std::filesystem::file_type::regular) {
    // Opening a FIFO would wait for a writer, a device may do anything.
    return cannot_open("it is not a regular file");
  }
  const auto size = std::filesystem::file_size(path, ec);
  if (ec) return cannot_open(ec.message());
  if (size > kMaxFileBytes) {
    result.status = Status::kTooLarge;
    result.message = "the file is " + std::to_string(size) + " bytes, more than the " +
                     std::to_string(kMaxFileBytes) + " a store file may hold";
    return result;
  }
  FileLineCursor lines(path, kMaxEncodedLineBytes);
  if (!lines.is_open()) return cannot_open(std::strerror(errno));
  result = Reader<FileLineCursor>(type, store).Run(lines);
  if (lines.read_error()) {
    result.status = Status::kCannotOpen;
    result.message = LinePrefix(lines.number() + 1) + "the file cannot be read";
  }
  return result;
}

DataFileLoadResult DataFile::LoadFromBytes(StoreType type, std::string_view bytes,
                                           StoreBinding& store) {
  LineCursor lines(bytes);
  return Reader<LineCursor>(type, store).Run(lines);
}

std::string DataFile::Format(StoreType type, const StoreBinding& store, const SaveContext& context,
                             std::size_t* dropped_lines) {
  std::string out;
  std::size_t dropped = 0;
  out.append(StoreMarker(type)).append("\r\n0\r\n");

  // The count goes first, so the lines are gathered before it is known;
  // it counts exactly the lines written.
  std::string block;
  auto write_block = [&](std::size_t slots, auto format_line) {
    block.clear();
    std::size_t count = 0;
    for (std::size_t i = 0; i < slots; ++i) {
      const std::string line = format_line(i);
      if (line.empty()) continue;
      if (!IsWritableLine(line)) {
        ++dropped;
        continue;
      }
      block.append(line).append("\r\n");
      ++count;
    }
    out.append(std::to_string(count)).append("\r\n").append(block);
  };
  // The downloaded engine list and the clip file are written without folders.
  const bool has_folders = type != StoreType::kEngineList && type != StoreType::kClips;
  write_block(has_folders ? store.FolderSlotCount() : 0,
              [&](std::size_t i) { return store.FormatFolderLine(i); });
  write_block(store.ItemSlotCount(),
              [&](std::size_t i) { return store.FormatItemLine(i, context); });
  if (dropped_lines) *dropped_lines = dropped;
  return out;
}

DataFileSaveResult DataFile::Save(StoreType type, const std::filesystem::path& path,
                                  const StoreBinding& store, const SaveContext& context, Env& env) {
  DataFileSaveResult result;
  const std::string bytes = Format(type, store, context, &result.dropped_lines);
  std::string error;
  if (!env.ReplaceFile(path, bytes, &error)) {
    result.message = "the file could not be written (" + error + "); any previous file is kept";
    return result;
  }
  result.ok = true;
  if (result.dropped_lines > 0) {
    result.message = std::to_string(result.dropped_lines) +
                     " record line(s) were left out: longer than " +
                     std::to_string(kMaxPlainLineBytes) + " bytes or holding a line feed";
  }
  return result;
}

}  // namespace tolvane
