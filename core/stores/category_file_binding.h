#pragma once

#include <string>
#include <string_view>

#include "core/files/store_binding.h"
#include "core/stores/category_folder_tree.h"
#include "core/stores/engine_list.h"

namespace tolvane {

// How one of the four files of engines and tabs reaches its folder tree and
// its list. The engine list, the user's engines and the engine options all
// feed the one engine tree and the one engine list; the tab file feeds the
// tab tree and the tab list.
//
//   file          folder lines             item lines
//   engine list   downloaded categories    engine records (never written)
//   user engines  categories 100-199       user engine records, 12 columns
//   options       every category's options every engine's option line
//   tabs          tab groups, 8 fields     tab records, 19 columns
class CategoryFileBinding : public StoreBinding {
 public:
  enum class File {
    kEngineList,
    kEngineOptions,
    kUserEngines,
    kTabs,
  };

  CategoryFileBinding(File file, CategoryFolderTree& tree, EngineList& list)
      : file_(file), tree_(tree), list_(list) {}

  CategoryFolderTree& tree() { return tree_; }
  EngineList& list() { return list_; }

  // The engine list and the tab list reset their tree and list; the two
  // files that only add to the engines leave them alone.
  void ResetToDefaults() override;
  int ParseFolderLine(std::string_view line) override;
  int ParseItemLine(std::string_view line) override;
  std::size_t FolderSlotCount() const override { return tree_.size(); }
  std::string FormatFolderLine(std::size_t index) const override;
  std::size_t ItemSlotCount() const override { return list_.size(); }
  std::string FormatItemLine(std::size_t index, const SaveContext& context) const override;

 private:
  File file_;
  CategoryFolderTree& tree_;
  EngineList& list_;
};

}  // namespace tolvane
