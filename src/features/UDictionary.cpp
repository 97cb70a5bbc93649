#include "features/UDictionary.h"

#include <algorithm>
#include <filesystem>

#include "foundation/UknError.h"
#include "foundation/UknFile.h"
#include "foundation/UknFunctions.h"
#include "foundation/UknStrUtils.h"

namespace qb {

namespace {

constexpr std::u16string_view kNoDictionary = u"no dictionary configured!";
constexpr std::u16string_view kNotFound = u"not found!";
constexpr int64_t kChunk = 4096;  // bytes read at a time while looking for a line end

// Random access to the UTF-16 LE units of a dictionary file, by byte position.
class TDictReader {
  public:
    explicit TDictReader(const std::u16string& path) : FFile(path, fmRead), FSize(FFile.Size()) {
        uint8_t head[3] = {};
        int64_t n = ReadAt(0, head, 3);
        int64_t at = n > 0 && head[0] == kFileMarker ? 1 : 0;
        FValid = n >= at + 2 && head[at] == 0xFF && head[at + 1] == 0xFE;
        FDataStart = at + 2;
    }

    bool Valid() const { return FValid; }
    int64_t DataStart() const { return FDataStart; }
    int64_t Size() const { return FSize; }

    std::u16string Units(int64_t from, int64_t to) {
        std::string bytes(static_cast<size_t>(std::max<int64_t>(to - from, 0)), '\0');
        bytes.resize(static_cast<size_t>(ReadAt(from, bytes.data(), std::ssize(bytes))));
        std::u16string out(bytes.size() / 2, u'\0');
        for (size_t i = 0; i < out.size(); ++i)
            out[i] = static_cast<char16_t>(static_cast<uint8_t>(bytes[2 * i]) |
                                           static_cast<uint8_t>(bytes[2 * i + 1]) << 8);
        return out;
    }

    // Byte position of the first CR LF whose CR lies at or after pos and before limit; -1 if none.
    int64_t FindLineEnd(int64_t pos, int64_t limit) {
        char16_t previous = 0;
        for (int64_t at = pos; at + 1 < limit; at += kChunk) {
            std::u16string chunk = Units(at, std::min(at + kChunk, limit));
            for (size_t i = 0; i < chunk.size(); ++i) {
                if (chunk[i] == u'\n' && previous == u'\r')
                    return at + 2 * static_cast<int64_t>(i) - 2;
                previous = chunk[i];
            }
        }
        return -1;
    }

    // The line starting at pos, without its CR LF; next becomes the start of the following line.
    std::u16string LineAt(int64_t pos, int64_t& next) {
        int64_t end = FindLineEnd(pos, FSize);
        next = end < 0 ? FSize : end + 4;
        return Units(pos, end < 0 ? FSize : end);
    }

  private:
    int64_t ReadAt(int64_t pos, void* buffer, int64_t n) {
        FFile.SeekTo(pos);
        return FFile.Read(buffer, n);
    }

