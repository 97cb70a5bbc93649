#pragma once

// Groups, the group root under which the user's pages live, and the invisible root of the tree.

#include "model/UPageSuper.h"

namespace qb {

// Folders of pages: accept every page type from group to template list, and 9, not fast links.
class TGroupSuper : public TPageContainer {
  public:
    using TPageContainer::TPageContainer;
    bool AcceptsChildType(int type) override;
};

class TGroupPage : public TGroupSuper {
  public:
    using TGroupSuper::TGroupSuper;
    uint8_t PageType() const override { return ptGroup; }
    int ChildItemType() const override { return ptNote; }
    bool ShowsChildInTree(int) override { return true; }
};

class TGroupRoot : public TGroupPage {
  public:
    using TGroupPage::TGroupPage;
    uint8_t PageType() const override { return ptGroupRoot; }
    bool IsSingleton() const override { return true; }
    bool CanDelete() override { return false; }
};

class TRoot : public TPageContainer {
  public:
    using TPageContainer::TPageContainer;
    uint8_t PageType() const override { return ptRoot; }
    bool IsSingleton() const override { return true; }
    bool AcceptsChildType(int type) override;
    bool ShowsChildInTree(int) override { return true; }
};

}  // namespace qb
