#pragma once

// The handlers of the program's own pages, created when the workspace is built. On the first
// start they create the system pages and list them under the root.

#include <memory>

namespace qb {

class TRecentRootHandler;
class TFavoriteHandler;
class TSearchHandler;
class TGroupRootHandler;
class TRecycleHandler;

class TSysPageManager {
  public:
    TSysPageManager();
    ~TSysPageManager();  // frees the handlers in the reverse order
    TSysPageManager(const TSysPageManager&) = delete;
    TSysPageManager& operator=(const TSysPageManager&) = delete;

    TRecentRootHandler& RecentRoot() const { return *FRecentRoot; }
    TFavoriteHandler& Favorites() const { return *FFavorites; }
    TSearchHandler& Search() const { return *FSearch; }
    TGroupRootHandler& GroupRoot() const { return *FGroupRoot; }
    TRecycleHandler& RecycleBin() const { return *FRecycleBin; }

  private:
    std::unique_ptr<TRecentRootHandler> FRecentRoot;
    std::unique_ptr<TFavoriteHandler> FFavorites;
    std::unique_ptr<TSearchHandler> FSearch;
    std::unique_ptr<TGroupRootHandler> FGroupRoot;
    std::unique_ptr<TRecycleHandler> FRecycleBin;
};

}  // namespace qb
