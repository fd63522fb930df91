#pragma once

#include <string>
#include <string_view>

#include "core/app/raw_line_store.h"
#include "core/app/store_binding.h"
#include "core/stores/category_folder_tree.h"

namespace tolvane {

// How one of the four files of the engine and tab trees reaches its folder
// tree. The engine list, the user's engines and the engine options all feed
// the one engine tree; the tab list feeds the tab tree. Their records (the
// engines, the tabs) are kept verbatim until the engine and tab lists take
// them over.
class CategoryFileBinding : public StoreBinding {
 public:
  enum class File {
    kEngineList,     // folder lines of the downloaded categories; never written
    kEngineOptions,  // option lines of every category
    kUserEngines,    // folder lines of the user's own categories (IDs 100-199)
    kTabs,           // tab groups in their eight-field form
  };

  CategoryFileBinding(File file, CategoryFolderTree& tree) : file_(file), tree_(tree) {}

  CategoryFolderTree& tree() { return tree_; }
  // The engine or tab records of this file, as read.
  RawLineStore& records() { return records_; }
  const RawLineStore& records() const { return records_; }

  // The engine list and the tab list reset their tree; the two files that
  // only add to the engine tree leave it alone.
  void ResetToDefaults() override;
  int ParseFolderLine(std::string_view line) override;
  int ParseItemLine(std::string_view line) override { return records_.ParseItemLine(line); }
  std::size_t FolderSlotCount() const override { return tree_.size(); }
  std::string FormatFolderLine(std::size_t index) const override;
  std::size_t ItemSlotCount() const override { return records_.ItemSlotCount(); }
  std::string FormatItemLine(std::size_t index, const SaveContext& context) const override {
    return records_.FormatItemLine(index, context);
  }

 private:
  File file_;
  CategoryFolderTree& tree_;
  RawLineStore records_;
};

}  // namespace tolvane
