#include "model/UDeleteHandler.h"

#include <memory>
#include <set>

#include "model/UFavoritePage.h"
#include "model/UPageFactory.h"
#include "model/UPageProperty.h"
#include "shell/ULangManager.h"
#include "shell/UOptionManager.h"
#include "storage/UPageStore.h"

namespace qb {

namespace {

constexpr std::u16string_view kPageQuestion = u"Do you want to delete the current page?";
constexpr std::u16string_view kGroupQuestion =
    u"Are you sure to delete the whole group with all it's subitems?";
constexpr std::u16string_view kDeletingText = u"Deleting, press and holding ESC to abort...";
constexpr int32_t kAbortNotice = 26115;

std::unique_ptr<TDeleteHandler> gDeleteHandler;

bool HasChildren(TPageSuper& page) {
    TknIntList ids;
    page.GetChildIds(ids);
    return !ids.IsEmpty();
}

// Walking the owners up from the page meets `ancestorId` (the page itself counts).
bool IsAtOrBelow(int32_t pageId, int32_t ancestorId) {
    TPageStore& store = GetStore();
    std::set<int32_t> seen;  // a damaged tree may lead round in a loop
    for (int32_t id = pageId; seen.insert(id).second;) {
        if (id == ancestorId) return true;
        if (id == kRootId) return false;
        TPageSuper* page = store.GetPage(id);
        if (!page) return false;
        id = page->OwnerId();
    }
    return false;
}

void RemoveFrom(TPageSuper* parent, int32_t pageId) {
    if (TPageChilds* childs = parent ? parent->Childs() : nullptr) childs->RemoveChild(pageId);
}

}  // namespace

// --- TDeleteHandler ---

TDeleteCheck TDeleteHandler::CheckDelete(int32_t pageId, int32_t parentId) {
    TPageStore& store = GetStore();
    TPageSuper* parent = store.GetPage(parentId);
    if (parent && parent->IsReferenceList()) return {true, false};
    TPageSuper* page = store.GetPage(pageId);
    if (!page || !page->CanDelete()) return {};
    return {true, !page->IsSingleton()};
}

void TDeleteHandler::DeleteOrRecycle(int32_t pageId, int32_t parentId) {
    TDeleteCheck check = CheckDelete(pageId, parentId);
    if (!check.Allowed) return;
    TPageStore& store = GetStore();
    if (TPageSuper* parent = store.GetPage(parentId)) {
        if (TPageChilds* childs = parent->Childs())
            childs->RemoveChild(pageId);
        else
            PageCenter().Notify(peChildRemoved, parentId, pageId);  // a computed list
    }
    if (!check.Final || Recycle(pageId, parentId)) return;
    if (TPageSuper* page = store.GetPage(pageId)) page->Delete();
}

bool TDeleteHandler::Recycle(int32_t pageId, int32_t parentId) {
    TPageStore& store = GetStore();
    TPageSuper* bin = store.GetPage(FRecycleBinId);
    TPageSuper* page = store.GetPage(pageId);
    if (!bin || !bin->Childs() || !page || page->OwnerId() == bin->Id() ||
        !bin->CanAddChild(page->PageType()))
        return false;
    if (parentId != page->OwnerId()) RemoveFrom(store.GetPage(page->OwnerId()), pageId);
    RemoveFavorite(pageId);
    page->SetOwnerId(bin->Id());
    bin->Childs()->AddChild(pageId);
    TrimRecycleBin();
    return true;
}

// The oldest pages are at the front; those beyond the limit are destroyed.
void TDeleteHandler::TrimRecycleBin() {
    const int32_t limit = OptionManager().RecyclerLimit;
    if (limit < 0) return;
    TPageStore& store = GetStore();
    TPageSuper* bin = store.GetPage(FRecycleBinId);
    if (!bin) return;
    TknIntList ids;
    bin->GetChildIds(ids);  // drops entries of pages that are gone
    TPageChilds& childs = *bin->Childs();
    for (int i = childs.Count() - limit - 1; i >= 0; --i) {
        if (i >= childs.Count()) continue;
        int32_t id = childs.ChildAt(i);
        childs.RemoveChildAt(i);
        TPageSuper* page = store.GetPage(id);
        // Only what the bin owns is destroyed; anything else was merely listed there.
        if (page && page->OwnerId() == bin->Id() && !page->IsSingleton()) page->Delete();
    }
}

bool TDeleteHandler::Confirmed(int32_t pageId, IDeleteSite& site) {
    TPageSuper* page = GetStore().GetPage(pageId);
    if (!page) return false;
    if (page->PageType() == ptGroup) return !HasChildren(*page) || site.Confirm(kGroupQuestion);
    if (!OptionManager().ConfirmDelete) return true;
    SaveCenter().Save();  // the editor hands over its text, so the length below is current
    page = GetStore().GetPage(pageId);
    if (!page) return false;
    TPageChilds* childs = page->Childs();
    bool empty = GetStore().GetTextLength(pageId) == 0 && (!childs || childs->IsEmpty());
    return empty || site.Confirm(kPageQuestion);
}

bool TDeleteHandler::DeletePage(int32_t pageId, IDeleteSite& site) {
    TPageSuper* page = GetStore().GetPage(pageId);
    if (!page) return false;
    const int32_t ownerId = page->OwnerId();
    TDeleteCheck check = CheckDelete(pageId, ownerId);
    if (!check.Allowed || (check.Final && !Confirmed(pageId, site))) return false;
    site.ForgetPage(pageId);
    page = GetStore().GetPage(pageId);
    TPageCenter& center = PageCenter();
    if (page && center.ActivePage() == page)
        if (TPageSuper* neighbour = page->GetNeighbour()) center.SetActivePage(neighbour);
    DeleteOrRecycle(pageId, ownerId);
    return true;
}

int TDeleteHandler::DeleteItems(const TknIntList& itemIds, int32_t parentId, IDeleteSite& site) {
    TknIntList ids;  // the selection changes as its items go
    for (int i = 0; i < itemIds.Count(); ++i) ids.Add(itemIds.Items(i));
    TPageStore& store = GetStore();
    int done = 0;
    for (int i = 0; i < ids.Count(); ++i) {
        TPageSuper* item = store.GetPage(ids.Items(i));
        site.ShowProgress(kDeletingText, item ? item->Name() : std::u16string());
        DeleteOrRecycle(ids.Items(i), parentId);
        site.HideProgress();
        ++done;
        if (site.EscapeHeld()) {
            site.ShowNotice(LangText(kAbortNotice));
            break;
        }
    }
    return done;
}

TDeleteHandler& DeleteHandler() {
    if (!gDeleteHandler) gDeleteHandler = std::make_unique<TDeleteHandler>();
    return *gDeleteHandler;
}

TDeleteHandler* ExistingDeleteHandler() {
    return gDeleteHandler.get();
}

void ReleaseDeleteHandler() {
    gDeleteHandler.reset();
}

// --- moving and copying ---

std::optional<TDropTarget> DecideTarget(int32_t pageId, int32_t oldParentId, int32_t targetId,
                                        int32_t targetParentId, bool asSibling) {
    TPageStore& store = GetStore();
    TPageSuper* page = store.GetPage(pageId);
    TPageSuper* oldParent = store.GetPage(oldParentId);
    TPageSuper* target = store.GetPage(targetId);
    TPageSuper* targetParent = store.GetPage(targetParentId);
    if (!page || !oldParent || !target) return std::nullopt;
    const int type = page->PageType();

    // Top-level nodes take drops into them, unless the page itself sits at the top level.
    if (targetParentId == kRootId) asSibling = oldParentId == kRootId;
    // A reference dragged out of its list into the tree is only unlinked.
    if (page->OwnerId() != oldParentId && targetParent && targetParent->AcceptsChildType(type)) {
        RemoveFrom(oldParent, pageId);
        return std::nullopt;
    }
    TDropTarget result{targetId, std::nullopt};
    if (!target->CanAddChild(type) || asSibling) {
        if (!targetParent || !targetParent->CanAddChild(type)) return std::nullopt;
        result = {targetParentId, targetId};
        TPageChilds* siblings = targetParent->Childs();
        if (targetParentId == oldParentId && siblings) {
            // Dragging downwards lands after the target.
            int at = siblings->IndexOf(targetId);
            int from = siblings->IndexOf(pageId);
            if (from >= 0 && at > from)
                result.BeforeId = at + 1 < siblings->Count()
                                      ? std::optional<int32_t>(siblings->ChildAt(at + 1))
                                      : std::nullopt;
        }
    }
    if (IsAtOrBelow(result.NewParentId, pageId)) return std::nullopt;
    return result;
}

std::optional<int32_t> MoveOrCopy(int32_t pageId, int32_t targetId, int32_t targetParentId,
                                  bool asSibling, bool copy) {
    TPageStore& store = GetStore();
    TPageSuper* page = store.GetPage(pageId);
    // A page moved onto itself stays where it is.
    if (!page || (!copy && targetId == pageId)) return std::nullopt;
    TPageSuper* active = PageCenter().ActivePage();
    const bool listedByActive =
        active && active->Childs() && active->Childs()->IndexOf(pageId) >= 0;
    const int32_t oldParentId = listedByActive ? active->Id() : page->OwnerId();

    std::optional<TDropTarget> drop =
        DecideTarget(pageId, oldParentId, targetId, targetParentId, asSibling);
    if (!drop) return std::nullopt;
    page = store.GetPage(pageId);
    TPageSuper* newParent = store.GetPage(drop->NewParentId);
    if (!page || !newParent || !newParent->Childs()) return std::nullopt;
    TPageSuper* oldParent = store.GetPage(oldParentId);
    const uint8_t type = page->PageType();

    int32_t placed = pageId;
    if (newParent->AcceptsChildType(type)) {
        if (copy && !page->IsSingleton()) {
            placed = store.NewPage(newParent->Id(), type);
            if (TPageSuper* duplicate = store.GetPage(placed)) duplicate->CopyFrom(*page);
        } else {
            RemoveFrom(oldParent, pageId);
            page->SetOwnerId(newParent->Id());
        }
    } else {
        const bool owned = page->OwnerId() == oldParentId;
        if (owned && newParent->Childs()->IndexOf(pageId) >= 0) return std::nullopt;
        if (!owned && !copy) RemoveFrom(oldParent, pageId);
    }
    newParent->Childs()->AddChild(placed, drop->BeforeId.value_or(-1));
    return placed;
}

}  // namespace qb
