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

namespace {

void InstallFactory() {
    SetSaveCenterFactory([] { return std::make_unique<TSaveManager>(); });
}

// Any program that links the save manager has it as its save center from the start, also when
// another unit asks the center to save before anything asks for the manager.
const bool gFactoryInstalled = (InstallFactory(), true);

}  // namespace

TSaveManager& SaveManager() {
    InstallFactory();  // again, for tests that reset the factory
    auto* manager = dynamic_cast<TSaveManager*>(&SaveCenter());
    if (!manager) throw std::logic_error("the save center was made before the save manager");
    return *manager;
}

}  // namespace qb
