#pragma once

#include "core/files/store_observer.h"

namespace tolvane {

class CategoryFolderTree;
class EngineList;
class SearchTree;
class SearchTreeView;

// Keeps the search tree model and what shows the engines in step with the
// engine list and its categories: every change they announce (an engine
// made by a dialog or from a shop's page, an edit, a new category, a new
// engine list) rebuilds the model, keeping its selection and open
// categories, and redraws the tree and the search bar. Menus of engines
// read the model when they open.
class SearchTreeSync : public StoreObserver {
 public:
  SearchTreeSync(EngineList& engines, CategoryFolderTree& folders, SearchTree& tree,
                 SearchTreeView& view);
  ~SearchTreeSync() override;
  SearchTreeSync(const SearchTreeSync&) = delete;
  SearchTreeSync& operator=(const SearchTreeSync&) = delete;

  void StoreChanged(const ChangeNotifier& store, const StoreChange& change) override;

 private:
  EngineList& engines_;
  CategoryFolderTree& folders_;
  SearchTree& tree_;
  SearchTreeView& view_;
};

}  // namespace tolvane
