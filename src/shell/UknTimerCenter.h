#pragma once

// Timers on the user-interface thread. The timer center hands out timers with ids unique
// within it and routes the platform's ticks to their handlers; the platform timers themselves
// sit behind ITimerPlatform (Qt in the GUI, an in-memory clock in tests).

#include <cstdint>
#include <functional>

#include "foundation/UknList.h"

namespace qb {

class ITimerPlatform {
  public:
    virtual ~ITimerPlatform() = default;
    // Starts (or restarts) the periodic platform timer `id`; ticks go to DispatchTimer(id).
    virtual void SetTimer(uint32_t id, uint32_t interval) = 0;
    virtual void KillTimer(uint32_t id) = 0;
};

class TknTimerCenter;

class TknTimer : public TknObject {
  public:
    ~TknTimer() override;  // stops the timer
    TknTimer(const TknTimer&) = delete;
    TknTimer& operator=(const TknTimer&) = delete;

    // Stop; then, unless the interval is 0, set the platform timer and become active.
    void Start();
    void Stop();
    void SetEnabled(bool enabled);
    // A new interval restarts a running timer (counting from now) and only stores it otherwise.
    void SetInterval(uint32_t interval);

    uint32_t Interval() const { return FInterval; }
    bool Active() const { return FActive; }
    uint32_t Id() const { return FId; }

    std::function<void(TknTimer& sender)> OnTimer;

  private:
    friend class TknTimerCenter;
    TknTimer(ITimerPlatform& platform, uint32_t id) : FPlatform(platform), FId(id) {}

    ITimerPlatform& FPlatform;
    uint32_t FInterval = 0;
    bool FActive = false;
    uint32_t FId;
};

class TknTimerCenter {
  public:
    explicit TknTimerCenter(ITimerPlatform& platform) : FPlatform(platform) {}
    ~TknTimerCenter();  // frees every timer
    TknTimerCenter(const TknTimerCenter&) = delete;
    TknTimerCenter& operator=(const TknTimerCenter&) = delete;

    // Id: one more than the largest present (1 for the first); inactive, interval 0.
    TknTimer* NewTimer();
    // Removes the timer and frees it (which stops it). May be called from its own handler.
    void ReleaseTimer(TknTimer* timer);
    // Calls the handler of the timer with this id; unknown ids are ignored.
    void DispatchTimer(uint32_t id);
    int Count() const { return FTimers.Count(); }

  private:
    TknObjList FTimers;  // keyed by Id, owned
    ITimerPlatform& FPlatform;
};

// The program's timer center over the platform set with SetTimerPlatform (not owned; without
// one, timers keep their state but nothing ticks).
TknTimerCenter& TimerCenter();
TknTimerCenter* ExistingTimerCenter();
void SetTimerPlatform(ITimerPlatform* platform);  // releases the current center
void ReleaseTimerCenter();

}  // namespace qb
