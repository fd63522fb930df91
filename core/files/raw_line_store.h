#pragma once

#include <cstddef>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "core/files/store_binding.h"

namespace tolvane {

// A store that keeps folder and item lines verbatim. It stands in for store
// classes that are not built yet, so their files pass a load and a save
// untouched, and it is the store the data-file tests and tools use.
//
// Every line with at least one field is accepted; a line without any (empty
// or white space only) is rejected, as the real parsers reject short lines.
// Deleted records keep their slot and are not written.
class RawLineStore : public StoreBinding {
 public:
  void ResetToDefaults() override;
  int ParseFolderLine(std::string_view line) override;
  int ParseItemLine(std::string_view line) override;
  std::size_t FolderSlotCount() const override { return folders_.size(); }
  std::string FormatFolderLine(std::size_t index) const override;
  std::size_t ItemSlotCount() const override { return items_.size(); }
  std::string FormatItemLine(std::size_t index, const SaveContext& context) const override;

  // The lines of the records not deleted, in slot order.
  std::vector<std::string> folder_lines() const { return folders_.LiveLines(); }
  std::vector<std::string> item_lines() const { return items_.LiveLines(); }

  std::size_t LiveFolderCount() const { return folders_.LiveCount(); }
  std::size_t LiveItemCount() const { return items_.LiveCount(); }

  // Marks a record deleted; false when there is no such slot.
  bool MarkFolderDeleted(std::size_t index) { return folders_.MarkDeleted(index); }
  bool MarkItemDeleted(std::size_t index) { return items_.MarkDeleted(index); }

  // How often ResetToDefaults ran (it clears both blocks).
  int reset_count() const { return reset_count_; }

 private:
  // The lines of one block back to back in chunks of memory that never
  // move, so that loading a large file costs no allocation per record.
  class Block {
   public:
    int Add(std::string_view line);
    std::string Line(std::size_t index) const;
    std::size_t size() const { return slots_.size(); }
    std::vector<std::string> LiveLines() const;
    std::size_t LiveCount() const;
    bool MarkDeleted(std::size_t index);
    void Clear();

   private:
    struct Slot {
      std::string_view line;  // into chunks_
      bool deleted;
    };
    std::vector<std::unique_ptr<char[]>> chunks_;
    std::size_t chunk_used_ = 0;  // bytes taken in the last chunk
    std::size_t chunk_size_ = 0;
    std::vector<Slot> slots_;
  };

  Block folders_;
  Block items_;
  int reset_count_ = 0;
};

}  // namespace tolvane
