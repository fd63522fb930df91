#pragma once

#include <optional>
#include <string>

namespace tolvane {

// Finds the name of a search engine by its ID. The engine list implements
// it; the clip export uses it for the headings of its groups, and tests
// answer from a table.
class EngineNameLookup {
 public:
  virtual ~EngineNameLookup() = default;

  // The engine's name (Shift_JIS), or nothing when no engine has this ID.
  virtual std::optional<std::string> EngineName(int engine_id) const = 0;
};

}  // namespace tolvane
