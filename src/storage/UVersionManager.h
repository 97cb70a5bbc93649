#pragma once

// The start-up check of the data folder: data files of the current layout pass untouched;
// anything else is first copied to "olddata/" and then converted, layout by layout, by the
// conversions that recognise their own version marker.

#include <functional>
#include <string>
#include <string_view>
#include <vector>

namespace qb {

// First line of the index file: the current layout, and that of the 3.2 test versions.
inline constexpr std::u16string_view kIndexVersion320 = u"3.2.0";
inline constexpr std::u16string_view kIndexVersion32a = u"3.2a";

// The folders and the ini file the check and the conversions work on; folders end in "/".
struct TDataFolders {
    std::u16string Data;
    std::u16string OldData;
    std::u16string IniFile;

    // Those of the program folder, which is created with the data folder when missing.
    static TDataFolders OfProgram();
};

// Runs the check; false when it failed, after `showMessage` was given the error's text.
using TMessageProc = std::function<void(const std::u16string& message)>;
bool CheckDataFiles(const TMessageProc& showMessage);
// The same check, raising the error instead.
void CheckDataFilesOrRaise();

// Whether data whose index is not current goes through the upgrade: a first start, or a
// version the upgrade converts.
bool IsKnownOldNotebook(const TDataFolders& folders, std::u16string_view version);

// The first line of the index file, after a store save left half done is completed.
std::u16string ReadIndexVersion(const TDataFolders& folders);

// Copies data folder + name into the old-data folder (replacing an older copy, flushed to
// disk); false when there is no such file.
bool CopyToOldData(const TDataFolders& folders, std::u16string_view fileName);
// Copies as above, then deletes the file in the data folder.
void MoveToOldData(const TDataFolders& folders, std::u16string_view fileName);

// Conversion 3.2a to 3.2.0: one more field in link and template items, the highlight marker
// characters shifted by one style. Does nothing for an index of another version.
void Convert32aTo320(const TDataFolders& folders);

// --- shared by the conversions ---

// The fields of a record line at every TAB, empty ones included ("" has one empty field).
std::vector<std::u16string> SplitFields(std::u16string_view line);
std::u16string JoinFields(const std::vector<std::u16string>& fields, size_t from = 0);
// An old index or list file: read with encoding detection, cut at CR LF.
std::vector<std::u16string> ReadOldLines(const std::u16string& path);
// The index and the data file replaced as one pair, UTF-16 LE with or without the marker.
void WriteDataFiles(const TDataFolders& folders, std::u16string_view indexText,
                    std::u16string_view dataText, bool marker);
// "Program"/"Version" of the ini file, and writing one value.
std::u16string IniVersion(const TDataFolders& folders);
void WriteIniValue(const TDataFolders& folders, std::u16string_view section,
                   std::u16string_view key, std::u16string_view value);

}  // namespace qb
