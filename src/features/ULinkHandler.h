#pragma once

// The link handler: opens link items (from the list, the fast-link menu, memo items and their
// own hotkeys), keeps the items' hotkeys registered, and turns files dropped on a link page
// into link items.

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "features/UCommonClasses.h"
#include "features/UItemHotKeys.h"
#include "features/ULinkOpener.h"
#include "features/ULinkPage.h"
#include "shell/UknClasses.h"

namespace qb {

inline constexpr int32_t evOpenLink = 3061;         // wparam: the link item
inline constexpr int32_t evLinkHotKeySet = 3067;    // wparam: the item, lparam: the hotkey
inline constexpr int32_t evLinkItemDeleted = 3074;  // wparam: the item

// The main window as far as opening links needs it; supplied by the GUI.
class IMainWindowState {
  public:
    virtual ~IMainWindowState() = default;
    virtual bool IsMinimized() = 0;
    virtual void Minimize() = 0;
};
// Not owned; none (the default): nothing is minimized.
void SetMainWindowState(IMainWindowState* window);

class TLinkHandler : public IEventObserver, public IOptionObserver {
  public:
    // Registers the hotkey of every link item, then listens to events and options.
    TLinkHandler();
    ~TLinkHandler() override;
    TLinkHandler(const TLinkHandler&) = delete;
    TLinkHandler& operator=(const TLinkHandler&) = delete;

    void EventNotify(int32_t event, int32_t wparam, int32_t lparam) override;
    void OptionChanged() override;

    // Opens the link item, then minimizes the main window when the options ask for it. A
    // failure raises its message and minimizes nothing; an id of no link item does nothing.
    void OpenItem(int32_t itemId);

  private:
    TItemHotKeys FHotKeys;
    bool FAutoMinimize = false;
};

// The fast-link popup: a menu of the fast-link page's items on its hotkey (at the mouse), and
// digit hotkeys; a chosen item is opened by the link handler.
class TFastLinkHandler : public THandlerWithSubHotKey {
  public:
    static constexpr int32_t CaptionId = 25380;  // "FastLink"
    static constexpr int32_t CommandId = 1760;   // opens the fast-link page
    static constexpr int32_t ItemCommandBase = 6000;

    // Finds or creates the fast-link page under the parent.
    TFastLinkHandler(int32_t parentId, TPopupHandler& popup);

    void PasteItem(int32_t itemId) override;
};

// What a dropped file stands for: a ".desktop" entry its program; other paths themselves.
// ".lnk" shortcuts have no target on this system and stay as they are.
std::u16string ResolveDroppedFile(const std::u16string& path);

// Files dropped on a link or fast-link page become link items at the end of its list; the ids
// of the new items (none for a page of another type).
std::vector<int32_t> DropFilesOnLinkPage(int32_t pageId, const std::vector<std::u16string>& paths);

}  // namespace qb
