#include "storage/USaveManager.h"

#include <algorithm>
#include <memory>
#include <stdexcept>

#include "shell/UMemoryManager.h"
#include "shell/UOptionManager.h"
#include "shell/UknTimerCenter.h"

namespace qb {

void TSaveManager::OnCreate() {
    FTimer = TimerCenter().NewTimer();
    FTimer->OnTimer = [this](TknTimer&) {
        if (FActive) Save();
    };
    OptionManager().AddObserver(this);
}

void TSaveManager::OnDestroy() {
    if (TOptionManager* options = ExistingOptionManager()) options->RemoveObserver(this);
    if (TknTimerCenter* timers = ExistingTimerCenter(); timers && FTimer)
        timers->ReleaseTimer(FTimer);
    FTimer = nullptr;
}

void TSaveManager::Save() {
    TknSaveCenter::Save();
    ++MemoryManager().SaveCount;
    CommandCenter().SetEnabled(kSaveCommand, false);
}

void TSaveManager::OptionChanged() {
    const int32_t minutes = OptionManager().AutoSaveTime;
    if (!FTimer) return;
    if (minutes <= 0) {
        FTimer->Stop();
        return;
    }
    FTimer->SetInterval(static_cast<uint32_t>(std::min<int64_t>(minutes, 71582) * 60000));
    FTimer->Start();
}

TSaveManager& SaveManager() {
    SetSaveCenterFactory([] { return std::make_unique<TSaveManager>(); });
    auto* manager = dynamic_cast<TSaveManager*>(&SaveCenter());
    if (!manager) throw std::logic_error("the save center was made before the save manager");
    return *manager;
}

}  // namespace qb
