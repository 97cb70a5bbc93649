#include "features/UItemHotKeys.h"

#include "shell/UknHotKeyCenter.h"
#include "storage/UPageStore.h"

namespace qb {

TItemHotKeys::TItemHotKeys(uint8_t itemType, THotKeyOf hotKeyOf, TPressed pressed)
    : FItemType(itemType), FPressed(std::move(pressed)) {
    TPageStore& store = GetStore();
    TknIntList ids;
    store.GetIdsOfType(itemType, ids);
    for (int i = 0; i < ids.Count(); ++i)
        if (TPageSuper* item = store.GetPage(ids.Items(i))) Set(item->Id(), hotKeyOf(*item));
}

TItemHotKeys::~TItemHotKeys() {
    if (TknHotKeyCenter* center = ExistingHotKeyCenter()) center->RemoveOwner(this);
}

void TItemHotKeys::Set(int32_t itemId, uint16_t hotKey) {
    if (itemId < 0) return;
    if (hotKey == 0 && !ExistingHotKeyCenter()) return;
    HotKeyCenter().AddHotKey(this, static_cast<uint32_t>(itemId), hotKey);
}

void TItemHotKeys::Remove(int32_t itemId) {
    if (TknHotKeyCenter* center = ExistingHotKeyCenter(); center && itemId >= 0)
        center->RemoveHotKey(this, static_cast<uint32_t>(itemId));
}

void TItemHotKeys::OnHotkey(uint32_t id, uint16_t hotKey) {
    auto itemId = static_cast<int32_t>(id);
    TPageSuper* item = GetStore().GetPage(itemId);
    if (item && item->PageType() == FItemType)
        FPressed(*item, hotKey);
    else
        Remove(itemId);  // deleted without the event that gives its key back
}

}  // namespace qb
