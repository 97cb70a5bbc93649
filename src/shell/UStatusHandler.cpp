#include "shell/UStatusHandler.h"

#include <malloc.h>

#include <algorithm>

#include "shell/UMemoryManager.h"
#include "shell/UEdgeDock.h"
#include "shell/UknClasses.h"
#include "storage/ULogInHandler.h"
#include "storage/USaveManager.h"

namespace qb {

namespace {

constexpr int32_t kMaxTransparency = 12;

int32_t StatusEventCode(TWindowStatus status) {
    switch (status) {
        case TWindowStatus::Minimized:
            return 2;
        case TWindowStatus::Maximized:
            return 1;
        default:
            return 3;
    }
}

}  // namespace

void HandleWindowStatus(TWindowStatus status, bool initialized) {
    if (status != TWindowStatus::Minimized) {
        SaveManager().SetActive(true);
        MemoryManager().WinStatus = static_cast<int32_t>(status);
    } else {
        if (initialized) {
            SaveCenter().Save();
            MemoryManager().SaveMemory();
        }
        SaveManager().SetActive(false);
        LogInHandler().NoteMinimized();
        TrimWorkingSet();
    }
    EventCenter().EventNotify(kEventWindowStatus, StatusEventCode(status));
    CommandCenter().SetEnabled(kAutoHideCommand, status == TWindowStatus::Normal);
}

TWindowStatus RestoredStatus(int32_t remembered) {
    return remembered == static_cast<int32_t>(TWindowStatus::Maximized) ? TWindowStatus::Maximized
                                                                        : TWindowStatus::Normal;
}

bool StartsMinimized(bool startMinimizeOption, bool minimizeArgument, bool specialModeAtExit) {
    return startMinimizeOption || (minimizeArgument && !specialModeAtExit);
}

std::u16string MainWindowTitle(const std::u16string* activePageName, bool captionPageName) {
    if (captionPageName && activePageName) return *activePageName + u" - quillbox";
    return u"quillbox";
}

int32_t TransparencyAlpha(int32_t level) {
    return 255 - 20 * std::clamp(level, 0, kMaxTransparency);
}

void TrimWorkingSet() {
    malloc_trim(0);
}

}  // namespace qb
