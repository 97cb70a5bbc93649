#include "shell/UMenuModel.h"

#include <algorithm>

#include "model/UFavoritePage.h"
#include "model/UPageFactory.h"
#include "model/UPageProperty.h"
#include "model/UPageSuper.h"
#include "shell/UOptionManager.h"
#include "shell/UknClasses.h"

namespace qb {

namespace {

using TIds = std::initializer_list<int32_t>;

// Commands in order; 0 stands for a separator.
TMenuItems Commands(TIds ids) {
    TMenuItems items;
    for (int32_t id : ids) items.push_back(id ? MenuCommand(id) : MenuSeparator());
    return items;
}

TMenuItemDef Submenu(int32_t id, TMenuItems items) {
    return {TMenuItemKind::Submenu, id, std::move(items)};
}

TMenuItemDef ListSubmenu(int32_t id) {
    return {TMenuItemKind::ListSubmenu, id, {}};
}

void Append(TMenuItems& items, TMenuItems more) {
    for (TMenuItemDef& item : more) items.push_back(std::move(item));
}

void AppendIf(TMenuItems& items, bool condition, TMenuItemDef item) {
    if (condition) items.push_back(std::move(item));
}

TMenuItemDef NewExtPageMenu(const TOptions& o) {
    TMenuItems items;
    AppendIf(items, o.EnableCalcPage, MenuCommand(1030));
    AppendIf(items, o.EnableMemoPage, MenuCommand(1040));
    AppendIf(items, o.EnableDictPage, MenuCommand(1050));
    AppendIf(items, o.EnableLinkPage, MenuCommand(1060));
    AppendIf(items, o.EnableContactPage, MenuCommand(1070));
    return Submenu(1020, std::move(items));
}

TMenuItemDef ViewMenu() {
    return Submenu(kViewMenuId, Commands({11050, 11060, 11070, 11080, 11090}));
}

TMenuItemDef TextToolsMenu() {
    return Submenu(
        1380, Commands({1381, 1382, 1383, 1384, 1385, 0, 1388, 1386, 1387, 1389, 0, 1390, 1391}));
}

TMenuItemDef SubsequentFindMenu() {
    return Submenu(1460, Commands({1462, 1464, 1466, 1468, 1470}));
}

TMenuItemDef FileMenu(const TOptions& o) {
    TMenuItems items = Commands({1010});
    AppendIf(items, o.AnyExtensionEnabled(), NewExtPageMenu(o));
    Append(items, Commands({1110, 0, 1120, 1130, 1150, kDeletePageId, 0, 1160}));
    items.push_back(ViewMenu());
    Append(items, Commands({0, 1180, 1190, 1200, 0, 1210}));
    return Submenu(kFileMenuId, std::move(items));
}

TMenuItemDef EditMenu(const TOptions& o) {
    TMenuItems items = Commands(
        {1310, 1320, 1330, 1340, 0, 1350, 1360, 1370, kDeleteId, 0, 1410, 1420, 1430, 0, 1440});
    items.push_back(TextToolsMenu());
    Append(items, Commands({0, 1450}));
    items.push_back(SubsequentFindMenu());
    Append(items, Commands({1480, 0, 1490}));
    AppendIf(items, o.EnableTemplate, ListSubmenu(kTemplateListId));
    AppendIf(items, o.EnableClipboard, ListSubmenu(kClipListId));
    return Submenu(kEditMenuId, std::move(items));
}

TMenuItemDef NavigationMenu() {
    TMenuItems items = Commands({1560, 1570, 1580, 0});
    items.push_back(
        Submenu(1590, {ListSubmenu(kRecentCreatedListId), ListSubmenu(kRecentModifiedListId),
                       ListSubmenu(kRecentVisitedListId), MenuSeparator(), MenuCommand(1600)}));
    items.push_back(ListSubmenu(kFavoriteListId));
    Append(items, Commands({0, 1630, 1650}));
    return Submenu(1550, std::move(items));
}

TMenuItemDef ToolsMenu(const TOptions& o) {
    TMenuItems items = Commands({1710, 1720, 1730, 1740});
    AppendIf(items, o.EnableTemplate || o.EnableLinkPage, MenuSeparator());
    AppendIf(items, o.EnableTemplate, MenuCommand(1750));
    AppendIf(items, o.EnableLinkPage, MenuCommand(1760));
    if (o.EnableClipboard) Append(items, Commands({0, 1770, 1780, 1790}));
    Append(items, Commands({0, 1800, 0, 1810, 1820}));
    return Submenu(1700, std::move(items));
}

TMenuItemDef HelpMenu() {
    return Submenu(1900, Commands({1910, 0, 1920, 1930, 0, 1950, 1940}));
}

// The main-menu twin of a submenu that a context menu inserts.
TMenuItemDef InsertedSubmenu(int32_t id, const TOptions& o) {
    switch (id) {
        case 1020:
            return NewExtPageMenu(o);
        case kViewMenuId:
            return ViewMenu();
        case 1380:
            return TextToolsMenu();
        case 1460:
            return SubsequentFindMenu();
        default:
            return ListSubmenu(id);
    }
}

void InsertAt(TMenuItems& items, size_t position, TMenuItemDef item) {
    items.insert(items.begin() + static_cast<std::ptrdiff_t>(std::min(position, items.size())),
                 std::move(item));
}

void InsertSubmenuIf(TMenuItems& items, bool condition, int32_t id, size_t position,
                     const TOptions& o) {
    if (condition) InsertAt(items, position, InsertedSubmenu(id, o));
}

}  // namespace

TMenuItemDef MenuCommand(int32_t id) {
    return {TMenuItemKind::Command, id, {}};
}

TMenuItemDef MenuSeparator() {
    return {TMenuItemKind::Separator, 0, {}};
}

TMenuItems MainMenuItems(const TOptions& options, bool popupForm) {
    TMenuItems top = {FileMenu(options), EditMenu(options), NavigationMenu(), ToolsMenu(options),
                      HelpMenu()};
    if (!popupForm) return top;
    return {Submenu(kPopupFormMenuId, std::move(top))};
}

TActivePageFacts ActivePageFacts() {
    TActivePageFacts facts;
    TPageSuper* page = PageCenterExists() ? PageCenter().ActivePage() : nullptr;
    if (!page) return facts;
    facts.Exists = true;
    facts.Singleton = page->IsSingleton();
    facts.ClientKind = page->ClientKind();
    facts.ReferenceList = page->IsReferenceList();
    if (TListProperty* list = page->ListProperty()) facts.ViewStyle = list->ViewStyle;
    facts.Favorite = IsFavorite(page->Id());
    return facts;
}

int32_t DeletePageTextId(const TActivePageFacts& page) {
    return page.Singleton ? 1145 : kDeletePageId;
}

int32_t DeleteTextId(const TActivePageFacts& page) {
    if (page.ClientKind == ckEditor) return kDeleteId;
    return page.ReferenceList ? 1406 : 1405;
}

int32_t CheckedViewStyleId(const TActivePageFacts& page) {
    if (page.ViewStyle < vsBigIcon || page.ViewStyle > vsAbstract) return 0;
    return kFirstViewStyleId + 10 * page.ViewStyle;
}

int32_t FavoriteToggleId(const TActivePageFacts& page) {
    return page.Favorite ? 1615 : 1610;
}

TMenuItems FavoriteTail(const TActivePageFacts& page) {
    return Commands({0, FavoriteToggleId(page), 1620});
}

int32_t RestoreTextId(int32_t windowStatus) {
    return windowStatus == 2 ? kRestoreId : 1970;
}

bool IsListSubmenuId(int32_t id) {
    switch (id) {
        case kClipListId:
        case kTemplateListId:
        case kFastLinkListId:
        case kFavoriteListId:
        case kRecentCreatedListId:
        case kRecentModifiedListId:
        case kRecentVisitedListId:
            return true;
        default:
            return false;
    }
}

void FillListSubmenu(int32_t base, const TknStrList& texts, IListSubmenu& menu) {
    const int present = menu.ListItemCount();
    const int shown = std::min(texts.Count(), kMaxListItems);
    for (int i = 0; i < shown; ++i) {
        int32_t id = base + i + 1;
        if (i < present)
            menu.SetListItemText(id, texts.Items(i));
        else
            menu.AddListItem(id, texts.Items(i));
    }
    for (int i = shown; i < present; ++i) menu.DeleteListItem(base + i + 1);
}

void RefreshListSubmenu(int32_t base, IListSubmenu& menu) {
    TknStrList texts;
    ListCenter().GetListItems(base, texts);
    FillListSubmenu(base, texts, menu);
}

TMenuItems ContextMenuItems(int32_t kind, const TOptions& o, const TActivePageFacts& page) {
    TMenuItems items;
    switch (kind) {
        case 1:
            return Commands({1810});
        case 2:
            items = Commands({1010, 1110, 0, 1120, 1130, 1160, 0, 1190, kDeletePageId});
            InsertSubmenuIf(items, page.ClientKind != ckEditor, kViewMenuId, 6, o);
            InsertSubmenuIf(items, o.AnyExtensionEnabled(), 1020, 1, o);
            InsertAt(items, 9, MenuCommand(FavoriteToggleId(page)));
            return items;
        case 3:
            return Commands({1410, 1420, 1430, kDeleteId});
        case 4:
            items = Commands({1410, 0, 1160});
            InsertSubmenuIf(items, true, kViewMenuId, 3, o);
            return items;
        case 5:
            items = Commands({1350, 1360, 1370, kDeleteId, 0, 1450, 0, 1490});
            InsertSubmenuIf(items, true, 1380, 5, o);
            InsertSubmenuIf(items, o.EnableClipboard, kClipListId, 9, o);
            InsertSubmenuIf(items, o.EnableTemplate, kTemplateListId, 9, o);
            return items;
        case 6:
            items = Commands({1320, 1330, 1340, 0, 1440, 1385, 0, 1450, 1480, 0, 1370, 1490});
            InsertSubmenuIf(items, true, 1460, 8, o);
            InsertSubmenuIf(items, o.EnableClipboard, kClipListId, 13, o);
            InsertSubmenuIf(items, o.EnableTemplate, kTemplateListId, 13, o);
            return items;
        case 8:
            items = Commands({1630, 0, 1160, 0, kDeletePageId});
            break;
        case 9:
            items = Commands({1310, 0, 1160, 0, kDeletePageId});
            break;
        case 10:
            items = Commands({1160, 0, kDeletePageId});
            break;
        case 11:
            items = Commands({1160});
            break;
        default:
            return {};
    }
    // Kinds 8 to 11: the system pages, each with its view styles.
    InsertSubmenuIf(items, true, kViewMenuId, kind == 8 || kind == 9 ? 3 : 1, o);
    return items;
}

TMenuItems TrayMenuItems(const TOptions& o) {
    TMenuItems items;
    if (o.EnableLinkPage) Append(items, {ListSubmenu(kFastLinkListId), MenuSeparator()});
    AppendIf(items, o.EnableTemplate, ListSubmenu(kTemplateListId));
    if (o.EnableClipboard)
        Append(items, {ListSubmenu(kClipListId), MenuCommand(1770), MenuCommand(1780)});
    AppendIf(items, o.EnableTemplate || o.EnableClipboard, MenuSeparator());
    Append(items, Commands({1975, 1980, 1820, 0, kRestoreId, 1210}));
    return {Submenu(kTrayMenuId, std::move(items))};
}

}  // namespace qb
