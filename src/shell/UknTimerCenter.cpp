#include "shell/UknTimerCenter.h"

#include <memory>

namespace qb {

void TknTimer::Start() {
    Stop();
    if (FInterval == 0) return;
    FPlatform.SetTimer(FId, FInterval);
    FActive = true;
}

void TknTimer::Stop() {
    if (!FActive) return;
    FPlatform.KillTimer(FId);
    FActive = false;
}

void TknTimer::SetEnabled(bool enabled) {
    if (enabled)
        Start();
    else
        Stop();
}

void TknTimer::SetInterval(uint32_t interval) {
    if (interval == FInterval) return;
    FInterval = interval;
    if (FActive) Start();
}

TknTimer::~TknTimer() {
    Stop();
}

TknTimerCenter::~TknTimerCenter() {
    FTimers.ClearAndFree();
}

TknTimer* TknTimerCenter::NewTimer() {
    auto* timer = new TknTimer(FPlatform, static_cast<uint32_t>(FTimers.NewKey()));
    FTimers.AddByKey(static_cast<int32_t>(timer->Id()), timer);
    return timer;
}

void TknTimerCenter::ReleaseTimer(TknTimer* timer) {
    if (!timer || FTimers.IndexOf(timer) < 0) return;
    FTimers.Remove(timer);
    delete timer;
}

void TknTimerCenter::DispatchTimer(uint32_t id) {
    auto* timer = static_cast<TknTimer*>(FTimers.ItemsByKey(static_cast<int32_t>(id)));
    if (!timer || !timer->OnTimer) return;
    // A copy, so that a handler may release its own timer.
    auto handler = timer->OnTimer;
    handler(*timer);
}

namespace {

class TNoTimers : public ITimerPlatform {
  public:
    void SetTimer(uint32_t, uint32_t) override {}
    void KillTimer(uint32_t) override {}
};

ITimerPlatform*& Platform() {
    static ITimerPlatform* platform = nullptr;
    return platform;
}

std::unique_ptr<TknTimerCenter>& Instance() {
    static std::unique_ptr<TknTimerCenter> instance;
    return instance;
}

}  // namespace

TknTimerCenter& TimerCenter() {
    static TNoTimers none;
    auto& instance = Instance();
    if (!instance) instance = std::make_unique<TknTimerCenter>(Platform() ? *Platform() : none);
    return *instance;
}

TknTimerCenter* ExistingTimerCenter() {
    return Instance().get();
}

void SetTimerPlatform(ITimerPlatform* platform) {
    ReleaseTimerCenter();
    Platform() = platform;
}

void ReleaseTimerCenter() {
    std::unique_ptr<TknTimerCenter> instance = std::move(Instance());
}

}  // namespace qb
