#include "shell/UInMemoryPlatform.h"

namespace qb {

TMemoryTimerPlatform::TMemoryTimerPlatform(std::function<void(uint32_t id)> dispatch)
    : FDispatch(std::move(dispatch)) {
    if (!FDispatch) FDispatch = [](uint32_t id) { TimerCenter().DispatchTimer(id); };
}

void TMemoryTimerPlatform::SetTimer(uint32_t id, uint32_t interval) {
    // A zero interval still ticks, as the platform's timers do, but never twice in one moment.
    uint32_t step = interval == 0 ? 1 : interval;
    FTimers[id] = {step, FNow + step};
}

void TMemoryTimerPlatform::KillTimer(uint32_t id) {
    FTimers.erase(id);
}

uint32_t TMemoryTimerPlatform::IntervalOf(uint32_t id) const {
    auto it = FTimers.find(id);
    return it == FTimers.end() ? 0 : it->second.Interval;
}

void TMemoryTimerPlatform::Advance(uint64_t milliseconds) {
    uint64_t target = FNow + milliseconds;
    for (;;) {
        auto next = FTimers.end();
        for (auto it = FTimers.begin(); it != FTimers.end(); ++it)
            if (it->second.Due <= target &&
                (next == FTimers.end() || it->second.Due < next->second.Due))
                next = it;
        if (next == FTimers.end()) break;
        FNow = next->second.Due;
        next->second.Due += next->second.Interval;
        FDispatch(next->first);
    }
    FNow = target;
}

bool TMemoryHotKeyPlatform::RegisterHotKey(int32_t id, uint32_t modifiers, uint32_t virtualKey) {
    if (Taken.count({modifiers, virtualKey})) return false;
    Registered[id] = {modifiers, virtualKey};
    return true;
}

void TMemoryHotKeyPlatform::UnregisterHotKey(int32_t id) {
    Registered.erase(id);
}

int TMemoryHotKeyPlatform::Press(uint32_t modifiers, uint32_t virtualKey) {
    std::vector<int32_t> ids;
    for (const auto& [id, r] : Registered)
        if (r.Modifiers == modifiers && r.VirtualKey == virtualKey) ids.push_back(id);
    for (int32_t id : ids) HotKeyCenter().DispatchHotKey(id);
    return static_cast<int>(ids.size());
}

bool TScriptedOptionsDialog::Execute(TknWindow*, TOptions& options) {
    ++Runs;
    AutoStartSeen = options.AutoStart;
    return Edit && Edit(options);
}

}  // namespace qb
