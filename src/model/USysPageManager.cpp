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
    if (!childs || !childs->IsEmpty()) return;  // not the first start
    for (int32_t id : {FRecentRoot->PageId(), FFavorites->PageId(), FSearch->PageId(),
                       FGroupRoot->PageId(), FRecycleBin->PageId()})
        childs->AddChild(id);
}

TSysPageManager::~TSysPageManager() {
    FRecycleBin.reset();
    FGroupRoot.reset();
    FSearch.reset();
    FFavorites.reset();
    FRecentRoot.reset();
}

}  // namespace qb
