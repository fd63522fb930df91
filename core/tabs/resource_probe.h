#pragma once

namespace tolvane {

// Whether the process still has room for more pages. The platform checks
// the process's own limits (open files, address space); tests answer as
// told.
class ResourceProbe {
 public:
  virtual ~ResourceProbe() = default;
  // True while the process is well within its limits.
  virtual bool Ample() = 0;
};

}  // namespace tolvane
