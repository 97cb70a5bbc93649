#pragma once

// Favorites: references to pages owned elsewhere; removing one only unlinks it.

#include "model/UPageProperty.h"
#include "model/UPageSuper.h"
#include "model/USysPageHandler.h"

namespace qb {

class TFavoritePage : public TPageContainer {
  public:
    using TPageContainer::TPageContainer;
    uint8_t PageType() const override { return ptFavorite; }
    bool IsSingleton() const override { return true; }
    bool CanAddChild(int) override { return true; }
    bool IsReferenceList() const override { return true; }
    void DefaultListSettings(TListProperty& listProperty) const override {
        listProperty.SetReportDefaults({fiTitle, fiAbstract, fiCreateTime}, {100, 150, 80});
    }
};

// The favorites of the store: the child list of its first page of type 10. Adding keeps one
// entry per page; neither does anything without a favorites page.
void AddFavorite(int32_t pageId);
void RemoveFavorite(int32_t pageId);
bool IsFavorite(int32_t pageId);

// Commands 1610 and 1615 add and remove the active page; choosing an item opens it.
class TFavoriteHandler : public TSysPageContainerHandler {
  public:
    explicit TFavoriteHandler(int32_t parentId);
    void ExecuteCommand(int32_t id) override;
};

}  // namespace qb
