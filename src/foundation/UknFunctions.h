#pragma once

// Paths relative to the program folder, file-name parts, and the placeholder expansion of
// separator lines and templates.

#include <string>
#include <string_view>

namespace qb {

// The program folder, always ending in "/". Resolution order: the explicit folder given to
// SetProgramFolder (the --home option, tests), $QUILLBOX_HOME, the executable's own folder
// when it already holds "quillbox.ini" or "data/", else $XDG_DATA_HOME/quillbox
// (~/.local/share/quillbox).
const std::u16string& ProgramFolder();
void SetProgramFolder(std::u16string_view folder);  // empty: resolve again from the environment
std::u16string ResolveProgramFolder(std::u16string_view executablePath);
// The folder the program opens when started with no --home and no $QUILLBOX_HOME, as a desktop
// session starts it: the portable folder beside the executable, else the XDG data folder.
std::u16string DefaultProgramFolder(std::u16string_view executablePath);
// ProgramFolder + name (names like "data\" or "dict/"; separators become "/"), created with one
// create-directory call when asked and missing.
std::u16string ProgramSubFolder(std::u16string_view name, bool create);

// Both "\" and "/" count as separators; ":" too, as in stored paths.
std::u16string ExtractFilePath(std::u16string_view p);
std::u16string ExtractFileName(std::u16string_view p, bool keepExtension);
std::u16string ExtractFileExt(std::u16string_view p);
std::u16string MakeRelative(std::u16string_view path, std::u16string_view base);
std::u16string MakeAbsolute(std::u16string_view path, std::u16string_view base);
std::u16string ValidFileName(std::u16string_view s, bool alsoSlashes);
// A stored path made usable on this system: backslashes become slashes.
std::u16string NativePath(std::u16string_view p);
// The executable's full path (from /proc/self/exe), empty when unknown.
std::u16string ExecutablePath();

// Expands "%d", "%i", "%c(n)", "%u(pattern)", "%s(text,count)", "%n" and "%t" with the current
// local time.
std::u16string ExpandPattern(std::u16string_view pattern);

}  // namespace qb
