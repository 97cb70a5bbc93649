#pragma once

// File and folder operations of the start-up check and the backups: whole-file copies that
// replace their target only once complete, folder listings and the removal of a backup folder.
// Paths are the program's paths (both separators allowed); names in listings are the file
// system's bytes.

#include <string>
#include <vector>

namespace qb {

// Copies the file to `to` through a temporary file beside it, renamed over `to` once the copy
// is complete; `durable` also flushes it to disk first. False when `from` is not a regular file
// (missing, a folder); an unreadable `from` raises "File Open Error!", a failed copy
// "File Write Error!" (the target then stays as it was).
bool CopyFileReplacing(const std::u16string& from, const std::u16string& to, bool durable);

// Creates the folder and its missing parents; failure raises "Cannot create folder: " + path.
void CreateFolders(const std::u16string& folder);

struct TFolderEntry {
    std::string Name;  // as the file system holds it
    bool IsFolder;     // a real folder (a symbolic link to one is not)
    bool IsFile;       // a regular file, or a symbolic link to one
};
// The entries of a folder but "." and "..", sorted by name; an unreadable folder raises
// "Cannot read folder: " + path.
std::vector<TFolderEntry> ListFolder(const std::u16string& folder);

// Flushes the folder's entries (names made, renamed or removed in it) to disk.
void SyncFolderEntries(const std::u16string& folder);
// Renames a complete folder to its final name and flushes the parent; a folder already there
// is replaced (and removed as RemoveFilesAndFolder removes). "File Write Error!" when the
// rename fails.
void RenameIntoPlace(const std::u16string& from, const std::u16string& to);

// Removes the files and symbolic links directly in the folder, then the folder itself when it
// is empty by then; never follows a link or descends. False when something stays.
bool RemoveFilesAndFolder(const std::u16string& folder);

}  // namespace qb
