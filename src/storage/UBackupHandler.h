#pragma once

// Dated copies of the data folder: every so many saves, minutes, hours or days the whole data
// folder is copied into a new "qbbak <time>" folder under the backup path, and the oldest such
// folders beyond the number to keep are removed. Nothing else under the backup path is touched.

#include <cstdint>
#include <functional>
#include <string>

#include "shell/UknClasses.h"

namespace qb {

class TknTimer;

enum TBackupIntervalType : int32_t { btSaves = 0, btMinutes = 1, btHours = 2, btDays = 3 };

inline constexpr std::u16string_view kBackupPrefix = u"qbbak ";
// A backup is made under this hidden name and renamed when complete.
inline constexpr std::u16string_view kPartialBackupPrefix = u".partial qbbak ";

// Minutes of local time since 1601-01-01, the unit of the backup times and the tray lock.
int64_t LocalMinutes();

// Removes the hidden folders of backups a killed process left half made. Called at start-up
// while no other process holds the notebook.
void RemoveUnfinishedBackups();

class TBackupHandler : public IOptionObserver {
  public:
    TBackupHandler();  // registers with the option center, which sets the schedule
    ~TBackupHandler() override;
    TBackupHandler(const TBackupHandler&) = delete;
    TBackupHandler& operator=(const TBackupHandler&) = delete;

    void OptionChanged() override;
    // One backup now; returns the new folder (empty when the backup path is empty). The files
    // are copied and flushed into a hidden folder that gets the final name only when complete.
    // A folder that cannot be made, or a file that cannot be copied (the others still are),
    // raises the error after the attempt has been recorded; the hidden folder is removed and
    // old backups are kept as they are.
    std::u16string Backup();
    // The timer's check: a backup when the interval has passed. Errors go to OnError.
    void Tick();
    bool BackupDue() const;

    // The GUI shows failures of timed backups here; without it they are dropped.
    std::function<void(const std::u16string& message)> OnError;

    TBackupIntervalType IntervalType() const { return FType; }
    int64_t Interval() const { return FInterval; }  // saves, or minutes
    int32_t TotalBackup() const { return FTotal; }
    const std::u16string& Folder() const { return FFolder; }  // ends in "/"
    const TknTimer* Timer() const { return FTimer; }

  private:
    void Prune();

    std::u16string CopyInto(const std::u16string& partial);

    TknTimer* FTimer = nullptr;  // owned by the timer center
    TBackupIntervalType FType = btSaves;
    int64_t FInterval = 0;
    int32_t FTotal = 5;
    std::u16string FFolder;
};

}  // namespace qb
