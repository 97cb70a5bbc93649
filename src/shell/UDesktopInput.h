#pragma once

// The desktop around the program as pasting and popping up item menus need it: the clipboard,
// the program in front, and synthetic key events. The toolkit implements it over Qt, X11 and
// XTest; tests use TMemoryDesktopInput (shell/UInMemoryPlatform.h), which records every call.

#include <cstdint>
#include <string>
#include <string_view>

namespace qb {

// Key codes are the virtual-key numbers the hotkey words use (VK_RETURN 13, VK_SHIFT 16, 'V' 86,
// VK_LEFT 37, ...); the platform maps them to its own key codes.
class IDesktopInput {
  public:
    virtual ~IDesktopInput() = default;

    virtual std::u16string ClipboardText() = 0;
    virtual void SetClipboardText(std::u16string_view text) = 0;
    // The text selected in any program, where the platform keeps it apart from the clipboard
    // (the PRIMARY selection of X11); empty when it keeps none.
    virtual std::u16string PrimarySelection() = 0;

    virtual bool KeyHeld(uint8_t virtualKey) = 0;
    virtual void SendKey(uint8_t virtualKey, bool down) = 0;
    // Lets the program in front take the events sent so far (a few milliseconds).
    virtual void Pause(uint32_t milliseconds) = 0;

    // The window in front, 0 when none is known; the program's own windows count as 0.
    virtual uint64_t ForegroundWindow() = 0;
    virtual void SetForegroundWindow(uint64_t window) = 0;
    // Where a popup of items opens: the caret of the program in front, else the mouse.
    virtual void PopupPoint(int32_t& x, int32_t& y) = 0;
};

}  // namespace qb
