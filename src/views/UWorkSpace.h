#pragma once

// The workspace: everything in the main window's client area. It holds the tree navigator with
// its splitter, the tab navigator, the three page clients of which one shows the active page,
// the page commands (TSpace), the tree-width handler and the system pages' handlers. It lays
// the parts out, chooses the client for each page, runs the commands that move pages and the
// focus, handles what is dropped onto pages, and remembers the tree's width and the page.

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "model/UPageFactory.h"
#include "shell/UknClasses.h"
#include "views/UClientSuper.h"
#include "views/USpace.h"
#include "views/UTabNavigator.h"
#include "views/UTreeNavigator.h"
#include "views/UTreeWidthHandler.h"

namespace qb {

class IIOProgress;
class TSysPageManager;

// Commands of the workspace itself.
inline constexpr int32_t cmMovePageUp = 1220;    // Alt+Up
inline constexpr int32_t cmMovePageDown = 1230;  // Alt+Down
inline constexpr int32_t cmSwitchFocus = 354;    // Ctrl+Tab

// How the parts sit in the client area.
struct TWorkSpaceLayout {
    bool TreeShown = false;    // command 1710
    bool TreeVisible = false;  // the tree and its splitter: shown and the window has room
    bool TreeOnRight = false;
    int32_t SplitterWidth = 4;
    bool TabsVisible = false;  // the tab bar over (or under) the clients
    bool TabsOnBottom = false;
    bool operator==(const TWorkSpaceLayout&) const = default;
};

// With the tree shown the tree and splitter are there when the window has room for them; with
// the tree hidden the tab bar is there when the window has room for it.
TWorkSpaceLayout DecideLayout(bool treeShown, bool roomForTree, bool roomForTabBar,
                              bool treeOnRight, bool tabsOnBottom, int32_t splitterWidth);

// The client area's window as the workspace sees it.
class IWorkSpaceControl : public ISpaceSite {
  public:
    // The three clients, editor (1), list (2) and abstract (3), each made once.
    virtual std::unique_ptr<TClientSuper> CreateClient(int clientKind,
                                                       IPageDropTarget& dropTarget) = 0;
    virtual ITreeControl& TreeControl() = 0;
    virtual ITabControl& TabControl() = 0;
    virtual ITreeWidthSite& TreeWidthSite() = 0;
    virtual void ApplyLayout(const TWorkSpaceLayout& layout) = 0;
    // Shown while files dropped onto a page are imported (null: nothing is shown), and
    // closed when the import is over.
    virtual IIOProgress* ImportProgress() = 0;
    virtual void EndImportProgress() = 0;
};

class TWorkSpace : public ICommandExecutor,
                   public IPageObserver,
                   public ISizeObserver,
                   public IOptionObserver,
                   public IMemorizer,
                   public IPageDropTarget {
  public:
    // Builds the parts in order, then registers with the page, option, memory, size and
    // command centers (each of the first four is answered at once).
    explicit TWorkSpace(IWorkSpaceControl& control);
    ~TWorkSpace() override;
    TWorkSpace(const TWorkSpace&) = delete;
    TWorkSpace& operator=(const TWorkSpace&) = delete;

    // The tree and its splitter, or the tab bar; the navigator shown is the active one.
    void ShowTree(bool shown);
    bool TreeShown() const { return FTreeShown; }

    TSpace& Space() const { return *FSpace; }
    TNavigatorSuper& ActiveNavigator() const;
    TTreeWidthHandler& TreeWidthHandler() const { return *FTreeWidth; }
    // By client kind 1 to 3.
    TClientSuper& Client(int clientKind) const;
    // The client of the active page's kind, null before the first page.
    TClientSuper* CurrentClient() const { return FCurrentClient; }

    // A double-click on the empty page area: Level Up or a new note beside the active page.
    void BackgroundDoubleClicked();
    // Files dropped onto the window outside any page: imported next to the active page.
    void DropFiles(const std::vector<std::u16string>& files, bool shift, bool ctrl);

    bool CheckCommand(int32_t id) override;
    void ExecuteCommand(int32_t id) override;
    // ClientKindChanged: the client for the page's kind is shown.
    void PageEvent(uint8_t event, int32_t pageId, int32_t argument) override;
    void AdjustAppearance() override;
    void OptionChanged() override;
    void SaveMemory() override;
    void RestoreMemory() override;
    void DropOnPage(const TDropObject& object, int32_t targetId, int32_t targetParentId) override;

  private:
    void ChooseClient(TPageSuper& page);
    void Relayout();
    void MoveActive(int delta);
    void SwitchFocus();

    IWorkSpaceControl& FControl;
    std::unique_ptr<TSpace> FSpace;
    std::unique_ptr<TTreeNavigator> FTreeNavigator;
    std::unique_ptr<TTabNavigator> FTabNavigator;
    std::unique_ptr<TClientSuper> FEditorClient;
    std::unique_ptr<TClientSuper> FListClient;
    std::unique_ptr<TClientSuper> FBlogClient;
    TClientSuper* FCurrentClient = nullptr;
    std::unique_ptr<TSysPageManager> FSysPages;
    std::unique_ptr<TTreeWidthHandler> FTreeWidth;
    bool FTreeShown = false;
    TWorkSpaceLayout FLayout;
};

}  // namespace qb
