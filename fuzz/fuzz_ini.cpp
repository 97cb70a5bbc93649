// Arbitrary bytes as an ini file: reads keys, loads sections and lists, writes a key that exists
// and one that does not, and checks that every other line of the file survives byte for byte.

#include <unistd.h>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

#include "FuzzSupport.h"
#include "foundation/UknError.h"
#include "foundation/UknFile.h"
#include "foundation/UknIniFile.h"
#include "foundation/UknStrUtils.h"

namespace {

using namespace qb;

const std::string& Folder() {
    static const std::string folder = fuzz::MakeRunFolder("ini");
    return folder;
}

const std::u16string& CheckPath() {
    static const std::u16string path = FromUtf8(Folder() + "check.ini");
    return path;
}

std::string ReadAll(const std::u16string& path) {
    try {
        return ReadFileBytes(path);
    } catch (const TknError&) {
        return {};
    }
}

// The raw lines of a file, each with its line end: LF units after a UTF-16 byte-order mark,
// LF bytes otherwise.
std::vector<std::string> RawLines(const std::string& bytes) {
    bool utf16 = bytes.starts_with("\xFF\xFE") || bytes.starts_with("\xFE\xFF");
    size_t unit = utf16 ? 2 : 1, start = utf16 ? 2 : 0;
    std::string lf = !utf16               ? "\n"
                     : bytes[0] == '\xFF' ? std::string("\n\0", 2)
                                          : std::string("\0\n", 2);
    std::vector<std::string> lines;
    size_t i = start;
    while (start < bytes.size()) {
        if (i + unit > bytes.size()) {
            lines.push_back(bytes.substr(start));
            break;
        }
        if (bytes.compare(i, unit, lf) == 0) {
            lines.push_back(bytes.substr(start, i + unit - start));
            start = i + unit;
        }
        i += unit;
    }
    return lines;
}

[[noreturn]] void Fail(const char* what, const std::string& before, const std::string& after) {
    auto dump = [](const char* name, const std::string& bytes) {
        std::fprintf(stderr, "%s:", name);
        for (unsigned char b : bytes) std::fprintf(stderr, " %02X", b);
        std::fprintf(stderr, "\n");
    };
    std::fprintf(stderr, "%s\n", what);
    dump("before", before);
    dump("after", after);
    std::abort();
}

// A write replaces one line or inserts up to three (a blank line, a header, the key); only
// the old last line may change besides, by gaining a line end. So between the lines both
// files share at their start and at their end, at most one old line remains.
void CheckOtherLinesSurvive(const std::string& before, const std::string& after) {
    if (!before.starts_with("\xFF\xFE") && after.starts_with("\xFF\xFE")) return;  // re-encoded
    std::vector<std::string> oldLines = RawLines(before), newLines = RawLines(after);
    size_t a = 0, b = 0;
    while (a < oldLines.size() && a < newLines.size() && oldLines[a] == newLines[a]) ++a;
    while (b < oldLines.size() - a && b < newLines.size() - a &&
           oldLines[oldLines.size() - 1 - b] == newLines[newLines.size() - 1 - b])
        ++b;
    size_t oldMiddle = oldLines.size() - a - b, newMiddle = newLines.size() - a - b;
    if (oldMiddle > 1 || newMiddle > oldMiddle + 3) Fail("lines lost or added", before, after);
    if (oldMiddle == 0 || newMiddle <= 1) return;
    // The old last line, completed to a whole unit and given its line end.
    std::string_view extra = std::string_view(newLines[a]).substr(oldLines[a].size());
    if (b != 0 || !newLines[a].starts_with(oldLines[a]) || extra.size() > 5 ||
        extra.find_first_not_of(std::string_view("\0\r\n", 3)) != std::string_view::npos)
        Fail("a line changed besides the one written", before, after);
}

// Section names as the text shows them: what follows "[" up to "]".
std::vector<std::u16string> SectionNames(const std::u16string& path) {
    std::vector<std::u16string> names;
    try {
        TknMemoryTextFile file(path, fmRead);
        const std::u16string& text = file.Text();
        for (size_t at = text.find(u'['); at != std::u16string::npos && names.size() < 4;
             at = text.find(u'[', at + 1)) {
            size_t close = text.find(u']', at);
            if (close == std::u16string::npos) break;
            names.push_back(Trim(std::u16string_view(text).substr(at + 1, close - at - 1)));
        }
    } catch (const TknError&) {
    }
    return names;
}

void WriteAndCheck(TknIniFile& ini, const std::u16string& path, std::u16string_view key,
                   std::u16string_view value) {
    std::string before = ReadAll(path);
    ini.WriteString(key, value);
    std::string after = ReadAll(path);
    CheckOtherLinesSurvive(before, after);
    if (ini.ReadString(key, u"") != value) Fail("value not read back", before, after);
    // The bytes on disk must say the same when parsed afresh.
    WriteFileAtomic(CheckPath(), after);
    TknIniFile fresh(CheckPath());
    fresh.Section = ini.Section;
    if (fresh.ReadString(key, u"") != value) Fail("value not in the file", before, after);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    // One path for every run: the input is written atomically, so it is a new file each time
    // and the shared document of the last run is never taken for it.
    static const std::string path8 = Folder() + "fuzz.ini";
    static const std::u16string path = FromUtf8(path8);
    WriteFileAtomic(path, std::string_view(reinterpret_cast<const char*>(data), size));

    TIniFileEx ini(path);
    std::u16string existingKey, existingSection;
    for (const std::u16string& name : SectionNames(path)) {
        ini.Section = name;
        TIniCache& cache = ini.Cache();
        cache.LoadSection(name);
        for (int i = 0; i < cache.Entries.Count() && i < 8; ++i) {
            std::u16string key = cache.Entries.StrKeys(i);
            (void)cache.ReadInteger(key, 0);
            (void)ini.ReadString(key, u"");
            (void)ini.ReadBool(key, false);
            if (existingKey.empty() && !key.empty()) {
                existingKey = key;
                existingSection = name;
            }
        }
        TknStrList list;
        ini.ReadList(name, list);
    }
    if (!existingKey.empty()) {
        ini.Section = existingSection;
        WriteAndCheck(ini, path, existingKey, u"v1");
        WriteAndCheck(ini, path, u"Fuzz New", u"v2");  // a new key in a section of the input
    }
    ini.Section = u"Fuzz Section";
    ini.BeginUpdate();
    ini.WriteInteger(u"Count", 7);
    ini.EndUpdate();
    WriteAndCheck(ini, path, u"Fuzz Key", u"v3");
    // Without the file the shared document is emptied, so that no memory outlives the run.
    ::unlink(path8.c_str());
    ::unlink(ToUtf8(CheckPath()).c_str());
    (void)ini.ReadString(u"Fuzz Key", u"");
    (void)TknIniFile(CheckPath()).ReadString(u"Fuzz Key", u"");
    return 0;
}
