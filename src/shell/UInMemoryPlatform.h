#pragma once

// In-memory stand-ins for the platform services of the shell, for tests of every layer and for
// running without a display: timers over a clock that only moves when told, hotkeys pressed by
// hand, a screen of fixed size, an options dialog that runs a given edit, and a desktop that
// records the keys and clipboard texts sent to it.

#include <cstdint>
#include <functional>
#include <map>
#include <set>
#include <string>
#include <vector>

#include "shell/UDesktopInput.h"
#include "shell/UMemoryManager.h"
#include "shell/UOptionManager.h"
#include "shell/UknHotKeyCenter.h"
#include "shell/UknTimerCenter.h"

namespace qb {

// Periodic timers over a virtual clock in milliseconds. Ticks go to `dispatch`, by default the
// program's timer center.
class TMemoryTimerPlatform : public ITimerPlatform {
  public:
    explicit TMemoryTimerPlatform(std::function<void(uint32_t id)> dispatch = {});

    void SetTimer(uint32_t id, uint32_t interval) override;
    void KillTimer(uint32_t id) override;

    // Moves the clock forward, delivering every tick that falls due on the way in time order
    // (ties by id). Handlers may set and kill timers meanwhile.
    void Advance(uint64_t milliseconds);
    uint64_t Now() const { return FNow; }
    bool IsSet(uint32_t id) const { return FTimers.count(id) != 0; }
    uint32_t IntervalOf(uint32_t id) const;  // 0 when not set
    int SetCount() const { return static_cast<int>(FTimers.size()); }

  private:
    struct TEntry {
        uint32_t Interval;
        uint64_t Due;
    };
    std::function<void(uint32_t)> FDispatch;
    std::map<uint32_t, TEntry> FTimers;
    uint64_t FNow = 0;
};

class TMemoryHotKeyPlatform : public IHotKeyPlatform {
  public:
    struct TRegistration {
        uint32_t Modifiers;
        uint32_t VirtualKey;
    };

    bool RegisterHotKey(int32_t id, uint32_t modifiers, uint32_t virtualKey) override;
    void UnregisterHotKey(int32_t id) override;

    // Keys "taken by another program": registering them fails.
    std::set<std::pair<uint32_t, uint32_t>> Taken;
    // Registered ids and their keys (refused registrations are not listed).
    std::map<int32_t, TRegistration> Registered;
    // Presses a key: every registered id with these modifiers and key reaches the program's
    // hotkey center. Returns how many did.
    int Press(uint32_t modifiers, uint32_t virtualKey);
};

class TFixedScreen : public IScreen {
  public:
    TFixedScreen(int32_t width, int32_t height) : Width(width), Height(height) {}
    int32_t ScreenWidth() override { return Width; }
    int32_t ScreenHeight() override { return Height; }
    int32_t Width;
    int32_t Height;
};

// Runs `Edit` on the dialog's copy and answers its result (no edit: cancelled).
class TScriptedOptionsDialog : public IOptionsDialog {
  public:
    bool Execute(TknWindow* parent, TOptions& options) override;
    std::function<bool(TOptions&)> Edit;
    int Runs = 0;
    bool AutoStartSeen = false;  // AutoStart of the copy the last run was given
};

// A desktop whose program in front is a plain text field: it records every call as a line of
// `Log` ("down Ctrl", "up V", "clipboard Dear", "foreground 7"); Ctrl+C copies `Selection`
// (nothing selected: the clipboard stays), and every clipboard change is also handed to
// `ClipboardChanged` when set, as the platform tells the program of them.
class TMemoryDesktopInput : public IDesktopInput {
  public:
    std::u16string ClipboardText() override { return Clipboard; }
    void SetClipboardText(std::u16string_view text) override;
    std::u16string PrimarySelection() override { return Primary; }
    bool KeyHeld(uint8_t virtualKey) override { return Held.count(virtualKey) != 0; }
    void SendKey(uint8_t virtualKey, bool down) override;
    void Pause(uint32_t milliseconds) override { PausedMs += milliseconds; }
    uint64_t ForegroundWindow() override { return Foreground; }
    void SetForegroundWindow(uint64_t window) override;
    void PopupPoint(int32_t& x, int32_t& y) override;

    // What the program in front received, as one text: each paste (clipboard text and Ctrl+V)
    // as its text, every other key pressed as its name in brackets with the modifiers held
    // ("[Enter]", "[Ctrl+C]"); releases alone are not shown.
    std::u16string Transcript() const;

    std::u16string Clipboard;
    std::u16string Selection;  // what Ctrl+C copies
    std::u16string Primary;    // the selection the platform keeps apart from the clipboard
    std::set<uint8_t> Held;
    uint64_t Foreground = 0;
    int32_t CaretX = -1;  // negative: no caret, the popup goes to the mouse
    int32_t CaretY = -1;
    int32_t MouseX = 0;
    int32_t MouseY = 0;
    std::vector<std::string> Log;
    uint64_t PausedMs = 0;
    std::function<void(std::u16string_view text)> ClipboardChanged;

  private:
    void ChangeClipboard(std::u16string_view text);
    struct TPress {
        std::string Keys;       // "Ctrl+V"
        std::u16string Pasted;  // the clipboard at Ctrl+V
    };
    std::vector<TPress> FPresses;
};

// "Enter", "Tab", "Left", "Ctrl", "V", "F9", ...; unnamed codes as their number "#200".
std::string VirtualKeyName(uint8_t virtualKey);

}  // namespace qb
