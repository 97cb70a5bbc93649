#include "foundation/UknIniFile.h"

#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <map>
#include <mutex>
#include <optional>

#include "foundation/UknError.h"
#include "foundation/UknFile.h"
#include "foundation/UknFunctions.h"
#include "foundation/UknStrUtils.h"

namespace qb {

namespace {

constexpr size_t kValueBufferChars = 500;
constexpr size_t kSectionBufferChars = 10000;
constexpr size_t kMaxCachedDocuments = 16;

enum TLineKind : uint8_t { lkOther, lkSection, lkKey };

// One line of an ini file. Raw holds its bytes exactly as in the file, terminator included, so
// that every line a write does not touch goes back byte for byte.
struct TIniLine {
    std::string Raw;
    TLineKind Kind = lkOther;
    std::u16string Name;   // the section name or the key, trimmed
    std::u16string Value;  // keys only, trimmed
    bool Blank = true;     // nothing but spaces and control characters
};

void ParseLine(std::u16string_view text, TIniLine& line) {
    std::u16string t = TrimLeft(text);
    line.Kind = lkOther;
    line.Blank = t.empty();
    if (t.starts_with(u'[')) {
        size_t close = t.find(u']');
        if (close == std::u16string::npos) return;  // "[name" without "]" is no header
        line.Kind = lkSection;
        line.Name = Trim(std::u16string_view(t).substr(1, close - 1));
        return;
    }
    size_t eq = t.find(u'=');
    if (t.starts_with(u';') || eq == std::u16string::npos) return;
    line.Name = Trim(std::u16string_view(t).substr(0, eq));
    if (line.Name.empty()) return;
    line.Kind = lkKey;
    line.Value = Trim(std::u16string_view(t).substr(eq + 1));
}

// A written text must stay on its line: line breaks would start new keys or sections.
std::u16string OneLine(std::u16string_view s) {
    std::u16string out(s);
    std::replace_if(
        out.begin(), out.end(), [](char16_t c) { return c == u'\r' || c == u'\n'; }, u' ');
    return out;
}

bool RoundTripsInAnsi(std::u16string_view text) {
    return AnsiToUnicode(UnicodeToAnsi(text)) == text;
}

// An ini file in memory: its encoding, byte-order mark and lines.
class TIniDocument {
  public:
    // A new file is UTF-16 LE with its byte-order mark and CR LF line ends.
    TIniDocument() : FEncoding(enUTF16LE), FPrefix("\xFF\xFE") {}

    void Parse(const std::string& bytes);
    std::string Bytes();
    std::string RawBytes() const;  // the lines as they stand, without the ANSI check of Bytes

    const TIniLine* FindKey(std::u16string_view section, std::u16string_view key) const {
        int i = KeyIndex(section, key);
        return i < 0 ? nullptr : &FLines[static_cast<size_t>(i)];
    }
    // "key=value" of every key in the sections of that name, in file order.
    std::vector<std::u16string> SectionLines(std::u16string_view section) const;
    void Write(std::u16string_view section, std::u16string_view key, std::u16string_view value);

  private:
    void Store(std::u16string_view section, std::u16string_view key, std::u16string_view value);
    void KeepDetectable();
    int KeyIndex(std::u16string_view section, std::u16string_view key) const;
    template <class F>
    void ForEachInSection(std::u16string_view section, F f) const;
    std::string Encode(std::u16string_view text) const { return EncodeText(text, FEncoding); }
    TIniLine NewLine(const std::u16string& text, bool terminated = true);
    bool Terminated(const TIniLine& line) const;
    void Terminate(TIniLine& line) const;
    void SwitchToUtf16();

