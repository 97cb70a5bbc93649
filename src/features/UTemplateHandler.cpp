#include "features/UTemplateHandler.h"

#include "features/UPasteHandler.h"
#include "foundation/UknFunctions.h"
#include "shell/UOptionManager.h"
#include "shell/UknHotKeyCenter.h"
#include "storage/UPageStore.h"

namespace qb {

namespace {

constexpr uint32_t kKeyUpPause = 10;  // ms

TTemplateItem* TemplateItem(int32_t id) {
    return dynamic_cast<TTemplateItem*>(GetStore().GetPage(id));
}

TSubHotKeyOptions TemplateHotKeys(const TOptions& options) {
    return {options.TemplateHotKey, options.EnableTemplItemHotKey};
}

}  // namespace

TTemplateHandler::TTemplateHandler(int32_t parentId, TPopupHandler& popup, TPasteHandler& paste)
    : THandlerWithPaste(parentId, ptTemplate, CaptionId, CommandId, ItemCommandBase, popup, paste,
                        TemplateHotKeys),
      FHotKeys(
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

void TTemplateHandler::EventNotify(int32_t event, int32_t wparam, int32_t lparam) {
    if (event == evTemplateHotKeySet)
        FHotKeys.Set(wparam, static_cast<uint16_t>(lparam));
    else if (event == evTemplateItemDeleted)
        FHotKeys.Remove(wparam);
}

void TTemplateHandler::PasteItem(int32_t itemId) {
    if (TTemplateItem* item = TemplateItem(itemId))
        Paster().Paste(ExpandPattern(item->Template().Text), true);
}

void TTemplateHandler::ItemHotKeyPressed(TTemplateItem& item, uint16_t hotKey) {
    IDesktopInput& desktop = Paster().Desktop();
    desktop.SendKey(static_cast<uint8_t>(HotKeyVirtualKey(hotKey)), false);
    desktop.Pause(kKeyUpPause);
    ReleaseHeldModifiers(desktop, kKeyUpPause);
    PasteItem(item.Id());
}

}  // namespace qb
