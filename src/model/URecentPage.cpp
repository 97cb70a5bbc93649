#include "model/URecentPage.h"

#include <algorithm>
#include <utility>
#include <vector>

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

}  // namespace

void TRecentPageSuper::GetChildIds(TknIntList& ids) {
    ids.Clear();
    const int32_t limit = OptionManager().RecentNotesCount;
    if (limit <= 0) return;
    TPageStore& store = GetStore();
    TknIntList candidates(store.RecordCount());
    store.GetIdsOfType(kEverySearchableType, candidates);

    std::vector<std::pair<int64_t, int32_t>> dated;  // time, id
    dated.reserve(candidates.Count());
    for (int i = 0; i < candidates.Count(); ++i) {
        int32_t id = candidates.Items(i);
        TPageSuper* page = store.GetPage(id);
        const TSystemTime* time = page ? TimeOf(*page, TimeField()) : nullptr;
        if (time) dated.emplace_back(SortKey(*time), id);
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
