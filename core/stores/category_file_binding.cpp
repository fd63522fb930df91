#include "core/stores/category_file_binding.h"

namespace tolvane {

void CategoryFileBinding::ResetToDefaults() {
  if (file_ != File::kEngineList && file_ != File::kTabs) return;
  tree_.Reset();
  list_.Clear();
}

int CategoryFileBinding::ParseFolderLine(std::string_view line) {
  // Option lines change folders already in the tree; they add none.
  return file_ == File::kEngineOptions ? tree_.ParseOptionLine(line) : tree_.ParseFolderLine(line);
}

int CategoryFileBinding::ParseItemLine(std::string_view line) {
  return file_ == File::kEngineOptions ? list_.ParseOptionLine(line) : list_.ParseRecord(line);
}

std::string CategoryFileBinding::FormatFolderLine(std::size_t index) const {
  switch (file_) {
    case File::kEngineOptions:
      return tree_.FormatOptionLine(index);
    case File::kUserEngines:
      return tree_.IsUser(index) ? tree_.FormatFolderLine(index) : std::string();
    case File::kEngineList:
    case File::kTabs:
      break;
  }
  return tree_.FormatFolderLine(index);
}

std::string CategoryFileBinding::FormatItemLine(std::size_t index, const SaveContext&) const {
  switch (file_) {
    case File::kEngineOptions:
      return list_.FormatOptionLine(index);
    case File::kUserEngines:
      return list_.IsUserEngine(index) ? list_.FormatRecord(index) : std::string();
    case File::kEngineList:
      // The user's engines belong to their own file.
      return list_.IsUserEngine(index) ? std::string() : list_.FormatRecord(index);
    case File::kTabs:
      break;
  }
  return list_.FormatRecord(index);
}

}  // namespace tolvane
