#include "core/files/raw_line_store.h"

#include "core/files/record_fields.h"

namespace tolvane {

void RawLineStore::ResetToDefaults() {
  folders_.Clear();
  items_.Clear();
  ++reset_count_;
}

int RawLineStore::ParseFolderLine(std::string_view line) { return folders_.Add(line); }

int RawLineStore::ParseItemLine(std::string_view line) { return items_.Add(line); }

std::string RawLineStore::FormatFolderLine(std::size_t index) const { return folders_.Line(index); }

std::string RawLineStore::FormatItemLine(std::size_t index, const SaveContext&) const {
  return items_.Line(index);
}

namespace {
// Below the usual mmap threshold of malloc, so chunks are recycled quickly.
constexpr std::size_t kChunkBytes = 64 * 1024;
}  // namespace

int RawLineStore::Block::Add(std::string_view line) {
  if (!RecordFields::HasAnyField(line)) return -1;
  if (chunks_.empty() || line.size() > chunk_size_ - chunk_used_) {
    chunk_size_ = line.size() > kChunkBytes ? line.size() : kChunkBytes;
    chunks_.push_back(std::make_unique_for_overwrite<char[]>(chunk_size_));
    chunk_used_ = 0;
  }
  char* copy = chunks_.back().get() + chunk_used_;
  line.copy(copy, line.size());
  chunk_used_ += line.size();
  slots_.push_back(Slot{std::string_view(copy, line.size()), false});
  return static_cast<int>(slots_.size() - 1);
}

std::string RawLineStore::Block::Line(std::size_t index) const {
  if (index >= slots_.size() || slots_[index].deleted) return {};
  return std::string(slots_[index].line);
}

std::vector<std::string> RawLineStore::Block::LiveLines() const {
  std::vector<std::string> lines;
  for (const Slot& slot : slots_) {
    if (!slot.deleted) lines.emplace_back(slot.line);
  }
  return lines;
}

std::size_t RawLineStore::Block::LiveCount() const {
  std::size_t live = 0;
  for (const Slot& slot : slots_) live += slot.deleted ? 0 : 1;
  return live;
}

bool RawLineStore::Block::MarkDeleted(std::size_t index) {
  if (index >= slots_.size()) return false;
  slots_[index].deleted = true;
  return true;
}

void RawLineStore::Block::Clear() {
  chunks_.clear();
  slots_.clear();
  chunk_used_ = 0;
  chunk_size_ = 0;
}

}  // namespace tolvane
