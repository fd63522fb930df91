#include "core/stores/category_file_binding.h"

#include "core/app/record_fields.h"

namespace tolvane {

void CategoryFileBinding::ResetToDefaults() {
  if (file_ == File::kEngineList || file_ == File::kTabs) tree_.Reset();
  records_.ResetToDefaults();
}

int CategoryFileBinding::ParseFolderLine(std::string_view line) {
  if (file_ != File::kEngineOptions) return tree_.ParseFolderLine(line);
  // Option lines change folders already in the tree; they add none. Count
  // the lines that name a folder there.
  RecordFields fields(line);
  if (fields.size() < 4 || tree_.Find(fields.Int(0)) < 0) return -1;
  tree_.ParseOptionLine(line);
  return 0;
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

}  // namespace tolvane
