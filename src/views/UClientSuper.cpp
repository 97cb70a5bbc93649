#include "views/UClientSuper.h"

#include "model/UPageSuper.h"

namespace qb {

TClientSuper::~TClientSuper() { Unregister(); }

void TClientSuper::Unregister() {
    if (TknCommandCenter* commands = ExistingCommandCenter()) commands->RemoveExecutor(this);
    if (PageCenterExists()) PageCenter().RemoveObserver(this);
}

void TClientSuper::OnPageEvent(uint8_t event, int32_t pageId, int32_t /*extra*/) {
    if (event == pePageActivated) {
        if (TPageSuper* page = PageCenter().ActivePage()) Load(page);
    } else if (event == pePageDeactivated) {
        if (FPage && FPage->Id() == pageId) Save();
    }
}

bool TClientSuper::CheckCommand(int32_t /*id*/) { return true; }

void TClientSuper::ExecuteCommand(int32_t /*id*/) {}

void TClientSuper::SetActive(bool active) {
    if (active == FActive) return;
    FActive = active;
    if (active) {
        CommandCenter().AddExecutor(this);
        PageCenter().AddObserver(this);
    } else {
        Unregister();
        Unload();
        FPage = nullptr;
    }
}

void TClientSuper::PageEvent(uint8_t event, int32_t pageId, int32_t argument) {
    if (FActive) OnPageEvent(event, pageId, argument);
}

}  // namespace qb
