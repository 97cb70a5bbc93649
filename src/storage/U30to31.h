#pragma once

// Conversion of version 3.0a1 data to the 3.1a layout.
//
// 3.0a1 index lines, TAB-separated, empty lines skipped:
//   a top-level line:  name, text file, [further fields]
//   a page under it:   (empty), type, name, status, text length, [further fields]
// where the text file (a plain name in the data folder) holds the texts of the pages under
// its top-level line one after another. 3.1a lines are
//   id, parent id, position, type, name, status, text length, two fields of its own, [...]
// with ids counted over the non-empty lines from 1 and positions counted from 1 among the
// siblings, and one data file with all texts in line order.

#include "storage/UVersionManager.h"

namespace qb {

inline constexpr std::u16string_view kIniVersion30a1 = u"3.0a1";
inline constexpr std::u16string_view kIniVersion31a = u"3.1a";

// Runs when the ini file's "Program"/"Version" is "3.0a1": writes the 3.1a index and data
// file, then "3.1a" as the version, then moves the text files to the old-data folder.
void Convert30to31(const TDataFolders& folders);

}  // namespace qb
