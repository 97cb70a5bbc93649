#include "toolkit/UknTimers.h"

#include <QTimer>
#include <algorithm>
#include <cstdint>

namespace qb {

TknQtTimerPlatform::TknQtTimerPlatform(std::function<void(uint32_t id)> dispatch)
    : FDispatch(std::move(dispatch)) {
    if (!FDispatch) {
        FDispatch = [](uint32_t id) {
            if (TknTimerCenter* center = ExistingTimerCenter()) center->DispatchTimer(id);
        };
    }
}

TknQtTimerPlatform::~TknQtTimerPlatform() = default;

void TknQtTimerPlatform::SetTimer(uint32_t id, uint32_t interval) {
    auto& timer = FTimers[id];
    if (!timer) {
        timer = std::make_unique<QTimer>();
        timer->setTimerType(Qt::CoarseTimer);
        QObject::connect(timer.get(), &QTimer::timeout, this, [this, id] { Tick(id); });
    }
    // Intervals beyond what QTimer takes (about 24 days) run at its longest.
    timer->start(static_cast<int>(std::min<uint32_t>(interval, INT32_MAX)));
}

void TknQtTimerPlatform::KillTimer(uint32_t id) {
    auto it = FTimers.find(id);
    if (it == FTimers.end()) return;
    // A handler may kill its own timer while the timer is delivering the tick.
    QTimer* timer = it->second.release();
    timer->stop();
    timer->deleteLater();
    FTimers.erase(it);
}

void TknQtTimerPlatform::Tick(uint32_t id) {
    if (FTimers.count(id)) FDispatch(id);
}

}  // namespace qb
