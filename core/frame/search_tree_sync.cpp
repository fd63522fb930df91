#include "core/frame/search_tree_sync.h"

#include "core/frame/search_tree_commands.h"
#include "core/search/search_tree.h"
#include "core/stores/category_folder_tree.h"
#include "core/stores/engine_list.h"

namespace tolvane {

SearchTreeSync::SearchTreeSync(EngineList& engines, CategoryFolderTree& folders, SearchTree& tree,
                               SearchTreeView& view)
    : engines_(engines), folders_(folders), tree_(tree), view_(view) {
  engines_.changes().AddObserver(*this);
  folders_.changes().AddObserver(*this);
}

SearchTreeSync::~SearchTreeSync() {
  engines_.changes().RemoveObserver(*this);
  folders_.changes().RemoveObserver(*this);
}

void SearchTreeSync::StoreChanged(const ChangeNotifier&, const StoreChange&) {
  tree_.Build();
  view_.SearchTreeChanged();
  view_.SearchBarItemsChanged();
}

}  // namespace tolvane
