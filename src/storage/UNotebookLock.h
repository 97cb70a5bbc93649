#pragma once

// The notebook lock: only one process writes a notebook at a time. A writer holds an exclusive
// advisory lock (flock) on "quillbox.lock" in the data folder, a CLI command for its whole
// read-modify-write, the desktop program for its whole run. The lock file names the holder's
// pid and program, so that a process that finds the notebook taken can say who has it.

#include <functional>
#include <string>
#include <string_view>

namespace qb {

struct TNotebookHolder {
    int Pid = 0;  // 0: unknown (no holder, or its line is being written)
    std::string Program;
};

class TNotebookLock {
  public:
    // dataFolder ends in "/".
    explicit TNotebookLock(std::u16string dataFolder);
    ~TNotebookLock();
    TNotebookLock(const TNotebookLock&) = delete;
    TNotebookLock& operator=(const TNotebookLock&) = delete;

    // Takes the lock without waiting and writes this process into the file; true when held.
    bool TryAcquire(std::string_view program);
    void Release();
    bool Held() const { return FHandle >= 0; }
    // The process the file names (meaningful while another process holds the lock).
    TNotebookHolder Holder() const;
    const std::u16string& DataFolder() const { return FDataFolder; }

  private:
    std::u16string FDataFolder;
    std::string FPath;
    int FHandle = -1;
};

// This process's lock on the notebook of the program folder (created on first use).
TNotebookLock& NotebookLock();
// Gives the lock up; the next NotebookLock follows the program folder again.
void ReleaseNotebookLock();

// Runs work when no other process holds the notebook of the data folder: under this process's
// lock, or under a short lock of its own. Clean-ups of what a killed writer left run this way,
// so they never take a file a live writer is still working on. False: someone else holds it.
bool RunIfNotebookFree(const std::u16string& dataFolder, const std::function<void()>& work);

// The local socket on which the desktop program running on the program folder listens: one
// name per canonical folder and user, so that every way of naming the folder meets there.
std::string ProgramSocketPath(const std::u16string& programFolder);

// "quillbox (pid N) holds the notebook": for messages about a notebook that is taken.
std::u16string HolderText(const TNotebookHolder& holder);

}  // namespace qb
