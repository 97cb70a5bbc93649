#include "shell/UknHotKeyCenter.h"

#include <memory>

namespace qb {

uint32_t HotKeyModifiers(uint16_t hotKey) {
    uint32_t flags = hotKey >> 8, modifiers = 0;
    if (flags & 1) modifiers |= modShift;
    if (flags & 2) modifiers |= modControl;
    if (flags & 4) modifiers |= modAlt;
    return modifiers;
}

TknHotKeyCenter::~TknHotKeyCenter() {
    for (int i = 0; i < SlotCount(); ++i)
        if (FSlots[i].Owner) FreeSlot(i);
}

int TknHotKeyCenter::SlotOf(const IHotkeyOwner* owner, uint32_t id) const {
    for (int i = 0; i < SlotCount(); ++i)
        if (FSlots[i].Owner == owner && FSlots[i].Id == id) return i;
    return -1;
}

void TknHotKeyCenter::FreeSlot(int index) {
    FPlatform.UnregisterHotKey(kHotKeyIdBase + index);
    FSlots[index].Owner = nullptr;
}

void TknHotKeyCenter::AddHotKey(IHotkeyOwner* owner, uint32_t id, uint16_t hotKey) {
    RemoveHotKey(owner, id);
    if (hotKey == 0 || !owner) return;
    int index = -1;
    for (int i = 0; i < SlotCount() && index < 0; ++i)
        if (!FSlots[i].Owner) index = i;
    if (index < 0) {
        FSlots.emplace_back();
        index = SlotCount() - 1;
    }
    // A key taken by another program still occupies its slot.
    FPlatform.RegisterHotKey(kHotKeyIdBase + index, HotKeyModifiers(hotKey),
                             HotKeyVirtualKey(hotKey));
    FSlots[index] = {id, owner, hotKey};
}

void TknHotKeyCenter::RemoveHotKey(IHotkeyOwner* owner, uint32_t id) {
    if (!owner) return;
    int index = SlotOf(owner, id);
    if (index >= 0) FreeSlot(index);
}

void TknHotKeyCenter::RemoveOwner(IHotkeyOwner* owner) {
    if (!owner) return;
    for (int i = 0; i < SlotCount(); ++i)
        if (FSlots[i].Owner == owner) FreeSlot(i);
}

void TknHotKeyCenter::DispatchHotKey(int32_t platformId) {
    int64_t index = static_cast<int64_t>(platformId) - kHotKeyIdBase;
    if (index < 0 || index >= SlotCount()) return;
    const TSlot slot = FSlots[static_cast<size_t>(index)];
    if (slot.Owner) slot.Owner->OnHotkey(slot.Id, slot.HotKey);
}

int32_t TknHotKeyCenter::PlatformId(const IHotkeyOwner* owner, uint32_t id) const {
    int index = owner ? SlotOf(owner, id) : -1;
    return index < 0 ? -1 : kHotKeyIdBase + index;
}

namespace {

class TNoHotKeys : public IHotKeyPlatform {
  public:
    bool RegisterHotKey(int32_t, uint32_t, uint32_t) override { return false; }
    void UnregisterHotKey(int32_t) override {}
};

IHotKeyPlatform*& Platform() {
    static IHotKeyPlatform* platform = nullptr;
    return platform;
}

std::unique_ptr<TknHotKeyCenter>& Instance() {
    static std::unique_ptr<TknHotKeyCenter> instance;
    return instance;
}

}  // namespace

TknHotKeyCenter& HotKeyCenter() {
    static TNoHotKeys none;
    auto& instance = Instance();
    if (!instance) instance = std::make_unique<TknHotKeyCenter>(Platform() ? *Platform() : none);
    return *instance;
}

TknHotKeyCenter* ExistingHotKeyCenter() {
    return Instance().get();
}

void SetHotKeyPlatform(IHotKeyPlatform* platform) {
    ReleaseHotKeyCenter();
    Platform() = platform;
}

void ReleaseHotKeyCenter() {
    std::unique_ptr<TknHotKeyCenter> instance = std::move(Instance());
}

}  // namespace qb
