#include "storage/UVersionManager.h"

#include <exception>

#include "foundation/UknError.h"
#include "foundation/UknFile.h"
#include "foundation/UknFunctions.h"
#include "foundation/UknIniFile.h"
#include "foundation/UknListSuper.h"
#include "foundation/UknStrUtils.h"
#include "storage/U30to31.h"
#include "storage/U31to32.h"
#include "storage/UFolderOps.h"
#include "storage/UStoreFiles.h"

namespace qb {

namespace {

constexpr std::u16string_view kCrLf = u"\r\n";
constexpr uint8_t kLinkItemType = 16;
constexpr uint8_t kTemplateItemType = 18;

// The 3.2 test versions closed a highlight with the style one below today's: each closing
// character moves up one style, the last wraps round to the opening one.
std::u16string ShiftMarkers(std::u16string text) {
    for (char16_t& c : text) {
        switch (c) {
            case 0x1C:
                c = 0x1D;
                break;
            case 0x1D:
                c = 0x1E;
                break;
            case 0x1E:
                c = 0x1F;
                break;
            case 0x1F:
                c = 0x7F;
                break;
            case 0x7F:
                c = 0x1C;
                break;
            default:
                break;
        }
    }
    return text;
}

// Link and template items gained the abbreviation, an entry just before their remark. Only
// records with property entries are touched, so that a damaged short line keeps its type.
void AddAbbreviationField(std::u16string& line) {
    std::vector<std::u16string> fields = SplitFields(line);
    if (fields.size() < 5) return;
    int64_t type = StrToIntDef(fields[2], -1);
    if (type != kLinkItemType && type != kTemplateItemType) return;
    fields.insert(fields.end() - 1, std::u16string());
    line = JoinFields(fields);
}

std::vector<std::u16string> SplitLines(std::u16string_view text) {
    std::vector<std::u16string> lines;
    SplitText(text, kCrLf, [&lines](std::u16string_view line) { lines.emplace_back(line); });
    return lines;
}

std::u16string JoinLines(const std::vector<std::u16string>& lines) {
    std::u16string text;
    for (size_t i = 0; i < lines.size(); ++i) {
        if (i) text += kCrLf;
        text += lines[i];
    }
    return text;
}

}  // namespace

TDataFolders TDataFolders::OfProgram() {
    CreateFolders(ProgramFolder());
    TDataFolders folders;
    folders.Data = ProgramSubFolder(u"data\\", true);
    if (!DirectoryExists(folders.Data)) throw TknError(u"Cannot create folder: " + folders.Data);
    folders.OldData = ProgramSubFolder(u"olddata\\", false);
    folders.IniFile = ProgramFolder() + u"quillbox.ini";
    return folders;
}

bool CheckDataFiles(const TMessageProc& showMessage) {
    std::u16string message;
    try {
        CheckDataFilesOrRaise();
        return true;
    } catch (const TknError& e) {
        message = e.Message();
    } catch (const std::exception& e) {
        message = FromUtf8(e.what());
    }
    if (showMessage) showMessage(message);
    return false;
}

void CheckDataFilesOrRaise() {
    TDataFolders folders = TDataFolders::OfProgram();
    const std::u16string version = ReadIndexVersion(folders);
    if (version == kIndexVersion320) return;
    CreateFolders(folders.OldData);
    CopyToOldData(folders, u"quillbox.idx");
    CopyToOldData(folders, u"quillbox.dat");
    if (!IsKnownOldNotebook(folders, version))
        throw TknError(u"The index file " + folders.Data + u"quillbox.idx is not a notebook of "
                       u"a version quillbox knows. It was left as it is; a copy is in " +
                       folders.OldData + u"quillbox.idx. Nothing was changed.");
    Convert30to31(folders);
    Convert31to32(folders);
    Convert32aTo320(folders);
}

// Only a first start (no index text and no data), or data an upgrade converts, goes on: any
// other index would otherwise be replaced by an empty notebook.
bool IsKnownOldNotebook(const TDataFolders& folders, std::u16string_view version) {
    if (version == kIndexVersion32a) return true;
    const std::u16string iniVersion = IniVersion(folders);
    if (iniVersion == kIniVersion30a1 || iniVersion == kIniVersion31a) return true;
    TStoreFiles files(folders.Data);
    return TknTextFile(files.IndexPath(), fmRead, enUTF16LE).TextLength() == 0 &&
           files.DataLength() == 0;
}

std::u16string ReadIndexVersion(const TDataFolders& folders) {
    TStoreFiles files(folders.Data);
    files.Recover();
    TknTextFile index(files.IndexPath(), fmRead, enUTF16LE);
    return index.Eof() ? std::u16string() : index.ReadLine();
}

bool CopyToOldData(const TDataFolders& folders, std::u16string_view fileName) {
    return CopyFileReplacing(folders.Data + std::u16string(fileName),
                             folders.OldData + std::u16string(fileName), true);
}

void MoveToOldData(const TDataFolders& folders, std::u16string_view fileName) {
    if (CopyToOldData(folders, fileName) &&
        std::remove(ToUtf8(NativePath(folders.Data + std::u16string(fileName))).c_str()) != 0)
        throw TknError(u"File Write Error!");
}

void Convert32aTo320(const TDataFolders& folders) {
    TStoreFiles files(folders.Data);
    files.Recover();
    TknMemoryTextFile index(files.IndexPath(), fmRead, enUTF16LE);
    std::vector<std::u16string> lines = SplitLines(index.Text());
    if (lines.empty() || lines[0] != kIndexVersion32a) return;
    for (size_t i = 2; i < lines.size(); ++i) AddAbbreviationField(lines[i]);
    lines[0] = kIndexVersion320;
    TknTextFile data(files.DataPath(), fmRead, enUTF16LE);
    const bool marker = data.Size() > 0 ? data.HasMarker() : index.HasMarker();
    WriteDataFiles(folders, JoinLines(lines), ShiftMarkers(data.ReadText(-1)), marker);
}

std::vector<std::u16string> SplitFields(std::u16string_view line) {
    std::vector<std::u16string> fields;
    if (line.empty()) return {std::u16string()};
    SplitText(line, u"\t", [&fields](std::u16string_view field) { fields.emplace_back(field); });
    return fields;
}

std::u16string JoinFields(const std::vector<std::u16string>& fields, size_t from) {
    std::u16string line;
    for (size_t i = from; i < fields.size(); ++i) {
        if (i > from) line += u'\t';
        line += fields[i];
    }
    return line;
}

std::vector<std::u16string> ReadOldLines(const std::u16string& path) {
    return SplitLines(TknMemoryTextFile(path, fmRead).Text());
}

void WriteDataFiles(const TDataFolders& folders, std::u16string_view indexText,
                    std::u16string_view dataText, bool marker) {
    TStoreFiles files(folders.Data);
    files.WritePair({TDataPiece::NewText(dataText)}, indexText, marker);
    files.Recover();
}

std::u16string IniVersion(const TDataFolders& folders) {
    TknIniFile ini(folders.IniFile);
    ini.Section = u"Program";
    return ini.ReadString(u"Version", u"");
}

void WriteIniValue(const TDataFolders& folders, std::u16string_view section,
                   std::u16string_view key, std::u16string_view value) {
    TknIniFile ini(folders.IniFile);
    ini.Section = std::u16string(section);
    ini.WriteString(key, value);
}

}  // namespace qb
