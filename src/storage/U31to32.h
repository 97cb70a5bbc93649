#pragma once

// Conversion of version 3.1a data to the 3.2a layout: a tree under a root and a group root,
// the page fields of 3.2, and the old list files turned into list pages with their items.
//
// Each line of the old list files "Memo.txt", "Contact.txt", "Link.txt" and "Template.txt"
// after the first holds one item's entries (name, status, icon file, check mark, then the
// item's own entries, in the 3.2a layout) joined by TAB.

#include "storage/UVersionManager.h"

namespace qb {

inline constexpr std::u16string_view kIniVersionUpgraded = u"Upgraded";

// Runs when the ini file's "Program"/"Version" is "3.1a": writes the 3.2a index, then
// "Upgraded" as the version and an empty "Option"/"ToolButtons", then moves the list files and
// "clipboard.txt" to the old-data folder.
void Convert31to32(const TDataFolders& folders);

}  // namespace qb
