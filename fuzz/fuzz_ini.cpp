// Arbitrary bytes as an ini file: reads keys, loads sections and lists, writes a key that exists
// and one that does not, and checks that every other line of the file survives byte for byte.

#include <unistd.h>

#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

#include "foundation/UknError.h"
#include "foundation/UknFile.h"
#include "foundation/UknIniFile.h"
#include "foundation/UknStrUtils.h"

namespace {

using namespace qb;

const std::string& Folder() {
    static const std::string folder = [] {
        std::string base = std::filesystem::is_directory("/dev/shm")
                               ? std::string("/dev/shm")
                               : std::filesystem::temp_directory_path().string();
        std::string tmpl = base + "/qbfuzzini-XXXXXX";
        if (!::mkdtemp(tmpl.data())) std::abort();
        return tmpl + "/";
    }();
    return folder;
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

// Every old line but at most one (the key written) appears unchanged and in order among the
// new lines; the old last line may have gained a line end. At most three lines are added.
void CheckOtherLinesSurvive(const std::string& before, const std::string& after) {
    if (!before.starts_with("\xFF\xFE") && after.starts_with("\xFF\xFE")) return;  // re-encoded
    std::vector<std::string> oldLines = RawLines(before), newLines = RawLines(after);
    if (newLines.size() > oldLines.size() + 3) std::abort();
    size_t j = 0;
    int missing = 0;
    for (size_t i = 0; i < oldLines.size(); ++i) {
        bool last = i + 1 == oldLines.size();
        size_t k = j;
        while (k < newLines.size() && newLines[k] != oldLines[i] &&
               !(last && newLines[k].starts_with(oldLines[i])))
            ++k;
        if (k == newLines.size()) {
            if (++missing > 1) std::abort();
            continue;
        }
        j = k + 1;
    }
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
    CheckOtherLinesSurvive(before, ReadAll(path));
    if (ini.ReadString(key, u"") != value) std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static unsigned round = 0;
    std::string path8 = Folder() + "f" + std::to_string(round++ % 64) + ".ini";
    std::u16string path = FromUtf8(path8);
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
    }
    ini.Section = u"Fuzz Section";
    ini.BeginUpdate();
    ini.WriteInteger(u"Count", 7);
    ini.EndUpdate();
    WriteAndCheck(ini, path, u"Fuzz Key", u"v2");
    ::unlink(path8.c_str());
    return 0;
}
