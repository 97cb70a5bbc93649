#include "model/URecentPage.h"

#include <algorithm>
#include <utility>
#include <vector>

#include "model/UPageFactory.h"
#include "shell/UOptionManager.h"
#include "storage/UPageStore.h"

namespace qb {

namespace {

constexpr uint8_t kEverySearchableType = 255;

const TSystemTime* TimeOf(TPageSuper& page, int32_t field) {
    TTruePageProperty* property = page.TrueProperty();
    if (!property) return nullptr;
    switch (field) {
        case fiCreateTime:
            return &property->CreateTime;
        case fiModifyTime:
            return &property->ModifyTime;
        case fiVisitTime:
            return &property->VisitTime;
        default:
            return nullptr;
    }
}

// Orders as the stored text "yyyy-MM-dd HH:mm:ss" does (to the second), without building it.
int64_t SortKey(const TSystemTime& t) {
    int64_t key = t.Year;
    for (uint16_t part : {t.Month, t.Day, t.Hour, t.Minute, t.Second}) key = key * 100 + part;
    return key;
}

// The key of a time as a page not loaded yet holds it: the usual "yyyy-MM-dd HH:mm:ss" is read
// digit by digit, any other form as the page itself would read it.
int64_t StoredTimeKey(std::u16string_view text) {
    constexpr std::u16string_view kShape = u"0000-00-00 00:00:00";
    int64_t key = 0;
    bool usual = text.size() == kShape.size();
    for (size_t i = 0; usual && i < text.size(); ++i) {
        if (kShape[i] != u'0')
            usual = text[i] == kShape[i];
        else if ((usual = text[i] >= u'0' && text[i] <= u'9'))
            key = key * 10 + (text[i] - u'0');
    }
    return usual ? key : SortKey(ParseDateTime(text, true));
}

// The entries a page with times keeps them in: after name, status, icon and check mark.
int TimeEntry(int32_t field) {
    return field == fiCreateTime ? 4 : field == fiModifyTime ? 5 : 6;
}

// The record's time of the field: read from its entries while the page is not loaded and its
// class keeps times there, else from the page; false for a page without times.
bool TimeKeyOf(TPageStore& store, const TPageRecord& record, int32_t field, int64_t& key) {
    if (!record.Page && dynamic_cast<const TTruePageSuper*>(PageFactory().GetClass(record.PageType))) {
        key = StoredTimeKey(record.PendingEntry(TimeEntry(field)));
        return true;
    }
    TPageSuper* page = store.GetPage(record.Id);
    const TSystemTime* time = page ? TimeOf(*page, field) : nullptr;
    if (time) key = SortKey(*time);
    return time != nullptr;
}

}  // namespace

void TRecentPageSuper::GetChildIds(TknIntList& ids) {
    ids.Clear();
    const int32_t limit = OptionManager().RecentNotesCount;
    if (limit <= 0) return;
    TPageStore& store = GetStore();
    std::vector<int32_t> candidates;
    store.GetIdsOfType(kEverySearchableType, candidates);

    std::vector<std::pair<int64_t, int32_t>> dated;  // time, id
    dated.reserve(candidates.size());
    for (int32_t id : candidates) {
        int64_t key = 0;
        if (TimeKeyOf(store, *store.FindRecord(id), TimeField(), key)) dated.emplace_back(key, id);
    }
    // Newest first; among equal times the later page of the store first.
    auto count = std::min<size_t>(static_cast<size_t>(limit), dated.size());
    std::partial_sort(dated.begin(), dated.begin() + count, dated.end(),
                      [](const auto& a, const auto& b) { return a > b; });
    for (size_t i = 0; i < count; ++i) ids.Add(dated[i].second);
}

TRecentCreateHandler::TRecentCreateHandler(int32_t parentId)
    : TSysPageContainerHandler(parentId, ptRecentCreate, 25940, kNoCommand, 7000) {}

TRecentModifyHandler::TRecentModifyHandler(int32_t parentId)
    : TSysPageContainerHandler(parentId, ptRecentModify, 25950, kNoCommand, 7500) {}

TRecentVisitHandler::TRecentVisitHandler(int32_t parentId)
    : TSysPageContainerHandler(parentId, ptRecentVisit, 25960, kNoCommand, 8000) {}

TRecentRootHandler::TRecentRootHandler(int32_t parentId)
    : TSysPageHandlerSuper(parentId, ptRecentRoot, 25930, 1600),
      FCreate(std::make_unique<TRecentCreateHandler>(PageId())),
      FModify(std::make_unique<TRecentModifyHandler>(PageId())),
      FVisit(std::make_unique<TRecentVisitHandler>(PageId())) {
    ListRecentLists();
}

TRecentRootHandler::~TRecentRootHandler() = default;

void TRecentRootHandler::OpenPage() {
    TSysPageHandlerSuper::OpenPage();
    ListRecentLists();
}

void TRecentRootHandler::ListRecentLists() {
    TPageSuper* root = Page();
    TPageChilds* childs = root ? root->Childs() : nullptr;
    if (!childs) return;
    for (int32_t id : {FCreate->PageId(), FModify->PageId(), FVisit->PageId()})
        childs->AddChild(id);
}

}  // namespace qb
