#pragma once

// Favorites: references to pages owned elsewhere; removing one only unlinks it.

#include "model/UPageProperty.h"
#include "model/UPageSuper.h"

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

}  // namespace qb
