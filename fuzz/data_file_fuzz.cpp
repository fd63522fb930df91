// Loads arbitrary bytes as every kind of store file, then writes what was
// read and loads that again: a file the reader accepted must come back with
// the same records. The first input byte picks a mode: odd means "encode the
// rest as the body of a version 1 file", which must read exactly like the
// same body in a plain version 0 file.
#include <unistd.h>

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <string_view>

#include "core/files/data_file.h"
#include "core/files/raw_line_store.h"
#include "core/files/triplet_encoding.h"

namespace {

using tolvane::DataFile;
using tolvane::DataFileLoadResult;
using tolvane::RawLineStore;
using tolvane::StoreType;

void Check(bool condition) {
  if (!condition) std::abort();
}

bool SameRecords(const RawLineStore& a, const RawLineStore& b) {
  return a.folder_lines() == b.folder_lines() && a.item_lines() == b.item_lines();
}

// Every line of `body` encoded (its CR LF or LF ending kept as LF; a last
// line without one stays without).
std::string EncodeBody(std::string_view body) {
  int next = 0;
  auto random = [&next](int low, int high) { return low + (next++ % (high - low + 1)); };
  std::string out;
  while (!body.empty()) {
    std::size_t end = body.find('\n');
    std::string_view line = body.substr(0, end);
    body.remove_prefix(end == std::string_view::npos ? body.size() : end + 1);
    const bool cr = !line.empty() && line.back() == '\r';
    if (cr) line.remove_suffix(1);
    out += tolvane::TripletEncoding::Encode(line, random);
    if (end != std::string_view::npos) {
      out += '\n';
    } else if (cr) {
      out += '\r';  // the reader drops it as it does in the plain file
    }
  }
  return out;
}

void RoundTrip(StoreType type, const RawLineStore& first) {
  const std::string written = DataFile::Format(type, first, {});
  RawLineStore second;
  const DataFileLoadResult again = DataFile::LoadFromBytes(type, written, second);
  Check(again.status == DataFileLoadResult::Status::kLoaded);
  Check(first.item_lines() == second.item_lines());
  // The engine list and clip files are written without folder lines.
  if (type == StoreType::kEngineList || type == StoreType::kClips) {
    Check(second.folder_lines().empty());
  } else {
    Check(first.folder_lines() == second.folder_lines());
  }
  Check(DataFile::Format(type, second, {}) == DataFile::Format(type, first, {}) ||
        type == StoreType::kEngineList);
}

// The same bytes read from a file, a block at a time, give the same outcome
// as read from memory (the file reader stops inside a line past every limit,
// so only its message may differ then).
void SameFromFile(std::string_view bytes) {
  static const std::filesystem::path path =
      std::filesystem::temp_directory_path() / ("data_file_fuzz." + std::to_string(::getpid()));
  {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
  }
  RawLineStore from_memory;
  const DataFileLoadResult memory = DataFile::LoadFromBytes(StoreType::kTabs, bytes, from_memory);
  RawLineStore from_file;
  const DataFileLoadResult file = DataFile::Load(StoreType::kTabs, path, from_file);
  std::error_code ignored;
  std::filesystem::remove(path, ignored);
  Check(file.status == memory.status);
  Check(file.line == memory.line);
  Check(SameRecords(from_file, from_memory));
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size == 0) return 0;
  const bool encode = data[0] & 1;
  const std::string_view rest(reinterpret_cast<const char*>(data + 1), size - 1);
  if (!encode) SameFromFile(rest);
  for (int t = 0; t < tolvane::kStoreTypeCount; ++t) {
    const auto type = static_cast<StoreType>(t);
    if (!encode) {
      RawLineStore store;
      const DataFileLoadResult result = DataFile::LoadFromBytes(type, rest, store);
      Check(result.ok() == (result.status == DataFileLoadResult::Status::kLoaded));
      Check(result.ok() || (result.line > 0 && !result.message.empty()));
      if (result.ok()) RoundTrip(type, store);
      continue;
    }
    const std::string head = std::string(tolvane::StoreMarker(type)) + "\r\n";
    RawLineStore plain_store;
    const DataFileLoadResult plain =
        DataFile::LoadFromBytes(type, head + "0\r\n" + std::string(rest), plain_store);
    RawLineStore encoded_store;
    const DataFileLoadResult encoded =
        DataFile::LoadFromBytes(type, head + "1\r\n" + EncodeBody(rest), encoded_store);
    // Over-long plain lines are reported on the same line either way.
    Check(plain.status == encoded.status);
    Check(plain.line == encoded.line);
    Check(SameRecords(plain_store, encoded_store));
    if (encoded.ok()) RoundTrip(type, encoded_store);
  }
  return 0;
}
