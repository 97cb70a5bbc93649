#pragma once

// Deleting, moving and copying pages. Deleting goes through the one delete handler, which
// unlinks a reference, moves a page into the recycle bin or destroys it; the recycle bin keeps
// at most "RecyclerLimit" pages. Moving and copying decide the new parent and place of a page
// dropped onto a node.

#include <cstdint>
#include <optional>
#include <string_view>

#include "foundation/UknList.h"
#include "model/UPageSuper.h"

namespace qb {

// What deleting asks of the windows: the workspace supplies it.
class IDeleteSite {
  public:
    virtual ~IDeleteSite() = default;
    // An OK/Cancel question titled "Prompt"; true for OK.
    virtual bool Confirm(std::u16string_view question) = 0;
    // The page is about to go: the browse history forgets it.
    virtual void ForgetPage(int32_t pageId) = 0;
    // The main window's progress display: a text with the name of what is being worked on.
    virtual void ShowProgress(std::u16string_view text, std::u16string_view name) = 0;
    virtual void HideProgress() = 0;
    // Lets pending window messages run, then tells whether ESC is held.
    virtual bool EscapeHeld() = 0;
    virtual void ShowNotice(std::u16string_view text) = 0;
};

// Asks nothing and answers OK: deleting without questions.
class TSilentDeleteSite : public IDeleteSite {
  public:
    bool Confirm(std::u16string_view) override { return true; }
    void ForgetPage(int32_t) override {}
    void ShowProgress(std::u16string_view, std::u16string_view) override {}
    void HideProgress() override {}
    bool EscapeHeld() override { return false; }
    void ShowNotice(std::u16string_view) override {}
};

struct TDeleteCheck {
    bool Allowed = false;
    bool Final = false;  // the page itself goes, not only its place in the parent
};

class TDeleteHandler {
  public:
    // Allowed from a reference list (only unlinked), else when the page exists and can be
    // deleted; final unless the page is a system page (then only unlinked).
    TDeleteCheck CheckDelete(int32_t pageId, int32_t parentId);
    // Unlinks the page from the parent and, when that is final, moves it into the recycle bin
    // or destroys it. A refused page is left as it is.
    void DeleteOrRecycle(int32_t pageId, int32_t parentId);
    // Command 1140 for the page (the active page): the confirmations, then the neighbour
    // becomes active when the page was, then DeleteOrRecycle from its owner. False when
    // refused or cancelled.
    bool DeletePage(int32_t pageId, IDeleteSite& site);
    // Commands 1405 and 1406: each item in order from the parent, until ESC is held after
    // one. Returns how many were handled.
    int DeleteItems(const TknIntList& itemIds, int32_t parentId, IDeleteSite& site);

    // Until a recycle bin is registered every delete is final; kNoOwnerId forgets it.
    void SetRecycleBin(int32_t pageId) { FRecycleBinId = pageId; }
    int32_t RecycleBinId() const { return FRecycleBinId; }

  private:
    bool Recycle(int32_t pageId, int32_t parentId);
    void TrimRecycleBin();
    bool Confirmed(int32_t pageId, IDeleteSite& site);

    int32_t FRecycleBinId = kNoOwnerId;
};

TDeleteHandler& DeleteHandler();
TDeleteHandler* ExistingDeleteHandler();
void ReleaseDeleteHandler();

// Where a dropped page goes: into the new parent before the given page, or at the end.
struct TDropTarget {
    int32_t NewParentId;
    std::optional<int32_t> BeforeId;
    bool operator==(const TDropTarget&) const = default;
};

// The new parent and place of a page dropped onto a target; nothing when refused. Dragging a
// reference out of a reference list into the tree unlinks it and is refused.
std::optional<TDropTarget> DecideTarget(int32_t pageId, int32_t oldParentId, int32_t targetId,
                                        int32_t targetParentId, bool asSibling);
// Moves or copies one dropped page; the id of the page now in the new parent (the copy when
// copied), or nothing when nothing was moved or copied.
std::optional<int32_t> MoveOrCopy(int32_t pageId, int32_t targetId, int32_t targetParentId,
                                  bool asSibling, bool copy);

}  // namespace qb
