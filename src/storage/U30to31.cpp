#include "storage/U30to31.h"

#include <algorithm>

#include "foundation/UknFile.h"
#include "foundation/UknStrUtils.h"

namespace qb {

namespace {

constexpr std::u16string_view kIndexName = u"quillbox.idx";
constexpr std::u16string_view kDataName = u"quillbox.dat";

// Only a plain name of a file in the data folder counts: a path would read from elsewhere,
// and the index or data file itself is no page text.
bool IsTextFileName(std::u16string_view name) {
    return !name.empty() && name != u"." && name != u".." && name != kIndexName &&
           name != kDataName && name.find_first_of(u"/\\") == std::u16string_view::npos;
}

struct TConversion {
    std::vector<std::u16string> Lines;
    std::u16string Data;
    std::vector<std::u16string> TextFiles;
};

std::u16string ReadTextFile(const TDataFolders& folders, const std::u16string& name) {
    const std::u16string path = folders.Data + name;
    return FileExists(path) ? TknMemoryTextFile(path, fmRead).Text() : std::u16string();
}

TConversion Convert(const TDataFolders& folders, const std::vector<std::u16string>& oldLines) {
    TConversion result;
    int32_t id = 0, topCount = 0, topId = 0, childCount = 0;
    for (const std::u16string& line : oldLines) {
        if (line.empty()) continue;
        ++id;
        std::vector<std::u16string> fields = SplitFields(line);
        std::vector<std::u16string> out{IntToStr(id)};
        if (!fields[0].empty()) {
            const std::u16string file = fields.size() > 1 ? fields[1] : std::u16string();
            if (IsTextFileName(file)) {
                result.Data += ReadTextFile(folders, file);
                result.TextFiles.push_back(file);
            }
            topId = id;
            childCount = 0;
            out.insert(out.end(), {u"0", IntToStr(++topCount), u"0", fields[0]});
            if (fields.size() > 2) out.insert(out.end(), fields.begin() + 2, fields.end());
            out.insert(out.end(), {u"0", u"0", u"", u""});
        } else {
            out.insert(out.end(), {IntToStr(topId), IntToStr(++childCount)});
            out.insert(out.end(), fields.begin() + 1, fields.end());
        }
        result.Lines.push_back(JoinFields(out));
    }
    return result;
}

}  // namespace

void Convert30to31(const TDataFolders& folders) {
    if (IniVersion(folders) != kIniVersion30a1) return;
    TConversion result = Convert(folders, ReadOldLines(folders.Data + std::u16string(kIndexName)));
    std::u16string index;
    for (const std::u16string& line : result.Lines) index += line + u"\r\n";
    WriteDataFiles(folders, index, result.Data, false);
    WriteIniValue(folders, u"Program", u"Version", kIniVersion31a);
    // A text file may serve more than one line; each is moved once, and only now that the
    // converted files are in place.
    std::sort(result.TextFiles.begin(), result.TextFiles.end());
    result.TextFiles.erase(std::unique(result.TextFiles.begin(), result.TextFiles.end()),
                           result.TextFiles.end());
    for (const std::u16string& file : result.TextFiles) MoveToOldData(folders, file);
}

}  // namespace qb
