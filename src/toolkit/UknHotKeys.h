#pragma once

// System-wide hotkeys on X11: each hotkey is grabbed on the root window four times (as it is,
// with NumLock, with CapsLock and with both, so the lock keys do not hide it), and key presses
// are read by one native event filter that lets every event through. A key another program
// holds already (BadAccess) is refused. Without X11 nothing is grabbed and every registration
// is refused.

#include <cstdint>
#include <functional>
#include <map>
#include <memory>

#include "shell/UknHotKeyCenter.h"
#include "toolkit/UknX11.h"

namespace qb {

class TknX11HotKeyPlatform : public IHotKeyPlatform {
  public:
    // Presses go to `dispatch`; by default to the program's hotkey center when it exists,
    // where an error raised by the hotkey's work is shown in a message box afterwards (it
    // must not unwind through the event filter). The display is Qt's (whose events the filter
    // reads); tests may pass a connection of their own.
    explicit TknX11HotKeyPlatform(std::function<void(int32_t id)> dispatch = {},
                                  Display* display = QtX11Display());
    ~TknX11HotKeyPlatform() override;  // ungrabs everything
    TknX11HotKeyPlatform(const TknX11HotKeyPlatform&) = delete;
    TknX11HotKeyPlatform& operator=(const TknX11HotKeyPlatform&) = delete;

    // False without X11, for a key the key table does not hold, a key the keyboard lacks, or
    // a key grabbed by another program. Registering a present id replaces it.
    bool RegisterHotKey(int32_t id, uint32_t modifiers, uint32_t virtualKey) override;
    void UnregisterHotKey(int32_t id) override;

    bool Available() const { return FDisplay != nullptr; }
    int Count() const { return static_cast<int>(FKeys.size()); }

    // A key press as the event filter sees it (X keycode and modifier state); true when it
    // was one of the grabbed hotkeys (it was dispatched). `grabbed`: it came through the grab
    // on the root window, which then holds the whole keyboard until the key is up again; the
    // grab is let go before dispatching, so that the keys the hotkey's work sends (a copy, a
    // paste) reach the program in front rather than this one.
    bool KeyPressed(uint32_t keyCode, uint32_t state, bool grabbed = false);

  private:
    struct TGrab {
        uint32_t KeyCode;
        uint32_t Mask;  // X modifier mask without the lock keys
    };
    class TEventFilter;

    void Ungrab(const TGrab& grab);

    std::function<void(int32_t)> FDispatch;
    Display* FDisplay;
    std::map<int32_t, TGrab> FKeys;
    std::unique_ptr<TEventFilter> FFilter;
};

}  // namespace qb
