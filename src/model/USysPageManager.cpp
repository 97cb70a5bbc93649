#include "model/USysPageManager.h"

#include "model/UFavoritePage.h"
#include "model/UPageProperty.h"
#include "model/URecentPage.h"
#include "model/URecycleBin.h"
#include "model/USearchPage.h"
#include "model/USysPageHandler.h"
#include "storage/UPageStore.h"

namespace qb {

TSysPageManager::TSysPageManager()
    : FRecentRoot(std::make_unique<TRecentRootHandler>(kRootId)),
      FFavorites(std::make_unique<TFavoriteHandler>(kRootId)),
      FSearch(std::make_unique<TSearchHandler>(kRootId)),
      FGroupRoot(std::make_unique<TGroupRootHandler>(kRootId)),
      FRecycleBin(std::make_unique<TRecycleHandler>(kRootId)) {
    TPageSuper* root = GetStore().GetRoot();
    TPageChilds* childs = root ? root->Childs() : nullptr;
    if (!childs) return;
    // Pages made now (all of them at a first start, the missing ones of older data) go under
    // the root; a page the user took out of the root stays out.
    for (const TSysPageHandlerSuper* handler : std::initializer_list<const TSysPageHandlerSuper*>{
             FRecentRoot.get(), FFavorites.get(), FSearch.get(), FGroupRoot.get(),
             FRecycleBin.get()})
        if (handler->Created()) childs->AddChild(handler->PageId());
}

TSysPageManager::~TSysPageManager() {
    FRecycleBin.reset();
    FGroupRoot.reset();
    FSearch.reset();
    FFavorites.reset();
    FRecentRoot.reset();
}

}  // namespace qb
