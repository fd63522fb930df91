#pragma once

#include <cstddef>

namespace tolvane {

// What the folder trees of engines and tabs need of the records filed in
// their folders (engines of a category, tabs of a tab group): the engine list
// and the tab list implement it.
class CategoryMembers {
 public:
  virtual ~CategoryMembers() = default;

  virtual std::size_t MemberCount() const = 0;
  virtual int MemberFolderId(std::size_t index) const = 0;
  virtual bool MemberArchived(std::size_t index) const = 0;
  virtual int MemberOrder(std::size_t index) const = 0;
  virtual bool MemberDeleted(std::size_t index) const = 0;

  // Removes (marks deleted) every member filed in folder `folder_id`.
  virtual void RemoveMembersOf(int folder_id) = 0;
};

}  // namespace tolvane
