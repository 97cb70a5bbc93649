#include "views/USpace.h"

#include "model/UPageProperty.h"
#include "model/UPageSuper.h"
#include "shell/UOptionManager.h"
#include "storage/UPageStore.h"

namespace qb {

namespace {

constexpr std::u16string_view kNewPageTitle = u"New Page";
constexpr std::u16string_view kNamePrompt = u"Please input page name:";
constexpr std::u16string_view kDeleteItemsQuestion = u"Do you want to delete the selected items?";
constexpr std::u16string_view kRemoveItemsQuestion =
    u"Do you want to remove the selected items from this list?";

TPageSuper* GroupRootPage() {
    int32_t id = 0;
    TPageStore& store = GetStore();
    return store.FindFirstOfType(ptGroupRoot, id) ? store.GetPage(id) : nullptr;
}

TPageSuper* ActivePage() {
    return PageCenter().ActivePage();
}

bool IsViewStyleCommand(int32_t id) {
    return id >= cmFirstViewStyle && id <= cmLastViewStyle && (id - cmFirstViewStyle) % 10 == 0;
}

// Enabling runs at every page change: a group of thousands of pages is not walked for a locked
// one each time. Its own status decides here; deleting checks everything it owns.
bool DeleteLooksAllowed(TPageSuper& page) {
    if (page.Childs() && !page.IsSingleton()) return page.Status() == psNormal;
    return DeleteHandler().CheckDelete(page.Id(), page.OwnerId()).Allowed;
}

}  // namespace

TNewPagePlace DecideNewPagePlace(TPageSuper& active, int type, bool beside, THeldKeys keys,
                                 int32_t insertBeforeId) {
    TPageSuper* parent = &active;
    if (!active.AcceptsChildType(type) || beside || keys.Shift || keys.Ctrl)
        parent = active.GetParent();
    if (parent && parent->Id() != kRootId && parent->AcceptsChildType(type) &&
        parent->PageType() != ptRecycleBin && parent->Childs())
        return {parent->Id(), keys.Ctrl ? active.Id() : insertBeforeId};
    TPageSuper* groupRoot = GroupRootPage();
    return {groupRoot ? groupRoot->Id() : kNoOwnerId, -1};
}

uint8_t NextStatus(uint8_t status) {
    switch (status) {
        case psNormal:
            return psLocked;
        case psLocked:
        case psProtected:
            return psReadOnly;
        default:
            return psNormal;
    }
}

int NewPageType(int32_t commandId) {
    switch (commandId) {
        case cmNewPageNote:
        case cmNewPageNoteBeside:
            return ptNote;
        case cmNewPageCalc:
            return ptCalc;
        case cmNewPageMemo:
            return ptMemo;
        case cmNewPageDict:
            return ptDict;
        case cmNewPageLink:
            return ptLink;
        case cmNewPageContact:
            return ptContact;
        case cmNewPageGroup:
            return ptGroup;
        default:
            return -1;
    }
}

void RefreshPageView(TPageSuper& page, int oldClientKind) {
    TPageCenter& center = PageCenter();
    if (page.ClientKind() == oldClientKind) {
        center.Notify(pePageViewChanged, page.Id());
        return;
    }
    center.Notify(peClientKindChanged, page.Id());
    center.Notify(pePageViewChanged, page.Id());
    center.Notify(pePageActivated, page.Id());
}

// --- TSpace ---

TSpace::TSpace(ISpaceSite& site) : FSite(site) {
    PageCenter().AddObserver(this);
    SaveCenter().AddSaver(this);
    CommandCenter().AddExecutor(this);
}

TSpace::~TSpace() {
    if (TknCommandCenter* commands = ExistingCommandCenter()) commands->RemoveExecutor(this);
    if (TknSaveCenter* saves = ExistingSaveCenter()) saves->RemoveSaver(this);
    if (PageCenterExists()) PageCenter().RemoveObserver(this);
}

void TSpace::PageEvent(uint8_t event, int32_t pageId, int32_t) {
    switch (event) {
        case pePageActivated:
            FHistory.Add(pageId);
            FSelection.Clear();
            break;
        case pePageSelected:
            if (!FSelection.ItemExists(pageId)) FSelection.Add(pageId);
            break;
        case pePageUnselected:
            FSelection.DeleteValue(pageId);
            break;
        case peStatusChanged:
            break;
        default:
            return;
    }
    FSite.PostCheckCommands();
}

void TSpace::Save() {
    if (TPageSuper* active = ActivePage()) PageCenter().Notify(pePageDeactivated, active->Id());
    GetStore().SaveIndex();
}

bool TSpace::CheckCommand(int32_t id) {
    const bool known = NewPageType(id) >= 0 || IsViewStyleCommand(id) || id == cmRename ||
                       id == cmSwitchLock || id == cmDelete || id == cmProperty ||
                       id == cmDeleteItems || id == cmRemoveItems || id == cmNewItem ||
                       id == cmInsertItem || id == cmEditItem || id == cmGoPrior ||
                       id == cmGoNext || id == cmLevelUp;
    if (!known) return true;
    TPageSuper* active = ActivePage();
    return active && Allowed(id, *active);
}

bool TSpace::Allowed(int32_t id, TPageSuper& active) {
    switch (id) {
        case cmDelete:
            return DeleteLooksAllowed(active);
        case cmProperty:
            return FSite.CanShowProperties();
        case cmDeleteItems:
        case cmRemoveItems:
        case cmEditItem:
            return !FSelection.IsEmpty();
        case cmNewItem:
            return active.ChildItemType() != kNoChildType;
        case cmInsertItem:
            return active.ChildItemType() != kNoChildType && !FSelection.IsEmpty();
        case cmGoPrior:
            return FHistory.CanPrior();
        case cmGoNext:
            return FHistory.CanNext();
        case cmLevelUp: {
            TPageSuper* parent = active.GetParent();
            return parent && parent->Id() != kRootId;
        }
        default:
            if (IsViewStyleCommand(id)) return active.ListProperty() != nullptr;
            return true;
    }
}

void TSpace::ExecuteCommand(int32_t id) {
    TPageSuper* active = ActivePage();
    if (active && CheckCommand(id)) Execute(id, *active);
}

void TSpace::Execute(int32_t id, TPageSuper& active) {
    if (const int type = NewPageType(id); type >= 0) {
        NewPage(type, id == cmNewPageNoteBeside);
        return;
    }
    if (IsViewStyleCommand(id)) {
        SetViewStyle(active, static_cast<uint8_t>((id - cmFirstViewStyle) / 10));
        return;
    }
    switch (id) {
        case cmRename:
            PageCenter().Notify(peRenameRequested, active.Id());
            break;
        case cmSwitchLock:
            active.SetStatus(NextStatus(active.Status()));
            break;
        case cmDelete:
            DeleteHandler().DeletePage(active.Id(), *this);
            break;
        case cmProperty:
            ShowProperties(active);
            break;
        case cmDeleteItems:
        case cmRemoveItems:
            DeleteItems(active, id == cmRemoveItems);
            break;
        case cmNewItem:
            NewItem(active, -1);
            break;
        case cmInsertItem:
            NewItem(active, FSelection.Items(0));
            break;
        case cmEditItem:
            EditItem(active);
            break;
        case cmGoPrior:
        case cmGoNext:
            GoHistory(id == cmGoPrior);
            break;
        case cmLevelUp:
            PageCenter().SetActivePage(active.GetParent());
            break;
        default:
            break;
    }
}

bool TSpace::NewPage(int type, bool beside, int32_t insertBeforeId) {
    TPageSuper* active = ActivePage();
    if (!active) return false;
    const TNewPagePlace place =
        DecideNewPagePlace(*active, type, beside, FSite.HeldKeys(), insertBeforeId);
    TPageStore& store = GetStore();
    TPageSuper* parent = store.GetPage(place.ParentId);
    if (!parent || !parent->Childs()) return false;
    std::u16string name = parent->Childs()->NewChildName(type);
    const bool treeShown = FSite.TreeShown();
    const bool autoName = OptionManager().AutoName;
    if (!treeShown && !autoName && !FSite.AskName(kNewPageTitle, kNamePrompt, name)) return false;
    const int32_t id = store.NewPage(parent->Id(), static_cast<uint8_t>(type));
    TPageSuper* page = store.GetPage(id);
    if (!page) return false;
    page->SetName(name);
    parent->Childs()->AddChild(id, place.BeforeId);
    PageCenter().SetActivePage(page);
    if (treeShown && !autoName) FSite.PostCommand(cmRename);
    return true;
}

void TSpace::GoHistory(bool back) {
    // Pages deleted since they were visited are stepped over.
    TPageStore& store = GetStore();
    while (back ? FHistory.CanPrior() : FHistory.CanNext()) {
        const int32_t id = back ? FHistory.GoPrior() : FHistory.GoNext();
        if (TPageSuper* page = store.GetPage(id)) {
            PageCenter().SetActivePage(page);
            return;
        }
    }
}

void TSpace::NewItem(TPageSuper& active, int32_t insertBeforeId) {
    const int type = active.ChildItemType();
    if (FSite.OpenItemBox(type, -1, active.Id(), insertBeforeId)) return;
    NewPage(type, false, insertBeforeId);
}

void TSpace::EditItem(TPageSuper& active) {
    TPageSuper* item = GetStore().GetPage(FSelection.Items(0));
    if (!item) return;
    if (FSite.OpenItemBox(item->PageType(), item->Id(), active.Id(), -1)) return;
    PageCenter().SetActivePage(item);
}

void TSpace::ShowProperties(TPageSuper& active) {
    const int32_t id = active.Id();
    const int oldKind = active.ClientKind();
    PageCenter().Notify(pePageDeactivated, id);
    if (!FSite.ShowProperties(id)) return;
    if (TPageSuper* page = GetStore().GetPage(id)) RefreshPageView(*page, oldKind);
}

void TSpace::SetViewStyle(TPageSuper& active, uint8_t style) {
    TListProperty* list = active.ListProperty();
    if (!list) return;
    const int oldKind = active.ClientKind();
    list->ViewStyle = style;
    RefreshPageView(active, oldKind);
}

void TSpace::DeleteItems(TPageSuper& active, bool remove) {
    if (!FSite.Confirm(remove ? kRemoveItemsQuestion : kDeleteItemsQuestion)) return;
    DeleteHandler().DeleteItems(FSelection, active.Id(), *this);
    FSite.HideProgress();
}

}  // namespace qb
