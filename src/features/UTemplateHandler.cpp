#include "features/UTemplateHandler.h"

#include "foundation/UknFunctions.h"
#include "shell/UOptionManager.h"
#include "shell/UknHotKeyCenter.h"
#include "storage/UPageStore.h"

namespace qb {

namespace {

constexpr uint32_t kKeyUpPause = 10;  // ms

ITemplatePasteSite* gPasteSite = nullptr;

TTemplateItem* TemplateItem(int32_t id) {
    return dynamic_cast<TTemplateItem*>(GetStore().GetPage(id));
}

}  // namespace

void SetTemplatePasteSite(ITemplatePasteSite* site) {
    gPasteSite = site;
}

TTemplateHandler::TTemplateHandler()
    : FHotKeys(
          ptTemplateItem,
          [](TPageSuper& item) { return static_cast<TTemplateItem&>(item).Template().HotKey; },
          [this](TPageSuper& item, uint16_t hotKey) {
              ItemHotKeyPressed(static_cast<TTemplateItem&>(item), hotKey);
          }) {
    EventCenter().AddObserver(this);
}

TTemplateHandler::~TTemplateHandler() {
    if (TknEventCenter* events = ExistingEventCenter()) events->RemoveObserver(this);
}

uint16_t TTemplateHandler::PopupHotKey() {
    return OptionManager().TemplateHotKey;
}

bool TTemplateHandler::ItemHotKeysEnabled() {
    return OptionManager().EnableTemplItemHotKey;
}

void TTemplateHandler::EventNotify(int32_t event, int32_t wparam, int32_t lparam) {
    if (event == evTemplateHotKeySet)
        FHotKeys.Set(wparam, static_cast<uint16_t>(lparam));
    else if (event == evTemplateItemDeleted)
        FHotKeys.Remove(wparam);
}

void TTemplateHandler::PasteItem(int32_t itemId) {
    TTemplateItem* item = TemplateItem(itemId);
    if (item && gPasteSite) gPasteSite->Paste(ExpandPattern(item->Template().Text), true);
}

void TTemplateHandler::ItemHotKeyPressed(TTemplateItem& item, uint16_t hotKey) {
    if (gPasteSite) {
        auto release = [](uint8_t key) {
            gPasteSite->KeyUp(key);
            gPasteSite->Pause(kKeyUpPause);
        };
        release(static_cast<uint8_t>(HotKeyVirtualKey(hotKey)));
        for (uint8_t modifier : {vkAlt, vkControl, vkShift})
            if (gPasteSite->KeyHeld(modifier)) release(modifier);
    }
    PasteItem(item.Id());
}

}  // namespace qb
