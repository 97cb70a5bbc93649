#pragma once

// Virtual-key codes (the numbers the hotkey words carry) against the keys of X11 and Qt. One
// table holds every key the hotkey controls and the paste handler can produce, so a key that
// can be chosen can also be grabbed and synthesized.

#include <cstdint>

#include "shell/UVirtualKeys.h"
#include "shell/UknHotKeyCenter.h"

namespace qb {

struct TknKeyMapping {
    uint8_t VirtualKey;
    uint32_t KeySym;  // X11 keysym
    int QtKey;        // Qt::Key, 0 when Qt has no key of its own for it
};

// The table, in virtual-key order; Count gives its length.
const TknKeyMapping* KeyMappings(int& count);

// The X11 keysym of a virtual key; 0 for a code the table does not hold.
uint32_t VirtualKeyToKeySym(uint32_t virtualKey);
// The virtual key of a Qt key (as QKeyEvent::key() gives it; keypad keys need keypad set);
// 0 when there is none.
uint8_t VirtualKeyFromQtKey(int qtKey, bool keypad = false);
// The Qt key of a virtual key, 0 when there is none.
int VirtualKeyToQtKey(uint32_t virtualKey);
// Shift, Ctrl, Alt, Meta, AltGr, the lock keys, and keys Qt does not know.
bool IsModifierQtKey(int qtKey);

// Platform hotkey modifiers (modAlt, modControl, modShift) as an X11 modifier mask.
uint32_t HotKeyModifiersToXMask(uint32_t modifiers);

}  // namespace qb
