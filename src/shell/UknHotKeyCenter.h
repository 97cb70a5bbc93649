#pragma once

// System-wide hotkeys. Owners register hotkeys under ids of their own; the center keeps them
// in reusable slots and registers slot i with the platform as id 1000 + i.

#include <cstdint>
#include <vector>

#include "shell/UknClasses.h"

namespace qb {

// Platform modifiers, converted from a hotkey word's high byte.
enum THotKeyModifier : uint32_t { modAlt = 1, modControl = 2, modShift = 4 };
uint32_t HotKeyModifiers(uint16_t hotKey);  // shift 1 -> modShift, control 2, alt 4
inline uint32_t HotKeyVirtualKey(uint16_t hotKey) {
    return hotKey & 0xFFu;
}

class IHotKeyPlatform {
  public:
    virtual ~IHotKeyPlatform() = default;
    // Presses go to DispatchHotKey(id). A refusal (key taken by another program) is not fatal.
    virtual bool RegisterHotKey(int32_t id, uint32_t modifiers, uint32_t virtualKey) = 0;
    virtual void UnregisterHotKey(int32_t id) = 0;
};

constexpr int32_t kHotKeyIdBase = 1000;

class TknHotKeyCenter {
  public:
    explicit TknHotKeyCenter(IHotKeyPlatform& platform) : FPlatform(platform) {}
    ~TknHotKeyCenter();  // unregisters every occupied slot
    TknHotKeyCenter(const TknHotKeyCenter&) = delete;
    TknHotKeyCenter& operator=(const TknHotKeyCenter&) = delete;

    // Replaces the owner's hotkey `id`; hotkey 0 only removes it. Takes the lowest free slot.
    void AddHotKey(IHotkeyOwner* owner, uint32_t id, uint16_t hotKey);
    void RemoveHotKey(IHotkeyOwner* owner, uint32_t id);
    void RemoveOwner(IHotkeyOwner* owner);  // owners call it in their destructors
    // Calls the slot's owner with its id and hotkey word; free or unknown slots are ignored.
    void DispatchHotKey(int32_t platformId);

    // The platform id the owner's hotkey `id` is registered under, -1 when none.
    int32_t PlatformId(const IHotkeyOwner* owner, uint32_t id) const;
    int SlotCount() const { return static_cast<int>(FSlots.size()); }

  private:
    struct TSlot {
        uint32_t Id = 0;
        IHotkeyOwner* Owner = nullptr;  // null: free
        uint16_t HotKey = 0;
    };
    int SlotOf(const IHotkeyOwner* owner, uint32_t id) const;
    void FreeSlot(int index);

    IHotKeyPlatform& FPlatform;
    std::vector<TSlot> FSlots;
};

// The program's hotkey center over the platform set with SetHotKeyPlatform (not owned;
// without one, registrations keep their slots and no key ever fires).
TknHotKeyCenter& HotKeyCenter();
TknHotKeyCenter* ExistingHotKeyCenter();
void SetHotKeyPlatform(IHotKeyPlatform* platform);  // releases the current center
void ReleaseHotKeyCenter();

}  // namespace qb
