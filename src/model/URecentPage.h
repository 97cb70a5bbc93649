#pragma once

// The recent lists of created, modified and visited pages, and the page above them.

#include "model/UPageProperty.h"
#include "model/UPageSuper.h"

namespace qb {

class TRecentPage_Root : public TPageContainer {
  public:
    using TPageContainer::TPageContainer;
    uint8_t PageType() const override { return ptRecentRoot; }
    bool IsSingleton() const override { return true; }
    bool AcceptsChildType(int type) override { return IsRecentList(type); }
    bool ShowsChildInTree(int type) override { return IsRecentList(type); }

  private:
    static bool IsRecentList(int type) { return type >= ptRecentCreate && type <= ptRecentVisit; }
};

class TRecentPageSuper : public TListPageSuper {
  public:
    using TListPageSuper::TListPageSuper;
    bool IsSingleton() const override { return true; }
    void DefaultListSettings(TListProperty& listProperty) const override {
        listProperty.SetReportDefaults({fiTitle, fiAbstract, TimeField()}, {100, 150, 80});
    }
    // The time this list orders its pages by.
    virtual int32_t TimeField() const = 0;
};

class TRecentPage_Create : public TRecentPageSuper {
  public:
    using TRecentPageSuper::TRecentPageSuper;
    uint8_t PageType() const override { return ptRecentCreate; }
    int32_t TimeField() const override { return fiCreateTime; }
};

class TRecentPage_Modify : public TRecentPageSuper {
  public:
    using TRecentPageSuper::TRecentPageSuper;
    uint8_t PageType() const override { return ptRecentModify; }
    int32_t TimeField() const override { return fiModifyTime; }
};

class TRecentPage_Visit : public TRecentPageSuper {
  public:
    using TRecentPageSuper::TRecentPageSuper;
    uint8_t PageType() const override { return ptRecentVisit; }
    int32_t TimeField() const override { return fiVisitTime; }
};

}  // namespace qb
