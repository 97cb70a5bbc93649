#pragma once

// The timer center's platform timers over QTimer. A timer exists only while it is set, so an
// idle program has no timer waking it.

#include <QObject>
#include <functional>
#include <map>
#include <memory>

#include "shell/UknTimerCenter.h"

class QTimer;

namespace qb {

class TknQtTimerPlatform : public QObject, public ITimerPlatform {
    Q_OBJECT
  public:
    // Ticks go to `dispatch`; by default to the program's timer center when it exists.
    explicit TknQtTimerPlatform(std::function<void(uint32_t id)> dispatch = {});
    ~TknQtTimerPlatform() override;

    void SetTimer(uint32_t id, uint32_t interval) override;
    void KillTimer(uint32_t id) override;

    bool IsSet(uint32_t id) const { return FTimers.count(id) != 0; }
    int SetCount() const { return static_cast<int>(FTimers.size()); }

  private:
    void Tick(uint32_t id);

    std::function<void(uint32_t)> FDispatch;
    std::map<uint32_t, std::unique_ptr<QTimer>> FTimers;
};

}  // namespace qb
