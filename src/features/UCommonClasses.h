#pragma once

// The machinery the handlers of item lists share (clipboard, templates, fast links): a popup
// menu of the page's items on a global hotkey, digit hotkeys 1 to 9 that choose an item at
// once, and, for the handlers that paste, the rule that item commands need a target program.

#include <cstdint>
#include <string>
#include <vector>

#include "model/USysPageHandler.h"
#include "shell/UDesktopInput.h"
#include "shell/UknClasses.h"

namespace qb {

class TPasteHandler;
struct TOptions;

// One entry of an item popup: the command choosing it and its caption ("1.\tname").
struct TPopupItem {
    int32_t CommandId;
    std::u16string Caption;
    bool operator==(const TPopupItem&) const = default;
};

struct TPopupPlace {
    int32_t X;  // the caret's place (or the mouse's) when AtCaret; else the GUI takes the mouse
    int32_t Y;
    bool AtCaret;    // at the caret of the program in front (else at the mouse)
    bool TakeFocus;  // the main window comes to the front for the menu
};

// The GUI's popup menu. Shows the items and answers the chosen command id, 0 when none was
// chosen.
class IItemPopup {
  public:
    virtual ~IItemPopup() = default;
    virtual int32_t Popup(const std::vector<TPopupItem>& items, const TPopupPlace& place) = 0;
};

// Pops up the items of one list handler and runs the chosen command through the command
// center. Without a popup (no GUI) nothing is shown.
class TPopupHandler {
  public:
    TPopupHandler(IDesktopInput& desktop, IItemPopup* popup);

    // The items the list providers give for the list of this item-command base.
    static std::vector<TPopupItem> Items(int32_t itemCommandBase);
    // At the caret: the window in front gets the focus back afterwards, unless the menu was
    // asked not to take it ("PopupMenuNoFocus").
    void Popup(int32_t itemCommandBase, bool atCaret);

    IDesktopInput& Desktop() const { return FDesktop; }

  private:
    IDesktopInput& FDesktop;
    IItemPopup* FPopup;
};

// Which option holds the popup hotkey of a handler, and which enables its digit hotkeys.
struct TSubHotKeyOptions {
    uint16_t HotKey;
    bool ItemHotKeysEnabled;
};
using TSubHotKeyOptionsOf = TSubHotKeyOptions (*)(const TOptions& options);

// The popup hotkey (id 0) and, when enabled and the popup hotkey has a modifier, the digits
// 1 to 9 with the same modifiers (ids 1 to 9), re-registered on every options change.
class THandlerWithSubHotKey : public TSysListPageHandler,
                              public IOptionObserver,
                              public IHotkeyOwner {
  public:
    THandlerWithSubHotKey(int32_t parentId, uint8_t pageType, int32_t captionId, int32_t commandId,
                          int32_t itemCommandBase, TPopupHandler& popup,
                          TSubHotKeyOptionsOf options);
    ~THandlerWithSubHotKey() override;

    virtual bool PopupAtCaret() const { return false; }    // 8
    virtual void PasteItem(int32_t itemId) = 0;            // 9
    void OptionChanged() override;                         // 10
    void OnHotkey(uint32_t id, uint16_t hotKey) override;  // 11

    // With Shift held (not Ctrl or Alt) every item from the index down to the first, in this
    // order; otherwise the one item. An index beyond the last item does nothing.
    void ActivateItem(int index) override;

  protected:
    TPopupHandler& Popups() const { return FPopup; }

  private:
    TPopupHandler& FPopup;
    TSubHotKeyOptionsOf FOptions;
};

class THandlerWithPaste : public THandlerWithSubHotKey {
  public:
    THandlerWithPaste(int32_t parentId, uint8_t pageType, int32_t captionId, int32_t commandId,
                      int32_t itemCommandBase, TPopupHandler& popup, TPasteHandler& paste,
                      TSubHotKeyOptionsOf options);

    bool PopupAtCaret() const override { return true; }
    // Item commands need a program to paste into: disabled while the program itself is in
    // front and its active page is not a text in the editor.
    bool CheckCommand(int32_t id) override;

  protected:
    TPasteHandler& Paster() const { return FPaste; }

  private:
    TPasteHandler& FPaste;
};

}  // namespace qb
