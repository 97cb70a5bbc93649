#pragma once

// The template handler: pastes template items into the program in front, with their
// placeholders expanded, from its popup menu, its digit hotkeys and the items' own hotkeys.

#include <cstdint>

#include "features/UCommonClasses.h"
#include "features/UItemHotKeys.h"
#include "features/UTemplatePage.h"
#include "shell/UknClasses.h"

namespace qb {

inline constexpr int32_t evTemplateHotKeySet = 3068;    // wparam: the item, lparam: the hotkey
inline constexpr int32_t evTemplateItemDeleted = 3075;  // wparam: the item

class TTemplateHandler : public THandlerWithPaste, public IEventObserver {
  public:
    static constexpr int32_t CaptionId = 25370;  // "Template"
    static constexpr int32_t CommandId = 1750;   // opens the template page
    static constexpr int32_t ItemCommandBase = 5000;

    // Finds or creates the template page under the parent, registers the hotkey of every
    // template item, then listens to events.
    TTemplateHandler(int32_t parentId, TPopupHandler& popup, TPasteHandler& paste);
    ~TTemplateHandler() override;

    void EventNotify(int32_t event, int32_t wparam, int32_t lparam) override;

    // Pastes the item's text with its placeholders expanded, in template mode; no template
    // item, no paste.
    void PasteItem(int32_t itemId) override;

  private:
    // An item's own hotkey: its key and the held modifiers are released first, so that the
    // receiving program does not take the paste for a shortcut.
    void ItemHotKeyPressed(TTemplateItem& item, uint16_t hotKey);

    TItemHotKeys FHotKeys;
};

}  // namespace qb
