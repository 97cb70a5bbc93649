#pragma once

// The page commands of the workspace: new pages of every kind with the rules for their parent
// and place, rename, lock, delete, properties, list items, the browse history, level up and
// the view style; enabling for each of them; the selection of list items and the saving of the
// active page.

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "foundation/UknList.h"
#include "model/UDeleteHandler.h"
#include "model/UPageFactory.h"
#include "shell/UknClasses.h"
#include "views/UBrowseHistory.h"

namespace qb {

class TPageSuper;

// Page command ids.
inline constexpr int32_t cmNewPageNote = 1010;
inline constexpr int32_t cmNewPageNoteBeside = 1015;
inline constexpr int32_t cmNewPageCalc = 1030;
inline constexpr int32_t cmNewPageMemo = 1040;
inline constexpr int32_t cmNewPageDict = 1050;
inline constexpr int32_t cmNewPageLink = 1060;
inline constexpr int32_t cmNewPageContact = 1070;
inline constexpr int32_t cmNewPageGroup = 1110;
inline constexpr int32_t cmRename = 1120;
inline constexpr int32_t cmSwitchLock = 1130;
inline constexpr int32_t cmDelete = 1140;
inline constexpr int32_t cmProperty = 1160;
inline constexpr int32_t cmDeleteItems = 1405;
inline constexpr int32_t cmRemoveItems = 1406;
inline constexpr int32_t cmNewItem = 1410;
inline constexpr int32_t cmInsertItem = 1420;
inline constexpr int32_t cmEditItem = 1430;
inline constexpr int32_t cmGoPrior = 1560;
inline constexpr int32_t cmGoNext = 1570;
inline constexpr int32_t cmLevelUp = 1580;
inline constexpr int32_t cmFirstViewStyle = 11050;  // 11050 to 11090: view styles 0 to 4
inline constexpr int32_t cmLastViewStyle = 11090;

// Shift and Ctrl as a new page counts them: held while no other key is down.
struct THeldKeys {
    bool Shift = false;
    bool Ctrl = false;
};

// The windows' side of the page commands: the workspace supplies it.
class ISpaceSite {
  public:
    virtual ~ISpaceSite() = default;
    virtual bool TreeShown() const = 0;
    virtual THeldKeys HeldKeys() = 0;
    // An input box; false when cancelled.
    virtual bool AskName(std::u16string_view title, std::u16string_view prompt,
                         std::u16string& name) = 0;
    // Runs the command once the one running now is over (a posted message).
    virtual void PostCommand(int32_t id) = 0;
    // Runs the command center's CheckCommands once the work running now is over; many calls
    // before then run it once.
    virtual void PostCheckCommands() = 0;
    // An OK/Cancel question titled "Prompt"; true for OK.
    virtual bool Confirm(std::u16string_view question) = 0;
    // The progress of deleting list items, one item after the other until HideProgress ends
    // the work; EscapeHeld lets pending messages run first.
    virtual void ShowProgress(std::u16string_view text, std::u16string_view name) = 0;
    virtual void HideProgress() = 0;
    virtual bool EscapeHeld() = 0;
    virtual void ShowNotice(std::u16string_view text) = 0;
    // The property box of a page; true when confirmed.
    virtual bool CanShowProperties() const = 0;
    virtual bool ShowProperties(int32_t pageId) = 0;
    // The edit box for items of the type: item -1 is a new one, placed before insertBeforeId
    // (-1: at the end) in the parent. False when no box edits items of that type.
    virtual bool OpenItemBox(int itemType, int32_t itemId, int32_t parentId,
                             int32_t insertBeforeId) = 0;
};

// Where a new page goes: its parent, and the page it is placed before (-1: appended).
struct TNewPagePlace {
    int32_t ParentId = kNoOwnerId;
    int32_t BeforeId = -1;
    bool operator==(const TNewPagePlace&) const = default;
};

// The parent and place of a new page of the type made while `active` is the active page:
// into the active page when it takes the type and neither `beside`, Shift nor Ctrl holds,
// else beside it; before it with Ctrl (else before `insertBeforeId`, else at the end). A
// parent that is the root, the recycle bin or does not take the type gives way to the group
// root (appended).
TNewPagePlace DecideNewPagePlace(TPageSuper& active, int type, bool beside, THeldKeys keys,
                                 int32_t insertBeforeId = -1);
// Switch Lock: Normal becomes Locked, Locked and Protected become ReadOnly, ReadOnly Normal.
uint8_t NextStatus(uint8_t status);
// The page type a new-page command makes, -1 for other ids.
int NewPageType(int32_t commandId);

class TSpace : public IPageObserver, public ISaver, public ICommandExecutor, private IDeleteSite {
  public:
    // Registers with the page, save and command centers.
    explicit TSpace(ISpaceSite& site);
    ~TSpace() override;
    TSpace(const TSpace&) = delete;
    TSpace& operator=(const TSpace&) = delete;

    // The active page is recorded in the history; list items selected and deselected make
    // the selection.
    void PageEvent(uint8_t event, int32_t pageId, int32_t argument) override;
    // The active client hands its text to the page, then the index is written.
    void Save() override;
    bool CheckCommand(int32_t id) override;
    void ExecuteCommand(int32_t id) override;

    // Makes a page of the type and activates it; false when nothing was made (a cancelled
    // name prompt, no active page).
    bool NewPage(int type, bool beside, int32_t insertBeforeId = -1);

    const THistory& History() const { return FHistory; }
    const TknIntList& Selection() const { return FSelection; }

  private:
    bool Allowed(int32_t id, TPageSuper& active);
    void Execute(int32_t id, TPageSuper& active);
    void GoHistory(bool back);
    void NewItem(TPageSuper& active, int32_t insertBeforeId);
    void EditItem(TPageSuper& active);
    void ShowProperties(TPageSuper& active);
    void SetViewStyle(TPageSuper& active, uint8_t style);
    void DeleteItems(TPageSuper& active, bool remove);

    // IDeleteSite: the history forgets deleted pages; the rest goes to the site.
    bool Confirm(std::u16string_view question) override { return FSite.Confirm(question); }
    void ForgetPage(int32_t pageId) override { FHistory.Remove(pageId); }
    void ShowProgress(std::u16string_view text, std::u16string_view name) override {
        FSite.ShowProgress(text, name);
    }
    void HideProgress() override {}  // after each item; the site hears the end of all
    bool EscapeHeld() override { return FSite.EscapeHeld(); }
    void ShowNotice(std::u16string_view text) override { FSite.ShowNotice(text); }

    ISpaceSite& FSite;
    THistory FHistory;
    TknIntList FSelection;
};

// After a page's view changed (its view style, its properties): PageViewChanged, or when the
// page now needs another client ClientKindChanged, PageViewChanged and PageActivated.
void RefreshPageView(TPageSuper& page, int oldClientKind);

}  // namespace qb
