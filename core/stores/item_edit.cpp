#include "core/stores/item_edit.h"

#include <array>
#include <string_view>

#include "core/files/record_fields.h"
#include "core/stores/tag_text.h"

namespace tolvane {
namespace {

constexpr int kNameRequired = 1004;
constexpr int kUrlInvalid = 1013;

constexpr std::array<std::string_view, 5> kUrlSchemes = {"http://", "https://", "ftp://", "file://",
                                                         "about:"};

bool NamesKnownScheme(const std::string& url) {
  for (auto scheme : kUrlSchemes) {
    if (url.find(scheme) != std::string::npos) return true;
  }
  return false;
}

}  // namespace

int CheckItemEdit(StoreType type, ItemEdit& edit) {
  edit.title = FieldSafe(edit.title);
  edit.url = FieldSafe(edit.url);
  if (type == StoreType::kKeywords) {
    // A name of spaces only would become an empty keyword.
    edit.title = NormaliseTags(edit.title);
    if (edit.title.empty()) return kNameRequired;
    edit.url = edit.title;
  } else {
    if (edit.title.empty()) return kNameRequired;
    if (!NamesKnownScheme(edit.url)) return kUrlInvalid;
  }
  edit.tags = NormaliseTags(edit.tags);
  return 0;
}

}  // namespace tolvane
