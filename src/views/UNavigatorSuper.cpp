#include "views/UNavigatorSuper.h"

#include "foundation/UknStrUtils.h"
#include "model/UPageSuper.h"
#include "shell/UMenuModel.h"
#include "shell/UknClasses.h"
#include "storage/UPageStore.h"

namespace qb {

std::u16string StatusPrefix(uint8_t status) {
    switch (status) {
        case psLocked:
            return u"+ ";
        case psProtected:
            return u"* ";
        case psReadOnly:
            return u"# ";
        default:
            return {};
    }
}

std::u16string PageLabel(const TPageSuper& page, bool showImages) {
    return showImages ? page.Name() : StatusPrefix(page.Status()) + page.Name();
}

int32_t ContextMenuKind(uint8_t pageType) {
    switch (pageType) {
        case ptSearch:
            return 8;
        case ptRecycleBin:
            return 9;
        case ptTemplate:
        case ptFastLink:
        case ptFavorite:
        case ptRecentRoot:
        case ptClip:
            return 10;
        case ptRecentCreate:
        case ptRecentModify:
        case ptRecentVisit:
            return 11;
        default:
            return kPageMenuKind;
    }
}

int32_t PageClickCommand(int32_t choice) {
    switch (choice) {
        case 0:
            return cmRename;
        case 2:
            return cmDelete;
        default:
            return cmSwitchLock;
    }
}

int32_t TreeMiddleButtonCommand(int32_t choice) {
    return choice == 2 ? cmDelete : cmSwitchLock;
}

std::optional<std::u16string> TypedPageName(std::u16string_view text) {
    if (text.empty()) return std::nullopt;
    return EncodeForDisplay(text);
}

bool RenamePage(int32_t pageId, std::u16string_view text) {
    std::optional<std::u16string> name = TypedPageName(text);
    TPageSuper* page = GetStore().GetPage(pageId);
    if (!name || !page) return false;
    page->SetName(*name);
    EventCenter().EventNotify(kPageRenamedEvent, pageId);
    return true;
}

// --- TNavigatorSuper ---

TNavigatorSuper::~TNavigatorSuper() {
    if (FActive && PageCenterExists()) PageCenter().RemoveObserver(this);
}

void TNavigatorSuper::SetActive(bool active) {
    if (active == FActive) return;
    FActive = active;
    if (!active) {
        PageCenter().RemoveObserver(this);
        return;
    }
    Rebuild();
    PageCenter().AddObserver(this);
    if (TPageSuper* page = PageCenter().ActivePage()) SelectPage(page);
}

void TNavigatorSuper::PageEvent(uint8_t event, int32_t pageId, int32_t argument) {
    TPageStore& store = GetStore();
    switch (event) {
        case peRenameRequested:
            if (TPageSuper* page = store.GetPage(pageId)) StartRename(page);
            break;
        case pePageChanged:
        case peStatusChanged:
        case peIconChanged:
            if (TPageSuper* page = store.GetPage(pageId)) RefreshPage(page);
            break;
        case pePageActivated:
            if (TPageSuper* page = PageCenter().ActivePage()) SelectPage(page);
            break;
        case peChildAdded:
        case peChildRemoved: {
            TPageSuper* parent = store.GetPage(pageId);
            TPageSuper* child = store.GetPage(argument);
            if (!parent || !child || !parent->ShowsChildInTree(child->PageType())) break;
            if (event == peChildAdded)
                AddPage(child);
            else
                RemovePage(child);
            break;
        }
        default:
            break;
    }
}

void TNavigatorSuper::Activate(int32_t pageId) {
    TPageCenter& center = PageCenter();
    TPageSuper* active = center.ActivePage();
    if (active && active->Id() == pageId) return;
    if (TPageSuper* page = GetStore().GetPage(pageId)) center.SetActivePage(page);
}

void TNavigatorSuper::ShowContextMenu(int32_t kind) {
    EventCenter().EventNotify(kContextMenuEvent, kind);
}

void TNavigatorSuper::RunCommand(int32_t id) {
    CommandCenter().ExecuteCommand(id);
}

}  // namespace qb
