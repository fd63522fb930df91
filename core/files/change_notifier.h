#pragma once

#include "core/files/observer_list.h"
#include "core/files/store_observer.h"

namespace tolvane {

// The observers of one store or of the settings. The store tells them after
// each change it makes has taken effect; nothing is told for a change that
// left the store as it was, or while the store is being read from its file.
// Observers belong to one store object: a copy of a store starts without
// any, and assigning a store keeps the observers of the one assigned to.
class ChangeNotifier {
 public:
  ChangeNotifier() = default;
  ChangeNotifier(const ChangeNotifier&) {}
  ChangeNotifier& operator=(const ChangeNotifier&) { return *this; }

  void AddObserver(StoreObserver& observer) { observers_.Add(observer); }
  void RemoveObserver(const StoreObserver& observer) { observers_.Remove(observer); }

  void Notify(const StoreChange& change);
  void Notify(StoreChange::Part part) {
    Notify(StoreChange{.part = part, .section = {}, .key = {}});
  }

 private:
  ObserverList<StoreObserver> observers_;
};

}  // namespace tolvane
