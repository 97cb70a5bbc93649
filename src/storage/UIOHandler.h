#pragma once

// Import and export: text files, ".qbx" files (one page in the program's own format) and whole
// folders become pages; a page, or a group with everything under it, becomes a text file, a
// ".qbx" file, a folder tree or clipboard text. The dialogs that choose paths and options are
// the GUI's; what they decide comes in as arguments.

#include <cstdint>
#include <set>
#include <string>
#include <string_view>
#include <vector>

#include "foundation/UknFile.h"

namespace qb {

class TPageSuper;

inline constexpr std::u16string_view kQbxVersion = u"3.2b3";

// What a long import or export tells the user, and how the user stops it.
class IIOProgress {
  public:
    virtual ~IIOProgress() = default;
    // Before each file imported or page exported: the tip text and the path or name.
    virtual void Step(std::u16string_view text, std::u16string_view item) = 0;
    // Asked after each file or page; true stops the work there (what is done stays).
    virtual bool CancelRequested() = 0;
    // The transient tip with the outcome of a command.
    virtual void Tip(std::u16string_view text, std::u16string_view detail) = 0;
    // A file or page left out, with the reason; the work goes on with the next one.
    virtual void Problem(std::u16string_view item, std::u16string_view message) = 0;
};

class IClipboardText {
  public:
    virtual ~IClipboardText() = default;
    virtual void SetClipboardText(std::u16string_view text) = 0;
};

class TIOHandler {
  public:
    // Neither is owned; without progress nothing is shown and nothing stops the work.
    explicit TIOHandler(IIOProgress* progress = nullptr, IClipboardText* clipboard = nullptr);

    // The container an import into the active page goes to: the page itself when it is a group
    // or the group root, else its owner when that is one; null otherwise.
    static TPageSuper* ImportTarget(TPageSuper* active);
    // Imports one file or folder into the target; false when the path does not exist or the
    // user stopped the import. Symbolic links are followed, each folder at most once.
    bool ImportPath(TPageSuper* target, const std::u16string& path, bool fromFolder, bool linkOnly);
    // The import command and dropped files: each path in turn until one returns false (a
    // chosen folder is one path with fromFolder set); when the target gained children, its
    // last child becomes the active page.
    void ImportPaths(TPageSuper* target, const std::vector<std::u16string>& paths, bool fromFolder,
                     bool linkOnly);
    // Whether dropped files are linked: Shift links, Ctrl copies, else the option decides.
    static bool DropLinksOnly(bool shift, bool ctrl);

    // A ".qbx" file when the name ends in ".qbx" (any case), else a text file.
    void ExportToFile(TPageSuper* page, const std::u16string& fileName);
    // Every child as a file or, when it can hold notes, as a subfolder; false when stopped.
    bool ExportToFolder(TPageSuper* page, const std::u16string& folder);
    void ExportToClipboard(TPageSuper* page);

    // Groups, the group root, the recycle bin, tags and favorites: exported as folders.
    static bool CanHoldNotes(TPageSuper* page);
    // The page's remembered export file, else its name as a file name with ".qbx" for item
    // lists and ".txt" for the rest.
    static std::u16string ProposeExportFileName(TPageSuper* page);
    // The string id of the save dialog's filter for that proposal.
    static int32_t ExportFilterId(std::u16string_view fileName);
    // "mailto:?subject=NAME&body=TEXT" with both parts escaped for the address.
    static std::u16string MailAddress(TPageSuper* page);

    int ProblemCount() const { return FProblems; }

  private:
    struct TImportWalk;

    bool ImportEntry(TImportWalk& walk, TPageSuper* target, const std::string& path,
                     bool fromFolder, bool linkOnly, bool topLevel);
    bool ImportFolder(TImportWalk& walk, TPageSuper* target, const std::string& path,
                      bool linkOnly);
    void ImportFile(TPageSuper* target, const std::string& path, bool fromFolder, bool linkOnly);
    void ImportText(TPageSuper* target, const std::string& path, bool linkOnly);
    void ImportQbx(TPageSuper* target, const std::string& path);
    void ExportFile(TPageSuper* page, const std::u16string& fileName);
    bool ExportFolder(TPageSuper* page, const std::u16string& folder, std::set<int32_t>& path);
    void Problem(std::u16string_view item, std::u16string_view message);
    bool Cancelled(int32_t tipId);

    IIOProgress* FProgress;
    IClipboardText* FClipboard;
    int FProblems = 0;
};

// A page name as a file name: the characters no file name may hold (and control characters)
// become spaces, a name that would be hidden or empty gets "_" in front, and the name is cut
// so that it fits a file name with the extension.
std::u16string SafeFileName(std::u16string_view name, std::u16string_view extension);
// The encoding exported files are written in: the option ExportEncode, except that a text the
// system code page cannot hold is written as UTF-8 rather than lose characters.
TEncoding ExportEncodingFor(std::u16string_view text);

}  // namespace qb
