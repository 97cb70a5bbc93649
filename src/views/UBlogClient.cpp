#include "views/UBlogClient.h"

#include <algorithm>

#include "foundation/UknStrUtils.h"
#include "model/UPageSuper.h"
#include "storage/UPageStore.h"

namespace qb {

TBlogEntry MakeBlogEntry(TPageSuper& child) {
    return {child.Id(), child.GetFieldText(fiTitle), child.GetFieldText(fiTimeSpan),
            DecodeFromStorage(child.GetFieldText(fiAbstract)), false};
}

std::u16string BlogTitleLine(int index, const std::u16string& title) {
    return IntToStr(index + 1) + u". " + title;
}

TBlogClient::TBlogClient(IBlogControl& control) : FControl(control) {
    FControl.Attach(this);
    Register();
}

TBlogClient::~TBlogClient() { FControl.Attach(nullptr); }

void TBlogClient::Load(TPageSuper* page) {
    ClearSelection();
    SetPage(page);
    FEntries.clear();
    FCurrent = -1;
    if (page) {
        TknIntList ids;
        page->GetChildIds(ids);
        TPageStore& store = GetStore();
        FEntries.reserve(ids.Count());
        for (int i = 0; i < ids.Count(); ++i)
            if (TPageSuper* child = store.GetPage(ids.Items(i)))
                FEntries.push_back(MakeBlogEntry(*child));
    }
    FControl.EntriesChanged();
    FControl.ScrollToEntry(0);
    if (page) CommandCenter().CheckCommands();
}

void TBlogClient::Unload() { Load(nullptr); }

int TBlogClient::IndexOf(int32_t pageId) const {
    for (size_t i = 0; i < FEntries.size(); ++i)
        if (FEntries[i].PageId == pageId) return static_cast<int>(i);
    return -1;
}

int32_t TBlogClient::ItemPage(int index) const {
    return index >= 0 && index < ItemCount() ? FEntries[index].PageId : 0;
}

void TBlogClient::OnPageEvent(uint8_t event, int32_t pageId, int32_t extra) {
    TPageSuper* page = Page();
    if (!page) return TClientSuper::OnPageEvent(event, pageId, extra);
    switch (event) {
        case pePageChanged: {
            const int index = IndexOf(pageId);
            TPageSuper* child = index >= 0 ? GetStore().GetPage(pageId) : nullptr;
            if (!child) return;
            const bool selected = FEntries[index].Selected;
            FEntries[index] = MakeBlogEntry(*child);
            FEntries[index].Selected = selected;
            FControl.EntriesChanged();
            return;
        }
        case pePageViewChanged:
            if (pageId == page->Id()) Load(page);
            return;
        case peChildAdded: {
            TPageSuper* child = GetStore().GetPage(extra);
            if (pageId != page->Id() || !child) return;
            TknIntList ids;
            page->GetChildIds(ids);
            const int at = ids.IndexOf(extra);
            const int index = at < 0 ? ItemCount() : std::min(at, ItemCount());
            FEntries.insert(FEntries.begin() + index, MakeBlogEntry(*child));
            if (FCurrent >= index) ++FCurrent;
            FControl.EntriesChanged();
            Click(index, false);
            FControl.ScrollToEntry(index);
            FControl.FocusControl();
            return;
        }
        case peChildRemoved: {
            const int index = pageId == page->Id() ? IndexOf(extra) : -1;
            if (index < 0) return;
            if (FEntries[index].Selected) Selected(extra, false);
            FEntries.erase(FEntries.begin() + index);
            if (FCurrent >= ItemCount()) FCurrent = ItemCount() - 1;
            FControl.EntriesChanged();
            return;
        }
        default:
            TClientSuper::OnPageEvent(event, pageId, extra);
    }
}

void TBlogClient::Select(int index, bool selected) {
    TBlogEntry& entry = FEntries[index];
    if (entry.Selected == selected) return;
    entry.Selected = selected;
    Selected(entry.PageId, selected);
}

void TBlogClient::ClearSelection() {
    for (int i = 0; i < ItemCount(); ++i) Select(i, false);
}

void TBlogClient::Click(int index, bool toggle) {
    const bool onEntry = index >= 0 && index < ItemCount();
    if (!toggle || !onEntry) {
        for (int i = 0; i < ItemCount(); ++i)
            if (i != index) Select(i, false);
    }
    if (onEntry) {
        Select(index, toggle ? !FEntries[index].Selected : true);
        FCurrent = index;
    }
    FControl.SelectionChanged();
}

void TBlogClient::MoveSelection(int delta) {
    if (FEntries.empty()) return;
    const int index = std::clamp(FCurrent < 0 ? 0 : FCurrent + delta, 0, ItemCount() - 1);
    Click(index, false);
    FControl.ScrollToEntry(index);
}

bool TBlogClient::Rename(int index, std::u16string_view text) {
    return RenameChild(ItemPage(index), text);
}

void TBlogClient::OptionChanged() {
    const TOptions& o = OptionManager().Options();
    FControl.ApplyFonts(o.AbstractFontColor, o.AbstractTitleFontColor, o.AbstractSelTitleFontColor);
}

}  // namespace qb
