#pragma once

// Saving without being asked: the save manager is the program's save center; it saves on the
// auto-save timer while the main window is not minimized, and counts every save for the
// backups.

#include <cstdint>

#include "shell/UknClasses.h"

namespace qb {

class TknTimer;

inline constexpr int32_t kSaveCommand = 1150;

class TSaveManager : public TknSaveCenter, public IOptionObserver {
  public:
    // Timer and option observer come with OnCreate and go with OnDestroy. The timer platform
    // must be set before the manager is created (the timer center is released with it).
    void OnCreate() override;
    void OnDestroy() override;

    // Every saver saves, the save count rises by one, and Save is disabled until the next
    // re-check of the commands.
    void Save() override;
    // Auto save runs only while the flag is set (the main window clears it when minimized).
    void SetActive(bool active) { FActive = active; }
    bool Active() const { return FActive; }
    // The timer runs every AutoSaveTime minutes, and not at all for 0 or less.
    void OptionChanged() override;

    const TknTimer* Timer() const { return FTimer; }

  private:
    TknTimer* FTimer = nullptr;  // owned by the timer center
    bool FActive = true;
};

// The save center as a save manager: the first call makes it the center's kind.
TSaveManager& SaveManager();

}  // namespace qb
