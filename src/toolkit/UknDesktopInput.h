#pragma once

// The desktop around the program over Qt and X11: the clipboard, the window in front
// (_NET_ACTIVE_WINDOW, or the window holding the focus when no window manager names one), the
// PRIMARY selection, the keyboard state (XQueryKeymap) and synthetic keys (XTest). Without
// X11 the clipboard still works, no key is held, keys go nowhere and no window is known.

#include "shell/UDesktopInput.h"

namespace qb {

class TknDesktopInput : public IDesktopInput {
  public:
    std::u16string ClipboardText() override;
    void SetClipboardText(std::u16string_view text) override;
    // The PRIMARY selection: what is selected in any program, without a copy.
    std::u16string PrimarySelection() override;

    // Shift, Control and Alt count either key of the pair.
    bool KeyHeld(uint8_t virtualKey) override;
    void SendKey(uint8_t virtualKey, bool down) override;
    // Keeps the program's events running meanwhile.
    void Pause(uint32_t milliseconds) override;

    uint64_t ForegroundWindow() override;
    void SetForegroundWindow(uint64_t window) override;
    // X11 has no caret query: the mouse position.
    void PopupPoint(int32_t& x, int32_t& y) override;

    // Whether the X window belongs to this program (one of its top-level windows).
    static bool IsOwnWindow(uint64_t window);
};

}  // namespace qb
