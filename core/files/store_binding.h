#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace tolvane {

// Values the writer reads once per save and hands to the formatters.
struct SaveContext {
  int save_page_tab = 1;  // OptionMain/SavePageTab; the clip formatter uses it
};

// What the data-file reader and writer need of one store type: the store
// classes (folder trees, item lists, clips, engines, tabs) each provide a
// binding, so a new store joins load and save without touching the reader.
//
// Lines are plain (already decoded) Shift_JIS text without the line end.
class StoreBinding {
 public:
  virtual ~StoreBinding() = default;

  // The file does not exist: put the store back to its defaults.
  virtual void ResetToDefaults() = 0;

  // Adds one record; returns its index, or -1 (nothing added) when the line
  // has too few fields. The reader skips rejected lines.
  virtual int ParseFolderLine(std::string_view line) = 0;
  virtual int ParseItemLine(std::string_view line) = 0;

  // Writer side. Slots are visited in index order; an empty string means
  // "nothing to write for this slot" (deleted, or held by another file).
  virtual std::size_t FolderSlotCount() const = 0;
  virtual std::string FormatFolderLine(std::size_t index) const = 0;
  virtual std::size_t ItemSlotCount() const = 0;
  virtual std::string FormatItemLine(std::size_t index, const SaveContext& context) const = 0;
};

}  // namespace tolvane
