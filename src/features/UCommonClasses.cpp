#include "features/UCommonClasses.h"

#include "features/UPasteHandler.h"
#include "model/UPageFactory.h"
#include "model/UPageSuper.h"
#include "shell/UOptionManager.h"
#include "shell/UVirtualKeys.h"
#include "shell/UknHotKeyCenter.h"

namespace qb {

namespace {

constexpr uint32_t kPopupHotKeyId = 0;  // the digit hotkeys are 1 to 9
constexpr uint16_t kModifierBits = 0xFF00;

}  // namespace

// --- TPopupHandler ---

TPopupHandler::TPopupHandler(IDesktopInput& desktop, IItemPopup* popup)
    : FDesktop(desktop), FPopup(popup) {}

std::vector<TPopupItem> TPopupHandler::Items(int32_t itemCommandBase) {
    TknStrList texts;
    ListCenter().GetListItems(itemCommandBase, texts);
    std::vector<TPopupItem> items;
    items.reserve(texts.Count());
    for (int i = 0; i < texts.Count(); ++i)
        items.push_back({itemCommandBase + i + 1, texts.Items(i)});
    return items;
}

void TPopupHandler::Popup(int32_t itemCommandBase, bool atCaret) {
    std::vector<TPopupItem> items = Items(itemCommandBase);
    if (!FPopup || items.empty()) return;
    TPopupPlace place{0, 0, atCaret, !atCaret || !OptionManager().PopupMenuNoFocus};
    uint64_t front = 0;
    if (atCaret) {
        front = FDesktop.ForegroundWindow();
        FDesktop.PopupPoint(place.X, place.Y);
    }
    int32_t chosen = FPopup->Popup(items, place);
    if (place.TakeFocus && front != 0) FDesktop.SetForegroundWindow(front);
    if (chosen != 0) CommandCenter().ExecuteCommand(chosen);
}

// --- THandlerWithSubHotKey ---

THandlerWithSubHotKey::THandlerWithSubHotKey(int32_t parentId, uint8_t pageType, int32_t captionId,
                                             int32_t commandId, int32_t itemCommandBase,
                                             TPopupHandler& popup, TSubHotKeyOptionsOf options)
    : TSysListPageHandler(parentId, pageType, captionId, commandId, itemCommandBase),
      FPopup(popup),
      FOptions(options) {
    OptionManager().AddObserver(this);
}

THandlerWithSubHotKey::~THandlerWithSubHotKey() {
    if (TknHotKeyCenter* center = ExistingHotKeyCenter()) center->RemoveOwner(this);
    if (TOptionManager* options = ExistingOptionManager()) options->RemoveObserver(this);
}

void THandlerWithSubHotKey::OptionChanged() {
    const TSubHotKeyOptions options = FOptions(OptionManager().Options());
    TknHotKeyCenter& center = HotKeyCenter();
    center.AddHotKey(this, kPopupHotKeyId, options.HotKey);
    const uint16_t modifiers = options.HotKey & kModifierBits;
    const bool digits = options.ItemHotKeysEnabled && modifiers != 0;
    for (uint32_t n = 1; n <= 9; ++n)
        center.AddHotKey(this, n, digits ? static_cast<uint16_t>(modifiers | ('0' + n)) : 0);
}

void THandlerWithSubHotKey::OnHotkey(uint32_t id, uint16_t) {
    if (id == kPopupHotKeyId)
        FPopup.Popup(ItemCommandBase(), PopupAtCaret());
    else if (id <= 9)
        ActivateItem(static_cast<int>(id) - 1);
}

void THandlerWithSubHotKey::ActivateItem(int index) {
    TknIntList ids;
    GetItemIds(ids);
    if (index < 0 || index >= ids.Count()) return;
    IDesktopInput& desktop = FPopup.Desktop();
    const bool run =
        desktop.KeyHeld(vkShift) && !desktop.KeyHeld(vkControl) && !desktop.KeyHeld(vkAlt);
    for (int i = index; i >= (run ? 0 : index); --i) PasteItem(ids.Items(i));
}

// --- THandlerWithPaste ---

THandlerWithPaste::THandlerWithPaste(int32_t parentId, uint8_t pageType, int32_t captionId,
                                     int32_t commandId, int32_t itemCommandBase,
                                     TPopupHandler& popup, TPasteHandler& paste,
                                     TSubHotKeyOptionsOf options)
    : THandlerWithSubHotKey(parentId, pageType, captionId, commandId, itemCommandBase, popup,
                            options),
      FPaste(paste) {}

bool THandlerWithPaste::CheckCommand(int32_t id) {
    if (!IsItemCommand(id)) return THandlerWithSubHotKey::CheckCommand(id);
    const bool ownWindowInFront = FPaste.Desktop().ForegroundWindow() == 0;
    const TPageSuper* active = PageCenter().ActivePage();
    return !ownWindowInFront || (active && active->ClientKind() == ckEditor);
}

}  // namespace qb