    TEncoding FEncoding;
    std::string FPrefix;  // the byte-order mark, if any
    std::u16string FEol = u"\r\n";
    std::vector<TIniLine> FLines;
};

void TIniDocument::Parse(const std::string& bytes) {
    static constexpr std::pair<std::string_view, TEncoding> kMarks[] = {
        {"\xFF\xFE", enUTF16LE}, {"\xFE\xFF", enUTF16BE}, {"\xEF\xBB\xBF", enUTF8BOM}};
    *this = TIniDocument();
    if (bytes.empty()) return;  // an empty file is written like a new one
    FPrefix.clear();
    FEncoding = enUnknown;
    for (const auto& [mark, encoding] : kMarks) {
        if (!bytes.starts_with(mark)) continue;
        FEncoding = encoding;
        FPrefix = mark;
        break;
    }
    if (FEncoding == enUnknown) {
        const auto* p = reinterpret_cast<const uint8_t*>(bytes.data());
        bool ascii = std::all_of(p, p + bytes.size(), [](uint8_t b) { return b < 0x80; });
        // 7-bit text is taken as UTF-8, so that non-ASCII values written later stay readable.
        FEncoding = ascii || IsValidUtf8(p, bytes.size()) ? enUTF8 : enAnsi;
    }
    const size_t unit = FEncoding == enUTF16LE || FEncoding == enUTF16BE ? 2 : 1;
    const size_t lf = FEncoding == enUTF16BE ? 1 : 0;  // the byte of a unit that carries LF
    auto isLf = [&](size_t i) {
        return bytes[i + lf] == '\n' && (unit == 1 || bytes[i + 1 - lf] == '\0');
    };
    bool eolSeen = false;
    for (size_t start = FPrefix.size(); start < bytes.size();) {
        size_t end = start;
        while (end + unit <= bytes.size() && !isLf(end)) end += unit;
        bool terminated = end + unit <= bytes.size();
        size_t next = terminated ? end + unit : bytes.size();
        TIniLine line;
        line.Raw = bytes.substr(start, next - start);
        std::u16string text = DecodeBytes(reinterpret_cast<const uint8_t*>(bytes.data()) + start,
                                          end - start, FEncoding);
        bool cr = !text.empty() && text.back() == u'\r';
        if (cr) text.pop_back();
        if (terminated && !eolSeen) {
            FEol = cr ? u"\r\n" : u"\n";  // new lines follow the file's own line ends
            eolSeen = true;
        }
        ParseLine(text, line);
        FLines.push_back(std::move(line));
        start = next;
    }
}

// An ANSI file must still read as ANSI. When its bytes would pass for UTF-8 (the lines that
// ruled UTF-8 out may just have been replaced), every other line would be misread next time,
// so it is written as UTF-16 instead.
std::string TIniDocument::Bytes() {
    std::string out = RawBytes();
    if (FEncoding != enAnsi ||
        !IsValidUtf8(reinterpret_cast<const uint8_t*>(out.data()), out.size()))
        return out;
    SwitchToUtf16();
    return RawBytes();
}

std::string TIniDocument::RawBytes() const {
    std::string out = FPrefix;
    for (const TIniLine& line : FLines) out += line.Raw;
    return out;
}

// Sections of the same name count as one, in file order; lines before the first header belong
// to none.
template <class F>
void TIniDocument::ForEachInSection(std::u16string_view section, F f) const {
    bool inside = false;
    for (size_t i = 0; i < FLines.size(); ++i) {
        const TIniLine& line = FLines[i];
        if (line.Kind == lkSection) inside = IsSameText(line.Name, section);
        if (inside && !f(i, line)) return;
    }
}

int TIniDocument::KeyIndex(std::u16string_view section, std::u16string_view key) const {
    int found = -1;
    ForEachInSection(section, [&](size_t i, const TIniLine& line) {
        if (line.Kind == lkKey && IsSameText(line.Name, key)) found = static_cast<int>(i);
        return found < 0;
    });
    return found;
}

std::vector<std::u16string> TIniDocument::SectionLines(std::u16string_view section) const {
    std::vector<std::u16string> out;
    ForEachInSection(section, [&out](size_t, const TIniLine& line) {
        if (line.Kind == lkKey) out.push_back(line.Name + u"=" + line.Value);
        return true;
    });
    return out;
}

// A line that cannot be written in the file's ANSI code page turns the file into UTF-16, which
// holds every character, instead of losing them.
TIniLine TIniDocument::NewLine(const std::u16string& text, bool terminated) {
    if (FEncoding == enAnsi && !RoundTripsInAnsi(text)) SwitchToUtf16();
    TIniLine line;
    ParseLine(text, line);
    line.Raw = Encode(terminated ? text + FEol : text);
    return line;
}

void TIniDocument::SwitchToUtf16() {
    for (TIniLine& line : FLines) {
        const auto* bytes = reinterpret_cast<const uint8_t*>(line.Raw.data());
        line.Raw = EncodeText(DecodeBytes(bytes, line.Raw.size(), enAnsi), enUTF16LE);
    }
    FEncoding = enUTF16LE;
    FPrefix = "\xFF\xFE";
}

bool TIniDocument::Terminated(const TIniLine& line) const {
    const std::string lf = Encode(u"\n");
    return line.Raw.size() % lf.size() == 0 && line.Raw.ends_with(lf);
}

// Gives the last line of the file its line end before another line follows it; a dangling odd
// byte of a UTF-16 file is completed to a unit first so that the new lines stay aligned.
void TIniDocument::Terminate(TIniLine& line) const {
    if (Terminated(line)) return;
    if (line.Raw.size() % 2 != 0 && (FEncoding == enUTF16LE || FEncoding == enUTF16BE)) {
        line.Raw.push_back('\0');
        ParseLine(DecodeBytes(reinterpret_cast<const uint8_t*>(line.Raw.data()), line.Raw.size(),
                              FEncoding),
                  line);
    }
    line.Raw += Encode(FEol);
}

void TIniDocument::Write(std::u16string_view section, std::u16string_view key,
                         std::u16string_view value) {
    Store(section, key, value);
    KeepDetectable();
}

// An ANSI file is told from UTF-8 only by its bytes: when a write leaves bytes that read as
// UTF-8 (the one high byte that made it ANSI replaced, say), the file would change its meaning
// on the next read, so it becomes UTF-16 with its mark instead.
void TIniDocument::KeepDetectable() {
    if (FEncoding != enAnsi) return;
    std::string bytes = Bytes();
    if (IsValidUtf8(reinterpret_cast<const uint8_t*>(bytes.data()), bytes.size())) SwitchToUtf16();
}

void TIniDocument::Store(std::u16string_view section, std::u16string_view key,
                         std::u16string_view value) {
    const std::u16string cleanValue = OneLine(value);
    int at = KeyIndex(section, key);
    if (at >= 0) {
        // The line keeps its key's spelling, and a last line without a line end stays so.
        auto i = static_cast<size_t>(at);
        bool terminated = i + 1 < FLines.size() || Terminated(FLines[i]);
        FLines[i] = NewLine(FLines[i].Name + u"=" + cleanValue, terminated);
        return;
    }
    const std::u16string keyLine = OneLine(key) + u"=" + cleanValue;
    // Into the first section of that name, after its last key: comments just before the next
    // header stay with that header.
    std::optional<size_t> after;
    for (size_t i = 0; i < FLines.size(); ++i) {
        const TIniLine& line = FLines[i];
        if (line.Kind == lkSection && after) break;
        if ((line.Kind == lkSection && IsSameText(line.Name, section)) ||
            (line.Kind == lkKey && after))
            after = i;
    }
    if (after) {
        TIniLine line = NewLine(keyLine);
        Terminate(FLines[*after]);
        FLines.insert(FLines.begin() + static_cast<std::ptrdiff_t>(*after + 1), std::move(line));
        return;
    }
    TIniLine header = NewLine(u"[" + OneLine(section) + u"]");
    TIniLine line = NewLine(keyLine);
    if (!FLines.empty()) {
        Terminate(FLines.back());
        if (!FLines.back().Blank) FLines.push_back(NewLine(u""));
    }
    FLines.push_back(std::move(header));
    FLines.push_back(std::move(line));
}

// ------------------------------------------------------------------------------- the store

struct TStamp {
    bool Exists = false;
    dev_t Device = 0;
    ino_t Inode = 0;  // a file replaced by renaming is a new inode, whatever its time stamp
    off_t Size = 0;
    int64_t ModifiedNs = 0;
    bool operator==(const TStamp&) const = default;
};

TStamp StampOf(const std::u16string& path) {
    struct stat st {};
    if (::stat(ToUtf8(NativePath(path)).c_str(), &st) != 0) return {};
    return {true, st.st_dev, st.st_ino, st.st_size,
            st.st_mtim.tv_sec * 1'000'000'000LL + st.st_mtim.tv_nsec};
}

// One parsed document per file path, shared by every ini object of the process and parsed
// again only when the file changed on disk. Writes kept back by BeginUpdate make a document
// dirty; a dirty document is not re-read, and is saved by the next write that is not kept back.
class TIniStore {
  public:
    static TIniStore& Instance() {
        static TIniStore store;
        return store;
    }

    template <class F>
    auto Read(const std::u16string& path, F f) {
        std::lock_guard<std::mutex> lock(FMutex);
        return f(static_cast<const TIniDocument&>(Entry(path).Doc));
    }

    template <class F>
    void Change(const std::u16string& path, bool keepBack, F f) {
        std::lock_guard<std::mutex> lock(FMutex);
        TEntry& entry = Entry(path);
        // A write that leaves the file's bytes as they are writes nothing: an exit with the
        // same remembered state touches no file.
        const bool clean = !entry.Dirty && entry.Stamp.Exists;
        const std::string before = clean ? entry.Doc.RawBytes() : std::string();
        f(entry.Doc);
        if (clean && entry.Doc.RawBytes() == before) return;
        entry.Dirty = true;
        if (!keepBack) Save(path, entry);
    }

    void Flush(const std::u16string& path) {
        std::lock_guard<std::mutex> lock(FMutex);
        auto it = FEntries.find(path);
        if (it != FEntries.end() && it->second.Dirty) Save(path, it->second);
    }

  private:
    struct TEntry {
        TIniDocument Doc;
        TStamp Stamp;
        bool Dirty = false;
        bool Unreadable = false;  // never overwrite a file that could not be read
        uint64_t LastUse = 0;
    };

    TEntry& Entry(const std::u16string& path) {
        auto it = FEntries.find(path);
        TStamp stamp = StampOf(path);
        if (it == FEntries.end()) {
            if (FEntries.size() >= kMaxCachedDocuments) Evict();
            it = FEntries.try_emplace(path).first;
        } else if (it->second.Dirty || it->second.Stamp == stamp) {
            it->second.LastUse = ++FClock;
            return it->second;
        }
        TEntry& entry = it->second;
        entry = TEntry();
        entry.Stamp = stamp;
        entry.LastUse = ++FClock;
        if (stamp.Exists) {
            try {
                entry.Doc.Parse(ReadFileBytes(path));
            } catch (const TknError&) {
                entry.Unreadable = true;
            }
        }
        return entry;
    }

    void Evict() {
        auto oldest = FEntries.end();
        for (auto it = FEntries.begin(); it != FEntries.end(); ++it)
            if (!it->second.Dirty &&
                (oldest == FEntries.end() || it->second.LastUse < oldest->second.LastUse))
                oldest = it;
        if (oldest != FEntries.end()) FEntries.erase(oldest);
    }

    // A failed write is not reported; the document is dropped so that the next access sees
    // the file as it is on disk.
    void Save(const std::u16string& path, TEntry& entry) {
        entry.Dirty = false;
        try {
            if (entry.Unreadable) throw TknError(u"File Open Error!");
            WriteFileAtomic(path, entry.Doc.Bytes());
            entry.Stamp = StampOf(path);
        } catch (const TknError&) {
            FEntries.erase(path);
        }
    }

    std::mutex FMutex;
    std::map<std::u16string, TEntry> FEntries;
    uint64_t FClock = 0;
};

// What the 500-character value buffer of the profile functions lets through.
std::u16string CutToBuffer(std::u16string value) {
    if (value.size() < kValueBufferChars) return value;
    value.resize(kValueBufferChars - 1);
    if (value.back() >= 0xD800 && value.back() <= 0xDBFF) value.pop_back();  // half a pair
    return value;
}

// Leading decimal digits after an optional sign, as the profile functions read integers.
int64_t ProfileInt(std::u16string_view s, int64_t defaultValue) {
    size_t i = 0;
    bool negative = !s.empty() && s[0] == u'-';
    if (!s.empty() && (s[0] == u'-' || s[0] == u'+')) i = 1;
    if (i >= s.size() || s[i] < u'0' || s[i] > u'9') return defaultValue;
    int64_t v = 0;
    for (; i < s.size() && s[i] >= u'0' && s[i] <= u'9'; ++i) {
        int digit = s[i] - u'0';
        if (v > (INT64_MAX - digit) / 10) return negative ? INT64_MIN : INT64_MAX;
        v = v * 10 + digit;
    }
    return negative ? -v : v;
}

std::u16string& AutostartOverride() {
    static std::u16string folder;
    return folder;
}

std::u16string EnvPath(const char* name) {
    const char* v = std::getenv(name);
    return v && *v ? FromUtf8(v) : std::u16string();
}

}  // namespace

// --------------------------------------------------------------------------------- TIniCache

TIniCache::TIniCache(std::u16string fileName) : FileName(std::move(fileName)) {
    Entries.StrKeyDelimiter = u"=";
}

// The block a section buffer of 10000 characters holds: each line with its terminating zero,
// and one more zero at the end; the lines that do not fit are cut off.
void TIniCache::LoadSection(std::u16string_view section) {
    std::vector<std::u16string> lines = TIniStore::Instance().Read(
        FileName, [section](const TIniDocument& doc) { return doc.SectionLines(section); });
    Entries.Clear();
    size_t used = 1;
    for (const std::u16string& line : lines) {
        if (used + line.size() + 1 > kSectionBufferChars) break;
        used += line.size() + 1;
        Entries.AddParsed(line);
    }
}

std::u16string TIniCache::ReadString(std::u16string_view key,
                                     std::u16string_view defaultValue) const {
    for (int i = 0; i < Entries.Count(); ++i) {
        if (!IsSameText(Entries.StrKeys(i), key)) continue;
        std::u16string value = Entries.Items(i);
        return value.empty() ? std::u16string(defaultValue) : value;
    }
    return std::u16string(defaultValue);
}

int64_t TIniCache::ReadInteger(std::u16string_view key, int64_t defaultValue) const {
    return StrToIntDef(ReadString(key, IntToStr(defaultValue)), defaultValue);
}

// -------------------------------------------------------------------------------- TknIniFile

TknIniFile::TknIniFile(std::u16string fileName) : FileName(std::move(fileName)) {}

TknIniFile::~TknIniFile() {
    if (FUpdateCount == 0) return;
    FUpdateCount = 1;
    EndUpdate();
}

std::u16string TknIniFile::ReadString(std::u16string_view key,
                                      std::u16string_view defaultValue) const {
    return TIniStore::Instance().Read(FileName, [&](const TIniDocument& doc) {
        const TIniLine* line = doc.FindKey(Section, key);
        return CutToBuffer(line ? line->Value : std::u16string(defaultValue));
    });
}

int64_t TknIniFile::ReadInteger(std::u16string_view key, int64_t defaultValue) const {
    return TIniStore::Instance().Read(FileName, [&](const TIniDocument& doc) {
        const TIniLine* line = doc.FindKey(Section, key);
        return line ? ProfileInt(CutToBuffer(line->Value), defaultValue) : defaultValue;
    });
}

bool TknIniFile::ReadBool(std::u16string_view key, bool defaultValue) const {
    return ReadInteger(key, defaultValue ? 1 : 0) != 0;
}

void TknIniFile::WriteString(std::u16string_view key, std::u16string_view value) {
    bool keepBack = FUpdateCount > 0;
    if (keepBack && std::find(FPending.begin(), FPending.end(), FileName) == FPending.end())
        FPending.push_back(FileName);
    TIniStore::Instance().Change(FileName, keepBack,
                                 [&](TIniDocument& doc) { doc.Write(Section, key, value); });
}

void TknIniFile::WriteInteger(std::u16string_view key, int64_t n) {
    WriteString(key, IntToStr(n));
}

void TknIniFile::WriteBool(std::u16string_view key, bool b) {
    WriteInteger(key, b ? 1 : 0);
}

TIniCache& TknIniFile::Cache() {
    if (!FCache) FCache = std::make_unique<TIniCache>(FileName);
    FCache->FileName = FileName;
    return *FCache;
}

void TknIniFile::BeginUpdate() {
    ++FUpdateCount;
}

void TknIniFile::EndUpdate() {
    if (FUpdateCount == 0 || --FUpdateCount > 0) return;
    for (const std::u16string& path : FPending) TIniStore::Instance().Flush(path);
    FPending.clear();
}

// -------------------------------------------------------------------------------- TIniFileEx

void TIniFileEx::ReadList(std::u16string_view section, TknStrList& list) {
    TIniCache& cache = Cache();
    cache.LoadSection(section);
    // A loaded section cannot hold more items than its buffer has characters, so a damaged
    // count cannot make this loop run for ages.
    int64_t count = std::min<int64_t>(cache.ReadInteger(u"ItemCount", 0), kSectionBufferChars);
    list.Clear();
    for (int64_t i = 0; i < count; ++i)
        list.AddParsed(cache.ReadString(u"Item" + IntToStr(i), u""));
}

void TIniFileEx::WriteList(std::u16string_view section, const TknStrList& list) {
    Section = section;
    BeginUpdate();
    WriteInteger(u"ItemCount", list.Count());
    for (int i = 0; i < list.Count(); ++i) WriteString(u"Item" + IntToStr(i), list.Items(i));
    EndUpdate();
}

// ------------------------------------------------------------------------------- TknRegistry

std::u16string AutostartFolder() {
    if (!AutostartOverride().empty()) return AutostartOverride();
    std::u16string config = EnvPath("XDG_CONFIG_HOME");
    if (config.empty()) config = EnvPath("HOME") + u"/.config";
    return config + u"/autostart/";
}

void SetAutostartFolderForTesting(std::u16string_view folder) {
    AutostartOverride() = folder;
    if (!folder.empty() && folder.back() != u'/') AutostartOverride().push_back(u'/');
}

std::u16string DesktopExecArgument(std::u16string_view argument) {
    std::u16string quoted = u"\"";
    for (char16_t c : argument) {
        if (c == u'"' || c == u'`' || c == u'$' || c == u'\\') quoted.push_back(u'\\');
        if (c == u'%') quoted.push_back(u'%');  // a field code otherwise
        quoted.push_back(c);
    }
    return quoted + u"\"";
}

namespace {

std::u16string DesktopFile(std::u16string_view name) {
    return AutostartFolder() + ValidFileName(LowerCase(name), true) + u".desktop";
}

// A desktop file's string values escape backslashes and control characters ("\\", "\n", ...);
// the Exec quoting of DesktopExecArgument lies inside this escaping.
constexpr std::pair<char16_t, char16_t> kDesktopEscapes[] = {
    {u'\\', u'\\'}, {u'\n', u'n'}, {u'\t', u't'}, {u'\r', u'r'}};

std::u16string EscapeDesktopString(std::u16string_view value) {
    std::u16string out;
    for (char16_t c : value) {
        const auto* e = std::find_if(std::begin(kDesktopEscapes), std::end(kDesktopEscapes),
                                     [c](const auto& escape) { return escape.first == c; });
        if (e == std::end(kDesktopEscapes)) {
            out.push_back(c);
        } else {
            out.push_back(u'\\');
            out.push_back(e->second);
        }
    }
    return out;
}

std::u16string UnescapeDesktopString(std::u16string_view value) {
    std::u16string out;
    for (size_t i = 0; i < value.size(); ++i) {
        if (value[i] != u'\\' || i + 1 == value.size()) {
            out.push_back(value[i]);
            continue;
        }
        const char16_t c = value[++i];
        const auto* e = std::find_if(std::begin(kDesktopEscapes), std::end(kDesktopEscapes),
                                     [c](const auto& escape) { return escape.second == c; });
        out.push_back(c == u's' ? u' ' : e == std::end(kDesktopEscapes) ? c : e->first);
    }
    return out;
}

}  // namespace

TknRegistry::TknRegistry(int rootKey) : RootKey(rootKey) {}

TknRegistry::~TknRegistry() {
    CloseKey();
}

bool TknRegistry::OpenKey(std::u16string_view subKey, bool create) {
    CloseKey();
    std::string folder = ToUtf8(AutostartFolder());
    std::error_code ec;
    if (create) std::filesystem::create_directories(folder, ec);
    FOpen = std::filesystem::is_directory(folder, ec);
    if (FOpen) FSubKey = subKey;
    return FOpen;
}

void TknRegistry::CloseKey() {
    FOpen = false;
    FSubKey.clear();
}

std::u16string TknRegistry::ReadString(std::u16string_view name) const {
    if (!FOpen || name.empty()) return {};
    try {
        TIniDocument doc;
        doc.Parse(ReadFileBytes(DesktopFile(name)));
        const TIniLine* exec = doc.FindKey(u"Desktop Entry", u"Exec");
        return exec ? UnescapeDesktopString(exec->Value) : std::u16string();
    } catch (const TknError&) {
        return {};
    }
}

bool TknRegistry::WriteString(std::u16string_view name, std::u16string_view value) {
    if (!FOpen || name.empty()) return false;
    std::u16string text = u"[Desktop Entry]\nType=Application\nName=quillbox\nExec=" +
                          EscapeDesktopString(value) +
                          u"\nIcon=quillbox\nTerminal=false\nX-GNOME-Autostart-enabled=true\n";
    try {
        WriteFileAtomic(DesktopFile(name), ToUtf8(text));
        return true;
    } catch (const TknError&) {
        return false;
    }
}

bool TknRegistry::DeleteValue(std::u16string_view name) {
    if (!FOpen || name.empty()) return false;
    return ::unlink(ToUtf8(DesktopFile(name)).c_str()) == 0;
}

}  // namespace qb
