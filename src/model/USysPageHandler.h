#pragma once

// Handlers of the program's own pages: each one finds or creates its singleton page under a
// parent, keeps the page's name in the interface language, opens the page on its command and,
// for list pages, offers the page's items as a numbered menu list.

#include <cstdint>
#include <string>

#include "shell/UknClasses.h"

namespace qb {

class TPageSuper;

inline constexpr int32_t kNoCommand = 0;
// A list handler acts on the item commands base + 1 to base + kMaxListItems.
inline constexpr int32_t kMaxListItems = 499;

class TSysPageHandlerSuper : public ICommandExecutor, public ILangObserver {
  public:
    // Finds the page of the type in the store, or creates it owned by the parent, then
    // registers with the command and language centers.
    TSysPageHandlerSuper(int32_t parentId, uint8_t pageType, int32_t captionId, int32_t commandId);
    ~TSysPageHandlerSuper() override;
    TSysPageHandlerSuper(const TSysPageHandlerSuper&) = delete;
    TSysPageHandlerSuper& operator=(const TSysPageHandlerSuper&) = delete;

    uint8_t PageType() const { return FPageType; }
    int32_t CaptionId() const { return FCaptionId; }
    int32_t CommandId() const { return FCommandId; }
    int32_t PageId() const { return FPageId; }
    // Whether the page was made by this handler (the notebook had none of the type).
    bool Created() const { return FCreated; }
    int32_t ParentId() const { return FParentId; }
    TPageSuper* Page() const;

    bool CheckCommand(int32_t id) override;  // always enabled
    void ExecuteCommand(int32_t id) override;
    void LanguageChanged() override;

    // Lists the page among its parent's children (at the end, unless it is there) and makes it
    // the active page.
    virtual void OpenPage();

  private:
    uint8_t FPageType;
    int32_t FCaptionId;
    int32_t FCommandId;
    int32_t FParentId;
    bool FCreated;
    int32_t FPageId;
};

// A handler whose page's items fill a menu list: item i (0-based) is command base + i + 1.
class TSysListPageHandler : public TSysPageHandlerSuper, public IListProvider {
  public:
    TSysListPageHandler(int32_t parentId, uint8_t pageType, int32_t captionId, int32_t commandId,
                        int32_t itemCommandBase);
    ~TSysListPageHandler() override;

    int32_t ItemCommandBase() const { return FItemCommandBase; }
    void ExecuteCommand(int32_t id) override;
    // The menu captions of the page's items, in list order, for this handler's list only.
    void GetListItems(int32_t listId, TknStrList& texts) override;
    // The abstract of the item an item command stands for.
    bool GetItemTip(int32_t id, int& index, int maxLength, std::u16string& tip) override;
    // Does what choosing the item does; an index beyond the last item does nothing.
    virtual void ActivateItem(int index) = 0;

    // "n.", or ".n" from 10 on, or the item's abbreviation and "."; then a tab and the name.
    static std::u16string ItemCaption(TPageSuper& item, int number);

  protected:
    // The page's items: its children as the page computes them.
    void GetItemIds(TknIntList& ids) const;
    bool IsItemCommand(int32_t id) const;

  private:

    int32_t FItemCommandBase;
};

// Lists of pages (favorites, recent lists): choosing an item makes that page the active page.
class TSysPageContainerHandler : public TSysListPageHandler {
  public:
    using TSysListPageHandler::TSysListPageHandler;
    void ActivateItem(int index) override;
};

class TGroupRootHandler : public TSysPageHandlerSuper {
  public:
    explicit TGroupRootHandler(int32_t parentId);
};

}  // namespace qb
