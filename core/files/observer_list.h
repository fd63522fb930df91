#pragma once

#include <algorithm>
#include <cstddef>
#include <vector>

namespace tolvane {

// The observers of one model, told of its changes in the order they were
// added. Each observer is in the list at most once. An observer may add or
// remove observers (itself included) while being told: one removed is not
// told again, one added hears from the next change on. The list does not
// own its observers; each removes itself before it goes.
template <class Observer>
class ObserverList {
 public:
  ObserverList() = default;
  ObserverList(const ObserverList&) = delete;
  ObserverList& operator=(const ObserverList&) = delete;

  // False when `observer` is in the list already.
  bool Add(Observer& observer) {
    if (Has(observer)) return false;
    observers_.push_back(&observer);
    return true;
  }
  void Remove(const Observer& observer) {
    const auto it = std::find(observers_.begin(), observers_.end(), &observer);
    if (it == observers_.end()) return;
    if (depth_ > 0) {
      *it = nullptr;  // compacted once every notification has returned
    } else {
      observers_.erase(it);
    }
  }
  bool Has(const Observer& observer) const {
    return std::find(observers_.begin(), observers_.end(), &observer) != observers_.end();
  }
  bool empty() const {
    return std::none_of(observers_.begin(), observers_.end(),
                        [](const Observer* o) { return o != nullptr; });
  }

  // Calls `tell(observer)` for each observer.
  template <class Tell>
  void Notify(Tell&& tell) {
    ++depth_;
    const std::size_t count = observers_.size();  // added ones wait for the next change
    for (std::size_t i = 0; i < count; ++i) {
      if (Observer* observer = observers_[i]) tell(*observer);
    }
    if (--depth_ == 0) std::erase(observers_, nullptr);
  }

 private:
  std::vector<Observer*> observers_;
  int depth_ = 0;
};

}  // namespace tolvane
