#include "model/USysPageHandler.h"

#include "foundation/UknStrUtils.h"
#include "model/UPageFactory.h"
#include "model/UPageProperty.h"
#include "model/UPageSuper.h"
#include "shell/ULangManager.h"
#include "storage/UPageStore.h"

namespace qb {

namespace {

bool HasPageOfType(uint8_t pageType) {
    int32_t id;
    return GetStore().FindFirstOfType(pageType, id);
}

}  // namespace

// --- TSysPageHandlerSuper ---

TSysPageHandlerSuper::TSysPageHandlerSuper(int32_t parentId, uint8_t pageType, int32_t captionId,
                                           int32_t commandId)
    : FPageType(pageType),
      FCaptionId(captionId),
      FCommandId(commandId),
      FParentId(parentId),
      FCreated(!HasPageOfType(pageType)),
      FPageId(GetStore().NewPage(parentId, pageType)) {  // a singleton's existing page, if any
    CommandCenter().AddExecutor(this);
    LangManager().AddObserver(this);
}

TSysPageHandlerSuper::~TSysPageHandlerSuper() {
    if (TLangManager* lang = ExistingLangManager()) lang->RemoveObserver(this);
    if (TknCommandCenter* commands = ExistingCommandCenter()) commands->RemoveExecutor(this);
}

TPageSuper* TSysPageHandlerSuper::Page() const {
    return GetStore().GetPage(FPageId);
}

bool TSysPageHandlerSuper::CheckCommand(int32_t) {
    return true;
}

void TSysPageHandlerSuper::ExecuteCommand(int32_t id) {
    if (FCommandId != kNoCommand && id == FCommandId) OpenPage();
}

void TSysPageHandlerSuper::LanguageChanged() {
    if (TPageSuper* page = Page()) page->SetName(LangText(FCaptionId));
}

void TSysPageHandlerSuper::OpenPage() {
    TPageStore& store = GetStore();
    TPageSuper* page = store.GetPage(FPageId);
    if (!page) return;
    if (TPageSuper* parent = store.GetPage(FParentId))
        if (TPageChilds* childs = parent->Childs()) childs->AddChild(FPageId);
    PageCenter().SetActivePage(page);
}

// --- TSysListPageHandler ---

TSysListPageHandler::TSysListPageHandler(int32_t parentId, uint8_t pageType, int32_t captionId,
                                         int32_t commandId, int32_t itemCommandBase)
    : TSysPageHandlerSuper(parentId, pageType, captionId, commandId),
      FItemCommandBase(itemCommandBase) {
    ListCenter().AddProvider(this);
}

TSysListPageHandler::~TSysListPageHandler() {
    if (TknListCenter* lists = ExistingListCenter()) lists->RemoveProvider(this);
}

bool TSysListPageHandler::IsItemCommand(int32_t id) const {
    return id > FItemCommandBase && id <= FItemCommandBase + kMaxListItems;
}

void TSysListPageHandler::ExecuteCommand(int32_t id) {
    if (IsItemCommand(id))
        ActivateItem(id - FItemCommandBase - 1);
    else
        TSysPageHandlerSuper::ExecuteCommand(id);
}

void TSysListPageHandler::GetItemIds(TknIntList& ids) const {
    ids.Clear();
    if (TPageSuper* page = Page()) page->GetChildIds(ids);
}

void TSysListPageHandler::GetListItems(int32_t listId, TknStrList& texts) {
    if (listId != FItemCommandBase) return;
    TknIntList ids;
    GetItemIds(ids);
    TPageStore& store = GetStore();
    int number = 0;
    for (int i = 0; i < ids.Count() && number < kMaxListItems; ++i)
        if (TPageSuper* item = store.GetPage(ids.Items(i))) texts.Add(ItemCaption(*item, ++number));
}

bool TSysListPageHandler::GetItemTip(int32_t id, int& index, int maxLength, std::u16string& tip) {
    if (!IsItemCommand(id)) return false;
    TknIntList ids;
    GetItemIds(ids);
    int at = id - FItemCommandBase - 1;
    TPageSuper* item = at < ids.Count() ? GetStore().GetPage(ids.Items(at)) : nullptr;
    if (!item) return false;
    index = at;
    tip = item->GetAbstract();
    if (maxLength >= 0) tip = CutAt(tip, size_t(maxLength));
    return true;
}

std::u16string TSysListPageHandler::ItemCaption(TPageSuper& item, int number) {
    std::u16string abbrev = item.GetFieldText(fiAbbrev);
    std::u16string head;
    if (!abbrev.empty())
        head = abbrev + u".";
    else if (number <= 9)
        head = IntToStr(number) + u".";
    else
        head = u"." + IntToStr(number);
    return head + u"\t" + item.Name();
}

// --- TSysPageContainerHandler ---

void TSysPageContainerHandler::ActivateItem(int index) {
    TknIntList ids;
    GetItemIds(ids);
    if (index < 0 || index >= ids.Count()) return;
    if (TPageSuper* page = GetStore().GetPage(ids.Items(index))) PageCenter().SetActivePage(page);
}

// --- TGroupRootHandler ---

TGroupRootHandler::TGroupRootHandler(int32_t parentId)
    : TSysPageHandlerSuper(parentId, ptGroupRoot, 25900, kNoCommand) {}

}  // namespace qb
