#pragma once

// In-memory stand-ins for the platform services of the shell, for tests of every layer and for
// running without a display: timers over a clock that only moves when told, hotkeys pressed by
// hand, a screen of fixed size and an options dialog that runs a given edit.

#include <cstdint>
#include <functional>
#include <map>
#include <set>
#include <vector>

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

}  // namespace qb
