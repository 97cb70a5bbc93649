#pragma once

// The program's menus as data: the main menu in its two forms, the context menus, the tray
// menu, and the rules by which their items change while the program runs (relabelled items,
// the checked view style, list submenus filled through the list center). The window side
// builds its menus from these and asks the rules when a submenu opens.

#include <cstdint>
#include <string_view>
#include <vector>

#include "foundation/UknList.h"
#include "model/USysPageHandler.h"

namespace qb {

struct TOptions;

// Ids with a role of their own in the menus.
inline constexpr int32_t kPopupFormMenuId = 1990;  // wraps the main menu in its popup form
inline constexpr int32_t kTrayMenuId = 99;         // the tray menu's one outer submenu
inline constexpr int32_t kFileMenuId = 1000;
inline constexpr int32_t kEditMenuId = 1300;
inline constexpr int32_t kViewMenuId = 1170;
inline constexpr int32_t kDeletePageId = 1140;       // relabelled "&Close Page" (1145)
inline constexpr int32_t kDeleteId = 1400;           // relabelled 1405 or 1406
inline constexpr int32_t kRestoreId = 1960;          // relabelled "Minimize" (1970)
inline constexpr int32_t kFirstViewStyleId = 11050;  // 11050 to 11090: view styles 0 to 4

// List submenus: their items are B + 1, B + 2, ... for the base id B.
inline constexpr int32_t kClipListId = 4000;
inline constexpr int32_t kTemplateListId = 5000;
inline constexpr int32_t kFastLinkListId = 6000;
inline constexpr int32_t kFavoriteListId = 6500;
inline constexpr int32_t kRecentCreatedListId = 7000;
inline constexpr int32_t kRecentModifiedListId = 7500;
inline constexpr int32_t kRecentVisitedListId = 8000;
// The bases lie 500 apart, so a list shows at most kMaxListItems items.

// Events of the menus.
inline constexpr int32_t kEnterMenuLoopEvent = 529;  // a context menu is about to open
inline constexpr int32_t kExitMenuLoopEvent = 530;   // ... and has closed
inline constexpr int32_t kWindowStatusEvent = 3050;  // wparam: 1 maximized, 2 minimized, 3 normal
inline constexpr int32_t kContextMenuEvent = 3051;   // wparam: the context menu kind
inline constexpr int32_t kTrayClickEvent = 3060;
inline constexpr int32_t kToolBarMenuKind = 1;
inline constexpr int32_t kCaptionMenuKind = 7;  // shown by the menu manager: the main menu
inline constexpr int32_t kDefineToolbarId = 1810;

enum class TMenuItemKind : uint8_t { Command, Separator, Submenu, ListSubmenu };

struct TMenuItemDef {
    TMenuItemKind Kind = TMenuItemKind::Command;
    int32_t Id = 0;                   // 0 for a separator
    std::vector<TMenuItemDef> Items;  // a submenu's own items
    bool operator==(const TMenuItemDef&) const = default;
};
using TMenuItems = std::vector<TMenuItemDef>;

TMenuItemDef MenuCommand(int32_t id);
TMenuItemDef MenuSeparator();

// The main menu as built with these options: in menu-bar form the five top menus, in popup form
// one submenu 1990 that holds them. Items that depend on an option are left out while it is off.
TMenuItems MainMenuItems(const TOptions& options, bool popupForm);

// The active page as far as the menus follow it.
struct TActivePageFacts {
    bool Exists = false;
    bool Singleton = false;
    int ClientKind = 0;
    bool ReferenceList = false;
    int ViewStyle = -1;  // -1: the page has no list
    bool Favorite = false;
};
// The facts of the page center's active page; the defaults without one.
TActivePageFacts ActivePageFacts();

// Text id of 1140: "&Close Page" for single-instance pages, else "&Delete Page".
int32_t DeletePageTextId(const TActivePageFacts& page);
// Text id of 1400: "&Delete" in the editor, "&Remove Item" in a reference list, else
// "&Delete Item".
int32_t DeleteTextId(const TActivePageFacts& page);
// The view-style item to check (11050 to 11090), 0 when the page has no list.
int32_t CheckedViewStyleId(const TActivePageFacts& page);
// 1615 "&Remove Favorite" when the page is a favorite, else 1610 "&Add Favorite".
int32_t FavoriteToggleId(const TActivePageFacts& page);
// What follows the favorites in their submenu: a separator, add or remove, manage.
TMenuItems FavoriteTail(const TActivePageFacts& page);
// Text id of 1960 for a window status (2 minimized): "Restore" or "Minimize".
int32_t RestoreTextId(int32_t windowStatus);

bool IsListSubmenuId(int32_t id);

// A submenu as a list submenu sees it.
class IListSubmenu {
  public:
    virtual ~IListSubmenu() = default;
    virtual int ListItemCount() = 0;
    virtual void SetListItemText(int32_t id, std::u16string_view text) = 0;
    virtual void AddListItem(int32_t id, std::u16string_view text) = 0;
    virtual void DeleteListItem(int32_t id) = 0;
};
// Item i (0-based) becomes B + i + 1 with texts[i]: present items are relabelled, missing ones
// added, items beyond the texts deleted. Texts past kMaxListItems are not shown.
void FillListSubmenu(int32_t base, const TknStrList& texts, IListSubmenu& menu);
// FillListSubmenu with the texts the list center gives for the base.
void RefreshListSubmenu(int32_t base, IListSubmenu& menu);

// The items of a context menu kind (1 to 11, event 3051), inserted submenus in place with
// their main-menu contents. Kind 7 and unknown kinds have none.
TMenuItems ContextMenuItems(int32_t kind, const TOptions& options, const TActivePageFacts& page);

// The tray menu: one submenu 99.
TMenuItems TrayMenuItems(const TOptions& options);

}  // namespace qb
