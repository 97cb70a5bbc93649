#include "views/UEditBox.h"

#include "foundation/UknFunctions.h"
#include "model/UPageFactory.h"
#include "model/UPageProperty.h"
#include "model/UPageSuper.h"
#include "storage/UPageStore.h"

namespace qb {

TEditBoxSuper::TEditBoxSuper(IItemFields& fields, uint8_t itemType, int32_t listPageId,
                             int32_t itemId, int32_t insertBeforeId)
    : FFields(fields),
      FItemType(itemType),
      FListPageId(listPageId),
      FItemId(itemId),
      FInsertBeforeId(insertBeforeId) {}

TPageSuper* TEditBoxSuper::ListPage() const { return GetStore().GetPage(FListPageId); }

void TEditBoxSuper::Refresh() {
    TPageSuper* list = ListPage();
    TknIntList ids;
    if (list) list->GetChildIds(ids);
    TPageSuper* item = IsNew() ? nullptr : GetStore().GetPage(FItemId);
    int position;
    if (item) {
        FFields.LoadItem(*item);
        position = ids.IndexOf(FItemId);
    } else {
        FItemId = -1;
        FFields.ClearForNew();
        position = ids.IndexOf(FInsertBeforeId);
    }
    FFields.ShowPosition(IsNew(), position > 0, position >= 0 && position < ids.Count() - 1);
}

bool TEditBoxSuper::Save() {
    if (!FFields.FieldsValid()) return false;
    TPageSuper* list = ListPage();
    if (!list || !list->Childs()) return false;
    TPageStore& store = GetStore();
    if (IsNew()) {
        FItemId = store.NewPage(list->Id(), FItemType);
        list->Childs()->AddChild(FItemId, FInsertBeforeId);
    }
    TPageSuper* item = store.GetPage(FItemId);
    if (!item) return false;
    FFields.SaveItem(*item);
    PageCenter().Notify(pePageChanged, FItemId);
    return true;
}

bool TEditBoxSuper::Step(int delta) {
    if (!Save()) return false;
    TknIntList ids;
    ListPage()->GetChildIds(ids);
    const int index = ids.IndexOf(FItemId) + delta;
    if (index < 0 || index >= ids.Count()) return false;
    FItemId = ids.Items(index);
    Refresh();
    return true;
}

bool TEditBoxSuper::SaveAndNew() {
    if (!Save()) return false;
    FItemId = -1;
    FInsertBeforeId = -1;
    Refresh();
    return true;
}

std::u16string ItemIconPath(const TPageSuper& item) {
    return item.IconFile().empty() ? std::u16string()
                                   : MakeAbsolute(item.IconFile(), ProgramFolder());
}

}  // namespace qb
