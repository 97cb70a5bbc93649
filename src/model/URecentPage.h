#pragma once

// The recent lists of created, modified and visited pages, and the page above them.

#include <memory>

#include "model/UPageProperty.h"
#include "model/UPageSuper.h"
#include "model/USysPageHandler.h"

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
    // The searchable pages outside the recycle bin, newest first by that time, at most
    // "RecentNotesCount" of them; computed anew on every call.
    void GetChildIds(TknIntList& ids) override;
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

// The three recent lists: choosing an item opens that page.
class TRecentCreateHandler : public TSysPageContainerHandler {
  public:
    explicit TRecentCreateHandler(int32_t parentId);
};

class TRecentModifyHandler : public TSysPageContainerHandler {
  public:
    explicit TRecentModifyHandler(int32_t parentId);
};

class TRecentVisitHandler : public TSysPageContainerHandler {
  public:
    explicit TRecentVisitHandler(int32_t parentId);
};

// The recent root and, under it, the handlers of the three lists.
class TRecentRootHandler : public TSysPageHandlerSuper {
  public:
    explicit TRecentRootHandler(int32_t parentId);
    ~TRecentRootHandler() override;

    void OpenPage() override;  // then lists the three lists again

  private:
    void ListRecentLists();

    // Freed in the reverse order.
    std::unique_ptr<TRecentCreateHandler> FCreate;
    std::unique_ptr<TRecentModifyHandler> FModify;
    std::unique_ptr<TRecentVisitHandler> FVisit;
};

}  // namespace qb
