#pragma once

// A fresh program folder, page store and page-model singletons for each test, a fixed clock,
// and a few English interface texts.

#include <gtest/gtest.h>

#include <string>
#include <tuple>
#include <vector>

#include "foundation/UknDateTimeUtils.h"
#include "foundation/UknList.h"
#include "foundation/UknStrUtils.h"
#include "model/UPageFactory.h"
#include "model/UPageProperty.h"
#include "model/UPageSuper.h"
#include "storage/UPageStore.h"
#include "support/TestSupport.h"

namespace qb::test {

inline std::u16string EnglishText(int32_t id) {
    switch (id) {
        case 25670:
            return u"Group";
        case 25680:
            return u"Tag";
        case 25690:
            return u"Note";
        case 25700:
            return u"Calc";
        case 25710:
            return u"Memo";
        case 25790:
            return u"Create Time";
        case 25800:
            return u"Modify Time";
        case 25830:
            return u"Remark";
        case 25840:
            return u"Title";
        case 25850:
            return u"Abstract";
        case 25140:
            return u"Time";
        case 25180:
            return u"Description";
        case 25130:
            return u"Remind";
        case 25132:
            return u"None";
        default:
            return {};
    }
}

// Records every page event in order.
class TEventLog : public IPageObserver {
  public:
    using TEvent = std::tuple<int, int32_t, int32_t>;
    TEventLog() { PageCenter().AddObserver(this); }
    ~TEventLog() override {
        if (PageCenterExists()) PageCenter().RemoveObserver(this);
    }
    void PageEvent(uint8_t event, int32_t pageId, int32_t argument) override {
        Events.emplace_back(event, pageId, argument);
    }
    std::vector<TEvent> Events;
};

class TModelTest : public ::testing::Test {
  protected:
    TModelTest() {
        PageEnvironment().Text = EnglishText;
        SetClockForTesting([this] { return Now; });
    }
    ~TModelTest() override {
        ReleaseStore();
        ReleasePageFactoryObjects();
        PageEnvironment() = {};
        SetClockForTesting({});
        SetSearchString(u"", false);
    }

    TPageStore& Store() { return GetStore(); }
    TPageSuper* Page(int32_t id) { return Store().GetPage(id); }

    // A new page of the type, added to the parent's children, optionally named.
    TPageSuper* Add(TPageSuper* parent, uint8_t type, std::u16string_view name = {}) {
        int32_t id = Store().NewPage(parent->Id(), type);
        parent->Childs()->AddChild(id);
        TPageSuper* page = Page(id);
        if (!name.empty()) page->SetName(name);
        return page;
    }
    // The root with the group root under it.
    TPageSuper* GroupRoot() {
        int32_t id = 0;
        if (Store().FindFirstOfType(ptGroupRoot, id)) return Page(id);
        return Add(Store().GetRoot(), ptGroupRoot);
    }

    static std::vector<int32_t> Ids(const TknIntList& list) {
        std::vector<int32_t> ids;
        for (int i = 0; i < list.Count(); ++i) ids.push_back(list.Items(i));
        return ids;
    }
    static std::vector<std::u16string> Entries(const TknStrList& list) {
        std::vector<std::u16string> entries;
        for (int i = 0; i < list.Count(); ++i) entries.push_back(list.Items(i));
        return entries;
    }
    static void SetEntries(TknStrList& list, const std::vector<std::u16string>& entries) {
        list.Clear();
        for (const auto& e : entries) list.Add(e);
    }

    TTempFolder Folder;
    TSystemTime Now{2010, 11, 6, 6, 10, 0, 0, 0};  // Saturday 2010-11-06 10:00:00
};

}  // namespace qb::test
