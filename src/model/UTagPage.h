#pragma once

// Tags: own their sub-tags (shown in the tree) and reference the tagged pages.

#include "model/UPageSuper.h"

namespace qb {

class TTagPage : public TPageContainer {
  public:
    using TPageContainer::TPageContainer;
    uint8_t PageType() const override { return ptTag; }
    int ChildItemType() const override { return ptTag; }
    // Pages of types 0 to 9 are added as references; tags are owned sub-tags.
    bool CanAddChild(int type) override { return (type >= 0 && type <= 9) || type == ptTag; }
    bool ShowsChildInTree(int type) override { return type == ptTag; }
};

}  // namespace qb
