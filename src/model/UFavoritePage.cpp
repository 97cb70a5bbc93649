#include "model/UFavoritePage.h"

#include "model/UPageFactory.h"
#include "storage/UPageStore.h"

namespace qb {

namespace {

constexpr int32_t cmAddFavorite = 1610;
constexpr int32_t cmRemoveFavorite = 1615;

TPageChilds* Favorites(int32_t& favoritesId) {
    TPageStore& store = GetStore();
    if (!store.FindFirstOfType(ptFavorite, favoritesId)) return nullptr;
    TPageSuper* page = store.GetPage(favoritesId);
    return page ? page->Childs() : nullptr;
}

int32_t ActivePageId() {
    TPageSuper* page = PageCenter().ActivePage();
    return page ? page->Id() : kNoOwnerId;
}

}  // namespace

void AddFavorite(int32_t pageId) {
    int32_t favoritesId = 0;
    TPageChilds* favorites = Favorites(favoritesId);
    if (favorites && pageId != favoritesId && pageId != kRootId && GetStore().PageExists(pageId))
        favorites->AddChild(pageId);
}

void RemoveFavorite(int32_t pageId) {
    int32_t favoritesId = 0;
    if (TPageChilds* favorites = Favorites(favoritesId)) favorites->RemoveChild(pageId);
}

bool IsFavorite(int32_t pageId) {
    int32_t favoritesId = 0;
    TPageChilds* favorites = Favorites(favoritesId);
    return favorites && favorites->IndexOf(pageId) >= 0;
}

TFavoriteHandler::TFavoriteHandler(int32_t parentId)
    : TSysPageContainerHandler(parentId, ptFavorite, 25870, 1620, 6500) {}

void TFavoriteHandler::ExecuteCommand(int32_t id) {
    switch (id) {
        case cmAddFavorite:
            AddFavorite(ActivePageId());
            break;
        case cmRemoveFavorite:
            RemoveFavorite(ActivePageId());
            break;
        default:
            TSysPageContainerHandler::ExecuteCommand(id);
    }
}

}  // namespace qb
