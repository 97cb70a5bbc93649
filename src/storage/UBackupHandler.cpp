#include "storage/UBackupHandler.h"

#include <algorithm>
#include <cctype>
#include <vector>

#include "foundation/UknDateTimeUtils.h"
#include "foundation/UknError.h"
#include "foundation/UknFile.h"
#include "foundation/UknFunctions.h"
#include "foundation/UknStrUtils.h"
#include "shell/UMemoryManager.h"
#include "shell/UOptionManager.h"
#include "shell/UknTimerCenter.h"
#include "storage/UFolderOps.h"

namespace qb {

namespace {

constexpr uint32_t kCheckPeriod = 60000;  // one minute

std::string Lower(std::string s) {
    for (char& c : s) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return s;
}

bool IsBackupFolder(const TFolderEntry& entry) {
    static const std::string prefix = ToUtf8(kBackupPrefix);
    return entry.IsFolder && !entry.Name.starts_with('.') &&
           Lower(entry.Name.substr(0, prefix.size())) == prefix;
}

std::u16string WithSlash(std::u16string folder) {
    if (!folder.empty() && folder.back() != u'/') folder.push_back(u'/');
    return folder;
}

// Copies the files of the data folder; the names of those that failed.
std::vector<std::string> CopyDataFiles(const std::u16string& target) {
    const std::u16string data = ProgramSubFolder(u"data\\", false);
    std::vector<std::string> failed;
    for (const TFolderEntry& entry : ListFolder(data)) {
        // Names starting with "." are the file layer's temporary files; the lock file is this
        // run's own.
        if (!entry.IsFile || entry.Name.starts_with('.') || entry.Name == "quillbox.lock") continue;
        const std::u16string name = FromUtf8(entry.Name);
        try {
            if (ToUtf8(name) != entry.Name || !CopyFileReplacing(data + name, target + name, true))
                failed.push_back(entry.Name);
        } catch (const TknError&) {
            failed.push_back(entry.Name);
        }
    }
    return failed;
}

std::u16string BackupFolder(const TOptions& options) {
    return options.BackupPath.empty()
               ? std::u16string()
               : WithSlash(NativePath(MakeAbsolute(options.BackupPath, ProgramFolder())));
}

}  // namespace

void RemoveUnfinishedBackups() {
    const std::u16string folder = BackupFolder(OptionManager().Options());
    if (folder.empty() || !DirectoryExists(folder)) return;
    static const std::string prefix = ToUtf8(kPartialBackupPrefix);
    for (const TFolderEntry& entry : ListFolder(folder))
        if (entry.IsFolder && entry.Name.starts_with(prefix))
            RemoveFilesAndFolder(folder + FromUtf8(entry.Name));
}

int64_t LocalMinutes() {
    return ToUnits(LocalNow(), tuMinute);
}

TBackupHandler::TBackupHandler() {
    FTimer = TimerCenter().NewTimer();
    FTimer->SetInterval(kCheckPeriod);
    FTimer->OnTimer = [this](TknTimer&) { Tick(); };
    OptionManager().AddObserver(this);
}

TBackupHandler::~TBackupHandler() {
    if (TOptionManager* options = ExistingOptionManager()) options->RemoveObserver(this);
    if (TknTimerCenter* timers = ExistingTimerCenter()) timers->ReleaseTimer(FTimer);
}

void TBackupHandler::OptionChanged() {
    const TOptions& options = OptionManager().Options();
    const int32_t type = options.BackupIntervalType;
    FType = type >= btSaves && type <= btDays ? static_cast<TBackupIntervalType>(type) : btSaves;
    const int64_t unit = FType == btHours ? 60 : FType == btDays ? 1440 : 1;
    FInterval = static_cast<int64_t>(options.BackupInterval) * unit;
    FTotal = options.TotalBackup;
    FFolder = BackupFolder(options);
    if (FInterval >= 1)
        FTimer->Start();
    else
        FTimer->Stop();
}

bool TBackupHandler::BackupDue() const {
    const TMemoryManager& memory = MemoryManager();
    if (FType == btSaves) return memory.SaveCount - memory.LastBackupSaveCount >= FInterval;
    return LocalMinutes() - memory.LastBackupTime >= FInterval;
}

void TBackupHandler::Tick() {
    if (!BackupDue()) return;
    try {
        Backup();
    } catch (const TknError& e) {
        if (OnError) OnError(e.Message());
    }
}

std::u16string TBackupHandler::Backup() {
    if (FFolder.empty()) return {};
    const std::u16string name =
        std::u16string(kBackupPrefix) + ReplaceAll(FormatDateTime(LocalNow(), 3), u":", u"-");
    const std::u16string partial = FFolder + std::u16string(kPartialBackupPrefix) + name + u"/";
    const std::u16string target = FFolder + name + u"/";
    std::u16string error;
    try {
        error = CopyInto(partial);
        if (error.empty()) RenameIntoPlace(partial, target);
    } catch (const TknError& e) {
        error = e.Message();
    }
    if (!error.empty()) RemoveFilesAndFolder(partial);
    // A failed attempt counts too: the next try comes after the next interval, not at the
    // next tick.
    TMemoryManager& memory = MemoryManager();
    memory.LastBackupTime = LocalMinutes();
    memory.LastBackupSaveCount = static_cast<int32_t>(memory.SaveCount);
    // An incomplete backup must not push out a complete one.
    if (!error.empty()) throw TknError(error);
    Prune();
    return target;
}

// The copies, flushed; the error text when a file could not be copied.
std::u16string TBackupHandler::CopyInto(const std::u16string& partial) {
    RemoveFilesAndFolder(partial);  // a leftover of an attempt in the same second
    CreateFolders(partial);
    std::vector<std::string> failed = CopyDataFiles(partial);
    if (failed.empty()) {
        SyncFolderEntries(partial);
        return {};
    }
    std::u16string error = u"These files could not be copied into the backup " + partial + u":";
    for (const std::string& name : failed) error += u" " + FromUtf8(name);
    return error;
}

void TBackupHandler::Prune() {
    std::vector<std::string> names;
    for (const TFolderEntry& entry : ListFolder(FFolder))
        if (IsBackupFolder(entry)) names.push_back(entry.Name);
    // The backup just made always stays, whatever the setting.
    const size_t keep = static_cast<size_t>(std::max(FTotal, 1));
    if (names.size() <= keep) return;
    std::sort(names.begin(), names.end(),
              [](const std::string& a, const std::string& b) { return Lower(a) < Lower(b); });
    for (size_t i = 0; i < names.size() - keep; ++i)
        RemoveFilesAndFolder(FFolder + FromUtf8(names[i]));
}

}  // namespace qb
