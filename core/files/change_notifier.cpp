#include "core/files/change_notifier.h"

namespace tolvane {

void ChangeNotifier::Notify(const StoreChange& change) {
  observers_.Notify([&](StoreObserver& observer) { observer.StoreChanged(*this, change); });
}

}  // namespace tolvane
