#pragma once

// The base of the two navigators, the tree and the tab bar: both follow the page center (they
// mirror pages added, removed, renamed and locked, and select the active page) and turn what
// the user does on them into page-center calls and commands. The rules both share live here
// too: the label of a page, the context menu of a page type, what a click runs, and renaming.

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "model/UPageFactory.h"
#include "views/UClientSuper.h"
#include "views/USpace.h"

namespace qb {

class TPageSuper;

// The page a navigator shows was renamed there; wparam is the page id.
inline constexpr int32_t kPageRenamedEvent = 3088;
// The context menu of an ordinary page.
inline constexpr int32_t kPageMenuKind = 2;

// "+ " Locked, "* " Protected, "# " ReadOnly, nothing for Normal.
std::u16string StatusPrefix(uint8_t status);
// The page name, after its status prefix when the control shows no images (the image carries
// the status otherwise).
std::u16string PageLabel(const TPageSuper& page, bool showImages);
// The context menu of a page in the tree: 8 search, 9 recycle bin, 10 the system lists, 11 the
// recent lists, 2 every other page.
int32_t ContextMenuKind(uint8_t pageType);
// What a click of the kind the options PageDblClick and PageMButtonClick choose runs: 0 rename,
// 1 switch status, 2 delete (anything else switches the status).
int32_t PageClickCommand(int32_t choice);
// The tree's middle button: 2 deletes, anything else switches the status.
int32_t TreeMiddleButtonCommand(int32_t choice);
// A name typed for a page, made one line as names are; nothing for an empty text.
std::optional<std::u16string> TypedPageName(std::u16string_view text);
// Gives the page the typed name and raises kPageRenamedEvent; false when refused (an empty
// text, or the page is gone).
bool RenamePage(int32_t pageId, std::u16string_view text);

class TNavigatorSuper : public IPageObserver {
  public:
    explicit TNavigatorSuper(IPageDropTarget& dropTarget) : FDropTarget(dropTarget) {}
    ~TNavigatorSuper() override;
    TNavigatorSuper(const TNavigatorSuper&) = delete;
    TNavigatorSuper& operator=(const TNavigatorSuper&) = delete;

    // --- in slot order ---
    virtual void Rebuild() = 0;
    virtual void SelectPage(TPageSuper* page) = 0;
    virtual void AddPage(TPageSuper* page) = 0;
    virtual void RefreshPage(TPageSuper* page) = 0;
    virtual void RemovePage(TPageSuper* page) = 0;
    virtual void StartRename(TPageSuper* page) = 0;
    virtual IClientControl& Control() = 0;

    // Activating rebuilds, registers with the page center and selects the active page;
    // deactivating unregisters.
    void SetActive(bool active);
    bool Active() const { return FActive; }

    void PageEvent(uint8_t event, int32_t pageId, int32_t argument) final;

  protected:
    void Drop(const TDropObject& object, int32_t targetId, int32_t targetParentId) {
        FDropTarget.DropOnPage(object, targetId, targetParentId);
    }
    // Makes the page active through the page center, unless it is already.
    static void Activate(int32_t pageId);
    static void ShowContextMenu(int32_t kind);
    static void RunCommand(int32_t id);

  private:
    IPageDropTarget& FDropTarget;
    bool FActive = false;
};

}  // namespace qb
