#include "features/UClipHandler.h"

#include <memory>
#include <utility>
#include <vector>

#include "features/UPasteHandler.h"
#include "foundation/UknStrUtils.h"
#include "model/UPageFactory.h"
#include "model/UPageProperty.h"
#include "shell/UMemoryManager.h"
#include "shell/UOptionManager.h"
#include "storage/UPageStore.h"

namespace qb {

namespace {

constexpr std::u16string_view kClearQuestion = u"Are you sure to clear all the clip text?";

std::unique_ptr<TClipWatcher> gClipWatcher;

TSubHotKeyOptions ClipHotKeys(const TOptions& options) {
    return {options.ClipboardHotKey, options.EnableClipItemHotKey};
}

TClipItem* ClipItem(int32_t id) {
    return dynamic_cast<TClipItem*>(GetStore().GetPage(id));
}

void DeleteChildAt(TPageChilds& childs, int index) {
    int32_t id = childs.ChildAt(index);
    childs.RemoveChildAt(index);
    if (TPageSuper* item = GetStore().GetPage(id)) item->Delete();
}

}  // namespace

// --- TClipWatcher ---

void TClipWatcher::AddObserver(IClipObserver* observer) {
    if (!Watching()) {  // starts watching afresh
        FIgnoreNext = false;
        FLastChange.reset();
    }
    FObservers.Add(observer);
}

void TClipWatcher::RemoveObserver(IClipObserver* observer) {
    FObservers.Remove(observer);
}

void TClipWatcher::SetObserving(IClipObserver* observer, bool on) {
    if (on)
        AddObserver(observer);
    else
        RemoveObserver(observer);
}

void TClipWatcher::OnClipboardChanged(std::u16string_view text, uint64_t nowMs) {
    const bool ignored = std::exchange(FIgnoreNext, false);
    // A dropped change spends the flag too: were it the program's own, a flag left set would
    // swallow the user's next copy.
    if (FLastChange && nowMs - *FLastChange <= kClipQuietMs) return;
    FLastChange = nowMs;
    if (text.empty() || ignored) return;
    FObservers.ForEach([&](IClipObserver* observer) { observer->ClipboardChanged(text); });
}

TClipWatcher& ClipWatcher() {
    if (!gClipWatcher) gClipWatcher = std::make_unique<TClipWatcher>();
    return *gClipWatcher;
}

void ReleaseClipWatcher() {
    gClipWatcher.reset();
}

// --- TClipHandler ---

TClipHandler::TClipHandler(int32_t parentId, TPopupHandler& popup, TPasteHandler& paste,
                           IClipConfirm* confirm)
    : THandlerWithPaste(parentId, ptClip, CaptionId, cmClipboardManage, ItemCommandBase, popup,
                        paste, ClipHotKeys),
      FConfirm(confirm) {
    OptionChanged();  // the base registered before this class could take its copies
    if (MemoryManager().WatchClipboard) ExecuteCommand(cmWatchClipboard);
}

TClipHandler::~TClipHandler() {
    if (FWatching) ClipWatcher().RemoveObserver(this);
}

void TClipHandler::OptionChanged() {
    THandlerWithPaste::OptionChanged();
    const TOptions& options = OptionManager().Options();
    FMaxClipNum = options.MaxClipNum;
    FMaxItemByte = options.MaxItemByte;
    FMenuWidth = options.MenuWidth;
    FFilterType = options.FilterType;
    FNewPasteToTop = options.NewPasteToTop;
}

bool TClipHandler::CheckCommand(int32_t id) {
    if (id == cmClearClipboard) return ClipPage().Childs()->Count() > 0;
    return THandlerWithPaste::CheckCommand(id);
}

void TClipHandler::ExecuteCommand(int32_t id) {
    if (id == cmWatchClipboard)
        SetWatching(!FWatching);
    else if (id == cmClearClipboard)
        ClearItems();
    else
        THandlerWithPaste::ExecuteCommand(id);
}

void TClipHandler::SetWatching(bool on) {
    FWatching = on;
    CommandCenter().SetChecked(cmWatchClipboard, on);
    ClipWatcher().SetObserving(this, on);
    MemoryManager().WatchClipboard = on;
}

void TClipHandler::ClearItems() {
    if (FConfirm && !FConfirm->Confirm(kClearQuestion)) return;
    TPageChilds& childs = *ClipPage().Childs();
    TStoreBatch batch(GetStore());
    for (int i = childs.Count() - 1; i >= 0; --i) {
        TClipItem* item = ClipItem(childs.ChildAt(i));
        if (!item || !item->Fixed) DeleteChildAt(childs, i);
    }
    batch.Commit();
    CommandCenter().CheckCommand(cmClearClipboard);
}

bool TClipHandler::IsDuplicate(std::u16string_view text, TPageChilds& childs) const {
    if (FFilterType != 1 && FFilterType != 2) return false;
    TPageStore& store = GetStore();
    const int last = FFilterType == 1 ? std::min(childs.Count(), 1) : childs.Count();
    for (int i = 0; i < last; ++i) {
        int32_t id = childs.ChildAt(i);
        // Lengths first, so that most items are never read.
        if (static_cast<size_t>(store.GetTextLength(id)) == text.size() &&
            store.ReadText(id, -1) == text)
            return true;
    }
    return false;
}

void TClipHandler::AddItem(std::u16string_view text, TPageChilds& childs) {
    int32_t id = GetStore().NewPage(PageId(), ptClipItem);
    TClipItem* item = ClipItem(id);
    if (!item) return;
    item->SetName(CutAt(text, static_cast<size_t>(std::max(FMenuWidth, 0))));
    item->SetText(text);
    childs.InsertChild(id, 0);
}

void TClipHandler::ClipboardChanged(std::u16string_view text) {
    if (FMaxItemByte < 0 || text.size() > static_cast<size_t>(FMaxItemByte / 2)) return;
    TPageChilds& childs = *ClipPage().Childs();
    TknIntList listed;
    childs.GetChildIds(listed);  // drops ids the store has lost
    if (IsDuplicate(text, childs)) return;

    // The new item and the trimmed ones reach the files in one write.
    TStoreBatch batch(GetStore());
    std::vector<std::pair<int, int32_t>> fixed;  // index and id, from the last to the first
    for (int i = childs.Count() - 1; i >= 0; --i) {
        TClipItem* item = ClipItem(childs.ChildAt(i));
        if (!item || !item->Fixed) continue;
        fixed.emplace_back(i, item->Id());
        childs.RemoveChildAt(i);
    }
    const int fixedCount = static_cast<int>(fixed.size());
    if (fixedCount < FMaxClipNum) AddItem(text, childs);
    while (childs.Count() > 0 && childs.Count() + fixedCount > FMaxClipNum)
        DeleteChildAt(childs, childs.Count() - 1);
    for (auto it = fixed.rbegin(); it != fixed.rend(); ++it)
        childs.InsertChild(it->second, it->first);
    batch.Commit();
    CommandCenter().CheckCommand(cmClearClipboard);
}

void TClipHandler::PasteItem(int32_t itemId) {
    TClipItem* item = ClipItem(itemId);
    if (!item) return;
    Paster().Paste(item->GetText(-1), false);
    TPageChilds& childs = *ClipPage().Childs();
    int at = childs.IndexOf(itemId);
    if (FNewPasteToTop && childs.Count() > 1 && at > 0) {
        childs.RemoveChildAt(at);
        childs.InsertChild(itemId, 0);
    }
}

}  // namespace qb
