#pragma once

// The global hotkeys that list items carry (links, templates), keyed by item id. They are a
// hotkey owner of their own, so that item ids never collide with the ids a handler uses for
// its popup and digit hotkeys.

#include <cstdint>
#include <functional>

#include "model/UPageSuper.h"
#include "shell/UknClasses.h"

namespace qb {

class TItemHotKeys : public IHotkeyOwner {
  public:
    using THotKeyOf = std::function<uint16_t(TPageSuper& item)>;
    using TPressed = std::function<void(TPageSuper& item, uint16_t hotKey)>;

    // Registers the hotkey of every item of the type in the store that has one.
    TItemHotKeys(uint8_t itemType, THotKeyOf hotKeyOf, TPressed pressed);
    ~TItemHotKeys() override;  // unregisters them all
    TItemHotKeys(const TItemHotKeys&) = delete;
    TItemHotKeys& operator=(const TItemHotKeys&) = delete;

    // Replaces the item's hotkey; 0 only removes it.
    void Set(int32_t itemId, uint16_t hotKey);
    void Remove(int32_t itemId);

    // Calls `pressed` for an item of the type that still exists; the hotkey of one that has
    // gone is given up.
    void OnHotkey(uint32_t id, uint16_t hotKey) override;

  private:
    uint8_t FItemType;
    TPressed FPressed;
};

}  // namespace qb