    TknFile FFile;
    int64_t FSize;
    int64_t FDataStart = 0;
    bool FValid = false;
};

std::u16string UpToCr(std::u16string_view s) {
    return std::u16string(s.substr(0, s.find(u'\r')));
}

// Cuts the next tab-separated field off the front of s.
std::u16string_view NextField(std::u16string_view& s) {
    size_t tab = s.find(u'\t');
    std::u16string_view field = s.substr(0, tab);
    s = tab == std::u16string_view::npos ? std::u16string_view() : s.substr(tab + 1);
    return field;
}

// 0: not a plain Latin word; 1 lower case; 2 Capitalized; 3 UPPER CASE.
std::u16string CaseForm(std::u16string_view word, int variant) {
    std::u16string out = variant == 3 ? UpperCase(word) : LowerCase(word);
    if (variant == 2 && !out.empty()) out[0] = UpperCase(out.substr(0, 1))[0];
    return out;
}

int CaseVariant(std::u16string_view word) {
    if (word.empty()) return 0;
    bool lower = false, upper = false;
    for (char16_t c : word) {
        if (c >= u'a' && c <= u'z')
            lower = true;
        else if (c >= u'A' && c <= u'Z')
            upper = true;
        else
            return 0;
    }
    return lower && upper ? 2 : (upper ? 3 : 1);
}

std::vector<std::u16string> SplitList(std::u16string_view text) {
    std::vector<std::u16string> out;
    while (!text.empty()) {
        size_t comma = text.find(u',');
        std::u16string item = Trim(text.substr(0, comma));
        if (!item.empty()) out.push_back(std::move(item));
        text = comma == std::u16string_view::npos ? std::u16string_view() : text.substr(comma + 1);
    }
    return out;
}

void AppendLines(std::vector<std::u16string>& results, std::u16string_view text) {
    for (;;) {
        size_t lf = text.find(u'\n');
        results.emplace_back(text.substr(0, lf));
        if (lf == std::u16string_view::npos) return;
        text.remove_prefix(lf + 1);
    }
}

// The bisection. Invariant: low is a line start, and the entry sought, if present, starts in
// [low, high). A probe takes the first line start after the middle (or low itself when the
// middle lies in the region's last line), so the region shrinks on every probe.
bool SearchFile(TDictReader& file, std::u16string_view word, bool range, int64_t low,
                std::u16string& meaning, std::vector<std::u16string>* trace) {
    int64_t high = file.Size();
    while (range || high - low >= TDictionary::kScanBlock) {
        if (high - low < 3) return false;
        int64_t mid = low + ((high - low) / 2 & ~int64_t{1});
        int64_t probe = file.FindLineEnd(mid, high);
        probe = probe < 0 || probe + 4 >= high ? low : probe + 4;
        int64_t next = 0;
        std::u16string line = file.LineAt(probe, next);
        std::u16string_view rest = line;
        std::u16string first(NextField(rest));
        std::u16string last = range ? std::u16string(NextField(rest)) : first;
        if (trace) trace->push_back(first + u" < " + std::u16string(word) + u" > " + last);
        int order = range ? (word < std::u16string_view(first)  ? -1
                             : word > std::u16string_view(last) ? 1
                                                                : 0)
                          : CompareText(word, first);
        if (order == 0) {
            meaning = UpToCr(rest);
            return true;
        }
        if (order > 0)
            low = next;
        else
            high = probe;
    }
    std::u16string block = u"\r\n" + file.Units(low, high);
    size_t at = block.find(u"\r\n" + std::u16string(word) + u"\t");
    if (at == std::u16string::npos) return false;
    meaning = UpToCr(std::u16string_view(block).substr(at + word.size() + 3));
    return true;
}

}  // namespace

TDictHeader ParseDictHeader(std::u16string_view line) {
    TDictHeader header;
    std::u16string title = Trim(line.substr(0, line.find(u"//")));
    header.Range = title.starts_with(u'$');
    if (header.Range || title.starts_with(u'@')) title = Trim(std::u16string_view(title).substr(1));
    header.Title = std::move(title);
    return header;
}

std::u16string DictFolder() {
    return ProgramFolder() + u"dict/";
}

void TDictionary::SetSelected(std::u16string_view selDictList) {
    FSelected = SplitList(selDictList);
}

void TDictionary::Lookup(std::u16string_view word, std::vector<std::u16string>& results,
                         bool multi) {
    results.clear();
    FTrace.clear();
    if (FSelected.empty()) {
        results.emplace_back(kNoDictionary);
        return;
    }
    std::u16string asked(word);
    if (asked.starts_with(u'@')) asked.erase(0, 1);
    bool range = asked.starts_with(u'$');
    if (range) asked.erase(0, 1);
    int variant = CaseVariant(asked);
    if (variant == 2) asked = CaseForm(asked, 2);

    for (const auto& name : FSelected) {
        THit hit;
        std::u16string title;
        if (!SearchDictionary(DictFolder() + name, asked, variant, range, hit, title)) continue;
        std::u16string line;  // "[name] (word as found) meaning"
        if (multi) {
            line += u'[';
            line += title.empty() ? name.substr(0, name.rfind(u'.')) : title;
            line += u"] ";
        }
        if (hit.Word != asked) {
            line += u'(';
            line += hit.Word;
            line += u") ";
        }
        line += hit.Meaning;
        AppendLines(results, line);
        if (!multi) break;
    }
    if (results.empty()) results.emplace_back(kNotFound);
}

bool TDictionary::SearchDictionary(const std::u16string& path, std::u16string word, int variant,
                                   bool range, THit& hit, std::u16string& name) {
    if (!FileExists(path)) return false;
    try {
        TDictReader file(path);
        if (!file.Valid()) return false;  // not converted yet: byte positions would be wrong
        int64_t entries = 0;
        TDictHeader header = ParseDictHeader(file.LineAt(file.DataStart(), entries));
        if (header.Range != range) return false;
        name = header.Title;
        auto* trace = FDebugMode ? &FTrace : nullptr;
        const int start = variant;
        for (;;) {
            bool found = SearchFile(file, word, range, entries, hit.Meaning, trace);
            if (trace) trace->push_back(path + u": " + word + (found ? u" found" : u" not found"));
            if (found) {
                hit.Word = word;
                return true;
            }
            if (variant == 0) return false;
            variant = variant % 3 + 1;  // lower -> Capitalized -> UPPER -> lower
            if (variant == start) return false;
            word = CaseForm(word, variant);
        }
    } catch (const TknError&) {
        return false;  // an unreadable file counts as missing
    }
}

std::u16string ConvertDictionaries(std::u16string_view allDictList) {
    std::vector<std::u16string> all = SplitList(allDictList);
    std::vector<std::u16string> found;
    std::error_code ec;
    for (const auto& entry : std::filesystem::directory_iterator(ToUtf8(DictFolder()), ec)) {
        std::u16string name = FromUtf8(entry.path().filename().string());
        if (entry.is_regular_file(ec) && LowerCase(name).ends_with(u".dic"))
            found.push_back(std::move(name));
    }
    std::sort(found.begin(), found.end());
    for (auto& name : found)
        if (std::find(all.begin(), all.end(), name) == all.end()) all.push_back(std::move(name));

    std::u16string list;
    for (const auto& name : all) {
        if (!list.empty()) list += u",";
        list += name;
        std::u16string path = DictFolder() + name;
        if (!FileExists(path)) continue;
        try {
            TknTextFile in(path, fmRead);
            if (in.Encoding() == enUTF16LE) continue;
            std::u16string text = in.ReadText();
            TknTextFile out(path, fmWriteAtomic, enUTF16LE);
            out.Write(text);
            out.Commit();
        } catch (const TknError&) {
            // The file stays as it was; the next opening of the panel tries again.
        }
    }
    return list;
}

}  // namespace qb
