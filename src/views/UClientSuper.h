#pragma once

// The base of the three page clients that the workspace shows beside the navigators: the editor
// client for text pages, the list client and the abstract client for list pages. Exactly one of
// them is active once a page is shown; only the active one is registered with the command center
// and the page center, so the commands of the others stay out of the menus.

#include <cstdint>
#include <string>
#include <vector>

#include "model/UPageFactory.h"
#include "shell/UknClasses.h"

namespace qb {

class TPageSuper;

// A client's window control as the workspace sees it. The client's widget (in a ui/ folder)
// implements it; the workspace's panel finds the widget behind it.
class IClientControl {
  public:
    virtual ~IClientControl() = default;
    virtual void ShowControl(bool visible) = 0;
    virtual bool ControlHasFocus() const = 0;
    virtual void FocusControl() = 0;
};

// What is dropped onto a page: pages or items of the notebook, or files from the desktop.
struct TDropObject {
    std::vector<int32_t> PageIds;
    std::vector<std::u16string> FileNames;
    bool Copy = false;       // Ctrl held
    bool AsSibling = false;  // Shift held
    bool FromTree = false;   // dragged from the tree: the last page placed becomes active
};

// The workspace as the navigators and the list client see it: it moves, copies or imports what
// was dropped onto the page `targetId`, shown under `targetParentId`.
class IPageDropTarget {
  public:
    virtual ~IPageDropTarget() = default;
    virtual void DropOnPage(const TDropObject& object, int32_t targetId,
                            int32_t targetParentId) = 0;
};

class TClientSuper : public ICommandExecutor, public IPageObserver {
  public:
    TClientSuper() = default;
    ~TClientSuper() override;
    TClientSuper(const TClientSuper&) = delete;
    TClientSuper& operator=(const TClientSuper&) = delete;

    // --- the client operations, in slot order ---
    // Shows the page; the page becomes the client's current page.
    virtual void Load(TPageSuper* page) = 0;
    // Shows nothing any more.
    virtual void Unload() = 0;
    virtual IClientControl* Control() = 0;
    // The page events that reach the active client. The base loads the new active page on
    // PageActivated and saves on PageDeactivated of the current page.
    virtual void OnPageEvent(uint8_t event, int32_t pageId, int32_t extra);
    // Writes what the client shows into its current page.
    virtual void Save() = 0;
    bool CheckCommand(int32_t id) override;
    void ExecuteCommand(int32_t id) override;

    // Activating registers with the command and page centers; deactivating unregisters, runs
    // Unload and forgets the page.
    void SetActive(bool active);
    bool Active() const { return FActive; }
    TPageSuper* Page() const { return FPage; }

    void PageEvent(uint8_t event, int32_t pageId, int32_t argument) final;

  protected:
    // For Load and Unload of the subclasses.
    void SetPage(TPageSuper* page) { FPage = page; }

  private:
    void Unregister();

    bool FActive = false;
    TPageSuper* FPage = nullptr;
};

}  // namespace qb
